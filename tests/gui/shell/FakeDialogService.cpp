#include "FakeDialogService.h"

#include <QAction>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

QMessageBox::StandardButton CFakeDialogService::MessageBox(QWidget*, const QString& strText,
                                                           const QString& strCaption,
                                                           QMessageBox::Icon icon,
                                                           QMessageBox::StandardButtons buttons) {
    m_messages.push_back({strText, strCaption, icon, buttons});
    return QMessageBox::Ok;
}

QString CFakeDialogService::GetSaveFileName(QWidget*, const SFileDialog& options) {
    m_saveRequests.push_back({options});
    if (m_saveAnswers.empty()) return {};
    const QString answer = m_saveAnswers.front();
    m_saveAnswers.pop_front();
    return answer;
}

QString CFakeDialogService::GetOpenFileName(QWidget*, const SFileDialog&) {
    if (m_openAnswers.empty()) return {};
    const QString answer = m_openAnswers.front();
    m_openAnswers.pop_front();
    return answer;
}

int CFakeDialogService::ExecModal(QDialog& dialog) {
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    SModal modal{dialog.windowTitle(),
                 {},
                 dialog.size(),
                 pCursor != nullptr && pCursor->shape() == Qt::WaitCursor};
    for (const QLabel* pLabel : dialog.findChildren<QLabel*>())
        if (!pLabel->text().isEmpty()) modal.texts << pLabel->text();
    m_modals.push_back(modal);
    return m_answerModal ? m_answerModal(dialog) : QDialog::Accepted;
}

QAction* CFakeDialogService::ExecMenu(QMenu& menu, const QPoint& screenPos) {
    m_menuPositions.push_back(screenPos);
    QStringList texts;
    for (const QAction* pAction : menu.actions())
        texts << (pAction->isSeparator() ? QString() : pAction->text());
    m_menuTexts.push_back(texts);
    QAction* pChosen = m_chooseMenuItem ? m_chooseMenuItem(menu) : nullptr;
    // The menu closes whatever was chosen.
    emit menu.aboutToHide();
    return pChosen;
}

bool CFakeDialogService::OpenDocument(const QString& strPath) {
    m_openedDocuments << strPath;
    return true;
}
