// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "DialNumber.h"
#include "ExplorerWindow.h"
#include "PrivatePcscd.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// The explorer as a user reaches it, through the Tools menu, on the virtual card in a
// private pcscd: every APDU goes through the connection, so the trace holds them all.
class ExplorerCard : public CShellFixture {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        CShellFixture::SetUp();
        CProfile::WriteString("Settings", "Reader", m_pcscd.ReaderName());
    }

    CExplorerWindow& OpenExplorer(CMainDlg& dlg) {
        dlg.Action(ID_CARD_CONNECT)->trigger();
        ExpectConnection(dlg, true, "Connection created !");
        dlg.Action(ID_TOOLS_EXPLORE)->trigger();
        CExplorerWindow& explorer = dlg.Explorer();
        EXPECT_TRUE(explorer.isVisible());
        return explorer;
    }

    static QPushButton* ReadButton(CExplorerWindow& explorer) {
        for (QPushButton* pButton : explorer.findChildren<QPushButton*>()) {
            if (pButton->text() == "&Read Whole Card") return pButton;
        }
        return nullptr;
    }

    CPrivatePcscd m_pcscd;
};

TEST_F(ExplorerCard, ReadsTheWholeCardWritesAnEntryAndCountsAWrongCode) {
    CMainDlg& dlg = StartMainWindow();
    CExplorerWindow& explorer = OpenExplorer(dlg);
    const int traced = dlg.TracePage().List()->Model()->Count();

    EXPECT_FALSE(explorer.RunCodeCommand("Verify", CCodeCommand::Code::Chv1, "9999", {}));
    EXPECT_TRUE(explorer.CodeStateText().contains("CHV1: 2 attempts left")) << explorer.CodeStateText().toStdString();
    ASSERT_FALSE(m_dialogs.m_messages.empty());
    EXPECT_TRUE(m_dialogs.m_messages.back().strText.startsWith("Verify CHV1 refused. SW=9804: "));
    // Typed masked, the code stays masked in the trace.
    RunUntilIdle();
    CColorLineModel* pTrace = dlg.TracePage().List()->Model();
    QByteArray lines;
    for (int i = traced; i < pTrace->Count(); ++i) lines += pTrace->LineText(i) + "\n";
    EXPECT_TRUE(lines.contains("Header=A020000108\nDataIn=****************\n")) << lines.toStdString();
    EXPECT_FALSE(lines.contains("39393939"));
    ASSERT_TRUE(explorer.RunCodeCommand("Verify", CCodeCommand::Code::Chv1, "1234", {}));
    EXPECT_TRUE(explorer.CodeStateText().contains("CHV1: 3 attempts left"));

    explorer.ReadWholeCard();
    ASSERT_TRUE(explorer.IsReading());
    ASSERT_TRUE(QTest::qWaitFor([&explorer] { return !explorer.IsReading(); }, 30000));
    EXPECT_TRUE(explorer.StateLabel()->text().startsWith("Card read")) << explorer.StateLabel()->text().toStdString();
    EXPECT_TRUE(explorer.Dump().m_bComplete);
    ASSERT_NE(explorer.Dump().Find("3F00\\7F20\\6F07"), nullptr);
    EXPECT_TRUE(explorer.Dump().Find("3F00\\7F20\\6F07")->IsRead());
    EXPECT_EQ(explorer.Progress()->value(), explorer.Progress()->maximum());
    EXPECT_EQ(explorer.Tree()->findItems("EF IMSI 001010123456789", Qt::MatchRecursive).size(), 1);
    EXPECT_EQ(explorer.Tree()->findItems("EF ADN 7 of 10 used", Qt::MatchRecursive).size(), 1);
    EXPECT_GE(dlg.TracePage().List()->Model()->Count() - traced, static_cast<int>(explorer.Dump().LeastApdus()));

    // ADN record 1 gets a new name; Write shows its APDUs, the fake user says yes.
    ASSERT_TRUE(explorer.SelectPath("3F00\\7F10\\6F3A"));
    explorer.ValueEdit(0)->setText("Carol Card");
    explorer.ValueEdit(1)->setText("+15550100");
    ASSERT_TRUE(explorer.EncodeValues());
    m_dialogs.m_messages.clear();
    m_dialogs.m_buttonAnswers = {QMessageBox::Yes};
    explorer.OnWrite();
    ASSERT_FALSE(m_dialogs.m_messages.empty());
    EXPECT_TRUE(m_dialogs.m_messages.front().strText.startsWith("These APDUs will be sent:"));
    ASSERT_TRUE(QTest::qWaitFor([&explorer] { return !explorer.IsReading(); }, 10000));
    EXPECT_EQ(explorer.StateLabel()->text(), "Written and read back: the card holds what was written.");
    const CDumpedFile* pAdn = explorer.Dump().Find("3F00\\7F10\\6F3A");
    ASSERT_TRUE(pAdn && !pAdn->m_records.empty());
    const CBytes& record = pAdn->m_records[0];
    const std::optional<CDialNumber> entry =
        ParseDialNumber({reinterpret_cast<const char*>(record.data()), record.size()});
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->m_strAlpha, "Carol Card");
    EXPECT_EQ(entry->m_strNumber, "+15550100");
    DestroyMainWindow();
}

// Pulled mid-read, the card stops the read with a message, what was read stays, and the
// explorer offers no new read until a card is back.
TEST_F(ExplorerCard, ACardPulledMidReadStopsTheReadAndKeepsWhatWasRead) {
    CMainDlg& dlg = StartMainWindow();
    CExplorerWindow& explorer = OpenExplorer(dlg);
    explorer.ReadWholeCard();
    ASSERT_TRUE(QTest::qWaitFor([&explorer] { return explorer.Progress()->value() >= 3; }, 30000));
    ASSERT_TRUE(explorer.IsReading());
    ASSERT_TRUE(m_pcscd.StopCard(true));
    ASSERT_TRUE(QTest::qWaitFor([&explorer] { return !explorer.IsReading(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.IsRedLightOn(); }, 10000));
    const QString state = explorer.StateLabel()->text();
    EXPECT_TRUE(state.startsWith("The card was removed") || state.startsWith("The read stopped at"))
        << state.toStdString();
    EXPECT_GE(explorer.Dump().m_files.size(), 3u);
    EXPECT_FALSE(explorer.Dump().m_bComplete);
    ASSERT_NE(ReadButton(explorer), nullptr);
    EXPECT_FALSE(ReadButton(explorer)->isEnabled());
    DestroyMainWindow();
}

}  // namespace
