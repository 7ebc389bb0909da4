// SPDX-License-Identifier: GPL-3.0-or-later
// corvanta-card twin, restore-script and diff as a user runs them, against private pcscds:
// one with the default card, one with the twin. A dump of the twin equals the dump it was
// made from; a change is named by diff; the restore script played by corvanta-run gives
// the dump back, cyclic files included; a fsdump-style JSON makes a working twin.

#include "DumpJson.h"
#include "FsdumpFixture.h"
#include "PrivatePcscd.h"
#include "SimProfile.h"
#include "TempDir.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

namespace {

const QString kReader = QString::fromStdString(CPrivatePcscd::ReaderName());

class TwinEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_card.Start(&error)) << error;
        Write("codes", "CHV1=1234\nCHV2=5678\nADM=0A0A0A0A0A0A0A0A\n");
        ASSERT_EQ(::chmod(m_dir.File("codes").c_str(), 0600), 0);
    }
    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    void Write(const char* name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray Read(const char* name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // Runs a program against the pcscd given; the exit code, -1 for a crash.
    int Run(const char* program, const QStringList& arguments, const CPrivatePcscd& pcscd) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PCSCLITE_CSOCK_NAME", QString::fromStdString(pcscd.SocketPath()));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        m_strOut = process.readAllStandardOutput().toStdString();
        m_strErr = process.readAllStandardError().toStdString();
        return process.exitCode();
    }
    int Card(const QStringList& arguments, const CPrivatePcscd& pcscd) {
        return Run(CORVANTA_CARD_PATH, arguments, pcscd);
    }
    int Card(const QStringList& arguments) { return Card(arguments, m_card); }
    int DumpTo(const char* name, const CPrivatePcscd& pcscd) {
        return Card({"dump", "--reader", kReader, "--codes", Path("codes"), "-o", Path(name)},
                    pcscd);
    }
    // A second pcscd whose card serves the profile; a test's own, stopped with it.
    const CPrivatePcscd& Twin(const char* profile) {
        CSimProfile twin;
        std::string error;
        EXPECT_TRUE(twin.Load(m_dir.File(profile), error)) << error;
        m_pTwin = std::make_unique<CPrivatePcscd>(CPrivatePcscd::Options{m_dir.File(profile), ""});
        EXPECT_TRUE(m_pTwin->Start(&error)) << error;
        // This process asks the first pcscd (pcsc-lite takes its socket once per process):
        // the helper waits for the twin's card in its own.
        EXPECT_EQ(Run(CORVANTA_PCSC_WAIT_PATH, {kReader, "10000"}, *m_pTwin), 0) << m_strErr;
        return *m_pTwin;
    }

    CTempDir m_dir{"corvanta-twin"};
    CPrivatePcscd m_card;
    std::unique_ptr<CPrivatePcscd> m_pTwin;
    std::string m_strOut, m_strErr;
};

TEST_F(TwinEndToEndTest, DumpTwinDumpIsTheSameAndARestoreScriptUndoesAChange) {
    ASSERT_EQ(DumpTo("a.json", m_card), 0) << m_strErr;
    ASSERT_EQ(Card({"twin", Path("a.json"), "--codes", Path("codes"), "-o", Path("twin.sim")}), 0)
        << m_strErr;
    // The codes file gave no UNBLOCK codes and no Ki: the twin says what it took instead.
    EXPECT_NE(m_strErr.find("defaults (UNBLOCK1 12345678, UNBLOCK2 87654321)"), std::string::npos)
        << m_strErr;
    struct stat info {};
    ASSERT_EQ(::stat(m_dir.File("twin.sim").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // it holds the codes of the codes file
    ASSERT_EQ(DumpTo("b.json", Twin("twin.sim")), 0) << m_strErr;
    EXPECT_EQ(Card({"diff", Path("a.json"), Path("b.json")}), 0) << m_strOut << m_strErr;
    EXPECT_EQ(m_strOut, "");

    // A new SPN, a changed ADN record, and two more numbers in the cyclic LND.
    Write("change.scp",
          "A020000A080A0A0A0A0A0A0A0A\r\nA02000010831323334FFFFFFFF\r\nA0A40000027F20\r\n"
          "A0A40000026F46\r\nA0D600001101414243FFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n"
          "A0A40000027F10\r\nA0A40000026F3A\r\nA0DC02041C" +
              QByteArray(56, '3') +
              "\r\n"
              "A0A40000026F44\r\nA0DC00031C" +
              QByteArray(56, '5') + "\r\nA0DC00031C" + QByteArray(56, '6') + "\r\n");
    ASSERT_EQ(Run(CORVANTA_RUN_PATH, {"--reader", kReader, Path("change.scp")}, m_card), 0)
        << m_strErr;
    ASSERT_EQ(DumpTo("c.json", m_card), 0) << m_strErr;
    EXPECT_EQ(Card({"diff", Path("a.json"), Path("c.json")}), 1) << m_strErr;
    EXPECT_NE(m_strOut.find("EF SPN: Service provider name \"Fictel Mobile\" → \"ABC\""),
              std::string::npos)
        << m_strOut;
    EXPECT_NE(m_strOut.find("EF ADN record 2:"), std::string::npos) << m_strOut;
    EXPECT_NE(m_strOut.find("EF LND record 1:"), std::string::npos) << m_strOut;

    // The restore script, with the user's VERIFY rows put first, gives the dump back.
    ASSERT_EQ(Card({"restore-script", Path("a.json"), "-o", Path("restore.scp")}), 0) << m_strErr;
    EXPECT_NE(m_strErr.find("files that need ADM"), std::string::npos) << m_strErr;
    const QByteArray restore = Read("restore.scp");
    EXPECT_EQ(restore.indexOf("31323334"), -1);
    Write("verified.scp",
          "A02000010831323334FFFFFFFF\r\nA02000020835363738FFFFFFFF\r\n"
          "A020000A080A0A0A0A0A0A0A0A\r\n" +
              restore);
    ASSERT_EQ(Run(CORVANTA_RUN_PATH, {"--reader", kReader, Path("verified.scp")}, m_card), 0)
        << m_strErr;
    for (const char* refused : {";98", ";94", ";67", ";6B"})
        EXPECT_EQ(m_strOut.find(refused), std::string::npos) << refused << "\n" << m_strOut;
    EXPECT_EQ(Card({"diff", Path("a.json"), "--reader", kReader, "--codes", Path("codes")}), 0)
        << m_strOut << m_strErr;
}

TEST_F(TwinEndToEndTest, AFsdumpStyleJsonBecomesAWorkingTwin) {
    ASSERT_EQ(DumpTo("a.json", m_card), 0) << m_strErr;
    QString error;
    const std::optional<CCardDump> dump = CDumpJson::Load(Path("a.json"), error);
    ASSERT_TRUE(dump) << error.toStdString();
    Write("fsdump.json", FsdumpOf(*dump));
    ASSERT_EQ(Card({"twin", Path("fsdump.json"), "--codes", Path("codes"), "-o", Path("f.sim")}), 0)
        << m_strErr;
    ASSERT_EQ(Card({"show", Path("fsdump.json")}), 0) << m_strErr;
    EXPECT_NE(m_strOut.find("Fictel Mobile"), std::string::npos) << m_strOut;
    ASSERT_EQ(DumpTo("f.json", Twin("f.sim")), 0) << m_strErr;
    EXPECT_EQ(Card({"diff", Path("a.json"), Path("f.json")}), 0) << m_strOut;
    EXPECT_EQ(Card({"diff", Path("a.json"), Path("missing.json")}), 2);
    EXPECT_NE(m_strErr.find("missing.json: could not open"), std::string::npos) << m_strErr;
}

}  // namespace
