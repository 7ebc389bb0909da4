// SPDX-License-Identifier: GPL-3.0-or-later
#include "TwinBuilder.h"

#include "ChvSet.h"
#include "CodeCommand.h"
#include "HexText.h"
#include "SimCard.h"
#include "SimFile.h"
#include "SimProfile.h"
#include "StrictHex.h"

#include <algorithm>
#include <memory>

namespace {

// The default profile's codes and Ki (docs/virtual-card.md), for codes a card never gives.
struct CDefaultCode {
    CChvSet::Code m_code;
    const char* m_pName;   // as a codes file names it
    const char* m_pShown;  // as the user types it
    CChvSet::Value m_value;
};
const CDefaultCode kDefaultCodes[] = {
    {CChvSet::Chv1, "CHV1", "1234", {0x31, 0x32, 0x33, 0x34, 0xFF, 0xFF, 0xFF, 0xFF}},
    {CChvSet::Unblock1, "UNBLOCK1", "12345678", {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38}},
    {CChvSet::Chv2, "CHV2", "5678", {0x35, 0x36, 0x37, 0x38, 0xFF, 0xFF, 0xFF, 0xFF}},
    {CChvSet::Unblock2, "UNBLOCK2", "87654321", {0x38, 0x37, 0x36, 0x35, 0x34, 0x33, 0x32, 0x31}},
    {CChvSet::Adm, "ADM", "0A0A0A0A0A0A0A0A", {0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A}},
};
const CSimProfile::Key kDefaultKi = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                                     0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

constexpr std::size_t kMaxRecords = 254;         // the virtual card numbers records in one byte
constexpr std::size_t kMaxIncreaseRecord = 252;  // its INCREASE answer must fit one response

std::uint16_t IdOf(const CDumpedFile& file) {
    const std::string id = file.Id();
    return static_cast<std::uint16_t>(std::stoul(id, nullptr, 16));
}

CSimFile::Structure StructureOf(CFileHeader::Structure structure) {
    switch (structure) {
        case CFileHeader::Structure::LinearFixed:
            return CSimFile::Structure::LinearFixed;
        case CFileHeader::Structure::Cyclic:
            return CSimFile::Structure::Cyclic;
        default:
            return CSimFile::Structure::Transparent;
    }
}

const std::optional<CFileHeader::CCodeState>& StateOf(const CFileHeader& header,
                                                      CChvSet::Code code) {
    switch (code) {
        case CChvSet::Chv1:
            return header.m_chv1;
        case CChvSet::Unblock1:
            return header.m_unblockChv1;
        case CChvSet::Chv2:
            return header.m_chv2;
        default:
            return header.m_unblockChv2;
    }
}

// A code as the card keeps it, by the one rule of typed codes; an unblock code is always
// eight digits.
bool CodeValue(CChvSet::Code code, const std::string& text, CChvSet::Value& value) {
    const bool bUnblock = code == CChvSet::Unblock1 || code == CChvSet::Unblock2;
    if (bUnblock && text.size() != 8) return false;
    std::string hex;
    if (!CCodeCommand::CodeBytes(text, code == CChvSet::Adm, hex)) return false;
    std::vector<std::uint8_t> bytes;
    const bool bOk = AppendStrictHex(hex, bytes) && bytes.size() == value.size();
    if (bOk) std::copy(bytes.begin(), bytes.end(), value.begin());
    std::fill(bytes.begin(), bytes.end(), 0);
    CCodeCommand::Forget(hex);
    return bOk;
}

// The answer of the virtual card to an APDU given in hex.
std::vector<std::uint8_t> Send(CSimCard& card, const std::string& strApdu) {
    std::vector<std::uint8_t> apdu;
    AppendStrictHex(strApdu, apdu);
    return card.Process(apdu.data(), apdu.size());
}

// The header the virtual card answers for a path, selected level by level from the MF.
std::vector<std::uint8_t> HeaderOf(CSimCard& card, const std::string& strPath) {
    std::vector<std::uint8_t> answer;
    for (std::size_t start = 0; start < strPath.size(); start += 5) {
        answer = Send(card, "A0A4000002" + strPath.substr(start, 4));
        if (answer.size() != 2 || answer[0] != 0x9F) return {};
    }
    answer = Send(card, "A0C00000" + BytesToHex(&answer[1], 1));
    if (answer.size() < 2) return {};
    answer.resize(answer.size() - 2);
    return answer;
}

}  // namespace

bool CTwinBuilder::Build(const CCardDump& dump, std::string& strProfile, std::string& strError) {
    m_nodes.clear();
    m_notes.clear();
    const CDumpedFile* pMf = dump.Find("3F00");
    const std::optional<CFileHeader> mfHeader = pMf ? pMf->Header() : std::nullopt;
    if (!mfHeader || mfHeader->m_eType != CFileHeader::Type::Mf) {
        strError = "the dump holds no readable header of the MF 3F00: no card to make";
        return false;
    }
    auto pRoot = std::make_unique<CSimFile>(CSimFile::Kind::Mf, 0x3F00);
    pRoot->SetFreeMemory(mfHeader->m_nSize);
    m_nodes["3F00"] = pRoot.get();
    for (const CDumpedFile& file : dump.m_files) {
        if (&file != pMf) AddFile(file);
    }
    CChvSet codes;
    CSimProfile::Key ki = kDefaultKi;
    if (!DefineCodes(*mfHeader, codes, ki, strError)) return false;
    CSimProfile profile;
    profile.Assign(std::move(pRoot), codes, ki, false);
    if (!AddHeaderTemplates(dump, profile.ToText(), strError)) return false;
    strProfile = "# A twin made by corvanta-card of the card dumped " + dump.m_strTaken + " by " +
                 dump.m_strProgram +
                 ".\n# ATR of that card: " + BytesToHex(dump.m_atr.data(), dump.m_atr.size()) +
                 " (corvanta-vsim --atr gives it to the virtual card).\n" + profile.ToText();
    return true;
}

bool CTwinBuilder::AddFile(const CDumpedFile& file) {
    const std::optional<CFileHeader> header = file.Header();
    if (!header) {
        if (file.m_strSelectStatus.rfind("9F", 0) == 0)
            m_notes.push_back(file.m_strPath + ": no usable header; left out of the twin");
        return false;
    }
    auto parent = m_nodes.find(file.ParentPath());
    if (parent == m_nodes.end()) {
        m_notes.push_back(file.m_strPath + ": its directory is not in the twin; left out");
        return false;
    }
    if (!header->IsDirectory()) return AddElementary(file, *header, *parent->second);
    if (header->m_eType == CFileHeader::Type::Mf) {
        m_notes.push_back(file.m_strPath + ": describes itself as an MF; left out");
        return false;
    }
    auto pDf = std::make_unique<CSimFile>(CSimFile::Kind::Df, IdOf(file));
    pDf->SetFreeMemory(header->m_nSize);
    m_nodes[file.m_strPath] = parent->second->AddChild(std::move(pDf));
    return true;
}

bool CTwinBuilder::AddElementary(const CDumpedFile& file, const CFileHeader& header,
                                 CSimFile& parent) {
    auto pEf = std::make_unique<CSimFile>(CSimFile::Kind::Ef, IdOf(file));
    const CSimFile::Structure structure = StructureOf(header.m_eStructure);
    std::uint8_t increase = CSimFile::Never;
    if (structure == CSimFile::Structure::Transparent) {
        pEf->MakeTransparent(header.m_nSize);
        const std::size_t count = std::min(file.m_contents.size(), pEf->GetSize());
        std::copy_n(file.m_contents.begin(), count, pEf->GetBytes(0));
    } else {
        const std::size_t length = header.m_nRecordLength, count = header.RecordCount();
        if (length == 0 || count == 0 || count > kMaxRecords) {
            m_notes.push_back(file.m_strPath + ": " + std::to_string(count) + " records of " +
                              std::to_string(length) +
                              " bytes, which the virtual card cannot hold; left out");
            return false;
        }
        pEf->MakeRecords(structure, length, count);
        for (std::size_t n = 1; n <= std::min(count, file.m_records.size()); ++n) {
            const CBytes& record = file.m_records[n - 1];
            std::copy_n(record.begin(), std::min(record.size(), length), pEf->GetRecord(n));
        }
        if (structure == CSimFile::Structure::Cyclic) increase = header.IncreaseAccess();
        if (increase != CSimFile::Never && length > kMaxIncreaseRecord) {
            m_notes.push_back(file.m_strPath +
                              ": records too long for INCREASE on the virtual card; "
                              "the twin refuses it");
            increase = CSimFile::Never;
        }
    }
    pEf->SetAccess(header.ReadAccess(), header.UpdateAccess(), increase, header.InvalidateAccess(),
                   header.RehabilitateAccess());
    pEf->SetStatus(header.m_nStatus & (CSimFile::StatusValid | CSimFile::StatusUsableInvalidated));
    if (!file.IsRead() && !file.m_strReadStatus.empty())
        m_notes.push_back(file.m_strPath + ": not read (" + file.m_strReadStatus +
                          "); the twin holds FF where the card gave nothing");
    m_nodes[file.m_strPath] = parent.AddChild(std::move(pEf));
    return true;
}

bool CTwinBuilder::DefineCodes(const CFileHeader& mfHeader, CChvSet& codes, CSimProfile::Key& ki,
                               std::string& strError) {
    std::string defaults;
    for (const CDefaultCode& entry : kDefaultCodes) {
        std::uint8_t attempts = CChvSet::MaxAttempts(entry.m_code);
        if (entry.m_code != CChvSet::Adm) {
            const auto& state = StateOf(mfHeader, entry.m_code);
            if (!state || !state->m_bInitialised) continue;
            attempts = static_cast<std::uint8_t>(state->m_nAttemptsLeft);
        }
        CChvSet::Value value = entry.m_value;
        const auto given = m_pCodes ? m_pCodes->find(entry.m_pName) : Codes::const_iterator();
        if (m_pCodes && given != m_pCodes->end()) {
            if (!CodeValue(entry.m_code, given->second, value)) {
                strError = std::string("codes file: ") + entry.m_pName +
                           (entry.m_code == CChvSet::Adm ? " is not 4 to 8 digits or 16 hex digits"
                            : entry.m_code == CChvSet::Unblock1 || entry.m_code == CChvSet::Unblock2
                                ? " is not 8 digits"
                                : " is not 4 to 8 digits");
                return false;
            }
        } else {
            defaults +=
                std::string(defaults.empty() ? "" : ", ") + entry.m_pName + " " + entry.m_pShown;
        }
        codes.Define(entry.m_code, value, attempts);
    }
    codes.SetChv1Enabled(!mfHeader.m_bChv1Disabled);
    const auto givenKi = m_pCodes ? m_pCodes->find("KI") : Codes::const_iterator();
    const bool bKiGiven = m_pCodes && givenKi != m_pCodes->end();
    if (bKiGiven) {
        std::vector<std::uint8_t> bytes;
        if (!AppendStrictHex(givenKi->second, bytes) || bytes.size() != ki.size()) {
            strError = "codes file: KI is not 32 hex digits";
            return false;
        }
        std::copy(bytes.begin(), bytes.end(), ki.begin());
    }
    if (!defaults.empty())
        m_notes.push_back(std::string(m_pCodes ? "not in the codes file" : "no codes file") +
                          ", and a card never gives its codes away: the twin takes the virtual "
                          "card's defaults (" +
                          defaults + ")");
    if (!bKiGiven)
        m_notes.push_back(
            "Ki: the virtual card's default; RUN GSM ALGORITHM answers with the "
            "virtual card's stand-in algorithm, not the operator's");
    return true;
}

bool CTwinBuilder::AddHeaderTemplates(const CCardDump& dump, const std::string& strProfile,
                                      std::string& strError) {
    CSimProfile copy;
    if (!copy.Parse(strProfile, "twin", strError)) return false;
    CSimCard card(std::move(copy));
    for (const CDumpedFile& file : dump.m_files) {
        auto node = m_nodes.find(file.m_strPath);
        if (node == m_nodes.end() || HeaderOf(card, file.m_strPath) == file.m_header) continue;
        const std::size_t minimum = node->second->IsDirectory() ? CSimFile::MinDirectoryHeaderLength
                                                                : CSimFile::MinEfHeaderLength;
        if (file.m_header.size() < minimum) {
            m_notes.push_back(file.m_strPath + ": a header of " +
                              std::to_string(file.m_header.size()) +
                              " bytes; the twin answers the virtual card's own");
            continue;
        }
        node->second->SetHeaderTemplate(file.m_header);
    }
    return true;
}
