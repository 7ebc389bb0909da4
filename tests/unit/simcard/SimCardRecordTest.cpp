// READ RECORD, UPDATE RECORD, SEEK and INCREASE on linear fixed and cyclic files.

#include "SimCardFixture.h"

namespace {

const char* const Adn = "CHV1 3F00 7F10 6F3A";  // linear fixed, 3 records of 4 bytes
const char* const Lnd = "CHV1 3F00 7F10 6F44";  // cyclic, 3 records of 2 bytes
const char* const Acm = "CHV1 3F00 7F20 6F39";  // cyclic with INCREASE, 2 records of 3 bytes

class SimCardRecord : public SimCardTest {
protected:
    void SetUp() override { Prepare(m_card, Adn); }
};

TEST_F(SimCardRecord, ParametersStructureAndConditions) {
    // The current record while the pointer is undefined; numbers beyond the last.
    ExpectAnswers(Adn, "A0B2000404 > 9402; A0B2040404 > 9402; A0B2FF0404 > 9402");
    ExpectAnswers(Adn, "A0B2030204 > 11111111 9000");  // next mode ignores the number
    ExpectAnswers(Adn,
                  "A0B2000504 > 6B00; A0B2010403 > 6700; A0B2010405 > 6700;"
                  "A0DC010403 AABBCC > 6700; A0DC010404 AABBCC > 6700");
    ExpectAnswers("3F00 2FE2", "A0B2010404 > 9408");
    ExpectAnswers(Lnd, "A0DC000202 AAAA > 6B00");  // cyclic: previous mode only
    // SEEK matches the start of a record; its type, mode, P1 and length.
    ExpectAnswers(Adn,
                  "A0A2000002 2233 > 9404; A0A2001001 99 > 9404; A0A2002001 11 > 6B00;"
                  "A0A2000401 11 > 6B00; A0A2010001 11 > 6B00; A0A2000000 > 6700;"
                  "A0A2000005 1111111111 > 6700; A0A2000002 11 > 6700");
    ExpectAnswers(Lnd, "A0A2000001 01 > 9408");
    // INCREASE needs a cyclic file, three bytes, P1 P2 00 and its condition: CHV1 here,
    // NEV (the default) for LND.
    ExpectAnswers(Adn, "A0320000 03 000001 > 9408");
    ExpectAnswers(Lnd, "A0320000 03 000001 > 9804");
    ExpectAnswers(Acm, "A0320000 02 0001 > 6700; A0320100 03 000001 > 6B00");
    ExpectAnswers("3F00 7F20 6F39", "A0320000 03 000001 > 9804");
}

TEST_F(SimCardRecord, NextAndPreviousStopAtTheEndsAbsoluteLeavesThePointer) {
    // Absolute leaves the pointer undefined; next starts at the first record.
    Run("A0B2020404 > 22222222 9000; A0B2000204 > 11111111 9000");
    Run("A0B2000204 > 22222222 9000; A0B2000204 > 11223344 9000; A0B2000204 > 9402");
    // The pointer stayed on the last record; previous mode ignores the number too.
    Run("A0B2000304 > 22222222 9000; A0B2000304 > 11111111 9000; A0B2010304 > 9402");
    Run("A0B2000404 > 11111111 9000; A0B2030404 > 11223344 9000; A0B2000404 > 11111111 9000");
    m_card.Reset();
    Prepare(m_card, Adn);
    Run("A0B2000304 > 11223344 9000");  // previous starts at the last record
}

TEST_F(SimCardRecord, UpdateAbsoluteNextAndPrevious) {
    Run("A0DC020404 AAAAAAAA > 9000; A0B2020404 > AAAAAAAA 9000");
    Run("A0DC000204 BBBBBBBB > 9000; A0B2000404 > BBBBBBBB 9000");  // next from undefined: 1
    Run("A0DC000304 CCCCCCCC > 9402; A0B2010404 > BBBBBBBB 9000");  // previous from 1
    EXPECT_TRUE(m_card.TakeChanged());
}

TEST_F(SimCardRecord, CyclicReadsWrapAroundAndUpdateOverwritesTheOldest) {
    Prepare(m_card, "6F44");
    // The newest record is current after SELECT.
    Run("A0DC010402 EEEE > 6B00; A0B2000402 > 0101 9000; A0B2000202 > 0202 9000");
    Run("A0B2000202 > 0303 9000; A0B2000202 > 0101 9000; A0B2000302 > 0303 9000");
    Run("A0DC000302 AAAA > 9000; A0B2010402 > AAAA 9000; A0B2020402 > 0101 9000");
    Run("A0B2030402 > 0202 9000; A0DC000302 BBBB > 9000; A0DC000302 CCCC > 9000");
    Run("A0B2030402 > AAAA 9000; A0B2000402 > CCCC 9000");  // the pointer on the new record 1
}

TEST_F(SimCardRecord, SeekMovesThePointerOrAnswersTheRecordNumber) {
    // From the start forward, from the next one forward, then nothing after record 3.
    Run("A0A2000001 11 > 9000; A0B2000404 > 11111111 9000");
    Run("A0A2000201 11 > 9000; A0B2000404 > 11223344 9000");
    Run("A0A2000201 11 > 9404; A0B2000404 > 11223344 9000");
    // From the previous one backward, from the end backward, two bytes from the start.
    Run("A0A2000301 11 > 9000; A0B2000404 > 11111111 9000");
    Run("A0A2000101 22 > 9000; A0B2000404 > 22222222 9000");
    Run("A0A2000002 1122 > 9000; A0B2000404 > 11223344 9000");
    Run("A0A2001101 11 > 9F01; A0C0000001 > 03 9000");  // type 2
}

TEST_F(SimCardRecord, IncreaseAddsWithCarryAndRefusesToPassTheMaximum) {
    Prepare(m_card, "7F20 6F39");
    // The answer holds the new value and the added value; the old record 1 moved on.
    Run("A0320000 03 000003 > 9F06; A0C0000006 > 000008 000003 9000");
    Run("A0B2010403 > 000008 9000; A0B2020403 > 000005 9000");
    Run("A0320000 03 0000FF > 9F06; A0B2010403 > 000107 9000");   // carry across bytes
    Run("A0320000 03 FFFEF8 > 9F06; A0320000 03 000001 > 9850");  // FFFFFF, then too much
    Run("A0B2010403 > FFFFFF 9000; A0B2020403 > 000107 9000");
    EXPECT_TRUE(m_card.TakeChanged());
}

}  // namespace
