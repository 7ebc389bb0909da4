// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSizeLimit.h"
#include "ScriptFile.h"
#include "ScriptRowVector.h"
#include "TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

// Failed writes of the script and the export are checked with every other writer of the
// program in the disk-full tests.
namespace {

using Strings = std::vector<std::string>;

class ScriptFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    QByteArray Read(const char* name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
    }
    CTempDir m_dir{"corvanta-script"};
};

}  // namespace

TEST(ScriptFileLines, EndAtLfWithAnOptionalCrAndKeepEveryOtherByte) {
    const std::pair<std::string, Strings> cases[] = {
        {"", {}},
        {"A0\r\nB0\r\n", {"A0", "B0"}},
        {"A0\nB0", {"A0", "B0"}},
        {"\r\n", {""}},
        {"A0\r\n\r\n\nB0\r\n", {"A0", "", "", "B0"}},
        {"A0\rB0\n", {"A0\rB0"}},
        {"A0\r", {"A0\r"}},
        {" a0 b;\xE9\xFF\t\r\n", {" a0 b;\xE9\xFF\t"}}};
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(CScriptFile::SplitLines(bytes), lines) << bytes;
}

// The export leaves out the rows without a status word.
TEST_F(ScriptFileTest, ScriptRoundTripKeepsEveryCommandAndTheExportTheRowsWithAStatusWord) {
    const Strings commands{"A0A40000023F00", "", "a0 b0;\xE9", "A0B0000009"};
    CScriptRowVector rows(commands);
    rows.Rows()[0].bBreakpoint = true;
    rows.SetResult(0, "9F16", "");
    rows.SetResult(3, "9000", "98F2");
    QString error;
    ASSERT_TRUE(CScriptFile::WriteScript(Path("a.scp"), rows, &error)) << error.toStdString();
    EXPECT_EQ(Read("a.scp"), "A0A40000023F00\r\n\r\na0 b0;\xE9\r\nA0B0000009\r\n");
    Strings lines{"previous"};
    ASSERT_TRUE(CScriptFile::Read(Path("a.scp"), lines, &error));
    EXPECT_EQ(lines, commands);
    ASSERT_TRUE(CScriptFile::WriteExport(Path("a.log"), rows, nullptr));
    EXPECT_EQ(Read("a.log"), "A0A40000023F00;9F16\r\nA0B0000009;9000;98F2\r\n");
    rows.ClearResults(0, 4);
    ASSERT_TRUE(CScriptFile::WriteExport(Path("a.log"), rows, nullptr));
    EXPECT_EQ(Read("a.log"), "");

    // Cut short by a file size limit while still inside Qt's write buffer, as by a full
    // disk: the old file stays whole.
    const CFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.IsActive());
    EXPECT_FALSE(
        CScriptFile::WriteScript(Path("a.scp"), CScriptRowVector(Strings(2000, "A0")), nullptr));
    EXPECT_EQ(Read("a.scp"), "A0A40000023F00\r\n\r\na0 b0;\xE9\r\nA0B0000009\r\n");
}

// Missing, a folder, or opened but failing on read (the process's own memory at address
// 0 answers every read with an I/O error).
TEST_F(ScriptFileTest, AFileThatCannotBeReadLeavesTheLinesAsTheyWere) {
    const QString folder = QString::fromStdString(m_dir.Path());
    for (const QString& path : {Path("missing.scp"), folder, QString("/proc/self/mem")}) {
        Strings lines{"kept"};
        QString error;
        EXPECT_FALSE(CScriptFile::Read(path, lines, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        EXPECT_EQ(lines, Strings{"kept"}) << path.toStdString();
    }
}

// A script that is no script: binary bytes and a 100 MB line read back byte for byte.
TEST_F(ScriptFileTest, BinaryAndHugeScriptsReadWhole) {
    const std::string tail("\xFF\0\x80", 3);
    ASSERT_TRUE(
        CScriptFile::SaveBytes(Path("a.scp"), std::string(100 << 20, 'A') + "\n" + tail, nullptr));
    Strings lines;
    ASSERT_TRUE(CScriptFile::Read(Path("a.scp"), lines, nullptr));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), std::size_t{100 << 20});
    EXPECT_EQ(lines[1], tail);
}
