// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The store behind the trace list: one (text, colour) pair per line, only ever appended
// to or cleared. A trace can reach millions of lines, so a line costs its text bytes in
// one shared arena plus nine bytes of bookkeeping; the QString a view paints is made in
// data() for the rows on screen only.
//
// Lines are stored at once but announced to views in one batch per event-loop turn:
// a script run appends thousands of lines inside one handler, and one rowsInserted for
// all of them keeps the view's relayout to one per turn instead of one per line.
class CColorLineModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit CColorLineModel(QObject* pParent = nullptr);

    // Appends one line; returns its index, counting lines not yet announced, or -1 when
    // the list is full (a view addresses rows with an int).
    int AddLine(std::string_view text, std::uint32_t rgb);
    // The same for the line prefix followed by body, without building the text first.
    int AddLine(std::string_view prefix, std::string_view body, std::uint32_t rgb);

    // Announces the pending lines to the views now instead of at the next turn.
    void Flush();
    // Number of lines, after announcing the pending ones.
    int Count();
    // Removes every line at once.
    void Clear();

    // Text and colour (0xRRGGBB) of any stored line, pending ones included; an index out
    // of range gives an empty text and black.
    QByteArray LineText(int line) const;
    std::uint32_t LineColour(int line) const;

    // Writes every stored line followed by CR LF, byte for byte, without header. The
    // target is replaced only once the whole file is written; on failure the old file
    // stays as it was and *pError (when given) says why.
    bool SaveTo(const QString& path, QString* pError) const;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::uint8_t ColourIndex(std::uint32_t rgb);
    std::string_view LineBytes(int line) const;
    int StoredCount() const { return static_cast<int>(m_aLineEnds.size()); }
    void ScheduleFlush();
    void OnFlushQueued();

    // Palette index of a line whose colour came after the palette was full; its colour
    // is kept in m_mapRareColours, keyed by line.
    static constexpr std::uint8_t kRareColour = 0xFF;

    std::string m_strText;                   // every line's bytes, back to back
    std::vector<std::uint64_t> m_aLineEnds;  // end offset of each line in m_strText
    std::vector<std::uint8_t> m_aColour;     // palette index of each line
    std::vector<std::uint32_t> m_aPalette;   // distinct colours, first come first served
    std::unordered_map<int, std::uint32_t> m_mapRareColours;
    std::uint8_t m_nLastColour = 0;  // palette hit of the previous line
    int m_nAnnounced = 0;            // lines the views know of
    bool m_bFlushQueued = false;
};
