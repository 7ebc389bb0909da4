// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageDialog.h"

#include <QString>

#include <memory>

class CDragListCtrl;
class CScriptEngine;
class CScriptListRows;
class QMenu;

// Page 3 of the main window: a script of APDU rows in an item list, created, opened, saved
// and exported as files, run against the card (Play, Step, Reset) and edited in place
// through context menus, keys and two small dialogs. The list's model is the one store of
// the rows; the file formats and the run engine work on it through CScriptListRows.
class CScriptPage : public CPageDialog {
    Q_OBJECT

public:
    explicit CScriptPage(QWidget* pParent = nullptr);
    ~CScriptPage() override;

    CDragListCtrl* List() const { return m_pList; }
    const QString& PathName() const { return m_strPathName; }
    const QString& FileTitle() const { return m_strFileTitle; }
    bool IsListFocused() const { return m_bListFocused; }

    // Replaces the rows by the script file; false, with the "Could not open " message and
    // nothing changed, when it cannot be read. Open and the program's command line use it.
    bool OpenScript(const QString& strPath);

    void OnNew();
    void OnOpen();
    void OnSave();
    // Always asks for a name; the script takes it only once the rows are written there.
    void OnSaveAs();
    void OnExport();
    void OnPlay();
    void OnStep();
    void OnReset();
    void OnEditCommand();
    void OnClearOutput();
    void OnCopy();
    void OnCut();
    void OnPaste();
    void OnDelete();
    void OnInsert();
    void OnToggleBreakpoint();
    void OnSelectAll();
    void OnProperties();
    void OnContextMenu(const QPoint& screenPos);

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    QWidget* CreateControl(const SDialogControl& control) override;
    bool OnInitDialog() override;
    void OnEnter() override;
    void OnCommand(int nId) override;
    QString OnSaveForNextRun() override;

    // QObject
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The Item column shows the row numbers whole (at least three digits) while the user
    // has not set its width.
    void FitItemColumn();
    int ItemColumnWidth(int nDigits) const;
    bool IsFittedItemWidth(int nWidth) const;
    void OnHeaderSectionResized(int nColumn);
    void AddAccelerators();
    void AddTooltips();
    void SetScriptName(const QString& strPath);
    // The Item column renumbered with the digits of the row count; an emptied list shows
    // its message again at once.
    void Renumber();
    bool HasSelection() const;
    // The editing commands act only on a selection in the focused list.
    bool CanEditSelection() const { return m_bListFocused && HasSelection(); }
    bool WriteScript(const QString& strPath, bool bWithResults);
    void ShowCouldNotOpen(const QString& strPath);
    // Connects through the main window when needed; false when there is still no connection.
    bool EnsureConnected();
    // One operation of the run engine on the list's rows.
    void RunEngine(void (CScriptEngine::*pOperation)());

    CDragListCtrl* m_pList = nullptr;
    std::unique_ptr<CScriptListRows> m_pRows;
    QString m_strPathName;
    QString m_strFileTitle;
    bool m_bListFocused = false;
    bool m_bItemWidthByUser = false;
    bool m_bFittingItem = false;
};
