// SPDX-License-Identifier: GPL-3.0-or-later
#include "Profile.h"

#include "ByteText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <cstdint>
#include <memory>

namespace {

QString Key(const char* pszSection, const char* pszEntry) {
    return QLatin1String(pszSection) + QLatin1Char('/') + QLatin1String(pszEntry);
}

std::unique_ptr<QSettings> Store() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QLatin1String(CProfile::kCompany),
                                       CProfile::ApplicationName());
}

bool Written(QSettings& settings) {
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace

void CProfile::SetRegistryKey(const QString& company) {
    QCoreApplication::setOrganizationName(company);
    QCoreApplication::setApplicationName(ApplicationName());
}

QString CProfile::ApplicationName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

int CProfile::GetInt(const char* pszSection, const char* pszEntry, int nDefault) {
    const QVariant value = Store()->value(Key(pszSection, pszEntry));
    bool bOk = false;
    // Stored as a 32-bit value: anything else is unreadable and reads as the default.
    const qlonglong number = value.toLongLong(&bOk);
    if (!bOk || number < INT32_MIN || number > INT32_MAX) return nDefault;
    return static_cast<int>(number);
}

std::string CProfile::GetString(const char* pszSection, const char* pszEntry,
                                const std::string& strDefault) {
    const QVariant value = Store()->value(Key(pszSection, pszEntry));
    if (!value.isValid()) return strDefault;
    return Bytes(value.toString());
}

bool CProfile::WriteInt(const char* pszSection, const char* pszEntry, int nValue) {
    const auto pSettings = Store();
    pSettings->setValue(Key(pszSection, pszEntry), nValue);
    return Written(*pSettings);
}

bool CProfile::WriteString(const char* pszSection, const char* pszEntry, const std::string& strValue) {
    const auto pSettings = Store();
    pSettings->setValue(Key(pszSection, pszEntry), Latin1(strValue));
    return Written(*pSettings);
}

QByteArray CProfile::GetBinary(const char* pszSection, const char* pszEntry) {
    return Store()->value(Key(pszSection, pszEntry)).toByteArray();
}

bool CProfile::WriteBinary(const char* pszSection, const char* pszEntry, const QByteArray& value) {
    const auto pSettings = Store();
    pSettings->setValue(Key(pszSection, pszEntry), value);
    return Written(*pSettings);
}

QString CProfile::FileName() { return Store()->fileName(); }
