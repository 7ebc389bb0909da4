// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTemplates.h"

#include "ResourceIds.h"

#include <algorithm>

namespace {

constexpr const char* kFont = "MS Sans Serif";

const std::vector<SDialogTemplate>& Templates() {
    using K = EControlKind;
    static const std::vector<SDialogTemplate> templates = {
        {IDD_ABOUTBOX, 235, 55, "About Corvanta Pro", kFont, 8,
         {
             {IDC_ABOUT_ICON, K::IconStatic, 11, 17, 20, 20, nullptr},
             {IDC_ABOUT_TEXT, K::Static, 40, 10, 119, 8, "Corvanta Pro V1.0"},
             {IDOK, K::DefPushButton, 178, 7, 50, 14, "OK"},
         }},
        {IDD_MAIN, 467, 285, "Corvanta", kFont, 8,
         {
             {IDC_ETCHED_LINE, K::EtchedLine, 0, 0, 466, 1, nullptr},
             {IDC_NAVIGATION_LIST, K::IconList, 2, 4, 66, 280, nullptr},
             {IDC_INFO_BAR, K::InfoBar, 71, 4, 395, 14, nullptr},
             {IDC_PAGE_HOST, K::Frame, 71, 22, 395, 263, nullptr},
         }},
        {IDD_COMMAND_PAGE, 248, 182, nullptr, kFont, 8,
         {
             // Radio buttons are made by the page; PushButton stands in for their kind.
             {IDC_STATIC, K::Static, 4, 4, 60, 8, "CLA+INS"},
             {IDC_CLA_INS_COMBO, K::DropDownList, 4, 14, 140, 120, nullptr},
             {IDC_P1_CAPTION, K::Static, 152, 4, 26, 8, "P1"},
             {IDC_P1, K::Edit, 152, 14, 26, 12, nullptr},
             {IDC_P2_CAPTION, K::Static, 184, 4, 26, 8, "P2"},
             {IDC_P2, K::Edit, 184, 14, 26, 12, nullptr},
             {IDC_P3_CAPTION, K::Static, 216, 4, 26, 8, "P3"},
             {IDC_P3, K::Edit, 216, 14, 26, 12, nullptr},
             {IDC_STATIC, K::Static, 4, 34, 60, 8, "Data"},
             {IDC_COMMAND_DATA, K::Edit, 4, 44, 140, 12, nullptr},
             {IDC_MODE_LINE_LEFT, K::EtchedLine, 152, 38, 18, 1, nullptr},
             {IDC_MODE_CAPTION, K::Static, 174, 34, 24, 8, "MODE"},
             {IDC_MODE_LINE_RIGHT, K::EtchedLine, 200, 38, 42, 1, nullptr},
             {IDC_MODE_IN, K::PushButton, 158, 45, 34, 10, "IN"},
             {IDC_MODE_OUT, K::PushButton, 200, 45, 38, 10, "OUT"},
             {IDC_MODE_LINE_BOTTOM, K::EtchedLine, 152, 60, 90, 1, nullptr},
             {IDC_SEND, K::DefPushButton, 4, 64, 50, 14, "&Send"},
             {IDC_STATUS_WORD_CAPTION, K::Static, 152, 67, 50, 8, "Status Word"},
             {IDC_STATUS_WORD, K::Edit, 206, 65, 36, 12, nullptr},
             {IDC_STATIC, K::Static, 4, 86, 120, 8, "More recent instructions"},
             {IDC_RECENT_LIST, K::ListBox, 4, 96, 238, 82, nullptr},
         }},
        {IDD_SETTINGS_PAGE, 248, 182, nullptr, kFont, 8,
         {
             {IDC_STATIC, K::Static, 2, 12, 70, 8, "PC/SC Readers:"},
             {IDC_READER_COMBO, K::DropDownList, 80, 10, 160, 64, nullptr},
             {IDC_STATIC, K::Static, 2, 58, 63, 8, "Language:"},
             {IDC_LANGUAGE_COMBO, K::DropDownList, 80, 56, 160, 30, nullptr},
             {IDC_STATIC, K::Static, 2, 104, 72, 8, "Application Name:"},
             {IDC_APP_NAME, K::Edit, 80, 102, 160, 12, nullptr},
             {IDC_APPLY, K::PushButton, 190, 161, 50, 14, "&Apply"},
         }},
        {IDD_SCRIPT_PAGE, 248, 182, nullptr, kFont, 8,
         {
             {IDC_SCRIPT_LIST, K::ReportList, 0, 20, 189, 138, nullptr},
             {IDC_NEW, K::PushButton, 0, 1, 50, 14, "&New..."},
             {IDC_OPEN, K::PushButton, 57, 1, 50, 14, "&Open..."},
             {IDC_SAVE, K::PushButton, 113, 1, 50, 14, "&Save"},
             {IDC_EXPORT, K::PushButton, 139, 164, 50, 14, "&Export..."},
             {IDC_PLAY, K::PushButton, 194, 33, 50, 14, "&Play"},
             {IDC_STEP, K::PushButton, 194, 53, 50, 14, "S&tep"},
             {IDC_RESET, K::PushButton, 194, 73, 50, 14, "&Reset"},
             {IDC_EDIT, K::DefPushButton, 194, 105, 50, 14, "&Edit..."},  // not visible
         }},
        {IDD_NEW_SCRIPT, 183, 90, "New PC File", kFont, 8,
         {
             {IDC_STATIC, K::Static, 7, 7, 115, 20, "Specify how many items the new file will contain."},
             {IDC_NEW_COUNT, K::Edit, 7, 35, 34, 12, nullptr},
             {IDC_STATIC, K::Static, 43, 37, 29, 8, "(0~999)"},
             {IDOK, K::DefPushButton, 126, 7, 50, 14, "OK"},
             {IDCANCEL, K::PushButton, 126, 24, 50, 14, "Cancel"},
         }},
        {IDD_EDIT_COMMAND, 151, 61, "Edit Command", kFont, 8,
         {
             {IDC_STATIC, K::Static, 7, 9, 70, 8, "Command:"},
             {IDC_COMMAND_TEXT, K::Edit, 7, 20, 137, 12, nullptr},
             {IDOK, K::DefPushButton, 21, 40, 50, 14, "OK"},
             {IDCANCEL, K::PushButton, 81, 40, 50, 14, "Cancel"},
         }},
        {IDD_SCRIPT_PROPERTIES, 183, 90, "Properties", kFont, 8,
         {
             {IDC_STATIC, K::StaticRight, 5, 10, 53, 8, "Empty Items:"},
             {IDC_EMPTY_ITEMS, K::Static, 66, 10, 25, 8, nullptr},
             {IDC_STATIC, K::StaticRight, 7, 27, 51, 8, "Total Items:"},
             {IDC_TOTAL_ITEMS, K::Static, 66, 27, 25, 8, nullptr},
             {IDC_ETCHED_LINE, K::EtchedLine, 7, 49, 169, 1, nullptr},
             {IDC_STATIC, K::Static, 7, 58, 89, 21, "Specify the new number of total items."},
             {IDC_NEW_TOTAL, K::Edit, 114, 62, 29, 12, nullptr},
             {IDC_NEW_TOTAL_SPIN, K::UpDown, 141, 62, 9, 12, nullptr},
             {IDC_STATIC, K::Static, 147, 64, 29, 8, "(0~999)"},
             {IDOK, K::DefPushButton, 126, 7, 50, 14, "OK"},
             {IDCANCEL, K::PushButton, 126, 24, 50, 14, "Cancel"},
         }},
        {IDD_FILE_PAGE, 248, 182, nullptr, kFont, 8,
         {
             // The page makes the path combo and the multi-line properties box itself.
             {IDC_STATIC, K::Static, 4, 4, 238, 8, "Input FULL file path(e.g.3F00\\2FE2), and then ENTER"},
             {IDC_PATH_COMBO, K::DropDownList, 4, 14, 238, 120, nullptr},
             {IDC_GO, K::DefPushButton, 192, 14, 50, 14, "Go"},
             {IDC_STATIC, K::Static, 4, 34, 60, 8, "Properties"},
             {IDC_PROPERTIES, K::Edit, 4, 44, 238, 88, nullptr},
             {IDC_FILE_DATA_CAPTION, K::Static, 4, 138, 40, 8, "Data"},
             {IDC_FILE_STATUS_WORD, K::Static, 162, 138, 80, 8, nullptr},
             {IDC_FILE_DATA, K::Edit, 4, 148, 238, 12, nullptr},
             {IDC_OFFSET_CAPTION, K::Static, 4, 167, 28, 8, "OFFSET"},
             {IDC_OFFSET, K::Edit, 34, 165, 28, 12, nullptr},
             {IDC_LENGTH_CAPTION, K::Static, 70, 167, 18, 8, "LEN"},
             {IDC_LENGTH, K::Edit, 90, 165, 20, 12, nullptr},
             {IDC_RECORD_CAPTION, K::Static, 4, 167, 46, 8, "RECORD NO."},
             {IDC_RECORD_NUMBER, K::Edit, 52, 165, 20, 12, nullptr},
             {IDC_RECORD_RANGE, K::Static, 76, 167, 50, 8, nullptr},
             {IDC_READ, K::PushButton, 138, 164, 50, 14, "&Read"},
             {IDC_UPDATE, K::PushButton, 192, 164, 50, 14, "&Update"},
         }},
        {IDD_TRACE_PAGE, 246, 182, nullptr, kFont, 8,
         {
             {IDC_TRACE_LIST, K::ListBox, 0, 0, 245, 181, nullptr},
         }},
        {IDD_CARD_ERROR, 174, 73, "Card error", kFont, 8,
         {
             {IDC_CARD_ERROR_TEXT, K::Static, 7, 9, 160, 37,
              "Error connecting to the card\n\nPlease check that your card is correctly inserted "
              "and your reader is ok."},
             {IDOK, K::DefPushButton, 62, 51, 50, 14, "OK"},
         }},
    };
    return templates;
}

}  // namespace

const SDialogTemplate& CDialogTemplates::Find(int id) {
    static const SDialogTemplate empty{0, 0, 0, nullptr, kFont, 8, {}};
    const auto& templates = Templates();
    const auto found = std::find_if(templates.begin(), templates.end(),
                                    [id](const SDialogTemplate& t) { return t.nId == id; });
    return found == templates.end() ? empty : *found;
}
