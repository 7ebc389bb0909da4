// READ RECORD, UPDATE RECORD, SEEK and INCREASE on linear fixed and cyclic files.

#include "SimCardFixture.h"

namespace {

class SimCardRecord : public SimCardTest {
protected:
    void SetUp() override {
        ASSERT_EQ(VerifyChv1(), "9000");
        ASSERT_EQ(SelectPath("3F00 7F10 6F3A"), "9F0F");
    }
    std::string Read(const std::string& p1p2) { return Send("A0B2" + p1p2 + "04"); }
};

TEST_F(SimCardRecord, NextStartsAtTheFirstRecordAndStopsAtTheLast) {
    EXPECT_EQ(Read("0002"), "111111119000");
    EXPECT_EQ(Read("0002"), "222222229000");
    EXPECT_EQ(Read("0002"), "112233449000");
    EXPECT_EQ(Read("0002"), "9402");
    // The pointer stayed on the last record.
    EXPECT_EQ(Read("0003"), "222222229000");
}

TEST_F(SimCardRecord, PreviousStartsAtTheLastRecordAndStopsAtTheFirst) {
    EXPECT_EQ(Read("0003"), "112233449000");
    EXPECT_EQ(Read("0003"), "222222229000");
    EXPECT_EQ(Read("0003"), "111111119000");
    EXPECT_EQ(Read("0003"), "9402");
    EXPECT_EQ(Read("0004"), "111111119000");
}

TEST_F(SimCardRecord, AbsoluteLeavesThePointerAlone) {
    EXPECT_EQ(Read("0204"), "222222229000");
    EXPECT_EQ(Read("0002"), "111111119000");
    EXPECT_EQ(Read("0304"), "112233449000");
    EXPECT_EQ(Read("0004"), "111111119000");  // 00: the current record
}

TEST_F(SimCardRecord, CurrentRecordWithUndefinedPointerAndNumbersOutOfRange) {
    EXPECT_EQ(Read("0004"), "9402");
    EXPECT_EQ(Read("0404"), "9402");
    EXPECT_EQ(Read("FF04"), "9402");
}

TEST_F(SimCardRecord, RecordNumberIsIgnoredInNextAndPreviousMode) {
    EXPECT_EQ(Read("0302"), "111111119000");
    EXPECT_EQ(Read("0103"), "9402");
}

TEST_F(SimCardRecord, WrongModeLengthOrStructure) {
    EXPECT_EQ(Send("A0B2000504"), "6B00");
    EXPECT_EQ(Send("A0B2010403"), "6700");
    EXPECT_EQ(Send("A0B2010405"), "6700");
    EXPECT_EQ(Send("A0DC010403 AABBCC"), "6700");
    EXPECT_EQ(Send("A0DC010404 AABBCC"), "6700");  // data shorter than P3
    SelectPath("3F00 2FE2");
    EXPECT_EQ(Send("A0B2010404"), "9408");
}

TEST_F(SimCardRecord, UpdateAbsoluteNextAndPrevious) {
    EXPECT_EQ(Send("A0DC020404 AAAAAAAA"), "9000");
    EXPECT_EQ(Read("0204"), "AAAAAAAA9000");
    EXPECT_EQ(Send("A0DC000204 BBBBBBBB"), "9000");  // next from undefined: record 1
    EXPECT_EQ(Read("0004"), "BBBBBBBB9000");
    EXPECT_EQ(Send("A0DC000304 CCCCCCCC"), "9402");  // previous from record 1
    EXPECT_EQ(Read("0104"), "BBBBBBBB9000");
    EXPECT_TRUE(m_card.TakeChanged());
}

TEST_F(SimCardRecord, CyclicNextAndPreviousWrapAround) {
    SelectPath("3F00 7F10 6F44");
    auto read = [&](const std::string& p1p2) { return Send("A0B2" + p1p2 + "02"); };
    EXPECT_EQ(read("0004"), "01019000");  // the newest record is current after SELECT
    EXPECT_EQ(read("0002"), "02029000");
    EXPECT_EQ(read("0002"), "03039000");
    EXPECT_EQ(read("0002"), "01019000");
    EXPECT_EQ(read("0003"), "03039000");
}

TEST_F(SimCardRecord, CyclicUpdatePreviousOverwritesTheOldestRecord) {
    SelectPath("3F00 7F10 6F44");
    EXPECT_EQ(Send("A0DC000302 AAAA"), "9000");
    EXPECT_EQ(Send("A0B2010402"), "AAAA9000");
    EXPECT_EQ(Send("A0B2020402"), "01019000");
    EXPECT_EQ(Send("A0B2030402"), "02029000");
    EXPECT_EQ(Send("A0DC000302 BBBB"), "9000");
    EXPECT_EQ(Send("A0DC000302 CCCC"), "9000");
    EXPECT_EQ(Send("A0DC000302 DDDD"), "9000");
    EXPECT_EQ(Send("A0B2010402"), "DDDD9000");
    EXPECT_EQ(Send("A0B2020402"), "CCCC9000");
    EXPECT_EQ(Send("A0B2030402"), "BBBB9000");
    EXPECT_EQ(Send("A0B2000402"), "DDDD9000");  // pointer on the new record 1
}

TEST_F(SimCardRecord, CyclicUpdateInOtherModesIsRefused) {
    SelectPath("3F00 7F10 6F44");
    EXPECT_EQ(Send("A0DC010402 AAAA"), "6B00");
    EXPECT_EQ(Send("A0DC000202 AAAA"), "6B00");
    EXPECT_EQ(Send("A0B2010402"), "01019000");
}

TEST_F(SimCardRecord, SeekType1MovesThePointer) {
    EXPECT_EQ(Send("A0A2000001 11"), "9000");  // from the start forward
    EXPECT_EQ(Read("0004"), "111111119000");
    EXPECT_EQ(Send("A0A2000201 11"), "9000");  // from the next one forward
    EXPECT_EQ(Read("0004"), "112233449000");
    EXPECT_EQ(Send("A0A2000201 11"), "9404");  // nothing after record 3
    EXPECT_EQ(Read("0004"), "112233449000");
    EXPECT_EQ(Send("A0A2000301 11"), "9000");  // from the previous one backward
    EXPECT_EQ(Read("0004"), "111111119000");
    EXPECT_EQ(Send("A0A2000101 22"), "9000");  // from the end backward
    EXPECT_EQ(Read("0004"), "222222229000");
}

TEST_F(SimCardRecord, SeekMatchesTheRecordStart) {
    EXPECT_EQ(Send("A0A2000002 1122"), "9000");
    EXPECT_EQ(Read("0004"), "112233449000");
    EXPECT_EQ(Send("A0A2000002 2233"), "9404");
}

TEST_F(SimCardRecord, SeekType2AnswersTheRecordNumber) {
    EXPECT_EQ(Send("A0A2001101 11"), "9F01");
    EXPECT_EQ(Send("A0C0000001"), "039000");
    EXPECT_EQ(Send("A0A2001001 99"), "9404");
}

TEST_F(SimCardRecord, SeekParametersAndStructure) {
    EXPECT_EQ(Send("A0A2002001 11"), "6B00");
    EXPECT_EQ(Send("A0A2000401 11"), "6B00");
    EXPECT_EQ(Send("A0A2010001 11"), "6B00");
    EXPECT_EQ(Send("A0A2000000"), "6700");
    EXPECT_EQ(Send("A0A2000005 1111111111"), "6700");
    EXPECT_EQ(Send("A0A2000002 11"), "6700");
    SelectPath("3F00 7F10 6F44");
    EXPECT_EQ(Send("A0A2000001 01"), "9408");
}

TEST_F(SimCardRecord, IncreaseAddsAndAnswersNewValueAndAddedValue) {
    SelectPath("3F00 7F20 6F39");
    EXPECT_EQ(Send("A032000003 000003"), "9F06");
    EXPECT_EQ(Send("A0C0000006"), "0000080000039000");
    EXPECT_EQ(Send("A0B2010403"), "0000089000");
    EXPECT_EQ(Send("A0B2020403"), "0000059000");  // the old record 1 moved on
    EXPECT_EQ(Send("A032000003 0000FF"), "9F06");
    EXPECT_EQ(Send("A0B2010403"), "0001079000");  // carry across bytes
    EXPECT_TRUE(m_card.TakeChanged());
}

TEST_F(SimCardRecord, IncreaseBeyondTheMaximumChangesNothing) {
    SelectPath("3F00 7F20 6F39");
    EXPECT_EQ(Send("A032000003 FFFFFA"), "9F06");  // 5 + FFFFFA = FFFFFF
    EXPECT_EQ(Send("A032000003 000001"), "9850");
    EXPECT_EQ(Send("A0B2010403"), "FFFFFF9000");
    EXPECT_EQ(Send("A0B2020403"), "0000059000");
}

TEST_F(SimCardRecord, IncreaseNeedsAnIncreasableCyclicFile) {
    EXPECT_EQ(Send("A032000003 000001"), "9408");  // linear fixed
    SelectPath("3F00 7F10 6F44");
    EXPECT_EQ(Send("A032000003 000001"), "9408");  // cyclic without INCREASE
    SelectPath("3F00 7F20 6F39");
    EXPECT_EQ(Send("A032000002 0001"), "6700");
    EXPECT_EQ(Send("A032010003 000001"), "6B00");
    m_card.Reset();
    SelectPath("3F00 7F20 6F39");
    EXPECT_EQ(Send("A032000003 000001"), "9804");  // CHV1 gone with the reset
}

}  // namespace
