// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpDownEdit.h"

#include <QLineEdit>

#include <algorithm>

CUpDownEdit::CUpDownEdit(QWidget* pParent) : QAbstractSpinBox(pParent) {}

void CUpDownEdit::SetRange(int nMinimum, int nMaximum) {
    m_nMinimum = nMinimum;
    m_nMaximum = std::max(nMinimum, nMaximum);
}

void CUpDownEdit::SetPosition(int nValue) {
    lineEdit()->setText(QString::number(std::clamp(nValue, m_nMinimum, m_nMaximum)));
}

int CUpDownEdit::ShownNumber() const {
    bool bNumber = false;
    const int nValue = text().toInt(&bNumber);
    return bNumber ? nValue : m_nMinimum;
}

// QAbstractSpinBox

void CUpDownEdit::stepBy(int nSteps) {
    // Saturating: a typed number far beyond the range steps from the range's end.
    const long long nStepped = static_cast<long long>(ShownNumber()) + nSteps;
    SetPosition(static_cast<int>(std::clamp<long long>(nStepped, m_nMinimum, m_nMaximum)));
    selectAll();
}

QValidator::State CUpDownEdit::validate(QString& input, int&) const {
    const bool bDigits = std::all_of(input.cbegin(), input.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return bDigits ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled CUpDownEdit::stepEnabled() const {
    const int nValue = ShownNumber();
    StepEnabled enabled = StepNone;
    if (nValue < m_nMaximum) enabled |= StepUpEnabled;
    if (nValue > m_nMinimum) enabled |= StepDownEnabled;
    return enabled;
}
