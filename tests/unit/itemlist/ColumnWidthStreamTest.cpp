#include "ColumnWidthStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray Fields(const std::vector<qint32>& fields) {
    QByteArray bytes;
    for (const qint32 field : fields) {
        const auto value = static_cast<quint32>(field);
        for (int shift = 0; shift < 32; shift += 8) bytes.append(char((value >> shift) & 0xFF));
    }
    return bytes;
}

}  // namespace

TEST(ColumnWidthStream, WritesCountThenWidthsLittleEndianAndReadsThemBack) {
    const QByteArray stream = CColumnWidthStream::Encode({40, 75, 300});
    EXPECT_EQ(stream, Fields({3, 40, 75, 300}));
    EXPECT_EQ(CColumnWidthStream::Decode(stream, 3), (std::vector<int>{40, 75, 300}));
    EXPECT_EQ(CColumnWidthStream::Decode(Fields({0}), 0), std::vector<int>());
}

TEST(ColumnWidthStream, IgnoresEveryValueThatDoesNotDescribeTheColumnsExactly) {
    struct SCase {
        const char* pszWhat;
        QByteArray stream;
    };
    const SCase cases[] = {
        {"empty", QByteArray()},
        {"shorter than the count", QByteArray("\x02\x00\x00", 3)},
        {"another column count", Fields({2, 40, 75})},
        {"widths missing", Fields({3, 40, 75})},
        {"a width cut short", Fields({3, 40, 75, 300}).chopped(1)},
        {"bytes after the widths", Fields({3, 40, 75, 300, 9})},
        {"a negative width", Fields({3, 40, -1, 300})},
        {"a huge count", Fields({0x7FFFFFFF, 40, 75, 300})},
        {"a negative count", Fields({-3, 40, 75, 300})},
    };
    for (const SCase& c : cases)
        EXPECT_FALSE(CColumnWidthStream::Decode(c.stream, 3).has_value()) << c.pszWhat;
}
