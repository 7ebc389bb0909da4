// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCommands.h"

#include <initializer_list>

namespace {

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

}  // namespace

std::string CFileCommands::Select(std::string_view fileId) {
    return Join({"A0A4000002", fileId});
}

std::string CFileCommands::GetResponse(std::string_view selectResponse) {
    const std::size_t sw2 = selectResponse.size() >= 2 ? selectResponse.size() - 2 : 0;
    return Join({"A0C00000", selectResponse.substr(sw2)});
}

std::string CFileCommands::ReadRecord(std::string_view recordNumber,
                                      std::string_view recordLength) {
    return Join({"A0B2", recordNumber, "04", recordLength});
}

std::string CFileCommands::ReadBinary(std::string_view offset, std::string_view length) {
    return Join({"A0B0", offset, length});
}

std::string CFileCommands::UpdateRecord(std::string_view recordNumber,
                                        std::string_view recordLength, std::string_view data,
                                        bool bCyclic) {
    return Join({"A0DC", recordNumber, bCyclic ? "03" : "04", recordLength, data});
}

std::string CFileCommands::UpdateBinary(std::string_view offset, std::string_view length,
                                        std::string_view data) {
    return Join({"A0D6", offset, length, data});
}
