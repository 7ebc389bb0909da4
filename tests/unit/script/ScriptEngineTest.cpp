#include "ScriptEngine.h"
#include "ScriptRowVector.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

enum Action { kPlay, kStep, kReset };

// Rows that remember which rows were reported as run and which were to be shown.
class CRecordingRows : public CScriptRowVector {
public:
    using CScriptRowVector::CScriptRowVector;
    void OnRowRun(int row, long code) override { m_run.push_back({row, code}); }
    void OnShowRow(int row) override { m_shown.push_back(row); }
    std::vector<std::pair<int, long>> m_run;
    std::vector<int> m_shown;
};

// A card that answers every command with "<command's last four digits>9000", or from a
// table of answers and result codes, and remembers what it was sent.
struct SScriptedCard {
    CScriptEngine::ExchangeFunction Exchange() {
        return [this](const std::string& command, std::string& response) {
            m_sent.push_back(command);
            const auto answer = m_answers.find(command);
            if (answer == m_answers.end()) {
                response = command.substr(command.size() - 4) + "9000";
                return 0L;
            }
            response = answer->second.second;
            return answer->second.first;
        };
    }
    std::map<std::string, std::pair<long, std::string>> m_answers;
    Strings m_sent;
};

// Each row's result as "StatusWord/DataOut".
Strings Results(const CScriptRowVector& rows) {
    Strings results;
    for (const CScriptRowVector::SRow& row : rows.Rows())
        results.push_back(row.strStatusWord + "/" + row.strDataOut);
    return results;
}

struct SRunCase {
    const char* name;
    int rowCount;
    std::vector<int> breakpoints;
    int currentBefore;
    Action action;
    std::vector<int> sentRows;
    int currentAfter;
    Strings results;
};

// Row n holds the command A0B0000n01; every row starts with the old result o; e is an
// emptied result.
std::string RowCommand(int row) {
    return "A0B0000" + std::to_string(row) + "01";
}

const std::string o = "OLD/1234", e = "/";
// The results of rows 0 to 3 after a run.
const std::string r0 = "9000/0001", r1 = "9000/0101", r2 = "9000/0201", r3 = "9000/0301";

// clang-format off
const SRunCase kRunCases[] = {
    // name                             rows  marks current action  sent     after  results
    {"PlayWithoutBreakpointRunsToEnd",     4, {},     1, kPlay,  {1, 2, 3},  3, {o, r1, r2, r3}},
    {"PlayStopsAtBreakpointEmptiesRest",   5, {2, 4}, 0, kPlay,  {0, 1},     2, {r0, r1, e, e, e}},
    {"PlayOnBreakpointGoesToTheNextOne",   5, {2, 4}, 2, kPlay,  {2, 3},     4, {o, o, r2, r3, e}},
    {"PlayWithoutCurrentRowStartsAtZero",  3, {0},   -1, kPlay,  {0, 1, 2},  2, {r0, r1, r2}},
    {"PlayOnAnEmptyListDoesNothing",       0, {},    -1, kPlay,  {},        -1, {}},
    {"StepIgnoresBreakpointsAndMovesOn",   3, {1, 2}, 1, kStep,  {1},        2, {o, r1, o}},
    {"StepOnTheLastRowLeavesNoCurrent",    3, {},     2, kStep,  {2},       -1, {o, o, r2}},
    {"StepWithoutCurrentRowDoesNothing",   3, {},    -1, kStep,  {},        -1, {o, o, o}},
    {"ResetMakesRowZeroCurrent",           3, {},     2, kReset, {},         0, {o, o, o}},
    {"ResetOnAnEmptyListDoesNothing",      0, {},    -1, kReset, {},        -1, {}},
};
// clang-format on

class ScriptEngineRunTest : public ::testing::TestWithParam<SRunCase> {};

}  // namespace

TEST_P(ScriptEngineRunTest, FollowsTheStateTable) {
    const SRunCase& c = GetParam();
    CRecordingRows rows;
    for (int row = 0; row < c.rowCount; ++row)
        rows.Rows().push_back({RowCommand(row), false, "OLD", "1234"});
    for (int row : c.breakpoints) rows.Rows()[row].bBreakpoint = true;
    rows.SetCurrentRow(c.currentBefore);
    SScriptedCard card;
    CScriptEngine engine(rows, card.Exchange());
    switch (c.action) {
        case kPlay:
            engine.Play();
            break;
        case kStep:
            engine.Step();
            break;
        case kReset:
            engine.Reset();
            break;
    }
    Strings sent;
    for (int row : c.sentRows) sent.push_back(RowCommand(row));
    EXPECT_EQ(card.m_sent, sent);
    EXPECT_EQ(rows.CurrentRow(), c.currentAfter);
    EXPECT_EQ(Results(rows), c.results);
    EXPECT_EQ(rows.m_run.size(), sent.size());
}

INSTANTIATE_TEST_SUITE_P(StateTable, ScriptEngineRunTest, ::testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptEngine, SendsOnlyNonEmptyEvenUpperCaseHexCommands) {
    for (const char* valid : {"A0A4000002", "0123456789ABCDEF", "00"})
        EXPECT_TRUE(CScriptEngine::IsValidCommand(valid)) << valid;
    for (const char* invalid : {"", "a0a4000002", "A0A400000", "A0 A4", "A0A4;9000", "A0G4",
                                "A0\xC1"
                                "4",
                                "A0A4000002\r"})
        EXPECT_FALSE(CScriptEngine::IsValidCommand(invalid)) << invalid;
}

TEST(ScriptEngine, PassesInvalidRowsOverAndKeepsRunningAfterErrors) {
    CRecordingRows rows({"a0b0000001", "", "A0B0000001", "A0B00000", "A0B0000", "A0B0000002"});
    for (auto& row : rows.Rows()) row.strStatusWord = "OLD";
    SScriptedCard card;
    card.m_answers["A0B0000001"] = {0x80100016L, ""};  // transmission failed, no answer
    card.m_answers["A0B00000"] = {0, "6D00"};
    CScriptEngine engine(rows, card.Exchange());
    engine.Play();
    EXPECT_EQ(card.m_sent, (Strings{"A0B0000001", "A0B00000", "A0B0000002"}));
    EXPECT_EQ(Results(rows), (Strings{"/", "/", "/", "6D00/", "/", "9000/0002"}));
    EXPECT_EQ(rows.m_run, (std::vector<std::pair<int, long>>{{2, 0x80100016L}, {3, 0}, {5, 0}}));

    // Step keeps the old results of an invalid row.
    rows.Rows()[0].strStatusWord = "OLD";
    rows.SetCurrentRow(0);
    engine.Step();
    EXPECT_EQ(rows.Rows()[0].strStatusWord, "OLD");
    EXPECT_EQ(rows.CurrentRow(), 1);
}

TEST(ScriptEngine, SplitsTheAnswerIntoStatusWordAndData) {
    const std::pair<const char*, const char*> cases[] = {
        {"9000", "9000/"}, {"1234569000", "9000/123456"}, {"90", "90/"}, {"", "/"}};
    for (const auto& [answer, expected] : cases) {
        CScriptRowVector rows({"A0C0000003"});
        SScriptedCard card;
        card.m_answers["A0C0000003"] = {0, answer};
        CScriptEngine(rows, card.Exchange()).Play();
        EXPECT_EQ(Results(rows), Strings{expected}) << answer;
    }
}

// The view follows a run one row ahead (row 0 while row 0 runs).
TEST(ScriptEngine, ShowsTheRowsAViewScrollsTo) {
    CRecordingRows rows(Strings(4, "A0B0000001"));
    SScriptedCard card;
    CScriptEngine engine(rows, card.Exchange());
    engine.Play();
    EXPECT_EQ(rows.m_shown, (std::vector<int>{0, 2, 3}));
    rows.m_shown.clear();
    engine.Reset();
    engine.Step();
    EXPECT_EQ(rows.m_shown, (std::vector<int>{0, 0, 1}));
}
