// The codes (VERIFY, CHANGE, DISABLE, ENABLE, UNBLOCK, ADM), INVALIDATE / REHABILITATE and
// RUN GSM ALGORITHM, which all depend on them.

#include "SimCardFixture.h"

namespace {

const std::string Chv1 = "31323334FFFFFFFF";
const std::string WrongChv = "39393939FFFFFFFF";
const std::string Unblock1 = "3132333435363738";
const std::string NewChv = "34333231FFFFFFFF";

class SimCardChv : public SimCardTest {
protected:
    // The CHV1 status byte of the MF response (byte 19).
    std::string Chv1Status() { return DirectoryByte(18); }
    std::string DirectoryByte(std::size_t index) {
        Send("A0A4000002 3F00");
        return Send("A0C0000017").substr(index * 2, 2);
    }
    bool CanReadImsi() {
        SelectPath("3F00 7F20 6F07");
        std::string answer = Send("A0B0000009");
        return answer.size() == 22 && answer.substr(18) == "9000";
    }
    std::string BlockChv1() {
        Send("A020000108" + WrongChv);
        Send("A020000108" + WrongChv);
        return Send("A020000108" + WrongChv);
    }
};

TEST_F(SimCardChv, VerifyCountsDownAndResetsTheCounter) {
    EXPECT_EQ(Chv1Status(), "83");
    EXPECT_EQ(Send("A020000108" + WrongChv), "9804");
    EXPECT_EQ(Chv1Status(), "82");
    EXPECT_EQ(Send("A020000108" + WrongChv), "9804");
    EXPECT_EQ(Chv1Status(), "81");
    EXPECT_EQ(Send("A020000108" + Chv1), "9000");
    EXPECT_EQ(Chv1Status(), "83");
    EXPECT_TRUE(CanReadImsi());
}

TEST_F(SimCardChv, ThirdWrongCodeBlocksEvenTheRightOne) {
    EXPECT_EQ(BlockChv1(), "9840");
    EXPECT_EQ(Chv1Status(), "80");
    EXPECT_EQ(Send("A020000108" + Chv1), "9840");
    EXPECT_FALSE(CanReadImsi());
    EXPECT_TRUE(m_card.TakeChanged());  // the counter must survive a restart
}

TEST_F(SimCardChv, UnblockSetsTheNewCodeAndRestoresTheCounter) {
    BlockChv1();
    EXPECT_EQ(Send("A02C000010" + Unblock1 + NewChv), "9000");
    EXPECT_EQ(Chv1Status(), "83");
    EXPECT_TRUE(CanReadImsi());  // unblocking counts as presenting the code
    m_card.Reset();
    EXPECT_EQ(Send("A020000108" + Chv1), "9804");
    EXPECT_EQ(Send("A020000108" + NewChv), "9000");
}

TEST_F(SimCardChv, WrongUnblockCodesBlockTheUnblockCode) {
    BlockChv1();
    for (int attempt = 1; attempt < 10; ++attempt)
        EXPECT_EQ(Send("A02C000010" + WrongChv + NewChv), "9804") << attempt;
    EXPECT_EQ(DirectoryByte(19), "81");
    EXPECT_EQ(Send("A02C000010" + WrongChv + NewChv), "9840");
    EXPECT_EQ(Send("A02C000010" + Unblock1 + NewChv), "9840");
    EXPECT_EQ(DirectoryByte(19), "80");
}

TEST_F(SimCardChv, UnblockChv2UsesP2Two) {
    EXPECT_EQ(Send("A02C000210 3837363534333231" + NewChv), "9000");
    EXPECT_EQ(Send("A02C000110" + Unblock1 + NewChv), "6B00");
    m_card.Reset();
    EXPECT_EQ(Send("A020000208" + NewChv), "9000");
}

TEST_F(SimCardChv, ChangeNeedsTheOldCode) {
    EXPECT_EQ(Send("A024000110" + WrongChv + NewChv), "9804");
    EXPECT_EQ(Send("A024000110" + Chv1 + NewChv), "9000");
    EXPECT_EQ(Chv1Status(), "83");
    m_card.Reset();
    EXPECT_EQ(Send("A020000108" + NewChv), "9000");
    EXPECT_EQ(Send("A024000310" + Chv1 + NewChv), "6B00");
    EXPECT_EQ(Send("A024000108" + Chv1), "6700");
}

TEST_F(SimCardChv, DisabledChv1CountsAsFulfilled) {
    EXPECT_EQ(Send("A026000108" + WrongChv), "9804");
    EXPECT_EQ(Send("A026000108" + Chv1), "9000");
    EXPECT_EQ(DirectoryByte(13), "80");
    m_card.Reset();
    EXPECT_TRUE(CanReadImsi());
    // In contradiction with the CHV status now.
    EXPECT_EQ(Send("A020000108" + Chv1), "9808");
    EXPECT_EQ(Send("A026000108" + Chv1), "9808");
    EXPECT_EQ(Send("A024000110" + Chv1 + NewChv), "9808");
    EXPECT_EQ(Send("A028000108" + Chv1), "9000");
    EXPECT_EQ(Send("A028000108" + Chv1), "9808");
    EXPECT_EQ(DirectoryByte(13), "00");
    m_card.Reset();
    EXPECT_FALSE(CanReadImsi());
}

TEST_F(SimCardChv, DisableAndEnableConcernChv1Only) {
    EXPECT_EQ(Send("A026000208 35363738FFFFFFFF"), "6B00");
    EXPECT_EQ(Send("A028000208 35363738FFFFFFFF"), "6B00");
    EXPECT_EQ(Send("A026000107" + Chv1.substr(0, 14)), "6700");
}

TEST_F(SimCardChv, VerifyParameters) {
    EXPECT_EQ(Send("A020000308" + Chv1), "6B00");
    EXPECT_EQ(Send("A020010108" + Chv1), "6B00");
    EXPECT_EQ(Send("A020000107 31323334FFFFFF"), "6700");
    EXPECT_EQ(Send("A020000108 31323334"), "6700");
}

TEST_F(SimCardChv, UninitialisedCodeAnswers9802) {
    CSimCard card(ParseOrDie("mf 3F00\n"));
    std::vector<std::uint8_t> verify = FromHex("A020000208" + NewChv);
    EXPECT_EQ(ToHex(card.Process(verify.data(), verify.size())), "9802");
    std::vector<std::uint8_t> adm = FromHex("A020000A08 0A0A0A0A0A0A0A0A");
    EXPECT_EQ(ToHex(card.Process(adm.data(), adm.size())), "9802");
}

TEST_F(SimCardChv, AdmIsNeverBlocked) {
    for (int attempt = 0; attempt < 12; ++attempt)
        EXPECT_EQ(Send("A020000A08 0B0B0B0B0B0B0B0B"), "9804");
    EXPECT_EQ(VerifyAdm(), "9000");
    SelectPath("3F00 7F20 6FAE");
    EXPECT_EQ(Send("A0D6000001 03"), "9000");
}

TEST_F(SimCardChv, ResetAndPowerOffForgetVerifiedCodes) {
    VerifyChv1();
    VerifyAdm();
    m_card.PowerOff();
    EXPECT_FALSE(CanReadImsi());
    SelectPath("3F00 7F20 6FAE");
    EXPECT_EQ(Send("A0D6000001 03"), "9804");
}

TEST_F(SimCardChv, InvalidatedFileRefusesUseUntilRehabilitated) {
    VerifyChv1();
    VerifyAdm();
    SelectPath("3F00 7F20 6F07");
    EXPECT_EQ(Send("A004000000"), "9000");
    EXPECT_EQ(Send("A0B0000001"), "9810");
    EXPECT_EQ(Send("A0D6000001 08"), "9810");
    EXPECT_EQ(SelectPath("3F00 7F20 6F07"), "9F0F");  // SELECT still works
    EXPECT_EQ(Send("A044000000"), "9000");
    EXPECT_EQ(Send("A0B0000001"), "089000");
    EXPECT_TRUE(m_card.TakeChanged());
}

TEST_F(SimCardChv, InvalidateAndRehabilitateHaveTheirOwnConditions) {
    SelectPath("3F00 7F20 6F07");
    EXPECT_EQ(Send("A004000000"), "9804");  // ADM
    VerifyAdm();
    EXPECT_EQ(Send("A004000000"), "9000");
    m_card.Reset();
    SelectPath("3F00 7F20 6F07");
    EXPECT_EQ(Send("A044000000"), "9804");  // CHV1
    VerifyChv1();
    EXPECT_EQ(Send("A044000000"), "9000");
}

TEST_F(SimCardChv, UsableWhenInvalidatedAllowsReadAndUpdate) {
    SelectPath("3F00 7F20 6F78");
    EXPECT_EQ(Send("A004000000"), "9000");
    EXPECT_EQ(Send("A0B0000002"), "00029000");
    EXPECT_EQ(Send("A0D6000001 01"), "9000");
}

TEST_F(SimCardChv, InvalidateNeedsAnEfAndNoData) {
    EXPECT_EQ(Send("A004000000"), "9400");
    EXPECT_EQ(Send("A044000000"), "9400");
    SelectPath("3F00 7F20 6FAE");
    EXPECT_EQ(Send("A004000001 00"), "6700");
    EXPECT_EQ(Send("A044010000"), "6B00");
}

TEST_F(SimCardChv, RunGsmAlgorithmNeedsChv1AndIsDeterministic) {
    const std::string rand = "A0880000100123456789ABCDEF0123456789ABCDEF";
    EXPECT_EQ(Send(rand), "9804");
    VerifyChv1();
    EXPECT_EQ(Send(rand), "9F0C");
    std::string first = Send("A0C000000C");
    ASSERT_EQ(first.size(), 28u);
    EXPECT_EQ(Send(rand), "9F0C");
    EXPECT_EQ(Send("A0C000000C"), first);

    EXPECT_EQ(Send("A0880000100123456789ABCDEF0123456789ABCDEE"), "9F0C");
    EXPECT_NE(Send("A0C000000C"), first);  // another RAND, another answer

    std::string otherKi = TestProfileText();
    otherKi.replace(otherKi.find("ki       00"), 11, "ki       FF");
    CSimCard other(ParseOrDie(otherKi));
    std::vector<std::uint8_t> verify = FromHex("A020000108" + Chv1);
    other.Process(verify.data(), verify.size());
    std::vector<std::uint8_t> run = FromHex(rand);
    other.Process(run.data(), run.size());
    std::vector<std::uint8_t> get = FromHex("A0C000000C");
    EXPECT_NE(ToHex(other.Process(get.data(), get.size())), first);  // another Ki
}

TEST_F(SimCardChv, RunGsmAlgorithmParameters) {
    VerifyChv1();
    EXPECT_EQ(Send("A08800000F 0123456789ABCDEF0123456789ABCD"), "6700");
    EXPECT_EQ(Send("A088010010 0123456789ABCDEF0123456789ABCDEF"), "6B00");
}

}  // namespace
