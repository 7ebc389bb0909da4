// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "SimFile.h"
#include "SimProfile.h"

// The APDU processor of the virtual GSM SIM: takes a whole T=0 command APDU (CLA INS P1 P2
// P3 and data, which may end in the Le byte of an ISO-style case 4 command) and answers data
// followed by SW1 SW2. Session state (current files, record pointer, verified codes,
// waiting response) lives here; the lasting content in the profile.
class CSimCard {
public:
    explicit CSimCard(CSimProfile profile);

    // The answer stays valid until the next call; the buffer is reused so that the frequent
    // SELECT and READ paths do not allocate.
    const std::vector<std::uint8_t>& Process(const std::uint8_t* pApdu, std::size_t length);

    // Power-on and reset both start a fresh session: MF current, no EF, no verified code.
    void Reset();
    void PowerOff();

    // True once after a command changed content that lasts (file data, codes, status).
    bool TakeChanged();

    const CSimProfile& GetProfile() const { return m_profile; }
    const CSimFile* GetCurrentDf() const { return m_pDf; }

private:
    struct Apdu {
        std::uint8_t ins, p1, p2, p3;
        const std::uint8_t* pData;
        std::size_t dataLength;
    };

    using Handler = std::uint16_t (CSimCard::*)(const Apdu&);
    struct Instruction {
        std::uint8_t ins;
        Handler handler;
        bool bSendsData;  // P3 counts bytes sent to the card, not bytes it answers
    };
    static const Instruction* FindInstruction(std::uint8_t ins);

    std::uint16_t Select(const Apdu& apdu);
    std::uint16_t Status(const Apdu& apdu);
    std::uint16_t GetResponse(const Apdu& apdu);
    std::uint16_t ReadBinary(const Apdu& apdu);
    std::uint16_t UpdateBinary(const Apdu& apdu);
    std::uint16_t ReadRecord(const Apdu& apdu);
    std::uint16_t UpdateRecord(const Apdu& apdu);
    std::uint16_t Seek(const Apdu& apdu);
    std::uint16_t Increase(const Apdu& apdu);
    std::uint16_t VerifyChv(const Apdu& apdu);
    std::uint16_t ChangeChv(const Apdu& apdu);
    std::uint16_t DisableChv(const Apdu& apdu);
    std::uint16_t EnableChv(const Apdu& apdu);
    std::uint16_t UnblockChv(const Apdu& apdu);
    std::uint16_t Invalidate(const Apdu& apdu);
    std::uint16_t Rehabilitate(const Apdu& apdu);
    std::uint16_t RunGsmAlgorithm(const Apdu& apdu);
    std::uint16_t Sleep(const Apdu& apdu);

    CSimFile* FindSelectable(std::uint16_t id) const;
    bool IsInDfGsm() const;
    bool IsFulfilled(std::uint8_t access) const;
    // The checks every EF command shares: an EF is selected (9400), its structure fits
    // (9408), the access condition is met (9804) and the file is usable (9810).
    std::uint16_t CheckEf(bool structureFits, std::uint8_t access, bool readOrUpdate) const;
    // The record a READ or UPDATE RECORD addresses, moving the pointer in NEXT and
    // PREVIOUS mode; 0 when out of range.
    std::size_t ResolveRecord(std::uint8_t mode, std::uint8_t number);
    std::uint16_t AnswerWithCodes(std::uint16_t sw, const CChvSet& before);

    std::size_t WriteDirectoryResponse(const CSimFile& dir, std::uint8_t* pOut) const;
    std::size_t WriteEfResponse(const CSimFile& ef, std::uint8_t* pOut) const;
    std::uint16_t SetPending(std::size_t length);
    // Case 2 answers: the first P3 bytes, or 67xx with the available length.
    std::uint16_t AnswerPrefix(const std::uint8_t* pData, std::size_t available, std::uint8_t p3);

    CSimProfile m_profile;
    CSimFile* m_pDf = nullptr;
    CSimFile* m_pEf = nullptr;
    std::size_t m_nRecord = 0;  // 0: record pointer undefined
    std::array<std::uint8_t, 256> m_pending{};
    std::size_t m_nPendingLength = 0;
    std::vector<std::uint8_t> m_answer;
    bool m_bChanged = false;
};
