// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>

#include <optional>

// The main window's placement as the profile keeps it: show state and normal rectangle,
// in section "Settings" as FrameStatus, FrameTop, FrameLeft, FrameBottom and FrameRight.
class CWindowPlacement {
public:
    enum EShow { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };

    int m_nShow = kShowNormal;
    QRect m_rect;

    // Nothing unless all five values are stored.
    static std::optional<CWindowPlacement> Load();
    // False when the profile could not be written.
    bool Save() const;

    // The rectangle moved, keeping its size, so that at least nGrip pixels of its width
    // and height lie within the bounding rectangle of the screens, and its top edge (the
    // title bar) never above them. No screens: unchanged.
    static QRect ClampToScreens(const QRect& rect, const QList<QRect>& screens, int nGrip);
};
