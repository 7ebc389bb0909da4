// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowRole = Qt::UserRole;

}  // namespace

CCompareWindow::CCompareWindow(const CCardDump& a, const QString& strNameA, const CCardDump& b,
                               const QString& strNameB, QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_rows(CCompareRows::Build(a, b)) {
    setWindowTitle("Compare - " + strNameA + " / " + strNameB);
    auto* pLayout = new QVBoxLayout(this);
    auto* pTop = new QHBoxLayout;
    m_pSummary = new QLabel(this);
    auto* pNext = new QPushButton("&Next Difference", this);
    pNext->setToolTip("F3");
    pTop->addWidget(m_pSummary, 1);
    pTop->addWidget(pNext);
    pLayout->addLayout(pTop);
    m_pTree = new QTreeWidget(this);
    m_pTree->setColumnCount(3);
    m_pTree->setHeaderLabels({"File / field", strNameA, strNameB});
    m_pTree->setUniformRowHeights(true);
    m_pTree->header()->setSectionResizeMode(QHeaderView::Interactive);
    pLayout->addWidget(m_pTree, 1);

    const QBrush marked(QColor(255, 224, 224));
    QTreeWidgetItem* pFile = nullptr;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const CCompareRow& row = m_rows[i];
        QTreeWidgetItem* pItem = row.m_bField && pFile ? new QTreeWidgetItem(pFile) : new QTreeWidgetItem(m_pTree);
        if (!row.m_bField) pFile = pItem;
        pItem->setText(0, QString::fromStdString(row.m_strItem));
        pItem->setText(1, QString::fromStdString(row.m_strA));
        pItem->setText(2, QString::fromStdString(row.m_strB));
        pItem->setData(0, kRowRole, static_cast<int>(i));
        if (row.m_bDiffers) {
            for (int column = 0; column < 3; ++column) pItem->setBackground(column, marked);
            if (!row.m_bField) pItem->setExpanded(true);
            if (row.m_bField) ++m_nDifferences;
        }
    }
    m_pSummary->setText(m_nDifferences == 0 ? QString("The dumps hold the same files and contents.")
                                            : QString("%1 fields differ.").arg(m_nDifferences));
    m_pTree->resizeColumnToContents(0);
    m_pTree->setColumnWidth(1, 300);
    connect(pNext, &QPushButton::clicked, this, &CCompareWindow::OnNextDifference);
    auto* pShortcut = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(pShortcut, &QShortcut::activated, this, &CCompareWindow::OnNextDifference);
    resize(900, 600);
}

void CCompareWindow::OnNextDifference() {
    const int next = CCompareRows::NextDifference(m_rows, m_nCurrent);
    if (next < 0) return;
    m_nCurrent = next;
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        if ((*it)->data(0, kRowRole).toInt() == next) {
            m_pTree->setCurrentItem(*it);
            m_pTree->scrollToItem(*it);
            return;
        }
    }
}
