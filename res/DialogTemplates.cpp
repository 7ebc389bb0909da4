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
        {IDD_COMMAND_PAGE, 248, 182, nullptr, kFont, 8, {}},
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
        {IDD_SCRIPT_PAGE, 248, 182, nullptr, kFont, 8, {}},
        {IDD_FILE_PAGE, 248, 182, nullptr, kFont, 8, {}},
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
