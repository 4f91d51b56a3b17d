// The recent-file list: order, limit, missing files, and its keys in the shared settings file.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include "components/file_name_keep.h"
#include "platform/ini_file.h"

namespace pavik::test {
namespace {

class RecentFiles : public ::testing::Test {
protected:
    QString make(const QString& name) {
        const QString path = QDir(dir.path()).filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return path;
    }
    std::string iniPath() const { return QDir(dir.path()).filePath("pavik.INI").toStdString(); }
    static QStringList entryTexts(const QMenu& menu) {
        QStringList texts;
        for (QAction* a : menu.actions()) texts.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }

    QTemporaryDir dir;
};

TEST_F(RecentFiles, NewestFirstSixAtMostAndAReusedNameMovesToTheTop) {
    IniFile ini(iniPath());
    ini.WriteString("SYSTEM", "Lastopen", "1");
    QMenu menu;
    TFileNameKeep keep([&ini]() -> IniFile& { return ini; });
    keep.SetParentMenu(&menu);
    EXPECT_TRUE(menu.actions().isEmpty());  // no entries, no separator

    QStringList files;
    for (int i = 1; i <= 7; ++i) files.append(make(QStringLiteral("s%1.CSS").arg(i)));
    for (const QString& f : files) keep.AddFileName(f);
    keep.AddFileName(files[3]);
    const QStringList expected{files[3], files[6], files[5], files[4], files[2], files[1]};
    EXPECT_EQ(keep.FileNames(), expected);  // s1 pushed out; names as given, case kept
    EXPECT_EQ(entryTexts(menu), QStringList{"-"} + expected);
    ASSERT_TRUE(keep.SaveFileNames());

    // The keys are on disk beside the other sections, and a new list reads them back.
    IniFile again(iniPath());
    EXPECT_EQ(again.ReadString("SYSTEM", "Lastopen", ""), "1");
    EXPECT_EQ(again.ReadSection("KeepFileNames"),
              (std::vector<std::string>{"FileName1", "FileName2", "FileName3", "FileName4", "FileName5", "FileName6"}));
    EXPECT_EQ(again.ReadString("KeepFileNames", "FileName1", ""), files[3].toStdString());
    QMenu menu2;
    TFileNameKeep reread([&again]() -> IniFile& { return again; });
    reread.SetParentMenu(&menu2);
    EXPECT_EQ(reread.FileNames(), expected);

    QString chosen;
    reread.OnSelect = [&chosen](const QString& f) { chosen = f; };
    reread.Entries()[2]->trigger();
    EXPECT_EQ(chosen, files[5]);
}

TEST_F(RecentFiles, NamesOfMissingFilesAreNeitherShownNorSavedAgain) {
    const QString kept = make("a & b.css");
    const QString gone = QDir(dir.path()).filePath("gone.css");
    IniFile ini = IniFile::fromBytes("[KeepFileNames]\r\nFileName1=" + gone.toStdString() + "\r\nFileName2=" +
                                         kept.toStdString() + "\r\nFileName3=\r\n",
                                     iniPath());
    QMenu menu;
    TFileNameKeep keep([&ini]() -> IniFile& { return ini; });
    keep.SetParentMenu(&menu);
    EXPECT_EQ(keep.FileNames(), QStringList{kept});
    ASSERT_EQ(keep.Entries().size(), 1);
    EXPECT_EQ(keep.Entries()[0]->text(), QString(kept).replace('&', "&&"));  // no mnemonic

    const QString later = make("later.css");
    keep.AddFileName(later);
    QFile::remove(later);  // deleted while the program runs
    keep.WriteOnExit();
    EXPECT_EQ(ini.ReadString("KeepFileNames", "FileName1", "?"), kept.toStdString());
    EXPECT_EQ(ini.ReadString("KeepFileNames", "FileName2", "?"), "");
    EXPECT_TRUE(ini.ValueExists("KeepFileNames", "FileName6"));
}

}  // namespace
}  // namespace pavik::test
