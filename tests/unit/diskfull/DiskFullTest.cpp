#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <QSettings>

#include "ColorLineModel.h"
#include "Profile.h"
#include "ProfileFile.h"
#include "ScriptFile.h"
#include "ScriptRowVector.h"
#include "SimProfile.h"
#include "SmallDisk.h"
#include "StateFile.h"
#include "TempDir.h"

// A full disk, a read-only one and a vanished folder under every file written: the save
// fails with a reason, the old file stays whole, nothing half-written is left beside it,
// and what was in memory can still be saved elsewhere.
namespace {

const std::string kOld = "old content\r\n";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// One writer of the program: saves what it holds in memory to a path; false with a reason
// (empty where the writer has none to give).
struct SWriter {
    const char* pszName;
    std::function<bool(const std::string& path, std::string& reason)> save;
};

std::vector<SWriter> Writers() {
    auto pRows = std::make_shared<CScriptRowVector>(
        std::vector<std::string>(2000, "A0A40000023F00"));
    for (int row = 0; row < pRows->RowCount(); ++row) pRows->SetResult(row, "9F17", "");
    auto pTrace = std::make_shared<CColorLineModel>();
    for (int line = 0; line < 2000; ++line) pTrace->AddLine("Header=A0A4000002", 0x000080);
    auto pCard = std::make_shared<CSimProfile>();
    std::string error;
    EXPECT_TRUE(pCard->Load(CORVANTA_DEFAULT_PROFILE, error)) << error;
    const auto qtSave = [](auto write) {
        return [write](const std::string& path, std::string& reason) {
            QString error;
            const bool bSaved = write(QString::fromStdString(path), &error);
            reason = error.toStdString();
            return bSaved;
        };
    };
    return {
        {"script", qtSave([pRows](const QString& path, QString* pError) {
             return CScriptFile::WriteScript(path, *pRows, pError);
         })},
        {"export", qtSave([pRows](const QString& path, QString* pError) {
             return CScriptFile::WriteExport(path, *pRows, pError);
         })},
        {"trace", qtSave([pTrace](const QString& path, QString* pError) {
             return pTrace->SaveTo(path, pError);
         })},
        {"Command.INI",
         [](const std::string& path, std::string& reason) {
             CProfileFile ini(QString::fromStdString(path));
             ini.Load();
             ini.SetString("LastCmd", "LastCmd1", std::string(20000, 'A'));
             reason = "(none given)";
             return ini.Save();
         }},
        {"card state",
         [pCard](const std::string& path, std::string& reason) {
             return CStateFile(path).Save(*pCard, reason);
         }},
    };
}

class DiskFull : public ::testing::Test {
protected:
    void SetUp() override {
        std::string reason;
        if (!m_disk.Mount(256 * 1024, reason)) GTEST_SKIP() << reason;
    }
    // Each writer replaces its own old file on the small disk after `spoil` and must fail
    // leaving that file whole; then it saves the same content to a good folder.
    void ExpectEveryWriterFailsSafely(const std::function<bool()>& spoil) {
        const std::vector<SWriter> writers = Writers();
        for (const SWriter& writer : writers) {
            std::ofstream(m_disk.File(writer.pszName), std::ios::binary) << kOld;
        }
        ASSERT_TRUE(spoil());
        const std::vector<std::string> before = Names(m_disk.Path());
        for (const SWriter& writer : writers) {
            SCOPED_TRACE(writer.pszName);
            std::string reason;
            EXPECT_FALSE(writer.save(m_disk.File(writer.pszName), reason));
            EXPECT_FALSE(reason.empty());
            EXPECT_EQ(ReadAll(m_disk.File(writer.pszName)), kOld);
            const std::string elsewhere = m_good.File(writer.pszName);
            EXPECT_TRUE(writer.save(elsewhere, reason)) << reason;
            EXPECT_GT(ReadAll(elsewhere).size(), 4096u);
        }
        EXPECT_EQ(Names(m_disk.Path()), before);
    }

    CSmallDisk m_disk;
    CTempDir m_good{"corvanta-good"};
};

TEST_F(DiskFull, EveryWriterKeepsTheOldFileWhenTheDiskIsFull) {
    ExpectEveryWriterFailsSafely([this]() { return m_disk.Fill(); });
}

TEST_F(DiskFull, EveryWriterKeepsTheOldFileOnAReadOnlyDisk) {
    ExpectEveryWriterFailsSafely([this]() { return m_disk.MakeReadOnly(); });
}

TEST_F(DiskFull, EveryWriterFailsWhenItsFolderVanished) {
    const std::string folder = m_disk.File("gone");
    std::filesystem::create_directory(folder);
    std::filesystem::remove(folder);
    for (const SWriter& writer : Writers()) {
        SCOPED_TRACE(writer.pszName);
        std::string reason;
        EXPECT_FALSE(writer.save(folder + "/" + writer.pszName, reason));
        EXPECT_FALSE(reason.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}

// QSettings writes the whole profile aside and renames it, so a full disk leaves the old
// profile whole; sync() reports the failure through status(), and the value stays in
// effect in memory for the rest of the session.
TEST_F(DiskFull, TheProfileKeepsItsOldFileAndTheWriteReportsFailure) {
    setenv("XDG_CONFIG_HOME", m_disk.Path().c_str(), 1);
    ASSERT_TRUE(CProfile::WriteString("Settings", "Reader", "Old Reader 00 00"));
    const std::string path = CProfile::FileName().toStdString();
    const std::string old = ReadAll(path);
    ASSERT_TRUE(m_disk.Fill());
    const std::string wanted(20000, 'R');
    EXPECT_FALSE(CProfile::WriteString("Settings", "Reader", wanted));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_TRUE(CProfile::GetString("Settings", "Reader", "") == wanted);
}

}  // namespace
