// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareWindow.h"
#include "DialogService.h"
#include "ExplorerWindow.h"
#include "HexView.h"
#include "TempDir.h"
#include "TestEnvironment.h"
#include "WalkFixture.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <sstream>

namespace {

// Says yes to every question and gives the queued file names; records every message.
class CAnsweringService : public CDialogService {
public:
    QMessageBox::StandardButton MessageBox(QWidget*, const QString& strText, const QString&,
                                           QMessageBox::Icon icon, QMessageBox::StandardButtons) override {
        m_messages << strText;
        return icon == QMessageBox::Question || icon == QMessageBox::Warning ? QMessageBox::Yes : QMessageBox::Ok;
    }
    QString GetSaveFileName(QWidget*, const SFileDialog&) override { return Next(); }
    QString GetOpenFileName(QWidget*, const SFileDialog&) override { return Next(); }
    int ExecModal(QDialog& dialog) override { return m_answerModal ? m_answerModal(dialog) : QDialog::Rejected; }

    QString Next() {
        if (m_files.empty()) return {};
        QString name = m_files.front();
        m_files.pop_front();
        return name;
    }

    QStringList m_messages;
    std::deque<QString> m_files;
    std::function<int(QDialog&)> m_answerModal;
};

std::string DefaultProfile() {
    std::ifstream in(CORVANTA_DEFAULT_PROFILE);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ExplorerWindowTest : public ::testing::Test {
protected:
    void SetUp() override { CDialogService::SetInstance(&m_service); }
    void TearDown() override { CDialogService::SetInstance(nullptr); }

    void ReadWholeCard() {
        m_window.ReadWholeCard();
        ASSERT_TRUE(m_window.IsReading());
        QTRY_VERIFY_WITH_TIMEOUT(!m_window.IsReading(), 20000);
    }
    QTreeWidgetItem* Item(const QString& label) {
        const auto found = m_window.Tree()->findItems(label, Qt::MatchStartsWith | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    QPushButton* Button(const QString& text) {
        for (QPushButton* pButton : m_window.findChildren<QPushButton*>()) {
            if (pButton->text() == text || pButton->objectName() == text) return pButton;
        }
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }
    void VerifyChv1() { ASSERT_TRUE(m_window.RunCodeCommand("Verify", CCodeCommand::Code::Chv1, "1234", {})); }

    CAnsweringService m_service;
    CInProcessCard m_card{DefaultProfile()};
    CExplorerWindow m_window{m_card.Exchange()};
};

TEST_F(ExplorerWindowTest, AFieldHighlightsItsBytesAndAClickedByteSelectsItsField) {
    m_window.ExploreCard();
    VerifyChv1();
    ASSERT_TRUE(m_window.SelectPath("3F00\\7F20\\6F07"));  // read when opened
    QTRY_VERIFY_WITH_TIMEOUT(!m_window.IsReading(), 10000);
    QTableWidget* pFields = m_window.FieldTable();
    ASSERT_GT(pFields->rowCount(), 1);
    pFields->selectRow(1);  // the IMSI: bytes 2 to 9
    const QList<QTextEdit::ExtraSelection> marked = m_window.HexView()->extraSelections();
    EXPECT_EQ(marked.size(), 8);
    EXPECT_EQ(marked.first().cursor.selectedText(), "09");
    EXPECT_TRUE(m_window.HeaderText()->toPlainText().contains("READ: CHV1, verified"));

    // The first byte of the file, the length, belongs to the first field.
    CHexView* pHex = m_window.HexView();
    QTextCursor cursor(pHex->document()->findBlockByNumber(0));
    cursor.setPosition(6);
    QTest::mouseClick(pHex->viewport(), Qt::LeftButton, {}, pHex->cursorRect(cursor).center() + QPoint(2, 0));
    EXPECT_EQ(pFields->currentRow(), 0);
}

// Encode shows the typed values' bytes; Write encodes them itself when Encode was not
// pressed. The SPN wants ADM, so the card refuses, with its status word explained.
TEST_F(ExplorerWindowTest, TypedValuesAreEncodedAndARefusedWriteIsExplained) {
    m_window.ExploreCard();
    VerifyChv1();
    ASSERT_TRUE(m_window.SelectPath("3F00\\7F10\\6F3A"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_window.IsReading(), 10000);
    EXPECT_EQ(m_window.ValueEdit(0)->text(), "Alice Example");
    m_window.ValueEdit(0)->setText("Zoë");
    QTest::mouseClick(Button("&Encode"), Qt::LeftButton);
    EXPECT_TRUE(m_window.EditBytes()->text().startsWith("8103015A6FEB")) << m_window.EditBytes()->text().toStdString();

    ASSERT_TRUE(m_window.SelectPath("3F00\\7F20\\6F46"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_window.IsReading(), 10000);
    QLineEdit* pName = m_window.ValueEdit(0);
    EXPECT_EQ(pName->text(), "Fictel Mobile");
    pName->selectAll();
    QTest::keyClicks(pName, "Zed");
    m_window.OnWrite();
    ASSERT_EQ(m_service.m_messages.size(), 2);
    EXPECT_TRUE(m_service.m_messages[0].contains("A0D600010D5A6564FFFF")) << m_service.m_messages[0].toStdString();
    EXPECT_TRUE(m_service.m_messages[1].startsWith("The card refused the write. SW=9804: "))
        << m_service.m_messages[1].toStdString();
}

TEST_F(ExplorerWindowTest, AWrongCodeCostsOneAttemptAndTheLastOneAsksTwice) {
    m_window.ExploreCard();
    EXPECT_FALSE(m_window.RunCodeCommand("Verify", CCodeCommand::Code::Chv1, "9999", {}));
    EXPECT_TRUE(m_window.CodeStateText().contains("CHV1: 2 attempts left")) << m_window.CodeStateText().toStdString();
    EXPECT_FALSE(m_window.RunCodeCommand("Verify", CCodeCommand::Code::Chv1, "9999", {}));
    // One attempt left: the button's dialog shows it and a second question comes before the try.
    int asked = 0;
    m_service.m_answerModal = [&asked](QDialog& dialog) {
        ++asked;
        EXPECT_NE(dialog.findChild<QLabel*>()->text().indexOf("Attempts left: 1"), -1);
        dialog.findChild<QLineEdit*>()->setText("1234");
        return int(QDialog::Accepted);
    };
    m_service.m_messages.clear();
    QTest::mouseClick(Button("Verify"), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    ASSERT_FALSE(m_service.m_messages.isEmpty());
    EXPECT_TRUE(m_service.m_messages.first().startsWith("This is the last attempt"));
    EXPECT_EQ(m_window.CodeStates().m_verified.count("CHV1"), 1u);
    EXPECT_TRUE(m_window.CodeStateText().contains("CHV1: 3 attempts left"));
}

TEST_F(ExplorerWindowTest, ACardPulledMidReadStopsTheReadAndKeepsWhatWasRead) {
    m_window.ExploreCard();
    m_card.PullAfter(20);
    m_window.ReadWholeCard();
    QTRY_VERIFY_WITH_TIMEOUT(!m_window.IsReading(), 10000);
    EXPECT_TRUE(m_window.StateLabel()->text().startsWith("The read stopped at")) << m_window.StateLabel()->text().toStdString();
    EXPECT_FALSE(m_window.Dump().m_files.empty());

    // The card watch says the card left: a read in progress stops at once.
    CInProcessCard other{DefaultProfile()};
    CExplorerWindow window(other.Exchange());
    window.ExploreCard();
    window.ReadWholeCard();
    window.SetCardPresent(false);
    EXPECT_FALSE(window.IsReading());
    EXPECT_FALSE(window.Dump().m_bComplete);
    EXPECT_TRUE(window.StateLabel()->text().startsWith("The card was removed"));
}

TEST_F(ExplorerWindowTest, SavedDumpsOpenWithoutACardAndCompareFieldByField) {
    m_window.ExploreCard();
    VerifyChv1();
    ReadWholeCard();
    CTempDir dir("corvanta-explorer");
    const QString first = QString::fromStdString(dir.Path()) + "/first.json";
    m_service.m_files = {first};
    m_window.OnSaveDump();
    ASSERT_TRUE(QFile::exists(first));

    CExplorerWindow offline([](const std::string&, std::string&) -> long {
        ADD_FAILURE() << "a dump needs no card";
        return 1;
    });
    ASSERT_TRUE(offline.OpenDump(first));
    EXPECT_FALSE(offline.IsLive());
    EXPECT_EQ(offline.Tree()->findItems("EF IMSI 001010123456789", Qt::MatchRecursive).size(), 1);

    CCardDump changed = m_window.Dump();
    CDumpedFile* pSpn = changed.Find("3F00\\7F20\\6F46");
    ASSERT_NE(pSpn, nullptr);
    pSpn->m_contents[1] = 'X';
    CCompareWindow compare(m_window.Dump(), "card", changed, "changed");
    EXPECT_EQ(compare.DifferenceCount(), 1);
    compare.show();
    compare.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&compare));
    QTest::keyClick(&compare, Qt::Key_F3);
    ASSERT_NE(compare.Tree()->currentItem(), nullptr);
    EXPECT_EQ(compare.Tree()->currentItem()->parent()->text(0), "EF SPN");
}

}  // namespace

int main(int argc, char** argv) {
    UseFreshProfile();
    UseNoPcscd();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
