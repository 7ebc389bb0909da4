// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenuResource.h"

#include "ResourceIds.h"
#include "StringTable.h"

#include <QAction>
#include <QMenu>

namespace {

const SMenuItem kSeparator{nullptr, 0, {}};

const std::vector<SMenuItem>& MainMenu() {
    static const std::vector<SMenuItem> menu = {
        {"&Card", 0,
         {{"&Connect", ID_CARD_CONNECT, {}},
          {"&Disconnect", ID_CARD_DISCONNECT, {}},
          {"&Reconnect", ID_CARD_RECONNECT, {}},
          kSeparator,
          {"E&xit", ID_APP_EXIT, {}}}},
        {"&View", 0,
         {{"Settings", ID_VIEW_SETTINGS, {}},
          {"Command", ID_VIEW_COMMAND, {}},
          {"File", ID_VIEW_FILE, {}},
          {"Script", ID_VIEW_SCRIPT, {}},
          {"Trace", ID_VIEW_TRACE, {}}}},
        {"&Tools", 0,
         {{"&Explore Card...\tCtrl+E", ID_TOOLS_EXPLORE, {}},
          {"&Open Dump...", ID_TOOLS_OPEN_DUMP, {}},
          {"&Compare...", ID_TOOLS_COMPARE, {}}}},
        {"&Help", 0,
         {{"&Contents\tF1", ID_HELP_CONTENTS, {}},
          kSeparator,
          {"&About Corvanta...", ID_APP_ABOUT, {}}}},
    };
    return menu;
}

const std::vector<SMenuItem>& InfoBarMenu() {
    static const std::vector<SMenuItem> menu = {
        {"infobar", 0,
         {{"Settings", ID_VIEW_SETTINGS, {}},
          {"Command", ID_VIEW_COMMAND, {}},
          {"File", ID_VIEW_FILE, {}},
          {"Script", ID_VIEW_SCRIPT, {}},
          {"Trace", ID_VIEW_TRACE, {}}}},
    };
    return menu;
}

const std::vector<SMenuItem>& TraceMenu() {
    static const std::vector<SMenuItem> menu = {
        {"trace", 0, {{"&Clear", ID_TRACE_CLEAR, {}}, {"&Save As...", ID_TRACE_SAVE_AS, {}}}},
    };
    return menu;
}

// The script list's context menus: "Selected" when rows are selected, else "DeSelected".
const std::vector<SMenuItem>& ScriptMenu() {
    static const std::vector<SMenuItem> menu = {
        {"Selected", 0,
         {{"&Edit...\tEnter", ID_SCRIPT_EDIT, {}},
          {"Clea&r Output", ID_SCRIPT_CLEAR_OUTPUT, {}},
          kSeparator,
          {"&Copy\tCtrl+C", ID_SCRIPT_COPY, {}},
          {"Cu&t\tCtrl+X", ID_SCRIPT_CUT, {}},
          {"&Paste\tCtrl+V", ID_SCRIPT_PASTE, {}},
          kSeparator,
          {"&Delete\tDelete", ID_SCRIPT_DELETE, {}},
          {"&Insert\tInsert", ID_SCRIPT_INSERT, {}},
          kSeparator,
          {"Insert/Remove Breakpoint \tF9", ID_SCRIPT_BREAKPOINT, {}},
          {"Select &All    \tCtrl+A", ID_SCRIPT_SELECT_ALL, {}}}},
        {"DeSelected", 0,
         {{"&New...", IDC_NEW, {}},
          {"&Open...", IDC_OPEN, {}},
          {"&Save", IDC_SAVE, {}},
          {"Save &As...", ID_SCRIPT_SAVE_AS, {}},
          {"&Export...", IDC_EXPORT, {}},
          kSeparator,
          {"&Properties...", ID_SCRIPT_PROPERTIES, {}}}},
    };
    return menu;
}

}  // namespace

const std::vector<SMenuItem>& CMenuResource::Find(int id) {
    static const std::vector<SMenuItem> none;
    switch (id) {
        case IDR_MAIN_MENU: return MainMenu();
        case IDR_INFOBAR_MENU: return InfoBarMenu();
        case IDR_TRACE_MENU: return TraceMenu();
        case IDR_SCRIPT_MENU: return ScriptMenu();
        default: return none;
    }
}

const std::vector<int>& CMenuResource::ToolbarButtons() {
    static const std::vector<int> buttons = {ID_CARD_CONNECT, ID_CARD_DISCONNECT,
                                             ID_CARD_RECONNECT, 0, ID_APP_ABOUT};
    return buttons;
}

QMenu* CMenuResource::BuildPopup(int id, int index, QWidget* pParent) {
    auto* pMenu = new QMenu(pParent);
    const std::vector<SMenuItem>& menu = Find(id);
    if (index < 0 || index >= static_cast<int>(menu.size())) return pMenu;
    for (const SMenuItem& item : menu[static_cast<std::size_t>(index)].children) {
        if (item.pszText == nullptr) {
            pMenu->addSeparator();
            continue;
        }
        QAction* pAction = pMenu->addAction(QString::fromLatin1(item.pszText));
        pAction->setData(item.nId);
    }
    return pMenu;
}

int CMenuResource::CommandOf(const QAction* pAction) {
    return pAction != nullptr ? pAction->data().toInt() : 0;
}

QString CMenuResource::PromptOf(const QAction* pAction) {
    if (pAction->isSeparator()) return {};
    if (pAction->menu() != nullptr) return QStringLiteral("Press ESC key to exit menu mode");
    return CStringTable::Prompt(CommandOf(pAction));
}
