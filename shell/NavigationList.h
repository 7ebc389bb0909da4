// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

class QIcon;

// The column of page icons down the main window's left side. It reports a page only when
// the chosen item changes, so choosing the page already shown does nothing.
class CNavigationList : public QListWidget {
    Q_OBJECT

public:
    explicit CNavigationList(QWidget* pParent);

    // Sets the one-column layout from the list's present width: call once it is placed.
    void SetUp();
    // Adds the next page's item, as wide as the list.
    void AddPage(const QIcon& icon, const QString& strName);
    // White on the desktop's shadow colour; again whenever the desktop's palette changes.
    void ApplyColours();

signals:
    void PageSelected(int nPage);

private:
    void OnSelectionChanged(const QItemSelection& selected);

    QSize m_cell;
    // The item last handled; only its change notification writes it.
    int m_nRememberedItem = 0;
};
