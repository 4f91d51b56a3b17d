#pragma once
// The boundary between CP932 document bytes and QString UI text.
#include <QString>
#include <string>
#include <string_view>

namespace pavik {

QString fromCp932(std::string_view bytes);
// Characters CP932 lacks become '?'; pass `ok` to learn whether any did.
std::string toCp932(const QString& text, bool* ok = nullptr);

}  // namespace pavik
