// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexValidator.h"

#include "Beep.h"

#include <QLineEdit>

#include <algorithm>

CHexValidator::CHexValidator(const QString& strAccepted, QLineEdit* pEdit)
    : QValidator(pEdit), m_strAccepted(strAccepted), m_pEdit(pEdit) {}

QString CHexValidator::Filter(const QString& strText, bool* pbDropped) const {
    QString strKept;
    for (const QChar ch : strText) {
        if (m_strAccepted.contains(ch))
            strKept += ch.toUpper();
        else
            *pbDropped = true;
    }
    return strKept;
}

QValidator::State CHexValidator::validate(QString& strInput, int& nPos) const {
    if (!m_pEdit->isModified()) {
        m_strLast = strInput;
        return Acceptable;
    }
    // The user's change replaced a part of the last text by what ends at the caret; the
    // text after the caret is the last text's end.
    const int nAfter = std::max(0, static_cast<int>(strInput.size()) - nPos);
    const int nPrefixLimit = std::min(nPos, static_cast<int>(m_strLast.size()) - nAfter);
    int nStart = 0;
    while (nStart < nPrefixLimit && strInput.at(nStart) == m_strLast.at(nStart)) ++nStart;
    const QString strInserted = strInput.mid(nStart, nPos - nStart);
    if (strInserted.isEmpty()) {
        m_strLast = strInput;
        return Acceptable;
    }
    bool bDropped = false;
    QString strKept = Filter(strInserted, &bDropped);
    if (bDropped) CBeep::Play();
    if (m_nTypedLimit > 0) strKept = strKept.left(std::max(0, m_nTypedLimit - nStart - nAfter));
    // Nothing left to insert: the change is undone, the text and selection stay as they were.
    if (strKept.isEmpty()) return Invalid;
    strInput = strInput.left(nStart) + strKept + strInput.right(nAfter);
    nPos = nStart + static_cast<int>(strKept.size());
    m_strLast = strInput;
    return Acceptable;
}
