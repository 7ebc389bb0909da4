// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "CommandPage.h"
#include "FilePage.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "PathCombo.h"
#include "PrivatePcscd.h"
#include "ShellFixture.h"
#include "TempDir.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

// The main window on one page, the virtual card in its reader and the Command page's
// Command.INI in the test's own folder, never beside the test program.
class CPageFixture : public CShellFixture {
protected:
    // Presets in no particular order and three recent commands with room for a fourth.
    static const QByteArray kIni;

    void SetUp() override;
    void TearDown() override;

    QByteArray ReadIni() const;
    // Starts the main window on that page with the focus in its window.
    CResizableDialog& StartOnPage(int nPage);
    CCommandPage& StartOnCommandPage() { return static_cast<CCommandPage&>(StartOnPage(1)); }
    CFilePage& StartOnFilePage(bool bConnect = true);
    void Connect();

    CCommandPage& TheCommandPage() const { return static_cast<CCommandPage&>(m_pMainDlg->Page(1)); }
    CFilePage& TheFilePage() const { return static_cast<CFilePage&>(m_pMainDlg->Page(2)); }
    // Controls of the page shown.
    QWidget* Control(int nId) const { return m_pMainDlg->Page(m_nPage).GetDlgItem(nId); }
    CHexEdit* Edit(int nId) const { return static_cast<CHexEdit*>(Control(nId)); }
    QRadioButton* Radio(int nId) const { return static_cast<QRadioButton*>(Control(nId)); }
    QString LabelText(int nId) const { return static_cast<QLabel*>(Control(nId))->text(); }
    // Replaces the text of a field as the user types it.
    void Type(int nId, const QString& strText);
    void Click(int nId) { QTest::mouseClick(Control(nId), Qt::LeftButton); }

    QStringList RecentEntries() const;
    QString PathText() const { return TheFilePage().PathCombo()->currentText(); }
    QStringList History() const { return Items(TheFilePage().PathCombo()); }
    // Types the path into the path box, without what the history completes, and presses Enter.
    void EnterPath(const QString& strPath);

    int TraceCount() const { return m_pMainDlg->TracePage().List()->Model()->Count(); }
    // The trace lines from line nFrom on.
    QStringList TraceLines(int nFrom) const;
    // Sends one APDU straight through the reader; returns the answer.
    static std::string Exchange(const std::string& strCommand);

    CPrivatePcscd m_pcscd;
    CTempDir m_iniDir{"corvanta-ini"};
    int m_nPage = 0;
};
