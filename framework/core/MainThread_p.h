#pragma once

namespace fw {

// Raises ThreadAccessingUIException unless called on the application's main
// thread. Every user-interface member starts with it.
void CheckMainThread();

// False once the Qt application is gone: objects that outlive it (module
// globals at exit) must then leave their Qt parts alone.
bool QtAlive();

}  // namespace fw
