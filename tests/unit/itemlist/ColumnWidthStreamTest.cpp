// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColumnWidthStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray Fields(const std::vector<quint32>& fields) {
    QByteArray bytes;
    for (const quint32 field : fields)
        for (int shift = 0; shift < 32; shift += 8) bytes.append(char((field >> shift) & 0xFF));
    return bytes;
}

}  // namespace

TEST(ColumnWidthStream, WritesCountThenWidthsLittleEndianAndReadsThemBack) {
    const QByteArray stream = CColumnWidthStream::Encode({40, 75, 300});
    EXPECT_EQ(stream, Fields({3, 40, 75, 300}));
    EXPECT_EQ(CColumnWidthStream::Decode(stream, 3), (std::vector<int>{40, 75, 300}));
}

TEST(ColumnWidthStream, IgnoresEveryValueThatDoesNotDescribeTheColumnsExactly) {
    const QByteArray streams[] = {
        QByteArray(),
        QByteArray("\x03\x00\x00", 3),
        Fields({2, 40, 75}),
        Fields({3, 40, 75}),
        Fields({3, 40, 75, 300}).chopped(1),
        Fields({3, 40, 75, 300, 9}),
        Fields({3, 40, 0xFFFFFFFF, 300}),
        Fields({0x7FFFFFFF, 40, 75, 300}),
        Fields({0xFFFFFFFD, 40, 75, 300}),
    };
    for (const QByteArray& stream : streams)
        EXPECT_FALSE(CColumnWidthStream::Decode(stream, 3).has_value()) << stream.toHex().data();
}
