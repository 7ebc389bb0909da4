// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilePage.h"

#include "ByteText.h"
#include "CardReader.h"
#include "ComboItems.h"
#include "HexEdit.h"
#include "PathCombo.h"
#include "ResourceIds.h"
#include "UiText.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <array>

namespace {

using R = CResizableDialog;
constexpr R::SResizeMapEntry kResizeMap[] = {
    {IDC_PATH_COMBO, R::kSizeX},
    {IDC_READ, R::kMoveX | R::kMoveY},
    {IDC_UPDATE, R::kMoveX | R::kMoveY},
    {IDC_FILE_DATA, R::kSizeX | R::kMoveY},
    {IDC_PROPERTIES, R::kSizeX | R::kSizeY},
    {IDC_OFFSET, R::kMoveY},
    {IDC_LENGTH, R::kMoveY},
    {IDC_FILE_DATA_CAPTION, R::kMoveY},
    {IDC_OFFSET_CAPTION, R::kMoveY},
    {IDC_LENGTH_CAPTION, R::kMoveY},
    {IDC_RECORD_CAPTION, R::kMoveY},
    {IDC_RECORD_NUMBER, R::kMoveY},
    {IDC_RECORD_RANGE, R::kMoveY},
    {IDC_FILE_STATUS_WORD, R::kMoveX | R::kMoveY},
    {-1, 0},
};

constexpr int kOffsetLimit = 4;
constexpr int kLengthLimit = 2;
constexpr int kRecordNumberLimit = 2;

// The controls of reading and updating, and the modes that show them.
struct SModeControl {
    int nId;
    bool bTransparent;
    bool bRecord;
};
constexpr std::array<SModeControl, 12> kModeControls{{
    {IDC_FILE_DATA_CAPTION, true, true},
    {IDC_FILE_DATA, true, true},
    {IDC_OFFSET_CAPTION, true, false},
    {IDC_OFFSET, true, false},
    {IDC_LENGTH_CAPTION, true, false},
    {IDC_LENGTH, true, false},
    {IDC_READ, true, true},
    {IDC_UPDATE, true, true},
    {IDC_FILE_STATUS_WORD, true, true},
    {IDC_RECORD_CAPTION, false, true},
    {IDC_RECORD_NUMBER, false, true},
    {IDC_RECORD_RANGE, false, true},
}};

QFont FixedFont(const QFont& pageFont) {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(pageFont.pointSize());
    return fixed;
}

}  // namespace

CFilePage::CFilePage(QWidget* pParent) : CPageDialog(IDD_FILE_PAGE, pParent) {}

CFilePage::~CFilePage() = default;

const CResizableDialog::SResizeMapEntry* CFilePage::GetResizeMap() const {
    return kResizeMap;
}

QWidget* CFilePage::CreateControl(const SDialogControl& control) {
    switch (control.nId) {
        case IDC_PATH_COMBO:
            return m_pPathCombo = new CPathCombo(this);
        case IDC_PROPERTIES:
            m_pProperties = new QPlainTextEdit(this);
            m_pProperties->setReadOnly(true);
            m_pProperties->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            // The second access-condition line is indented with blanks to stand under
            // the first; only a fixed-pitch font keeps it there.
            m_pProperties->setFont(FixedFont(font()));
            return m_pProperties;
        case IDC_FILE_DATA:
            return m_pDataEdit = MakeHexEdit(0);
        case IDC_OFFSET:
            return m_pOffsetEdit = MakeHexEdit(kOffsetLimit);
        case IDC_LENGTH:
            return m_pLengthEdit = MakeHexEdit(kLengthLimit);
        case IDC_RECORD_NUMBER:
            return m_pRecordEdit = MakeHexEdit(kRecordNumberLimit);
        default:
            break;
    }
    QWidget* pWidget = CPageDialog::CreateControl(control);
    switch (control.nId) {
        case IDC_GO:
            pWidget->hide();
            break;  // only the target of Enter
        case IDC_FILE_STATUS_WORD:
            m_pStatusWordLabel = static_cast<QLabel*>(pWidget);
            m_pStatusWordLabel->setWordWrap(false);
            m_pStatusWordLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
            break;
        case IDC_RECORD_RANGE:
            m_pRecordRangeLabel = static_cast<QLabel*>(pWidget);
            m_pRecordRangeLabel->setWordWrap(false);
            break;
        case IDC_READ:
            pWidget->setToolTip(QLatin1String(CUiText::kReadTip));
            break;
        case IDC_UPDATE:
            pWidget->setToolTip(QLatin1String(CUiText::kUpdateTip));
            break;
        default:
            break;
    }
    return pWidget;
}

bool CFilePage::OnInitDialog() {
    CPageDialog::OnInitDialog();
    m_pPathCombo->LoadHistory(QLatin1String(kHistorySection));
    ShowMode(FileMode::None);
    return true;
}

void CFilePage::ShowMode(FileMode eMode) {
    for (const SModeControl& control : kModeControls) {
        const bool bShown = (eMode == FileMode::Transparent && control.bTransparent) ||
                            (eMode == FileMode::Record && control.bRecord);
        if (QWidget* pControl = GetDlgItem(control.nId)) pControl->setVisible(bShown);
    }
}

void CFilePage::DoDataExchange(bool bSaveAndValidate) {
    if (m_pPathCombo == nullptr) return;
    CFileFields& fields = m_logic.Fields();
    // The properties box and the labels only show; their fields are never typed into.
    if (bSaveAndValidate) {
        fields.m_strPathName = Bytes(m_pPathCombo->currentText());
        fields.m_strData = Bytes(m_pDataEdit->text());
        fields.m_strOffset = Bytes(m_pOffsetEdit->text());
        fields.m_strLength = Bytes(m_pLengthEdit->text());
        fields.m_strRecordNumber = Bytes(m_pRecordEdit->text());
        return;
    }
    ShowPath(fields.m_strPathName);
    // The text keeps its CR LF line ends; the box wants plain line feeds.
    QString strProperties = Latin1(fields.m_strProperties);
    strProperties.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (m_pProperties->toPlainText() != strProperties) m_pProperties->setPlainText(strProperties);
    SetText(m_pDataEdit, fields.m_strData);
    SetText(m_pOffsetEdit, fields.m_strOffset);
    SetText(m_pLengthEdit, fields.m_strLength);
    SetText(m_pRecordEdit, fields.m_strRecordNumber);
    m_pStatusWordLabel->setText(Latin1(fields.m_strStatusWord));
    m_pStatusWordLabel->setToolTip(QString::fromStdString(m_logic.StatusWordTip()));
    m_pProperties->setToolTip(QString::fromStdString(m_logic.FileTip()));
    m_pDataEdit->setToolTip(QString::fromStdString(m_logic.DataTip()));
    m_pRecordRangeLabel->setText(Latin1(fields.m_strRecordRange));
}

void CFilePage::ShowPath(const std::string& strPath) {
    // The box shows the first history entry that begins with the path, as a combo box
    // selects a string.
    const QString strText = Latin1(strPath);
    const int nFound = strText.isEmpty() ? -1 : FindItemStartingWith(m_pPathCombo, strText);
    if (nFound >= 0) {
        m_pPathCombo->setCurrentIndex(nFound);
        m_pPathCombo->setEditText(m_pPathCombo->itemText(nFound));
        return;
    }
    if (m_pPathCombo->currentText() == strText) return;
    m_pPathCombo->setCurrentIndex(-1);
    m_pPathCombo->setEditText(strText);
}

void CFilePage::OnGo() {
    if (!HasPathFocus()) return;
    DoDataExchange(true);
    if (m_logic.SelectPath(&ExchangeWithCard))
        m_pPathCombo->AddToHistory(Latin1(m_logic.Fields().m_strPathName));
    ShowMode(m_logic.Mode());
    DoDataExchange(false);
}

void CFilePage::OnRead() {
    DoDataExchange(true);
    m_logic.Read(&ExchangeWithCard);
    DoDataExchange(false);
}

void CFilePage::OnUpdate() {
    DoDataExchange(true);
    m_logic.Update(&ExchangeWithCard);
    DoDataExchange(false);
}

bool CFilePage::HasPathFocus() const { return HasFocus(m_pPathCombo); }

void CFilePage::OnCommand(int nId) {
    switch (nId) {
        case IDC_GO:
            OnGo();
            break;
        case IDC_READ:
            OnRead();
            break;
        case IDC_UPDATE:
            OnUpdate();
            break;
        default:
            CPageDialog::OnCommand(nId);
            break;
    }
}
