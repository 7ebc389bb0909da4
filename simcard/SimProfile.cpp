// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimProfile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "HexText.h"
#include "ProfileParser.h"

namespace {

const char* const AccessNames[16] = {"ALW",  "CHV1", "CHV2", "RFU",  "ADM",  "ADM5", "ADM6", "ADM7",
                                     "ADM8", "ADM9", "ADMA", "ADMB", "ADMC", "ADMD", "ADME", "NEV"};

std::string IdText(std::uint16_t id) {
    std::uint8_t bytes[2] = {static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id)};
    return BytesToHex(bytes, 2);
}

bool IsErased(const std::uint8_t* pBytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (pBytes[i] != 0xFF) return false;
    }
    return true;
}

void WriteHeaderTemplate(const CSimFile& file, std::ostringstream& out) {
    const std::vector<std::uint8_t>& header = file.GetHeaderTemplate();
    if (!header.empty()) out << " header=" << BytesToHex(header.data(), header.size());
}

void WriteEf(const CSimFile& ef, const std::string& path, std::ostringstream& out) {
    static const char* const structures[4] = {"transparent", "linear", "", "cyclic"};
    out << "ef " << path << ' ' << structures[static_cast<int>(ef.GetStructure())];
    if (ef.IsRecordFile()) {
        out << " record=" << ef.GetRecordLength() << " records=" << ef.GetRecordCount();
    } else {
        out << " size=" << ef.GetSize();
    }
    out << " read=" << AccessNames[ef.GetReadAccess()]
        << " update=" << AccessNames[ef.GetUpdateAccess()];
    if (ef.GetIncreaseAccess() != CSimFile::Never)
        out << " increase=" << AccessNames[ef.GetIncreaseAccess()];
    out << " invalidate=" << AccessNames[ef.GetInvalidateAccess()]
        << " rehabilitate=" << AccessNames[ef.GetRehabilitateAccess()];
    if (ef.IsInvalidated()) out << " invalidated";
    if (ef.IsUsableWhenInvalidated()) out << " usable-when-invalidated";
    WriteHeaderTemplate(ef, out);
    out << '\n';
    if (ef.IsRecordFile()) {
        // Records in the card's order, so a cyclic file keeps its newest record first.
        for (std::size_t n = 1; n <= ef.GetRecordCount(); ++n) {
            const std::uint8_t* pRecord = ef.GetRecord(n);
            if (IsErased(pRecord, ef.GetRecordLength())) continue;
            out << "    record " << n << ' ' << BytesToHex(pRecord, ef.GetRecordLength()) << '\n';
        }
        return;
    }
    const auto& content = ef.GetContent();
    for (std::size_t offset = 0; offset < content.size(); offset += 32) {
        std::size_t count = std::min<std::size_t>(32, content.size() - offset);
        out << "    data " << BytesToHex(content.data() + offset, count) << '\n';
    }
}

void WriteTree(const CSimFile& dir, const std::string& path, std::ostringstream& out) {
    for (const auto& pChild : dir.GetChildren()) {
        std::string childPath = path + "/" + IdText(pChild->GetId());
        if (pChild->IsDirectory()) {
            out << "df " << childPath;
            if (pChild->GetFreeMemory()) out << " free=" << pChild->GetFreeMemory();
            WriteHeaderTemplate(*pChild, out);
            out << '\n';
            WriteTree(*pChild, childPath, out);
        } else {
            WriteEf(*pChild, childPath, out);
        }
    }
}

}  // namespace

CSimProfile::CSimProfile() = default;
CSimProfile::CSimProfile(CSimProfile&&) noexcept = default;
CSimProfile& CSimProfile::operator=(CSimProfile&&) noexcept = default;
CSimProfile::~CSimProfile() = default;

void CSimProfile::Assign(std::unique_ptr<CSimFile> pMf, const CChvSet& codes, const Key& ki,
                         bool endMarker) {
    m_pMf = std::move(pMf);
    m_codes = codes;
    m_ki = ki;
    m_bEndMarker = endMarker;
}

bool CSimProfile::Parse(std::string_view text, const std::string& sourceName, std::string& error) {
    CProfileParser parser(sourceName);
    return parser.Run(text, *this, error);
}

bool CSimProfile::Load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = path + ": read error";
        return false;
    }
    return Parse(text.str(), path, error);
}

std::string CSimProfile::ToText() const {
    static const char* const codeNames[CChvSet::CodeCount] = {"chv1", "unblock1", "chv2",
                                                              "unblock2", "adm"};
    std::ostringstream out;
    for (int i = 0; i < CChvSet::CodeCount; ++i) {
        auto code = static_cast<CChvSet::Code>(i);
        if (!m_codes.IsInitialised(code)) continue;
        out << codeNames[i] << ' ' << BytesToHex(m_codes.GetValue(code).data(), 8);
        if (code != CChvSet::Adm) out << " attempts=" << int(m_codes.GetAttempts(code));
        if (code == CChvSet::Chv1 && !m_codes.IsChv1Enabled()) out << " disabled";
        out << '\n';
    }
    out << "ki " << BytesToHex(m_ki.data(), m_ki.size()) << '\n';
    if (m_pMf) {
        out << "mf 3F00";
        if (m_pMf->GetFreeMemory()) out << " free=" << m_pMf->GetFreeMemory();
        WriteHeaderTemplate(*m_pMf, out);
        out << '\n';
        WriteTree(*m_pMf, "3F00", out);
    }
    out << "end\n";
    return out.str();
}
