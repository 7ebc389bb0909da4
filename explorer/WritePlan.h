// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DumpedFile.h"

#include <string>
#include <vector>

// The APDUs that write an edited file or record back to the card and read it again, shown
// to the user before anything is sent. Only the changed bytes of a transparent file are
// written; a record is written whole. A cyclic file takes a new record 1 (UPDATE RECORD in
// PREVIOUS mode overwrites the oldest), as GSM 11.11 allows no other write to it.
class CWritePlan {
public:
    // record: 1-based for record files, ignored for transparent ones. Nothing planned (and
    // strError set) for a DF, a file without a header, a size that does not fit, or no change.
    static CWritePlan Make(const CDumpedFile& file, std::size_t record, const CBytes& newBytes,
                           std::string& strError);

    std::vector<std::string> m_select;    // SELECTs from the MF down to the file
    std::vector<std::string> m_write;     // UPDATE BINARY / UPDATE RECORD
    std::vector<std::string> m_readBack;  // READ BINARY / READ RECORD of what was written
    CBytes m_expected;                    // what the read-back must answer, in order

    bool IsEmpty() const { return m_write.empty(); }
    // Every APDU in the order it is sent.
    std::vector<std::string> All() const;
    // Offsets (into m_expected) where the read-back data differs; the answer of each
    // read-back APDU without its status word, in order.
    std::vector<std::size_t> Differences(const std::vector<CBytes>& readBack) const;

    static constexpr std::size_t kLargestWrite = 255;
};
