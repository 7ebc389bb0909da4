// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageDialog.h"

#include <QByteArray>
#include <QString>

#include <string>

class CColorListBox;
class QPoint;

// Page 4: every exchange of the run as coloured lines, with Clear and Save As in its
// context menu. Lines arrive through AppendRecord whether or not the page is shown.
class CTracePage : public CPageDialog {
    Q_OBJECT

public:
    explicit CTracePage(QWidget* pParent = nullptr);

    void AppendRecord(const std::string& strCommand, const std::string& strResponse);
    CColorListBox* List() const { return m_pList; }

    void OnContextMenu(const QPoint& screenPos);
    void OnClear();
    void OnSaveAs();
    // The tooltip of a trace line: a status word's meaning, else nothing.
    static QString LineTip(const QByteArray& line);

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    QWidget* CreateControl(const SDialogControl& control) override;
    void OnCommand(int nId) override;
    // QObject: the tooltips of the list's lines.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    CColorListBox* m_pList = nullptr;
};
