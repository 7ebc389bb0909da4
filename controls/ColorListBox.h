// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

#include <cstdint>
#include <string_view>

class CColorLineModel;

// A list of text lines that each carry their own colour: the trace list. Rows share
// one height, so a million lines cost no per-row layout; adding lines never scrolls,
// never moves the selection and never raises the window.
class CColorListBox : public QListView {
    Q_OBJECT

public:
    explicit CColorListBox(QWidget* pParent = nullptr);

    CColorLineModel* Model() const { return m_pModel; }
    // Appends a line (colour 0xRRGGBB); returns its index or a negative value when the
    // list refuses it.
    int AddLine(std::string_view text, std::uint32_t rgb);
    // Height of one row for the current font and style.
    int ItemHeight() const;

private:
    CColorLineModel* m_pModel;
};
