#include "components/file_name_keep.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <string>

#include "platform/ini_file.h"

namespace pavik {
namespace {

std::string keyOf(int slot) { return "FileName" + std::to_string(slot); }

// An entry's text: "&" would mark a mnemonic.
QString entryText(QString name) { return name.replace('&', QStringLiteral("&&")); }

}  // namespace

TFileNameKeep::TFileNameKeep(std::function<IniFile&()> settings, QObject* owner)
    : QObject(owner), settings_(std::move(settings)) {}

void TFileNameKeep::SetParentMenu(QMenu* menu) {
    parentMenu_ = menu;
    if (!menu) return;
    QStringList saved;  // all read first: each addition rewrites the keys
    const IniFile& ini = settings_();
    for (int slot = Count; slot >= 1; --slot)
        saved.append(QString::fromStdString(ini.ReadString(SectionKeepFileNames, keyOf(slot), "")));
    for (const QString& name : saved) AddFileName(name);
}

void TFileNameKeep::AddFileName(const QString& name) {
    if (!parentMenu_ || name.isEmpty()) return;
    names_.removeAll(name);
    names_.prepend(name);
    while (names_.size() > Count) names_.removeLast();
    refresh();
}

bool TFileNameKeep::SaveFileNames() {
    writeKeys();
    return settings_().flush();
}

void TFileNameKeep::WriteOnExit() {
    names_.removeIf([](const QString& name) { return !QFileInfo(name).isFile(); });
    writeKeys();
}

void TFileNameKeep::refresh() {
    names_.removeIf([](const QString& name) { return !QFileInfo(name).isFile(); });
    // An entry may be the one whose click is being handled: it goes once that is done.
    for (QAction* entry : entries_) {
        parentMenu_->removeAction(entry);
        entry->deleteLater();
    }
    entries_.clear();
    if (!separator_ && !names_.isEmpty()) separator_ = parentMenu_->addSeparator();
    for (const QString& name : names_) {
        auto* entry = new QAction(entryText(name), this);
        connect(entry, &QAction::triggered, this, [this, name] {
            if (OnSelect) OnSelect(name);
        });
        parentMenu_->addAction(entry);
        entries_.append(entry);
    }
    writeKeys();
}

void TFileNameKeep::writeKeys() {
    IniFile& ini = settings_();
    ini.EraseSection(SectionKeepFileNames);
    for (int slot = 1; slot <= Count; ++slot)
        ini.WriteString(SectionKeepFileNames, keyOf(slot), slot <= names_.size() ? names_[slot - 1].toStdString() : "");
}

}  // namespace pavik
