// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemListModel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<int>;

// A script of rows whose commands name their first position ("A", "B", ...), each with
// a status word, numbered "x" so that a test sees which rows were renumbered.
class ItemListModelTest : public ::testing::Test {
protected:
    ItemListModelTest() { m_model.SetColumns("Item,40;Break,75;Command,150;SW,75;Data,140"); }
    void Fill(int rows) {
        m_model.DeleteAllRows();
        for (int row = 0; row < rows; ++row)
            m_model.InsertRowTexts(row, {"x", "", std::string(1, char('A' + row)), "9000"});
    }
    // One character of the column per row: "ABC" for commands A, B, C; "-" for empty.
    std::string Column(int column) const {
        std::string texts;
        for (int row = 0; row < m_model.RowCount(); ++row) {
            const std::string& text = m_model.CellText(row, column);
            texts += text.empty() ? std::string("-") : text.substr(text.size() - 1);
        }
        return texts;
    }

    CItemListModel m_model;
};

}  // namespace

TEST(ItemListModelColumns, TakesNamesAndTheLeadingDigitsOfEachWidth) {
    CItemListModel model;
    model.SetColumns("A,12px;B,;Cee,x5;NoComma");
    ASSERT_EQ(model.ColumnCount(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Cee");
    EXPECT_EQ((Rows{model.SpecifiedWidth(0), model.SpecifiedWidth(1), model.SpecifiedWidth(2)}),
              (Rows{12, 0, 0}));
}

TEST_F(ItemListModelTest, NumbersWithTheDigitCountOfTheFormatRowCount) {
    struct SCase {
        int nRows, nFormatCount;
        const char *pszFirst, *pszLast;
    };
    const SCase cases[] = {
        {9, 9, "1", "9"},   {50, 50, "01", "50"},         {3, 0, "1", "3"},
        {12, 9, "1", "12"}, {1200, 1200, "0001", "1200"}, {2, 100000, "000001", "000002"}};
    for (const SCase& c : cases) {
        Fill(c.nRows);
        m_model.SetNumberFormat(c.nFormatCount);
        m_model.RenumberAll();
        EXPECT_EQ(m_model.CellText(0, 0), c.pszFirst) << c.nRows;
        EXPECT_EQ(m_model.CellText(c.nRows - 1, 0), c.pszLast) << c.nRows;
    }
}

TEST_F(ItemListModelTest, CutClearsRowsInPlaceAndPasteOverwritesDownToTheLastRow) {
    Fill(5);
    m_model.PasteClipboard(0);  // nothing copied yet
    m_model.CutSelection({1, 2});
    EXPECT_EQ(Column(2), "A--DE");
    EXPECT_EQ(Column(0), "x23xx");
    EXPECT_TRUE(m_model.IsRowEmpty(1));
    EXPECT_FALSE(m_model.IsRowEmpty(0));
    m_model.PasteClipboard(3);  // C would fall past the last row
    EXPECT_EQ(Column(2), "A--BC");
    m_model.PasteClipboard(4);
    m_model.PasteClipboard(-1);  // no focused row
    EXPECT_EQ(Column(2), "A--BB");
    EXPECT_EQ(Column(3), "0--00");
    EXPECT_EQ(Column(0), "x2345");
}

// Delete leaves selected the row that took the focused row's place (or the last row);
// Insert adds an empty row at the focused row and makes it the one selected, focused row.
TEST_F(ItemListModelTest, DeleteAndInsertAtTheSelectionLeaveOneFocusedSelectedRow) {
    struct SCase {
        bool bInsert;
        SRowSelection before, after;
        const char* pszAfter;
    };
    const SCase cases[] = {
        {false, {{1, 2}, 2}, {{1}, 1}, "ADE"},   {false, {{1, 3}, 0}, {{0}, 0}, "ACE"},
        {false, {{3, 4}, 4}, {{2}, 2}, "ABC"},   {false, {{0, 1, 2, 3, 4}, 2}, {{}, -1}, ""},
        {false, {{}, 2}, {{2}, 2}, "ABCDE"},     {false, {{2}, -1}, {{}, -1}, "ABDE"},
        {true, {{1, 2}, 0}, {{0}, 0}, "-ABCDE"}, {true, {{4}, 4}, {{4}, 4}, "ABCD-E"},
        {true, {{2}, -1}, {{2}, -1}, "ABCDE"},
    };
    for (const SCase& c : cases) {
        Fill(5);
        const SRowSelection after =
            c.bInsert ? m_model.InsertAtFocus(c.before) : m_model.DeleteSelection(c.before);
        EXPECT_EQ(Column(2), c.pszAfter);
        EXPECT_EQ(after.aRows, c.after.aRows) << c.pszAfter;
        EXPECT_EQ(after.nFocus, c.after.nFocus) << c.pszAfter;
    }
}

TEST_F(ItemListModelTest, DroppedRowsLandInOrderAboveTheDropRowOrNothingMoves) {
    struct SCase {
        Rows selected, moved;
        int nDrop;
        const char *pszOrder, *pszNumbers;
    };
    const SCase cases[] = {
        {{1, 3}, {3, 4}, 5, "ACEBDFG", "x2345xx"}, {{4, 6}, {1, 2}, 1, "AEGBCDF", "x234567"},
        {{0}, {5}, 6, "BCDEFAG", "123456x"},       {{2, 3}, {1, 2}, 1, "ACDBEFG", "x234xxx"},
        {{1, 3}, {}, 3, "ABCDEFG", "xxxxxxx"},  // onto a selected row
        {{2}, {}, 2, "ABCDEFG", "xxxxxxx"},     // onto itself
        {{2}, {}, -1, "ABCDEFG", "xxxxxxx"},    // over no row
    };
    for (const SCase& c : cases) {
        Fill(7);
        const SRowSelection moved = m_model.MoveRows(c.selected, c.nDrop);
        EXPECT_EQ(Column(2), c.pszOrder);
        EXPECT_EQ(Column(0), c.pszNumbers) << c.pszOrder;
        EXPECT_EQ(Column(3), "0000000") << c.pszOrder;  // whole rows move
        EXPECT_EQ(moved.aRows, c.moved) << c.pszOrder;
        EXPECT_EQ(moved.nFocus, c.moved.empty() ? -1 : c.moved.back()) << c.pszOrder;
    }
}

// A run's quiet writes reach the views in one announcement per frame.
TEST_F(ItemListModelTest, BulkChangesSignalOnceAndARowsResultsOnlyThatRow) {
    QSignalSpy inserted(&m_model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    m_model.InsertRows(0, 1000);
    m_model.RenumberAll();
    EXPECT_TRUE(m_model.SetCellTexts(7, 3, {"6A82", ""}));
    EXPECT_FALSE(m_model.SetCellTexts(7, 4, {"too", "many"}));
    EXPECT_EQ(inserted.count(), 1);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed[0][1].toModelIndex(), m_model.index(999, 0));
    EXPECT_EQ(changed[1][0].toModelIndex(), m_model.index(7, 3));
    EXPECT_EQ(changed[1][1].toModelIndex(), m_model.index(7, 4));

    // Quiet writes, then one announcement clamped to the rows and columns there are.
    EXPECT_TRUE(m_model.WriteCellTexts(8, 3, {"9000", "01"}));
    EXPECT_TRUE(m_model.WriteCellTexts(998, 3, {"9000", "02"}));
    EXPECT_FALSE(m_model.WriteCellTexts(1000, 3, {"9000"}));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(m_model.CellText(998, 4), "02");
    m_model.CellsChanged(8, 1000, 3, 5);
    m_model.CellsChanged(1000, 1001, 3, 4);  // beyond the last row: nothing
    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed[2][0].toModelIndex(), m_model.index(8, 3));
    EXPECT_EQ(changed[2][1].toModelIndex(), m_model.index(999, 4));
}
