// SPDX-License-Identifier: GPL-3.0-or-later
// Preset values and recent entries of a hand-edited Command.INI: any text splits into
// fields without a fault, and a recent entry is rebuilt from its fields byte for byte.
#include "CommandText.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(pData), size);

    CCommandText::ParsePresetValue(text);

    CCommandFields fields = CCommandText::SplitRecentEntry(text);
    FuzzCheck(CCommandText::BuildRecentEntry(fields) == text, "recent entry round trip");
    CCommandText::PadHeader(fields);
    CCommandText::BuildCommand(fields);
    return 0;
}
