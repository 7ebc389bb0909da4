// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// The per-user profile: named 32-bit integers, strings and raw bytes in sections, kept in
// QSettings under organisation "Mireldane" and the executable's base name, so renaming the
// executable starts a fresh profile. A value that is absent or unreadable reads as the
// default given; a write creates what it needs.
class CProfile {
public:
    static constexpr const char* kCompany = "Mireldane";
    // The section of the program's own settings and its entries.
    static constexpr const char* kSettings = "Settings";
    static constexpr const char* kReader = "Reader";
    static constexpr const char* kLanguage = "Language";
    static constexpr const char* kAppName = "AppName";
    static constexpr const char* kSavePosition = "SavePosition";
    static constexpr const char* kOutlookBarWidth = "OutlookBarWidth";

    // Makes Qt's own settings use the same store (organisation and application name).
    static void SetRegistryKey(const QString& company);
    // The executable's file name without its extension.
    static QString ApplicationName();

    static int GetInt(const char* pszSection, const char* pszEntry, int nDefault);
    static std::string GetString(const char* pszSection, const char* pszEntry,
                                 const std::string& strDefault);
    static bool WriteInt(const char* pszSection, const char* pszEntry, int nValue);
    static bool WriteString(const char* pszSection, const char* pszEntry, const std::string& strValue);
    static QByteArray GetBinary(const char* pszSection, const char* pszEntry);
    static bool WriteBinary(const char* pszSection, const char* pszEntry, const QByteArray& value);

    // The settings file of the profile, for tools and tests.
    static QString FileName();
};
