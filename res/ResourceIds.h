// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numeric ids of dialogs, controls, commands, menus, icons and strings. A command id is
// shared by its menu item, toolbar button and shortcut, and names its prompt string.

// Dialog templates
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_MAIN = 102;
constexpr int IDD_COMMAND_PAGE = 106;
constexpr int IDD_SETTINGS_PAGE = 111;
constexpr int IDD_SCRIPT_PAGE = 112;
constexpr int IDD_FILE_PAGE = 113;
constexpr int IDD_TRACE_PAGE = 114;
constexpr int IDD_CARD_ERROR = 129;
constexpr int IDD_SCRIPT_PROPERTIES = 149;
constexpr int IDD_NEW_SCRIPT = 152;
constexpr int IDD_EDIT_COMMAND = 177;

// Icons
constexpr int IDR_MAINFRAME = 128;
constexpr int IDI_FILE = 159;
constexpr int IDI_SETTINGS = 160;
constexpr int IDI_SCRIPT = 162;
constexpr int IDI_COMMAND = 166;
constexpr int IDI_TRACE = 202;
constexpr int IDI_LIGHT_RED = 208;
constexpr int IDI_LIGHT_OFF = 209;
constexpr int IDI_LIGHT_GREEN = 210;

// Bitmaps
constexpr int IDB_MULTI = 145;  // the drag image of several rows

// Menus and toolbar
constexpr int IDR_MAIN_MENU = 130;
constexpr int IDR_TOOLBAR = 131;
constexpr int IDR_INFOBAR_MENU = 133;
constexpr int IDR_TRACE_MENU = 140;
constexpr int IDR_SCRIPT_MENU = 174;
constexpr int IDR_SCRIPT_ACCELERATORS = 175;

// Controls
constexpr int IDC_STATIC = -1;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_PAGE_HOST = 1003;
constexpr int IDC_NAVIGATION_LIST = 1034;
constexpr int IDC_TRACE_LIST = 1043;
constexpr int IDC_ETCHED_LINE = 1045;
constexpr int IDC_INFO_BAR = 1047;
constexpr int IDC_READER_COMBO = 1051;
constexpr int IDC_LANGUAGE_COMBO = 1052;
constexpr int IDC_APPLY = 1057;
constexpr int IDC_APP_NAME = 1088;
// Command page
constexpr int IDC_CLA_INS_COMBO = 1030;
constexpr int IDC_P2 = 1032;
constexpr int IDC_P3 = 1036;
constexpr int IDC_COMMAND_DATA = 1037;
constexpr int IDC_STATUS_WORD = 1038;
constexpr int IDC_P1 = 1061;
constexpr int IDC_STATUS_WORD_CAPTION = 1062;
constexpr int IDC_P1_CAPTION = 1063;
constexpr int IDC_P2_CAPTION = 1064;
constexpr int IDC_P3_CAPTION = 1065;
constexpr int IDC_MODE_IN = 1068;
constexpr int IDC_MODE_OUT = 1069;
constexpr int IDC_MODE_CAPTION = 1073;
constexpr int IDC_MODE_LINE_LEFT = 1074;
constexpr int IDC_MODE_LINE_RIGHT = 1075;
constexpr int IDC_MODE_LINE_BOTTOM = 1076;
constexpr int IDC_SEND = 1077;
constexpr int IDC_RECENT_LIST = 1079;
// File page
constexpr int IDC_FILE_DATA = 1031;
constexpr int IDC_READ = 1033;
constexpr int IDC_UPDATE = 1035;
constexpr int IDC_PATH_COMBO = 1080;
constexpr int IDC_PROPERTIES = 1081;
constexpr int IDC_OFFSET = 1082;
constexpr int IDC_LENGTH = 1083;
constexpr int IDC_FILE_DATA_CAPTION = 1084;
constexpr int IDC_OFFSET_CAPTION = 1085;
constexpr int IDC_LENGTH_CAPTION = 1086;
constexpr int IDC_GO = 1087;
constexpr int IDC_FILE_STATUS_WORD = 1089;
constexpr int IDC_RECORD_CAPTION = 1090;
constexpr int IDC_RECORD_NUMBER = 1091;
constexpr int IDC_RECORD_RANGE = 1092;
// Script page and its dialogs
constexpr int IDC_RESET = 1039;
constexpr int IDC_EXPORT = 1040;
constexpr int IDC_OPEN = 1046;
constexpr int IDC_SCRIPT_LIST = 1048;
constexpr int IDC_PLAY = 1049;
constexpr int IDC_STEP = 1050;
constexpr int IDC_NEW_TOTAL = 1117;
constexpr int IDC_NEW_TOTAL_SPIN = 1118;
constexpr int IDC_EMPTY_ITEMS = 1121;
constexpr int IDC_TOTAL_ITEMS = 1122;
constexpr int IDC_NEW_COUNT = 1127;
constexpr int IDC_NEW = 1129;
constexpr int IDC_SAVE = 1130;
constexpr int IDC_EDIT = 1133;
constexpr int IDC_COMMAND_TEXT = 1134;
constexpr int IDC_CARD_ERROR_TEXT = 1200;
constexpr int IDC_ABOUT_ICON = 1201;
constexpr int IDC_ABOUT_TEXT = 1202;

// Commands
constexpr int ID_APP_EXIT = 32771;
constexpr int ID_APP_ABOUT = 32778;
constexpr int ID_VIEW_SETTINGS = 32785;
constexpr int ID_VIEW_FILE = 32786;
constexpr int ID_VIEW_COMMAND = 32787;
constexpr int ID_VIEW_SCRIPT = 32788;
constexpr int ID_VIEW_TRACE = 32789;
constexpr int ID_CARD_CONNECT = 32791;
constexpr int ID_CARD_DISCONNECT = 32792;
constexpr int ID_TRACE_CLEAR = 32793;
constexpr int ID_TRACE_SAVE_AS = 32794;
constexpr int ID_CARD_RECONNECT = 32805;
// Script list
constexpr int ID_SCRIPT_EDIT = 32806;
constexpr int ID_SCRIPT_COPY = 32807;
constexpr int ID_SCRIPT_CUT = 32808;
constexpr int ID_SCRIPT_PASTE = 32809;
constexpr int ID_SCRIPT_DELETE = 32810;
constexpr int ID_SCRIPT_INSERT = 32811;
constexpr int ID_SCRIPT_SELECT_ALL = 32812;
constexpr int ID_SCRIPT_CLEAR_OUTPUT = 32813;
constexpr int ID_SCRIPT_BREAKPOINT = 32814;
constexpr int ID_SCRIPT_PROPERTIES = 32815;
constexpr int ID_SCRIPT_SAVE_AS = 34000;
// Why the script list greys a command that Play passes over
constexpr int IDS_NOT_SENT_ODD_LENGTH = 34001;
constexpr int IDS_NOT_SENT_LOWER_CASE = 34002;
constexpr int IDS_NOT_SENT_SPACE = 34003;
constexpr int IDS_NOT_SENT_CARRIAGE_RETURN = 34004;
constexpr int IDS_NOT_SENT_NOT_HEX_DIGIT = 34005;
constexpr int ID_HELP_CONTENTS = 57670;
// The Tools menu: the explorer window.
constexpr int ID_TOOLS_EXPLORE = 34100;
constexpr int ID_TOOLS_OPEN_DUMP = 34101;
constexpr int ID_TOOLS_COMPARE = 34102;

// Control bars and status-bar indicators
constexpr int AFX_IDW_TOOLBAR = 0xE800;    // 59392
constexpr int AFX_IDW_STATUS_BAR = 0xE801; // 59393
constexpr int ID_INDICATOR_GREEN = 61213;
constexpr int ID_INDICATOR_RED = 61214;

// System commands, whose prompts the window menu shows
constexpr int SC_SIZE = 61440;
constexpr int SC_MOVE = 61456;
constexpr int SC_MINIMIZE = 61472;
constexpr int SC_MAXIMIZE = 61488;
constexpr int SC_CLOSE = 61536;
constexpr int SC_RESTORE = 61728;

// Status texts of our own: what the status line says when the connected card goes. Kept
// apart from the range where new commands take their ids.
constexpr int IDS_CARD_REMOVED = 34900;
constexpr int IDS_READER_REMOVED = 34901;
constexpr int IDS_SERVICE_STOPPED = 34902;
