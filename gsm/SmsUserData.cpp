// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmsUserData.h"

#include "DecoderText.h"
#include "GsmAlphabet.h"
#include "Ucs2Text.h"

#include <algorithm>
#include <string>

namespace {

struct CHeaderElement {
    std::string m_strName;
    std::string m_strValue;
};

std::string PartText(unsigned reference, unsigned count, unsigned number) {
    std::string text = "reference " + std::to_string(reference) + ", part " +
                       std::to_string(number) + " of " + std::to_string(count);
    if (count == 0 || number == 0 || number > count) text += " (not a valid part)";
    return text;
}

CHeaderElement SpecialMessage(std::string_view body) {
    static const char* const kKinds[4] = {"voicemail", "fax", "electronic mail", "other"};
    const unsigned kind = ByteAt(body, 0);
    return {"Special message indication",
            std::string(kKinds[kind & 0x03]) + ": " + std::to_string(ByteAt(body, 1)) +
                " waiting, " + ((kind & 0x80) ? "store message" : "discard message")};
}

// The elements of TS 23.040 9.2.3.24 that say how to put a message together or where it
// goes; the rest show their bytes.
CHeaderElement DescribeElement(unsigned iei, std::string_view body) {
    const std::size_t size = body.size();
    if (iei == 0x00 && size == 3)
        return {"Concatenated message (8-bit reference)",
                PartText(ByteAt(body, 0), ByteAt(body, 1), ByteAt(body, 2))};
    if (iei == 0x08 && size == 4)
        return {"Concatenated message (16-bit reference)",
                PartText(BigEndian(body.substr(0, 2)), ByteAt(body, 2), ByteAt(body, 3))};
    if (iei == 0x04 && size == 2)
        return {"Application port (8-bit)", "destination " + std::to_string(ByteAt(body, 0)) +
                                                ", originator " + std::to_string(ByteAt(body, 1))};
    if (iei == 0x05 && size == 4)
        return {"Application port (16-bit)",
                "destination " + std::to_string(BigEndian(body.substr(0, 2))) + ", originator " +
                    std::to_string(BigEndian(body.substr(2, 2)))};
    if (iei == 0x01 && size == 2) return SpecialMessage(body);
    if ((iei == 0x24 || iei == 0x25) && size == 1)
        return {iei == 0x24 ? "National language single shift" : "National language locking shift",
                "language " + std::to_string(ByteAt(body, 0))};
    return {"Information element " + HexByte(iei), HexOf(body)};
}

// The elements between first and end (the header's bytes after its length).
void DecodeHeaderElements(std::string_view data, std::size_t first, std::size_t end,
                          CDecodedContents& out) {
    std::size_t at = first;
    while (at < end) {
        const unsigned iei = ByteAt(data, at);
        if (at + 2 > end) {
            out.AddProblem("User data header: element " + HexByte(iei) + " has no length byte");
            return;
        }
        const std::size_t size = ByteAt(data, at + 1);
        if (at + 2 + size > end) {
            out.AddProblem("User data header: element " + HexByte(iei) +
                           " runs past the header's end");
            return;
        }
        CHeaderElement element = DescribeElement(iei, Slice(data, at + 2, size));
        out.Add(element.m_strName, element.m_strValue, at, 2 + size);
        at += 2 + size;
    }
}

std::size_t UserDataOctets(unsigned length, const CSmsDataCoding& coding) {
    return coding.m_alphabet == SmsAlphabet::Gsm7 && !coding.m_bCompressed ? PackedLength(length)
                                                                           : length;
}

std::string LengthText(unsigned length, const CSmsDataCoding& coding) {
    const bool septets = coding.m_alphabet == SmsAlphabet::Gsm7 && !coding.m_bCompressed;
    return std::to_string(length) + (septets ? " septets" : " bytes");
}

void DecodeText(std::string_view data, std::size_t first, std::size_t end, unsigned length,
                std::size_t headerOctets, const CSmsDataCoding& coding, CDecodedContents& out) {
    const std::string_view octets = Slice(data, first, end - first);
    if (coding.m_bCompressed) {
        out.Add("Compressed text", HexOf(octets), first, octets.size());
    } else if (coding.m_alphabet == SmsAlphabet::Data8) {
        out.Add("Data", HexOf(octets), first, octets.size());
    } else if (coding.m_alphabet == SmsAlphabet::Ucs2) {
        if (octets.size() % 2 != 0) out.AddProblem("Text: UCS2 text of an odd number of bytes");
        out.Add("Text", Ucs2ToUtf8(octets), first, octets.size());
    } else {
        const std::size_t headerBits = headerOctets * 8;
        const unsigned fillBits = static_cast<unsigned>((7 - headerBits % 7) % 7);
        const std::size_t headerSeptets = (headerBits + fillBits) / 7;
        if (length < headerSeptets) {
            out.AddProblem("User data length of " + std::to_string(length) +
                           " septets is shorter than its header");
            return;
        }
        const std::string septets = UnpackSeptets(octets, length - headerSeptets, fillBits);
        out.Add("Text", GsmSeptetsToUtf8(septets), first, octets.size());
    }
}

}  // namespace

void DecodeSmsUserData(std::string_view data, std::size_t start, bool hasHeader,
                       const CSmsDataCoding& coding, CDecodedContents& out) {
    const unsigned length = ByteAt(data, start);
    if (!out.Add("User data length", LengthText(length, coding), start, 1)) return;
    const std::size_t octets = UserDataOctets(length, coding);
    if (octets > kMaxUserDataOctets)
        out.AddProblem("User data length of " + LengthText(length, coding) + " is above 140 bytes");
    const std::size_t first = start + 1;
    const std::size_t end = std::min(first + octets, data.size());
    if (end < first + octets) out.Missing("User data", end, first + octets - end);

    std::size_t headerOctets = 0;
    if (hasHeader && octets > 0) {
        const std::size_t headerLength = ByteAt(data, first);
        if (!out.Add("User data header length", std::to_string(headerLength) + " bytes", first, 1))
            return;
        headerOctets = 1 + headerLength;
        if (headerOctets > octets) {
            out.AddProblem("User data header of " + std::to_string(headerOctets) +
                           " bytes is longer than the user data");
            return;
        }
        DecodeHeaderElements(data, first + 1, std::min(first + headerOctets, end), out);
    }
    if (first + headerOctets > end) return;
    DecodeText(data, first + headerOctets, end, length, headerOctets, coding, out);
}
