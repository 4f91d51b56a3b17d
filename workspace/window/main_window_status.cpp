#include "workspace/window/main_window_status.h"

namespace pavik {

MainStatusBar::MainStatusBar(QWidget* parent) : TPvStatusBar(parent) {
    setObjectName("StatusBar");
    setAutoStyle(false);
    setBorderInner(fsNone);
    setBorderOuter(fsNone);
    setBorderSides(sdAll);
    setBorderWidth(0);
    setFrameSides(0);
    setFixedHeight(fontMetrics().height() + 6);

    PvResourceStatus = new TPvResourceStatus(this);
    PvResourceStatus->setObjectName("PvResourceStatus");
    PvResourceStatus->setInterval(1000);
    PvResourceStatus->OnTimerExpired = [](TPvPollingStatus*) {};
    PvResourceStatus->setBarColor(clGrayText);
    PvResourceStatus->setBarStyle(bsLED);
    PvResourceStatus->setResourceType(rtMemory);
    PvResourceStatus->setFixedWidth(60);

    PvStatusPane1 = new TPvStatusPane(this);
    PvStatusPane1->setObjectName("PvStatusPane1");
    PvStatusPane1->setAlignment(taCenter);
    PvStatusPane1->setFixedWidth(80);

    PvStatusPaneEncoding = new TPvStatusPane(this);
    PvStatusPaneEncoding->setObjectName("PvStatusPaneEncoding");
    PvStatusPaneEncoding->setAlignment(taCenter);
    PvStatusPaneEncoding->setFixedWidth(80);

    PvProgressBar = new TPvProgressBar(this);
    PvProgressBar->setObjectName("PvProgressBar");
    PvProgressBar->setFixedWidth(100);
    PvProgressBar->setBackColor(clBtnFace);
    PvProgressBar->setBorderInner(fsStatus);
    PvProgressBar->setBorderOuter(fsNone);
    PvProgressBar->setBorderWidth(1);
    PvProgressBar->setInteriorOffset(0);

    PvStatusPane = new TPvStatusPane(this);
    PvStatusPane->setObjectName("PvStatusPane");

    // Room for the size grip at the right end, so that it covers no pane (the panes run one
    // pixel past the bar's right edge).
    auto* gripRoom = new QWidget(this);
    gripRoom->setObjectName("PanelGripRoom");
    gripRoom->setFixedWidth(GripSize + 1);
    insertControl(gripRoom, alRight);
    insertControl(PvResourceStatus, alRight);
    insertControl(PvStatusPaneEncoding, alRight);
    insertControl(PvStatusPane1, alRight);
    insertControl(PvProgressBar, alRight);
    insertControl(PvStatusPane, alClient);
}

void MainStatusBar::setMessage(const QString& text) {
    PvStatusPane->setCaption(text);
    PvStatusPane->repaint();
}

void MainStatusBar::setSavedState(const QString& text) { PvStatusPane1->setCaption(text); }

void StatusProgress::setProgress(int percent) {
    if (!bar_) return;
    if (percent != 0 && percent != 100 && lastShown_.isValid() && lastShown_.elapsed() < MinIntervalMs) return;
    bar_->setPercent(percent);
    lastShown_.start();
}

void StatusProgress::setStatus(std::string_view text) {
    if (bar_) bar_->setMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace pavik
