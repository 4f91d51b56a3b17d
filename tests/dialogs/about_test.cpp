#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>

#include "dialogs/frm_about.h"
#include "dialogs/version_data.h"
#include "dialogs/version_info.h"

using namespace pavik;

TEST(VersionInfo, ReadsKeysAndLeavesValueAloneWhenMissing) {
    VersionResource r;
    r.strings[viProductName] = "Pavik";
    r.strings[viComments] = "";  // empty counts as missing

    std::string v = "old";
    readVersionString(&r, viProductName, v);
    EXPECT_EQ(v, "Pavik");
    v = "old";
    readVersionString(&r, viComments, v);
    EXPECT_EQ(v, "old");
    readVersionString(&r, viSpecialBuild, v);
    EXPECT_EQ(v, "old");
    readVersionString(&r, 12, v);  // outside the key table
    EXPECT_EQ(v, "old");
    readVersionString(nullptr, viProductName, v);  // no version information at all
    EXPECT_EQ(v, "old");
}

TEST(VersionInfo, MissingTranslationTableRaises) {
    VersionResource r;
    r.hasTranslation = false;
    r.strings[viProductName] = "Pavik";
    std::string v;
    try {
        readVersionString(&r, viProductName, v);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "情報の取得に失敗しました");
    }
}

TEST(VersionInfo, ProgramVersionComesFromTheBuild) {
    QString v;
    TfrmAbout::GetVersionInfo(viProductVersion, v);
    EXPECT_EQ(v, QStringLiteral(PAVIK_VERSION_TEXT));
    EXPECT_EQ(v.section('.', 3, 3).toInt(), PAVIK_VERSION_BUILD);
    TfrmAbout::GetVersionInfo(viProductName, v);
    EXPECT_EQ(v, "Pavik");
    QString kept = "x";
    TfrmAbout::GetVersionInfo(viSpecialBuild, kept);
    EXPECT_EQ(kept, "x");
}

TEST(AboutBox, ShowsFourLinesAndAnyKeyClosesWithOk) {
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_A), int(Qt::Key_Return)}) {
        TfrmAbout box;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("バージョン情報"));
        EXPECT_EQ(box.size(), QSize(300, 167));
        QTimer::singleShot(0, &box, [&] {
            EXPECT_EQ(box.ProductName->text(), "Pavik");
            EXPECT_EQ(box.Version->text(), QStringLiteral("Build " PAVIK_VERSION_TEXT));
            EXPECT_FALSE(box.Copyright->text().isEmpty());
            EXPECT_NE(box.Description->text(), QStringLiteral("説明"));
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &box;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
        });
        EXPECT_EQ(box.exec(), QDialog::Accepted) << key;
    }
}

TEST(AboutBox, ClickOnTheBoxClosesWithOk) {
    TfrmAbout box;
    QTimer::singleShot(0, &box, [&] {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), box.mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.ProgramIcon, &press);
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}
