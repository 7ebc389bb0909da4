// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractSpinBox>

// An edit of a whole number with up-down arrows beside it: the arrows and the Up and Down
// keys step the number it shows within its range, but a typed text stays exactly as typed
// (empty, or beyond the range), so that the dialog owning it judges what the user sees.
// A spin box would put its last valid value back on Enter or when it loses the focus.
class CUpDownEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit CUpDownEdit(QWidget* pParent = nullptr);

    void SetRange(int nMinimum, int nMaximum);
    // Shows the number.
    void SetPosition(int nValue);

    // QAbstractSpinBox
    void stepBy(int nSteps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    // QAbstractSpinBox
    StepEnabled stepEnabled() const override;

private:
    // The number shown, or the range's lower end while the text is not a number.
    int ShownNumber() const;

    int m_nMinimum = 0;
    int m_nMaximum = 99;
};
