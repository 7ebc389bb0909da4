// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The facts a walk and a twin need from a GET RESPONSE answer, read from its bytes. Every
// field is bounds-checked: a short or hostile header gives nothing rather than a guess.
class CFileHeader {
public:
    enum class Type { Mf, Df, Ef };
    enum class Structure { Transparent, LinearFixed, Cyclic };

    // One CHV or UNBLOCK CHV status byte of a DF header.
    struct CCodeState {
        bool m_bInitialised = false;
        int m_nAttemptsLeft = 0;  // 0: blocked
    };

    // Nothing when the bytes are too short for their type or name an unknown type.
    static std::optional<CFileHeader> Parse(const std::vector<std::uint8_t>& bytes);

    Type m_eType = Type::Ef;
    std::uint16_t m_nId = 0;
    std::uint16_t m_nSize = 0;  // EF: file size; MF/DF: memory not allocated

    // EF only.
    Structure m_eStructure = Structure::Transparent;
    std::uint8_t m_nRecordLength = 0;
    std::uint8_t m_nAccess[3] = {0, 0, 0};  // bytes 9-11: READ|UPDATE, INCREASE|RFU, REHAB|INVAL
    std::uint8_t m_nStatus = 0;

    // MF/DF only.
    bool m_bChv1Disabled = false;
    int m_nDfCount = 0;
    int m_nEfCount = 0;
    int m_nCodeCount = 0;
    std::optional<CCodeState> m_chv1, m_unblockChv1, m_chv2, m_unblockChv2;

    bool IsDirectory() const { return m_eType != Type::Ef; }
    bool IsRecordFile() const { return m_eType == Type::Ef && m_eStructure != Structure::Transparent; }
    // Record files: size / record length (0 for a record length of 0).
    std::size_t RecordCount() const;
    // Access condition nibbles, 0 ALW ... F NEV.
    std::uint8_t ReadAccess() const { return m_nAccess[0] >> 4; }
    std::uint8_t UpdateAccess() const { return m_nAccess[0] & 0x0F; }
    std::uint8_t IncreaseAccess() const { return m_nAccess[1] >> 4; }
    std::uint8_t RehabilitateAccess() const { return m_nAccess[2] >> 4; }
    std::uint8_t InvalidateAccess() const { return m_nAccess[2] & 0x0F; }
    bool IsInvalidated() const { return (m_nStatus & 0x01) == 0; }

    static constexpr std::size_t kDirectoryMinimum = 22;  // up to UNBLOCK CHV2 status
    static constexpr std::size_t kEfMinimum = 14;         // up to the structure byte
};
