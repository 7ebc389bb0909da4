#include "ItemListCtrl.h"
#include "ItemListModel.h"
#include "ResizableDialog.h"
#include "ResourceIds.h"

#include <QHeaderView>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// Each test runs in its own process with an empty profile.
namespace {

constexpr const char* kScriptColumns =
    "Item,40;BreakPoint,75;Command,150;StatusWord,75;DataOut,140";
constexpr int kScriptList = 1048;

// Whether anything but the background is drawn where the empty-view message goes.
bool ShowsMessage(CItemListCtrl& list) {
    const QImage image = list.viewport()->grab().toImage();
    const QColor background = list.palette().color(QPalette::Base);
    const int bottom = 10 + list.fontMetrics().height();
    for (int y = 10; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background) return true;
    return false;
}

// A script list as the page makes it: id 1048, its columns, the stored widths.
std::unique_ptr<CItemListCtrl> MakeList(CResizableDialog& owner, const char* pszColumns) {
    auto pList = std::make_unique<CItemListCtrl>();
    owner.SetControlId(pList.get(), kScriptList);
    pList->SetColumns(pszColumns);
    pList->LoadColumnWidths();
    return pList;
}

std::vector<int> Widths(const CItemListCtrl& list) {
    std::vector<int> widths;
    for (int column = 0; column < list.header()->count(); ++column)
        widths.push_back(list.header()->sectionSize(column));
    return widths;
}

}  // namespace

TEST(ItemListCtrl, AnEmptyListShowsItsMessageUnlessDisarmedByFillingIt) {
    CItemListCtrl list;
    list.SetColumns(kScriptColumns);
    list.resize(480, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_TRUE(ShowsMessage(list));

    // The first row wipes the message at once and re-arms it; later rows leave it
    // unarmed, so emptying the list paints one blank view before the message comes back.
    list.Model()->InsertRow(0);
    list.Model()->DeleteAllRows();
    EXPECT_TRUE(ShowsMessage(list));
    list.Model()->InsertRow(0);
    list.Model()->InsertRow(1);
    list.Model()->DeleteAllRows();
    EXPECT_FALSE(ShowsMessage(list));
    EXPECT_TRUE(ShowsMessage(list));

    list.Model()->InsertRows(0, 2);
    list.Model()->InsertRow(2);
    list.Model()->DeleteAllRows();
    list.SetEmptyTextArmed(true);  // what the owner does when its Delete empties the list
    EXPECT_TRUE(ShowsMessage(list));
}

TEST(ItemListCtrl, ColumnWidthsComeBackAfterARestartUnlessTheColumnsChanged) {
    CResizableDialog owner(IDD_SCRIPT_PAGE);
    {
        const auto pList = MakeList(owner, kScriptColumns);
        EXPECT_EQ(Widths(*pList), (std::vector<int>{40, 75, 150, 75, 140}));
        pList->header()->resizeSection(2, 222);
        pList->SaveColumnWidths();
    }
    EXPECT_EQ(Widths(*MakeList(owner, kScriptColumns)), (std::vector<int>{40, 75, 222, 75, 140}));
    EXPECT_EQ(Widths(*MakeList(owner, "Item,40;Command,150;StatusWord,75;DataOut,140")),
              (std::vector<int>{40, 150, 75, 140}));
}
