#include "HexCombo.h"
#include "PageFixture.h"
#include "ResourceIds.h"

#include <QTest>

// Connected, then the PC/SC service goes away: the pages show no data and a bare status
// word, and nothing of a failed answer is ever sent back to the card.
namespace {

using ServiceStopped = CPageFixture;

TEST_F(ServiceStopped, FileReadShowsNothingAndAnUpdateRightAfterSendsNothingOfIt) {
    StartOnFilePage();
    EnterPath("3F00\\2FE2");
    Type(IDC_LENGTH, "2");
    ASSERT_TRUE(m_pcscd.StopDaemon());
    const int before = TraceCount();
    Click(IDC_READ);
    EXPECT_EQ(TraceLines(before).mid(1), QStringList({"Header=A0B0000002", "SW="}));
    EXPECT_EQ(Edit(IDC_FILE_DATA)->text(), "");
    EXPECT_EQ(LabelText(IDC_FILE_STATUS_WORD), "SW=");

    // Nothing of the failed read is left in the data field to be sent.
    const int update = TraceCount();
    Click(IDC_UPDATE);
    EXPECT_EQ(TraceLines(update).mid(1), QStringList({"Header=A0D6000002", "SW="}));
}

TEST_F(ServiceStopped, CommandSendShowsNoDataAndNoStatusWord) {
    CCommandPage& page = StartOnCommandPage();
    Connect();
    page.ClaInsCombo()->HexEdit()->setFocus();
    QTest::keyClicks(page.ClaInsCombo()->HexEdit(), "A0F2");
    Type(IDC_P3, "16");
    ASSERT_TRUE(m_pcscd.StopDaemon());
    const int before = TraceCount();
    Click(IDC_SEND);
    EXPECT_EQ(TraceLines(before).mid(1), QStringList({"Header=A0F2000016", "SW="}));
    EXPECT_EQ(Edit(IDC_COMMAND_DATA)->text(), "");
    EXPECT_EQ(Edit(IDC_STATUS_WORD)->text(), "");
}

}  // namespace
