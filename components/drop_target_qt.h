#pragma once
// A widget as a drop site: its Qt drag events (its own and those its children pass up) go to
// the TDropTarget registered on it, and the target's effect goes back to Qt as the drop
// action. The dragged files are the local files of the drag's "text/uri-list".
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "components/drop_target.h"

class QMimeData;

namespace pavik {

// A drag's data, or the clipboard's, as DropData. Files cut in a file manager ask for a move
// ("x-special/gnome-copied-files" beginning with "cut", or "application/x-kde-cutselection"
// "1"), copied ones for a copy.
class MimeDropData : public DropData {
public:
    const QMimeData* mime = nullptr;
    bool hasFileList() const override;
    std::vector<std::string> fileList() const override;
    TDropEffect preferredEffect() const override;
};

// TDropTarget::ReadClipboardFiles on the system clipboard.
TDropEffect ReadClipboardFiles(TDropTarget& target);

class WidgetDropSite : public QObject, public DropSite {
public:
    explicit WidgetDropSite(QWidget* control);
    ~WidgetDropSite() override;

    void acceptDrops(TDropTarget* target) override;
    TSize clientSize() const override;
    int fontHeight() const override;
    // A scroll area scrolls in the directions whose scroll bar shows.
    bool scrollsHorizontally() const override;
    bool scrollsVertically() const override;
    void scrollLine(int dx, int dy) override;

    QWidget* control() const { return control_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> control_;
    TDropTarget* target_ = nullptr;
    MimeDropData data_;
};

}  // namespace pavik
