// SPDX-License-Identifier: GPL-3.0-or-later
#include "StringTable.h"

#include "ByteText.h"
#include "ResourceIds.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, std::string_view>, 50> kStrings{{
    {ID_APP_EXIT, "Exit Corvanta"},
    {ID_APP_ABOUT, "Display program information\nAbout"},
    {ID_VIEW_SETTINGS, "Select available smart card reader"},
    {ID_VIEW_FILE, "View and update file contents"},
    {ID_VIEW_COMMAND, "Send APDU command"},
    {ID_VIEW_SCRIPT, "Play script file consists of series APDU commands"},
    {ID_VIEW_TRACE, "View all trace information"},
    {ID_CARD_CONNECT, "Establish a connection with the card\nEstablish a connection with the card"},
    {ID_CARD_DISCONNECT, "Terminate a connection with the card\nTerminate a connection with the card"},
    {ID_TRACE_CLEAR, "Clear the current trace"},
    {ID_TRACE_SAVE_AS, "Save the current trace as log file on my PC"},
    {ID_CARD_RECONNECT, "Reestablish a connection with the card\nReestablish a connection with the card"},
    {ID_HELP_CONTENTS, "Display the help contents"},
    {ID_TOOLS_EXPLORE, "Show the whole card in the explorer window\nExplore Card"},
    {ID_TOOLS_OPEN_DUMP, "Open a card dump in the explorer window, without a card\nOpen Dump"},
    {ID_TOOLS_COMPARE, "Compare two card dumps, or a dump and the card, side by side\nCompare"},
    {SC_SIZE, "Resize the Corvanta window"},
    {SC_MOVE, "Reposition the Corvanta window"},
    {SC_MINIMIZE, "Minimize the Corvanta window to an icon"},
    {SC_MAXIMIZE, "Maximize the Corvanta window to the size of the screen"},
    {SC_CLOSE, "Close Corvanta"},
    {SC_RESTORE, "Return the window to the size and location prior to maximizing or minimizing"},
    {ID_INDICATOR_GREEN, " "},
    {ID_INDICATOR_RED, " "},
    // Script page commands, shared with its buttons' tooltips.
    {IDC_NEW, "Create a new script file on my PC"},
    {IDC_OPEN, "Open an existing script file on my PC"},
    {IDC_SAVE, "Save the script file on my PC"},
    {IDC_EXPORT, "Save the command and output data on my PC with a new name"},
    {IDC_PLAY, "Run script start from the current command"},
    {IDC_STEP, "Run the current command"},
    {IDC_RESET, "Reset the cursor to the first item"},
    // The script list's context menu.
    {ID_SCRIPT_EDIT, "Press Enter key to edit current command"},
    {ID_SCRIPT_COPY, "Copy all selected items"},
    {ID_SCRIPT_CUT, "Cut all selected items"},
    {ID_SCRIPT_PASTE, "Paste all items here"},
    {ID_SCRIPT_DELETE, "Delete all selected items"},
    {ID_SCRIPT_INSERT, "Insert an empty item here"},
    {ID_SCRIPT_SELECT_ALL, "Select all items"},
    {ID_SCRIPT_CLEAR_OUTPUT, "Clear all selected items' output data"},
    {ID_SCRIPT_BREAKPOINT, "Insert or remove a breakpoint on current selected items"},
    {ID_SCRIPT_PROPERTIES, "View properties"},
    // The status line when the connected card goes.
    {IDS_CARD_REMOVED, "Card removed !"},
    {IDS_READER_REMOVED, "Reader removed !"},
    {IDS_SERVICE_STOPPED, "Card service stopped !"},
    {ID_SCRIPT_SAVE_AS, "Save the script file on my PC with a new name"},
    {IDS_NOT_SENT_ODD_LENGTH, "not sent: odd length"},
    {IDS_NOT_SENT_LOWER_CASE, "not sent: lower-case letter"},
    {IDS_NOT_SENT_SPACE, "not sent: space"},
    {IDS_NOT_SENT_CARRIAGE_RETURN, "not sent: carriage return"},
    {IDS_NOT_SENT_NOT_HEX_DIGIT, "not sent: not a hexadecimal digit"},
}};

// A loaded string is cut to the buffer it was loaded into (255 characters and the NUL).
constexpr std::size_t kMaxLoaded = 255;

}  // namespace

std::string_view CStringTable::Find(int id) {
    const auto found = std::find_if(kStrings.begin(), kStrings.end(),
                                    [id](const auto& entry) { return entry.first == id; });
    if (found == kStrings.end()) return {};
    return found->second.substr(0, kMaxLoaded);
}

QString CStringTable::Prompt(int id) {
    const std::string_view text = Find(id);
    const std::string_view prompt = text.substr(0, text.find('\n'));
    return Latin1(prompt);
}

QString CStringTable::Tooltip(int id) {
    const std::string_view text = Find(id);
    const std::size_t lineBreak = text.find('\n');
    if (lineBreak == std::string_view::npos) return {};
    // The tip buffer holds 79 characters and the NUL.
    const std::string_view tip = text.substr(lineBreak + 1, 79);
    return Latin1(tip);
}
