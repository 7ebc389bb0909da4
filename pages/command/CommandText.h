// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandFields.h"
#include "CommandPreset.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The text formats of the Command page: preset values and recent entries of Command.INI,
// and the APDU built from the fields. Every parser takes
// hand-edited text: a missing delimiter or a short value gives empty fields, never a fault.
class CCommandText {
public:
    // A preset as the combo shows it ("A0A4<SELECT>") with the fields it fills in.
    struct CPresetItem {
        std::string m_strItemText;
        CommandPreset m_preset;
    };

    // Marks a key that is absent from Command.INI.
    static constexpr std::string_view kMissingValue = "xxxWRONGxxx";
    // Shorter preset values are skipped: a real one holds at least that much.
    static constexpr std::size_t kMinPresetLength = 17;

    // F1<F2><F3><F4><F5><F6>: CLA+INS, name, P1, P2, P3, mode.
    static std::array<std::string, 6> SplitPresetValue(std::string_view value);
    // Nothing for the missing-value marker or a value that is too short.
    static std::optional<CPresetItem> ParsePresetValue(std::string_view value);

    // CLA+INS (up to and including the first '>', else four characters), P1, P2, P3 and
    // the data; the mode is IN when there is data, else OUT.
    static CCommandFields SplitRecentEntry(std::string_view entry);

    // Pads P1, P2 and P3 to two digits in place.
    static void PadHeader(CCommandFields& fields);

    // The first four characters of CLA+INS, P1, P2, P3, and the data in IN mode only.
    static std::string BuildCommand(const CCommandFields& fields);
    // The whole CLA+INS text, P1, P2, P3, and the data in IN mode only.
    static std::string BuildRecentEntry(const CCommandFields& fields);
};
