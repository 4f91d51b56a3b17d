#pragma once
// Stand-in for the source editor of the two text panes until the real editor is built in:
// a read-only plain text view of CP932 text with the few calls the main window makes.
#include <QFont>
#include <QTextEdit>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/colors.h"
#include "platform/file_bytes.h"
#include "platform/qt_colors.h"
#include "platform/qt_text.h"

namespace pavik {

class SourcePane : public QTextEdit {
public:
    explicit SourcePane(QWidget* parent = nullptr) : QTextEdit(parent) {
        setReadOnly(true);
        setAcceptRichText(false);
        setLineWrapMode(QTextEdit::FixedColumnWidth);
        setLineWrapColumnOrWidth(80);
    }

    // Text as CP932 bytes.
    void setCp932Text(std::string_view bytes) {
        text_.assign(bytes);
        setPlainText(fromCp932(bytes));
    }
    const std::string& cp932Text() const { return text_; }
    void Clear() {
        text_.clear();
        clear();
    }
    void BeginUpdate() { setUpdatesEnabled(false); }
    void EndUpdate() { setUpdatesEnabled(true); }

    // Wrap column of the paragraphs.
    void setDefWrapPos(int columns) { setLineWrapColumnOrWidth(columns > 0 ? columns : 1); }
    int DefWrapPos() const { return lineWrapColumnOrWidth(); }

    void setEditFont(const QString& name, int size) {
        QFont f(name);
        if (size > 0) f.setPointSize(size);
        f.setStyleHint(QFont::TypeWriter);
        setFont(f);
    }
    void setColors(TColor fontColor, TColor back, TColor selText, TColor selBrush) {
        QPalette p = palette();
        p.setColor(QPalette::Text, toQColor(fontColor));
        p.setColor(QPalette::Base, toQColor(back));
        p.setColor(QPalette::HighlightedText, toQColor(selText));
        p.setColor(QPalette::Highlight, toQColor(selBrush));
        setPalette(p);
    }
    TColor ColKeyWord = clBlue;

    std::function<void(SourcePane*, bool canUndo, bool canRedo)> OnUndoChange;

    std::error_code SaveToFile(const std::string& path) const {
        return writeFileReplacing(path, text_);
    }

private:
    std::string text_;
};

}  // namespace pavik
