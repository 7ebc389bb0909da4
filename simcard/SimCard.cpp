// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimCard.h"

#include <algorithm>
#include <cstring>

#include "StandInAlgorithm.h"

namespace {

constexpr std::uint8_t ClassGsm = 0xA0;

constexpr std::uint16_t SwOk = 0x9000;
constexpr std::uint16_t SwResponseWaiting = 0x9F00;
constexpr std::uint16_t SwNoEfSelected = 0x9400;
constexpr std::uint16_t SwOutOfRange = 0x9402;
constexpr std::uint16_t SwNotFound = 0x9404;
constexpr std::uint16_t SwInconsistentFile = 0x9408;
constexpr std::uint16_t SwAccessDenied = 0x9804;
constexpr std::uint16_t SwInvalidated = 0x9810;
constexpr std::uint16_t SwMaximumReached = 0x9850;
constexpr std::uint16_t SwWrongLength = 0x6700;
constexpr std::uint16_t SwWrongP1P2 = 0x6B00;
constexpr std::uint16_t SwUnknownInstruction = 0x6D00;
constexpr std::uint16_t SwWrongClass = 0x6E00;
constexpr std::uint16_t SwNoDiagnostic = 0x6F00;

constexpr std::uint16_t DfGsm = 0x7F20;

constexpr std::uint8_t ModeNext = 0x02;
constexpr std::uint8_t ModePrevious = 0x03;
constexpr std::uint8_t ModeAbsolute = 0x04;

constexpr std::size_t DirectoryResponseLength = 23;
constexpr std::size_t EfResponseLength = 15;
// A response's length travels in the second byte of 9Fxx.
constexpr std::size_t MaxResponseLength = 255;
constexpr std::size_t IncreaseValueLength = 3;

void PutWord(std::uint8_t* pOut, std::size_t value) {
    pOut[0] = static_cast<std::uint8_t>(value >> 8);
    pOut[1] = static_cast<std::uint8_t>(value);
}

bool AreP1P2Zero(const std::uint8_t p1, const std::uint8_t p2) {
    return p1 == 0 && p2 == 0;
}

}  // namespace

CSimCard::CSimCard(CSimProfile profile) : m_profile(std::move(profile)) {
    m_answer.reserve(m_pending.size() + 2);
    Reset();
}

void CSimCard::Reset() {
    m_pDf = m_profile.GetMf();
    m_pEf = nullptr;
    m_nRecord = 0;
    m_nPendingLength = 0;
    m_profile.GetCodes().ClearVerified();
}

void CSimCard::PowerOff() {
    Reset();
}

bool CSimCard::TakeChanged() {
    bool changed = m_bChanged;
    m_bChanged = false;
    return changed;
}

const CSimCard::Instruction* CSimCard::FindInstruction(std::uint8_t ins) {
    static const Instruction instructions[] = {
        {0xA4, &CSimCard::Select, true},          {0xF2, &CSimCard::Status, false},
        {0xC0, &CSimCard::GetResponse, false},    {0xB0, &CSimCard::ReadBinary, false},
        {0xD6, &CSimCard::UpdateBinary, true},    {0xB2, &CSimCard::ReadRecord, false},
        {0xDC, &CSimCard::UpdateRecord, true},    {0xA2, &CSimCard::Seek, true},
        {0x32, &CSimCard::Increase, true},        {0x20, &CSimCard::VerifyChv, true},
        {0x24, &CSimCard::ChangeChv, true},       {0x26, &CSimCard::DisableChv, true},
        {0x28, &CSimCard::EnableChv, true},       {0x2C, &CSimCard::UnblockChv, true},
        {0x04, &CSimCard::Invalidate, false},     {0x44, &CSimCard::Rehabilitate, false},
        {0x88, &CSimCard::RunGsmAlgorithm, true}, {0xFA, &CSimCard::Sleep, false}};
    for (const Instruction& instruction : instructions) {
        if (instruction.ins == ins) return &instruction;
    }
    return nullptr;
}

const std::vector<std::uint8_t>& CSimCard::Process(const std::uint8_t* pApdu, std::size_t length) {
    m_answer.clear();
    std::uint16_t sw;
    if (length < 4) {
        sw = SwWrongLength;
        m_nPendingLength = 0;
    } else {
        Apdu apdu{pApdu[1],
                  pApdu[2],
                  pApdu[3],
                  length > 4 ? pApdu[4] : std::uint8_t(0),
                  length > 5 ? pApdu + 5 : nullptr,
                  length > 5 ? length - 5 : 0};
        // A waiting response survives only until the next command other than GET RESPONSE.
        if (apdu.ins != 0xC0) m_nPendingLength = 0;
        const Instruction* pInstruction = FindInstruction(apdu.ins);
        // An ISO-style client ends a command that sends data with an Le byte; a T=0 reader
        // drops it before the card, but vpcd hands it on.
        if (pInstruction && pInstruction->bSendsData && apdu.dataLength == apdu.p3 + 1u)
            --apdu.dataLength;
        if (pApdu[0] != ClassGsm)
            sw = SwWrongClass;
        else
            sw = pInstruction ? (this->*pInstruction->handler)(apdu) : SwUnknownInstruction;
    }
    m_answer.push_back(static_cast<std::uint8_t>(sw >> 8));
    m_answer.push_back(static_cast<std::uint8_t>(sw));
    return m_answer;
}

// ---- responses ------------------------------------------------------------------------

namespace {

// Starts a response from the file's header template when it has one, else from zeros of
// the standard length; the caller writes the fields the card keeps over it.
std::size_t StartResponse(const CSimFile& file, std::size_t standardLength, std::uint8_t* pOut) {
    const std::vector<std::uint8_t>& header = file.GetHeaderTemplate();
    if (header.empty()) {
        std::memset(pOut, 0, standardLength);
        pOut[12] = static_cast<std::uint8_t>(standardLength - 13);
        return standardLength;
    }
    std::memcpy(pOut, header.data(), header.size());
    return header.size();
}

}  // namespace

std::size_t CSimCard::WriteDirectoryResponse(const CSimFile& dir, std::uint8_t* pOut) const {
    const CChvSet& codes = m_profile.GetCodes();
    std::size_t length = StartResponse(dir, DirectoryResponseLength, pOut);
    if (dir.GetHeaderTemplate().empty()) {
        pOut[14] = static_cast<std::uint8_t>(dir.CountChildren(CSimFile::Kind::Df));
        pOut[15] = static_cast<std::uint8_t>(dir.CountChildren(CSimFile::Kind::Ef));
        pOut[16] = codes.CountInitialised();
    }
    PutWord(pOut + 2, dir.GetFreeMemory());
    PutWord(pOut + 4, dir.GetId());
    pOut[6] = static_cast<std::uint8_t>(dir.GetKind());
    pOut[13] = static_cast<std::uint8_t>((pOut[13] & 0x7F) | (codes.IsChv1Enabled() ? 0x00 : 0x80));
    pOut[18] = codes.StatusByte(CChvSet::Chv1);
    pOut[19] = codes.StatusByte(CChvSet::Unblock1);
    pOut[20] = codes.StatusByte(CChvSet::Chv2);
    pOut[21] = codes.StatusByte(CChvSet::Unblock2);
    return length;
}

std::size_t CSimCard::WriteEfResponse(const CSimFile& ef, std::uint8_t* pOut) const {
    constexpr std::uint8_t IncreaseBit = 0x40;
    constexpr std::uint8_t StatusBits = CSimFile::StatusValid | CSimFile::StatusUsableInvalidated;
    std::size_t length = StartResponse(ef, EfResponseLength, pOut);
    PutWord(pOut + 2, ef.GetSize());
    PutWord(pOut + 4, ef.GetId());
    pOut[6] = static_cast<std::uint8_t>(CSimFile::Kind::Ef);
    // INCREASE means something for cyclic files only; other files keep what the template
    // says there (many cards answer 00, which this card's own header writes as F0).
    if (ef.GetHeaderTemplate().empty() || ef.GetStructure() == CSimFile::Structure::Cyclic) {
        pOut[7] = static_cast<std::uint8_t>((pOut[7] & ~IncreaseBit) |
                                            (ef.IsIncreaseAllowed() ? IncreaseBit : 0x00));
        pOut[9] = static_cast<std::uint8_t>(ef.GetIncreaseAccess() << 4 | (pOut[9] & 0x0F));
    }
    pOut[8] = static_cast<std::uint8_t>(ef.GetReadAccess() << 4 | ef.GetUpdateAccess());
    pOut[10] =
        static_cast<std::uint8_t>(ef.GetRehabilitateAccess() << 4 | ef.GetInvalidateAccess());
    pOut[11] = static_cast<std::uint8_t>((pOut[11] & ~StatusBits) | (ef.GetStatus() & StatusBits));
    pOut[13] = static_cast<std::uint8_t>(ef.GetStructure());
    pOut[14] = static_cast<std::uint8_t>(ef.GetRecordLength());
    return length;
}

std::uint16_t CSimCard::SetPending(std::size_t length) {
    m_nPendingLength = length;
    return static_cast<std::uint16_t>(SwResponseWaiting | length);
}

std::uint16_t CSimCard::AnswerPrefix(const std::uint8_t* pData, std::size_t available,
                                     std::uint8_t p3) {
    if (p3 == 0 || p3 > available) return static_cast<std::uint16_t>(SwWrongLength | available);
    m_answer.insert(m_answer.end(), pData, pData + p3);
    return SwOk;
}

// ---- selection ------------------------------------------------------------------------

CSimFile* CSimCard::FindSelectable(std::uint16_t id) const {
    CSimFile* pMf = m_profile.GetMf();
    if (id == pMf->GetId()) return pMf;
    if (id == m_pDf->GetId()) return m_pDf;
    if (CSimFile* pChild = m_pDf->FindChild(id)) return pChild;
    CSimFile* pParent = m_pDf->GetParent();
    if (!pParent) return nullptr;
    if (id == pParent->GetId()) return pParent;
    CSimFile* pSibling = pParent->FindChild(id);
    return pSibling && pSibling->IsDirectory() ? pSibling : nullptr;
}

// The GSM application lives in DF GSM: the algorithm runs with it or a directory below it
// current.
bool CSimCard::IsInDfGsm() const {
    for (const CSimFile* pDir = m_pDf; pDir->GetParent(); pDir = pDir->GetParent()) {
        if (pDir->GetId() == DfGsm && pDir->GetParent() == m_profile.GetMf()) return true;
    }
    return false;
}

std::uint16_t CSimCard::Select(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.p3 != 2 || apdu.dataLength != 2) return SwWrongLength;
    std::uint16_t id = static_cast<std::uint16_t>(apdu.pData[0] << 8 | apdu.pData[1]);
    CSimFile* pFile = FindSelectable(id);
    if (!pFile) return SwNotFound;
    if (pFile->IsDirectory()) {
        m_pDf = pFile;
        m_pEf = nullptr;
        m_nRecord = 0;
        return SetPending(WriteDirectoryResponse(*pFile, m_pending.data()));
    }
    m_pEf = pFile;
    // A cyclic file points at its newest record, a linear fixed file nowhere yet.
    m_nRecord = pFile->GetStructure() == CSimFile::Structure::Cyclic ? 1 : 0;
    return SetPending(WriteEfResponse(*pFile, m_pending.data()));
}

std::uint16_t CSimCard::Status(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.dataLength != 0) return SwWrongLength;
    std::uint8_t response[MaxResponseLength];
    std::size_t length = WriteDirectoryResponse(*m_pDf, response);
    return AnswerPrefix(response, length, apdu.p3);
}

std::uint16_t CSimCard::GetResponse(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.dataLength != 0) return SwWrongLength;
    if (m_nPendingLength == 0) return SwNoDiagnostic;
    return AnswerPrefix(m_pending.data(), m_nPendingLength, apdu.p3);
}

// ---- access ---------------------------------------------------------------------------

bool CSimCard::IsFulfilled(std::uint8_t access) const {
    const CChvSet& codes = m_profile.GetCodes();
    switch (access) {
        case CSimFile::Always:
            return true;
        case CSimFile::Chv1:
            return codes.IsChv1Fulfilled();
        case CSimFile::Chv2:
            return codes.IsVerified(CChvSet::Chv2);
        case CSimFile::Never:
            return false;
        default:
            return access >= CSimFile::Adm && codes.IsVerified(CChvSet::Adm);
    }
}

std::uint16_t CSimCard::CheckEf(bool structureFits, std::uint8_t access, bool readOrUpdate) const {
    if (!m_pEf) return SwNoEfSelected;
    if (!structureFits) return SwInconsistentFile;
    if (!IsFulfilled(access)) return SwAccessDenied;
    if (m_pEf->IsInvalidated() && !(readOrUpdate && m_pEf->IsUsableWhenInvalidated()))
        return SwInvalidated;
    return SwOk;
}

// ---- transparent files ----------------------------------------------------------------

std::uint16_t CSimCard::ReadBinary(const Apdu& apdu) {
    if (apdu.dataLength != 0) return SwWrongLength;
    bool transparent = m_pEf && !m_pEf->IsRecordFile();
    std::uint16_t sw = CheckEf(transparent, m_pEf ? m_pEf->GetReadAccess() : 0, true);
    if (sw != SwOk) return sw;
    std::size_t offset = static_cast<std::size_t>(apdu.p1) << 8 | apdu.p2;
    // Under T=0 a P3 of 00 asks for 256 bytes.
    std::size_t count = apdu.p3 == 0 ? 256 : apdu.p3;
    if (offset + count > m_pEf->GetSize()) return SwOutOfRange;
    const std::uint8_t* pBytes = m_pEf->GetBytes(offset);
    m_answer.insert(m_answer.end(), pBytes, pBytes + count);
    return SwOk;
}

std::uint16_t CSimCard::UpdateBinary(const Apdu& apdu) {
    if (apdu.dataLength != apdu.p3) return SwWrongLength;
    bool transparent = m_pEf && !m_pEf->IsRecordFile();
    std::uint16_t sw = CheckEf(transparent, m_pEf ? m_pEf->GetUpdateAccess() : 0, true);
    if (sw != SwOk) return sw;
    std::size_t offset = static_cast<std::size_t>(apdu.p1) << 8 | apdu.p2;
    if (offset + apdu.dataLength > m_pEf->GetSize()) return SwOutOfRange;
    if (apdu.dataLength == 0) return SwOk;
    std::memcpy(m_pEf->GetBytes(offset), apdu.pData, apdu.dataLength);
    m_bChanged = true;
    return SwOk;
}

// ---- record files ---------------------------------------------------------------------

std::size_t CSimCard::ResolveRecord(std::uint8_t mode, std::uint8_t number) {
    std::size_t count = m_pEf->GetRecordCount();
    bool cyclic = m_pEf->GetStructure() == CSimFile::Structure::Cyclic;
    std::size_t record = 0;
    if (mode == ModeAbsolute) {
        record = number == 0 ? m_nRecord : number;
        return record <= count ? record : 0;
    }
    if (mode == ModeNext) {
        if (m_nRecord == 0)
            record = 1;
        else if (m_nRecord < count)
            record = m_nRecord + 1;
        else
            record = cyclic ? 1 : 0;
    } else {
        if (m_nRecord == 0)
            record = count;
        else if (m_nRecord > 1)
            record = m_nRecord - 1;
        else
            record = cyclic ? count : 0;
    }
    if (record != 0) m_nRecord = record;
    return record;
}

std::uint16_t CSimCard::ReadRecord(const Apdu& apdu) {
    if (apdu.p2 != ModeNext && apdu.p2 != ModePrevious && apdu.p2 != ModeAbsolute)
        return SwWrongP1P2;
    if (apdu.dataLength != 0) return SwWrongLength;
    bool records = m_pEf && m_pEf->IsRecordFile();
    std::uint16_t sw = CheckEf(records, m_pEf ? m_pEf->GetReadAccess() : 0, true);
    if (sw != SwOk) return sw;
    if (apdu.p3 != m_pEf->GetRecordLength()) return SwWrongLength;
    std::size_t record = ResolveRecord(apdu.p2, apdu.p1);
    if (record == 0) return SwOutOfRange;
    const std::uint8_t* pRecord = m_pEf->GetRecord(record);
    m_answer.insert(m_answer.end(), pRecord, pRecord + m_pEf->GetRecordLength());
    return SwOk;
}

std::uint16_t CSimCard::UpdateRecord(const Apdu& apdu) {
    if (apdu.p2 != ModeNext && apdu.p2 != ModePrevious && apdu.p2 != ModeAbsolute)
        return SwWrongP1P2;
    if (apdu.dataLength != apdu.p3) return SwWrongLength;
    bool records = m_pEf && m_pEf->IsRecordFile();
    std::uint16_t sw = CheckEf(records, m_pEf ? m_pEf->GetUpdateAccess() : 0, true);
    if (sw != SwOk) return sw;
    if (apdu.p3 != m_pEf->GetRecordLength()) return SwWrongLength;
    std::uint8_t* pTarget = nullptr;
    if (m_pEf->GetStructure() == CSimFile::Structure::Cyclic) {
        // A cyclic file is written in PREVIOUS mode only: the oldest record is overwritten
        // and becomes record 1.
        if (apdu.p2 != ModePrevious) return SwWrongP1P2;
        pTarget = m_pEf->RotateForNewRecord();
        m_nRecord = 1;
    } else {
        std::size_t record = ResolveRecord(apdu.p2, apdu.p1);
        if (record == 0) return SwOutOfRange;
        pTarget = m_pEf->GetRecord(record);
    }
    std::memcpy(pTarget, apdu.pData, apdu.dataLength);
    m_bChanged = true;
    return SwOk;
}

std::uint16_t CSimCard::Seek(const Apdu& apdu) {
    std::uint8_t type = apdu.p2 >> 4;
    std::uint8_t mode = apdu.p2 & 0x0F;
    if (apdu.p1 != 0 || type > 1 || mode > 3) return SwWrongP1P2;
    if (apdu.dataLength != apdu.p3) return SwWrongLength;
    bool linear = m_pEf && m_pEf->GetStructure() == CSimFile::Structure::LinearFixed;
    std::uint16_t sw = CheckEf(linear, m_pEf ? m_pEf->GetReadAccess() : 0, true);
    if (sw != SwOk) return sw;
    if (apdu.p3 == 0 || apdu.p3 > m_pEf->GetRecordLength()) return SwWrongLength;

    long count = static_cast<long>(m_pEf->GetRecordCount());
    long current = static_cast<long>(m_nRecord);
    bool forward = mode == 0 || mode == 2;
    long first = 1;
    if (mode == 1)
        first = count;
    else if (mode == 2)
        first = current + 1;
    else if (mode == 3)
        first = current == 0 ? count : current - 1;
    long step = forward ? 1 : -1;
    for (long record = first; record >= 1 && record <= count; record += step) {
        if (std::memcmp(m_pEf->GetRecord(static_cast<std::size_t>(record)), apdu.pData, apdu.p3) ==
            0) {
            m_nRecord = static_cast<std::size_t>(record);
            if (type == 0) return SwOk;
            m_pending[0] = static_cast<std::uint8_t>(record);
            return SetPending(1);
        }
    }
    return SwNotFound;
}

std::uint16_t CSimCard::Increase(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.p3 != IncreaseValueLength || apdu.dataLength != IncreaseValueLength)
        return SwWrongLength;
    // NEV is an access condition like any other: 9804, not a structure mismatch.
    bool cyclic = m_pEf && m_pEf->GetStructure() == CSimFile::Structure::Cyclic;
    std::uint16_t sw = CheckEf(cyclic, m_pEf ? m_pEf->GetIncreaseAccess() : 0, false);
    if (sw != SwOk) return sw;

    // The record is one big-endian number; the value adds to its low end.
    std::size_t length = m_pEf->GetRecordLength();
    std::uint8_t* pSum = m_pending.data();
    std::memcpy(pSum, m_pEf->GetRecord(1), length);
    unsigned carry = 0;
    for (std::size_t i = 0; i < length; ++i) {
        std::size_t position = length - 1 - i;
        unsigned add = i < IncreaseValueLength ? apdu.pData[IncreaseValueLength - 1 - i] : 0;
        unsigned total = pSum[position] + add + carry;
        pSum[position] = static_cast<std::uint8_t>(total);
        carry = total >> 8;
    }
    bool valueWider = length < IncreaseValueLength &&
                      std::any_of(apdu.pData, apdu.pData + (IncreaseValueLength - length),
                                  [](std::uint8_t b) { return b != 0; });
    if (carry != 0 || valueWider) return SwMaximumReached;
    std::memcpy(m_pEf->RotateForNewRecord(), pSum, length);
    m_nRecord = 1;
    m_bChanged = true;
    std::memcpy(pSum + length, apdu.pData, IncreaseValueLength);
    return SetPending(length + IncreaseValueLength);
}

// ---- codes ----------------------------------------------------------------------------

std::uint16_t CSimCard::AnswerWithCodes(std::uint16_t sw, const CChvSet& before) {
    if (!m_profile.GetCodes().HasSamePersistentState(before)) m_bChanged = true;
    return sw;
}

std::uint16_t CSimCard::VerifyChv(const Apdu& apdu) {
    CChvSet::Code code;
    if (apdu.p2 == 0x01)
        code = CChvSet::Chv1;
    else if (apdu.p2 == 0x02)
        code = CChvSet::Chv2;
    else if (apdu.p2 == 0x0A)
        code = CChvSet::Adm;
    else
        return SwWrongP1P2;
    if (apdu.p1 != 0) return SwWrongP1P2;
    if (apdu.p3 != 8 || apdu.dataLength != 8) return SwWrongLength;
    CChvSet before = m_profile.GetCodes();
    return AnswerWithCodes(m_profile.GetCodes().Verify(code, apdu.pData), before);
}

std::uint16_t CSimCard::ChangeChv(const Apdu& apdu) {
    if (apdu.p1 != 0 || (apdu.p2 != 0x01 && apdu.p2 != 0x02)) return SwWrongP1P2;
    if (apdu.p3 != 16 || apdu.dataLength != 16) return SwWrongLength;
    CChvSet::Code code = apdu.p2 == 0x01 ? CChvSet::Chv1 : CChvSet::Chv2;
    CChvSet before = m_profile.GetCodes();
    return AnswerWithCodes(m_profile.GetCodes().Change(code, apdu.pData, apdu.pData + 8), before);
}

std::uint16_t CSimCard::DisableChv(const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0x01) return SwWrongP1P2;
    if (apdu.p3 != 8 || apdu.dataLength != 8) return SwWrongLength;
    CChvSet before = m_profile.GetCodes();
    return AnswerWithCodes(m_profile.GetCodes().DisableChv1(apdu.pData), before);
}

std::uint16_t CSimCard::EnableChv(const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0x01) return SwWrongP1P2;
    if (apdu.p3 != 8 || apdu.dataLength != 8) return SwWrongLength;
    CChvSet before = m_profile.GetCodes();
    return AnswerWithCodes(m_profile.GetCodes().EnableChv1(apdu.pData), before);
}

std::uint16_t CSimCard::UnblockChv(const Apdu& apdu) {
    if (apdu.p1 != 0 || (apdu.p2 != 0x00 && apdu.p2 != 0x02)) return SwWrongP1P2;
    if (apdu.p3 != 16 || apdu.dataLength != 16) return SwWrongLength;
    CChvSet::Code chv = apdu.p2 == 0x00 ? CChvSet::Chv1 : CChvSet::Chv2;
    CChvSet before = m_profile.GetCodes();
    return AnswerWithCodes(m_profile.GetCodes().Unblock(chv, apdu.pData, apdu.pData + 8), before);
}

// ---- file status, algorithm, sleep ----------------------------------------------------

std::uint16_t CSimCard::Invalidate(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.p3 != 0 || apdu.dataLength != 0) return SwWrongLength;
    if (!m_pEf) return SwNoEfSelected;
    if (!IsFulfilled(m_pEf->GetInvalidateAccess())) return SwAccessDenied;
    if (!m_pEf->IsInvalidated()) {
        m_pEf->SetStatus(m_pEf->GetStatus() & ~CSimFile::StatusValid);
        m_bChanged = true;
    }
    return SwOk;
}

std::uint16_t CSimCard::Rehabilitate(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.p3 != 0 || apdu.dataLength != 0) return SwWrongLength;
    if (!m_pEf) return SwNoEfSelected;
    if (!IsFulfilled(m_pEf->GetRehabilitateAccess())) return SwAccessDenied;
    if (m_pEf->IsInvalidated()) {
        m_pEf->SetStatus(m_pEf->GetStatus() | CSimFile::StatusValid);
        m_bChanged = true;
    }
    return SwOk;
}

std::uint16_t CSimCard::RunGsmAlgorithm(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.p3 != 16 || apdu.dataLength != 16) return SwWrongLength;
    if (!IsInDfGsm()) return SwInconsistentFile;
    if (!m_profile.GetCodes().IsChv1Fulfilled()) return SwAccessDenied;
    CStandInAlgorithm::Run(m_profile.GetKi(), apdu.pData, m_pending.data());
    return SetPending(12);
}

std::uint16_t CSimCard::Sleep(const Apdu& apdu) {
    if (!AreP1P2Zero(apdu.p1, apdu.p2)) return SwWrongP1P2;
    if (apdu.p3 != 0 || apdu.dataLength != 0) return SwWrongLength;
    return SwOk;
}
