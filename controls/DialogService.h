// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileFolders.h"

#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QDialog;
class QMenu;
class QWidget;

// Everything that waits for the user in a nested loop goes through here: message boxes,
// file dialogs, modal dialogs and popup menus, and the opening of documents with the
// desktop's handler. Tests install their own service that answers at once.
class CDialogService {
public:
    struct SFileDialog {
        QString strTitle;          // empty: the platform's default title
        QString strDefaultSuffix;  // without the dot, e.g. "log"
        QString strFileName;       // initial file name
        QString strDirectory;      // the folder it opens in; empty: the platform's choice
        QStringList filters;       // e.g. "Log Files (*.log)"
        bool bConfirmOverwrite = true;
    };

    virtual ~CDialogService() = default;

    // A message box with the given icon and buttons; returns the button pressed.
    virtual QMessageBox::StandardButton MessageBox(QWidget* pParent, const QString& strText,
                                                   const QString& strCaption, QMessageBox::Icon icon,
                                                   QMessageBox::StandardButtons buttons);
    // The warning box of a file that could not be read or written: one OK button, the
    // warning icon and the application's name as caption.
    void Warn(QWidget* pParent, const QString& strText);
    // The chosen path, or an empty string when the user cancelled.
    virtual QString GetSaveFileName(QWidget* pParent, const SFileDialog& options);
    virtual QString GetOpenFileName(QWidget* pParent, const SFileDialog& options);
    // The file dialogs of one kind of file: each opens in the folder where the last file of
    // that kind was chosen, and remembers the folder of the file chosen now.
    QString AskSaveFile(QWidget* pParent, SFileDialog options, CFileFolders::EKind kind);
    QString AskOpenFile(QWidget* pParent, SFileDialog options, CFileFolders::EKind kind);
    // Runs a dialog modally; returns its result code.
    virtual int ExecModal(QDialog& dialog);
    // Shows a popup menu at a screen point; returns the chosen action or null.
    virtual QAction* ExecMenu(QMenu& menu, const QPoint& screenPos);
    // ExecMenu for a menu of commands: while it is open the prompt of the hovered item goes
    // to showPrompt, and onHidden (when given) runs as it closes. Returns the chosen
    // command's id, 0 when nothing was chosen.
    int ExecMenuWithPrompts(QMenu& menu, const QPoint& screenPos,
                            const std::function<void(const QString&)>& showPrompt,
                            const std::function<void()>& onHidden = {});
    // Opens a local file with the desktop's handler; false when that failed.
    virtual bool OpenDocument(const QString& strPath);

    // The service in use; the default one until a test installs its own.
    static CDialogService& Instance();
    // Installs a service (null: the default one again); the caller keeps ownership.
    static void SetInstance(CDialogService* pService);

private:
    using FileQuestion = QString (CDialogService::*)(QWidget*, const SFileDialog&);
    QString AskInFolder(FileQuestion ask, QWidget* pParent, SFileDialog options,
                        CFileFolders::EKind kind);
};
