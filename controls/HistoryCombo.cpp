// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryCombo.h"

#include "ByteText.h"
#include "ComboItems.h"
#include "Profile.h"

namespace {

// The longest value the history reads back, terminating NUL included.
constexpr unsigned long kValueBufferSize = 260;

QByteArray ValueName(const QString& strSection, int nPosition) {
    return (strSection + QString::number(nPosition)).toLatin1();
}

}  // namespace

CHistoryCombo::CHistoryCombo(QWidget* pParent) : QComboBox(pParent) {}

void CHistoryCombo::LoadHistory(const QString& strSection) {
    const QString strKeyPath = QStringLiteral("Software\\%1\\%2\\%3")
                                   .arg(QLatin1String(CProfile::kCompany), CProfile::ApplicationName(),
                                        strSection);
    if (m_key.Create(strKeyPath.toStdString()) != CRegistryKey::kSuccess) return;
    m_strSection = strSection;
    for (int i = 0;; ++i) {
        const QByteArray value = QueryEntry(ValueName(m_strSection, i));
        if (value.isEmpty()) break;
        InsertSorted(this, QString::fromLatin1(value));
    }
    setEditText(QString());
}

QByteArray CHistoryCombo::QueryEntry(const QByteArray& valueName) const {
    // A value longer than the usual buffer (a profile edited by hand) is read whole rather
    // than ending the history there and dropping every later entry.
    QByteArray buffer(kValueBufferSize, '\0');
    unsigned long nSize = kValueBufferSize;
    long result = m_key.QueryValue(buffer.data(), valueName.constData(), &nSize);
    if (result == CRegistryKey::kMoreData) {
        buffer.resize(static_cast<qsizetype>(nSize));
        result = m_key.QueryValue(buffer.data(), valueName.constData(), &nSize);
    }
    if (result != CRegistryKey::kSuccess) return QByteArray();
    return QByteArray(buffer.constData());
}

int CHistoryCombo::AddToHistory() { return AddToHistory(currentText()); }

int CHistoryCombo::AddToHistory(const QString& strText) {
    const std::string strBytes = Bytes(strText);
    for (int i = 0; i < count(); ++i) {
        if (EqualNoCase(Bytes(itemText(i)), strBytes)) return -1;
    }
    // From the second entry, the first wrapping round last.
    int nPosition = FindItemStartingWith(this, strText, 1);
    if (count() >= m_nMaximum && count() > 0) removeItem(0);
    if (nPosition > 0) --nPosition;
    if (nPosition < 0 || nPosition > count()) nPosition = count();
    // Inserting must not change what the edit field shows.
    const QString strEditText = currentText();
    insertItem(nPosition, strText);
    setEditText(strEditText);
    SaveHistory();
    return nPosition;
}

void CHistoryCombo::SaveHistory() {
    for (int i = 0; i < count(); ++i)
        m_key.SetValue(itemText(i).toLatin1().constData(), ValueName(m_strSection, i).constData());
}
