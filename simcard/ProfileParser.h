// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ChvSet.h"
#include "SimFile.h"
#include "SimProfile.h"

// Reads the card profile text line by line. Every refusal names the line and the reason,
// so a hand-edited profile is fixed in one go.
class CProfileParser {
public:
    explicit CProfileParser(std::string sourceName);

    bool Run(std::string_view text, CSimProfile& profile, std::string& error);

    // Access condition names (ALW, CHV1, CHV2, ADM, ADM4..ADME, NEV, RFU) to nibbles; -1 if
    // unknown.
    static int AccessFromName(std::string_view name);

private:
    using Tokens = std::vector<std::string_view>;

    bool ParseLine(std::string_view line);
    bool ParseCode(CChvSet::Code code, const Tokens& tokens);
    bool ParseKi(const Tokens& tokens);
    bool ParseDirectory(CSimFile::Kind kind, const Tokens& tokens);
    bool ParseEf(const Tokens& tokens);
    bool ParseEfOption(CSimFile& file, std::string_view token, std::size_t& size,
                       std::size_t& recordLength, std::size_t& recordCount,
                       std::uint8_t (&access)[5], bool& sizeGiven);
    // header=HEX on an mf, df or ef line.
    bool ParseHeaderTemplate(CSimFile& file, std::string_view value);
    bool ParseData(const Tokens& tokens);
    bool ParseRecord(const Tokens& tokens);

    // The parent directory of a path such as 3F00/7F20/6F07, and the last id.
    bool ResolvePath(std::string_view path, CSimFile*& pParent, std::uint16_t& id);
    // Hex groups and "quoted text" into bytes.
    bool ParseBytes(const Tokens& tokens, std::size_t first, std::vector<std::uint8_t>& bytes);

    bool Fail(const std::string& reason);

    std::string m_strSourceName;
    std::string m_strError;
    std::size_t m_nLine = 0;
    std::unique_ptr<CSimFile> m_pMf;
    CChvSet m_codes;
    CSimProfile::Key m_ki{};
    bool m_bEndMarker = false;
    bool m_bKiSeen = false;
    CSimFile* m_pEf = nullptr;              // the EF that data and record lines fill
    std::size_t m_nDataFill = 0;            // bytes of the transparent EF given so far
    std::vector<std::size_t> m_recordFill;  // bytes given so far per record
};
