// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

// The stored form of a list's column widths: the count N, then N widths, each a signed
// 32-bit little-endian integer.
class CColumnWidthStream {
public:
    static QByteArray Encode(const std::vector<int>& widths);
    // The widths of a stream written for nColumns columns. A stream of any other length
    // than its count announces, for another column count, or with a negative width is
    // not used: the profile is outside the program's control.
    static std::optional<std::vector<int>> Decode(const QByteArray& stream, int nColumns);
};
