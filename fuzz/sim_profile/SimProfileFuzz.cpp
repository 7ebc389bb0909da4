// SPDX-License-Identifier: GPL-3.0-or-later
// A hand-edited card profile or state file: any text is read or refused with a message
// naming its line, and what is read writes out as text that reads back to the same card.
#include "FuzzCheck.h"
#include "SimCard.h"
#include "SimProfile.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(pData), size);
    CSimProfile profile;
    std::string error;
    if (!profile.Parse(text, "fuzz.sim", error)) {
        FuzzCheck(error.compare(0, 9, "fuzz.sim:") == 0 && profile.GetMf() == nullptr,
                  "a refusal names the source and leaves no files");
        return 0;
    }
    const std::string written = profile.ToText();
    CSimProfile reread;
    FuzzCheck(reread.Parse(written, "written.sim", error), "written profile reads back");
    FuzzCheck(reread.ToText() == written, "written profile reads back unchanged");

    // The card starts on what was read: SELECT MF and its description.
    CSimCard card(std::move(profile));
    const std::uint8_t select[] = {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
    const std::uint8_t getResponse[] = {0xA0, 0xC0, 0x00, 0x00, 0x22};
    card.Process(select, sizeof select);
    card.Process(getResponse, sizeof getResponse);
    return 0;
}
