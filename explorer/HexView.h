// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

#include <cstdint>
#include <vector>

// The raw bytes of a file or record, sixteen to a line with their offset; a field's bytes
// are highlighted, and a click on a byte reports its offset so its field can be selected.
class CHexView : public QPlainTextEdit {
    Q_OBJECT

public:
    static constexpr int kBytesPerLine = 16;

    explicit CHexView(QWidget* pParent = nullptr);

    void SetBytes(const std::vector<std::uint8_t>& bytes);
    // Highlights bytes [first, first + count); count 0 clears the highlight.
    void Highlight(std::size_t first, std::size_t count);
    // The offset of the byte under a text position, -1 in the offset column.
    static int ByteAtColumn(int line, int column);

signals:
    void ByteClicked(int offset);

protected:
    // QWidget
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    static constexpr int kOffsetWidth = 6;  // "0000: "
    std::size_t m_nSize = 0;
};
