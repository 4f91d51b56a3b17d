#pragma once
// The folder chooser as a Qt dialog.
#include <memory>

#include <QFileDialog>

#include "vocabulary/shared_routines.h"

namespace pavik {

// A folder-only dialog titled `title`, opened at startDir (a native path; empty: the
// dialog's default place).
std::unique_ptr<QFileDialog> createFolderDialog(QWidget* parent, std::string_view title,
                                                std::string_view startDir);

// Shows createFolderDialog modally, owned by the active window.
class QtFolderBrowser : public FolderBrowser {
public:
    std::optional<std::string> browse(std::string_view title, std::string_view startDir) override;
};

}  // namespace pavik
