#pragma once
// Pieces of the point-and-line file reader that tests look at on their own.
#include <string>

namespace Module1 {

// Every run of spaces becomes one space, then one leading space goes.
void CleanRecord(std::string& record);

}  // namespace Module1
