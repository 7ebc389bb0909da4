// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class QMenu;
class QWidget;

// Menus and the toolbar as data. A separator has no text and command id 0.
struct SMenuItem {
    const char* pszText;
    int nId;
    std::vector<SMenuItem> children;  // a drop-down when not empty
};

class CMenuResource {
public:
    // The top-level drop-downs of menu 130, 133, 140 or 174; empty for an unknown id.
    static const std::vector<SMenuItem>& Find(int id);
    // A popup menu holding drop-down `index` of menu `id`; every action carries its
    // command id as data. The caller owns the menu.
    static QMenu* BuildPopup(int id, int index, QWidget* pParent);
    // The command id an action of BuildPopup carries, 0 for none.
    static int CommandOf(const class QAction* pAction);
    // What the status line shows while the item is highlighted: nothing for a separator,
    // the way out for a drop-down, else the prompt of its command.
    static QString PromptOf(const class QAction* pAction);
    // The command ids of the toolbar's buttons in order, 0 for a separator.
    static const std::vector<int>& ToolbarButtons();
};
