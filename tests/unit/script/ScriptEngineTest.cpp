// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptEngine.h"
#include "ScriptRowVector.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Strings = std::vector<std::string>;

// Rows that remember which rows were reported as run and which were to be shown.
struct CRecordingRows : public CScriptRowVector {
    using CScriptRowVector::CScriptRowVector;
    void OnRowRun(int row, long code) override { m_run.push_back({row, code}); }
    void OnShowRow(int row) override { m_shown.push_back(row); }
    std::vector<std::pair<int, long>> m_run;
    std::vector<int> m_shown;
};

// A card that records what it is sent and answers from the table (result code, answer),
// or else with the command's last four digits followed by 9000.
ExchangeFunction Card(Strings& sent, std::map<std::string, std::pair<long, std::string>> answers) {
    return [&sent, answers](const std::string& command, std::string& response) {
        sent.push_back(command);
        const auto found = answers.find(command);
        response = found == answers.end() ? command.substr(command.size() - 4) + "9000"
                                          : found->second.second;
        return found == answers.end() ? 0L : found->second.first;
    };
}

// Each row's result as "StatusWord/DataOut".
Strings Results(const CScriptRowVector& rows) {
    Strings results;
    for (const CScriptRowVector::SRow& row : rows.Rows())
        results.push_back(row.strStatusWord + "/" + row.strDataOut);
    return results;
}

// Row n holds the command A0B0000n01; every row starts with the old result o; e is an
// emptied result, rn the result of row n run.
const std::string o = "OLD/1234", e = "/";
const std::string r0 = "9000/0001", r1 = "9000/0101", r2 = "9000/0201", r3 = "9000/0301";

}  // namespace

// A view follows a Play one row ahead (row 0 while row 0 runs).
TEST(ScriptEngine, FollowsTheStateTableOfPlayStepAndReset) {
    struct SCase {
        void (CScriptEngine::*action)();
        int rowCount, currentBefore, currentAfter;
        std::vector<int> breakpoints, sentRows, shownRows;
        Strings results;
    };
    // clang-format off
    const SCase cases[] = {
        // action               rows before after marks sent      shown   results
        {&CScriptEngine::Play,  4,  1,  3, {},     {1, 2, 3}, {2, 3}, {o, r1, r2, r3}},  // to end
        {&CScriptEngine::Play,  5,  0,  2, {2, 4}, {0, 1},    {0, 2}, {r0, r1, e, e, e}},
        {&CScriptEngine::Play,  5,  2,  4, {2, 4}, {2, 3},    {3, 4}, {o, o, r2, r3, e}},
        {&CScriptEngine::Play,  3, -1,  2, {0},    {0, 1, 2}, {0, 2}, {r0, r1, r2}},  // from 0
        {&CScriptEngine::Play,  0, -1, -1, {},     {},        {},     {}},
        {&CScriptEngine::Step,  3,  1,  2, {1, 2}, {1},       {1, 2}, {o, r1, o}},
        {&CScriptEngine::Step,  3,  2, -1, {},     {2},       {2},    {o, o, r2}},  // past end
        {&CScriptEngine::Step,  3, -1, -1, {},     {},        {},     {o, o, o}},
        {&CScriptEngine::Reset, 3,  2,  0, {},     {},        {0},    {o, o, o}},
        {&CScriptEngine::Reset, 0, -1, -1, {},     {},        {},     {}},
    };
    // clang-format on
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        CRecordingRows rows;
        Strings expectedSent;
        for (int row = 0; row < c.rowCount; ++row)
            rows.Rows().push_back({"A0B0000" + std::to_string(row) + "01", false, "OLD", "1234"});
        for (int row : c.breakpoints) rows.Rows()[row].bBreakpoint = true;
        for (int row : c.sentRows) expectedSent.push_back(rows.Rows()[row].strCommand);
        rows.SetCurrentRow(c.currentBefore);
        Strings sent;
        CScriptEngine engine(rows, Card(sent, {}));
        (engine.*c.action)();
        EXPECT_EQ(sent, expectedSent);
        EXPECT_EQ(rows.CurrentRow(), c.currentAfter);
        EXPECT_EQ(Results(rows), c.results);
        EXPECT_EQ(rows.m_run.size(), sent.size());
        EXPECT_EQ(rows.m_shown, c.shownRows);
    }
}

// The first character that is not an upper-case hex digit names the reason, then the
// length; the neighbours of each digit range in ASCII are not digits.
TEST(ScriptEngine, SendsOnlyNonEmptyEvenUpperCaseHexCommandsAndSaysWhyNot) {
    using E = CScriptEngine::ECommandCheck;
    const std::pair<const char*, E> cases[] = {
        {"A0A4000002", E::kSent},
        {"0123456789ABCDEF", E::kSent},
        {"00", E::kSent},
        {"", E::kEmpty},
        {"A0A400000", E::kOddLength},
        {"0", E::kOddLength},
        {"a0a4000002", E::kLowerCase},
        {"A0A40000f", E::kLowerCase},  // odd too: the letter comes first
        {"A0 A4", E::kSpace},
        {"A0A4000002\r", E::kCarriageReturn},
        {"\r", E::kCarriageReturn},
        {"A0B0000002;9000;98F2", E::kNotHexDigit},
        {"A0G4", E::kNotHexDigit},
        {"A0g4", E::kNotHexDigit},
        {"A0`4", E::kNotHexDigit},
        {"A0@4", E::kNotHexDigit},
        {"A0:4", E::kNotHexDigit},
        {"A0/4", E::kNotHexDigit},
        {"A0\xC1\x34", E::kNotHexDigit},
        {"A0\t4", E::kNotHexDigit},
    };
    for (const auto& [command, check] : cases) {
        SCOPED_TRACE(command);
        EXPECT_EQ(CScriptEngine::CheckCommand(command), check);
        EXPECT_EQ(CScriptEngine::IsValidCommand(command), check == E::kSent);
    }
}

// Invalid rows are passed over without an exchange; a failed exchange, an error status
// word or a short answer is written as split and the run goes on.
TEST(ScriptEngine, PassesInvalidRowsOverAndSplitsEveryAnswer) {
    CRecordingRows rows(
        {"a0b0000001", "", "A0B0000001", "A0B00002", "A0B0000", "A0B0000003", "A0B0000004"});
    for (auto& row : rows.Rows()) row.strStatusWord = "OLD";
    Strings sent;
    CScriptEngine engine(rows, Card(sent, {{"A0B0000001", {0x80100016L, ""}},
                                           {"A0B00002", {0, "6D00"}},
                                           {"A0B0000003", {0, "90"}}}));
    engine.Play();
    EXPECT_EQ(sent, (Strings{"A0B0000001", "A0B00002", "A0B0000003", "A0B0000004"}));
    EXPECT_EQ(Results(rows), (Strings{e, e, e, "6D00/", e, "90/", "9000/0004"}));
    EXPECT_EQ(rows.m_run,
              (std::vector<std::pair<int, long>>{{2, 0x80100016L}, {3, 0}, {5, 0}, {6, 0}}));

    rows.Rows()[0].strStatusWord = "OLD";
    rows.SetCurrentRow(0);
    engine.Step();
    EXPECT_EQ(rows.Rows()[0].strStatusWord, "OLD");  // Step keeps an invalid row's results
    EXPECT_EQ(rows.CurrentRow(), 1);
}
