// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexView.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QTextBlock>

namespace {

QString HexByte(std::uint8_t byte) { return QString::asprintf("%02X", byte); }

}  // namespace

CHexView::CHexView(QWidget* pParent) : QPlainTextEdit(pParent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CHexView::SetBytes(const std::vector<std::uint8_t>& bytes) {
    m_nSize = bytes.size();
    QString text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % kBytesPerLine == 0) {
            if (i > 0) text += '\n';
            text += QString::asprintf("%04zX: ", i);
        } else {
            text += ' ';
        }
        text += HexByte(bytes[i]);
    }
    setPlainText(text);
    Highlight(0, 0);
}

void CHexView::Highlight(std::size_t first, std::size_t count) {
    QList<QTextEdit::ExtraSelection> selections;
    const std::size_t end = std::min(first + count, m_nSize);
    for (std::size_t i = first; i < end; ++i) {
        const QTextBlock block = document()->findBlockByNumber(static_cast<int>(i / kBytesPerLine));
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + kOffsetWidth + static_cast<int>(i % kBytesPerLine) * 3);
        cursor.setPosition(cursor.position() + 2, QTextCursor::KeepAnchor);
        QTextEdit::ExtraSelection selection;
        selection.cursor = cursor;
        selection.format.setBackground(palette().highlight());
        selection.format.setForeground(palette().highlightedText());
        selections.append(selection);
    }
    setExtraSelections(selections);
    if (first < end) {
        QTextCursor visible(document()->findBlockByNumber(static_cast<int>(first / kBytesPerLine)));
        setTextCursor(visible);
        ensureCursorVisible();
    }
}

int CHexView::ByteAtColumn(int line, int column) {
    const int inLine = column - kOffsetWidth;
    if (line < 0 || inLine < 0) return -1;
    // A click lands between characters: the right half of a byte's second digit, or the
    // blank after it, still means that byte.
    const int index = inLine / 3;
    return index < kBytesPerLine ? line * kBytesPerLine + index : -1;
}

void CHexView::mouseReleaseEvent(QMouseEvent* pEvent) {
    QPlainTextEdit::mouseReleaseEvent(pEvent);
    const QTextCursor cursor = cursorForPosition(pEvent->position().toPoint());
    const int offset = ByteAtColumn(cursor.blockNumber(), cursor.positionInBlock());
    if (offset >= 0 && static_cast<std::size_t>(offset) < m_nSize) emit ByteClicked(offset);
}
