// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorLineModel.h"

#include "AtomicFile.h"
#include "ByteText.h"

#include <QColor>
#include <QMetaObject>

#include <algorithm>
#include <limits>

CColorLineModel::CColorLineModel(QObject* pParent) : QAbstractListModel(pParent) {}

int CColorLineModel::AddLine(std::string_view text, std::uint32_t rgb) {
    return AddLine(text, std::string_view(), rgb);
}

int CColorLineModel::AddLine(std::string_view prefix, std::string_view body, std::uint32_t rgb) {
    const int line = StoredCount();
    if (line == std::numeric_limits<int>::max()) return -1;
    m_strText.append(prefix);
    m_strText.append(body);
    m_aLineEnds.push_back(m_strText.size());
    const std::uint8_t colour = ColourIndex(rgb);
    m_aColour.push_back(colour);
    if (colour == kRareColour) m_mapRareColours.emplace(line, rgb);
    ScheduleFlush();
    return line;
}

// A trace uses three colours; the palette search runs only when the colour changes
// from the previous line's.
std::uint8_t CColorLineModel::ColourIndex(std::uint32_t rgb) {
    if (m_nLastColour < m_aPalette.size() && m_aPalette[m_nLastColour] == rgb) return m_nLastColour;
    const auto found = std::find(m_aPalette.begin(), m_aPalette.end(), rgb);
    if (found != m_aPalette.end()) {
        m_nLastColour = static_cast<std::uint8_t>(found - m_aPalette.begin());
        return m_nLastColour;
    }
    if (m_aPalette.size() == kRareColour) return kRareColour;
    m_aPalette.push_back(rgb);
    m_nLastColour = static_cast<std::uint8_t>(m_aPalette.size() - 1);
    return m_nLastColour;
}

void CColorLineModel::ScheduleFlush() {
    if (m_bFlushQueued) return;
    m_bFlushQueued = true;
    QMetaObject::invokeMethod(this, &CColorLineModel::OnFlushQueued, Qt::QueuedConnection);
}

void CColorLineModel::OnFlushQueued() {
    m_bFlushQueued = false;
    Flush();
}

void CColorLineModel::Flush() {
    const int stored = StoredCount();
    if (stored == m_nAnnounced) return;
    // The rows become visible to views only between begin and end, so views see the
    // insertion exactly as Qt's contract describes even though the bytes are stored.
    beginInsertRows(QModelIndex(), m_nAnnounced, stored - 1);
    m_nAnnounced = stored;
    endInsertRows();
}

int CColorLineModel::Count() {
    Flush();
    return m_nAnnounced;
}

void CColorLineModel::Clear() {
    Flush();
    beginResetModel();
    // Swapping with empty containers hands a large trace's memory back at once.
    std::string().swap(m_strText);
    std::vector<std::uint64_t>().swap(m_aLineEnds);
    std::vector<std::uint8_t>().swap(m_aColour);
    m_aPalette.clear();
    m_mapRareColours.clear();
    m_nLastColour = 0;
    m_nAnnounced = 0;
    endResetModel();
}

std::string_view CColorLineModel::LineBytes(int line) const {
    if (line < 0 || line >= StoredCount()) return std::string_view();
    const std::size_t begin = line == 0 ? 0 : m_aLineEnds[line - 1];
    return std::string_view(m_strText).substr(begin, m_aLineEnds[line] - begin);
}

QByteArray CColorLineModel::LineText(int line) const {
    const std::string_view bytes = LineBytes(line);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::uint32_t CColorLineModel::LineColour(int line) const {
    if (line < 0 || line >= StoredCount()) return 0;
    const std::uint8_t colour = m_aColour[line];
    if (colour == kRareColour) return m_mapRareColours.at(line);
    return m_aPalette[colour];
}

bool CColorLineModel::SaveTo(const QString& path, QString* pError) const {
    return CAtomicFile::Write(
        path,
        [this](QIODevice& file) {
            for (int line = 0; line < StoredCount(); ++line) {
                if (!CAtomicFile::WriteAll(file, LineBytes(line)) ||
                    !CAtomicFile::WriteAll(file, "\r\n"))
                    return false;
            }
            return true;
        },
        pError);
}

// ---- QAbstractItemModel ----

int CColorLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nAnnounced;
}

QVariant CColorLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != 0 || index.row() >= m_nAnnounced) return {};
    if (role == Qt::DisplayRole) {
        const std::string_view bytes = LineBytes(index.row());
        return Latin1(bytes);
    }
    if (role == Qt::ForegroundRole) return QColor(QRgb(LineColour(index.row())));
    return {};
}
