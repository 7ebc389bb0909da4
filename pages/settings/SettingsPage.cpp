// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsPage.h"

#include "ByteText.h"
#include "DialogService.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "UiText.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr CResizableDialog::SResizeMapEntry kResizeMap[] = {
    {IDC_READER_COMBO, CResizableDialog::kSizeX},
    {IDC_LANGUAGE_COMBO, CResizableDialog::kSizeX},
    {IDC_APP_NAME, CResizableDialog::kSizeX},
    {IDC_APPLY, CResizableDialog::kMoveX | CResizableDialog::kMoveY},
    {-1, 0},
};

std::string SelectedText(const QComboBox* pCombo) { return Bytes(pCombo->currentText()); }

}  // namespace

CSettingsPage::CSettingsPage(QWidget* pParent) : CPageDialog(IDD_SETTINGS_PAGE, pParent) {}

CSettingsPage::~CSettingsPage() {
    SaveForNextRun();
}

QString CSettingsPage::OnSaveForNextRun() {
    // What is on screen is kept even without Apply; it takes effect at the next start.
    if (m_pAppNameEdit == nullptr) return QString();
    DoDataExchange(true);
    return SaveSettings() ? QString() : CUiText::CouldNotSaveSettings(CProfile::FileName());
}

const CResizableDialog::SResizeMapEntry* CSettingsPage::GetResizeMap() const { return kResizeMap; }

QWidget* CSettingsPage::CreateControl(const SDialogControl& control) {
    QWidget* pWidget = CPageDialog::CreateControl(control);
    switch (control.nId) {
        case IDC_LANGUAGE_COMBO:
            m_pLanguageCombo = static_cast<QComboBox*>(pWidget);
            m_pLanguageCombo->addItem(QStringLiteral("English"));
            connect(m_pLanguageCombo, &QComboBox::activated, this, &CSettingsPage::OnChange);
            break;
        case IDC_READER_COMBO:
            m_pReaderCombo = static_cast<QComboBox*>(pWidget);
            connect(m_pReaderCombo, &QComboBox::activated, this, &CSettingsPage::OnChange);
            break;
        case IDC_APP_NAME:
            m_pAppNameEdit = static_cast<QLineEdit*>(pWidget);
            connect(m_pAppNameEdit, &QLineEdit::textChanged, this, &CSettingsPage::OnChange);
            break;
        case IDC_APPLY:
            m_pApplyButton = static_cast<QPushButton*>(pWidget);
            m_pApplyButton->setToolTip(QLatin1String(CUiText::kApplyTip));
            break;
        default: break;
    }
    return pWidget;
}

bool CSettingsPage::OnInitDialog() {
    CPageDialog::OnInitDialog();
    UpdateCommandStates();
    return true;
}

void CSettingsPage::DoDataExchange(bool bSaveAndValidate) {
    if (m_pAppNameEdit == nullptr) return;
    if (bSaveAndValidate) {
        m_strAppName = Bytes(m_pAppNameEdit->text());
        return;
    }
    // Writing the same text again is no change.
    SetText(m_pAppNameEdit, m_strAppName);
}

void CSettingsPage::UpdateCommandStates() {
    if (m_pApplyButton != nullptr) m_pApplyButton->setEnabled(m_bModified);
}

void CSettingsPage::OnChange() {
    m_bModified = true;
    UpdateCommandStates();
}

void CSettingsPage::OnCommand(int nId) {
    if (nId == IDC_APPLY)
        OnApply();
    else
        CPageDialog::OnCommand(nId);
}

void CSettingsPage::OnApply() {
    m_bModified = false;
    UpdateCommandStates();
    // The main window takes the reader and the title from the page.
    emit CommandIssued(IDC_APPLY);
    // The profile keeps its old file whole when it cannot be written (a full disk, a
    // read-only folder); the user must hear that the settings will not outlast this run.
    if (!SaveSettings())
        CDialogService::Instance().Warn(this, CUiText::CouldNotSaveSettings(CProfile::FileName()));
}

bool CSettingsPage::SaveSettings() {
    const std::string strLanguage = SelectedText(m_pLanguageCombo);
    const std::string strReader = SelectedText(m_pReaderCombo);
    bool bSaved = CProfile::WriteString(CProfile::kSettings, CProfile::kReader, strReader);
    bSaved = CProfile::WriteString(CProfile::kSettings, CProfile::kLanguage, strLanguage) && bSaved;
    return CProfile::WriteString(CProfile::kSettings, CProfile::kAppName, m_strAppName) && bSaved;
}
