// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageDialog.h"

#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

// Page 0: the reader of the next connection, the language and the application name shown
// as the main window's title. Apply hands the values to the main window (command 1057)
// and stores them; the page stores them once more when it goes.
class CSettingsPage : public CPageDialog {
    Q_OBJECT

public:
    explicit CSettingsPage(QWidget* pParent = nullptr);
    ~CSettingsPage() override;

    QComboBox* ReaderCombo() const { return m_pReaderCombo; }
    QComboBox* LanguageCombo() const { return m_pLanguageCombo; }
    const std::string& AppName() const { return m_strAppName; }
    void SetAppName(const std::string& strAppName) { m_strAppName = strAppName; }
    bool IsModified() const { return m_bModified; }

    // Fields <-> controls.
    void DoDataExchange(bool bSaveAndValidate) override;
    // False when the profile could not be written.
    bool SaveSettings();
    // Enables Apply exactly when something changed since the last Apply.
    void UpdateCommandStates();

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    QWidget* CreateControl(const SDialogControl& control) override;
    bool OnInitDialog() override;
    void OnCommand(int nId) override;
    QString OnSaveForNextRun() override;

private:
    void OnChange();
    void OnApply();

    QComboBox* m_pLanguageCombo = nullptr;
    QComboBox* m_pReaderCombo = nullptr;
    std::string m_strAppName;
    bool m_bModified = false;
    QLineEdit* m_pAppNameEdit = nullptr;
    QPushButton* m_pApplyButton = nullptr;
};
