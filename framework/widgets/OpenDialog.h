#pragma once
// The modal open-file dialog, and the one seam that lets tests and the probe
// answer it without showing it.
#include <functional>
#include <optional>
#include <string>

#include "framework/io/FolderItem.h"

namespace fw {

// Shows the open-file dialog and returns the chosen file, nullptr when the
// user cancels. An empty filter offers every file; otherwise the filter is a
// name filter such as "Text (*.txt)".
FolderItemPtr GetOpenFolderItem(const std::string& filter);

// Replaces the dialog by a function that returns a path, or nothing for a
// cancelled dialog. nullptr brings the real dialog back.
using OpenDialogAnswer = std::function<std::optional<std::string>()>;
void SetOpenDialogAnswer(OpenDialogAnswer answer);

}  // namespace fw
