#include "platform/page_resources.h"

#include <QFile>

// Resources of a static library are registered by hand, outside any namespace.
static void initPageResources() { Q_INIT_RESOURCE(pages); }

namespace pavik {

namespace {
QString message(std::string_view m) { return QString::fromLatin1(m.data(), static_cast<qsizetype>(m.size())); }
}  // namespace

PageText loadPageResource(std::string_view name) {
    static const bool registered = (initPageResources(), true);
    (void)registered;
    PageText page;
    if (name.empty()) {
        page.error = message(PageNotFoundMessage);
        return page;
    }
    QFile file(QStringLiteral(":/pages/") +
               QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) +
               QStringLiteral(".html"));
    if (!file.exists()) {
        page.error = message(PageNotFoundMessage);
        return page;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        page.error = message(PageLoadFailureMessage);
        return page;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        page.error = message(PageEmptyMessage);
        return page;
    }
    page.text = QString::fromUtf8(bytes);
    return page;
}

}  // namespace pavik
