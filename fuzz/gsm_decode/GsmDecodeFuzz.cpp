// SPDX-License-Identifier: GPL-3.0-or-later
// Every file decoder of the SIM knowledge library on any bytes: never past the input
// (ASan), every field's bytes inside it, every value valid UTF-8; and the encoders of what
// a user edits give back what they were given.
#include "AlphaIdentifier.h"
#include "DialNumber.h"
#include "FileDecoders.h"
#include "FuzzCheck.h"
#include "GsmAlphabet.h"
#include "SimValues.h"
#include "Ucs2Text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsUtf8(std::string_view text) {
    return Utf8ToCodePoints(text).has_value();
}

void CheckDecoders(std::string_view data) {
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        if (!FindFileDecoder(entry.m_nParentId, entry.m_nId)) continue;
        const CDecodedContents contents = DecodeFile(entry, data);
        for (const CDecodedField& field : contents.Fields()) {
            FuzzCheck(
                field.m_nOffset <= data.size() && field.m_nLength <= data.size() - field.m_nOffset,
                "a field's bytes lie inside the input");
            FuzzCheck(IsUtf8(field.m_strValue) && IsUtf8(field.m_strName), "field text is UTF-8");
        }
        for (const std::string& problem : contents.Problems()) {
            FuzzCheck(!problem.empty(), "a problem says what it is");
        }
    }
}

void CheckAlphaRoundTrip(std::string_view data) {
    const std::string text = DecodeAlphaIdentifier(data).m_strText;
    FuzzCheck(IsUtf8(text), "an alpha identifier decodes to UTF-8");
    if (const std::optional<std::string> bytes = EncodeAlphaIdentifier(text)) {
        FuzzCheck(DecodeAlphaIdentifier(*bytes).m_strText == text, "alpha encode -> decode");
    }
    const unsigned fill = data.empty() ? 0 : static_cast<unsigned char>(data[0]) % 7;
    const std::string septets = UnpackSeptets(data, data.size() * 8 / 7, fill);
    FuzzCheck(UnpackSeptets(PackSeptets(septets, fill), septets.size(), fill) == septets,
              "septets pack -> unpack");
}

void CheckDialNumberRoundTrip(std::string_view data) {
    for (std::size_t trailer : {kDialNumberTrailer, kBarredDialNumberTrailer}) {
        const std::optional<CDialNumber> entry = ParseDialNumber(data, trailer);
        if (!entry) continue;
        const CEncodeResult encoded = EncodeDialNumber(*entry, data.size(), trailer);
        if (encoded.Ok()) {
            FuzzCheck(encoded.m_strBytes.size() == data.size(), "a record keeps its length");
            FuzzCheck(ParseDialNumber(encoded.m_strBytes, trailer) == *entry,
                      "dial number encode -> parse");
        }
    }
}

void CheckValueRoundTrips(std::string_view data) {
    if (const std::optional<CServiceProviderName> spn = ParseServiceProviderName(data)) {
        const CEncodeResult encoded = EncodeServiceProviderName(*spn);
        if (encoded.Ok()) {
            FuzzCheck(ParseServiceProviderName(encoded.m_strBytes) == spn, "SPN encode -> parse");
        }
    }
    if (const std::optional<std::string> imsi = ParseImsi(data)) {
        const CEncodeResult encoded = EncodeImsi(*imsi);
        if (encoded.Ok()) FuzzCheck(ParseImsi(encoded.m_strBytes) == imsi, "IMSI encode -> parse");
    }
    const PlmnList plmns = ParsePlmnList(data);
    const CEncodeResult plmnBytes = EncodePlmnList(plmns, data.size());
    if (plmnBytes.Ok()) {
        FuzzCheck(ParsePlmnList(plmnBytes.m_strBytes) == plmns, "PLMN list encode -> parse");
    }
    const std::vector<CPlmnWithAct> acts = ParsePlmnActList(data);
    const CEncodeResult actBytes = EncodePlmnActList(acts, data.size());
    if (actBytes.Ok()) {
        FuzzCheck(ParsePlmnActList(actBytes.m_strBytes) == acts, "PLMNwAcT encode -> parse");
    }
    const std::vector<std::uint8_t> codes = ParseLanguageCodes(data);
    const CEncodeResult lp = EncodeLanguageCodes(codes, data.size());
    FuzzCheck(lp.Ok() && ParseLanguageCodes(lp.m_strBytes) == codes, "LP encode -> parse");
    const std::vector<std::string> tags = ParseLanguageTags(data);
    const CEncodeResult elp = EncodeLanguageTags(tags, data.size());
    if (elp.Ok()) FuzzCheck(ParseLanguageTags(elp.m_strBytes) == tags, "ELP encode -> parse");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(pData), size);
    CheckDecoders(data);
    CheckAlphaRoundTrip(data);
    CheckDialNumberRoundTrip(data);
    CheckValueRoundTrips(data);
    return 0;
}
