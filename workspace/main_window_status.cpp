#include "workspace/main_window_status.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace pavik {

MainStatusBar::MainStatusBar(QWidget* parent) : QFrame(parent) {
    setObjectName("StatusBar");
    setFixedHeight(22);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);

    PvStatusPane = new QLabel(this);
    PvStatusPane->setObjectName("PvStatusPane");
    PvStatusPane->setFrameShape(QFrame::Panel);
    PvStatusPane->setFrameShadow(QFrame::Sunken);
    PvStatusPane->setIndent(2);

    auto* bar = new QProgressBar(this);
    bar->setObjectName("PvProgressBar");
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setFixedWidth(100);
    bar->setTextVisible(true);
    PvProgressBar = bar;

    PvStatusPane1 = new QLabel(this);
    PvStatusPane1->setObjectName("PvStatusPane1");
    PvStatusPane1->setFrameShape(QFrame::Panel);
    PvStatusPane1->setFrameShadow(QFrame::Sunken);
    PvStatusPane1->setAlignment(Qt::AlignCenter);
    PvStatusPane1->setMinimumWidth(70);

    PvResourceStatus = new QFrame(this);
    PvResourceStatus->setObjectName("PvResourceStatus");
    PvResourceStatus->setFixedWidth(60);

    layout->addWidget(PvStatusPane, 1);
    layout->addWidget(PvProgressBar);
    layout->addWidget(PvStatusPane1);
    layout->addWidget(PvResourceStatus);
}

void MainStatusBar::setMessage(const QString& text) {
    PvStatusPane->setText(text);
    PvStatusPane->repaint();
}

QString MainStatusBar::message() const { return PvStatusPane->text(); }

void MainStatusBar::setSavedState(const QString& text) { PvStatusPane1->setText(text); }

QString MainStatusBar::savedState() const { return PvStatusPane1->text(); }

void MainStatusBar::setPercent(int percent) {
    if (percent == percent_) return;
    percent_ = percent;
    static_cast<QProgressBar*>(PvProgressBar)->setValue(percent);
    PvProgressBar->repaint();
}

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
