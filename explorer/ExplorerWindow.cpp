// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerWindow.h"

#include "CodeDialog.h"
#include "DecoderText.h"
#include "DumpCatalogue.h"
#include "DumpJson.h"
#include "DumpLoader.h"
#include "ExplorerTree.h"
#include "FileCatalogue.h"
#include "FileDecoders.h"
#include "FileDescription.h"
#include "HexView.h"
#include "RestoreScript.h"
#include "ScriptFile.h"
#include "StatusWords.h"
#include "TwinBuilder.h"
#include "ValueEditor.h"
#include "WritePlan.h"

#include "DialogService.h"
#include "HexText.h"
#include "Profile.h"
#include "StrictHex.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* kCaption = "Card Explorer";
constexpr const char* kProfileSection = "Explorer";
constexpr int kPathRole = Qt::UserRole;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

std::string_view AsText(const CBytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string Hex(const CBytes& bytes) {
    return BytesToHex(bytes.data(), static_cast<unsigned>(bytes.size()));
}

// "SW=9804: access condition not fulfilled ..." for a message.
QString Refusal(const std::string& strStatus) {
    return Utf8("SW=" + strStatus + ": " + ExplainStatusWord(strStatus));
}

QString CodeLine(const char* pName, const std::optional<CFileHeader::CCodeState>& state) {
    if (!state) return {};
    if (!state->m_bInitialised) return QString("%1: not initialised").arg(pName);
    if (state->m_nAttemptsLeft == 0) return QString("%1: blocked").arg(pName);
    return QString("%1: %2 attempt%3 left")
        .arg(pName)
        .arg(state->m_nAttemptsLeft)
        .arg(state->m_nAttemptsLeft == 1 ? "" : "s");
}

}  // namespace

CExplorerWindow::CExplorerWindow(ExchangeFunction exchange, QWidget* pParent, ExchangeFunction codeExchange)
    : QWidget(pParent, Qt::Window),
      m_exchange(std::move(exchange)),
      m_codeExchange(codeExchange ? std::move(codeExchange) : m_exchange) {
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(MakeToolRow());

    m_pMainSplitter = new QSplitter(Qt::Horizontal, this);
    m_pTree = new QTreeWidget(m_pMainSplitter);
    m_pTree->setHeaderHidden(true);
    m_pTree->setUniformRowHeights(true);
    m_pMainSplitter->addWidget(m_pTree);
    m_pMainSplitter->addWidget(MakeDetails());
    m_pMainSplitter->setStretchFactor(1, 1);
    pLayout->addWidget(m_pMainSplitter, 1);
    pLayout->addWidget(MakeCodesRow());
    m_pState = new QLabel(this);
    m_pState->setWordWrap(true);
    pLayout->addWidget(m_pState);

    connect(m_pTree, &QTreeWidget::itemSelectionChanged, this, &CExplorerWindow::OnTreeSelection);
    m_stepTimer.setInterval(0);
    connect(&m_stepTimer, &QTimer::timeout, this, &CExplorerWindow::OnStep);
    resize(980, 680);
    RestoreGeometryAndSplitters();
    UpdateButtons();
}

CExplorerWindow::~CExplorerWindow() = default;

QWidget* CExplorerWindow::MakeToolRow() {
    auto* pRow = new QWidget(this);
    auto* pLayout = new QHBoxLayout(pRow);
    pLayout->setContentsMargins(0, 0, 0, 0);
    auto button = [this, pLayout](const char* pText, void (CExplorerWindow::*handler)()) {
        auto* pButton = new QPushButton(pText, this);
        connect(pButton, &QPushButton::clicked, this, handler);
        pLayout->addWidget(pButton);
        return pButton;
    };
    m_pReadAll = button("&Read Whole Card", &CExplorerWindow::ReadWholeCard);
    m_pCancel = button("Cancel", &CExplorerWindow::CancelRead);
    m_pProgress = new QProgressBar(pRow);
    m_pProgress->setRange(0, 1);
    m_pProgress->setValue(0);
    m_pProgress->setFormat("%v of %m files");
    pLayout->addWidget(m_pProgress, 1);
    m_pSaveDump = button("Save &Dump...", &CExplorerWindow::OnSaveDump);
    m_pSaveTwin = button("Save as &Virtual Card...", &CExplorerWindow::OnSaveTwin);
    m_pSaveRestore = button("Save Restore &Script...", &CExplorerWindow::OnSaveRestoreScript);
    return pRow;
}

QWidget* CExplorerWindow::MakeDetails() {
    m_pDetailSplitter = new QSplitter(Qt::Vertical, this);
    m_pHeader = new QPlainTextEdit(m_pDetailSplitter);
    m_pHeader->setReadOnly(true);
    m_pHeader->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pDetailSplitter->addWidget(m_pHeader);

    auto* pContents = new QWidget(m_pDetailSplitter);
    auto* pGrid = new QGridLayout(pContents);
    pGrid->setContentsMargins(0, 0, 0, 0);
    m_pRecordLabel = new QLabel("Record:", pContents);
    m_pRecord = new QSpinBox(pContents);
    m_pRecord->setRange(1, 1);
    pGrid->addWidget(m_pRecordLabel, 0, 0);
    pGrid->addWidget(m_pRecord, 0, 1);
    pGrid->setColumnStretch(2, 1);
    m_pFields = new QTableWidget(0, 3, pContents);
    m_pFields->setHorizontalHeaderLabels({"Field", "Value", "Bytes"});
    m_pFields->horizontalHeader()->setStretchLastSection(true);
    m_pFields->verticalHeader()->setVisible(false);
    m_pFields->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pFields->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pFields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pGrid->addWidget(m_pFields, 1, 0, 1, 3);
    m_pHex = new CHexView(pContents);
    pGrid->addWidget(m_pHex, 2, 0, 1, 3);
    // The fields say more than the bytes: they get the larger share.
    pGrid->setRowStretch(1, 3);
    pGrid->setRowStretch(2, 1);
    m_pDetailSplitter->addWidget(pContents);

    auto* pEdit = new QWidget(m_pDetailSplitter);
    auto* pEditGrid = new QGridLayout(pEdit);
    pEditGrid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kValueInputs; ++i) {
        m_valueLabels[i] = new QLabel(pEdit);
        m_valueEdits[i] = new QLineEdit(pEdit);
        // Typed values count until they are encoded or the hex is edited.
        connect(m_valueEdits[i], &QLineEdit::textEdited, this, [this]() { m_bValuesEdited = true; });
        pEditGrid->addWidget(m_valueLabels[i], 0, 2 * i);
        pEditGrid->addWidget(m_valueEdits[i], 0, 2 * i + 1);
    }
    m_pEncode = new QPushButton("&Encode", pEdit);
    m_pEditBytes = new QLineEdit(pEdit);
    m_pEditBytes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(m_pEditBytes, &QLineEdit::textEdited, this, [this]() { m_bValuesEdited = false; });
    m_pWrite = new QPushButton("&Write...", pEdit);
    pEditGrid->addWidget(m_pEncode, 0, 2 * kValueInputs);
    pEditGrid->addWidget(m_pEditBytes, 1, 0, 1, 2 * kValueInputs);
    pEditGrid->addWidget(m_pWrite, 1, 2 * kValueInputs);
    pEditGrid->setColumnStretch(1, 1);
    pEditGrid->setColumnStretch(3, 1);
    m_pDetailSplitter->addWidget(pEdit);
    m_pDetailSplitter->setStretchFactor(1, 1);

    connect(m_pRecord, qOverload<int>(&QSpinBox::valueChanged), this, &CExplorerWindow::SelectRecord);
    connect(m_pFields, &QTableWidget::itemSelectionChanged, this, &CExplorerWindow::OnFieldSelected);
    connect(m_pHex, &CHexView::ByteClicked, this, &CExplorerWindow::OnByteClicked);
    connect(m_pWrite, &QPushButton::clicked, this, &CExplorerWindow::OnWrite);
    connect(m_pEncode, &QPushButton::clicked, this, &CExplorerWindow::EncodeValues);
    return m_pDetailSplitter;
}

QWidget* CExplorerWindow::MakeCodesRow() {
    auto* pRow = new QWidget(this);
    auto* pLayout = new QHBoxLayout(pRow);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(new QLabel("Code:", pRow));
    m_pCode = new QComboBox(pRow);
    m_pCode->addItems({"CHV1", "CHV2", "ADM"});
    pLayout->addWidget(m_pCode);
    for (const char* pOperation : {"Verify", "Change", "Disable", "Enable", "Unblock"}) {
        auto* pButton = new QPushButton(QString(pOperation) + "...", pRow);
        pButton->setObjectName(pOperation);
        connect(pButton, &QPushButton::clicked, this, [this, pOperation]() { OnCodeButton(pOperation); });
        pLayout->addWidget(pButton);
        m_codeButtons.append(pButton);
    }
    m_pCodeStates = new QLabel(pRow);
    pLayout->addWidget(m_pCodeStates, 1);
    return pRow;
}

void CExplorerWindow::ExploreCard() {
    CancelRead();
    m_bLive = true;
    m_dump = CCardDump();
    m_codeStates = CCodeStates();
    m_codeHeader.reset();
    m_strSelected.clear();
    setWindowTitle(kCaption);
    RebuildTree();
    m_pState->setText("Open a file to read it from the card, or read the whole card.");
    UpdateButtons();
}

bool CExplorerWindow::OpenDump(const QString& strPath) {
    QString error;
    std::optional<CCardDump> dump = CDumpLoader::Load(strPath, error);
    if (!dump) {
        Warn(error);
        return false;
    }
    CancelRead();
    m_bLive = false;
    m_dump = std::move(*dump);
    m_codeStates = CCodeStates();
    m_strSelected.clear();
    if (const CDumpedFile* pMf = m_dump.Find("3F00")) m_codeHeader = pMf->Header();
    setWindowTitle(QString("%1 - %2").arg(kCaption, QFileInfo(strPath).fileName()));
    RebuildTree();
    m_pState->setText(QString("Dump taken %1 by %2.")
                          .arg(Utf8(m_dump.m_strTaken), Utf8(m_dump.m_strProgram)));
    UpdateButtons();
    return true;
}

void CExplorerWindow::SetCardPresent(bool bPresent) {
    m_bCardPresent = bPresent;
    if (!bPresent && m_pWalker) {
        StopWalker();
        m_pState->setText("The card was removed: the read stopped. What was read so far is kept.");
    }
    UpdateButtons();
}

void CExplorerWindow::RebuildTree() {
    const CExplorerTree tree = CExplorerTree::Build(m_dump, m_bLive);
    m_bSyncing = true;
    m_pTree->clear();
    std::vector<QTreeWidgetItem*> items;
    QTreeWidgetItem* pSelected = nullptr;
    for (const CExplorerNode& node : tree.Nodes()) {
        QTreeWidgetItem* pItem = node.m_nParent >= 0 ? new QTreeWidgetItem(items[node.m_nParent])
                                                     : new QTreeWidgetItem(m_pTree);
        pItem->setText(0, Utf8(node.m_strLabel));
        pItem->setData(0, kPathRole, Utf8(node.m_strPath));
        if (node.m_nFile < 0) pItem->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
        if (!node.m_children.empty()) pItem->setExpanded(true);
        if (node.m_strPath == m_strSelected) pSelected = pItem;
        items.push_back(pItem);
    }
    if (pSelected) m_pTree->setCurrentItem(pSelected);
    m_bSyncing = false;
    ShowSelected();
}

void CExplorerWindow::OnTreeSelection() {
    if (m_bSyncing) return;
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    if (selected.isEmpty()) return;
    m_strSelected = selected.first()->data(0, kPathRole).toString().toStdString();
    const CDumpedFile* pFile = m_dump.Find(m_strSelected);
    if (m_bLive && !m_pWalker && (!pFile || pFile->m_header.empty()) && m_bCardPresent) {
        ReadOneFile(m_strSelected);
    }
    ShowSelected();
}

bool CExplorerWindow::SelectPath(const std::string& strPath) {
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        if ((*it)->data(0, kPathRole).toString().toStdString() == strPath) {
            m_pTree->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

const CDumpedFile* CExplorerWindow::SelectedFile() const { return m_dump.Find(m_strSelected); }

CBytes CExplorerWindow::SelectedBytes() const {
    const CDumpedFile* pFile = SelectedFile();
    if (!pFile) return {};
    const std::optional<CFileHeader> header = pFile->Header();
    if (header && header->IsRecordFile()) {
        const std::size_t index = static_cast<std::size_t>(m_pRecord->value() - 1);
        return index < pFile->m_records.size() ? pFile->m_records[index] : CBytes();
    }
    return pFile->m_contents;
}

void CExplorerWindow::ShowSelected() {
    const CDumpedFile* pFile = SelectedFile();
    m_pFields->setRowCount(0);
    m_pHex->SetBytes({});
    m_pEditBytes->clear();
    if (!pFile) {
        const CCatalogueEntry* pEntry = FindFileByPath(m_strSelected);
        m_pHeader->setPlainText(pEntry ? Utf8(DescribeFile(*pEntry)) : QString());
        UpdateButtons();
        return;
    }
    QString text;
    if (const CCatalogueEntry* pEntry = FindFileByPath(pFile->m_strPath)) {
        text += Utf8(DescribeFile(*pEntry)) + "\n\n";
    }
    if (pFile->m_header.empty()) {
        text += "SELECT refused: " + Refusal(pFile->m_strSelectStatus);
    } else {
        text += Utf8(CFileDescription::Decode(Hex(pFile->m_header) + "9000").m_strProperties);
        if (const std::optional<CFileHeader> header = pFile->Header()) {
            text += "\n";
            for (const std::string& line : CAccessText::Lines(*header, m_codeStates)) {
                text += "\n" + Utf8(line);
            }
        }
        if (!pFile->m_strReadStatus.empty() && !pFile->IsRead()) {
            text += "\n\nREAD refused: " + Refusal(pFile->m_strReadStatus);
        }
    }
    m_pHeader->setPlainText(text);
    const std::optional<CFileHeader> header = pFile->Header();
    const bool bRecords = header && header->IsRecordFile();
    m_pRecord->setVisible(bRecords);
    m_pRecordLabel->setVisible(bRecords);
    if (bRecords) {
        const QSignalBlocker blocker(m_pRecord);
        m_pRecord->setRange(1, std::max<int>(1, static_cast<int>(pFile->m_records.size())));
    }
    ShowContents(*pFile);
    UpdateButtons();
}

void CExplorerWindow::SelectRecord(int nRecord) {
    const QSignalBlocker blocker(m_pRecord);
    m_pRecord->setValue(nRecord);
    if (const CDumpedFile* pFile = SelectedFile()) ShowContents(*pFile);
}

void CExplorerWindow::ShowContents(const CDumpedFile& file) {
    const CBytes bytes = SelectedBytes();
    const CDecodedContents contents = DecodeFile(file.m_strPath, AsText(bytes));
    m_fieldMap = CFieldByteMap(contents.Fields());
    m_bSyncing = true;
    const int problems = static_cast<int>(contents.Problems().size());
    m_pFields->setRowCount(static_cast<int>(contents.Fields().size()) + (bytes.empty() ? 0 : problems));
    int row = 0;
    for (const CDecodedField& field : contents.Fields()) {
        const std::string fieldBytes = Hex(CBytes(bytes.begin() + static_cast<std::ptrdiff_t>(field.m_nOffset),
                                                  bytes.begin() + static_cast<std::ptrdiff_t>(field.m_nOffset + field.m_nLength)));
        m_pFields->setItem(row, 0, new QTableWidgetItem(Utf8(field.m_strName)));
        m_pFields->setItem(row, 1, new QTableWidgetItem(Utf8(field.m_strValue)));
        m_pFields->setItem(row, 2, new QTableWidgetItem(Utf8(fieldBytes)));
        ++row;
    }
    for (int i = 0; i < problems && !bytes.empty(); ++i, ++row) {
        m_pFields->setItem(row, 0, new QTableWidgetItem("Problem"));
        m_pFields->setItem(row, 1, new QTableWidgetItem(Utf8(contents.Problems()[i])));
        m_pFields->setItem(row, 2, new QTableWidgetItem());
    }
    m_pFields->resizeColumnToContents(0);
    m_bSyncing = false;
    m_pHex->SetBytes(bytes);
    m_pEditBytes->setText(Utf8(Hex(bytes)));
    ShowValues(file, bytes);
}

void CExplorerWindow::ShowValues(const CDumpedFile& file, const CBytes& bytes) {
    const std::optional<CFileHeader> header = file.Header();
    m_valueEditor.reset();
    if (header && !header->IsDirectory()) {
        m_valueEditor = CValueEditor::For(file.m_strName, bytes,
                                          header->IsRecordFile() ? header->m_nRecordLength : header->m_nSize);
    }
    const int inputs = m_valueEditor ? static_cast<int>(m_valueEditor->Inputs().size()) : 0;
    for (int i = 0; i < kValueInputs; ++i) {
        const bool bShown = i < inputs;
        m_valueLabels[i]->setVisible(bShown);
        m_valueEdits[i]->setVisible(bShown);
        if (!bShown) continue;
        const CValueEditor::CInput& input = m_valueEditor->Inputs()[static_cast<std::size_t>(i)];
        m_valueLabels[i]->setText(Utf8(input.m_strLabel + ":"));
        m_valueEdits[i]->setText(Utf8(input.m_strValue));
        m_valueEdits[i]->setPlaceholderText(Utf8(input.m_strHint));
        m_valueEdits[i]->setToolTip(Utf8(input.m_strHint));
    }
    m_pEncode->setVisible(inputs > 0);
    m_bValuesEdited = false;
}

bool CExplorerWindow::EncodeValues() {
    if (!m_valueEditor) return false;
    std::vector<std::string> values;
    for (int i = 0; i < static_cast<int>(m_valueEditor->Inputs().size()); ++i) {
        values.push_back(m_valueEdits[i]->text().toStdString());
    }
    CBytes bytes;
    std::string error;
    if (!m_valueEditor->Encode(values, bytes, error)) {
        Warn(Utf8("The value cannot be written: " + error + "."));
        return false;
    }
    m_pEditBytes->setText(Utf8(Hex(bytes)));
    m_bValuesEdited = false;
    return true;
}

void CExplorerWindow::OnFieldSelected() {
    if (m_bSyncing) return;
    std::size_t first = 0, count = 0;
    m_fieldMap.BytesOf(m_pFields->currentRow(), first, count);
    m_pHex->Highlight(first, count);
}

void CExplorerWindow::OnByteClicked(int nOffset) {
    const int field = m_fieldMap.FieldAt(static_cast<std::size_t>(nOffset));
    if (field < 0) {
        m_pFields->clearSelection();
        m_pHex->Highlight(0, 0);
        return;
    }
    m_pFields->selectRow(field);
    OnFieldSelected();
}

void CExplorerWindow::UpdateButtons() {
    const bool bCard = m_bLive && m_bCardPresent;
    const bool bReading = m_pWalker != nullptr;
    const bool bHasFiles = !m_dump.m_files.empty();
    m_pReadAll->setEnabled(bCard && !bReading);
    m_pCancel->setEnabled(bReading);
    m_pSaveDump->setEnabled(bHasFiles && !bReading);
    m_pSaveTwin->setEnabled(bHasFiles && !bReading);
    m_pSaveRestore->setEnabled(bHasFiles && !bReading);
    const CDumpedFile* pFile = SelectedFile();
    const std::optional<CFileHeader> header = pFile ? pFile->Header() : std::nullopt;
    const bool bWritable = bCard && !bReading && header && !header->IsDirectory();
    m_pWrite->setEnabled(bWritable);
    m_pEditBytes->setEnabled(bWritable);
    m_pEncode->setEnabled(bWritable);
    for (QPushButton* pButton : m_codeButtons) pButton->setEnabled(bCard && !bReading);
    m_pCodeStates->setText(CodeStateText());
}

QString CExplorerWindow::CodeStateText() const {
    if (!m_codeHeader) return m_bLive ? QString("Codes: not read yet") : QString();
    QStringList parts;
    for (const QString& line : {CodeLine("CHV1", m_codeHeader->m_chv1),
                                CodeLine("UNBLOCK CHV1", m_codeHeader->m_unblockChv1),
                                CodeLine("CHV2", m_codeHeader->m_chv2),
                                CodeLine("UNBLOCK CHV2", m_codeHeader->m_unblockChv2)}) {
        if (!line.isEmpty()) parts << line;
    }
    if (m_codeHeader->m_bChv1Disabled) parts << "CHV1 disabled";
    QStringList verified;
    for (const std::string& code : m_codeStates.m_verified) verified << Utf8(code);
    if (!verified.isEmpty()) parts << "verified: " + verified.join(", ");
    return parts.join("; ");
}

// ---------------------------------------------------------------- reading

void CExplorerWindow::ReadWholeCard() {
    if (m_pWalker || !m_bLive) return;
    m_pWalker = std::make_unique<CCardWalker>(CDumpCatalogue::Targets(), m_exchange);
    m_bWholeRead = true;
    m_dump = CCardDump();
    RebuildTree();
    m_pWalker->SetPresented({m_codeStates.m_verified.begin(), m_codeStates.m_verified.end()});
    m_pState->setText("Reading the whole card...");
    m_pProgress->setRange(0, 1);
    m_pProgress->setValue(0);
    m_progressClock.start();
    m_stepTimer.start();
    UpdateButtons();
}

void CExplorerWindow::ReadOneFile(const std::string& strPath) {
    std::vector<CWalkTarget> targets;
    for (const CWalkTarget& target : CDumpCatalogue::Targets()) {
        const bool bOnTheWay = strPath == target.m_strPath ||
                               strPath.rfind(target.m_strPath + "\\", 0) == 0;
        if (bOnTheWay) targets.push_back(target);
    }
    if (targets.empty() || targets.back().m_strPath != strPath) return;
    m_pWalker = std::make_unique<CCardWalker>(std::move(targets), m_exchange);
    m_pWalker->SetPresented({m_codeStates.m_verified.begin(), m_codeStates.m_verified.end()});
    m_bWholeRead = false;
    m_stepTimer.start();
    UpdateButtons();
}

void CExplorerWindow::OnStep() {
    if (!m_pWalker) return m_stepTimer.stop();
    const bool bGoesOn = m_pWalker->Step();
    // Painting the bar costs as much as a fast card's APDU: a few times a second is enough.
    if (m_bWholeRead && (!bGoesOn || m_progressClock.hasExpired(kProgressPeriodMs))) {
        m_pProgress->setRange(0, std::max(1, m_pWalker->FilesKnown()));
        m_pProgress->setValue(m_pWalker->FilesDone());
        m_progressClock.start();
    }
    if (!bGoesOn) FinishRead();
}

void CExplorerWindow::CancelRead() {
    if (m_pWalker) StopWalker();
}

void CExplorerWindow::StopWalker() {
    m_pWalker->Cancel();
    // A cancelled walker's step sends nothing: it only marks its dump incomplete and notes
    // where it stopped, so a saved dump never claims to be whole.
    m_pWalker->Step();
    FinishRead();
}

void CExplorerWindow::FinishRead() {
    m_stepTimer.stop();
    std::unique_ptr<CCardWalker> pWalker = std::move(m_pWalker);
    if (!pWalker) return;
    const CCardDump& read = pWalker->Dump();
    if (m_bWholeRead) {
        m_dump = read;
        QString state = pWalker->IsCancelled() ? "Read cancelled" : "Card read";
        state += QString(": %1 files, %2 APDUs.").arg(pWalker->FilesDone()).arg(pWalker->ApduCount());
        if (pWalker->HasFailed()) {
            state = QString("The read stopped at %1: %2")
                        .arg(Utf8(pWalker->CurrentPath()), Utf8(pWalker->Failure()));
        }
        for (const std::string& note : read.m_notes) state += "\n" + Utf8(note);
        m_pState->setText(state);
    } else {
        Merge(read);
        if (pWalker->HasFailed()) m_pState->setText(Utf8("The card did not answer: " + pWalker->Failure()));
    }
    if (const CDumpedFile* pMf = m_dump.Find("3F00")) m_codeHeader = pMf->Header();
    RebuildTree();
    UpdateButtons();
}

void CExplorerWindow::Merge(const CCardDump& read) {
    if (m_dump.m_atr.empty()) m_dump.m_atr = read.m_atr;
    for (const CDumpedFile& file : read.m_files) {
        if (CDumpedFile* pOld = m_dump.Find(file.m_strPath)) {
            *pOld = file;
        } else {
            m_dump.m_files.push_back(file);
        }
    }
}

// ---------------------------------------------------------------- writing

bool CExplorerWindow::Send(const ExchangeFunction& exchange, const std::string& strApdu, std::string& strData,
                           std::string& strStatus) {
    std::string response;
    const long result = exchange(strApdu, response);
    if (result != 0 || response.size() < 4) {
        strStatus.clear();
        return false;
    }
    strStatus = response.substr(response.size() - 4);
    strData = response.substr(0, response.size() - 4);
    return true;
}

void CExplorerWindow::OnWrite() {
    const CDumpedFile* pFile = SelectedFile();
    if (!pFile) return;
    if (m_bValuesEdited && !EncodeValues()) return;
    CBytes bytes;
    const std::string hex = m_pEditBytes->text().remove(' ').toStdString();
    if (hex.size() % 2 != 0 || !AppendStrictHex(hex, bytes)) {
        return Warn("The bytes to write must be pairs of hexadecimal digits.");
    }
    std::string error;
    const CWritePlan plan = CWritePlan::Make(*pFile, static_cast<std::size_t>(m_pRecord->value()), bytes, error);
    if (plan.IsEmpty()) return Warn(Utf8(error));
    QString question = "These APDUs will be sent:\n";
    for (const std::string& apdu : plan.All()) question += "\n" + Utf8(apdu);
    question += "\n\nWrite to the card?";
    if (CDialogService::Instance().MessageBox(this, question, kCaption, QMessageBox::Question,
                                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    std::string data, status;
    for (const std::string& apdu : plan.m_select) {
        if (!Send(apdu, data, status) || status.rfind("9F", 0) != 0) {
            return Warn("SELECT " + Utf8(apdu.substr(10)) + " failed. " + (status.empty() ? "The card did not answer." : Refusal(status)));
        }
    }
    for (const std::string& apdu : plan.m_write) {
        if (!Send(apdu, data, status) || status != "9000") {
            return Warn("The card refused the write. " + (status.empty() ? "It did not answer." : Refusal(status)));
        }
    }
    std::vector<CBytes> readBack;
    for (const std::string& apdu : plan.m_readBack) {
        CBytes part;
        if (!Send(apdu, data, status) || status != "9000" || !AppendStrictHex(data, part)) {
            return Warn("Written, but the read-back failed. " + (status.empty() ? QString() : Refusal(status)));
        }
        readBack.push_back(part);
    }
    const std::vector<std::size_t> differences = plan.Differences(readBack);
    ReadOneFile(pFile->m_strPath);  // the tree and fields show what the card now holds
    if (differences.empty()) {
        m_pState->setText("Written and read back: the card holds what was written.");
    } else {
        QStringList offsets;
        for (std::size_t offset : differences) offsets << QString::number(offset + 1);
        m_pState->setText("Read back differs at byte " + offsets.join(", ") + " of what was written.");
        Warn(m_pState->text());
    }
}

// ---------------------------------------------------------------- codes

void CExplorerWindow::RefreshCodeStates() {
    // STATUS answers the current directory's description, with the attempts left.
    std::string data, status;
    if (!Send("A0F2000016", data, status) || status != "9000") return;
    CBytes bytes;
    if (!AppendStrictHex(data, bytes)) return;
    if (std::optional<CFileHeader> header = CFileHeader::Parse(bytes)) {
        m_codeHeader = header;
        m_codeStates.m_bChv1Disabled = header->m_bChv1Disabled;
    }
}

bool CExplorerWindow::RunCodeCommand(const std::string& strOperation, CCodeCommand::Code code,
                                     std::string strFirst, std::string strSecond) {
    std::string apdu;
    bool bBuilt = false;
    if (strOperation == "Verify") bBuilt = CCodeCommand::Verify(code, strFirst, apdu);
    else if (strOperation == "Change") bBuilt = CCodeCommand::Change(code, strFirst, strSecond, apdu);
    else if (strOperation == "Disable") bBuilt = CCodeCommand::Disable(strFirst, apdu);
    else if (strOperation == "Enable") bBuilt = CCodeCommand::Enable(strFirst, apdu);
    else if (strOperation == "Unblock") bBuilt = CCodeCommand::Unblock(code, strFirst, strSecond, apdu);
    CCodeCommand::Forget(strFirst);
    CCodeCommand::Forget(strSecond);
    if (!bBuilt) {
        Warn("A code is 4 to 8 digits (an unblock code 8 digits; ADM also 16 hex digits).");
        return false;
    }
    std::string data, status;
    const bool bAnswered = Send(m_codeExchange, apdu, data, status);
    CCodeCommand::Forget(apdu);
    const std::string name = CCodeCommand::Name(code);
    if (bAnswered && status == "9000") {
        if (strOperation == "Verify" || strOperation == "Change" || strOperation == "Unblock") {
            m_codeStates.m_verified.insert(name);
        }
    }
    RefreshCodeStates();
    ShowSelected();
    if (!bAnswered) {
        Warn("The card did not answer.");
        return false;
    }
    if (status != "9000") {
        Warn(QString::fromStdString(strOperation + " " + name + " refused. ") + Refusal(status) + "\n" + CodeStateText());
        return false;
    }
    m_pState->setText(Utf8(strOperation + " " + name + ": done."));
    return true;
}

void CExplorerWindow::OnCodeButton(const char* pOperation) {
    CCodeCommand::Code code = CCodeCommand::Code::Chv1;
    CCodeCommand::FromName(m_pCode->currentText().toStdString(), code);
    const std::string operation = pOperation;
    if ((operation == "Disable" || operation == "Enable") && code != CCodeCommand::Code::Chv1) {
        return Warn("Only CHV1 can be disabled and enabled.");
    }
    if ((operation == "Change" || operation == "Unblock") && code == CCodeCommand::Code::Adm) {
        return Warn("ADM cannot be changed or unblocked from here.");
    }
    if (!m_codeHeader) RefreshCodeStates();
    const bool bUnblock = operation == "Unblock";
    std::optional<CFileHeader::CCodeState> state;
    if (m_codeHeader) {
        const bool bChv1 = code == CCodeCommand::Code::Chv1;
        state = bUnblock ? (bChv1 ? m_codeHeader->m_unblockChv1 : m_codeHeader->m_unblockChv2)
                         : (bChv1 ? m_codeHeader->m_chv1 : m_codeHeader->m_chv2);
    }
    const int attempts = code == CCodeCommand::Code::Adm || !state ? -1 : state->m_nAttemptsLeft;
    CCodeDialog dialog(this, operation + " " + CCodeCommand::Name(code), bUnblock ? "Unblock code:" : "Code:",
                       operation == "Change" ? "New code:" : bUnblock ? "New code:" : nullptr, attempts);
    if (CDialogService::Instance().ExecModal(dialog) != QDialog::Accepted) return;
    std::string first = dialog.First();
    std::string second = dialog.Second();
    dialog.Clear();
    if (attempts == 1) {
        const QString last = QString("This is the last attempt: a wrong code blocks %1%2. Go on?")
                                 .arg(bUnblock ? "UNBLOCK " : "", CCodeCommand::Name(code));
        if (CDialogService::Instance().MessageBox(this, last, kCaption, QMessageBox::Warning,
                                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            CCodeCommand::Forget(first);
            CCodeCommand::Forget(second);
            return;
        }
    }
    RunCodeCommand(operation, code, std::move(first), std::move(second));
}

// ---------------------------------------------------------------- saving

CDialogService::SFileDialog CExplorerWindow::DumpFileDialog() {
    CDialogService::SFileDialog options;
    options.strDefaultSuffix = "json";
    options.filters = QStringList{"Card Dumps (*.json)", "All Files (*)"};
    return options;
}

bool CExplorerWindow::AskForDump(QWidget* pParent, const QString& strTitle, CCardDump& dump, QString& strName) {
    CDialogService::SFileDialog options = DumpFileDialog();
    options.strTitle = strTitle;
    const QString path = CDialogService::Instance().GetOpenFileName(pParent, options);
    if (path.isEmpty()) return false;
    QString error;
    std::optional<CCardDump> loaded = CDumpLoader::Load(path, error);
    if (!loaded) {
        CDialogService::Instance().MessageBox(pParent, error, kCaption, QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    dump = std::move(*loaded);
    strName = QFileInfo(path).fileName();
    return true;
}

void CExplorerWindow::OnSaveDump() {
    const CDialogService::SFileDialog options = DumpFileDialog();
    const QString path = CDialogService::Instance().GetSaveFileName(this, options);
    if (path.isEmpty()) return;
    QString error;
    if (!CDumpJson::Save(m_dump, path, error)) return Warn(error);
    m_pState->setText("Dump saved to " + path);
}

void CExplorerWindow::OnSaveTwin() {
    CDialogService::SFileDialog options;
    options.strDefaultSuffix = "sim";
    options.filters = QStringList{"Virtual Card Profiles (*.sim)"};
    const QString path = CDialogService::Instance().GetSaveFileName(this, options);
    if (path.isEmpty()) return;
    CTwinBuilder builder(nullptr);
    std::string profile, error;
    if (!builder.Build(m_dump, profile, error)) return Warn(Utf8(error));
    QString saveError;
    if (!CScriptFile::SaveBytes(path, profile, &saveError)) return Warn(saveError);
    QString state = "Virtual card saved to " + path;
    for (const std::string& note : builder.Notes()) state += "\n" + Utf8(note);
    m_pState->setText(state);
}

void CExplorerWindow::OnSaveRestoreScript() {
    CDialogService::SFileDialog options;
    options.strDefaultSuffix = "scp";
    options.filters = QStringList{"Script Files (*.scp)"};
    const QString path = CDialogService::Instance().GetSaveFileName(this, options);
    if (path.isEmpty()) return;
    const CRestoreScript script(m_dump);
    QString error;
    if (!CScriptFile::SaveBytes(path, script.Text(), &error)) return Warn(error);
    QString state = QString("Restore script saved to %1 (%2 rows).").arg(path).arg(script.Rows().size());
    for (const CRestoreScript::CGroup& group : script.Groups()) {
        if (group.m_strCode != "ALW") {
            state += QString("\nRows %1 to %2 need %3: put its VERIFY row before them.")
                         .arg(group.m_nFirstRow)
                         .arg(group.m_nFirstRow + group.m_nRowCount - 1)
                         .arg(Utf8(group.m_strCode));
        }
    }
    m_pState->setText(state);
}

void CExplorerWindow::Warn(const QString& strText) {
    CDialogService::Instance().MessageBox(this, strText, kCaption, QMessageBox::Warning, QMessageBox::Ok);
}

// ---------------------------------------------------------------- placement

void CExplorerWindow::SaveGeometryAndSplitters() {
    CProfile::WriteBinary(kProfileSection, "Geometry", saveGeometry());
    CProfile::WriteBinary(kProfileSection, "MainSplitter", m_pMainSplitter->saveState());
    CProfile::WriteBinary(kProfileSection, "DetailSplitter", m_pDetailSplitter->saveState());
}

void CExplorerWindow::RestoreGeometryAndSplitters() {
    const QByteArray geometry = CProfile::GetBinary(kProfileSection, "Geometry");
    if (!geometry.isEmpty()) restoreGeometry(geometry);
    m_pMainSplitter->restoreState(CProfile::GetBinary(kProfileSection, "MainSplitter"));
    m_pDetailSplitter->restoreState(CProfile::GetBinary(kProfileSection, "DetailSplitter"));
}

void CExplorerWindow::closeEvent(QCloseEvent* pEvent) {
    CancelRead();
    // Codes are kept only while the window is open.
    m_codeStates = CCodeStates();
    SaveGeometryAndSplitters();
    QWidget::closeEvent(pEvent);
    emit Closed();
}
