// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableDialog.h"

#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <string>

class CHexEdit;
class QKeyEvent;
class QLineEdit;

// A page of the main window: a child dialog that never ends itself. Enter and Escape do
// nothing unless the page gives Enter a meaning (OnEnter), and the page knows which of its
// controls holds the keyboard focus.
class CPageDialog : public CResizableDialog {
    Q_OBJECT

public:
    explicit CPageDialog(int nTemplateId, QWidget* pParent = nullptr);
    ~CPageDialog() override;

    // Keeps what the page holds for the next run, once: the main window calls it before it
    // goes, so that a failure can still be shown; a page destroyed without it calls it itself.
    // The warning to show, empty when everything was kept.
    QString SaveForNextRun();

protected:
    // Captures the layout and starts following the focus; pages call it first.
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // Return or Enter without modifiers, whichever control has the focus.
    virtual void OnEnter() {}
    // What SaveForNextRun does for this page.
    virtual QString OnSaveForNextRun() { return QString(); }

    // True while pControl, or a part of it such as a combo box's edit field, has the focus.
    bool HasFocus(const QWidget* pControl) const;

    // Writing the same text again would move the caret for nothing.
    static void SetText(QLineEdit* pEdit, const std::string& strText);
    CHexEdit* MakeHexEdit(int nTypedLimit);

    // QWidget
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void OnFocusChanged(QWidget* pOld, QWidget* pNow);

    QMetaObject::Connection m_focusConnection;
    QPointer<QWidget> m_pFocusWidget;
    bool m_bSavedForNextRun = false;
};
