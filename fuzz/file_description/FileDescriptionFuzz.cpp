// SPDX-License-Identifier: GPL-3.0-or-later
// The GET RESPONSE answer as the File page decodes it: any text gives a description
// without a fault, and a record file's range names a two-digit record count.
#include "FileDescription.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(pData), size);

    const CFileDescription description = CFileDescription::Decode(text);
    if (description.m_eMode == FileMode::Record) {
        const std::string& range = description.m_strRecordRange;
        FuzzCheck(range.size() == 9 && range.compare(0, 5, "( 01-") == 0 &&
                      range.compare(7, 2, " )") == 0,
                  "record range reads ( 01-NN )");
    }
    CFileDescription::FromGetResponse(0, text);
    return 0;
}
