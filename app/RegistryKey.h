// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

// One open key of the profile store, for callers that address their values by key path
// ("Software\Mireldane\<application>\<section>") as the history combo box does. It sees
// the same store as CProfile. Results are registry-style codes, 0 for success.
class CRegistryKey {
public:
    static constexpr long kSuccess = 0;
    static constexpr long kFileNotFound = 2;      // no such value
    static constexpr long kInvalidHandle = 6;     // no key open
    static constexpr long kInvalidParameter = 87; // a path that names no section
    static constexpr long kMoreData = 234;        // the buffer is too small

    static constexpr unsigned long kCreatedNewKey = 1;
    static constexpr unsigned long kOpenedExistingKey = 2;

    CRegistryKey() = default;
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Forgets the open key; returns 0.
    long Close();
    // Opens (creating when needed) the key of that path under the user's branch. On
    // success the previously open key is closed and the new one becomes the open key; a
    // given disposition receives kCreatedNewKey or kOpenedExistingKey. On failure the
    // open key stays open.
    long Create(const std::string& strSubKey, unsigned long* pDisposition = nullptr);
    // Copies the value's text and a NUL into the buffer; *pnSize is the capacity in and the
    // bytes stored (or needed, with kMoreData) out. The value's type is not checked.
    long QueryValue(char* pBuffer, const char* pszValueName, unsigned long* pnSize) const;
    // Stores a string value.
    long SetValue(const char* pszValue, const char* pszValueName);

private:
    bool m_bOpen = false;
    QString m_strCompany;
    QString m_strApplication;
    QString m_strGroup;
};
