// SPDX-License-Identifier: GPL-3.0-or-later
// Every encoder of what a user edits: decode(encode(x)) == x, the bytes where the standard
// fixes them, and a clear refusal of what does not fit.
#include "DialNumber.h"
#include "GsmBytes.h"
#include "SimValues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Encoders, DialNumbersRoundTrip) {
    struct CCase {
        const char* pName;
        CDialNumber entry;
        std::size_t recordLength;
        std::size_t trailer;
        const char* pHex;  // the whole record, or "" where only the round trip matters
    };
    const CCase cases[] = {
        {"profile ADN 1",
         {"Alice Example", "5550100", 0x81, 0xFF, 0xFF, 0xFF},
         28,
         kDialNumberTrailer,
         "416C696365204578616D706C65FF0581550501F0FFFFFFFFFFFFFFFF"},
        {"international",
         {"Bob", "+4917002345", 0x91, 0xFF, 0x02, 0xFF},
         17,
         kDialNumberTrailer,
         "426F6206919471003254FFFFFFFFFFFF02"},
        {"UCS2 name", {"Привет", "+70123", 0x91, 0x01, 0xFF, 0xFF}, 26, kDialNumberTrailer, ""},
        {"star hash pause wild",
         {"*#", "*31#P1?2", 0x81, 0xFF, 0xFF, 0xFF},
         16,
         kDialNumberTrailer,
         ""},
        {"20 digits",
         {"", "12345678901234567890", 0x81, 0xFF, 0xFF, 0xFF},
         14,
         kDialNumberTrailer,
         ""},
        {"empty",
         {"", "", 0xFF, 0xFF, 0xFF, 0xFF},
         20,
         kDialNumberTrailer,
         "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
        {"barred",
         {"Bar", "123", 0x81, 0xFF, 0xFF, 0x05},
         18,
         kBarredDialNumberTrailer,
         "426172038121F3FFFFFFFFFFFFFFFFFFFF05"},
        {"name fills the field",
         {"Exactly14chars", "1", 0x81, 0xFF, 0xFF, 0xFF},
         28,
         kDialNumberTrailer,
         ""},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pName);
        const CEncodeResult encoded = EncodeDialNumber(c.entry, c.recordLength, c.trailer);
        ASSERT_TRUE(encoded.Ok()) << encoded.m_strError;
        EXPECT_EQ(encoded.m_strBytes.size(), c.recordLength);
        if (*c.pHex) {
            EXPECT_EQ(Hex(encoded.m_strBytes), c.pHex);
        }
        EXPECT_EQ(ParseDialNumber(encoded.m_strBytes, c.trailer), c.entry);
    }
}

TEST(Encoders, DialNumbersRefuseWhatDoesNotFit) {
    struct CCase {
        CDialNumber entry;
        std::size_t recordLength;
        const char* pError;
    };
    const CCase cases[] = {
        {{"Exactly15chars!", "1"}, 28, "the name does not fit in 14 bytes"},
        {{"", "123456789012345678901"}, 14, "the number has more than 20 digits"},
        {{"", "12-34"}, 14, "the number holds a character that is not a digit"},
        {{"", "+"}, 14, "the number has no digits after '+'"},
        {{"", "1"}, 13, "the record is shorter than 14 bytes"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pError);
        EXPECT_EQ(EncodeDialNumber(c.entry, c.recordLength).m_strError, c.pError);
    }
    // A leading '+' makes the type of number international and keeps the numbering plan.
    const CEncodeResult plus = EncodeDialNumber({"", "+1", 0x89}, 14);
    EXPECT_EQ(Hex(plus.m_strBytes.substr(0, 2)), "0299");
}

TEST(Encoders, ServiceProviderNameRoundTrips) {
    const CServiceProviderName names[] = {
        {0x01, "Fictel Mobile"}, {0x00, ""}, {0x03, "16 characters ok"}, {0x02, "Ελλάδα"}};
    for (const CServiceProviderName& spn : names) {
        SCOPED_TRACE(spn.m_strName);
        const CEncodeResult encoded = EncodeServiceProviderName(spn);
        ASSERT_TRUE(encoded.Ok()) << encoded.m_strError;
        EXPECT_EQ(encoded.m_strBytes.size(), kSpnSize);
        EXPECT_EQ(ParseServiceProviderName(encoded.m_strBytes), spn);
    }
    EXPECT_EQ(Hex(EncodeServiceProviderName({0x01, "Fictel Mobile"}).m_strBytes),
              "01" + Hex("Fictel Mobile") + "FFFFFF");
    EXPECT_FALSE(EncodeServiceProviderName({0x01, "17 characters, no"}).Ok());
}

TEST(Encoders, ImsiRoundTrips) {
    struct CCase {
        const char* pDigits;
        const char* pHex;
    };
    const CCase cases[] = {
        {"001010123456789", "080910101032547698"},  // the profile's, 15 digits (odd)
        {"26201123456789", "0821261021436587F9"},   // an even count: parity nibble 1, F pad
        {"123456", "04113254F6FFFFFFFF"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pDigits);
        const CEncodeResult encoded = EncodeImsi(c.pDigits);
        ASSERT_TRUE(encoded.Ok()) << encoded.m_strError;
        EXPECT_EQ(Hex(encoded.m_strBytes), c.pHex);
        EXPECT_EQ(ParseImsi(encoded.m_strBytes), c.pDigits);
    }
    for (const char* pBad : {"12345", "1234567890123456", "00101012345678a"}) {
        SCOPED_TRACE(pBad);
        EXPECT_FALSE(EncodeImsi(pBad).Ok());
    }
}

TEST(Encoders, PlmnListsRoundTrip) {
    const PlmnList list = {CPlmn{"001", "01"}, std::nullopt, CPlmn{"310", "410"}};
    const CEncodeResult encoded = EncodePlmnList(list, 12);
    ASSERT_TRUE(encoded.Ok());
    EXPECT_EQ(Hex(encoded.m_strBytes), "00F110FFFFFF130014FFFFFF");
    PlmnList expected = list;
    expected.push_back(std::nullopt);
    EXPECT_EQ(ParsePlmnList(encoded.m_strBytes), expected);
    EXPECT_FALSE(EncodePlmnList(list, 8).Ok());
    EXPECT_EQ(EncodePlmnList({CPlmn{"0A1", "01"}}, 3).m_strError, "\"0A1-01\" is not a PLMN");

    const std::vector<CPlmnWithAct> acts = {{CPlmn{"262", "01"}, 0x8080}, {std::nullopt, 0}};
    const CEncodeResult actBytes = EncodePlmnActList(acts, 10);
    ASSERT_TRUE(actBytes.Ok());
    EXPECT_EQ(Hex(actBytes.m_strBytes), "62F2108080FFFFFF0000");
    EXPECT_EQ(ParsePlmnActList(actBytes.m_strBytes), acts);
    EXPECT_FALSE(EncodePlmnActList(acts, 9).Ok());
}

TEST(Encoders, LanguagesRoundTrip) {
    const std::vector<std::uint8_t> codes = {0x01, 0x00, 0x23};
    const CEncodeResult lp = EncodeLanguageCodes(codes, 4);
    ASSERT_TRUE(lp.Ok());
    EXPECT_EQ(Hex(lp.m_strBytes), "010023FF");
    EXPECT_EQ(ParseLanguageCodes(lp.m_strBytes), codes);
    EXPECT_FALSE(EncodeLanguageCodes(codes, 2).Ok());
    EXPECT_FALSE(EncodeLanguageCodes({0xFF}, 2).Ok());
    EXPECT_EQ(LanguageName(0x23), "Russian");

    const std::vector<std::string> tags = {"en", "de"};
    const CEncodeResult elp = EncodeLanguageTags(tags, 6);
    ASSERT_TRUE(elp.Ok());
    EXPECT_EQ(Hex(elp.m_strBytes), "656E6465FFFF");
    EXPECT_EQ(ParseLanguageTags(elp.m_strBytes), tags);
    for (const char* pBad : {"e", "EN", "eng", "e1"}) {
        SCOPED_TRACE(pBad);
        EXPECT_FALSE(EncodeLanguageTags({pBad}, 6).Ok());
    }
}
