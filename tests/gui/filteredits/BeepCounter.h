#pragma once

#include "Beep.h"

#include <QString>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& strText, std::ostream* pOut) {
    *pOut << '"' << strText.toStdString() << '"';
}

// Counts the beeps of refused characters instead of playing them.
class BeepCountingTest : public ::testing::Test {
protected:
    void SetUp() override {
        CBeep::SetHook([this] { ++m_nBeeps; });
    }
    void TearDown() override { CBeep::SetHook(nullptr); }
    int m_nBeeps = 0;
};
