// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardWalker.h"
#include "Misbehaviour.h"
#include "SimCardFixture.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// The virtual card in-process as the walker's exchange: hex in, hex out, with a test mode
// applied as the vpcd link would; an unanswered command comes back as a failed exchange.
class CInProcessCard {
public:
    static constexpr long kNoAnswer = 0x8010000A;  // SCARD_E_TIMEOUT

    explicit CInProcessCard(const std::string& profileText, const std::string& misbehave = {})
        : m_card(ParseOrDie(profileText)) {
        std::string error;
        if (!misbehave.empty()) {
            EXPECT_TRUE(m_misbehaviour.Parse(misbehave, error)) << error;
        }
    }

    CCardWalker::ExchangeFunction Exchange() {
        return [this](const std::string& command, std::string& response) -> long {
            m_commands.push_back(command);
            if (m_nPullAfter >= 0 && static_cast<int>(m_commands.size()) > m_nPullAfter) {
                response.clear();
                return 0x80100069;  // SCARD_W_REMOVED_CARD
            }
            const std::vector<std::uint8_t> apdu = FromHex(command);
            std::vector<std::uint8_t> answer = m_card.Process(apdu.data(), apdu.size());
            if (m_misbehaviour.Apply(apdu.data(), apdu.size(), answer) ==
                CMisbehaviour::Outcome::Silence) {
                response.clear();
                return kNoAnswer;
            }
            response = ToHex(answer);
            return 0;
        };
    }

    // Every exchange after the first count fails as a pulled card's.
    void PullAfter(int count) { m_nPullAfter = count; }
    const std::vector<std::string>& Commands() const { return m_commands; }
    int CountStartingWith(const std::string& prefix) const {
        int count = 0;
        for (const std::string& command : m_commands) count += command.rfind(prefix, 0) == 0;
        return count;
    }

private:
    CSimCard m_card;
    CMisbehaviour m_misbehaviour;
    std::vector<std::string> m_commands;
    int m_nPullAfter = -1;
};

// Runs the walk to its end, with a bound no sane walk of the test card comes near.
inline void WalkToEnd(CCardWalker& walker, int limit = 5000) {
    int steps = 0;
    while (walker.Step()) ASSERT_LT(++steps, limit) << "the walk does not end";
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string Hex4Id(std::uint16_t id) {
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id)};
    return BytesToHex(bytes, 2);
}

// Every file of a virtual card in the dump, read as the card holds it.
inline void ExpectDumped(const CSimFile& file, const std::string& path, const CCardDump& dump) {
    SCOPED_TRACE(path);
    const CDumpedFile* dumped = dump.Find(path);
    ASSERT_NE(dumped, nullptr);
    EXPECT_FALSE(dumped->m_header.empty());
    if (file.GetKind() != CSimFile::Kind::Ef) {
        for (const auto& child : file.GetChildren())
            ExpectDumped(*child, path + "\\" + Hex4Id(child->GetId()), dump);
        return;
    }
    EXPECT_EQ(dumped->m_strReadStatus, "9000");
    if (file.GetStructure() == CSimFile::Structure::Transparent) {
        EXPECT_EQ(dumped->m_contents, file.GetContent());
        return;
    }
    ASSERT_EQ(dumped->m_records.size(), file.GetRecordCount());
    for (std::size_t n = 1; n <= file.GetRecordCount(); ++n) {
        const std::uint8_t* record = file.GetRecord(n);
        EXPECT_EQ(dumped->m_records[n - 1], CBytes(record, record + file.GetRecordLength()));
    }
}
