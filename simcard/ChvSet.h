// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// The card's secret codes: CHV1, CHV2, their UNBLOCK codes and the administrative code.
// Values and remaining attempts persist; which codes were verified lasts until reset.
class CChvSet {
public:
    enum Code { Chv1, Unblock1, Chv2, Unblock2, Adm, CodeCount };
    using Value = std::array<std::uint8_t, 8>;

    static constexpr std::uint8_t MaxChvAttempts = 3;
    static constexpr std::uint8_t MaxUnblockAttempts = 10;

    // Status words of the code operations.
    static constexpr std::uint16_t SwOk = 0x9000;
    static constexpr std::uint16_t SwNotInitialised = 0x9802;
    static constexpr std::uint16_t SwWrongCode = 0x9804;
    static constexpr std::uint16_t SwContradiction = 0x9808;
    static constexpr std::uint16_t SwBlocked = 0x9840;

    // The administrative code has no try counter: it cannot be blocked, so a virtual card
    // never ends up unusable for its owner.
    static std::uint8_t MaxAttempts(Code code);

    void Define(Code code, const Value& value, std::uint8_t attempts);
    bool IsInitialised(Code code) const { return m_entries[code].bInitialised; }
    const Value& GetValue(Code code) const { return m_entries[code].value; }
    std::uint8_t GetAttempts(Code code) const { return m_entries[code].nAttempts; }
    bool IsVerified(Code code) const { return m_entries[code].bVerified; }
    void ClearVerified();

    bool IsChv1Enabled() const { return m_bChv1Enabled; }
    void SetChv1Enabled(bool enabled) { m_bChv1Enabled = enabled; }
    // A disabled CHV1 counts as presented.
    bool IsChv1Fulfilled() const {
        return !m_bChv1Enabled || !m_entries[Chv1].bInitialised || m_entries[Chv1].bVerified;
    }

    // Status byte of the directory response: b8 initialised, b4-b1 attempts left.
    std::uint8_t StatusByte(Code code) const;
    std::uint8_t CountInitialised() const;

    // Whether values, attempts and the CHV1 state match: tells a command that must be
    // saved from one that changed nothing that lasts.
    bool HasSamePersistentState(const CChvSet& other) const;

    // The card commands; each answers its status word.
    std::uint16_t Verify(Code code, const std::uint8_t* pCandidate);
    std::uint16_t Change(Code code, const std::uint8_t* pOld, const std::uint8_t* pNew);
    std::uint16_t DisableChv1(const std::uint8_t* pCandidate);
    std::uint16_t EnableChv1(const std::uint8_t* pCandidate);
    std::uint16_t Unblock(Code chv, const std::uint8_t* pUnblock, const std::uint8_t* pNew);

private:
    struct Entry {
        bool bInitialised = false;
        bool bVerified = false;
        std::uint8_t nAttempts = 0;
        Value value{};
    };

    // Compares and counts: resets the counter on success, spends one attempt otherwise.
    std::uint16_t Present(Code code, const std::uint8_t* pCandidate);

    std::array<Entry, CodeCount> m_entries{};
    bool m_bChv1Enabled = true;
};
