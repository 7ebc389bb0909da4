// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigationList.h"

#include <QGuiApplication>
#include <QIcon>

namespace {

constexpr int kIconSize = 32;
constexpr int kItemHeight = 72;

}  // namespace

CNavigationList::CNavigationList(QWidget* pParent) : QListWidget(pParent) {
    setViewMode(QListView::IconMode);
}

void CNavigationList::SetUp() {
    setIconSize(QSize(kIconSize, kIconSize));
    setMovement(QListView::Static);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_cell = QSize(contentsRect().width(), kItemHeight);
    setGridSize(m_cell);
    ApplyColours();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CNavigationList::OnSelectionChanged);
}

void CNavigationList::AddPage(const QIcon& icon, const QString& strName) {
    auto* pItem = new QListWidgetItem(icon, strName);
    pItem->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    pItem->setSizeHint(m_cell);
    addItem(pItem);
}

void CNavigationList::OnSelectionChanged(const QItemSelection& selected) {
    for (const QModelIndex& index : selected.indexes()) {
        if (index.row() == m_nRememberedItem) continue;
        m_nRememberedItem = index.row();
        emit PageSelected(index.row());
    }
}

void CNavigationList::ApplyColours() {
    QPalette colours = palette();
    const QColor shadow = QGuiApplication::palette().color(QPalette::Dark);
    colours.setColor(QPalette::Base, shadow);
    colours.setColor(QPalette::Window, shadow);
    colours.setColor(QPalette::Text, Qt::white);
    setPalette(colours);
}
