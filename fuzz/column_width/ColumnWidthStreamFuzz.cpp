// SPDX-License-Identifier: GPL-3.0-or-later
// The stored column widths of a list, from a profile the program does not control: any
// bytes decode without a fault, and what decodes encodes back to the same bytes.
#include "ColumnWidthStream.h"
#include "FuzzCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the column count asked for, the rest is the stored stream.
    const int nColumns = static_cast<int>(static_cast<std::int8_t>(pData[0]));
    const QByteArray stream(reinterpret_cast<const char*>(pData + 1),
                            static_cast<qsizetype>(size - 1));
    const auto widths = CColumnWidthStream::Decode(stream, nColumns);
    if (widths) {
        FuzzCheck(static_cast<int>(widths->size()) == nColumns, "one width per column");
        FuzzCheck(CColumnWidthStream::Encode(*widths) == stream, "decode -> encode");
    }
    return 0;
}
