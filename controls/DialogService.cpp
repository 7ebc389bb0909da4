// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogService.h"

#include "MenuResource.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMenu>
#include <QUrl>

#include <utility>

namespace {

CDialogService* g_pInstalledService = nullptr;

void Configure(QFileDialog& dialog, const CDialogService::SFileDialog& options) {
    dialog.setNameFilters(options.filters);
    dialog.setDefaultSuffix(options.strDefaultSuffix);
    if (!options.strDirectory.isEmpty()) dialog.setDirectory(options.strDirectory);
    if (!options.strFileName.isEmpty()) dialog.selectFile(options.strFileName);
    if (!options.strTitle.isEmpty()) dialog.setWindowTitle(options.strTitle);
}

}  // namespace

QMessageBox::StandardButton CDialogService::MessageBox(QWidget* pParent, const QString& strText,
                                                       const QString& strCaption,
                                                       QMessageBox::Icon icon,
                                                       QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, strCaption, strText, buttons, pParent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void CDialogService::Warn(QWidget* pParent, const QString& strText) {
    MessageBox(pParent, strText, QCoreApplication::applicationName(), QMessageBox::Warning,
               QMessageBox::Ok);
}

int CDialogService::ExecMenuWithPrompts(QMenu& menu, const QPoint& screenPos,
                                        const std::function<void(const QString&)>& showPrompt,
                                        const std::function<void()>& onHidden) {
    QObject::connect(&menu, &QMenu::hovered, [showPrompt](QAction* pAction) {
        showPrompt(CMenuResource::PromptOf(pAction));
    });
    if (onHidden) QObject::connect(&menu, &QMenu::aboutToHide, onHidden);
    return CMenuResource::CommandOf(ExecMenu(menu, screenPos));
}

QString CDialogService::GetSaveFileName(QWidget* pParent, const SFileDialog& options) {
    QFileDialog dialog(pParent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.bConfirmOverwrite);
    Configure(dialog, options);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString CDialogService::GetOpenFileName(QWidget* pParent, const SFileDialog& options) {
    QFileDialog dialog(pParent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Configure(dialog, options);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString CDialogService::AskSaveFile(QWidget* pParent, SFileDialog options,
                                    CFileFolders::EKind kind) {
    return AskInFolder(&CDialogService::GetSaveFileName, pParent, std::move(options), kind);
}

QString CDialogService::AskOpenFile(QWidget* pParent, SFileDialog options,
                                    CFileFolders::EKind kind) {
    return AskInFolder(&CDialogService::GetOpenFileName, pParent, std::move(options), kind);
}

QString CDialogService::AskInFolder(FileQuestion ask, QWidget* pParent, SFileDialog options,
                                    CFileFolders::EKind kind) {
    options.strDirectory = CFileFolders::Folder(kind);
    const QString strPath = (this->*ask)(pParent, options);
    CFileFolders::Remember(kind, strPath);
    return strPath;
}

int CDialogService::ExecModal(QDialog& dialog) { return dialog.exec(); }

QAction* CDialogService::ExecMenu(QMenu& menu, const QPoint& screenPos) {
    return menu.exec(screenPos);
}

bool CDialogService::OpenDocument(const QString& strPath) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(strPath));
}

CDialogService& CDialogService::Instance() {
    static CDialogService defaultService;
    return g_pInstalledService != nullptr ? *g_pInstalledService : defaultService;
}

void CDialogService::SetInstance(CDialogService* pService) { g_pInstalledService = pService; }
