// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The APDUs of the File page as hex text.
class CFileCommands {
public:
    // SELECT of one four-digit file ID.
    static std::string Select(std::string_view fileId);
    // GET RESPONSE for the length the last SELECT answer announced in its SW2.
    static std::string GetResponse(std::string_view selectResponse);

    // READ RECORD in absolute mode, also for cyclic files.
    static std::string ReadRecord(std::string_view recordNumber, std::string_view recordLength);
    static std::string ReadBinary(std::string_view offset, std::string_view length);
    // UPDATE RECORD: PREVIOUS mode for a cyclic file (the only one it allows), else absolute.
    static std::string UpdateRecord(std::string_view recordNumber, std::string_view recordLength,
                                    std::string_view data, bool bCyclic);
    static std::string UpdateBinary(std::string_view offset, std::string_view length,
                                    std::string_view data);
};
