// SELECT, GET RESPONSE and STATUS: the selection rules and the response layouts.

#include "SimCardFixture.h"

namespace {

// The MF holds two DFs and two EFs; five codes are set.
const std::string MfResponse = "0000 0200 3F00 01 0000000000 0A 00 02 02 05 00 83 8A 83 8A 00";

using SimCardSelect = SimCardTest;

TEST_F(SimCardSelect, ResponseLayoutsOfEachKindOfFile) {
    ExpectAnswers("3F00", "A0C0000017 > " + MfResponse + " 9000");
    // 7F20 holds one DF (5F30) and five EFs; no free memory declared.
    ExpectAnswers(
        "3F00 7F20",
        "A0C0000017 > 0000 0000 7F20 02 0000000000 0A 00 01 05 05 00 83 8A 83 8A 00 9000");
    // Size 9, read CHV1 / update ADM, increase NEV, rehabilitate CHV1 / invalidate ADM.
    ExpectAnswers("3F00 7F20 6F07", "A0C000000F > 0000 0009 6F07 04 00 14 F0 14 01 02 00 00 9000");
    // Linear fixed: total size and record length; cyclic with INCREASE allowed.
    ExpectAnswers("3F00 7F10 6F3A", "A0C000000F > 0000 000C 6F3A 04 00 11 F0 22 01 02 01 04 9000");
    ExpectAnswers("3F00 7F20 6F39", "A0C000000F > 0000 0006 6F39 04 40 11 10 44 01 02 03 03 9000");
}

TEST_F(SimCardSelect, WhatIsSelectableFromWhere) {
    // From 5F30: its child EF, its parent, the MF; from 7F20: the DF beside, the DF itself.
    ExpectAnswers("3F00 7F20 5F30",
                  "A0A4000002 4F20 > 9F0F; A0A4000002 7F20 > 9F17;"
                  "A0A4000002 3F00 > 9F17; A0A4000002 7F10 > 9404");
    ExpectAnswers("3F00 7F20",
                  "A0A4000002 6F07 > 9F0F; A0A4000002 7F10 > 9F17;"
                  "A0A4000002 7F20 > 9F17; A0A4000002 2FE2 > 9404");
    ExpectAnswers("3F00 7F20 6F07", "A0A4000002 6FAE > 9F0F");  // an EF beside the EF
    // Never an EF of a DF below or beside, nor an unknown id.
    ExpectAnswers("3F00", "A0A4000002 6F07 > 9404; A0A4000002 1234 > 9404");
    ExpectAnswers("3F00 7F10", "A0A4000002 6F07 > 9404");
    ExpectAnswers("3F00 7F20 6F07 7F20", "A0B0000001 > 9400");  // a DF drops the current EF
    // P1 P2, P3 and the data it announces.
    ExpectAnswers("", "A0A4010002 3F00 > 6B00; A0A4000003 3F0000 > 6700; A0A4000002 3F > 6700");
}

TEST_F(SimCardSelect, FailedSelectKeepsTheCurrentFilesAndResetGoesBackToTheMf) {
    Prepare(m_card, "3F00 7F20 6F07");
    Run("A0A4000002 6F3A > 9404");
    EXPECT_EQ(m_card.GetCurrentDf()->GetId(), 0x7F20);
    ASSERT_NE(m_card.GetCurrentEf(), nullptr);
    EXPECT_EQ(m_card.GetCurrentEf()->GetId(), 0x6F07);
    m_card.Reset();
    EXPECT_EQ(m_card.GetCurrentDf()->GetId(), 0x3F00);
    EXPECT_EQ(m_card.GetCurrentEf(), nullptr);
    Run("A0C000000F > 6F00");  // the waiting response went too
}

TEST_F(SimCardSelect, GetResponseGivesThePrefixOrTheAvailableLengthUntilTheNextCommand) {
    Run("A0C000000F > 6F00; A0A4000002 3F00 > 9F17");
    Run("A0C0000006 > " + MfResponse.substr(0, 14) + " 9000; A0C0000020 > 6717; A0C0000000 > 6717");
    Run("A0C0000017 > " + MfResponse + " 9000");  // still there for a repeated one
    Send("A0F2000017");                           // any other command drops it
    Run("A0C0000017 > 6F00; A0A4000002 3F00 > 9F17; A0A4000002 9999 > 9404; A0C0000017 > 6F00");
}

TEST_F(SimCardSelect, StatusDescribesTheCurrentDirectoryEvenWithAnEfSelected) {
    Prepare(m_card, "CHV1 3F00 7F10 6F3A");
    std::string status = Send("A0F2000017");
    EXPECT_EQ(status.substr(8, 4), "7F10");
    EXPECT_EQ(status.substr(status.size() - 4), "9000");
    Run("A0F2000004 > 00000100 9000; A0F2000030 > 6717; A0F2000100 > 6B00");
}

// The file status byte: invalidated clears b1 and keeps b3 (readable when invalidated).
TEST_F(SimCardSelect, InvalidatedStatusShowsInFileStatusByte) {
    Prepare(m_card, "3F00 7F20 6F78");
    Run("A004000000 > 9000; A0A4000002 6F78 > 9F0F");
    EXPECT_EQ(Send("A0C000000F").substr(22, 2), "04");
}

}  // namespace
