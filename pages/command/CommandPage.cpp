// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandPage.h"

#include "ByteText.h"
#include "CardReader.h"
#include "HexCombo.h"
#include "HexEdit.h"
#include "ResourceIds.h"
#include "StatusWords.h"
#include "UiText.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <optional>

namespace {

using R = CResizableDialog;
constexpr R::SResizeMapEntry kResizeMap[] = {
    {IDC_CLA_INS_COMBO, R::kSizeX},
    {IDC_P1, R::kMoveX},
    {IDC_P2, R::kMoveX},
    {IDC_P3, R::kMoveX},
    {IDC_P1_CAPTION, R::kMoveX},
    {IDC_P2_CAPTION, R::kMoveX},
    {IDC_P3_CAPTION, R::kMoveX},
    {IDC_MODE_CAPTION, R::kMoveX},
    {IDC_MODE_IN, R::kMoveX},
    {IDC_MODE_OUT, R::kMoveX},
    {IDC_MODE_LINE_LEFT, R::kMoveX},
    {IDC_MODE_LINE_RIGHT, R::kMoveX},
    {IDC_MODE_LINE_BOTTOM, R::kMoveX},
    {IDC_COMMAND_DATA, R::kSizeX},
    {IDC_STATUS_WORD_CAPTION, R::kMoveX},
    {IDC_STATUS_WORD, R::kMoveX},
    {IDC_RECENT_LIST, R::kSizeX | R::kSizeY},
    {-1, 0},
};

constexpr int kClaInsLimit = 4;
constexpr int kHeaderByteLimit = 2;
constexpr int kStatusWordLimit = 4;

std::optional<CCommandIniLocation>& IniLocationOverride() {
    static std::optional<CCommandIniLocation> location;
    return location;
}

}  // namespace

CCommandPage::CCommandPage(QWidget* pParent)
    : CPageDialog(IDD_COMMAND_PAGE, pParent), m_logic(IniLocation()) {}

CCommandPage::~CCommandPage() {
    SaveForNextRun();
}

QString CCommandPage::OnSaveForNextRun() {
    // A page that never loaded the file must not blank the recent list kept in it, and
    // one whose list did not change has nothing to add to the user's file.
    if (!m_bInitialised || m_logic.RecentEntries() == m_vLoadedRecent) return QString();
    if (m_logic.SaveRecent()) return QString();
    return CUiText::CouldNotSaveSettings(m_logic.Location().WritePath());
}

void CCommandPage::SetIniLocation(const CCommandIniLocation* pLocation) {
    if (pLocation != nullptr)
        IniLocationOverride() = *pLocation;
    else
        IniLocationOverride().reset();
}

CCommandIniLocation CCommandPage::IniLocation() {
    const std::optional<CCommandIniLocation>& location = IniLocationOverride();
    return location ? *location : CCommandIniLocation::ForThisProgram();
}

const CResizableDialog::SResizeMapEntry* CCommandPage::GetResizeMap() const {
    return kResizeMap;
}

QWidget* CCommandPage::CreateControl(const SDialogControl& control) {
    switch (control.nId) {
        case IDC_CLA_INS_COMBO:
            m_pClaInsCombo = new CHexCombo(this);
            m_pClaInsCombo->HexEdit()->SetTypedLimit(kClaInsLimit);
            connect(m_pClaInsCombo, &QComboBox::activated, this, &CCommandPage::OnPresetSelected);
            connect(m_pClaInsCombo->HexEdit(), &QLineEdit::textEdited, this,
                    &CCommandPage::OnClaInsEdited);
            return m_pClaInsCombo;
        case IDC_P1:
            return m_pP1Edit = MakeHexEdit(kHeaderByteLimit);
        case IDC_P2:
            return m_pP2Edit = MakeHexEdit(kHeaderByteLimit);
        case IDC_P3:
            return m_pP3Edit = MakeHexEdit(kHeaderByteLimit);
        case IDC_COMMAND_DATA:
            return m_pDataEdit = MakeHexEdit(0);
        case IDC_STATUS_WORD:
            return m_pStatusWordEdit = MakeHexEdit(kStatusWordLimit);
        case IDC_MODE_IN:
            return m_pInRadio = new QRadioButton(QLatin1String(control.pszText), this);
        case IDC_MODE_OUT:
            return m_pOutRadio = new QRadioButton(QLatin1String(control.pszText), this);
        default:
            break;
    }
    QWidget* pWidget = CPageDialog::CreateControl(control);
    if (control.nId == IDC_SEND) {
        m_pSendButton = static_cast<QPushButton*>(pWidget);
        m_pSendButton->setToolTip(QLatin1String(CUiText::kSendTip));
    } else if (control.nId == IDC_RECENT_LIST) {
        m_pRecentList = static_cast<QListWidget*>(pWidget);
        m_pRecentList->setSelectionMode(QAbstractItemView::SingleSelection);
        m_pRecentList->installEventFilter(this);
        // The selection, not the current row: the list makes its first row current when
        // it gets the focus, which is no choice of the user's.
        connect(m_pRecentList, &QListWidget::itemSelectionChanged, this,
                &CCommandPage::OnRecentSelected);
        // Clicking the selected entry again brings it back after the fields were edited.
        connect(m_pRecentList, &QListWidget::itemClicked, this, &CCommandPage::OnRecentSelected);
    }
    return pWidget;
}

bool CCommandPage::OnInitDialog() {
    CPageDialog::OnInitDialog();
    m_logic.Load();
    m_vLoadedRecent = m_logic.RecentEntries();
    FillPresets();
    FillRecentList();
    m_bInitialised = true;
    return true;
}

void CCommandPage::FillPresets() {
    // The logic keeps them in the combo's sorted order, so index i is item i.
    for (const CCommandText::CPresetItem& item : m_logic.Presets())
        m_pClaInsCombo->addItem(Latin1(item.m_strItemText));
    m_pClaInsCombo->setCurrentIndex(-1);
    m_pClaInsCombo->setEditText(QString());
}

void CCommandPage::FillRecentList() {
    // Filling is no choice of the user's, so the fields stay as they are.
    const QSignalBlocker blocker(m_pRecentList);
    m_pRecentList->clear();
    for (const std::string& strEntry : m_logic.RecentEntries())
        m_pRecentList->addItem(Latin1(strEntry));
    m_pRecentList->scrollToBottom();
}

void CCommandPage::DoDataExchange(bool bSaveAndValidate) {
    if (m_pClaInsCombo == nullptr) return;
    CCommandFields& fields = m_logic.Fields();
    if (bSaveAndValidate) {
        fields.m_strClaIns = Bytes(m_pClaInsCombo->currentText());
        fields.m_strP1 = Bytes(m_pP1Edit->text());
        fields.m_strP2 = Bytes(m_pP2Edit->text());
        fields.m_strP3 = Bytes(m_pP3Edit->text());
        fields.m_strData = Bytes(m_pDataEdit->text());
        fields.m_strStatusWord = Bytes(m_pStatusWordEdit->text());
        fields.m_eMode = CheckedMode();
        return;
    }
    ShowClaIns(fields.m_strClaIns);
    SetText(m_pP1Edit, fields.m_strP1);
    SetText(m_pP2Edit, fields.m_strP2);
    SetText(m_pP3Edit, fields.m_strP3);
    SetText(m_pDataEdit, fields.m_strData);
    SetText(m_pStatusWordEdit, fields.m_strStatusWord);
    m_pStatusWordEdit->setToolTip(QString::fromStdString(ExplainStatusWord(fields.m_strStatusWord)));
    ShowMode(fields.m_eMode);
}

void CCommandPage::ShowClaIns(const std::string& strClaIns) {
    // The combo shows the whole preset that begins with the text, so "A0A4" reads back as
    // the instruction's name too.
    const int index = m_logic.FindPresetFromTop(strClaIns);
    if (index >= 0) {
        m_pClaInsCombo->setCurrentIndex(index);
        m_pClaInsCombo->setEditText(m_pClaInsCombo->itemText(index));
        return;
    }
    if (m_pClaInsCombo->currentText() == Latin1(strClaIns)) return;
    m_pClaInsCombo->setCurrentIndex(-1);
    m_pClaInsCombo->setEditText(Latin1(strClaIns));
}

CommandMode CCommandPage::CheckedMode() const {
    if (m_pInRadio->isChecked()) return CommandMode::In;
    if (m_pOutRadio->isChecked()) return CommandMode::Out;
    return CommandMode::Neither;
}

void CCommandPage::ShowMode(CommandMode eMode) {
    if (eMode == CommandMode::In) {
        m_pInRadio->setChecked(true);
    } else if (eMode == CommandMode::Out) {
        m_pOutRadio->setChecked(true);
    } else {
        // Exclusive radio buttons refuse to be unchecked one by one.
        for (QRadioButton* pRadio : {m_pInRadio, m_pOutRadio}) {
            pRadio->setAutoExclusive(false);
            pRadio->setChecked(false);
            pRadio->setAutoExclusive(true);
        }
    }
}

void CCommandPage::OnSend() {
    DoDataExchange(true);
    m_logic.Send(&ExchangeWithCard);
    DoDataExchange(false);
    FillRecentList();
}

void CCommandPage::OnPresetSelected(int nIndex) {
    if (nIndex < 0) return;
    // Whatever the user typed in the other fields since the last operation is kept.
    DoDataExchange(true);
    if (m_logic.SelectPreset(nIndex)) DoDataExchange(false);
}

void CCommandPage::OnClaInsEdited(const QString& strText) {
    if (strText.size() < kClaInsLimit) return;
    DoDataExchange(true);
    if (m_logic.CompleteTyped(Bytes(strText)) >= 0) DoDataExchange(false);
}

void CCommandPage::OnRecentSelected() {
    const QList<QListWidgetItem*> selected = m_pRecentList->selectedItems();
    if (selected.isEmpty()) return;
    DoDataExchange(true);
    if (m_logic.SelectRecent(m_pRecentList->row(selected.first()))) DoDataExchange(false);
}

void CCommandPage::OnDeleteRecent() {
    if (!IsRecentListFocused()) return;
    const QList<QListWidgetItem*> selected = m_pRecentList->selectedItems();
    if (selected.isEmpty()) return;
    const int nNext = m_logic.DeleteRecent(m_pRecentList->row(selected.first()));
    FillRecentList();
    // The entry that moved up into the place is selected, without filling the fields.
    if (nNext >= 0) {
        const QSignalBlocker blocker(m_pRecentList);
        m_pRecentList->setCurrentRow(nNext);
    }
}

bool CCommandPage::IsRecentListFocused() const { return HasFocus(m_pRecentList); }

void CCommandPage::OnCommand(int nId) {
    if (nId == IDC_SEND)
        OnSend();
    else
        CPageDialog::OnCommand(nId);
}

void CCommandPage::OnEnter() {
    // Enter sends, whichever control has the focus.
    if (m_pSendButton != nullptr && m_pSendButton->isEnabled()) OnSend();
}

// QObject

bool CCommandPage::eventFilter(QObject* pWatched, QEvent* pEvent) {
    // Delete removes a recent entry only while the list has the focus; anywhere else it
    // keeps its usual meaning.
    if (pWatched == m_pRecentList && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_Delete && pKey->modifiers() == Qt::NoModifier &&
            IsRecentListFocused()) {
            OnDeleteRecent();
            return true;
        }
    }
    return CPageDialog::eventFilter(pWatched, pEvent);
}
