// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// A response text is the card's data followed by the four-digit status word. The split is
// purely by position: a text of four characters or fewer is all status word, no data.
struct CResponseParts {
    std::string_view data;
    std::string_view statusWord;
};

inline CResponseParts SplitResponse(std::string_view response) {
    const std::size_t dataLength = response.size() > 4 ? response.size() - 4 : 0;
    return {response.substr(0, dataLength), response.substr(dataLength)};
}
