// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResponseText.h"

#include <cstdint>
#include <string_view>

// The lines of the trace record of one exchange. Colours are 0xRRGGBB.
class CTraceRecord {
public:
    static constexpr std::uint32_t kBlack = 0x000000;
    static constexpr std::uint32_t kBlue = 0x0000FF;
    static constexpr std::uint32_t kRed = 0xFF0000;
    static constexpr std::string_view kRule =
        "------------------------------------------------------------";

    // Calls addLine(prefix, body, colour) for each line of the record, in order; a line's
    // text is prefix followed by body. Split purely by character count: the header is the
    // first ten characters, the status word the last four, whatever the text holds.
    template <typename AddLine>
    static void ForEachLine(std::string_view command, std::string_view response, AddLine&& addLine) {
        addLine(kRule, std::string_view(), kBlack);
        addLine("Header=", command.substr(0, 10), kBlue);
        if (command.size() > 10) addLine("DataIn=", command.substr(10), kBlue);
        const CResponseParts parts = SplitResponse(response);
        if (!parts.data.empty()) addLine("DataOut=", parts.data, kRed);
        addLine("SW=", parts.statusWord, kRed);
    }

    // Appends the record's lines to a line store with AddLine(prefix, body, colour).
    template <typename LineStore>
    static void AppendTo(LineStore& store, std::string_view command, std::string_view response) {
        ForEachLine(command, response,
                    [&store](std::string_view prefix, std::string_view body, std::uint32_t rgb) {
                        store.AddLine(prefix, body, rgb);
                    });
    }
};
