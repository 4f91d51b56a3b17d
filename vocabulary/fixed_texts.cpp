#include "vocabulary/fixed_texts.h"

#include <cstdio>

namespace pavik {

std::string formatDateTime(const std::tm& local) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return buf;
}

std::string generatorComment(const std::tm& local) {
    std::string s(GeneratorHead);
    s += std::to_string(BuildNo);
    s += " - on ";
    s += formatDateTime(local);
    s += " */";
    return s;
}

std::string generatorComment(std::chrono::system_clock::time_point now) {
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return generatorComment(local);
}

std::string savePrompt(SaveKind kind, std::string_view path) {
    size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string s(kind == SaveKind::StyleSheet ? SavePromptCSS : SavePromptHTML);
    s += name;
    s += SavePromptTail;
    return s;
}

std::string mainCaption(std::string_view productVersion, std::string_view openFile) {
    std::string s(AppTitle);
    s += BuildCaption;
    s += productVersion;
    s += "-";
    if (!openFile.empty()) {
        s += " [ ";
        s += openFile;
        s += " ]";
    }
    return s;
}

std::string doctypeLineStart(bool withXmlDeclaration) {
    std::string s;
    if (withXmlDeclaration) s += XmlDeclaration;
    s += DoctypeHead;
    return s;
}

std::string charsetDeclaration(std::string_view charset) {
    return "<META http-equiv=\"Content-Type\" content=\"text/html; charset=" + std::string(charset) + "\">";
}

}  // namespace pavik
