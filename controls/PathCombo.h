// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HistoryCombo.h"

#include <QComboBox>
#include <QString>

class CHexEdit;

// The File page's path box: hexadecimal digits and the backslash only, completed from its
// list while typing. A completion highlights the added remainder, so the next character
// replaces it; after Delete, Backspace or Enter the text is left as it is.
class CPathCombo : public CHistoryCombo {
    Q_OBJECT

public:
    static const QString kPathCharacters;

    explicit CPathCombo(QWidget* pParent = nullptr);

    CHexEdit* PathEdit() const;
    bool IsAutoComplete() const { return m_bAutoComplete; }

protected:
    // QObject and QComboBox overrides
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void TrackKey(int key);
    void OnEditTextUpdate(const QString& strText);

    bool m_bAutoComplete = true;
};
