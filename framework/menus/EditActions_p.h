#pragma once
// The standard Edit menu: items of these names with no handler of the
// program's own act on the focused text field.
#include <string>

namespace fw {

bool IsEditItemName(const std::string& name);
// Whether the item of that name can act on the focused text field now.
bool CanEditAct(const std::string& name);
// Acts on the focused text field; nothing when it cannot.
void EditAct(const std::string& name);

}  // namespace fw
