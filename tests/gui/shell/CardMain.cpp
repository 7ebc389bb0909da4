// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>

// Each test starts its own pcscd and virtual card before its first PC/SC call.
int main(int argc, char** argv) {
    UseFreshProfile();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
