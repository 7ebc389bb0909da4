// Decoders of the PLMN lists and the home network search period.
#include "DecoderText.h"
#include "EfDecoders.h"
#include "Plmn.h"
#include "SimValues.h"

namespace {

constexpr std::size_t kPlmnSize = 3;
constexpr std::size_t kPlmnActSize = 5;

// Whole entries of entrySize bytes; a cut last entry is named.
void NoteCutEntry(CDecodedContents& contents, std::string_view data, std::size_t entrySize,
                  std::string_view name) {
    const std::size_t rest = data.size() % entrySize;
    if (rest != 0) {
        contents.Missing(Numbered(name, data.size() / entrySize), data.size() - rest, entrySize);
    }
}

CDecodedContents DecodePlmns(std::string_view data, std::string_view name) {
    CDecodedContents contents(data.size());
    const PlmnList list = ParsePlmnList(data);
    for (std::size_t i = 0; i < list.size(); ++i) {
        contents.Add(Numbered(name, i), PlmnText(list[i]), i * kPlmnSize, kPlmnSize);
    }
    NoteCutEntry(contents, data, kPlmnSize, name);
    if (data.empty()) contents.Missing(Numbered(name, 0), 0, kPlmnSize);
    return contents;
}

}  // namespace

CDecodedContents DecodePlmnSelector(std::string_view data) { return DecodePlmns(data, "PLMN"); }

CDecodedContents DecodeForbiddenPlmns(std::string_view data) {
    // The file holds exactly four entries; each one a short file lacks is named.
    constexpr std::size_t kForbiddenSize = 4 * kPlmnSize;
    CDecodedContents contents = DecodePlmns(data, "Forbidden PLMN");
    if (data.size() % kPlmnSize == 0) {
        // An empty file already names its first entry.
        const std::size_t first = data.empty() ? kPlmnSize : data.size();
        for (std::size_t offset = first; offset < kForbiddenSize; offset += kPlmnSize) {
            contents.Missing(Numbered("Forbidden PLMN", offset / kPlmnSize), offset, kPlmnSize);
        }
    }
    return contents;
}

CDecodedContents DecodePlmnActList(std::string_view data) {
    CDecodedContents contents(data.size());
    const std::vector<CPlmnWithAct> list = ParsePlmnActList(data);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::size_t offset = i * kPlmnActSize;
        contents.Add(Numbered("PLMN", i), PlmnText(list[i].m_plmn), offset, kPlmnSize);
        contents.Add(Numbered("Access technology", i), AccessTechnologyText(list[i].m_nAct),
                     offset + kPlmnSize, 2);
    }
    NoteCutEntry(contents, data, kPlmnActSize, "PLMN");
    if (data.empty()) contents.Missing("PLMN 1", 0, kPlmnActSize);
    return contents;
}

CDecodedContents DecodeHplmnSearchPeriod(std::string_view data) {
    CDecodedContents contents(data.size());
    const unsigned period = ByteAt(data, 0);
    // The unit is TS 22.011's n, 6 minutes since phase 2+.
    contents.Add("Search period",
                 period == 0 ? std::string("no higher priority PLMN search")
                             : std::to_string(period) + " x 6 minutes",
                 0, 1);
    return contents;
}
