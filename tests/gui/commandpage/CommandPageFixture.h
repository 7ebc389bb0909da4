#pragma once

#include "CommandIniLocation.h"
#include "CommandPage.h"
#include "PrivatePcscd.h"
#include "ShellFixture.h"
#include "TempDir.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CHexEdit;
class QRadioButton;

// The main window with the virtual card in its reader and a Command.INI of the test's own.
class CCommandPageFixture : public CShellFixture {
protected:
    // Presets in no particular order, a comment between them, and room for three
    // recent commands, one of them there already.
    static const QByteArray kIni;

    void SetUp() override;
    void TearDown() override;

    void WriteIni(const QByteArray& bytes);
    QByteArray ReadIni() const;
    // Starts the main window on the Command page with the focus in its window.
    CCommandPage& StartOnCommandPage();
    void Connect();

    CCommandPage& Page() const;
    CHexEdit* Edit(int nId) const;
    QRadioButton* Radio(int nId) const;
    QString ClaInsText() const;
    QStringList RecentEntries() const;
    int TraceCount() const;
    // The trace lines from line nFrom on.
    QStringList TraceLines(int nFrom) const;
    // Replaces the text of a field as the user types it.
    void Type(int nId, const QString& strText);

    CPrivatePcscd m_pcscd;
    CTempDir m_iniDir{"corvanta-ini"};
    std::unique_ptr<CCommandIniLocation> m_pLocation;
};
