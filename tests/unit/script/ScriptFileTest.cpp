#include "ScriptEngine.h"
#include "ScriptFile.h"
#include "ScriptRowVector.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

namespace {

using Strings = std::vector<std::string>;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class ScriptFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    CTempDir m_dir{"corvanta-script"};
};

}  // namespace

TEST(ScriptFileLines, EndAtLfWithAnOptionalCrAndKeepEveryOtherByte) {
    const std::pair<std::string, Strings> cases[] = {
        {"", {}},
        {"A0\r\nB0\r\n", {"A0", "B0"}},
        {"A0\nB0", {"A0", "B0"}},
        {"A0\r\n\r\n\nB0\r\n", {"A0", "", "", "B0"}},
        {"\r\n", {""}},
        {"A0\rB0\n", {"A0\rB0"}},
        {"A0\r", {"A0\r"}},
        {" a0 b;\xE9\xFF\t\r\n", {" a0 b;\xE9\xFF\t"}},
    };
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(CScriptFile::SplitLines(bytes), lines) << bytes;
}

TEST_F(ScriptFileTest, ScriptRoundTripWritesEveryCommandWithCrLfAndNoResults) {
    CScriptRowVector rows({"A0A40000023F00", "", "a0 b0;\xE9", "A0B0000009"});
    rows.Rows()[0].bBreakpoint = true;
    rows.Rows()[0].strStatusWord = "9F16";
    QString error;
    ASSERT_TRUE(CScriptFile::WriteScript(Path("a.scp"), rows, &error)) << error.toStdString();
    EXPECT_EQ(ReadAll(Path("a.scp")), "A0A40000023F00\r\n\r\na0 b0;\xE9\r\nA0B0000009\r\n");

    Strings lines{"previous"};
    ASSERT_TRUE(CScriptFile::Read(Path("a.scp"), lines, &error));
    EXPECT_EQ(lines, (Strings{"A0A40000023F00", "", "a0 b0;\xE9", "A0B0000009"}));

    WriteFile(Path("b.scp"), "A0A40000023F00\n\nA0B0000009");
    ASSERT_TRUE(CScriptFile::Read(Path("b.scp"), lines, &error));
    EXPECT_EQ(lines, (Strings{"A0A40000023F00", "", "A0B0000009"}));
}

TEST_F(ScriptFileTest, ExportWritesRowsWithAStatusWordAndDataOnlyWhenThereIsSome) {
    CScriptRowVector rows({"A0A40000023F00", "A0F2000016", "A0B0000002", "a0"});
    rows.SetResult(0, "9F16", "");
    rows.SetResult(2, "9000", "98F2");
    QString error;
    ASSERT_TRUE(CScriptFile::WriteExport(Path("a.log"), rows, &error)) << error.toStdString();
    EXPECT_EQ(ReadAll(Path("a.log")), "A0A40000023F00;9F16\r\nA0B0000002;9000;98F2\r\n");

    rows.ClearResults(0, 4);
    ASSERT_TRUE(CScriptFile::WriteExport(Path("a.log"), rows, &error));
    EXPECT_EQ(ReadAll(Path("a.log")), "");
}

// An exported log opened as a script keeps each whole line, semicolons included, and
// running it sends nothing.
TEST_F(ScriptFileTest, ALogOpenedAsAScriptSendsNothing) {
    WriteFile(Path("a.log"), "A0A40000023F00;9F16\r\nA0B0000002;9000;98F2\r\n");
    Strings lines;
    ASSERT_TRUE(CScriptFile::Read(Path("a.log"), lines, nullptr));
    EXPECT_EQ(lines, (Strings{"A0A40000023F00;9F16", "A0B0000002;9000;98F2"}));
    CScriptRowVector rows(lines);
    int sent = 0;
    CScriptEngine(rows, [&sent](const std::string&, std::string&) { return ++sent, 0L; }).Play();
    EXPECT_EQ(sent, 0);
}

// Missing, a folder, or opened but failing on read (the process's own memory at address
// 0 answers every read with an I/O error).
TEST_F(ScriptFileTest, AFileThatCannotBeReadLeavesTheLinesAsTheyWere) {
    ASSERT_TRUE(QDir().mkpath(Path("folder.scp")));
    for (const QString& path :
         {Path("missing.scp"), Path("folder.scp"), QString("/proc/self/mem")}) {
        Strings lines{"kept"};
        QString error;
        EXPECT_FALSE(CScriptFile::Read(path, lines, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        EXPECT_EQ(lines, Strings{"kept"}) << path.toStdString();
    }
}

TEST_F(ScriptFileTest, AWriteThatCannotStartFailsWithAReason) {
    const CScriptRowVector rows({"A0"});
    QString error;
    EXPECT_FALSE(CScriptFile::WriteScript(Path("missing/a.scp"), rows, &error));
    EXPECT_FALSE(error.isEmpty());
}

// A write that runs out of room half way (a full disk; here a file size limit) leaves
// the previous file as it was and no temporary file beside it.
TEST_F(ScriptFileTest, AWriteCutShortKeepsTheOldFileWhole) {
    WriteFile(Path("a.scp"), "old script\r\n");
    const CScriptRowVector rows(Strings(2000, "A0B0000010"));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool bSaved = CScriptFile::WriteScript(Path("a.scp"), rows, &error);
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_FALSE(bSaved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(Path("a.scp")), "old script\r\n");
    EXPECT_EQ(QDir(QString::fromStdString(m_dir.Path())).entryList(QDir::Files | QDir::Hidden),
              QStringList{"a.scp"});
}

TEST(ScriptFileTitle, IsTheFileNameWithoutItsLastExtension) {
    EXPECT_EQ(CScriptFile::FileTitle("/home/me/a.b.scp"), "a.b");
    EXPECT_EQ(CScriptFile::FileTitle("/home/me.d/name"), "name");
    EXPECT_EQ(CScriptFile::FileTitle("run.scp"), "run");
}
