#pragma once
// The boundary between CP932 document bytes and QString UI text, and captions shown as
// plain text.
#include <QString>
#include <string>
#include <string_view>

class QLineEdit;

namespace pavik {

QString fromCp932(std::string_view bytes);
// Characters CP932 lacks become '?'; pass `ok` to learn whether any did.
std::string toCp932(const QString& text, bool* ok = nullptr);

// A menu caption as plain text: without its mnemonic ("開く(&O)..." gives "開く", "&File"
// gives "File", "&&" gives "&") and without a trailing ellipsis.
QString plainCaption(const QString& caption);

// Lets a line edit hold a text of any length: Qt's default limit of 32767 characters would
// cut a longer value shown in it, and refuse typing at its end without a sign.
void holdAnyLength(QLineEdit* edit);

}  // namespace pavik
