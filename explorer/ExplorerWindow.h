// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessText.h"
#include "CardDump.h"
#include "CardWalker.h"
#include "CodeCommand.h"
#include "DialogService.h"
#include "FieldByteMap.h"
#include "ValueEditor.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class CHexView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The whole card at a glance: the tree of the card's files (or of a dump), the selected
// file's header, what the codes presented allow, its decoded fields beside its bytes, and
// the ways to write it, present codes, read the whole card and save what was read. Every
// APDU goes through the exchange function, so the trace shows them all; a whole-card read
// sends one APDU per turn of the event loop, so the window keeps painting and Cancel works.
class CExplorerWindow : public QWidget {
    Q_OBJECT

public:
    using ExchangeFunction = CCardWalker::ExchangeFunction;

    // codeExchange sends the code commands; by default exchange does. The program's traces
    // them with the codes masked.
    explicit CExplorerWindow(ExchangeFunction exchange, QWidget* pParent = nullptr,
                             ExchangeFunction codeExchange = {});
    ~CExplorerWindow() override;

    // The card in the reader: the catalogue's files, each read when it is opened.
    void ExploreCard();
    // A dump without any card; false (after a message) when it cannot be read.
    bool OpenDump(const QString& strPath);
    // Whether a card is in the reader; a whole-card read that loses it stops with a message.
    void SetCardPresent(bool bPresent);

    // The file dialog of dumps, and a dump chosen with it and read (false after a message,
    // or when the user cancelled).
    static CDialogService::SFileDialog DumpFileDialog();
    static bool AskForDump(QWidget* pParent, const QString& strTitle, CCardDump& dump, QString& strName);
    bool IsLive() const { return m_bLive; }

    void ReadWholeCard();
    void CancelRead();
    bool IsReading() const { return m_pWalker != nullptr; }
    // Selects the node of a path (and reads it from a live card when it is not read yet).
    bool SelectPath(const std::string& strPath);
    void SelectRecord(int nRecord);
    // The field row for a byte of the hex view, and the other way round.
    void OnByteClicked(int nOffset);
    void OnFieldSelected();
    // Shows the APDUs, asks, writes the edited bytes and reads them back.
    void OnWrite();
    // The typed values as the bytes to write; false after a message when they do not encode.
    bool EncodeValues();
    void OnSaveDump();
    void OnSaveTwin();
    void OnSaveRestoreScript();

    // For the tests and the rendering tool.
    const CCardDump& Dump() const { return m_dump; }
    const CCodeStates& CodeStates() const { return m_codeStates; }
    QTreeWidget* Tree() const { return m_pTree; }
    QTableWidget* FieldTable() const { return m_pFields; }
    CHexView* HexView() const { return m_pHex; }
    QLineEdit* EditBytes() const { return m_pEditBytes; }
    QLineEdit* ValueEdit(int nInput) const { return m_valueEdits[nInput]; }
    QLabel* StateLabel() const { return m_pState; }
    QPlainTextEdit* HeaderText() const { return m_pHeader; }
    QProgressBar* Progress() const { return m_pProgress; }
    QString CodeStateText() const;
    // Presents or manages a code with the codes given (the window's dialogs ask for them).
    bool RunCodeCommand(const std::string& strOperation, CCodeCommand::Code code,
                        std::string strFirst, std::string strSecond);

signals:
    void Closed();

protected:
    // QWidget
    void closeEvent(QCloseEvent* pEvent) override;

private:
    QWidget* MakeToolRow();
    QWidget* MakeDetails();
    QWidget* MakeCodesRow();
    void RebuildTree();
    void ShowSelected();
    void ShowContents(const CDumpedFile& file);
    void ShowValues(const CDumpedFile& file, const CBytes& bytes);
    void UpdateButtons();
    void OnTreeSelection();
    void OnStep();
    void StopWalker();
    void FinishRead();
    void ReadOneFile(const std::string& strPath);
    void Merge(const CCardDump& read);
    const CDumpedFile* SelectedFile() const;
    CBytes SelectedBytes() const;
    bool Send(const std::string& strApdu, std::string& strData, std::string& strStatus) {
        return Send(m_exchange, strApdu, strData, strStatus);
    }
    static bool Send(const ExchangeFunction& exchange, const std::string& strApdu, std::string& strData,
                     std::string& strStatus);
    void RefreshCodeStates();
    void OnCodeButton(const char* pOperation);
    void Warn(const QString& strText);
    void SaveGeometryAndSplitters();
    void RestoreGeometryAndSplitters();

    ExchangeFunction m_exchange;
    ExchangeFunction m_codeExchange;
    CCardDump m_dump;
    bool m_bLive = false;
    bool m_bCardPresent = true;
    CCodeStates m_codeStates;
    std::optional<CFileHeader> m_codeHeader;  // the latest directory header: code states
    std::optional<CValueEditor> m_valueEditor;  // the selected file's values, when it has any
    bool m_bValuesEdited = false;
    std::string m_strSelected;
    std::unique_ptr<CCardWalker> m_pWalker;
    bool m_bWholeRead = false;
    QTimer m_stepTimer;
    QElapsedTimer m_progressClock;  // since the progress bar was last set
    static constexpr qint64 kProgressPeriodMs = 40;
    CFieldByteMap m_fieldMap{{}};
    bool m_bSyncing = false;

    QTreeWidget* m_pTree = nullptr;
    QPlainTextEdit* m_pHeader = nullptr;
    QSpinBox* m_pRecord = nullptr;
    QLabel* m_pRecordLabel = nullptr;
    QTableWidget* m_pFields = nullptr;
    CHexView* m_pHex = nullptr;
    QLineEdit* m_pEditBytes = nullptr;
    static constexpr int kValueInputs = 2;
    QLabel* m_valueLabels[kValueInputs] = {};
    QLineEdit* m_valueEdits[kValueInputs] = {};
    QPushButton* m_pEncode = nullptr;
    QPushButton* m_pWrite = nullptr;
    QPushButton* m_pReadAll = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pSaveDump = nullptr;
    QPushButton* m_pSaveTwin = nullptr;
    QPushButton* m_pSaveRestore = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pState = nullptr;
    QComboBox* m_pCode = nullptr;
    QLabel* m_pCodeStates = nullptr;
    QList<QPushButton*> m_codeButtons;
    QSplitter* m_pMainSplitter = nullptr;
    QSplitter* m_pDetailSplitter = nullptr;
};
