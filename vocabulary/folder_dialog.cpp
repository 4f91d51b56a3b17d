#include "vocabulary/folder_dialog.h"

#include <QApplication>
#include <QFile>

namespace pavik {

std::unique_ptr<QFileDialog> createFolderDialog(QWidget* parent, std::string_view title,
                                                std::string_view startDir) {
    auto dialog = std::make_unique<QFileDialog>(
        parent, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (!startDir.empty())
        dialog->setDirectory(QFile::decodeName(
            QByteArray(startDir.data(), static_cast<qsizetype>(startDir.size()))));
    return dialog;
}

std::optional<std::string> QtFolderBrowser::browse(std::string_view title, std::string_view startDir) {
    auto dialog = createFolderDialog(QApplication::activeWindow(), title, startDir);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return QFile::encodeName(chosen.first()).toStdString();
}

bool SelectFolder(std::string_view title, std::string& dir) {
    if (FolderBrowser* installed = installedFolderBrowser()) return SelectFolder(*installed, title, dir);
    QtFolderBrowser dialog;
    return SelectFolder(dialog, title, dir);
}

}  // namespace pavik
