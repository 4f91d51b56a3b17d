#pragma once
// The main window's status bar: the message pane, the saved-state pane, the progress bar
// and the resource meter, and the progress sink that long operations report to.
#include <QElapsedTimer>
#include <QFrame>
#include <QString>
#include <string_view>

#include "workspace/progress_sink.h"

class QLabel;

namespace pavik {

class MainStatusBar : public QFrame {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    // Left pane (messages and long hints); repainted at once.
    void setMessage(const QString& text);
    QString message() const;
    // Right pane: the style sheet's saved state.
    void setSavedState(const QString& text);
    QString savedState() const;
    void setPercent(int percent);
    int percent() const { return percent_; }

    QLabel* PvStatusPane = nullptr;
    QLabel* PvStatusPane1 = nullptr;
    QWidget* PvProgressBar = nullptr;
    QWidget* PvResourceStatus = nullptr;

private:
    int percent_ = 0;
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
