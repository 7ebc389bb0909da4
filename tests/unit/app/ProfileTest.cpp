// SPDX-License-Identifier: GPL-3.0-or-later
#include "Profile.h"
#include "RegistryKey.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

// Every byte of a stored string or binary value comes back; the key the history lists go
// through refuses a short buffer without writing to it and stays open when a Create fails.
TEST(Profile, KeepsEveryByteAndItsKeyGuardsTheCallersBuffer) {
    UseFreshProfile();
    int argc = 1;
    char name[] = "app_unit_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    QByteArray bytes;
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
    const std::string text(bytes.constData() + 1, 255);  // a string ends at its first zero
    CProfile::WriteString("Settings", "Reader", text);
    EXPECT_EQ(CProfile::GetString("Settings", "Reader", ""), text);
    CProfile::WriteBinary("ListCtrls", "1048", bytes);
    EXPECT_EQ(CProfile::GetBinary("ListCtrls", "1048"), bytes);

    CRegistryKey key;
    ASSERT_EQ(key.Create("Software\\Mireldane\\app_unit_tests\\HistoryCombo"),
              CRegistryKey::kSuccess);
    ASSERT_EQ(key.SetValue("3F00\\7F20\\6F3A", "HistoryCombo0"), CRegistryKey::kSuccess);
    char small[4] = {'x', 'x', 'x', 'x'};
    unsigned long size = sizeof small;
    EXPECT_EQ(key.QueryValue(small, "HistoryCombo0", &size), CRegistryKey::kMoreData);
    EXPECT_EQ(size, 15u);
    EXPECT_EQ(small[0], 'x');
    EXPECT_EQ(key.Create("Software\\Mireldane"), CRegistryKey::kInvalidParameter);
    EXPECT_EQ(key.SetValue("kept", "HistoryCombo1"), CRegistryKey::kSuccess);
    EXPECT_EQ(CProfile::GetString("HistoryCombo", "HistoryCombo1", ""), "kept");
}
