#include "HistoryCombo.h"

#include "HexCombo.h"
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
        CHexCombo::InsertSorted(this, QString::fromLatin1(value));
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
    for (int i = 0; i < count(); ++i) {
        if (QString::compare(itemText(i), strText, Qt::CaseInsensitive) == 0) return -1;
    }
    int nPosition = FindEntryBeginningWith(strText);
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

int CHistoryCombo::FindEntryBeginningWith(const QString& strText) const {
    const int nCount = count();
    for (int step = 1; step <= nCount; ++step) {
        const int i = step % nCount;
        if (itemText(i).startsWith(strText, Qt::CaseInsensitive)) return i;
    }
    return -1;
}
