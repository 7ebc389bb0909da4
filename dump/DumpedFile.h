// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileHeader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using CBytes = std::vector<std::uint8_t>;

// One file of a card as a dump keeps it: where it is, what its header says and what it
// holds, or the status word with which the card refused it. Status words are four upper-case
// hex digits; bytes are raw.
struct CDumpedFile {
    std::string m_strPath;  // 3F00\7F20\6F07, as the File page writes it
    std::string m_strName;  // the catalogue's short name ("EF IMSI"), empty when not in it

    std::string m_strSelectStatus;  // the SELECT's answer: 9Fxx, or the refusal (6F00, ...)
    CBytes m_header;                // the GET RESPONSE data; empty when it was refused
    std::string m_strHeaderStatus;  // the GET RESPONSE's status word; empty when not sent

    // EFs: the status word of the read that refused the file, or "9000" when all of it was
    // read; empty when no read was sent (a DF, or an EF without a usable header).
    std::string m_strReadStatus;
    CBytes m_contents;            // transparent EFs
    std::vector<CBytes> m_records;  // record EFs, record 1 first, as far as they were read

    // The parsed header, when the header bytes hold one.
    std::optional<CFileHeader> Header() const { return CFileHeader::Parse(m_header); }
    // The id, the last four digits of the path.
    std::string Id() const;
    // The path of the directory above, empty for the MF.
    std::string ParentPath() const;
    bool IsRead() const { return m_strReadStatus == "9000"; }
};
