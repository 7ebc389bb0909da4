// SPDX-License-Identifier: GPL-3.0-or-later
// Short messages: the TPDUs of TS 23.040 (on the standards' own examples and on built
// vectors for every validity period format and header kind) and the records of EF SMS,
// SMSP, SMSS and SMSR as the virtual card's default profile holds them.
#include "GsmBytes.h"
#include "SmsDataCoding.h"
#include "SmsFileDecoders.h"
#include "SmsTimeStamp.h"
#include "SmsTpdu.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Expected = std::vector<std::pair<std::string, std::string>>;

void ExpectFields(const CDecodedContents& contents, const Expected& expected) {
    for (const auto& [name, value] : expected) EXPECT_EQ(contents.Value(name), value) << name;
}

// Every field's bytes inside the input, and a problem line for each input cut short.
void ExpectInside(const CDecodedContents& contents, std::size_t size) {
    for (const CDecodedField& field : contents.Fields())
        EXPECT_LE(field.m_nOffset + field.m_nLength, size) << field.m_strName;
}

// Records of the default profile (simcard/profiles/default.sim), without their FF padding.
const std::string kReceived = Bytes(
    "01 04 81 55 05 F0 04 04 81 55 05 00 00 62 10 60 21 43 00 00 2C D7 32 7B FC 6E 97 41 F4 37"
    " C8 98 1E D3 CB 6C 50 F3 2D 4E B3 CB 2C 50 FE 5D 97 83 E8 E5 39 1D E4 2E D3 EF 6F F9 DA 05");
const std::string kUcs2 = Bytes(
    "03 04 81 55 05 F0 04 0B D0 C6 F4 98 5E 66 03 00 08 62 10 70 90 51 00 80 3C 00 47 00 72 00"
    " FC 00 DF 00 65 00 20 00 61 00 75 00 73 00 20 00 41 00 74 00 68 00 65 00 6E 00 3A 00 20 03"
    " 93 03 B5 03 B9 03 AC 00 20 03 C3 03 BF 03 C5 00 21 00 20 00 35 00 20 20 AC");
const std::string kPartTwo = Bytes(
    "01 04 81 55 05 F0 44 04 81 55 05 00 00 62 10 80 80 00 42 80 39 05 00 03 7A 02 02 40 F2 32"
    " 9C 9D 07 4D A9 4F 28 88 FE 06 95 DD 64 10 1D 5D 9E 97 41 EE 37 3D 3D 2E CF 41 6F 39 68 1C"
    " 66 B3 41 B5 5A 0D 04 8B C1 60 2E");
const std::string kSent = Bytes(
    "1D 04 81 55 05 F0 31 2A 0C 91 44 02 97 64 90 85 00 00 A7 26 D3 72 19 94 7F D7 41 61 3A 08"
    " C7 02 89 E5 69 F7 19 44 47 97 41 F4 F4 78 5D A6 CF 41 00 10 FA DD 2E 03");
const std::string kReport = Bytes(
    "09 06 2A 0C 91 44 02 97 64 90 85 62 10 80 21 43 10 80 62 10 80 21 43 50 80 00 FF FF FF FF");

TEST(SmsRecord, TheVirtualCardsMessages) {
    struct CCase {
        const char* name;
        std::string record;
        Expected fields;
    };
    const CCase cases[] = {
        {"received 7-bit",
         kReceived + std::string(176 - kReceived.size(), '\xFF'),
         {{"Status", "01 received, read"},
          {"Service centre address", "55500 (unknown, ISDN/telephony (E.164/E.163))"},
          {"Message type", "SMS-DELIVER"},
          {"More messages to send", "no"},
          {"Originating address", "5550 (unknown, ISDN/telephony (E.164/E.163))"},
          {"Data coding scheme", "00 GSM 7-bit default alphabet"},
          {"Service centre time stamp", "2026-01-06 12:34:00 +00:00"},
          {"User data length", "44 septets"},
          {"Text", "Welcome to Fictel Mobile, your test network."}}},
        {"UCS2 from an alphanumeric sender",
         kUcs2,
         {{"Status", "03 received, unread"},
          {"Originating address", "Fictel (alphanumeric)"},
          {"Protocol identifier", "00 normal (no interworking)"},
          {"Data coding scheme", "08 UCS2"},
          {"Service centre time stamp", "2026-01-07 09:15:00 +02:00"},
          {"User data length", "60 bytes"},
          {"Text", "Grüße aus Athen: Γειά σου! 5 €"}}},
        {"second part of a concatenated message",
         kPartTwo,
         {{"User data header", "present"},
          {"User data length", "57 septets"},
          {"User data header length", "5 bytes"},
          {"Concatenated message (8-bit reference)", "reference 122, part 2 of 2"},
          // One fill bit after the six header bytes: the text starts on septet 7.
          {"Text", " reply STOP to end these notices or call 555 0100."}}},
        {"sent, with a status report",
         kSent,
         {{"Status", "1D sent, status report received and stored in EF SMSR"},
          {"Message type", "SMS-SUBMIT"},
          {"Validity period format", "relative"},
          {"Status report request", "yes"},
          {"Message reference", "42"},
          {"Destination address", "+442079460958 (international, ISDN/telephony (E.164/E.163))"},
          {"Validity period", "A7 24 hours"},
          {"Text", "See you at 8, bring the tickets @ home"}}},
        {"free", Bytes("00 FF FF"), {{"Status", "free"}, {"Message type", ""}}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CDecodedContents contents = DecodeSmsRecord(c.record);
        ExpectFields(contents, c.fields);
        EXPECT_TRUE(contents.Complete()) << contents.Problems().front();
    }
}

TEST(SmsRecord, TheTextFieldCoversTheTextBytesOnly) {
    const CDecodedContents contents = DecodeSmsRecord(kPartTwo);
    const CDecodedField* text = nullptr;
    for (const CDecodedField& field : contents.Fields())
        if (field.m_strName == "Text") text = &field;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_nOffset, 27u);  // after status, SC address, 20 TPDU bytes and the header
    EXPECT_EQ(text->m_nOffset + text->m_nLength, kPartTwo.size());
}

TEST(SmsRecord, EveryCutShortRecordGivesWhatItHoldsAndSaysWhatIsMissing) {
    for (const std::string* record : {&kReceived, &kUcs2, &kPartTwo, &kSent}) {
        for (std::size_t size = 1; size < record->size(); ++size) {
            SCOPED_TRACE(size);
            const std::string cut = record->substr(0, size);
            const CDecodedContents contents = DecodeSmsRecord(cut);
            ExpectInside(contents, size);
            EXPECT_FALSE(contents.Complete());
            EXPECT_EQ(contents.Value("Status"), DecodeSmsRecord(*record).Value("Status"));
        }
    }
    const CDecodedContents cut = DecodeSmsRecord(kReceived.substr(0, 30));
    EXPECT_EQ(cut.Value("Text"), "Welcome to");  // 9 octets of text hold 10 septets
    ASSERT_EQ(cut.Problems().size(), 1u);
    EXPECT_EQ(cut.Problems()[0], "User data: bytes 31 to 60 missing (30 given)");
}

TEST(SmsRecord, SpoiledLengthsAreRefusedWithAReason) {
    struct CCase {
        std::string record;
        std::string problem;
    };
    const CCase cases[] = {
        {Bytes("01 0C 91 11 22 33 44 55 66 77 88 99 00 11"),
         "Service centre address: length of 12 bytes is above 11"},
        {Bytes("01 00 04 15 91 11 22 33"), "Originating address: length of 21 digits is above 20"},
        {Bytes("01 00 04 00 81 00 04 62 10 60 21 43 00 00 8D") + std::string(141, 'A'),
         "User data length of 141 bytes is above 140 bytes"},
        {Bytes("01 00 44 00 81 00 00 62 10 60 21 43 00 00 03 05 00 03"),
         "User data header of 6 bytes is longer than the user data"},
        {Bytes("01 00 44 00 81 00 04 62 10 60 21 43 00 00 04 03 00 02 7A"),
         "User data header: element 00 runs past the header's end"},
        {Bytes("01 00 44 00 81 00 00 62 10 60 21 43 00 00 06 05 00 03 7A 02 01"),
         "User data length of 6 septets is shorter than its header"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.problem);
        const CDecodedContents contents = DecodeSmsRecord(c.record);
        ASSERT_FALSE(contents.Problems().empty());
        EXPECT_EQ(contents.Problems()[0], c.problem);
        ExpectInside(contents, c.record.size());
    }
}

TEST(SmsTpdu, HeadersFillBitsAndTextCodings) {
    // "hellohello" is TS 23.038's packing example; after a header the same text is packed
    // again behind the fill bits that header leaves.
    struct CCase {
        const char* name;
        std::string tpdu;
        Expected fields;
    };
    const std::string deliver = "04 04 81 55 05 00 ";
    const std::string stamp = "62 10 60 21 43 00 00 ";
    const CCase cases[] = {
        {"23.038 example",
         Bytes(deliver + "00 " + stamp + "0A E8 32 9B FD 46 97 D9 EC 37"),
         {{"Text", "hellohello"}}},
        {"16-bit reference, no fill bits",
         Bytes("44 04 81 55 05 00 00 " + stamp +
               "12 06 08 04 12 34 03 02 E8 32 9B FD 46 97 D9 EC 37"),
         {{"Concatenated message (16-bit reference)", "reference 4660, part 2 of 3"},
          {"Text", "hellohello"}}},
        {"header of 4 bytes, 3 fill bits",
         Bytes("44 04 81 55 05 00 00 " + stamp + "0F 03 06 01 00 40 97 D9 EC 37 BA CC 66 BF 01"),
         {{"Information element 06", "00"}, {"Text", "hellohello"}}},
        {"8-bit ports",
         Bytes("44 04 81 55 05 00 04 " + stamp + "05 04 04 02 05 40"),
         {{"Application port (8-bit)", "destination 5, originator 64"}}},
        {"16-bit ports",
         Bytes("44 04 81 55 05 00 04 " + stamp + "07 06 05 04 0B 84 23 F0"),
         {{"Application port (16-bit)", "destination 2948, originator 9200"}}},
        {"8-bit data",
         Bytes(deliver + "04 " + stamp + "03 0A 0B 0C"),
         {{"Data coding scheme", "04 8-bit data"},
          {"User data length", "3 bytes"},
          {"Data", "0A0B0C"}}},
        {"unknown element",
         Bytes("44 04 81 55 05 00 04 " + stamp + "05 04 70 02 AB CD"),
         {{"Information element 70", "ABCD"}}},
        {"special message, UCS2 after a header",
         Bytes("44 04 81 55 05 00 08 " + stamp + "07 04 01 02 80 03 00 41"),
         {{"Special message indication", "voicemail: 3 waiting, store message"}, {"Text", "A"}}},
        {"bad part number",
         Bytes("44 04 81 55 05 00 04 " + stamp + "06 05 00 03 01 02 00"),
         {{"Concatenated message (8-bit reference)",
           "reference 1, part 0 of 2 (not a valid part)"}}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CDecodedContents contents = DecodeSmsTpdu(c.tpdu, SmsDirection::ToMobile);
        ExpectFields(contents, c.fields);
        EXPECT_TRUE(contents.Complete()) << contents.Problems().front();
        ExpectInside(contents, c.tpdu.size());
    }
}

TEST(SmsTpdu, ValidityPeriodFormatsOfSubmit) {
    struct CCase {
        const char* first;
        const char* period;
        const char* name;
        const char* value;
    };
    const CCase cases[] = {
        {"01", "", "Validity period format", "none"},
        {"11", "00", "Validity period", "00 5 minutes"},
        {"19", "62 10 60 21 43 00 29", "Validity period (absolute)", "2026-01-06 12:34:00 -03:00"},
        {"19", "99 12 31 23 59 59 4A", "Validity period (absolute)", "1999-21-13 32:95:95 -06:00"},
        {"09", "01 A7 00 00 00 00 00", "Validity period (enhanced)", "relative: 24 hours"},
        {"09", "42 1E 00 00 00 00 00", "Validity period (enhanced)", "30 seconds, single shot"},
        {"09", "03 10 03 00 00 00 00", "Validity period (enhanced)", "relative: 01:30:00"},
        {"09", "82 00 05 00 00 00 00", "Validity period (enhanced)", "5 seconds"},
        {"09", "00 00 00 00 00 00 00", "Validity period (enhanced)", "none"},
        {"09", "05 00 00 00 00 00 00", "Validity period (enhanced)", "reserved format 5"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " " + c.period);
        const std::string tpdu =
            Bytes(std::string(c.first) + " 07 04 81 55 05 00 00 " + c.period + " 02 C8 24");
        const CDecodedContents contents = DecodeSmsTpdu(tpdu, SmsDirection::FromMobile);
        EXPECT_EQ(contents.Value(c.name), c.value);
        EXPECT_EQ(contents.Value("Text"), "HI");
        EXPECT_TRUE(contents.Complete()) << contents.Problems().front();
    }
}

TEST(SmsTime, RelativePeriodsAtEachRangesEdges) {
    const std::pair<int, const char*> cases[] = {
        {0, "5 minutes"},  {11, "1 hour"},  {143, "12 hours"}, {144, "12 hours 30 minutes"},
        {167, "24 hours"}, {168, "2 days"}, {196, "30 days"},  {197, "5 weeks"},
        {255, "63 weeks"},
    };
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(RelativeValidityText(static_cast<std::uint8_t>(value)), text);
    }
}

TEST(SmsTime, TimeZonesInQuarterHours) {
    const std::pair<const char*, const char*> cases[] = {
        {"00", "+00:00"}, {"80", "+02:00"}, {"29", "-03:00"}, {"18", "-00:15"}, {"35", "+13:15"},
    };
    for (const auto& [zone, text] : cases) {
        SCOPED_TRACE(zone);
        const std::string stamp = SmsTimeStampText(Bytes(std::string("62 10 60 21 43 00 ") + zone));
        EXPECT_EQ(stamp.substr(20), text);
    }
}

TEST(SmsDataCoding, CodingGroups) {
    const std::pair<int, const char*> cases[] = {
        {0x00, "GSM 7-bit default alphabet"},
        {0x11, "GSM 7-bit default alphabet, class 1 (mobile equipment specific)"},
        {0x18, "UCS2, class 0 (flash)"},
        {0x36, "8-bit data, compressed, class 2 (SIM specific)"},
        {0x0C, "reserved alphabet, read as GSM 7-bit default alphabet"},
        {0x48, "UCS2, marked for automatic deletion"},
        {0x80, "reserved coding group, read as GSM 7-bit default alphabet"},
        {0xC8, "message waiting: voicemail active, discard message, GSM 7-bit default alphabet"},
        {0xD1, "message waiting: fax inactive, store message, GSM 7-bit default alphabet"},
        {0xE2, "message waiting: electronic mail inactive, store message, UCS2"},
        {0xF6, "8-bit data, class 2 (SIM specific)"},
    };
    for (const auto& [dcs, text] : cases) {
        SCOPED_TRACE(dcs);
        EXPECT_EQ(DescribeDataCoding(static_cast<std::uint8_t>(dcs)).m_strText, text);
    }
    EXPECT_EQ(ProtocolIdentifierText(0x32), "telematic interworking: Internet electronic mail");
    EXPECT_EQ(ProtocolIdentifierText(0x43), "replace short message type 3");
    EXPECT_EQ(ProtocolIdentifierText(0x7F), "SIM data download");
    EXPECT_EQ(ProtocolIdentifierText(0xC0), "SC specific use");
    EXPECT_EQ(DeliveryStatusText(0x46), "SM validity period expired");
    EXPECT_EQ(DeliveryStatusText(0x30), "temporary error, SC still trying");
}

TEST(SmsFiles, StatusReportParametersAndStatus) {
    struct CCase {
        const char* name;
        CDecodedContents contents;
        Expected fields;
    };
    const std::string smsp = Bytes(
        "46 69 63 74 65 6C 20 53 4D 53 43 FF E1 FF FF FF FF FF FF FF FF FF FF FF FF"
        " 07 91 44 77 00 09 10 32 FF FF FF FF 00 00 A7");
    const CCase cases[] = {
        {"SMSR",
         DecodeSmsStatusReport(kReport),
         {{"SMS record", "9"},
          {"Message type", "SMS-STATUS-REPORT"},
          {"Status report qualifier", "result of an SMS-SUBMIT"},
          {"Recipient address", "+442079460958 (international, ISDN/telephony (E.164/E.163))"},
          {"Service centre time stamp", "2026-01-08 12:34:01 +02:00"},
          {"Discharge time", "2026-01-08 12:34:05 +02:00"},
          {"Status", "00 short message received by the SME"},
          {"Parameter indicator", ""}}},
        {"SMSR with parameters",
         DecodeSmsStatusReport(kReport.substr(0, 26) + Bytes("06 00 02 C8 24")),
         {{"Parameter indicator", "06"},
          {"Data coding scheme", "00 GSM 7-bit default alphabet"},
          {"Text", "HI"}}},
        {"SMSR free", DecodeSmsStatusReport(Bytes("00 FF")), {{"SMS record", "none (free)"}}},
        {"SMSP",
         DecodeSmsParameters(smsp),
         {{"Alpha identifier", "Fictel SMSC"},
          {"Parameters present",
           "E1 service centre address, protocol identifier, data coding scheme, validity period"},
          {"Destination address", ""},
          {"Service centre address", "+447700900123 (international, ISDN/telephony (E.164/E.163))"},
          {"Validity period", "A7 24 hours"}}},
        {"SMSS",
         DecodeSmsStatus(Bytes("2A FF")),
         {{"Last message reference", "42"}, {"Memory capacity", "available"}}},
        {"SMSS full",
         DecodeSmsStatus(Bytes("00 FE")),
         {{"Memory capacity", "exceeded (a message could not be stored)"}}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectFields(c.contents, c.fields);
        EXPECT_TRUE(c.contents.Complete()) << c.contents.Problems().front();
    }
    EXPECT_FALSE(DecodeSmsParameters(smsp.substr(0, 27)).Complete());
    EXPECT_FALSE(DecodeSmsStatus(Bytes("2A")).Complete());
}

}  // namespace
