#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include "PrivatePcscd.h"
#include "TempDir.h"

// corvanta-run as a user runs it, against a private pcscd with the virtual SIM card.
namespace {

struct SResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A script over the default card's MF and EF ICCID, with an empty and an invalid row.
const QByteArray kScript = "A0A40000023F00\r\n\r\na0a40000022fe2\r\nA0A40000022FE2\nA0B000000A";

class RunnerEndToEndTest : public ::testing::Test {
protected:
    void StartCard() {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
    }

    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    std::string File(const char* name) const { return m_dir.File(name); }

    void Write(const char* name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    std::string Read(const char* name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
    }

    static SResult Run(const QStringList& arguments) {
        QProcess process;
        process.start(CORVANTA_RUN_PATH, arguments);
        SResult result;
        if (!process.waitForFinished(60000)) return result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = process.readAllStandardOutput().toStdString();
        result.err = process.readAllStandardError().toStdString();
        return result;
    }

    QString Reader() const { return QString::fromStdString(m_pcscd.ReaderName()); }

    CPrivatePcscd m_pcscd;
    CTempDir m_dir{"corvanta-run"};
};

}  // namespace

TEST_F(RunnerEndToEndTest, WritesRowLinesExportAndTraceByteForByte) {
    StartCard();
    Write("a.scp", kScript);
    const SResult result =
        Run({"--export", Path("a.log"), "--trace", Path("trace.log"), Path("a.scp")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "1 A0A40000023F00 9F17\n4 A0A40000022FE2 9F0F\n5 A0B000000A 9000 98000101000000"
              "1032F4\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(
        Read("a.log"),
        "A0A40000023F00;9F17\r\nA0A40000022FE2;9F0F\r\nA0B000000A;9000;980001010000001032F4\r\n");
    const std::string rule(60, '-');
    EXPECT_EQ(Read("trace.log"), rule + "\r\nHeader=A0A4000002\r\nDataIn=3F00\r\nSW=9F17\r\n" +
                                     rule + "\r\nHeader=A0A4000002\r\nDataIn=2FE2\r\nSW=9F0F\r\n" +
                                     rule +
                                     "\r\nHeader=A0B000000A\r\nDataOut=980001010000001032F4\r\n"
                                     "SW=9000\r\n");
}

TEST_F(RunnerEndToEndTest, CheckMatchesQuestionMarksAndReportsTheFirstDifferences) {
    StartCard();
    Write("a.scp", kScript);
    Write("good.log",
          "A0A40000023F00;9F??\r\nA0A40000022FE2;9F??\r\nA0B000000A;9000;98000101????????32F?\r\n");
    Write("bad.log",
          "A0A40000023F00;9F??\r\nA0A40000022FE2;9F0F\r\nA0B000000A;9000;99??\r\nA0F2000016;"
          "9000\r\n");
    const SResult pass =
        Run({"--quiet", "--reader", Reader(), "--check", Path("good.log"), Path("a.scp")});
    EXPECT_EQ(pass.exitCode, 0) << pass.err;
    EXPECT_EQ(pass.out, "");

    const SResult fail = Run({"--quiet", "--check", Path("bad.log"), Path("a.scp")});
    EXPECT_EQ(fail.exitCode, 1);
    EXPECT_EQ(fail.err, "corvanta-run: 2 rows differ from " + File("bad.log") +
                            "\n"
                            "  row 5 A0B000000A: expected A0B000000A;9000;99??, actual "
                            "A0B000000A;9000;980001010000001032F4\n"
                            "  row - (no row): expected A0F2000016;9000, actual (no line)\n");
}

TEST_F(RunnerEndToEndTest, ListsReadersAndNamesTheReaderOrFileOfEachError) {
    StartCard();
    Write("a.scp", kScript);
    const SResult list = Run({"--list-readers"});
    EXPECT_EQ(list.exitCode, 0);
    const QString empty = Reader().replace(" 00 00", " 00 01");
    EXPECT_EQ(list.out, (Reader() + "\n" + empty + "\n").toStdString());

    const struct {
        QStringList arguments;
        std::string message;
    } cases[] = {
        {{}, "corvanta-run: no script file given (see --help)\n"},
        {{"--frobnicate", Path("a.scp")},
         "corvanta-run: Unknown option 'frobnicate'. (see --help)\n"},
        {{Path("missing.scp")},
         "corvanta-run: could not read " + File("missing.scp") + ": No such file or directory\n"},
        {{"--check", Path("missing.log"), Path("a.scp")},
         "corvanta-run: could not read " + File("missing.log") + ": No such file or directory\n"},
        {{"--reader", "Nowhere 00 00", Path("a.scp")},
         "corvanta-run: no reader named \"Nowhere 00 00\" (see --list-readers)\n"},
        {{"--reader", empty, Path("a.scp")},
         "corvanta-run: cannot connect to the card in reader \"" + empty.toStdString() +
             "\": 0x8010000C No smart card inserted.\n"},
        {{"--export", Path("missing/a.log"), Path("a.scp")},
         "corvanta-run: could not write " + File("missing/a.log")},
    };
    for (const auto& c : cases) {
        const SResult result = Run(c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }

    m_pcscd.StopCard();
    const SResult noCard = Run({Path("a.scp")});
    EXPECT_EQ(noCard.exitCode, 2);
    EXPECT_EQ(noCard.err, "corvanta-run: no reader holds a card\n");
    m_pcscd.StopDaemon();
    const SResult noService = Run({Path("a.scp")});
    EXPECT_EQ(noService.exitCode, 2);
    EXPECT_EQ(noService.err, "corvanta-run: cannot reach the PC/SC service (is pcscd running?)\n");
}

// Nothing stops a run, but a run whose exchanges failed is not a success.
TEST_F(RunnerEndToEndTest, ACardPulledMidRunEndsTheRunWithAReaderError) {
    StartCard();
    QByteArray script;
    for (int row = 0; row < 20000; ++row) script += "A0B000000A\r\n";
    Write("long.scp", script);
    QProcess process;
    process.start(CORVANTA_RUN_PATH, {"--export", Path("long.log"), Path("long.scp")});
    ASSERT_TRUE(process.waitForReadyRead(60000));  // rows are being sent
    m_pcscd.StopCard(true);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    const std::string err = process.readAllStandardError().toStdString();
    EXPECT_NE(err.find("exchanges failed with reader \"" + m_pcscd.ReaderName() + "\""),
              std::string::npos)
        << err;
    const std::string exported = Read("long.log");
    EXPECT_GT(std::count(exported.begin(), exported.end(), '\n'), 0);
    EXPECT_LT(std::count(exported.begin(), exported.end(), '\n'), 20000);
}

TEST(RunnerCommandLine, HelpAndVersionExitZero) {
    QProcess process;
    for (const char* option : {"--help", "--version"}) {
        process.start(CORVANTA_RUN_PATH, {option});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << option;
        EXPECT_TRUE(process.readAllStandardOutput().startsWith(
            std::string(option) == "--help" ? "Usage: " : "corvanta-run "))
            << option;
    }
}
