// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// A dialog template as data: sizes and positions in dialog units, which the dialog maps
// to pixels through its font's base units.

enum class EControlKind {
    Static,        // text label
    StaticRight,   // right-aligned text label
    IconStatic,    // the application icon
    Frame,         // invisible frame; only its rectangle is used
    EtchedLine,    // etched horizontal line
    PushButton,
    DefPushButton,
    Edit,
    DropDownList,  // combo box without an edit field
    ListBox,
    IconList,      // list view in icon mode
    InfoBar,       // the page caption bar
    ReportList,    // list view in report style
    UpDown,        // up-down arrows for the edit before them
};

struct SDialogControl {
    int nId;
    EControlKind kind;
    int x, y, cx, cy;
    const char* pszText;
};

struct SDialogTemplate {
    int nId;
    int cx, cy;
    const char* pszTitle;  // null for a child page
    const char* pszFont;
    int nPointSize;
    std::vector<SDialogControl> controls;
};
