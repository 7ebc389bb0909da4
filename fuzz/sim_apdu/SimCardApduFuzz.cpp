// SPDX-License-Identifier: GPL-3.0-or-later
// Any sequence of command APDUs against a fresh virtual card with the default profile:
// every command gets an answer of data and a status word that fits one short response.
//
// Input: commands, each a length byte and that many bytes; a length of 0 resets the card.
#include "FuzzCheck.h"
#include "SimCard.h"
#include "SimProfile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CSimCard> NewDefaultCard() {
    CSimProfile profile;
    std::string error;
    FuzzCheck(profile.Load(CORVANTA_DEFAULT_PROFILE, error), "default profile loads");
    return std::make_unique<CSimCard>(std::move(profile));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    // Reading the profile costs far more than a command, so the card is only read anew
    // after an input changed what lasts; a reset restores everything else.
    static std::unique_ptr<CSimCard> s_pCard;
    static bool s_bChanged = true;
    if (s_bChanged) s_pCard = NewDefaultCard();
    s_pCard->Reset();
    s_bChanged = false;

    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t announced = pData[pos++];
        const std::size_t length = std::min(announced, size - pos);
        if (length == 0) {
            s_pCard->Reset();
            continue;
        }
        const auto& answer = s_pCard->Process(pData + pos, length);
        FuzzCheck(answer.size() >= 2 && answer.size() <= 258, "data and SW1 SW2, at most 258");
        FuzzCheck(s_pCard->GetCurrentDf() != nullptr, "a current directory");
        s_bChanged = s_pCard->TakeChanged() || s_bChanged;
        pos += length;
    }
    return 0;
}
