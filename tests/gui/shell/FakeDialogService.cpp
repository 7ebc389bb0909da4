// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeDialogService.h"

#include <QAction>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

namespace {

// The next prepared answer; none left cancels.
QString TakeAnswer(std::deque<QString>& answers) {
    if (answers.empty()) return {};
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

QMessageBox::StandardButton CFakeDialogService::MessageBox(QWidget*, const QString& strText,
                                                           const QString&, QMessageBox::Icon icon,
                                                           QMessageBox::StandardButtons) {
    m_messages.push_back({strText, icon});
    if (m_buttonAnswers.empty()) return QMessageBox::Ok;
    const QMessageBox::StandardButton answer = m_buttonAnswers.front();
    m_buttonAnswers.pop_front();
    return answer;
}

QString CFakeDialogService::GetSaveFileName(QWidget*, const SFileDialog& options) {
    m_saveRequests.push_back({options});
    return TakeAnswer(m_saveAnswers);
}

QString CFakeDialogService::GetOpenFileName(QWidget*, const SFileDialog&) {
    return TakeAnswer(m_openAnswers);
}

int CFakeDialogService::ExecModal(QDialog& dialog) {
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    SModal modal{
        dialog.windowTitle(), {}, pCursor != nullptr && pCursor->shape() == Qt::WaitCursor};
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
