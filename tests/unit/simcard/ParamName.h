#pragma once

#include <cctype>
#include <string>

// A readable name for a parameterised case: its index and the words of its expected
// message, so a failure names the case instead of a byte dump.
inline std::string ParamName(std::size_t index, const std::string& message) {
    std::string name = std::to_string(index);
    bool gap = true;
    for (char c : message) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            if (gap) name += '_';
            name += c;
            gap = false;
        } else {
            gap = true;
        }
        if (name.size() > 60) break;
    }
    return name;
}
