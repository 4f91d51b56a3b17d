#pragma once
// A help file that is always there and records the topics and popups asked for.
#include <QStringList>

#include "platform/help.h"

namespace pavik::test {

class FakeHelp : public HelpService {
public:
    bool available() const override { return true; }
    QString helpFile() const override { return QStringLiteral("/help/Pavik.CHM"); }
    void initialize() override {}
    void showContents() override {}
    void showIndex() override {}
    void showTopic(int context) override { calls.append(QStringLiteral("topic %1").arg(context)); }
    void showTextPopup(int id, QPoint, const QString&) override { calls.append(QStringLiteral("popup %1").arg(id)); }
    void shutdown() override {}
    QStringList calls;
};

}  // namespace pavik::test
