// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpLocation.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The compiled help file wins over the manual, the manual beside the program over the
// installed one, and nothing is found where nothing is.
TEST(HelpLocation, PrefersTheHelpFileThenTheManualBesideThenTheInstalledOne) {
    const char* const chm = "bin/Corvanta Pro.chm";
    const char* const beside = "bin/manual/index.html";
    const char* const installed = "share/doc/corvanta/manual/index.html";
    struct Case {
        std::vector<const char*> files;
        const char* expected;
    } cases[] = {
        {{}, nullptr},
        {{installed}, installed},
        {{beside, installed}, beside},
        {{chm, beside, installed}, chm},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        QDir(root.path()).mkpath("bin");
        for (const char* file : c.files) {
            QDir(root.path()).mkpath(QFileInfo(root.filePath(file)).path());
            QFile(root.filePath(file)).open(QIODevice::WriteOnly);
        }
        const QString found = CHelpLocation::Find(root.filePath("bin"));
        EXPECT_EQ(found, c.expected ? root.filePath(c.expected) : QString()) << c.files.size();
    }
}
