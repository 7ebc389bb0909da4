#pragma once

#include "CommandIniLocation.h"
#include "FilePage.h"
#include "PrivatePcscd.h"
#include "ShellFixture.h"
#include "TempDir.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class CHexEdit;

// The main window on the File page, connected to the virtual card in its reader.
class CFilePageFixture : public CShellFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the main window on the File page with its window active, and connects.
    CFilePage& StartOnFilePage(bool bConnect = true);

    CFilePage& Page() const;
    CHexEdit* Edit(int nId) const;
    QString LabelText(int nId) const;
    QString PathText() const;
    QStringList History() const;
    int TraceCount() const;
    QStringList TraceLines(int nFrom) const;

    // Types the path into the path box and presses Enter there.
    void EnterPath(const QString& strPath);
    // Replaces the text of a field as the user types it.
    void Type(int nId, const QString& strText);
    void Click(int nId);
    // Sends one APDU straight through the reader; returns the answer.
    static std::string Exchange(const std::string& strCommand);

    CPrivatePcscd m_pcscd;
    // The Command page keeps its file here, never beside the test program.
    CTempDir m_iniDir{"corvanta-ini"};
    std::unique_ptr<CCommandIniLocation> m_pIniLocation;
};
