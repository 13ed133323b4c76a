#include "framework/menus/EditActions_p.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

namespace fw {

namespace {

QLineEdit* FocusedField() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

bool Copyable(const QLineEdit& f) { return f.hasSelectedText() && f.echoMode() == QLineEdit::Normal; }

}  // namespace

bool IsEditItemName(const std::string& name) {
    return name == "EditUndo" || name == "EditCut" || name == "EditCopy" || name == "EditPaste" ||
           name == "EditClear" || name == "EditSelectAll";
}

bool CanEditAct(const std::string& name) {
    QLineEdit* f = FocusedField();
    if (!f || !f->isEnabled()) return false;
    if (name == "EditUndo") return !f->isReadOnly() && f->isUndoAvailable();
    if (name == "EditCut") return !f->isReadOnly() && Copyable(*f);
    if (name == "EditCopy") return Copyable(*f);
    if (name == "EditPaste") {
        const QClipboard* clipboard = QApplication::clipboard();
        return !f->isReadOnly() && clipboard && !clipboard->text().isEmpty();
    }
    if (name == "EditClear") return !f->isReadOnly() && f->hasSelectedText();
    if (name == "EditSelectAll") return !f->text().isEmpty();
    return false;
}

void EditAct(const std::string& name) {
    if (!CanEditAct(name)) return;
    QLineEdit* f = FocusedField();
    if (name == "EditUndo")
        f->undo();
    else if (name == "EditCut")
        f->cut();
    else if (name == "EditCopy")
        f->copy();
    else if (name == "EditPaste")
        f->paste();
    else if (name == "EditClear")
        f->del();
    else if (name == "EditSelectAll")
        f->selectAll();
}

}  // namespace fw
