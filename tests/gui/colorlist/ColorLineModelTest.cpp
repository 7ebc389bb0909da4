// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorLineModel.h"
#include "FileSizeLimit.h"
#include "TempDir.h"
#include "TraceRecord.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

// The lines of an exchange and their colours come from the trace record that the card
// reader's tests check; here only that the model keeps them. Other failed saves are
// checked with every other writer of the program in the disk-full tests.
namespace {

constexpr std::uint32_t kBlack = 0x000000, kBlue = 0x0000FF, kRed = 0xFF0000;
using Lines = std::vector<std::pair<QByteArray, std::uint32_t>>;

Lines Read(const CColorLineModel& model, int first, int count) {
    Lines lines;
    for (int line = first; line < first + count; ++line)
        lines.emplace_back(model.LineText(line), model.LineColour(line));
    return lines;
}

}  // namespace

TEST(ColorLineModelStore, KeepsEveryByteAndColourAndShowsThemAsLatin1) {
    CColorLineModel model;
    EXPECT_EQ(model.AddLine("", kBlack), 0);
    CTraceRecord::AppendTo(model, "A0F2000016", "9000");
    const QByteArray bytes("caf\xE9\0\xFF", 6);
    EXPECT_EQ(model.AddLine(std::string_view(bytes.data(), bytes.size()), kRed), 4);
    EXPECT_EQ(Read(model, 2, 3),
              (Lines{{"Header=A0F2000016", kBlue}, {"SW=9000", kRed}, {bytes, kRed}}));
    EXPECT_EQ(model.LineText(5), QByteArray());  // past the end
    model.Flush();
    EXPECT_EQ(model.data(model.index(4), Qt::DisplayRole).toString().toLatin1(), bytes);
    EXPECT_EQ(model.data(model.index(4), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
}

TEST(ColorLineModelStore, EveryDistinctColourComesBackEvenBeyondThePalette) {
    CColorLineModel model;
    const auto colour = [](std::uint32_t n) { return n * 0x010203u & 0xFFFFFFu; };
    for (std::uint32_t n = 0; n < 600; ++n) model.AddLine("x", colour(n));
    model.AddLine("again", colour(1));  // an early colour, after the palette filled up
    for (std::uint32_t n = 0; n < 600; ++n) ASSERT_EQ(model.LineColour(n), colour(n)) << n;
    EXPECT_EQ(model.LineColour(600), colour(1));
}

// Views learn of new lines in one insertion per turn, or at once on Flush and Count.
TEST(ColorLineModelBatching, AnnouncesEachTurnsLinesOnceAndClearLeavesNoStaleRows) {
    CColorLineModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    for (int n = 0; n < 250; ++n) CTraceRecord::AppendTo(model, "A0B2010400", "9000");
    EXPECT_EQ(model.rowCount(), 0);
    // One turn of the event loop, as the main window's loop runs between handlers.
    QCoreApplication::processEvents();
    model.AddLine("flushed", kBlack);
    model.Flush();
    model.AddLine("counted", kBlack);
    EXPECT_EQ(model.Count(), 752);
    QCoreApplication::processEvents();  // finds nothing left to announce
    ASSERT_EQ(inserted.count(), 3);
    EXPECT_EQ(inserted[0].mid(1), (QVariantList{0, 749}));
    EXPECT_EQ(inserted[2].mid(1), (QVariantList{751, 751}));

    model.AddLine("pending", kRed);
    model.Clear();
    const int insertedAtClear = inserted.count();
    QCoreApplication::processEvents();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(inserted.count(), insertedAtClear);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.AddLine("fresh", kBlue), 0);
    EXPECT_EQ(Read(model, 0, 1), (Lines{{"fresh", kBlue}}));
}

TEST(ColorLineModelSave, ReplacesTheFileWithEveryLineAndCrLfByteForByte) {
    const CTempDir dir;
    const QString path = QString::fromStdString(dir.File("trace.log"));
    const auto readAll = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
    };
    CColorLineModel model;
    CTraceRecord::AppendTo(model, "A0A40000023F00", "9F16");
    model.Flush();
    model.AddLine("caf\xE9 \xFF", 0x123456);  // still pending
    model.AddLine("", 0);
    QString error;
    ASSERT_TRUE(model.SaveTo(path, &error)) << error.toStdString();
    EXPECT_EQ(readAll(), QByteArray(60, '-') +
                             "\r\nHeader=A0A4000002\r\nDataIn=3F00\r\nSW=9F16\r\n"
                             "caf\xE9 \xFF\r\n\r\n");
    model.Clear();
    ASSERT_TRUE(model.SaveTo(path, nullptr));
    EXPECT_EQ(readAll(), QByteArray());

    // Cut short by a file size limit while still inside Qt's write buffer, as by a full
    // disk: the old file stays whole.
    for (int n = 0; n < 100; ++n)
        CTraceRecord::AppendTo(model, "A0B0000010", std::string(32, 'C') + "9000");
    const CFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.IsActive());
    EXPECT_FALSE(model.SaveTo(path, nullptr));
    EXPECT_EQ(readAll(), QByteArray());
}
