// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CompareRows.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

// Two dumps (or a dump and the card as read) side by side, file by file and field by
// field, the differences marked; "Next Difference" (F3) goes from one to the next.
class CCompareWindow : public QWidget {
    Q_OBJECT

public:
    CCompareWindow(const CCardDump& a, const QString& strNameA, const CCardDump& b,
                   const QString& strNameB, QWidget* pParent = nullptr);

    void OnNextDifference();
    QTreeWidget* Tree() const { return m_pTree; }
    int CurrentRow() const { return m_nCurrent; }
    int DifferenceCount() const { return m_nDifferences; }

private:
    std::vector<CCompareRow> m_rows;
    QTreeWidget* m_pTree = nullptr;
    QLabel* m_pSummary = nullptr;
    int m_nCurrent = -1;
    int m_nDifferences = 0;
};
