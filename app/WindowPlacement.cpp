// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include "Profile.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 5> kNames{"FrameStatus", "FrameTop", "FrameLeft", "FrameBottom",
                                            "FrameRight"};

}  // namespace

std::optional<CWindowPlacement> CWindowPlacement::Load() {
    std::array<int, kNames.size()> values{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        values[i] = CProfile::GetInt(CProfile::kSettings, kNames[i], -1);
        if (values[i] == -1) return std::nullopt;
    }
    const auto [show, top, left, bottom, right] = values;
    return CWindowPlacement{show, QRect(left, top, right - left, bottom - top)};
}

bool CWindowPlacement::Save() const {
    const std::array<int, kNames.size()> values{m_nShow, m_rect.top(), m_rect.left(),
                                                m_rect.top() + m_rect.height(),
                                                m_rect.left() + m_rect.width()};
    bool bSaved = true;
    for (std::size_t i = 0; i < kNames.size(); ++i)
        bSaved = CProfile::WriteInt(CProfile::kSettings, kNames[i], values[i]) && bSaved;
    return bSaved;
}

QRect CWindowPlacement::ClampToScreens(const QRect& rect, const QList<QRect>& screens, int nGrip) {
    if (screens.isEmpty()) return rect;
    QRect bounds;
    for (const QRect& screen : screens) bounds |= screen;
    // Where the limits cross (a window narrower than the grip) the left and top ones win.
    const int nLeft = std::max(std::min(rect.left(), bounds.right() + 1 - nGrip),
                               bounds.left() - rect.width() + nGrip);
    const int nTop = std::max(std::min(rect.top(), bounds.bottom() + 1 - nGrip), bounds.top());
    return QRect(QPoint(nLeft, nTop), rect.size());
}
