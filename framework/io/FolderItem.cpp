#include "framework/io/FolderItem.h"

#include "framework/io/TextInputStream.h"

namespace fw {

FolderItem::FolderItem(std::string nativePath) : path_(std::move(nativePath)) {}

std::string FolderItem::Name() const {
    std::string name = path_;
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    const auto slash = name.rfind('/');
    return slash == std::string::npos || name.size() == 1 ? name : name.substr(slash + 1);
}

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const { return TextInputStream::Open(path_); }

}  // namespace fw
