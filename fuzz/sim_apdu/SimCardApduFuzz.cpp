// Any sequence of command APDUs against a fresh virtual card with the default profile:
// every command gets an answer of data and a status word that fits one short response.
//
// Input: commands, each a length byte and that many bytes; a length of 0 resets the card.
#include "FuzzCheck.h"
#include "SimCard.h"
#include "SimProfile.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

const std::string& DefaultProfileText() {
    static const std::string s_text = [] {
        CSimProfile profile;
        std::string error;
        FuzzCheck(profile.Load(CORVANTA_DEFAULT_PROFILE, error), "default profile loads");
        return profile.ToText();
    }();
    return s_text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    // A fresh card per input: updates of one input must not change the next one's card.
    CSimProfile profile;
    std::string error;
    FuzzCheck(profile.Parse(DefaultProfileText(), "default.sim", error), "default profile parses");
    CSimCard card(std::move(profile));

    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t announced = pData[pos++];
        const std::size_t length = std::min(announced, size - pos);
        if (length == 0) {
            card.Reset();
            continue;
        }
        const auto& answer = card.Process(pData + pos, length);
        FuzzCheck(answer.size() >= 2 && answer.size() <= 258, "data and SW1 SW2, at most 258");
        FuzzCheck(card.GetCurrentDf() != nullptr, "a current directory");
        pos += length;
    }
    return 0;
}
