// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChvSet.h"

#include <algorithm>

std::uint8_t CChvSet::MaxAttempts(Code code) {
    switch (code) {
        case Chv1:
        case Chv2:
            return MaxChvAttempts;
        case Unblock1:
        case Unblock2:
            return MaxUnblockAttempts;
        default:
            return 0;
    }
}

void CChvSet::Define(Code code, const Value& value, std::uint8_t attempts) {
    Entry& entry = m_entries[code];
    entry.bInitialised = true;
    entry.bVerified = false;
    entry.value = value;
    entry.nAttempts = std::min(attempts, MaxAttempts(code));
}

void CChvSet::ClearVerified() {
    for (Entry& entry : m_entries) entry.bVerified = false;
}

std::uint8_t CChvSet::StatusByte(Code code) const {
    const Entry& entry = m_entries[code];
    if (!entry.bInitialised) return 0x00;
    return static_cast<std::uint8_t>(0x80 | (entry.nAttempts & 0x0F));
}

std::uint8_t CChvSet::CountInitialised() const {
    return static_cast<std::uint8_t>(std::count_if(m_entries.begin(), m_entries.end(),
                                                   [](const Entry& e) { return e.bInitialised; }));
}

bool CChvSet::HasSamePersistentState(const CChvSet& other) const {
    if (m_bChv1Enabled != other.m_bChv1Enabled) return false;
    for (int i = 0; i < CodeCount; ++i) {
        const Entry& mine = m_entries[i];
        const Entry& theirs = other.m_entries[i];
        if (mine.bInitialised != theirs.bInitialised || mine.nAttempts != theirs.nAttempts ||
            mine.value != theirs.value)
            return false;
    }
    return true;
}

std::uint16_t CChvSet::Present(Code code, const std::uint8_t* pCandidate) {
    Entry& entry = m_entries[code];
    if (!entry.bInitialised) return SwNotInitialised;
    bool unlimited = MaxAttempts(code) == 0;
    if (!unlimited && entry.nAttempts == 0) return SwBlocked;
    if (std::equal(entry.value.begin(), entry.value.end(), pCandidate)) {
        if (!unlimited) entry.nAttempts = MaxAttempts(code);
        return SwOk;
    }
    if (unlimited) return SwWrongCode;
    --entry.nAttempts;
    return entry.nAttempts > 0 ? SwWrongCode : SwBlocked;
}

std::uint16_t CChvSet::Verify(Code code, const std::uint8_t* pCandidate) {
    if (code == Chv1 && !m_bChv1Enabled && m_entries[Chv1].bInitialised) return SwContradiction;
    std::uint16_t sw = Present(code, pCandidate);
    if (sw == SwOk) m_entries[code].bVerified = true;
    return sw;
}

std::uint16_t CChvSet::Change(Code code, const std::uint8_t* pOld, const std::uint8_t* pNew) {
    if (code == Chv1 && !m_bChv1Enabled && m_entries[Chv1].bInitialised) return SwContradiction;
    std::uint16_t sw = Present(code, pOld);
    if (sw != SwOk) return sw;
    Entry& entry = m_entries[code];
    std::copy(pNew, pNew + entry.value.size(), entry.value.begin());
    entry.bVerified = true;
    return SwOk;
}

std::uint16_t CChvSet::DisableChv1(const std::uint8_t* pCandidate) {
    if (!m_entries[Chv1].bInitialised) return SwNotInitialised;
    if (!m_bChv1Enabled) return SwContradiction;
    std::uint16_t sw = Present(Chv1, pCandidate);
    if (sw == SwOk) m_bChv1Enabled = false;
    return sw;
}

std::uint16_t CChvSet::EnableChv1(const std::uint8_t* pCandidate) {
    if (!m_entries[Chv1].bInitialised) return SwNotInitialised;
    if (m_bChv1Enabled) return SwContradiction;
    std::uint16_t sw = Present(Chv1, pCandidate);
    if (sw == SwOk) {
        m_bChv1Enabled = true;
        m_entries[Chv1].bVerified = true;
    }
    return sw;
}

std::uint16_t CChvSet::Unblock(Code chv, const std::uint8_t* pUnblock, const std::uint8_t* pNew) {
    Code unblock = chv == Chv1 ? Unblock1 : Unblock2;
    if (!m_entries[chv].bInitialised) return SwNotInitialised;
    std::uint16_t sw = Present(unblock, pUnblock);
    if (sw != SwOk) return sw;
    Entry& entry = m_entries[chv];
    std::copy(pNew, pNew + entry.value.size(), entry.value.begin());
    entry.nAttempts = MaxAttempts(chv);
    entry.bVerified = true;
    // An unblocked CHV1 is enabled again.
    if (chv == Chv1) m_bChv1Enabled = true;
    return SwOk;
}
