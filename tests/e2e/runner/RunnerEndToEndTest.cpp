#include <gtest/gtest.h>

#include <algorithm>
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

SResult Finished(QProcess& process) {
    SResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

SResult RunProgram(const QStringList& arguments) {
    QProcess process;
    process.start(CORVANTA_RUN_PATH, arguments);
    return Finished(process);
}

// A script over the default card's MF and EF ICCID, with an empty and an invalid row.
const QByteArray kScript = "A0A40000023F00\r\n\r\na0a40000022fe2\r\nA0A40000022FE2\nA0B000000A";
const std::string kIccid = "980001010000001032F4";

class RunnerEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        Write("a.scp", kScript);
    }
    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    std::string File(const char* name) const { return m_dir.File(name); }
    void Write(const char* name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    std::string Read(const char* name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
    }
    QString Reader(const char* slot = " 00 00") const {
        return QString::fromStdString(m_pcscd.ReaderName()).replace(" 00 00", slot);
    }

    CPrivatePcscd m_pcscd;
    CTempDir m_dir{"corvanta-run"};
};

}  // namespace

TEST_F(RunnerEndToEndTest, WritesRowsExportAndTraceByteForByteAndChecksAGoldenExport) {
    const SResult run =
        RunProgram({"--export", Path("a.log"), "--trace", Path("t.log"), Path("a.scp")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "1 A0A40000023F00 9F17\n4 A0A40000022FE2 9F0F\n5 A0B000000A 9000 " + kIccid + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Read("a.log"),
              "A0A40000023F00;9F17\r\nA0A40000022FE2;9F0F\r\nA0B000000A;9000;" + kIccid + "\r\n");
    const std::string rule(60, '-');
    EXPECT_EQ(Read("t.log"), rule + "\r\nHeader=A0A4000002\r\nDataIn=3F00\r\nSW=9F17\r\n" + rule +
                                 "\r\nHeader=A0A4000002\r\nDataIn=2FE2\r\nSW=9F0F\r\n" + rule +
                                 "\r\nHeader=A0B000000A\r\nDataOut=" + kIccid + "\r\nSW=9000\r\n");

    Write("good.log",
          "A0A40000023F00;9F??\r\nA0A40000022FE2;9F??\r\nA0B000000A;9000;98000101????"
          "????32F?\r\n");
    Write("bad.log",
          "A0A40000023F00;9F??\r\nA0A40000022FE2;9F0F\r\nA0B000000A;9000;99??\r\n"
          "A0F2000016;9000\r\n");
    const SResult pass =
        RunProgram({"--quiet", "--reader", Reader(), "--check", Path("good.log"), Path("a.scp")});
    EXPECT_EQ(pass.exitCode, 0) << pass.err;
    EXPECT_EQ(pass.out, "");
    const SResult fail = RunProgram({"--quiet", "--check", Path("bad.log"), Path("a.scp")});
    EXPECT_EQ(fail.exitCode, 1);
    EXPECT_EQ(fail.err, "corvanta-run: 2 rows differ from " + File("bad.log") +
                            "\n  row 5 A0B000000A: expected A0B000000A;9000;99??, actual "
                            "A0B000000A;9000;" +
                            kIccid +
                            "\n  row - (no row): expected A0F2000016;9000, actual (no line)\n");
}

TEST_F(RunnerEndToEndTest, ListsReadersAndNamesTheReaderOrFileOfEachError) {
    const SResult list = RunProgram({"--list-readers"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, (Reader() + "\n" + Reader(" 00 01") + "\n").toStdString());

    // Exit 2 and one line on standard error, beginning with the message.
    const auto expectError = [](const QStringList& arguments, const std::string& message) {
        const SResult result = RunProgram(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(result.err.rfind("corvanta-run: " + message, 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    };
    expectError({}, "no script file given (see --help)");
    expectError({Path("missing.scp")}, "could not read " + File("missing.scp") + ": No such file");
    expectError({"--export", Path("no/a.log"), Path("a.scp")},
                "could not write " + File("no/a.log"));
    expectError({"--reader", "Nowhere", Path("a.scp")}, "no reader named \"Nowhere\"");
    expectError({"--reader", Reader(" 00 01"), Path("a.scp")},
                "cannot connect to the card in reader \"" + Reader(" 00 01").toStdString() +
                    "\": 0x8010000C No smart card inserted.");
    m_pcscd.StopCard();
    expectError({Path("a.scp")}, "no reader holds a card");
    m_pcscd.StopDaemon();
    expectError({Path("a.scp")}, "cannot reach the PC/SC service (is pcscd running?)");
}

// Nothing stops a run, but a run whose exchanges failed is not a success.
TEST_F(RunnerEndToEndTest, ACardPulledMidRunEndsTheRunWithAReaderError) {
    Write("long.scp", QByteArray("A0B000000A\r\n").repeated(20000));
    QProcess process;
    process.start(CORVANTA_RUN_PATH, {"--export", Path("long.log"), Path("long.scp")});
    ASSERT_TRUE(process.waitForReadyRead(60000));  // rows are being sent
    m_pcscd.StopCard(true);
    const SResult result = Finished(process);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("exchanges failed with reader \"" + m_pcscd.ReaderName() + "\""),
              std::string::npos)
        << result.err;
    const std::string exported = Read("long.log");
    const auto lines = std::count(exported.begin(), exported.end(), '\n');
    EXPECT_TRUE(lines > 0 && lines < 20000) << lines;
}
