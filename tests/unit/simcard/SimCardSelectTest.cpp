// SELECT, GET RESPONSE and STATUS: the selection rules and the response layouts.

#include "SimCardFixture.h"

namespace {

const std::string MfResponse =
    Compact("0000 0200 3F00 01 0000000000 0A 00 02 01 05 00 83 8A 83 8A 00");

using SimCardSelect = SimCardTest;

TEST_F(SimCardSelect, MfAnswersWaitingLengthAndDirectoryLayout) {
    EXPECT_EQ(Send("A0A4000002 3F00"), "9F17");
    EXPECT_EQ(Send("A0C0000017"), MfResponse + "9000");
}

TEST_F(SimCardSelect, DfLayoutCountsItsOwnChildren) {
    SelectPath("3F00 7F20");
    // 7F20 holds one DF (5F30) and five EFs; no free memory declared.
    EXPECT_EQ(Send("A0C0000017"),
              Compact("0000 0000 7F20 02 0000000000 0A 00 01 05 05 00 83 8A 83 8A 00 9000"));
}

TEST_F(SimCardSelect, TransparentEfLayout) {
    EXPECT_EQ(SelectPath("3F00 7F20 6F07"), "9F0F");
    // size 9, read CHV1 / update ADM, increase NEV, rehabilitate CHV1 / invalidate ADM.
    EXPECT_EQ(Send("A0C000000F"), Compact("0000 0009 6F07 04 00 14 F0 14 01 02 00 00 9000"));
}

TEST_F(SimCardSelect, LinearFixedEfLayoutGivesRecordLengthAndTotalSize) {
    SelectPath("3F00 7F10 6F3A");
    EXPECT_EQ(Send("A0C000000F"), Compact("0000 000C 6F3A 04 00 11 F0 22 01 02 01 04 9000"));
}

TEST_F(SimCardSelect, CyclicEfLayoutFlagsIncreaseAllowed) {
    SelectPath("3F00 7F20 6F39");
    EXPECT_EQ(Send("A0C000000F"), Compact("0000 0006 6F39 04 40 11 10 44 01 02 03 03 9000"));
}

TEST_F(SimCardSelect, InvalidatedStatusShowsInFileStatusByte) {
    SelectPath("3F00 7F20 6F78");
    EXPECT_EQ(Send("A004000000"), "9000");
    Send("A0A4000002 6F78");
    std::string response = Send("A0C000000F");
    EXPECT_EQ(response.substr(22, 2), "04");  // b1 cleared, b3 still set
}

TEST_F(SimCardSelect, ChildParentSiblingAndMfAreSelectable) {
    EXPECT_EQ(SelectPath("3F00 7F20 5F30"), "9F17");
    EXPECT_EQ(Send("A0A4000002 4F20"), "9F0F");  // child EF
    EXPECT_EQ(Send("A0A4000002 7F20"), "9F17");  // parent
    EXPECT_EQ(Send("A0A4000002 7F10"), "9F17");  // DF beside the current DF
    EXPECT_EQ(Send("A0A4000002 7F10"), "9F17");  // the current DF itself
    EXPECT_EQ(Send("A0A4000002 3F00"), "9F17");  // MF from anywhere
}

TEST_F(SimCardSelect, FilesOutsideTheCurrentContextAreNotFound) {
    EXPECT_EQ(Send("A0A4000002 6F07"), "9404");  // EF of a DF below
    SelectPath("3F00 7F10");
    EXPECT_EQ(Send("A0A4000002 6F07"), "9404");  // EF of the DF beside
    SelectPath("3F00 7F20");
    EXPECT_EQ(Send("A0A4000002 2FE2"), "9404");  // EF of the parent
    SelectPath("3F00 7F20 5F30");
    EXPECT_EQ(Send("A0A4000002 7F10"), "9404");  // DF beside the parent
    EXPECT_EQ(Send("A0A4000002 1234"), "9404");
}

TEST_F(SimCardSelect, FailedSelectKeepsTheCurrentFiles) {
    SelectPath("3F00 7F20 6F07");
    EXPECT_EQ(Send("A0A4000002 6F3A"), "9404");
    EXPECT_EQ(m_card.GetCurrentDf()->GetId(), 0x7F20);
    ASSERT_NE(m_card.GetCurrentEf(), nullptr);
    EXPECT_EQ(m_card.GetCurrentEf()->GetId(), 0x6F07);
}

TEST_F(SimCardSelect, SelectingAnEfKeepsItsDfAndItsSiblingsSelectable) {
    SelectPath("3F00 7F20 6F07");
    EXPECT_EQ(Send("A0A4000002 6FAE"), "9F0F");
    EXPECT_EQ(m_card.GetCurrentDf()->GetId(), 0x7F20);
}

TEST_F(SimCardSelect, SelectingADfDropsTheCurrentEf) {
    SelectPath("3F00 7F20 6F07");
    Send("A0A4000002 7F20");
    EXPECT_EQ(m_card.GetCurrentEf(), nullptr);
    EXPECT_EQ(Send("A0B0000001"), "9400");
}

TEST_F(SimCardSelect, WrongParametersAreRefused) {
    EXPECT_EQ(Send("A0A4010002 3F00"), "6B00");
    EXPECT_EQ(Send("A0A4000003 3F0000"), "6700");
    EXPECT_EQ(Send("A0A4000002 3F"), "6700");      // data shorter than P3
    EXPECT_EQ(Send("A0A4000002 3F0000"), "6700");  // data longer than P3
}

TEST_F(SimCardSelect, GetResponseGivesThePrefixOrTheAvailableLength) {
    Send("A0A4000002 3F00");
    EXPECT_EQ(Send("A0C0000006"), MfResponse.substr(0, 12) + "9000");
    EXPECT_EQ(Send("A0C0000020"), "6717");
    EXPECT_EQ(Send("A0C0000000"), "6717");
    // The waiting response stays for a repeated GET RESPONSE.
    EXPECT_EQ(Send("A0C0000017"), MfResponse + "9000");
}

TEST_F(SimCardSelect, GetResponseWithNothingWaiting) {
    EXPECT_EQ(Send("A0C000000F"), "6F00");
    Send("A0A4000002 3F00");
    Send("A0F2000017");  // any other command drops the waiting response
    EXPECT_EQ(Send("A0C0000017"), "6F00");
    Send("A0A4000002 3F00");
    Send("A0A4000002 9999");  // a failed SELECT too
    EXPECT_EQ(Send("A0C0000017"), "6F00");
}

TEST_F(SimCardSelect, StatusDescribesTheCurrentDirectoryEvenWithAnEfSelected) {
    SelectPath("3F00 7F10 6F3A");
    std::string status = Send("A0F2000017");
    EXPECT_EQ(status.substr(8, 4), "7F10");
    EXPECT_EQ(status.substr(status.size() - 4), "9000");
    EXPECT_EQ(Send("A0F2000004"), "000001009000");
    EXPECT_EQ(Send("A0F2000030"), "6717");
    EXPECT_EQ(Send("A0F2000100"), "6B00");
}

TEST_F(SimCardSelect, ResetReturnsToTheMfAndDropsTheWaitingResponse) {
    SelectPath("3F00 7F20 6F07");
    m_card.Reset();
    EXPECT_EQ(m_card.GetCurrentDf()->GetId(), 0x3F00);
    EXPECT_EQ(m_card.GetCurrentEf(), nullptr);
    EXPECT_EQ(Send("A0C000000F"), "6F00");
}

}  // namespace
