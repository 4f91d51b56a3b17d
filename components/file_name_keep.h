#pragma once
// The recent-file list: the six file names used last, most recent first, shown as entries of
// a menu and kept in section "KeepFileNames" of the settings file (keys "FileName1" to
// "FileName6", all six always written, empty ones included).
//
// - The list reads and writes through the settings object it is given (the main window's),
//   never a copy of its own, so no flush of one can write over the other's keys. The keys
//   follow every change of the list at once and reach the disk with the next flush.
// - A name whose file no longer exists is dropped whenever the entries are refreshed (on
//   loading and after each AddFileName): it is neither shown nor saved again.
// - Names are kept exactly as given and compared exactly.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string_view>

class QAction;
class QMenu;

namespace pavik {

class IniFile;

inline constexpr std::string_view SectionKeepFileNames = "KeepFileNames";

class TFileNameKeep : public QObject {
public:
    static constexpr int Count = 6;

    // `settings` gives the settings object whenever the list reads or writes it.
    explicit TFileNameKeep(std::function<IniFile&()> settings, QObject* owner = nullptr);

    QMenu* ParentMenu() const { return parentMenu_; }
    // Stores the menu, then loads the saved list into it (slot 6 first, so slot 1 ends on top).
    void SetParentMenu(QMenu* menu);

    // Puts `name` on top: a listed name moves there, the others keep their order; a new one
    // pushes the sixth out. Nothing without a ParentMenu or for an empty name.
    void AddFileName(const QString& name);
    // Writes the six keys and flushes the settings file; false when the flush failed.
    bool SaveFileNames();
    // At the end of the run: drops the names whose files are gone and writes the six keys
    // (the owner flushes after).
    void WriteOnExit();

    // The names, slot 1 first.
    const QStringList& FileNames() const { return names_; }
    // The menu entries, slot 1 first (the separator above them not included).
    const QList<QAction*>& Entries() const { return entries_; }

    // An entry was clicked: its file name.
    std::function<void(const QString& fileName)> OnSelect;

private:
    // Drops the names of missing files and rebuilds the entries.
    void refresh();
    void writeKeys();

    std::function<IniFile&()> settings_;
    QMenu* parentMenu_ = nullptr;
    QStringList names_;
    QAction* separator_ = nullptr;
    QList<QAction*> entries_;
};

}  // namespace pavik
