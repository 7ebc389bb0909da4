// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegistryKey.h"

#include <QSettings>
#include <QStringList>

#include <cstring>

namespace {

// The store is one settings file per company and application; the sections inside it
// are groups.
struct SKeyPath {
    QString strCompany;
    QString strApplication;
    QString strGroup;
};

bool ParseKeyPath(const std::string& strSubKey, SKeyPath* pPath) {
    QStringList parts = QString::fromLatin1(strSubKey.c_str()).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.front().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.pop_front();
    if (parts.size() < 3) return false;
    pPath->strCompany = parts.takeFirst();
    pPath->strApplication = parts.takeFirst();
    pPath->strGroup = parts.join(QLatin1Char('/'));
    return true;
}

}  // namespace

CRegistryKey::~CRegistryKey() { Close(); }

long CRegistryKey::Close() {
    m_bOpen = false;
    m_strCompany.clear();
    m_strApplication.clear();
    m_strGroup.clear();
    return kSuccess;
}

long CRegistryKey::Create(const std::string& strSubKey, unsigned long* pDisposition) {
    SKeyPath path;
    if (!ParseKeyPath(strSubKey, &path)) return kInvalidParameter;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, path.strCompany,
                       path.strApplication);
    settings.beginGroup(path.strGroup);
    const bool bExisted = !settings.allKeys().isEmpty();
    settings.endGroup();
    if (pDisposition != nullptr) *pDisposition = bExisted ? kOpenedExistingKey : kCreatedNewKey;
    const long result = Close();
    m_strCompany = path.strCompany;
    m_strApplication = path.strApplication;
    m_strGroup = path.strGroup;
    m_bOpen = true;
    return result;
}

long CRegistryKey::QueryValue(char* pBuffer, const char* pszValueName, unsigned long* pnSize) const {
    if (!m_bOpen) return kInvalidHandle;
    if (pnSize == nullptr) return kInvalidParameter;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, m_strCompany, m_strApplication);
    const QVariant value = settings.value(m_strGroup + QLatin1Char('/') + QLatin1String(pszValueName));
    if (!value.isValid()) return kFileNotFound;
    const QByteArray bytes = value.toString().toLatin1();
    const unsigned long needed = static_cast<unsigned long>(bytes.size()) + 1;
    if (pBuffer == nullptr || *pnSize < needed) {
        *pnSize = needed;
        return pBuffer == nullptr ? kSuccess : kMoreData;
    }
    std::memcpy(pBuffer, bytes.constData(), bytes.size());
    pBuffer[bytes.size()] = '\0';
    *pnSize = needed;
    return kSuccess;
}

long CRegistryKey::SetValue(const char* pszValue, const char* pszValueName) {
    if (!m_bOpen) return kInvalidHandle;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, m_strCompany, m_strApplication);
    settings.setValue(m_strGroup + QLatin1Char('/') + QLatin1String(pszValueName),
                      QString::fromLatin1(pszValue));
    settings.sync();
    return settings.status() == QSettings::NoError ? kSuccess : kInvalidHandle;
}
