// Start-up and shutdown pieces of the main window that go through the settings file.
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <array>
#include <optional>
#include <utility>

#include "platform/app_paths.h"
#include "platform/file_bytes.h"
#include "platform/font_rules.h"
#include "platform/qt_text.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/pane_commands.h"
#include "workspace/window/window_settings.h"

namespace pavik {
namespace {

QString nativeText(const std::filesystem::path& p) { return QString::fromStdString(p.native()); }

}  // namespace

namespace {

// The available area of the screen that `place` lies on (else of the primary screen), less
// what the window's frame takes, for a window whose frame has the top left corner `place`.
TRect screenAreaFor(QPoint place, const QMargins& frame) {
    const QScreen* screen = QGuiApplication::screenAt(place);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect a = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return TRect{a.left(), a.top(), a.left() + a.width() - frame.left() - frame.right(),
                 a.top() + a.height() - frame.top() - frame.bottom()};
}

}  // namespace

void TfrmMain::readGeometry() {
    WindowGeometry g = WindowGeometry::read(*Ini);
    g = g.fittedTo(screenAreaFor(QPoint(g.PosX, g.PosY), QMargins()));
    move(g.PosX, g.PosY);
    resize(g.width, g.height);
    startPanes_ = {g.WidthStruct, g.WidthTarget, g.HeightTop};
    SplitterTop->setSizes({g.WidthStruct, g.WidthTarget, std::max(1, g.width - g.WidthStruct - g.WidthTarget)});
    SplitterMain->setSizes({g.HeightTop, std::max(1, g.height - g.HeightTop)});
    if (g.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmMain::keepFrameOnScreen() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
    const QRect frame = frameGeometry(), client = geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    if (margins.isNull()) return;  // no frame, or not known yet
    WindowGeometry g{frame.x(), frame.y(), width(), height()};
    g = g.fittedTo(screenAreaFor(frame.topLeft(), margins));
    if (g.PosX != frame.x() || g.PosY != frame.y()) move(g.PosX, g.PosY);
    if (g.width != width() || g.height != height()) resize(g.width, g.height);
}

void TfrmMain::writeGeometry() {
    if (windowState() & Qt::WindowMinimized) return;
    if (windowState() & Qt::WindowMaximized) {
        Ini->WriteBool(SectionSystem, "Maximized", true);
        return;
    }
    // The splitters know their sizes only once they were laid out on screen.
    const std::array<int, 3> panes =
        shown_ ? std::array<int, 3>{SplitterTop->sizes().value(0), SplitterTop->sizes().value(1),
                                    SplitterMain->sizes().value(0)}
               : startPanes_;
    WindowGeometry{x(), y(), width(), height(), panes[0], panes[1], panes[2], false}.write(*Ini);
}

void TfrmMain::applyPaneSettings(TAFEdit* pane) {
    // A colour key that does not convert reads as its default, and so does a font that
    // cannot be used.
    const std::string fontName = Ini->ReadString(SectionSystem, "EditFontName", "");
    pane->SetEditFontSize(QString::fromStdString(std::string(fontNameOr(fontName, "MS UI Gothic"))),
                          fontSizeOr(Ini->ReadInteger(SectionSystem, "EditFontSize", 10), 10));
    pane->SetFontColor(Ini->ReadColor(SectionSystem, "EditFontCol", clWindowText));
    pane->SetColor(Ini->ReadColor(SectionSystem, "EditBackCol", clWindow));
    pane->SetColKeyWord(Ini->ReadColor(SectionSystem, "TagCol", clBlue));
    pane->SetColSelText(Ini->ReadColor(SectionSystem, "SelCol", clWhite));
    pane->SetColSelBrush(Ini->ReadColor(SectionSystem, "SelBak", clBlack));
    pane->RepaintRows();
    if (pane == RichEditSrc) {
        pane->OnUndoChange = [this](TAFEdit&, bool canUndo, bool canRedo) {
            guarded([=, this] { RichEditSrcUndoChange(canUndo, canRedo); });
        };
        pane->OnChange = [this](TAFEdit&) { guarded([this] { RichEditSrcChange(); }); };
    } else {
        pane->OnUndoChange = [this](TAFEdit&, bool canUndo, bool canRedo) {
            guarded([=, this] { EditHTMLUndoChange(canUndo, canRedo); });
        };
        pane->OnChange = [this](TAFEdit&) { guarded([this] { EditHTMLChange(); }); };
    }
}

void TfrmMain::restylePanes() {
    const bool saved = bCSSSaved;
    for (TAFEdit* pane : {RichEditSrc, EditHTML}) {
        pane->BeginUpdate();
        applyPaneSettings(pane);
        pane->EndUpdate();
        pane->viewport()->update();
    }
    if (saved) {
        bCSSSaved = true;
        Refresh_Status();
    }
}

void TfrmMain::chooseStartFile() {
    const QString arg = services_.arguments.value(0);
    QString file;
    if (!arg.isEmpty()) {
        if (!hasExtension(arg.toStdString(), ".css")) return;
        file = arg;
    } else {
        if (!Ini->ReadBool(SectionSystem, "Lastopen", false)) return;
        file = QString::fromStdString(Ini->ReadString(SectionSystem, "LastopenCSS", ""));
        if (file.isEmpty() || !QFileInfo::exists(file)) return;  // gone: nothing to reopen
    }
    startFile_ = StartFile{QFileInfo(file).absoluteFilePath(), file, !arg.isEmpty()};
}

void TfrmMain::openAtStart() {
    // Only a regular file is opened (a FIFO or a device would block or never end), and only
    // once it was read.
    if (const std::optional<StartFile> start = std::exchange(startFile_, std::nullopt))
        fileCommands_->openAtStart(start->file, start->typed, start->fromArgument);
}

void TfrmMain::writeRefreshPage() {
    const std::filesystem::path path = programFolder() / std::string(TempRefreshHTML);
    RefreshPagePath = nativeText(path);
    if (std::error_code ec = writeOwnFile(path, "dummy :)\r\n"))
        reportFileError(RefreshPagePath, QString::fromStdString(ec.message()));
}

void TfrmMain::reportFileError(const QString& path, const QString& reason) {
    services_.messages->error(
        this, QStringLiteral("ファイル [ %1 ] に書き込めませんでした。\n%2").arg(path, reason));
}

}  // namespace pavik
