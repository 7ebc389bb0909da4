// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Which read and update controls the File page shows.
enum class FileMode : int {
    None = 0,         // no file, the MF or a DF, or an error
    Transparent = 1,  // offset and length
    Record = 2,       // record number and the range of record numbers
};

// The description of a selected file, decoded from the hex text of its GET RESPONSE
// answer into the properties text and the facts that reading and updating need.
class CFileDescription {
public:
    // Nothing when the exchange failed or the card did not answer 9000: such an answer
    // is not a description, whatever its bytes look like.
    static std::optional<CFileDescription> FromGetResponse(long result, std::string_view response);
    // Decodes any text; fields the text is too short for come out shorter or empty.
    static CFileDescription Decode(std::string_view response);

    // "ALW", "CHV1", ... "NEV" for an upper-case hex digit, empty for anything else.
    static std::string AccessConditionName(std::string_view digit);

    std::string m_strProperties;
    FileMode m_eMode = FileMode::None;
    bool m_bElementary = false;  // the facts below describe only an EF
    bool m_bRecordFile = false;
    bool m_bCyclic = false;
    std::string m_strRecordLength;  // two digits, record files only
    std::string m_strRecordRange;   // "( 01-06 )", record files only
};
