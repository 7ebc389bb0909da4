// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorLineModel.h"
#include "Profile.h"
#include "ProfileFile.h"
#include "ScriptFile.h"
#include "ScriptRowVector.h"
#include "SimProfile.h"
#include "SmallDisk.h"
#include "StateFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

// A full disk and a vanished folder under every file written: the save
// fails with a reason, the old file stays whole, nothing half-written is left beside it,
// and what was in memory can still be saved elsewhere.
namespace {

using Contents = std::map<std::string, std::string>;

// The bytes of each file in the folder; none when the folder is gone.
Contents ReadFolder(const std::string& folder) {
    Contents contents;
    if (!std::filesystem::exists(folder)) return contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ostringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        contents[entry.path().filename()] = bytes.str();
    }
    return contents;
}

// One writer of the program: saves what it holds in memory; false with a reason.
using Writer = std::function<bool(const QString& path, QString* pError)>;

class DiskFull : public ::testing::Test {
protected:
    void SetUp() override {
        std::string reason;
        if (!m_disk.Mount(256 * 1024, reason)) GTEST_SKIP() << reason;
        for (int line = 0; line < 2000; ++line) m_trace.AddLine("Header=A0A4000002", 0x000080);
        ASSERT_TRUE(m_card.Load(CORVANTA_DEFAULT_PROFILE, reason)) << reason;
    }
    // Each writer replaces its own old file in the folder after `spoil` and must fail,
    // leaving the folder as it was; then it saves the same content to a good folder.
    void ExpectEveryWriterFailsSafely(const std::string& folder,
                                      const std::function<bool()>& spoil) {
        for (const auto& writer : m_writers)
            std::ofstream(folder + "/" + writer.first) << "old\r\n";
        ASSERT_TRUE(spoil());
        const Contents before = ReadFolder(folder);
        for (const auto& [name, save] : m_writers) {
            SCOPED_TRACE(name);
            QString reason;
            EXPECT_FALSE(save(QString::fromStdString(folder + "/" + name), &reason));
            EXPECT_FALSE(reason.isEmpty());
            EXPECT_TRUE(save(QString::fromStdString(m_good.File(name)), &reason));
            EXPECT_GT(ReadFolder(m_good.Path())[name].size(), 4096u);
        }
        EXPECT_EQ(ReadFolder(folder), before);
    }

    CSmallDisk m_disk;
    CTempDir m_good{"corvanta-good"};
    CScriptRowVector m_rows{std::vector<std::string>(2000, "A0A40000023F00")};
    CColorLineModel m_trace;
    CSimProfile m_card;
    const std::map<std::string, Writer> m_writers = {
        {"script",
         [this](const QString& path, QString* pError) {
             return CScriptFile::WriteScript(path, m_rows, pError);
         }},
        {"trace",
         [this](const QString& path, QString* pError) { return m_trace.SaveTo(path, pError); }},
        {"Command.INI",
         [](const QString& path, QString* pError) {
             CProfileFile ini(path);
             ini.SetString("LastCmd", "LastCmd1", std::string(20000, 'A'));
             *pError = "(none given)";
             return ini.Save();
         }},
        {"card state",
         [this](const QString& path, QString* pError) {
             std::string reason;
             const bool bSaved = CStateFile(path.toStdString()).Save(m_card, reason);
             *pError = QString::fromStdString(reason);
             return bSaved;
         }},
    };
};

TEST_F(DiskFull, EveryWriterFailsSafelyWhenItsFolderVanishedOrTheDiskIsFull) {
    const std::string gone = m_disk.File("gone");
    std::filesystem::create_directory(gone);
    ExpectEveryWriterFailsSafely(gone, [&gone]() { return std::filesystem::remove_all(gone) > 0; });
    ExpectEveryWriterFailsSafely(m_disk.Path(), [this]() { return m_disk.Fill(); });
}

// QSettings writes the whole profile aside and renames it, so a full disk leaves the old
// profile whole; the write reports the failure, and the value stays in effect in memory
// for the rest of the session.
TEST_F(DiskFull, TheProfileKeepsItsOldFileAndTheWriteReportsFailure) {
    setenv("XDG_CONFIG_HOME", m_disk.Path().c_str(), 1);
    ASSERT_TRUE(CProfile::WriteString("Settings", "Reader", "Old Reader 00 00"));
    const std::filesystem::path file = CProfile::FileName().toStdString();
    ASSERT_TRUE(m_disk.Fill());
    const Contents old = ReadFolder(file.parent_path());
    const std::string wanted(20000, 'R');
    EXPECT_FALSE(CProfile::WriteString("Settings", "Reader", wanted));
    EXPECT_EQ(ReadFolder(file.parent_path()), old);
    EXPECT_TRUE(CProfile::GetString("Settings", "Reader", "") == wanted);
}

}  // namespace
