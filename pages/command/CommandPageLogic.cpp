// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandPageLogic.h"

#include "ByteText.h"
#include "ProfileFile.h"
#include "ResponseText.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kPresetSection = "Command";
constexpr const char* kPresetCount = "CommandNb";
constexpr const char* kRecentSection = "LastCmd";
constexpr const char* kRecentCapacity = "LastCmdNb";

std::string Key(const char* stem, unsigned number) {
    return stem + std::to_string(number);
}

unsigned ReadCount(const CProfileFile& ini, const char* section, const char* key) {
    return std::min(ini.GetInt(section, key, 0), CCommandPageLogic::kMaxEntries);
}

}  // namespace

CCommandPageLogic::CCommandPageLogic(CCommandIniLocation location)
    : m_location(std::move(location)) {}

void CCommandPageLogic::Load() {
    m_vPresets.clear();
    m_recent = CRecentList();
    CProfileFile ini(m_location.ReadPath());
    ini.Load();
    const unsigned nPresets = ReadCount(ini, kPresetSection, kPresetCount);
    const unsigned nCapacity = ReadCount(ini, kRecentSection, kRecentCapacity);
    for (unsigned i = 1; i <= nPresets; ++i) {
        const std::string value =
            ini.GetString(kPresetSection, Key(kPresetSection, i), CCommandText::kMissingValue);
        if (auto item = CCommandText::ParsePresetValue(value)) AddPresetSorted(std::move(*item));
    }
    for (unsigned i = 1; i <= nCapacity; ++i) {
        std::string value =
            ini.GetString(kRecentSection, Key(kRecentSection, i), CCommandText::kMissingValue);
        if (!value.empty() && value != CCommandText::kMissingValue)
            m_recent.Append(std::move(value));
    }
}

void CCommandPageLogic::AddPresetSorted(CCommandText::CPresetItem item) {
    // In the order the sorted combo lists them, so that index i is the combo's item i.
    const std::size_t at = SortedInsertPosition(
        m_vPresets.size(), [this](std::size_t i) { return m_vPresets[i].m_strItemText; },
        item.m_strItemText);
    m_vPresets.insert(m_vPresets.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
}

int CCommandPageLogic::FindPresetFromTop(const std::string& strText) const {
    if (strText.empty()) return -1;
    return FindPreset(0, strText);
}

int CCommandPageLogic::FindPresetToComplete(const std::string& strTyped) const {
    if (strTyped.size() < 4) return -1;
    return FindPreset(1, strTyped);
}

int CCommandPageLogic::FindPreset(std::size_t start, const std::string& strPrefix) const {
    return FindStartingWith(
        m_vPresets.size(), start, [this](std::size_t i) { return m_vPresets[i].m_strItemText; },
        strPrefix);
}

bool CCommandPageLogic::SelectPreset(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_vPresets.size()) return false;
    const CCommandText::CPresetItem& item = m_vPresets[static_cast<std::size_t>(index)];
    m_fields.m_strP1 = item.m_preset.m_strP1;
    m_fields.m_strP2 = item.m_preset.m_strP2;
    m_fields.m_strP3 = item.m_preset.m_strP3;
    m_fields.m_strClaIns = item.m_strItemText;
    if (item.m_preset.m_strMode == "IN") m_fields.m_eMode = CommandMode::In;
    if (item.m_preset.m_strMode == "OUT") m_fields.m_eMode = CommandMode::Out;
    return true;
}

int CCommandPageLogic::CompleteTyped(const std::string& strTyped) {
    const int index = FindPresetToComplete(strTyped);
    if (index >= 0) SelectPreset(index);
    return index;
}

long CCommandPageLogic::Send(const ExchangeFunction& exchange) {
    CCommandText::PadHeader(m_fields);
    const std::string strCommand = CCommandText::BuildCommand(m_fields);
    const std::string strEntry = CCommandText::BuildRecentEntry(m_fields);
    std::string strResponse;
    const long result = exchange(strCommand, strResponse);
    const CResponseParts parts = SplitResponse(strResponse);
    m_fields.m_strData = std::string(parts.data);
    m_fields.m_strStatusWord = std::string(parts.statusWord);
    // Read again at every send so that an edit of the file takes effect at once.
    const unsigned nCapacity = ReadCapacity();
    if (result == 0) m_recent.Remember(strEntry, nCapacity);
    return result;
}

bool CCommandPageLogic::SelectRecent(int index) {
    const std::vector<std::string>& entries = m_recent.Entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return false;
    const std::string strStatusWord = m_fields.m_strStatusWord;
    m_fields = CCommandText::SplitRecentEntry(entries[static_cast<std::size_t>(index)]);
    m_fields.m_strStatusWord = strStatusWord;
    return true;
}

int CCommandPageLogic::DeleteRecent(int index) {
    if (index < 0 || !m_recent.Remove(static_cast<std::size_t>(index))) return -1;
    return static_cast<std::size_t>(index) < m_recent.Entries().size() ? index : -1;
}

unsigned CCommandPageLogic::ReadCapacity() const {
    CProfileFile ini(m_location.ReadPath());
    ini.Load();
    return ReadCount(ini, kRecentSection, kRecentCapacity);
}

bool CCommandPageLogic::SaveRecent() const {
    const unsigned nCapacity = ReadCapacity();
    if (nCapacity == 0) return true;
    const QString strPath = m_location.PrepareWritePath();
    if (strPath.isEmpty()) return false;
    CProfileFile ini(strPath);
    if (!ini.Load()) return false;
    const std::vector<std::string> values = m_recent.ValuesToSave(nCapacity);
    for (unsigned i = 0; i < nCapacity; ++i) {
        ini.SetString(kRecentSection, Key(kRecentSection, i + 1), values[i]);
    }
    return ini.Save();
}
