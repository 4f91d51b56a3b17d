#include "platform/qt_text.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <limits>

#include "platform/cp932.h"

namespace pavik {

QString fromCp932(std::string_view bytes) {
    return QString::fromStdString(decodeCp932(bytes));
}

std::string toCp932(const QString& text, bool* ok) {
    Cp932Encoded e = encodeCp932(text.toStdString());
    if (ok) *ok = e.ok();
    return std::move(e.bytes);
}

QString plainCaption(const QString& caption) {
    static const QRegularExpression bracketed(QStringLiteral("[(（]&[^&][)）]"));
    const QString text = QString(caption).remove(bracketed);
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 == text.size()) break;  // a marker with nothing to mark
            ++i;                              // the marked character, or the second "&" of "&&"
        }
        plain += text[i];
    }
    if (plain.endsWith(QStringLiteral("..."))) plain.chop(3);
    else if (plain.endsWith(QChar(0x2026))) plain.chop(1);
    return plain.trimmed();
}

void holdAnyLength(QLineEdit* edit) { edit->setMaxLength(std::numeric_limits<int>::max()); }

}  // namespace pavik
