// SPDX-License-Identifier: GPL-3.0-or-later
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

const std::string kIccid = "980001010000001032F4";
// The private pcscd's two readers: the card's, and an empty slot.
const QString kReader = "Corvanta Virtual SIM 00 00", kEmptyReader = "Corvanta Virtual SIM 00 01";

class RunnerEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        // The default card's MF and EF ICCID, with an empty and an invalid row.
        Write("a.scp", "A0A40000023F00\r\n\r\na0a40000022fe2\r\nA0A40000022FE2\nA0B000000A");
    }
    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    void Write(const char* name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    std::string Read(const char* name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
    }
    // The exit code, -1 for a crash; keeps what the run wrote. A card to pull is pulled
    // once the run has written its first row.
    int Run(const QStringList& arguments, bool bPullCard = false) {
        QProcess process;
        process.start(CORVANTA_RUN_PATH, arguments);
        if (bPullCard && process.waitForReadyRead(60000)) m_pcscd.StopCard(true);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        m_strOut = process.readAllStandardOutput().toStdString();
        m_strErr = process.readAllStandardError().toStdString();
        return process.exitCode();
    }

    CPrivatePcscd m_pcscd;
    CTempDir m_dir{"corvanta-run"};
    std::string m_strOut, m_strErr;
};

}  // namespace

// Rows 2 and 3 are not sent; '?' in the golden export matches any one character. The
// trace is checked with a failed run below.
TEST_F(RunnerEndToEndTest, WritesRowsExportAndTraceByteForByteAndChecksAGoldenExport) {
    Write("bad.log",
          "A0A40000023F00;9F??\r\nA0A40000022FE2;9F0F\r\nA0B000000A;9000;99??\r\n"
          "A0F2000016;9000\r\n");
    EXPECT_EQ(Run({"--export", Path("a.log"), "--check", Path("bad.log"), Path("a.scp")}), 1);
    EXPECT_EQ(m_strOut,
              "1 A0A40000023F00 9F17\n4 A0A40000022FE2 9F0F\n5 A0B000000A 9000 " + kIccid + "\n");
    EXPECT_EQ(m_strErr, "corvanta-run: 2 rows differ from " + m_dir.File("bad.log") +
                            "\n  row 5 A0B000000A: expected A0B000000A;9000;99??, actual "
                            "A0B000000A;9000;" +
                            kIccid +
                            "\n  row - (no row): expected A0F2000016;9000, actual (no line)\n");
    EXPECT_EQ(Read("a.log"),
              "A0A40000023F00;9F17\r\nA0A40000022FE2;9F0F\r\nA0B000000A;9000;" + kIccid + "\r\n");

    Write("good.log", "A0A40000023F00;9F??\r\nA0A40000022FE2;9F??\r\nA0B000000A;9000;98??" +
                          QByteArray::fromStdString(kIccid.substr(4)) + "\r\n");
    EXPECT_EQ(Run({"--quiet", "--reader", kReader, "--check", Path("good.log"), Path("a.scp")}), 0)
        << m_strErr;
    EXPECT_EQ(m_strOut, "");

    EXPECT_EQ(Run({"--explain", Path("a.scp")}), 0) << m_strErr;
    EXPECT_EQ(m_strOut,
              "1 A0A40000023F00 9F17 # 23 bytes of response waiting\n"
              "4 A0A40000022FE2 9F0F # 15 bytes of response waiting\n"
              "5 A0B000000A 9000 " +
                  kIccid + " # normal ending of the command\n");
}

TEST_F(RunnerEndToEndTest, ListsReadersAndNamesTheReaderOrFileOfEachError) {
    EXPECT_EQ(Run({"--list-readers"}), 0);
    EXPECT_EQ(m_strOut, (kReader + "\n" + kEmptyReader + "\n").toStdString());

    // Exit 2 and one line on standard error, beginning with the message.
    const auto expectError = [this](const QStringList& arguments, const std::string& message) {
        EXPECT_EQ(Run(arguments), 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(m_strErr.rfind("corvanta-run: " + message, 0), 0u) << m_strErr;
        EXPECT_EQ(std::count(m_strErr.begin(), m_strErr.end(), '\n'), 1) << m_strErr;
    };
    expectError({}, "no script file given (see --help)");
    expectError({Path("missing.scp")},
                "could not read " + m_dir.File("missing.scp") + ": No such file");
    expectError({"--export", Path("no/a.log"), Path("a.scp")},
                "could not write " + m_dir.File("no/a.log"));
    expectError({"--reader", "Nowhere", Path("a.scp")}, "no reader named \"Nowhere\"");
    expectError({"--reader", kEmptyReader, Path("a.scp")},
                "cannot connect to the card in reader \"" + kEmptyReader.toStdString() +
                    "\": 0x8010000C No smart card inserted.");
    m_pcscd.StopCard();
    expectError({Path("a.scp")}, "no reader holds a card");
    m_pcscd.StopDaemon();
    expectError({Path("a.scp")}, "cannot reach the PC/SC service (is pcscd running?)");
}

// Nothing stops a run, but a run whose exchanges failed is not a success: every row is
// sent and traced, those that failed without an answer, and the export is written.
TEST_F(RunnerEndToEndTest, ACardPulledMidRunEndsTheRunWithAReaderError) {
    Write("long.scp", QByteArray("A0B000000A\r\n").repeated(20000));
    EXPECT_EQ(Run({"--export", Path("long.log"), "--trace", Path("t.log"), Path("long.scp")}, true),
              2);
    EXPECT_NE(m_strErr.find("exchanges failed with reader \"" + m_pcscd.ReaderName() + "\""),
              std::string::npos)
        << m_strErr;
    EXPECT_EQ(m_strOut.substr(m_strOut.size() - 18), "20000 A0B000000A \n");
    const std::string trace = Read("t.log");
    EXPECT_EQ(trace.substr(trace.size() - 24), "Header=A0B000000A\r\nSW=\r\n");
    EXPECT_EQ(Read("long.log").rfind("A0B000000A;9", 0), 0u);  // the answered rows
}

// One exchange that got no answer (a mute card, once: the transmit itself succeeds) is
// enough to fail the run; the rows answered before it are exported.
TEST_F(RunnerEndToEndTest, ExactlyOneFailedExchangeFailsTheRun) {
    ASSERT_TRUE(m_pcscd.SwapCard({"--misbehave", "silent:B0"}));
    EXPECT_EQ(Run({"--export", Path("a.log"), Path("a.scp")}), 2);
    EXPECT_EQ(m_strErr, "corvanta-run: 1 exchange failed with reader \"" + m_pcscd.ReaderName() +
                            "\": no answer\n");
    EXPECT_EQ(Read("a.log"), "A0A40000023F00;9F17\r\nA0A40000022FE2;9F0F\r\n");
}
