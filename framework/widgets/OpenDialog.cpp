#include "framework/widgets/OpenDialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QString>

namespace fw {

namespace {
OpenDialogAnswer gAnswer;
}

void SetOpenDialogAnswer(OpenDialogAnswer answer) { gAnswer = std::move(answer); }

FolderItemPtr GetOpenFolderItem(const std::string& filter) {
    if (gAnswer) {
        const std::optional<std::string> path = gAnswer();
        if (!path) return nullptr;
        return std::make_shared<FolderItem>(*path);
    }
    const QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(),
                                                        QString::fromStdString(filter));
    if (chosen.isEmpty()) return nullptr;
    return std::make_shared<FolderItem>(QFile::encodeName(chosen).toStdString());
}

}  // namespace fw
