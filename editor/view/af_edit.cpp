// TAFEdit: construction, the published properties, the font and the metrics.
#include "editor/view/af_edit.h"

#include <QClipboard>
#include <QMimeData>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStyleHints>

#include <algorithm>

#include "editor/own_format.h"
#include "editor/view/font_mapping.h"
#include "editor/view/paint_metrics.h"
#include "editor/view/row_number_format.h"
#include "platform/cp932.h"
#include "platform/qt_colors.h"
#include "platform/qt_text.h"
#include "platform/timer.h"

namespace pavik {

// The system clipboard. Other programs get the text as Unicode; the editors of this program
// also find the exact CP932 bytes (which a round trip through Unicode would change: 87 90
// becomes 81 E0, ED 40 becomes FA 5C, a byte that decodes to nothing becomes "?") and, for
// a row-range copy, the rows with their records in the editor's own file format.
class TAFEdit::Clipboard : public ClipboardPort {
public:
    explicit Clipboard(TAFEdit& owner) : owner_(owner) {}

    static constexpr const char* kBytesType = "application/x-pavik-cp932";
    static constexpr const char* kRowsType = "application/x-pavik-rows";

    void setContent(const ClipboardContent& content) override {
        QClipboard* c = QGuiApplication::clipboard();
        if (!c) return;
        auto* data = new QMimeData;
        data->setText(fromCp932(content.text));
        data->setData(QString::fromLatin1(kBytesType),
                      QByteArray(content.text.data(), static_cast<qsizetype>(content.text.size())));
        if (!content.rows.empty()) {
            const std::string rows = writeOwnFormat(content.rows);
            data->setData(QString::fromLatin1(kRowsType),
                          QByteArray(rows.data(), static_cast<qsizetype>(rows.size())));
        }
        c->setMimeData(data);
    }

    ClipboardContent content() override {
        ClipboardContent content;
        QClipboard* c = QGuiApplication::clipboard();
        const QMimeData* data = c ? c->mimeData() : nullptr;
        if (!data) return content;
        if (data->hasFormat(QString::fromLatin1(kBytesType))) {
            const QByteArray bytes = data->data(QString::fromLatin1(kBytesType));
            content.text.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
            const QByteArray rows = data->data(QString::fromLatin1(kRowsType));
            if (!rows.isEmpty() &&
                readOwnFormat(std::string_view(rows.constData(), static_cast<size_t>(rows.size())),
                              content.rows))
                content.rows.clear();  // not readable: pasted as text
        } else if (data->hasText()) {
            const std::string utf8 = data->text().toStdString();
            if (owner_.OnPasteForeignText)
                owner_.OnPasteForeignText(owner_, utf8, content.text);
            else
                content.text = encodeCp932CssEscaped(utf8).bytes;
        }
        return content;
    }

private:
    TAFEdit& owner_;
};

TAFEdit::TAFEdit(QWidget* parent)
    : QAbstractScrollArea(parent),
      OnBeforeChange([this](bool on) {
          if (!on) { core_.OnBeforeChange = nullptr; return; }
          core_.OnBeforeChange = [this](EditorCore&, int i, std::string& s, bool& ok) { OnBeforeChange(*this, i, s, ok); };
      }),
      OnChange([this](bool on) {
          if (!on) { core_.OnChange = nullptr; return; }
          core_.OnChange = [this](EditorCore&) { OnChange(*this); };
      }),
      OnLineInsert([this](bool on) {
          if (!on) { core_.OnLineInsert = nullptr; return; }
          core_.OnLineInsert = [this](EditorCore&, int i, std::string& s) { OnLineInsert(*this, i, s); };
      }),
      OnLineDelete([this](bool on) {
          if (!on) { core_.OnLineDelete = nullptr; return; }
          core_.OnLineDelete = [this](EditorCore&, int i) { OnLineDelete(*this, i); };
      }),
      OnUndoChange([this](bool on) {
          if (!on) { core_.OnUndoChange = nullptr; return; }
          core_.OnUndoChange = [this](EditorCore&, bool u, bool r) { OnUndoChange(*this, u, r); };
      }),
      OnSelect([this](bool on) {
          if (!on) { core_.OnSelect = nullptr; return; }
          core_.OnSelect = [this](EditorCore&) { OnSelect(*this); };
      }),
      OnDisSelect([this](bool on) {
          if (!on) { core_.OnDisSelect = nullptr; return; }
          core_.OnDisSelect = [this](EditorCore&) { OnDisSelect(*this); };
      }),
      OnWordBreak([this](bool on) {
          if (!on) { core_.OnWordBreak = nullptr; return; }
          core_.OnWordBreak = [this](EditorCore&, std::string_view s, int& pos) { OnWordBreak(*this, s, pos); };
      }),
      clipboard_(std::make_unique<Clipboard>(*this)),
      mouse_(std::make_unique<MouseInput>(core_, makeTimer())) {
    settings_.dependence = &dependence_;
    settings_.keywordWidths = &keywordWidths_;
    settings_.resolve = [this](TColor c) {
        const QRgb rgb = toQColor(c, palette()).rgb();
        return static_cast<TColor>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
    };
    core_.SetView(this);
    core_.SetClipboard(clipboard_.get());

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    blink_ = makeTimer();
    blink_->setInterval(std::max(QGuiApplication::styleHints()->cursorFlashTime() / 2, 0));
    blink_->OnTimer = [this] {
        caretOn_ = !caretOn_;
        if (!caretRect_.isEmpty()) requestRepaint(caretRect_);
    };

    resize(200, 100);
    QAbstractScrollArea::setFont(editorFont(QStringLiteral("ＭＳ ゴシック"), -11));
    applyFont();
    refreshScrollBars();
    connectScrollBars();
}

TAFEdit::~TAFEdit() {
    core_.SetView(nullptr);
    core_.SetClipboard(nullptr);
}

// ---- font and metrics ----

QFont TAFEdit::editorFont(const QString& name, int height) {
    const QString family = QString::fromStdString(mapFontFamily(
        name.toStdString(),
        [](const std::string& f) { return QFontDatabase::hasFamily(QString::fromStdString(f)); },
        QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family().toStdString()));
    QFont f(family);
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(std::max(height < 0 ? -height : height, 1));
    return f;
}

void TAFEdit::SetEditFont(const QString& name, int height) { setFont(editorFont(name, height)); }

void TAFEdit::SetEditFontSize(const QString& name, int points) {
    QFont f = editorFont(name, -12);
    f.setPointSize(std::max(points, 1));
    setFont(f);
}

void TAFEdit::applyFont() {
    const QFont& f = font();
    fonts_.setBase(f);
    settings_.fontStyle = (f.bold() ? fsBold : 0) | (f.italic() ? fsItalic : 0) |
                          (f.underline() ? fsUnderline : 0) | (f.strikeOut() ? fsStrikeOut : 0);
    const QFontMetrics fm(f);
    // A full-width cell: the em size, raised so that half of it holds a half-width glyph
    // and the whole holds a full-width one.
    const QRect ink = fm.tightBoundingRect(QStringLiteral("あ"));
    textHeight_ = std::max({QFontInfo(f).pixelSize(), 2 * fm.horizontalAdvance(QLatin1Char('0')) - 1,
                            ink.height(), 1});
    baseline_ = std::clamp((textHeight_ - ink.height()) / 2 - ink.top(), 1, textHeight_);
    const QFontMetrics km(fonts_.font(settings_.keywordStyle));
    for (int b = 0; b < 256; ++b)
        keywordWidths_[static_cast<size_t>(b)] = b >= 0x20 && b < 0x7F ? km.horizontalAdvance(QLatin1Char(static_cast<char>(b))) : 0;
    paraMarks_.clear();
    updateMetrics(false);
    updateCaret();
    repaintAll();
}

size_t TAFEdit::rowNumberLength() const {
    return formatRowNumber(settings_.rowDspFmt, std::max(core_.RowCount(), 100)).size();
}

void TAFEdit::updateMetrics(bool repaint) {
    MetricsInput in;
    in.textHeight = textHeight_;
    in.charPich = charPich_;
    in.rowPich = rowPich_;
    in.leftMgn = leftMgn_;
    in.topMgn = topMgn_;
    in.viewOpt = settings_.viewOpt;
    in.rowDspFmt = settings_.rowDspFmt;
    in.rowCount = core_.RowCount();
    marginNumberLength_ = rowNumberLength();
    in.clientWidth = viewport()->width();
    in.clientHeight = viewport()->height();
    metrics_ = computeMetrics(in);
    leftMgn_ = std::max(leftMgn_, metrics_.leftMgn);
    core_.VisibleRows = metrics_.visibleRows;
    core_.VisibleCols = metrics_.visibleCols;
    if (repaint) {
        repaintAll();
        refreshScrollBars();
    }
}

void TAFEdit::updateClientSize() {
    resizeMetrics(metrics_, viewport()->width(), viewport()->height());
    core_.VisibleRows = metrics_.visibleRows;
    core_.VisibleCols = metrics_.visibleCols;
}

// ---- properties ----

void TAFEdit::setColor(TColor& field, TColor c) {
    if (field == c) return;
    field = c;
    if (&field == &settings_.colKeyWord || &field == &settings_.colSelText ||
        &field == &settings_.colDependence)
        applyFont();
    else
        repaintAll();
}

void TAFEdit::SetFontColor(TColor c) {
    if (c == core_.FontColor()) return;
    core_.SetFontColor(c);
    repaintAll();
}

void TAFEdit::SetCharPich(int pixels) {
    if (pixels == charPich_) return;
    charPich_ = pixels;
    updateMetrics(true);
}

void TAFEdit::SetLeftMgn(int pixels) {
    if (pixels == leftMgn_) return;
    leftMgn_ = pixels;
    updateMetrics(true);
}

void TAFEdit::SetTopMgn(int pixels) {
    if (pixels == topMgn_) return;
    topMgn_ = pixels;
    updateMetrics(true);
}

void TAFEdit::SetRowPich(int pixels) {
    if (pixels == rowPich_) return;
    rowPich_ = pixels;
    repaintAll();
}

void TAFEdit::SetViewOpt(TViewOptions options) {
    options &= kAllViewOptions;
    if (options == settings_.viewOpt) return;
    settings_.viewOpt = options;
    if (!core_.Updating()) updateMetrics(true);
}

void TAFEdit::SetRowDspFmt(std::string_view format) {
    if (format == settings_.rowDspFmt) return;
    settings_.rowDspFmt = std::string(format);
    repaintAll();
}

void TAFEdit::SetKeywords(std::vector<std::string> words) {
    core_.SetKeywords(std::move(words));
    repaintAll();
}

void TAFEdit::SetKeywordStyle(TFontStyles style) {
    style &= 0x0F;
    if (style == settings_.keywordStyle) return;
    settings_.keywordStyle = style;
    applyFont();
}

void TAFEdit::SetDependenceChar(std::string_view chars) {
    if (chars == dependence_.chars()) return;
    dependence_.assign(chars);
    repaintAll();
}

void TAFEdit::SetOptions(TAFEditOptions options) {
    if (options == core_.Options) return;
    core_.Options = options;
    repaintAll();
}

void TAFEdit::SetTabSize(int columns) {
    if (columns == core_.TabSize) return;
    core_.TabSize = columns;
    repaintAll();
}

void TAFEdit::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    refreshScrollBars();
}

void TAFEdit::Loaded() {
    applyFont();
    core_.ResetUndo();
    if (OnUndoChange) OnUndoChange(*this, core_.UndoBuffer().UndoAvailable(), false);
    if (core_.RowCount() == 0) core_.AddRow(std::string(), core_.DefaultRowAttr(false, 0, core_.DefWrapPos()));
    core_.ResetUndo();
    core_.Caret = {0, 0};
    updateCaret();
}

}  // namespace pavik
