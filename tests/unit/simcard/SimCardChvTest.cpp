// The codes (VERIFY, CHANGE, DISABLE, ENABLE, UNBLOCK, ADM), INVALIDATE / REHABILITATE and
// RUN GSM ALGORITHM, which all depend on them.

#include "SimCardFixture.h"

namespace {

// Written into transcripts: CHV1, a wrong code, UNBLOCK CHV1 and a new code.
const std::string Chv1 = " 31323334FFFFFFFF ";
const std::string Wrong = " 39393939FFFFFFFF ";
const std::string Unblock1 = " 3132333435363738 ";
const std::string New = " 34333231FFFFFFFF ";
const std::string Rand = "A088000010 0123456789ABCDEF0123456789ABCDEF";

class SimCardChv : public SimCardTest {
protected:
    // A byte of the MF response: 13 file characteristics, 18 CHV1 status, 19 UNBLOCK CHV1.
    std::string DirectoryByte(std::size_t index) {
        Send("A0A4000002 3F00");
        return Send("A0C0000017").substr(index * 2, 2);
    }
    bool CanReadImsi() {
        Prepare(m_card, "3F00 7F20 6F07");
        const std::string answer = Send("A0B0000009");
        return answer.size() == 22 && answer.substr(18) == "9000";
    }
    void Repeat(const std::string& step, int times) {
        for (int i = 0; i < times; ++i) Run(step);
    }
    void BlockChv1() {
        Repeat("A020000108" + Wrong + "> 9804", 2);
        Run("A020000108" + Wrong + "> 9840");
    }
};

TEST_F(SimCardChv, ParametersAndConditions) {
    // VERIFY and CHANGE: the code number in P2, P1 00, eight or sixteen bytes.
    ExpectAnswers("", "A020000308" + Chv1 + "> 6B00; A020010108" + Chv1 + "> 6B00;" +
                          "A020000107 31323334FFFFFF > 6700; A020000108 31323334 > 6700;" +
                          "A024000310" + Chv1 + New + "> 6B00; A024000108" + Chv1 + "> 6700");
    // DISABLE and ENABLE concern CHV1 only; UNBLOCK takes P2 00 or 02.
    ExpectAnswers("",
                  "A026000208 35363738FFFFFFFF > 6B00; A028000208 35363738FFFFFFFF > 6B00;"
                  "A026000107 31323334FFFFFF > 6700; A02C000110" +
                      Unblock1 + New + "> 6B00");
    // INVALIDATE and REHABILITATE need an EF, no data, P1 P2 00; here ADM and CHV1.
    ExpectAnswers("", "A004000000 > 9400; A044000000 > 9400");
    ExpectAnswers("3F00 7F20 6FAE", "A004000001 00 > 6700; A044010000 > 6B00");
    ExpectAnswers("3F00 7F20 6F07", "A004000000 > 9804; A044000000 > 9804");
    ExpectAnswers("ADM 3F00 7F20 6F07", "A004000000 > 9000");
    ExpectAnswers("CHV1 3F00 7F20 6F07", "A044000000 > 9000");
    // RUN GSM ALGORITHM: P1 P2 00, sixteen bytes of RAND, DF GSM or below it, then CHV1.
    ExpectAnswers("CHV1 3F00 7F20",
                  "A08800000F 0123456789ABCDEF0123456789ABCD > 6700;"
                  "A088010010 0123456789ABCDEF0123456789ABCDEF > 6B00");
    ExpectAnswers("CHV1", Rand + " > 9408");
    ExpectAnswers("CHV1 3F00 7F10 6F3A", Rand + " > 9408");
    ExpectAnswers("CHV1 3F00 7F20 6F07", Rand + " > 9F0C");
    ExpectAnswers("CHV1 3F00 7F20 5F30", Rand + " > 9F0C");
    ExpectAnswers("3F00 7F20", Rand + " > 9804");
}

TEST_F(SimCardChv, WrongCodesCountDownARightOneResetsTheThirdBlocks) {
    EXPECT_EQ(DirectoryByte(18), "83");
    Repeat("A020000108" + Wrong + "> 9804", 2);
    EXPECT_EQ(DirectoryByte(18), "81");
    Run("A020000108" + Chv1 + "> 9000");
    EXPECT_EQ(DirectoryByte(18), "83");
    m_card.Reset();
    BlockChv1();
    EXPECT_EQ(DirectoryByte(18), "80");
    Run("A020000108" + Chv1 + "> 9840");
    EXPECT_FALSE(CanReadImsi());
    EXPECT_TRUE(m_card.TakeChanged());  // the counter must survive a restart
}

TEST_F(SimCardChv, UnblockSetsTheNewCodeAndCanBeBlockedItself) {
    BlockChv1();
    Run("A02C000010" + Unblock1 + New + "> 9000");
    EXPECT_EQ(DirectoryByte(18), "83");
    EXPECT_TRUE(CanReadImsi());  // unblocking counts as presenting the code
    m_card.Reset();
    Run("A020000108" + Chv1 + "> 9804; A020000108" + New + "> 9000");

    BlockChv1();
    Repeat("A02C000010" + Wrong + New + "> 9804", 9);
    EXPECT_EQ(DirectoryByte(19), "81");
    Run("A02C000010" + Wrong + New + "> 9840; A02C000010" + Unblock1 + New + "> 9840");
    EXPECT_EQ(DirectoryByte(19), "80");
}

TEST_F(SimCardChv, ChangeAndUnblockChv2SetTheCodeForTheNextSession) {
    Run("A024000110" + Wrong + New + "> 9804; A024000110" + Chv1 + New + "> 9000");
    EXPECT_EQ(DirectoryByte(18), "83");
    Run("A02C000210 3837363534333231" + New + "> 9000");
    m_card.Reset();
    Run("A020000108" + New + "> 9000; A020000208" + New + "> 9000");
}

TEST_F(SimCardChv, DisabledChv1CountsAsFulfilled) {
    Run("A026000108" + Wrong + "> 9804; A026000108" + Chv1 + "> 9000");
    EXPECT_EQ(DirectoryByte(13), "80");
    m_card.Reset();
    EXPECT_TRUE(CanReadImsi());
    // In contradiction with the CHV status now.
    Run("A020000108" + Chv1 + "> 9808; A026000108" + Chv1 + "> 9808; A024000110" + Chv1 + New +
        "> 9808");
    Run("A028000108" + Chv1 + "> 9000; A028000108" + Chv1 + "> 9808");
    EXPECT_EQ(DirectoryByte(13), "00");
    m_card.Reset();
    EXPECT_FALSE(CanReadImsi());
}

TEST_F(SimCardChv, AdmIsNeverBlockedAndPowerOffForgetsVerifiedCodes) {
    Repeat("A020000A08 0B0B0B0B0B0B0B0B > 9804", 12);
    EXPECT_EQ(VerifyAdm(), "9000");
    EXPECT_EQ(VerifyChv1(), "9000");
    Prepare(m_card, "7F20 6FAE");
    Run("A0D6000001 03 > 9000");
    m_card.PowerOff();
    EXPECT_FALSE(CanReadImsi());
    Prepare(m_card, "6FAE");
    Run("A0D6000001 03 > 9804");
    CSimCard bare(ParseOrDie("mf 3F00\n"));
    EXPECT_EQ(SendTo(bare, "A020000A08 0A0A0A0A0A0A0A0A"), "9802");  // no code set
}

TEST_F(SimCardChv, InvalidatedFileRefusesUseUntilRehabilitated) {
    Prepare(m_card, "CHV1 ADM 3F00 7F20 6F07");
    Run("A004000000 > 9000; A0B0000001 > 9810; A0D6000001 08 > 9810");
    Run("A0A4000002 6F07 > 9F0F");  // SELECT still works
    Run("A044000000 > 9000; A0B0000001 > 08 9000");
    EXPECT_TRUE(m_card.TakeChanged());
    Prepare(m_card, "6F78");  // unless the file may be used when invalidated
    Run("A004000000 > 9000; A0B0000002 > 0002 9000; A0D6000001 01 > 9000");
}

TEST_F(SimCardChv, RunGsmAlgorithmDependsOnRandAndKiOnly) {
    Prepare(m_card, "CHV1 3F00 7F20");
    Run(Rand + " > 9F0C");
    const std::string first = Send("A0C000000C");
    ASSERT_EQ(first.size(), 28u);
    Run(Rand + " > 9F0C; A0C000000C > " + first);
    Run("A088000010 0123456789ABCDEF0123456789ABCDEE > 9F0C");
    EXPECT_NE(Send("A0C000000C"), first);  // another RAND, another answer

    std::string otherKi = TestProfileText();
    otherKi.replace(otherKi.find("ki       00"), 11, "ki       FF");
    CSimCard other(ParseOrDie(otherKi));
    Prepare(other, "CHV1 3F00 7F20");
    SendTo(other, Rand);
    EXPECT_NE(SendTo(other, "A0C000000C"), first);  // another Ki
}

}  // namespace
