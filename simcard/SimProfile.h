// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ChvSet.h"
#include "SimFile.h"

// The persistent content of a card: the file tree, the codes and the key Ki, read from and
// written to a line-based text format that is pleasant to edit by hand:
//
//   chv1 31323334FFFFFFFF attempts=3
//   ki   00112233445566778899AABBCCDDEEFF
//   mf   3F00
//   df   3F00/7F20
//   ef   3F00/7F20/6F07 transparent size=9 read=CHV1 update=ADM
//        data 08 09 10 10 ...
//   ef   3F00/7F10/6F3A linear record=28 records=10 read=CHV1 update=CHV1
//        record 1 "Alice" FF ... 07 81 ...
//
// Errors name the source and line: "default.sim:12: record length 0 for a record file".
class CSimProfile {
public:
    using Key = std::array<std::uint8_t, 16>;

    CSimProfile();
    CSimProfile(CSimProfile&&) noexcept;
    CSimProfile& operator=(CSimProfile&&) noexcept;
    ~CSimProfile();

    // Replaces the content with the parsed text; on failure the profile is left empty and
    // error holds "<sourceName>:<line>: <reason>".
    bool Parse(std::string_view text, const std::string& sourceName, std::string& error);
    bool Load(const std::string& path, std::string& error);
    // The whole content in the same format, closed by an "end" line.
    std::string ToText() const;

    CSimFile* GetMf() const { return m_pMf.get(); }
    CChvSet& GetCodes() { return m_codes; }
    const CChvSet& GetCodes() const { return m_codes; }
    const Key& GetKi() const { return m_ki; }
    // Whether the text closed with an "end" line: a state file without it was cut short.
    bool HasEndMarker() const { return m_bEndMarker; }

    // Used by the parser once a whole text has been read.
    void Assign(std::unique_ptr<CSimFile> pMf, const CChvSet& codes, const Key& ki, bool endMarker);

private:
    std::unique_ptr<CSimFile> m_pMf;
    CChvSet m_codes;
    Key m_ki{};
    bool m_bEndMarker = false;
};
