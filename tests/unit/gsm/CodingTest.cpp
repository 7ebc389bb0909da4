// SPDX-License-Identifier: GPL-3.0-or-later
// The GSM codings on the standards' own examples: the 7-bit alphabet (TS 23.038), BCD
// dialling digits and the UCS2 alpha codings (TS 51.011 10.5.1, annex B), PLMNs.
#include "AlphaIdentifier.h"
#include "BcdDigits.h"
#include "GsmAlphabet.h"
#include "GsmBytes.h"
#include "Plmn.h"
#include "Ucs2Text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

TEST(GsmAlphabet, EverySeptetAndExtensionRoundTrips) {
    for (int septet = 0; septet < 128; ++septet) {
        if (septet == 0x1B) continue;  // the escape is no character of its own
        SCOPED_TRACE(septet);
        const std::string one(1, static_cast<char>(septet));
        const std::string utf8 = GsmSeptetsToUtf8(one);
        EXPECT_EQ(Utf8ToGsmSeptets(utf8), one) << utf8;
    }
    const char extensionCodes[] = {0x0A, 0x14, 0x28, 0x29, 0x2F, 0x3C, 0x3D, 0x3E, 0x40, 0x65};
    for (char code : extensionCodes) {
        SCOPED_TRACE(static_cast<int>(code));
        const std::string pair = std::string("\x1B") + code;
        const std::string utf8 = GsmSeptetsToUtf8(pair);
        EXPECT_EQ(Utf8ToGsmSeptets(utf8), pair) << utf8;
    }
}

TEST(GsmAlphabet, TableCharacters) {
    struct CCase {
        std::string septets;
        std::string utf8;
    };
    const CCase cases[] = {
        {Bytes("00 01 02 03"), "@£$¥"},
        {Bytes("10 12 13 14 15 16 17 18 19 1A"), "ΔΦΓΛΩΠΨΣΘΞ"},
        {Bytes("1C 1D 1E 1F 24 40 5F 60"), "ÆæßÉ¤¡§¿"},
        {Bytes("5B 5C 5D 5E 7B 7C 7D 7E 7F"), "ÄÖÑÜäöñüà"},
        {Bytes("09 0B 0C 0E 0F 04 05 06 07 08"), "ÇØøÅåèéùìò"},
        {Bytes("1B 65 1B 3C 1B 3E 1B 14 1B 40"), "€[]^|"},
        {Bytes("1B 28 1B 29 1B 2F 1B 3D 1B 0A"), "{}\\~\f"},
        // An escape to an unassigned code shows the default character; a last one a space.
        {Bytes("1B 41 1B"), "A "},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(GsmSeptetsToUtf8(c.septets), c.utf8);
    }
    EXPECT_FALSE(Utf8ToGsmSeptets("ą"));
    EXPECT_FALSE(Utf8ToGsmSeptets("\xC3"));  // cut UTF-8
    EXPECT_FALSE(FitsGsmAlphabet("`"));
}

TEST(GsmAlphabet, PackingFollowsTheStandardsExamples) {
    // TS 23.038 6.1.2.1.1: "hellohello" in 9 octets.
    const std::string hello = *Utf8ToGsmSeptets("hellohello");
    EXPECT_EQ(Hex(PackSeptets(hello)), "E8329BFD4697D9EC37");
    EXPECT_EQ(UnpackSeptets(Bytes("E8329BFD4697D9EC37"), 10), hello);
    // Eight septets fill seven octets exactly; a ninth count reads nothing more.
    const std::string eight = *Utf8ToGsmSeptets("12345678");
    EXPECT_EQ(PackSeptets(eight).size(), 7u);
    EXPECT_EQ(UnpackSeptets(PackSeptets(eight), 9), eight);
}

TEST(GsmAlphabet, FillBitsAfterAHeader) {
    // A 6-octet header (UDHL and an 8-bit concatenation) ends 1 bit short of a septet
    // boundary, so the text starts after 1 fill bit.
    EXPECT_EQ(Hex(PackSeptets("A", 1)), "82");
    struct CCase {
        unsigned fillBits;
        std::string text;
    };
    const CCase cases[] = {{0, "Hi there"},
                           {1, "concatenated"},
                           {3, "odd"},
                           {6, "x"},
                           {6, "sixfill bits all the way to the end"}};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.fillBits);
        const std::string septets = *Utf8ToGsmSeptets(c.text);
        const std::string packed = PackSeptets(septets, c.fillBits);
        EXPECT_EQ(packed.size(), PackedLength(septets.size(), c.fillBits));
        EXPECT_EQ(UnpackSeptets(packed, septets.size(), c.fillBits), septets);
    }
    // A septet in bits 1-7 of the last octet needs no octet after it; a buffer of exactly
    // one byte lets ASan see a read past it.
    const std::vector<char> one = {'\x82'};
    EXPECT_EQ(UnpackSeptets(std::string_view(one.data(), one.size()), 1, 1), "A");
    // Fewer octets than the count asks for: the septets they hold, never more.
    EXPECT_EQ(UnpackSeptets(Bytes("E8 32"), 10).size(), 2u);
    EXPECT_EQ(UnpackSeptets("", 5, 3), "");
}

TEST(BcdDigits, DiallingDigitsWithStarHashPauseAndWild) {
    struct CCase {
        std::string bytes;
        std::string digits;
    };
    const CCase cases[] = {
        {Bytes("55 05 01 F0"), "5550100"},
        {Bytes("1A 2B"), "*1#2"},
        {Bytes("1C 2D 3E"), "P1?2E3"},
        {Bytes("21 F3 55"), "123"},  // filler ends the digits
        {Bytes(""), ""},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.digits);
        EXPECT_EQ(DecodeBcdDigits(c.bytes), c.digits);
    }
    EXPECT_EQ(Hex(*EncodeBcdDigits("*1#2")), "1A2B");
    EXPECT_EQ(Hex(*EncodeBcdDigits("123")), "21F3");
    EXPECT_EQ(Hex(*EncodeBcdDigits("p")), "FC");
    EXPECT_FALSE(EncodeBcdDigits("12a"));
    EXPECT_EQ(DecodeSwappedBcd(Bytes("98 00 01 01 00 00 00 10 32 F4")), "8900101000000001234");
}

TEST(Ucs2Text, ConversionsBothWays) {
    EXPECT_EQ(Ucs2ToUtf8(Bytes("00 41 04 1F 20 AC")), "AП€");
    EXPECT_EQ(Ucs2ToUtf8(Bytes("D8 3D DE 00")), "\xF0\x9F\x98\x80");  // a surrogate pair
    EXPECT_EQ(Ucs2ToUtf8(Bytes("D8 3D 00 41")),
              "\xEF\xBF\xBD"
              "A");                                 // lone surrogate
    EXPECT_EQ(Ucs2ToUtf8(Bytes("00 41 00")), "A");  // odd last byte
    EXPECT_EQ(Hex(*Utf8ToUcs2("AП€")), "0041041F20AC");
    EXPECT_FALSE(Utf8ToUcs2("\xF0\x9F\x98\x80"));  // beyond U+FFFF
    EXPECT_FALSE(Utf8ToUcs2("\xC0\x80"));          // overlong
    EXPECT_FALSE(Utf8ToUcs2("\xED\xA0\x80"));      // an encoded surrogate
}

TEST(AlphaIdentifier, AllFourCodings) {
    struct CCase {
        const char* pName;
        std::string bytes;
        std::string text;
        AlphaCoding coding;
        bool bCut;
    };
    const CCase cases[] = {
        {"default alphabet", Bytes("41 6C 69 63 65 FF FF"), "Alice", AlphaCoding::Gsm, false},
        {"80", Bytes("80 04 1F 04 40 FF FF FF FF"), "Пр", AlphaCoding::Ucs2, false},
        {"80 odd", Bytes("80 04 1F 04"), "П", AlphaCoding::Ucs2, true},
        // TS 51.011 annex B's example of the 82 coding (Armenian with a base of 0530).
        {"82", Bytes("82 05 05 30 2D 82 D3 2D 31 FF"), "-\u0532\u0583-1", AlphaCoding::Ucs2Base16,
         false},
        // 81 with base bits 15-8 = 08 (0400, Cyrillic): 'П' is 041F = 0400 + 1F.
        {"81", Bytes("81 03 08 9F 41 C0 FF FF"), "ПA\u0440", AlphaCoding::Ucs2Base8, false},
        {"81 filling its field", Bytes("81 03 08 9F 41 C0"), "ПA\u0440", AlphaCoding::Ucs2Base8,
         false},
        {"81 count past the end", Bytes("81 09 08 9F"), "П", AlphaCoding::Ucs2Base8, true},
        {"82 header cut", Bytes("82 01 05"), "", AlphaCoding::Ucs2Base16, true},
        {"empty", Bytes("FF FF"), "", AlphaCoding::Gsm, false},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pName);
        const CAlphaIdentifier alpha = DecodeAlphaIdentifier(c.bytes);
        EXPECT_EQ(alpha.m_strText, c.text);
        EXPECT_EQ(alpha.m_coding, c.coding);
        EXPECT_EQ(alpha.m_bCut, c.bCut);
    }
}

TEST(AlphaIdentifier, ShortestCodingIsChosen) {
    struct CCase {
        const char* pText;
        std::string bytes;
    };
    const CCase cases[] = {
        {"Alice", Bytes("41 6C 69 63 65")},
        {"a€", Bytes("61 1B 65")},                        // the extension table still fits
        {"Привет", Bytes("81 06 08 9F C0 B8 B2 B5 C2")},  // one half-page: 81
        // Across a half-page boundary: only a 16-bit base (82) holds them in one window.
        {"\u047F\u0480\u0481\u0482", Bytes("82 04 04 7F 80 81 82 83")},
        {"\u4E2D", Bytes("80 4E 2D")},  // one character: 80 is shortest
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pText);
        const std::optional<std::string> bytes = EncodeAlphaIdentifier(c.pText);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(Hex(*bytes), Hex(c.bytes));
        EXPECT_EQ(DecodeAlphaIdentifier(*bytes).m_strText, c.pText);
    }
    EXPECT_EQ(Hex(*EncodeAlphaIdentifier("Bob", 5)), "426F62FFFF");
    EXPECT_FALSE(EncodeAlphaIdentifier("Alice", 4));
    EXPECT_TRUE(EncodeAlphaIdentifier("Alice", 5));
    EXPECT_FALSE(EncodeAlphaIdentifier("\xF0\x9F\x98\x80"));
}

TEST(Plmn, TwoAndThreeDigitMncs) {
    struct CCase {
        std::string bytes;
        std::string text;
    };
    const CCase cases[] = {
        {Bytes("00 F1 10"), "001-01"},
        {Bytes("62 F2 10"), "262-01"},
        {Bytes("13 00 14"), "310-410"},
        {Bytes("FF FF FF"), "unused"},
        {Bytes("00 F1"), "unused"},
        {Bytes("0A F1 10"), "A01-01"},  // a spoiled digit still reads
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<CPlmn> plmn = DecodePlmn(c.bytes);
        EXPECT_EQ(PlmnText(plmn), c.text);
        if (plmn && c.text != "A01-01") {
            EXPECT_EQ(Hex(*EncodePlmn(*plmn)), Hex(c.bytes));
        }
    }
    EXPECT_FALSE(EncodePlmn({"0A1", "01"}));
    EXPECT_FALSE(EncodePlmn({"001", "1"}));
    EXPECT_EQ(ParsePlmnText("26201"), (CPlmn{"262", "01"}));
    EXPECT_EQ(ParsePlmnText("310-410"), (CPlmn{"310", "410"}));
    EXPECT_FALSE(ParsePlmnText("31-0410"));
}
