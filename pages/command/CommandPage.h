// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandIniLocation.h"
#include "CommandPageLogic.h"
#include "PageDialog.h"

#include <string>
#include <vector>

class CHexCombo;
class CHexEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Page 1: one APDU composed from CLA+INS, P1, P2, P3 and data, sent to the card, with the
// status word and response data shown back. Presets from Command.INI fill the header; the
// commands sent are remembered in the recent list, which Command.INI keeps between runs.
class CCommandPage : public CPageDialog {
    Q_OBJECT

public:
    explicit CCommandPage(QWidget* pParent = nullptr);
    ~CCommandPage() override;

    // Where pages created from now on keep Command.INI; null goes back to the folder of the
    // executable. Tests point it at a folder of their own.
    static void SetIniLocation(const CCommandIniLocation* pLocation);

    // Fields <-> controls.
    void DoDataExchange(bool bSaveAndValidate) override;

    CHexCombo* ClaInsCombo() const { return m_pClaInsCombo; }
    QListWidget* RecentList() const { return m_pRecentList; }
    bool IsRecentListFocused() const;

    void OnSend();
    void OnPresetSelected(int nIndex);
    void OnClaInsEdited(const QString& strText);
    void OnRecentSelected();
    void OnDeleteRecent();

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    QWidget* CreateControl(const SDialogControl& control) override;
    bool OnInitDialog() override;
    void OnEnter() override;
    QString OnSaveForNextRun() override;
    void OnCommand(int nId) override;

    // QObject
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    static CCommandIniLocation IniLocation();

    void FillPresets();
    void FillRecentList();
    void ShowClaIns(const std::string& strClaIns);
    void ShowMode(CommandMode eMode);
    CommandMode CheckedMode() const;

    CCommandPageLogic m_logic;
    bool m_bInitialised = false;
    std::vector<std::string> m_vLoadedRecent;
    CHexCombo* m_pClaInsCombo = nullptr;
    CHexEdit* m_pP1Edit = nullptr;
    CHexEdit* m_pP2Edit = nullptr;
    CHexEdit* m_pP3Edit = nullptr;
    CHexEdit* m_pDataEdit = nullptr;
    CHexEdit* m_pStatusWordEdit = nullptr;
    QRadioButton* m_pInRadio = nullptr;
    QRadioButton* m_pOutRadio = nullptr;
    QPushButton* m_pSendButton = nullptr;
    QListWidget* m_pRecentList = nullptr;
};
