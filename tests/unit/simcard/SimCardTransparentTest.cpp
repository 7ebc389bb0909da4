// READ BINARY and UPDATE BINARY: offsets, ranges and the conditions they check.

#include "SimCardFixture.h"

namespace {

using SimCardTransparent = SimCardTest;

TEST_F(SimCardTransparent, ReadRangesStructureAndAccessConditions) {
    ExpectAnswers("3F00 2FE2",
                  "A0B000000A > 98 00 01 01 00 00 00 10 32 F4 9000;"
                  "A0B0000703 > 10 32 F4 9000; A0B0000901 > F4 9000");
    // At the end, one past the last byte, far off, P3 00 (256 bytes) and no P3 at all.
    ExpectAnswers("3F00 2FE2",
                  "A0B0000A01 > 9402; A0B0000902 > 9402; A0B0FF0001 > 9402;"
                  "A0B0000000 > 9402; A0B00000 > 9402; A0B0000001 00 > 6700");
    ExpectAnswers("", "A0B0000001 > 9400; A0D6000001 00 > 9400");
    ExpectAnswers("CHV1 3F00 7F10 6F3A", "A0B0000001 > 9408; A0D6000001 00 > 9408");
    // NEV, even for the administrator.
    ExpectAnswers("ADM 3F00 2FE2", "A0D6000001 00 > 9804");
    ExpectAnswers("3F00 7F20 6F07", "A0B0000009 > 9804");
    ExpectAnswers("CHV1 3F00 7F20 6F07",
                  "A0B0000009 > 08 09 10 10 10 32 54 76 98 9000; A0D6000001 09 > 9804");
    ExpectAnswers("CHV1 ADM 3F00 7F20 6F07", "A0D6000001 09 > 9000");
    ExpectAnswers("3F00 7F20 6F7B", "A0B0000001 > 9804");
    ExpectAnswers("CHV2 3F00 7F20 6F7B", "A0B0000001 > FF 9000");
    // ADM stands for every administrative level.
    ExpectAnswers("3F00 6F01", "A0B0000001 > 9804");
    ExpectAnswers("ADM 3F00 6F01", "A0B0000001 > FF 9000; A0D6000001 01 > 9000");
}

TEST_F(SimCardTransparent, RefusedUpdatesChangeNothingAndAGoodOneIsKept) {
    Prepare(m_card, "3F00 7F20 6F78");
    Run("A0D6000102 AABB > 9402; A0D6010000 > 9402; A0D6000002 AA > 6700; A0D6000001 AABBCC > "
        "6700");
    Run("A0B0000002 > 0002 9000");
    EXPECT_FALSE(m_card.TakeChanged());
    Run("A0D6000101 07 > 9000; A0B0000002 > 0007 9000");
    EXPECT_TRUE(m_card.TakeChanged());
    EXPECT_FALSE(m_card.TakeChanged());
}

}  // namespace
