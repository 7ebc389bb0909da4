// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FilePageLogic.h"
#include "PageDialog.h"

#include <string>

class CHexEdit;
class CPathCombo;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Page 2: a SIM file selected by its full path, its decoded description, and the reading
// and updating of its contents, by offset and length or by record number. Paths selected
// successfully are kept in the path box's history.
class CFilePage : public CPageDialog {
    Q_OBJECT

public:
    static constexpr const char* kHistorySection = "HistoryCombo";

    explicit CFilePage(QWidget* pParent = nullptr);
    ~CFilePage() override;

    // Fields <-> controls.
    void DoDataExchange(bool bSaveAndValidate) override;

    const CFilePageLogic& Logic() const { return m_logic; }
    CPathCombo* PathCombo() const { return m_pPathCombo; }
    QPlainTextEdit* PropertiesBox() const { return m_pProperties; }
    bool HasPathFocus() const;

    // Enter: selects the typed path, but only while the path box has the focus.
    void OnGo();
    void OnRead();
    void OnUpdate();
    // Shows the read and update controls that suit mode 0 (none), 1 (transparent) or 2
    // (record file).
    void ShowMode(FileMode eMode);

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    QWidget* CreateControl(const SDialogControl& control) override;
    bool OnInitDialog() override;
    // The Go button is never visible: Enter selects the typed path instead.
    void OnEnter() override { OnGo(); }
    void OnCommand(int nId) override;

private:
    void ShowPath(const std::string& strPath);

    CFilePageLogic m_logic;
    CPathCombo* m_pPathCombo = nullptr;
    QPlainTextEdit* m_pProperties = nullptr;
    CHexEdit* m_pDataEdit = nullptr;
    CHexEdit* m_pOffsetEdit = nullptr;
    CHexEdit* m_pLengthEdit = nullptr;
    CHexEdit* m_pRecordEdit = nullptr;
    QLabel* m_pStatusWordLabel = nullptr;
    QLabel* m_pRecordRangeLabel = nullptr;
};
