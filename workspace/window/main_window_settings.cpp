// Start-up and shutdown pieces of the main window that go through the settings file.
#include <QComboBox>
#include <QFileInfo>
#include <QSplitter>
#include <QTimer>
#include <array>

#include "platform/app_paths.h"
#include "platform/file_bytes.h"
#include "platform/font_rules.h"
#include "platform/qt_text.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/window/frm_main.h"

namespace pavik {
namespace {

QString nativeText(const std::filesystem::path& p) { return QString::fromStdString(p.native()); }

}  // namespace

void TfrmMain::readGeometry() {
    const int x = Ini->ReadInteger(SectionSystem, "PosX", 50);
    const int y = Ini->ReadInteger(SectionSystem, "PosY", 50);
    const int w = Ini->ReadInteger(SectionSystem, "width", 683);
    const int h = Ini->ReadInteger(SectionSystem, "height", 542);
    move(x, y);
    resize(w, h);
    const int widthStruct = Ini->ReadInteger(SectionSystem, "WidthStruct", 250);
    const int widthTarget = Ini->ReadInteger(SectionSystem, "WidthTarget", 150);
    const int heightTop = Ini->ReadInteger(SectionSystem, "HeightTop", 270);
    startPanes_ = {widthStruct, widthTarget, heightTop};
    SplitterTop->setSizes({widthStruct, widthTarget, std::max(1, w - widthStruct - widthTarget)});
    SplitterMain->setSizes({heightTop, std::max(1, h - heightTop)});
    if (Ini->ReadBool(SectionSystem, "Maximized", false)) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmMain::writeGeometry() {
    if (windowState() & Qt::WindowMinimized) return;
    if (windowState() & Qt::WindowMaximized) {
        Ini->WriteBool(SectionSystem, "Maximized", true);
        return;
    }
    Ini->WriteInteger(SectionSystem, "Version", BuildNo);
    Ini->WriteBool(SectionSystem, "Maximized", false);
    Ini->WriteInteger(SectionSystem, "PosX", x());
    Ini->WriteInteger(SectionSystem, "PosY", y());
    Ini->WriteInteger(SectionSystem, "width", width());
    Ini->WriteInteger(SectionSystem, "height", height());
    // The splitters know their sizes only once they were laid out on screen.
    const std::array<int, 3> panes =
        shown_ ? std::array<int, 3>{SplitterTop->sizes().value(0), SplitterTop->sizes().value(1),
                                    SplitterMain->sizes().value(0)}
               : startPanes_;
    Ini->WriteInteger(SectionSystem, "WidthStruct", panes[0]);
    Ini->WriteInteger(SectionSystem, "WidthTarget", panes[1]);
    Ini->WriteInteger(SectionSystem, "HeightTop", panes[2]);
}

void TfrmMain::readPreviewList() {
    CmbBoxPreviewHTML->clear();
    CmbBoxPreviewHTML->addItem(QStringLiteral("デフォルトプレビュー"));
    for (int i = 1; i <= 5; ++i) {
        const std::string key = std::to_string(i);
        const std::string value = Ini->ReadString(SectionPreview, key, "");
        const QString page = QString::fromStdString(value);
        if (!value.empty() && QFileInfo(page).isFile())
            CmbBoxPreviewHTML->addItem(page);
        else
            Ini->WriteString(SectionPreview, key, "");
    }
    CmbBoxPreviewHTML->setCurrentIndex(0);
}

void TfrmMain::writePreviewList() {
    for (int i = 1; i < CmbBoxPreviewHTML->count(); ++i) {
        const QString page = CmbBoxPreviewHTML->itemText(i);
        if (QFileInfo(page).isFile()) Ini->WriteString(SectionPreview, std::to_string(i), page.toStdString());
    }
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

void TfrmMain::openAtStart() {
    const QString arg = services_.arguments.value(0);
    QString file;
    if (!arg.isEmpty()) {
        if (!hasExtension(arg.toStdString(), ".css")) return;
        file = arg;
    } else {
        if (!Ini->ReadBool(SectionSystem, "Lastopen", false)) return;
        file = QString::fromStdString(Ini->ReadString(SectionSystem, "LastopenCSS", ""));
        if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    }
    bCSSSaved = true;
    setCaptionFor(file);
    DeletePreviewFiles();
    sCSSFileName = file;
    AnalyzeCSS(file);
    CmbBoxPreviewHTMLSelect();
}

void TfrmMain::writeRefreshPage() {
    const std::filesystem::path path = programFolder() / std::string(TempRefreshHTML);
    RefreshPagePath = nativeText(path);
    if (std::error_code ec = writeFileReplacing(path, "dummy :)\r\n"))
        reportFileError(RefreshPagePath, QString::fromStdString(ec.message()));
}

void TfrmMain::askToSave(bool styleSheet) {
    const QString& file = styleSheet ? sCSSFileName : sHTMLFileName;
    TAFEdit* pane = styleSheet ? RichEditSrc : EditHTML;
    const QString question = QString::fromStdString(
        savePrompt(styleSheet ? SaveKind::StyleSheet : SaveKind::HtmlPage, file.toStdString()));
    if (!services_.messages->confirm(this, question)) return;
    try {
        pane->SaveToFile(file.toStdString(), SaveFlagsPlain);
    } catch (const std::exception& e) {
        reportFileError(file, QString::fromLocal8Bit(e.what()));
    }
}

void TfrmMain::reportFileError(const QString& path, const QString& reason) {
    services_.messages->error(
        this, QStringLiteral("ファイル [ %1 ] に書き込めませんでした。\n%2").arg(path, reason));
}

}  // namespace pavik
