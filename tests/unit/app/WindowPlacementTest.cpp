// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include <gtest/gtest.h>

// A window of 900 x 620 at the stored top left, on one screen or on two side by side.
TEST(WindowPlacement, KeepsAnIconOfTheWindowOnTheScreensAndTheTitleBarBelowTheirTop) {
    const QRect left(0, 0, 1280, 1024);
    const QRect right(1280, 0, 1920, 1080);
    struct SCase {
        QPoint stored;
        QList<QRect> screens;
        QPoint restored;
    };
    const SCase cases[] = {
        {{30, 40}, {left}, {30, 40}},      {{5000, 5000}, {left}, {1248, 992}},
        {{-3000, -50}, {left}, {-868, 0}}, {{5000, 2000}, {left, right}, {3168, 1048}},
        {{-100, -200}, {right}, {412, 0}}, {{5000, 5000}, {}, {5000, 5000}},
    };
    for (const SCase& c : cases) {
        const QRect restored =
            CWindowPlacement::ClampToScreens(QRect(c.stored, QSize(900, 620)), c.screens, 32);
        EXPECT_EQ(restored, QRect(c.restored, QSize(900, 620)))
            << c.stored.x() << "," << c.stored.y() << " on " << c.screens.size() << " screens";
    }
}
