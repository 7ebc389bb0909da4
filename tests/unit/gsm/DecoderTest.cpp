// SPDX-License-Identifier: GPL-3.0-or-later
// The field decoders through the dispatch: the virtual card's default profile and hand
// vectors of TS 51.011, short and spoiled inputs, and the bounds every field keeps.
#include "FileDecoders.h"
#include "GsmBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CFieldCase {
    const char* pPath;
    std::string data;
    const char* pField;
    const char* pValue;
};

std::string Padded(std::string bytes, std::size_t size) {
    bytes.resize(size, '\xFF');
    return bytes;
}

}  // namespace

TEST(FileDecoders, DefaultProfileFiles) {
    const std::string adn1 = Padded("Alice Example", 14) + Padded(Bytes("05 81 55 05 01 F0"), 14);
    const CFieldCase cases[] = {
        {"3F00\\2FE2", Bytes("98 00 01 01 00 00 00 10 32 F4"), "ICCID", "8900101000000001234"},
        {"3F00\\7F20\\6F07", Bytes("08 09 10 10 10 32 54 76 98"), "IMSI", "001010123456789"},
        {"3F00\\7F20\\6F07", Bytes("08 09 10 10 10 32 54 76 98"), "MCC", "001"},
        {"3F00\\7F20\\6F20", Bytes("FF FF FF FF FF FF FF FF 07"), "Key sequence number",
         "7 (no key available)"},
        {"3F00\\7F20\\6F05", Bytes("01 FF FF FF"), "Language 1", "English (01)"},
        {"3F00\\7F20\\6F05", Bytes("01 FF FF FF"), "Language 2", "unused"},
        {"3F00\\7F20\\6F30", Padded(Bytes("00 F1 10"), 24), "PLMN 1", "001-01"},
        {"3F00\\7F20\\6F30", Padded(Bytes("00 F1 10"), 24), "PLMN 8", "unused"},
        {"3F00\\7F20\\6F31", Bytes("02"), "Search period", "2 x 6 minutes"},
        {"3F00\\7F20\\6F37", Bytes("00 00 00"), "Units", "0"},
        {"3F00\\7F20\\6F38", Bytes("FF 3F FF 0F 00"), "Service 4 (Short Message Storage (SMS))",
         "allocated and activated"},
        {"3F00\\7F20\\6F38", Bytes("FF 3F FF 0F 00"), "Service 8 (RFU)", "not allocated"},
        {"3F00\\7F20\\6F38", Bytes("FF 3F FF 0F 00"), "Service 17 (Service Provider Name)",
         "not allocated"},
        {"3F00\\7F20\\6F41", "EUR" + Bytes("01 02"), "Currency code", "EUR"},
        {"3F00\\7F20\\6F41", "EUR" + Bytes("01 02"), "Price per unit", "18 x 10^0"},
        {"3F00\\7F20\\6F46", Padded(Bytes("01") + "Fictel Mobile", 17), "Service provider name",
         "Fictel Mobile"},
        {"3F00\\7F20\\6F46", Padded(Bytes("01") + "Fictel Mobile", 17), "Display condition",
         "01: registered PLMN shown on the home network; name shown when roaming"},
        {"3F00\\7F20\\6F78", Bytes("00 02"), "Access control classes", "1"},
        {"3F00\\7F20\\6F78", Bytes("84 01"), "Access control classes", "0, 10, 15"},
        {"3F00\\7F20\\6F7B", Padded("", 12), "Forbidden PLMN 4", "unused"},
        {"3F00\\7F20\\6F7E", Bytes("FF FF FF FF 00 F1 10 00 01 FF 01"), "LAI PLMN", "001-01"},
        {"3F00\\7F20\\6F7E", Bytes("FF FF FF FF 00 F1 10 00 01 FF 01"), "LAC", "0001"},
        {"3F00\\7F20\\6F7E", Bytes("FF FF FF FF 00 F1 10 00 01 FF 01"), "Location update status",
         "not updated"},
        {"3F00\\7F20\\6FAD", Bytes("00 00 00 02"), "Length of MNC in the IMSI", "2 digits"},
        {"3F00\\7F20\\6FAD", Bytes("00 00 00 02"), "MS operation mode", "00 (normal operation)"},
        {"3F00\\7F20\\6FAE", Bytes("02"), "SIM phase", "02 (phase 2)"},
        {"3F00\\7F10\\6F3A", adn1, "Alpha identifier", "Alice Example"},
        {"3F00\\7F10\\6F3A", adn1, "Number", "5550100"},
        {"3F00\\7F10\\6F3A", adn1, "Type of number", "unknown"},
        {"3F00\\7F10\\6F3A", adn1, "Numbering plan", "ISDN/telephony (E.164/E.163)"},
        {"3F00\\7F10\\6F3A", adn1, "Extension", "none"},
        {"3F00\\7F10\\6F40", Padded("My number", 14) + Padded(Bytes("06 81 55 05 01 32 F4"), 14),
         "Number", "555010234"},
        {"3F00\\7F10\\6F44", Padded("", 14) + Padded(Bytes("05 81 55 05 01 F0"), 14),
         "Alpha identifier", ""},
    };
    for (const CFieldCase& c : cases) {
        SCOPED_TRACE(std::string(c.pPath) + " " + c.pField);
        const CDecodedContents contents = DecodeFile(c.pPath, c.data);
        EXPECT_TRUE(contents.Complete()) << contents.Problems().front();
        EXPECT_EQ(contents.Value(c.pField), c.pValue);
    }
}

TEST(FileDecoders, StandardLayouts) {
    const CFieldCase cases[] = {
        // International number with a UCS2 name, a CCP and an EXT1 record.
        {"3F00\\7F10\\6F3A",
         Padded(Bytes("81 03 08 9F C0 B8"), 14) +
             Bytes("07 91 94 71 00 32 54 F6 FF FF FF FF 01 02"),
         "Number", "+49170023456"},
        {"3F00\\7F10\\6F3A",
         Padded(Bytes("81 03 08 9F C0 B8"), 14) +
             Bytes("07 91 94 71 00 32 54 F6 FF FF FF FF 01 02"),
         "Alpha identifier", "При"},
        {"3F00\\7F10\\6F3A",
         Padded(Bytes("81 03 08 9F C0 B8"), 14) +
             Bytes("07 91 94 71 00 32 54 F6 FF FF FF FF 01 02"),
         "Capability/configuration", "record 1"},
        {"3F00\\7F10\\6F3A", Padded("", 28), "Record", "empty"},
        {"3F00\\7F10\\6F4D",
         Padded("Bar", 4) + Bytes("03 81 21 F3 FF FF FF FF FF FF FF FF FF FF 05"),
         "Comparison method", "record 5"},
        {"3F00\\7F10\\6F4A", Bytes("02 03 21 43 F5 FF FF FF FF FF FF FF FF"), "Extension data",
         "12345"},
        {"3F00\\7F10\\6F4A", Bytes("02 03 21 43 F5 FF FF FF FF FF FF FF 03"), "Next extension",
         "record 3"},
        {"3F00\\7F10\\6F3D", Bytes("02 A0 88 FF FF FF FF FF FF FF FF FF FF FF"),
         "Information transfer capability", "speech"},
        {"3F00\\7F20\\6F52", Bytes("01 23 45 67 89 AB CD EF 02"), "Kc", "0123456789ABCDEF"},
        {"3F00\\7F20\\6F53", Bytes("11 22 33 44 AA BB CC 62 F2 10 12 34 56 00"), "RAI PLMN",
         "262-01"},
        {"3F00\\7F20\\6F53", Bytes("11 22 33 44 AA BB CC 62 F2 10 12 34 56 00"),
         "Routing area update status", "updated"},
        {"3F00\\7F20\\6F60", Bytes("62 F2 10 80 00 13 00 14 00 C0"), "Access technology 1",
         "UTRAN"},
        {"3F00\\7F20\\6F60", Bytes("62 F2 10 80 00 13 00 14 00 C0"), "Access technology 2",
         "GSM, GSM COMPACT"},
        {"3F00\\7F20\\6F60", Bytes("62 F2 10 80 00 13 00 14 00 C0"), "PLMN 2", "310-410"},
        {"3F00\\7F20\\6F45", Bytes("11 00 FF FF"), "Message identifier 1", "4352 (1100)"},
        {"3F00\\7F20\\6F50", Bytes("03 E8 03 F2"), "Message identifier range 1", "1000 to 1010"},
        {"3F00\\7F20\\6FB7", Bytes("11 F2 FF 19 F1 FF"), "Emergency call code 2", "911"},
        {"3F00\\2F05", "enfr", "Language 2", "fr"},
        {"3F00\\7F20\\6F3E", Bytes("12 34"), "Group identifier", "1234"},
        {"3F00\\7F20\\6F39", Bytes("00 01 00"), "Units", "256"},
        {"3F00\\7F20\\6F41", "EUR" + Bytes("0F 9C"), "Price per unit", "252 x 10^-1"},
        // Network names: 7-bit packed with 6 spare bits, and UCS2.
        {"3F00\\7F20\\6FC5", Bytes("43 07 86 C6 F4 98 5E 66 03 45 05 90 00 46 00 4D FF FF"),
         "Full name", "Fictel"},
        {"3F00\\7F20\\6FC5", Bytes("43 07 86 C6 F4 98 5E 66 03 45 05 90 00 46 00 4D FF FF"),
         "Short name", "FM"},
        {"3F00\\7F20\\6FC6", Bytes("00 F1 10 00 00 FF FE 01"), "LAC range", "0000 to FFFE"},
        {"3F00\\7F20\\6FC6", Bytes("00 F1 10 00 00 FF FE 01"), "PNN record", "1"},
        {"3F00\\7F20\\6FCD", Bytes("A3 05 80 03 00 F1 10 FF FF"), "Service provider PLMN 1",
         "001-01"},
        {"3F00\\7F20\\6FB1", Bytes("21 43 65 87 21 F3 FF FF"), "Group id 2", "123"},
        {"3F00\\7F20\\6FB5", Bytes("43 01"), "Priority levels", "A, B, 4"},
        {"3F00\\7F20\\6FB6", Bytes("00"), "Automatic answer levels", "none"},
        {"3F00\\7F20\\6FC9", Bytes("01 00 00 02"), "other mailbox", "MBDN record 2"},
        {"3F00\\7F20\\6FCA", Bytes("05 03 00 01 00"), "Messages waiting",
         "voicemail, electronic mail"},
        {"3F00\\7F20\\6FCA", Bytes("05 03 00 01 00"), "Waiting voicemail messages", "3"},
        {"3F00\\7F20\\6FCB", Bytes("01 01 07 91 94 71 00 32 54 F6 FF FF FF FF FF 02"),
         "Forwarded-to number", "+49170023456"},
        {"3F00\\7F20\\6FCB", Bytes("01 01 07 91 94 71 00 32 54 F6 FF FF FF FF FF 02"),
         "Unconditionally forwarded", "voice"},
        {"3F00\\7F20\\6FCB", Bytes("01 01 07 91 94 71 00 32 54 F6 FF FF FF FF FF 02"),
         "Extension 7", "record 2"},
        {"3F00\\7F20\\6F32", Bytes("62 F2 10 F1 FF 2A FF FF FF FF FF FF"),
         "Co-operative network 1 corporate", "2A"},
        {"3F00\\7F20\\6F32", Bytes("62 F2 10 F1 FF 2A FF FF FF FF FF FF"), "Co-operative network 2",
         "unused"},
        {"3F00\\7F20\\6FC7", Padded("Mailbox", 10) + Padded(Bytes("03 81 21 F3"), 14), "Number",
         "123"},
    };
    for (const CFieldCase& c : cases) {
        SCOPED_TRACE(std::string(c.pPath) + " " + c.pField);
        const CDecodedContents contents = DecodeFile(c.pPath, c.data);
        EXPECT_TRUE(contents.Complete()) << contents.Problems().front();
        EXPECT_EQ(contents.Value(c.pField), c.pValue);
    }
}

TEST(FileDecoders, ShortInputsGiveWhatTheyHoldAndSayWhatIsMissing) {
    struct CCase {
        const char* pPath;
        std::string data;
        const char* pPresent;  // a field still decoded, or "" for none
        const char* pProblem;
    };
    const CCase cases[] = {
        {"3F00\\7F20\\6F7E", Bytes("FF FF FF FF 00 F1 10"), "LAI PLMN",
         "LAC: bytes 8 to 9 missing (7 given)"},
        {"3F00\\7F20\\6F07", Bytes("08 09 10"), "Length", "IMSI: bytes 2 to 9 missing (3 given)"},
        {"3F00\\7F20\\6F20", Bytes("00 11 22 33 44 55 66 77"), "Kc",
         "Key sequence number: byte 9 missing (8 given)"},
        {"3F00\\7F20\\6F20", Bytes("00 11 22 33 44 55 66 77 07 00"), "Kc",
         "1 byte after the file's 9"},
        {"3F00\\7F20\\6F30", Bytes("00 F1 10 62"), "PLMN 1",
         "PLMN 2: bytes 4 to 6 missing (4 given)"},
        {"3F00\\7F20\\6F7B", Bytes("00 F1 10 62 F2 10"), "Forbidden PLMN 2",
         "Forbidden PLMN 3: bytes 7 to 9 missing (6 given)"},
        {"3F00\\7F20\\6F60", Bytes("00 F1 10 00"), "", "PLMN 1: bytes 1 to 5 missing (4 given)"},
        {"3F00\\7F10\\6F3A", Bytes("41 42 05 81"), "",
         "Dialling number: bytes 5 to 14 missing (4 given)"},
        {"3F00\\7F20\\6F46", Bytes("01 41 42"), "Service provider name",
         "Service provider name: bytes 4 to 17 missing (3 given)"},
        {"3F00\\7F20\\6F07", Bytes("0C 09 10 10 10 32 54 76 98"), "IMSI",
         "IMSI length 12 is not 1 to 8"},
        {"3F00\\7F10\\6F3A", Padded("A", 2) + Bytes("0E 81 21 43 65 87 09 21 43 65 87 09 FF FF"),
         "Number", "Number length 14 is not 1 to 11"},
        {"3F00\\7F20\\6F38", "", "", "Service 1: byte 1 missing (0 given)"},
        {"3F00\\7F20\\6F6F", Bytes("00"), "", "\"3F00\\7F20\\6F6F\" is not a file of a GSM SIM"},
        {"3F00\\7F20\\6FB2", Bytes("00"), "", "no decoder for EF VGCSS"},
        {"3F00\\7F20\\6FC5", Bytes("43 09 86 C6 F4"), "",
         "Full name: its length passes the end of the data"},
        {"3F00\\7F20\\6FCD", Bytes("A3 05 80 03 00 F1"), "",
         "Tag A3: its length passes the end of the data"},
        {"3F00\\7F20\\6FCD", Bytes("80 03 00 F1 10"), "",
         "no service provider display information (tag A3)"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(std::string(c.pPath) + " " + c.pProblem);
        const CDecodedContents contents = DecodeFile(c.pPath, c.data);
        ASSERT_FALSE(contents.Complete());
        EXPECT_EQ(contents.Problems().front(), c.pProblem);
        if (*c.pPresent) {
            EXPECT_FALSE(contents.Value(c.pPresent).empty()) << c.pPresent;
        }
    }
}

TEST(FileDecoders, EveryFieldLiesInsideItsInputAtEveryLength) {
    // Each decoder on every prefix of a full, busy input: the fields it gives lie inside
    // the prefix, and a cut input never passes for complete.
    const std::string busy = Bytes(
        "81 05 08 9F 41 1B 65 C0 30 31 32 33 34 35 07 91 94 71 00 32 54 F6 "
        "FF FF FF FF 01 02 03 04 05 06 07 08 09");
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        if (!FindFileDecoder(entry.m_nParentId, entry.m_nId)) continue;
        const std::size_t full = entry.m_nSize           ? entry.m_nSize
                                 : entry.m_nRecordLength ? entry.m_nRecordLength
                                                         : busy.size();
        for (std::size_t n = 0; n <= full; ++n) {
            SCOPED_TRACE(std::string(entry.m_strShortName) + " " + std::to_string(n));
            const std::string data = busy.substr(0, std::min(n, busy.size())) +
                                     std::string(n > busy.size() ? n - busy.size() : 0, '\x11');
            const CDecodedContents contents = DecodeFile(entry, data);
            for (const CDecodedField& field : contents.Fields()) {
                EXPECT_LE(field.m_nOffset + field.m_nLength, data.size()) << field.m_strName;
            }
            const bool bFixed = entry.m_nSize != 0 || entry.m_nRecordLength != 0;
            if (bFixed && n < full) {
                EXPECT_FALSE(contents.Complete());
            }
        }
    }
}

TEST(FileDecoders, LinesForATooltip) {
    const CDecodedContents contents = DecodeFile(0x7F20, 0x6F7E, Bytes("11 22 33 44 00 F1"));
    const std::vector<std::string> lines = contents.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "TMSI: 11223344");
    EXPECT_EQ(lines[1], "Problem: LAI PLMN: bytes 5 to 7 missing (6 given)");
}
