// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColumnWidthStream.h"

#include <QtEndian>

namespace {

constexpr int kFieldSize = 4;

qint32 FieldAt(const QByteArray& stream, int field) {
    return qFromLittleEndian<qint32>(stream.constData() + field * kFieldSize);
}

}  // namespace

QByteArray CColumnWidthStream::Encode(const std::vector<int>& widths) {
    QByteArray stream;
    stream.reserve(static_cast<qsizetype>((widths.size() + 1) * kFieldSize));
    const auto append = [&stream](qint32 value) {
        char field[kFieldSize];
        qToLittleEndian(value, field);
        stream.append(field, kFieldSize);
    };
    append(static_cast<qint32>(widths.size()));
    for (const int width : widths) append(width);
    return stream;
}

std::optional<std::vector<int>> CColumnWidthStream::Decode(const QByteArray& stream, int nColumns) {
    if (stream.size() < kFieldSize) return std::nullopt;
    const qint32 count = FieldAt(stream, 0);
    if (count != nColumns || count < 0) return std::nullopt;
    if (stream.size() != static_cast<qsizetype>(kFieldSize) * (count + 1)) return std::nullopt;
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(count));
    for (int column = 0; column < count; ++column) {
        const qint32 width = FieldAt(stream, column + 1);
        if (width < 0) return std::nullopt;
        widths.push_back(width);
    }
    return widths;
}
