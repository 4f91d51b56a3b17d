#include "platform/qt_text.h"

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

}  // namespace pavik
