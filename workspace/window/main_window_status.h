#pragma once
// The main window's status bar: the message pane, the progress bar, the saved-state pane
// and the memory meter, clear of the size grip, and the progress sink that long operations
// report to.
#include <QElapsedTimer>
#include <QString>
#include <string_view>

#include "components/pv_progress_bar.h"
#include "components/pv_status.h"
#include "components/pv_status_bar.h"
#include "components/resource_status.h"
#include "workspace/document/progress_sink.h"

namespace pavik {

class MainStatusBar : public TPvStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    // Left pane (messages and long hints); repainted at once.
    void setMessage(const QString& text);
    QString message() const { return PvStatusPane->Caption(); }
    // The saved-state pane.
    void setSavedState(const QString& text);
    QString savedState() const { return PvStatusPane1->Caption(); }
    // The encoding pane: the open style sheet's file encoding.
    void setEncoding(const QString& text) { PvStatusPaneEncoding->setCaption(text); }
    QString encoding() const { return PvStatusPaneEncoding->Caption(); }
    void setPercent(int percent) { PvProgressBar->setPercent(static_cast<std::uint16_t>(percent)); }
    int percent() const { return PvProgressBar->Percent(); }

    TPvStatusPane* PvStatusPane = nullptr;
    TPvStatusPane* PvStatusPane1 = nullptr;
    TPvStatusPane* PvStatusPaneEncoding = nullptr;
    TPvProgressBar* PvProgressBar = nullptr;
    TPvResourceStatus* PvResourceStatus = nullptr;
};

// Reports progress and status texts of document operations to the status bar. The bar
// repaints at once, which costs far more than a step of a fast operation: a new percentage
// is passed on only when some time went by since the last one (0 and 100 always), so a
// long operation still moves the bar and a short one is not slowed down by it.
class StatusProgress : public ProgressSink {
public:
    static constexpr qint64 MinIntervalMs = 40;

    void setBar(MainStatusBar* bar) { bar_ = bar; }
    void setProgress(int percent) override;
    void setStatus(std::string_view text) override;

private:
    MainStatusBar* bar_ = nullptr;
    QElapsedTimer lastShown_;
};

}  // namespace pavik
