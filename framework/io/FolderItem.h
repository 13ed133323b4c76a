#pragma once
// A file chosen by the user, named by its path.
#include <memory>
#include <string>

namespace fw {

class TextInputStream;
class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

class FolderItem {
public:
    explicit FolderItem(std::string nativePath);

    // The path as the operating system spells it.
    const std::string& NativePath() const { return path_; }
    // The last component of the path.
    std::string Name() const;

    // Raises IOException, naming the file, when it cannot be read (missing,
    // no permission, not a regular file), and UnsupportedFormatException when
    // it is too large (TextInputStream::Open).
    std::shared_ptr<TextInputStream> OpenAsTextFile() const;

private:
    std::string path_;
};

}  // namespace fw
