// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogService.h"

#include <deque>
#include <functional>
#include <vector>

// Answers every dialog at once and records what was asked, so tests never wait for a
// nested loop.
class CFakeDialogService : public CDialogService {
public:
    struct SMessage {
        QString strText;
        QMessageBox::Icon icon;
    };
    struct SModal {
        QString strTitle;
        QStringList texts;  // every label's text, in creation order
        bool bWaitCursor;   // the wait cursor was up while it showed
    };
    struct SSaveRequest {
        SFileDialog options;
    };

    QMessageBox::StandardButton MessageBox(QWidget* pParent, const QString& strText,
                                           const QString& strCaption, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons) override;
    QString GetSaveFileName(QWidget* pParent, const SFileDialog& options) override;
    QString GetOpenFileName(QWidget* pParent, const SFileDialog& options) override;
    int ExecModal(QDialog& dialog) override;
    QAction* ExecMenu(QMenu& menu, const QPoint& screenPos) override;
    bool OpenDocument(const QString& strPath) override;

    std::vector<SMessage> m_messages;
    std::deque<QMessageBox::StandardButton> m_buttonAnswers;  // the next boxes' buttons; then OK
    std::vector<SModal> m_modals;
    std::vector<SSaveRequest> m_saveRequests;
    std::deque<QString> m_saveAnswers;  // an empty answer cancels
    std::deque<QString> m_openAnswers;  // likewise
    // Plays the user's part in a modal dialog and gives its result; by default OK at once.
    std::function<int(QDialog&)> m_answerModal;
    std::vector<QPoint> m_menuPositions;
    std::vector<QStringList> m_menuTexts;
    // Picks the action of a popup menu (null cancels); by default the menu is cancelled.
    std::function<QAction*(QMenu&)> m_chooseMenuItem;
    QStringList m_openedDocuments;
};
