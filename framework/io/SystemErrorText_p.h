#pragma once
// Framework-internal: what the operating system reports about a file, said in
// German, so that no English system text reaches the user.
#include <string>

namespace fw {

// One German sentence for an errno value; the rest get one that gives the
// number.
std::string SystemErrorText(int error);

}  // namespace fw
