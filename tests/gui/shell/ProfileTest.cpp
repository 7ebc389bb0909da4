#include "Profile.h"
#include "RegistryKey.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>

#include <string>

namespace {

std::string HistoryKeyPath() {
    return "Software\\Mireldane\\" + CProfile::ApplicationName().toStdString() + "\\HistoryCombo";
}

TEST(Profile, LivesUnderTheCompanyAndTheExecutableName) {
    CProfile::SetRegistryKey("Mireldane");
    CProfile::WriteInt("Settings", "SavePosition", 0);
    EXPECT_TRUE(CProfile::FileName().endsWith("/Mireldane/shell_gui_tests.conf"))
        << qPrintable(CProfile::FileName());
    // Qt's own settings object for the application sees the same value.
    EXPECT_EQ(QSettings().value("Settings/SavePosition").toInt(), 0);
}

TEST(Profile, AbsentOrUnreadableValuesReadAsTheirDefaults) {
    EXPECT_EQ(CProfile::GetInt("Settings", "FrameTop", -1), -1);
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", "Corvanta"), "Corvanta");
    for (const char* pszStored : {"not a number", "99999999999"}) {
        CProfile::WriteString("Settings", "FrameTop", pszStored);
        EXPECT_EQ(CProfile::GetInt("Settings", "FrameTop", -1), -1) << pszStored;
    }
    CProfile::WriteInt("Settings", "FrameTop", -2147483647 - 1);
    EXPECT_EQ(CProfile::GetInt("Settings", "FrameTop", -1), -2147483647 - 1);
    // An empty string is a value, not an absence.
    CProfile::WriteString("Settings", "AppName", "");
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", "Corvanta"), "");
}

TEST(Profile, StringsAndBytesKeepEveryByte) {
    QByteArray bytes;
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
    const std::string text(bytes.constData() + 1, 255);  // a string ends at its first zero
    CProfile::WriteString("Settings", "Reader", text);
    EXPECT_EQ(CProfile::GetString("Settings", "Reader", ""), text);
    CProfile::WriteBinary("ListCtrls", "1048", bytes);
    EXPECT_EQ(CProfile::GetBinary("ListCtrls", "1048"), bytes);
}

// The history lists go through this key; their round trip is tested with them.
TEST(RegistryKey, GuardsTheCallersBufferAndKeepsItsKeyOnAFailedCreate) {
    CRegistryKey key;
    char buffer[64];
    unsigned long size = sizeof buffer;
    EXPECT_EQ(key.QueryValue(buffer, "HistoryCombo0", &size), CRegistryKey::kInvalidHandle);
    unsigned long disposition = 0;
    ASSERT_EQ(key.Create(HistoryKeyPath(), &disposition), CRegistryKey::kSuccess);
    EXPECT_EQ(disposition, CRegistryKey::kCreatedNewKey);
    EXPECT_EQ(key.QueryValue(buffer, "HistoryCombo0", &size), CRegistryKey::kFileNotFound);
    ASSERT_EQ(key.SetValue("3F00\\7F20\\6F3A", "HistoryCombo0"), CRegistryKey::kSuccess);

    // Too small a buffer is refused, left alone and told the size it needs.
    char small[4] = {'x', 'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(key.QueryValue(small, "HistoryCombo0", &size), CRegistryKey::kMoreData);
    EXPECT_EQ(size, 15u);
    EXPECT_EQ(small[0], 'x');

    EXPECT_EQ(key.Create("Software\\Mireldane"), CRegistryKey::kInvalidParameter);
    EXPECT_EQ(key.SetValue("kept", "HistoryCombo1"), CRegistryKey::kSuccess);
    EXPECT_EQ(CProfile::GetString("HistoryCombo", "HistoryCombo1", ""), "kept");
    EXPECT_EQ(key.Close(), CRegistryKey::kSuccess);
    EXPECT_EQ(key.SetValue("lost", "HistoryCombo1"), CRegistryKey::kInvalidHandle);
    CRegistryKey again;
    ASSERT_EQ(again.Create(HistoryKeyPath(), &disposition), CRegistryKey::kSuccess);
    EXPECT_EQ(disposition, CRegistryKey::kOpenedExistingKey);
}

}  // namespace
