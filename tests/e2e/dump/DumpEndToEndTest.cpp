// SPDX-License-Identifier: GPL-3.0-or-later
// corvanta-card dump against a private pcscd with the virtual card: the default card read
// whole, codes from a file, the trace, a pulled card, a card that misbehaves.

#include "DumpCommand.h"
#include "DumpJson.h"
#include "PrivatePcscd.h"
#include "TempDir.h"
#include "WalkFixture.h"

#include <QFile>

#include <sys/stat.h>

#include <cstdio>

namespace {

const QString kReader = QString::fromStdString(CPrivatePcscd::ReaderName());

class DumpEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        WriteCodes("CHV1=1234\nCHV2=5678\n# the virtual card's own ADM\nADM=0A0A0A0A0A0A0A0A\n", 0600);
    }
    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    void WriteCodes(const std::string& text, mode_t mode) {
        const std::string path = m_dir.File("codes");
        std::FILE* file = std::fopen(path.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(text.c_str(), file);
        std::fclose(file);
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
    }
    std::string Read(const char* name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
    }
    // Runs the command in this process, with its output kept in m_strOut and m_strErr.
    int Dump(QStringList arguments, std::function<void(const CCardWalker&)> observer = {}) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        CCardToolIo io(out, err);
        CDumpCommand command(io);
        command.SetStepObserver(std::move(observer));
        const int result = command.Run(arguments << "--reader" << kReader);
        m_strOut = Contents(out);
        m_strErr = Contents(err);
        return result;
    }
    static std::string Contents(std::FILE* file) {
        std::string text;
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
        std::fclose(file);
        return text;
    }

    CPrivatePcscd m_pcscd;
    CTempDir m_dir{"corvanta-dump"};
    std::string m_strOut, m_strErr;
};

TEST_F(DumpEndToEndTest, ReadsTheDefaultCardWholeWithCodesFromAFileAndAMaskedTrace) {
    ASSERT_EQ(Dump({"--codes", Path("codes"), "--trace", Path("trace.log"), "-o", Path("card.json")}), 0)
        << m_strErr;
    EXPECT_EQ(m_strErr, "");
    EXPECT_NE(m_strOut.find("card.json: "), std::string::npos) << m_strOut;
    QString error;
    const std::optional<CCardDump> dump = CDumpJson::Load(Path("card.json"), error);
    ASSERT_TRUE(dump) << error.toStdString();
    EXPECT_TRUE(dump->m_bComplete);
    EXPECT_FALSE(dump->m_atr.empty());
    EXPECT_EQ(dump->m_strReader, CPrivatePcscd::ReaderName());
    // Only CHV1 guards a read on the default card: the other codes are never sent.
    EXPECT_EQ(dump->m_verified, std::vector<std::string>{"CHV1"});
    const CSimProfile profile = ParseOrDie(ReadText(CPrivatePcscd::DefaultProfilePath()));
    ExpectDumped(*profile.GetMf(), "3F00", *dump);

    const std::string trace = Read("trace.log");
    EXPECT_NE(trace.find("Header=A0A4000002\r\nDataIn=3F00\r\nSW=9F"), std::string::npos);
    EXPECT_NE(trace.find("Header=A020000108\r\nDataIn=****************\r\nSW=9000"), std::string::npos);
    for (const char* code : {"31323334", "35363738", "0A0A0A0A0A0A0A0A"}) {
        EXPECT_EQ(trace.find(code), std::string::npos) << code;
        EXPECT_EQ(Read("card.json").find(code), std::string::npos) << code;
    }
}

TEST_F(DumpEndToEndTest, RefusesCodesOthersMayReadAndSaysTheAttemptsLeftAfterAWrongCode) {
    WriteCodes("CHV1=1234\n", 0644);
    EXPECT_EQ(Dump({"--codes", Path("codes"), "-o", Path("card.json")}), 2);
    EXPECT_NE(m_strErr.find("codes: others may read or change this file of codes"), std::string::npos)
        << m_strErr;
    EXPECT_FALSE(QFile::exists(Path("card.json")));

    WriteCodes("CHV1=9999\n", 0600);
    EXPECT_EQ(Dump({"--codes", Path("codes"), "-o", Path("card.json")}), 0) << m_strErr;
    EXPECT_NE(m_strErr.find("CHV1 refused (9804): 2 attempts left; not tried again"), std::string::npos)
        << m_strErr;
    QString error;
    const std::optional<CCardDump> dump = CDumpJson::Load(Path("card.json"), error);
    ASSERT_TRUE(dump) << error.toStdString();
    EXPECT_EQ(dump->Find("3F00\\7F20\\6F07")->m_strReadStatus, "9804");
    // The header of the MF read after the wrong try shows the attempt gone.
    const auto mf = dump->Find("3F00")->Header();
    ASSERT_TRUE(mf && mf->m_chv1);
}

TEST_F(DumpEndToEndTest, APulledCardNamesTheFileAndLeavesTheOldDump) {
    QFile old(Path("card.json"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old dump") == 8);
    old.close();
    bool bPulled = false;
    EXPECT_EQ(Dump({"--codes", Path("codes"), "-o", Path("card.json")},
                   [this, &bPulled](const CCardWalker& walker) {
                       if (!bPulled && walker.ApduCount() == 30) bPulled = m_pcscd.StopCard(true);
                   }),
              2);
    EXPECT_TRUE(bPulled);
    EXPECT_NE(m_strErr.find("The card was lost while reading 3F00\\7F20\\"), std::string::npos)
        << m_strErr;
    EXPECT_NE(m_strErr.find("nothing written to " + m_dir.File("card.json")), std::string::npos)
        << m_strErr;
    EXPECT_EQ(Read("card.json"), "old dump");
}

TEST_F(DumpEndToEndTest, EndsWithAClearMessageWhateverTheCardMisbehaves) {
    struct CCase {
        const char* mode;
        int exit;
        const char* message;  // on standard error; empty: none at all
    };
    const std::vector<CCase> cases = {
        {"258", 0, "3F00: GET RESPONSE answered 256 bytes and 9000 where 23 bytes were asked"},
        {"9F00", 0, "3F00: the SELECT announced an empty description; not read"},
        {"9FFF", 0, ""},
        {"overlong", 0, "3F00: GET RESPONSE answered 31 bytes and 9000 where 23"},
        {"bare-sw", 0, "3F00: GET RESPONSE answered 0 bytes and 9000 where 23"},
        {"61xx", 0, ""},
        {"6Cxx", 0, ""},
        {"silent", 2, "The card gave no status word while reading 3F00\ncorvanta-card: nothing written"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.mode);
        ASSERT_TRUE(m_pcscd.SwapCard({"--misbehave", c.mode}));
        EXPECT_EQ(Dump({"--codes", Path("codes"), "-o", Path(c.mode)}), c.exit) << m_strErr;
        if (*c.message == '\0') {
            EXPECT_EQ(m_strErr, "");
        } else {
            EXPECT_NE(m_strErr.find(c.message), std::string::npos) << m_strErr;
        }
        QString error;
        EXPECT_EQ(CDumpJson::Load(Path(c.mode), error).has_value(), c.exit == 0) << error.toStdString();
    }
}

}  // namespace
