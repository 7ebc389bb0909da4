// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileFolders.h"
#include "TempDir.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

// Each kind keeps its own folder, whatever letters its name holds, until the folder is gone.
TEST(FileFolders, RemembersTheFolderOfTheLastFileChosenForEachKind) {
    UseFreshProfile();
    int argc = 1;
    char name[] = "app_unit_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const CTempDir dir("corvanta-folders");
    const QString base = QString::fromStdString(dir.Path());
    const QString scripts = base + "/scripts";
    const QString logs = QFile::decodeName(QFile::encodeName(base) + "/caf\xC3\xA9 logs");
    ASSERT_TRUE(QDir().mkpath(scripts));
    ASSERT_TRUE(QDir().mkpath(logs));

    EXPECT_EQ(CFileFolders::Folder(CFileFolders::kScripts), "");
    CFileFolders::Remember(CFileFolders::kScripts, scripts + "/a.scp");
    CFileFolders::Remember(CFileFolders::kTraceLogs, logs + "/trace.log");
    CFileFolders::Remember(CFileFolders::kScripts, "");  // cancelled: kept
    EXPECT_EQ(CFileFolders::Folder(CFileFolders::kScripts), scripts);
    EXPECT_EQ(CFileFolders::Folder(CFileFolders::kTraceLogs), logs);
    EXPECT_EQ(CFileFolders::Folder(CFileFolders::kExports), "");

    ASSERT_TRUE(QDir(scripts).removeRecursively());
    EXPECT_EQ(CFileFolders::Folder(CFileFolders::kScripts), "");
}
