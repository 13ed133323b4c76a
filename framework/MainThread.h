#pragma once

namespace fw {

// Raises ThreadAccessingUIException unless called on the application's main
// thread. Every user-interface member starts with it.
void CheckMainThread();

}  // namespace fw
