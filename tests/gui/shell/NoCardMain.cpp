// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>

// No daemon: every PC/SC call fails as without the smart-card service.
int main(int argc, char** argv) {
    UseFreshProfile();
    UseNoPcscd();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
