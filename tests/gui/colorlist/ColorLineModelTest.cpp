#include "ColorLineModel.h"

#include <QColor>
#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t kBlack = 0x000000, kBlue = 0x0000FF, kRed = 0xFF0000;
const QByteArray kRule(60, '-');
using Lines = std::vector<std::pair<QByteArray, std::uint32_t>>;

Lines Read(const CColorLineModel& model, int first, int count) {
    Lines lines;
    for (int line = first; line < first + count; ++line)
        lines.emplace_back(model.LineText(line), model.LineColour(line));
    return lines;
}

// One turn of the event loop, as the main window's loop runs between handlers.
void NextTurn() {
    QCoreApplication::processEvents();
}

}  // namespace

// The lines of an exchange and their colours come from the trace record that the card
// reader's tests check; here only that the model keeps them.

// ---- Lines as stored and as shown ----

TEST(ColorLineModelStore, AddLineIndexCountsLinesNotYetAnnounced) {
    CColorLineModel model;
    EXPECT_EQ(model.AddLine("one", kBlack), 0);
    model.AppendRecord("A0F2000016", "9000");
    EXPECT_EQ(model.AddLine("after", kRed), 4);
    EXPECT_EQ(Read(model, 2, 3),
              (Lines{{"Header=A0F2000016", kBlue}, {"SW=9000", kRed}, {"after", kRed}}));
    EXPECT_EQ(model.rowCount(), 0);  // views learn of them at the next turn
    EXPECT_EQ(model.Count(), 5);
    EXPECT_EQ(model.LineText(5), QByteArray());  // past the end
}

TEST(ColorLineModelStore, ShownAsLatin1InTheLineColourWithEveryByteKept) {
    CColorLineModel model;
    const QByteArray bytes("caf\xE9\0\xFF", 6);
    model.AddLine("", kBlack);
    model.AddLine(std::string_view(bytes.data(), bytes.size()), kBlue);
    model.Flush();
    EXPECT_EQ(model.LineText(0), QByteArray());
    EXPECT_EQ(model.LineText(1), bytes);
    const QString shown = model.data(model.index(1), Qt::DisplayRole).toString();
    EXPECT_EQ(shown.size(), 6);
    EXPECT_EQ(shown.toLatin1(), bytes);
    EXPECT_EQ(model.data(model.index(1), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
}

TEST(ColorLineModelStore, EveryDistinctColourComesBackEvenBeyondThePalette) {
    CColorLineModel model;
    const auto colour = [](std::uint32_t n) { return n * 0x010203u & 0xFFFFFFu; };
    for (std::uint32_t n = 0; n < 600; ++n) model.AddLine("x", colour(n));
    model.AddLine("again", colour(1));  // an early colour, after the palette filled up
    for (std::uint32_t n = 0; n < 600; ++n) ASSERT_EQ(model.LineColour(n), colour(n)) << n;
    EXPECT_EQ(model.LineColour(600), colour(1));
}

// ---- Announcing lines to views ----

TEST(ColorLineModelBatching, EachTurnAnnouncesItsLinesInOneInsertion) {
    CColorLineModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (int n = 0; n < 250; ++n) model.AppendRecord("A0B2010400", "9000");
    EXPECT_EQ(inserted.count(), 0);
    NextTurn();
    model.AddLine("next turn", kBlack);
    NextTurn();
    NextTurn();
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 749);
    EXPECT_EQ(inserted[1][1].toInt(), 750);
    EXPECT_EQ(inserted[1][2].toInt(), 750);
}

TEST(ColorLineModelBatching, FlushAndCountAnnounceAtOnceAndOnlyOnce) {
    CColorLineModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.AddLine("a", kBlack);
    model.Flush();
    EXPECT_EQ(inserted.count(), 1);
    model.AddLine("b", kBlack);
    EXPECT_EQ(model.Count(), 2);
    EXPECT_EQ(inserted.count(), 2);
    NextTurn();
    EXPECT_EQ(inserted.count(), 2);  // the queued turn finds nothing left
}

TEST(ColorLineModelBatching, ClearRemovesAnnouncedAndPendingLines) {
    CColorLineModel model;
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.AppendRecord("A0A40000023F00", "9F16");
    NextTurn();
    model.AddLine("pending", kRed);
    model.Clear();
    const int insertedAtClear = inserted.count();
    NextTurn();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(inserted.count(), insertedAtClear);  // no stale rows after the reset
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.LineText(0), QByteArray());

    EXPECT_EQ(model.AddLine("fresh", kBlue), 0);
    EXPECT_EQ(Read(model, 0, 1), (Lines{{"fresh", kBlue}}));
}
