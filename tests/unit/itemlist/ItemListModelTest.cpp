#include "ItemListModel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
constexpr const char* kScriptColumns =
    "Item,40;BreakPoint,75;Command,150;StatusWord,75;DataOut,140";
constexpr int kCommand = 2;

// A numbered script of rows whose commands name their first position: "A", "B", ...
class ItemListModelTest : public ::testing::Test {
protected:
    void Fill(int rows) {
        m_model.SetColumns(kScriptColumns);
        m_model.InsertRows(0, rows);
        for (int row = 0; row < rows; ++row)
            m_model.SetCellTexts(row, 1, {"", std::string(1, char('A' + row)), "9000", "00"});
        m_model.SetNumberFormat(rows);
        m_model.RenumberAll();
    }

    Texts Column(int column) const {
        Texts texts;
        for (int row = 0; row < m_model.RowCount(); ++row)
            texts.push_back(m_model.CellText(row, column));
        return texts;
    }
    Texts Commands() const { return Column(kCommand); }

    CItemListModel m_model;
};

}  // namespace

TEST(ItemListModelColumns, ParsesNamesAndLeadingDigitsOfWidths) {
    struct SCase {
        const char* pszSpec;
        Texts names;
        std::vector<int> widths;
    };
    const SCase cases[] = {
        {kScriptColumns,
         {"Item", "BreakPoint", "Command", "StatusWord", "DataOut"},
         {40, 75, 150, 75, 140}},
        {"", {}, {}},
        {"NoComma", {}, {}},
        {"A,12px;B,;C,x5", {"A", "B", "C"}, {12, 0, 0}},
        {"A,7;", {"A"}, {7}},
        {"A,99999999999999", {"A"}, {2147483647}},
    };
    for (const SCase& c : cases) {
        CItemListModel model;
        EXPECT_TRUE(model.SetColumns(c.pszSpec));
        Texts names;
        std::vector<int> widths;
        for (int column = 0; column < model.ColumnCount(); ++column) {
            names.push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
            widths.push_back(model.SpecifiedWidth(column));
        }
        EXPECT_EQ(names, c.names) << c.pszSpec;
        EXPECT_EQ(widths, c.widths) << c.pszSpec;
    }
}

TEST_F(ItemListModelTest, NumbersWithTheDigitCountOfTheFormatRowCount) {
    struct SCase {
        int nRows, nFormatCount;
        const char *pszFirst, *pszLast;
    };
    const SCase cases[] = {
        {9, 9, "1", "9"},   {50, 50, "01", "50"},         {3, 0, "1", "3"},
        {12, 9, "1", "12"}, {1200, 1200, "0001", "1200"}, {2, 100000, "000001", "000002"},
    };
    m_model.SetColumns(kScriptColumns);
    for (const SCase& c : cases) {
        m_model.DeleteAllRows();
        m_model.SetNumberFormat(c.nFormatCount);
        m_model.InsertRows(0, c.nRows);
        m_model.RenumberAll();
        EXPECT_EQ(m_model.CellText(0, 0), c.pszFirst) << c.nRows << " / " << c.nFormatCount;
        EXPECT_EQ(m_model.CellText(c.nRows - 1, 0), c.pszLast) << c.nRows;
    }
}

TEST_F(ItemListModelTest, CutClearsButKeepsRowsAndPasteOverwritesDownToTheLastRow) {
    Fill(5);
    m_model.CutSelection({1, 2});
    EXPECT_EQ(Commands(), (Texts{"A", "", "", "D", "E"}));
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(m_model.IsRowEmpty(1));
    EXPECT_FALSE(m_model.IsRowEmpty(0));

    m_model.PasteClipboard(3);  // the second entry would fall past the last row
    EXPECT_EQ(Commands(), (Texts{"A", "", "", "B", "C"}));
    m_model.PasteClipboard(4);
    EXPECT_EQ(Commands(), (Texts{"A", "", "", "B", "B"}));
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Column(3), (Texts{"9000", "", "", "9000", "9000"}));
    EXPECT_EQ(m_model.RowCount(), 5);

    m_model.PasteClipboard(-1);  // no focused row
    EXPECT_EQ(Commands(), (Texts{"A", "", "", "B", "B"}));
}

TEST_F(ItemListModelTest, PasteOfAnEmptyClipboardChangesNothing) {
    Fill(3);
    m_model.PasteClipboard(0);
    EXPECT_EQ(Commands(), (Texts{"A", "B", "C"}));
}

TEST_F(ItemListModelTest, DeleteSelectionSelectsTheRowThatTookTheFocus) {
    struct SCase {
        std::vector<int> selected;
        int nFocus;
        Texts left;
        int nNewFocus;
    };
    const SCase cases[] = {
        {{1, 2}, 2, {"A", "D", "E"}, 1},       {{1, 3}, 0, {"A", "C", "E"}, 0},
        {{3, 4}, 4, {"A", "B", "C"}, 2},       {{0, 1, 2, 3, 4}, 2, {}, -1},
        {{}, 2, {"A", "B", "C", "D", "E"}, 2}, {{2}, -1, {"A", "B", "D", "E"}, -1},
    };
    for (const SCase& c : cases) {
        m_model.DeleteAllRows();
        Fill(5);
        const SRowSelection after = m_model.DeleteSelection({c.selected, c.nFocus});
        EXPECT_EQ(Commands(), c.left) << c.nFocus;
        EXPECT_EQ(after.nFocus, c.nNewFocus) << c.nFocus;
        EXPECT_EQ(after.aRows,
                  c.nNewFocus < 0 ? std::vector<int>() : std::vector<int>{c.nNewFocus});
    }
}

TEST_F(ItemListModelTest, InsertAtFocusAddsOneEmptyCurrentRowThere) {
    Fill(4);
    const SRowSelection first = m_model.InsertAtFocus({{1, 2}, 0});
    EXPECT_EQ(Commands(), (Texts{"", "A", "B", "C", "D"}));
    EXPECT_EQ(first.aRows, std::vector<int>{0});
    EXPECT_EQ(first.nFocus, 0);
    EXPECT_EQ(m_model.InsertAtFocus({{3}, 3}).nFocus, 3);
    EXPECT_EQ(Commands(), (Texts{"", "A", "B", "", "C", "D"}));

    const SRowSelection none = m_model.InsertAtFocus({{2}, -1});
    EXPECT_EQ(m_model.RowCount(), 6);
    EXPECT_EQ(none.aRows, std::vector<int>{2});
}

TEST_F(ItemListModelTest, DroppedRowsLandInOrderAboveTheDropRowOrNothingMoves) {
    struct SCase {
        std::vector<int> selected;
        int nDrop;
        Texts order;
        std::vector<int> newSelection;
    };
    const SCase cases[] = {
        {{1, 3}, 5, {"A", "C", "E", "B", "D", "F", "G"}, {3, 4}},
        {{4, 6}, 1, {"A", "E", "G", "B", "C", "D", "F"}, {1, 2}},
        {{0}, 6, {"B", "C", "D", "E", "F", "A", "G"}, {5}},
        {{2, 3}, 1, {"A", "C", "D", "B", "E", "F", "G"}, {1, 2}},
        {{1, 3}, 3, {"A", "B", "C", "D", "E", "F", "G"}, {}},  // onto a selected row
        {{2}, 2, {"A", "B", "C", "D", "E", "F", "G"}, {}},     // onto itself
        {{2}, -1, {"A", "B", "C", "D", "E", "F", "G"}, {}},    // over no row
        {{2}, 7, {"A", "B", "C", "D", "E", "F", "G"}, {}},     // past the last row
    };
    for (const SCase& c : cases) {
        m_model.DeleteAllRows();
        Fill(7);
        const SRowSelection moved = m_model.MoveRows(c.selected, c.nDrop);
        EXPECT_EQ(Commands(), c.order) << c.nDrop;
        EXPECT_EQ(moved.aRows, c.newSelection) << c.nDrop;
        EXPECT_EQ(moved.nFocus, c.newSelection.empty() ? -1 : c.newSelection.back());
        EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4", "5", "6", "7"})) << c.nDrop;
        EXPECT_EQ(Column(3), Texts(7, "9000"));  // whole rows move
    }
}

TEST_F(ItemListModelTest, ADropRenumbersOnlyTheRowsItDisturbed) {
    Fill(7);
    m_model.SetCellText(0, 0, "x");
    m_model.SetCellText(6, 0, "x");
    m_model.MoveRows({1, 3}, 5);
    EXPECT_EQ(Column(0), (Texts{"x", "2", "3", "4", "5", "6", "x"}));
}

TEST_F(ItemListModelTest, BulkChangesSignalOncePerOperationAndRowResultsOnlyTheirRow) {
    m_model.SetColumns(kScriptColumns);
    QSignalSpy inserted(&m_model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    m_model.InsertRows(0, 1000);
    m_model.RenumberAll();
    EXPECT_EQ(inserted.count(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 999);

    changed.clear();
    EXPECT_TRUE(m_model.SetCellTexts(7, 3, {"6A82", ""}));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), m_model.index(7, 3));
    EXPECT_EQ(changed[0][1].toModelIndex(), m_model.index(7, 4));
    EXPECT_FALSE(m_model.SetCellTexts(7, 4, {"too", "many"}));
    EXPECT_FALSE(m_model.SetCellText(1000, 2, "A0"));
}

TEST_F(ItemListModelTest, TextsAreBytesShownAsLatin1) {
    m_model.SetColumns(kScriptColumns);
    m_model.InsertRowTexts(0, {"1", "*", "A0\xE9;x"});
    EXPECT_EQ(m_model.CellText(0, 2), "A0\xE9;x");
    EXPECT_EQ(m_model.data(m_model.index(0, 2)).toString(), QString::fromLatin1("A0\xE9;x"));
    EXPECT_EQ(m_model.CellText(0, 4), "");
}
