#pragma once

#include "DragListCtrl.h"
#include "ItemListModel.h"
#include "ResourceIds.h"
#include "ScriptPage.h"
#include "ShellFixture.h"
#include "TempDir.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

// The main window on its Script page, a folder for script files, and dialogs answered
// as a user would answer them.
class CScriptPageFixture : public CShellFixture {
protected:
    CScriptPage& StartOnScriptPage() {
        CMainDlg& dlg = StartMainWindow();
        dlg.ShowPage(3);
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
        return Page();
    }
    CScriptPage& Page() const { return m_pMainDlg->ScriptPage(); }
    CDragListCtrl& List() const { return *Page().List(); }
    CItemListModel& Model() const { return *List().Model(); }

    QString Path(const std::string& name) const { return QString::fromStdString(m_dir.File(name)); }
    void WriteFile(const QString& path, const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Opens a script of these lines, saved under that name.
    void Load(const QByteArray& lines, const std::string& name = "loaded.scp") {
        WriteFile(Path(name), lines);
        ASSERT_TRUE(Page().OpenScript(Path(name)));
    }
    // One column of every row, e.g. "1|A0|*" rows joined by '|'.
    std::string Column(int column) const {
        std::string texts;
        for (int row = 0; row < Model().RowCount(); ++row)
            texts += (row == 0 ? "" : "|") + Model().CellText(row, column);
        return texts;
    }
    void Select(std::vector<int> rows, int focus) { List().SetSelection({std::move(rows), focus}); }

    // Each modal dialog: every text typed into its edit in turn, each followed by OK.
    void AnswerDialogs(const QStringList& typed) {
        m_dialogs.m_answerModal = [typed](QDialog& dialog) {
            for (const QString& text : typed) {
                auto* pEdit = dialog.findChild<QLineEdit*>();
                pEdit->clear();
                QTest::keyClicks(pEdit, text);
                static_cast<QPushButton*>(static_cast<CResizableDialog&>(dialog).GetDlgItem(IDOK))
                    ->click();
            }
            return dialog.result();
        };
    }

    CTempDir m_dir{"corvanta-script"};
};
