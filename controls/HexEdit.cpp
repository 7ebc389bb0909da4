#include "HexEdit.h"

#include "Beep.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>
#include <memory>

const QString CHexEdit::kHexCharacters = QStringLiteral("0123456789AaBbCcDdEeFf");

CHexEdit::CHexEdit(QWidget* pParent) : CHexEdit(kHexCharacters, pParent) {}

CHexEdit::CHexEdit(const QString& strAccepted, QWidget* pParent)
    : QLineEdit(pParent), m_strAccepted(strAccepted) {
    // Digits need no composing; without an input method every character is a key press.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool CHexEdit::IsControl(QChar ch) {
    return ch.unicode() < 32 || ch.unicode() == 127;
}

bool CHexEdit::IsShortcut(const QKeyEvent* pEvent) {
    // Ctrl with a letter is never typed text, whatever text the platform attaches to it;
    // the line edit itself inserts nothing for it either.
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::ControlModifier ||
           modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
}

QString CHexEdit::Filter(const QString& strText, bool* pbDropped) const {
    QString strKept;
    bool bDropped = false;
    for (const QChar ch : strText) {
        if (IsAccepted(ch)) {
            strKept += ch.toUpper();
        } else {
            bDropped = true;
        }
    }
    if (pbDropped) *pbDropped = bDropped;
    return strKept;
}

QString CHexEdit::CutToLimit(const QString& strText) const {
    if (m_nTypedLimit <= 0) return strText;
    const int nKept = text().size() - selectedText().size();
    return strText.left(qMax(0, m_nTypedLimit - nKept));
}

void CHexEdit::InsertFiltered(const QString& strText) {
    bool bDropped = false;
    const QString strKept = CutToLimit(Filter(strText, &bDropped));
    if (bDropped) CBeep::Play();
    if (!strKept.isEmpty()) insert(strKept);
}

void CHexEdit::PasteFiltered() {
    if (isReadOnly()) return;
    InsertFiltered(QGuiApplication::clipboard()->text());
}

// QLineEdit overrides

void CHexEdit::keyPressEvent(QKeyEvent* pEvent) {
    if (pEvent->matches(QKeySequence::Paste)) {
        PasteFiltered();
        pEvent->accept();
        return;
    }
    const QString strTyped = pEvent->text();
    if (IsShortcut(pEvent) || std::all_of(strTyped.begin(), strTyped.end(), &CHexEdit::IsControl)) {
        QLineEdit::keyPressEvent(pEvent);  // Backspace, Tab, Enter, keys without text
        return;
    }
    bool bDropped = false;
    const QString strInserted = CutToLimit(Filter(strTyped, &bDropped));
    if (bDropped) CBeep::Play();
    if (strInserted.isEmpty()) {
        pEvent->accept();
        return;
    }
    // The same key with the kept text, so that the line edit's own handling (selection
    // replaced, undo, textEdited) stays as it is for any typed character.
    QKeyEvent upper(pEvent->type(), pEvent->key(), pEvent->modifiers(), strInserted,
                    pEvent->isAutoRepeat(), pEvent->count());
    QLineEdit::keyPressEvent(&upper);
    pEvent->setAccepted(upper.isAccepted());
}

QAction* CHexEdit::FindPasteAction(const QMenu* pMenu) {
    // The line edit names its Paste item only by its (translated) text.
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->objectName() == QLatin1String("edit-paste") ||
            pAction->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) {
            return pAction;
        }
    }
    return nullptr;
}

QMenu* CHexEdit::CreateContextMenu() {
    QMenu* pMenu = createStandardContextMenu();
    if (QAction* pPaste = FindPasteAction(pMenu)) {
        pPaste->disconnect(this);
        connect(pPaste, &QAction::triggered, this, &CHexEdit::PasteFiltered);
    }
    return pMenu;
}

void CHexEdit::inputMethodEvent(QInputMethodEvent* pEvent) {
    if (pEvent->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(pEvent);
        return;
    }
    bool bDropped = false;
    const QString strKept = CutToLimit(Filter(pEvent->commitString(), &bDropped));
    if (bDropped) CBeep::Play();
    QInputMethodEvent filtered(pEvent->preeditString(), pEvent->attributes());
    filtered.setCommitString(strKept, pEvent->replacementStart(), pEvent->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    pEvent->setAccepted(filtered.isAccepted());
}

void CHexEdit::contextMenuEvent(QContextMenuEvent* pEvent) {
    const std::unique_ptr<QMenu> pMenu(CreateContextMenu());
    pMenu->exec(pEvent->globalPos());
}

void CHexEdit::mouseReleaseEvent(QMouseEvent* pEvent) {
    const QClipboard* pClipboard = QGuiApplication::clipboard();
    if (pEvent->button() == Qt::MiddleButton && pClipboard->supportsSelection() && !isReadOnly()) {
        // The selection paste of X11, which the line edit would insert unfiltered.
        deselect();
        InsertFiltered(pClipboard->text(QClipboard::Selection));
        pEvent->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(pEvent);
}

void CHexEdit::dropEvent(QDropEvent* pEvent) {
    const QMimeData* pDropped = pEvent->mimeData();
    if (!pDropped || !pDropped->hasText()) {
        QLineEdit::dropEvent(pEvent);
        return;
    }
    bool bDropped = false;
    const QString strKept = CutToLimit(Filter(pDropped->text(), &bDropped));
    if (bDropped) CBeep::Play();
    if (strKept.isEmpty()) {
        pEvent->ignore();
        return;
    }
    QMimeData filtered;
    filtered.setText(strKept);
    QDropEvent replacement(pEvent->position(), pEvent->possibleActions(), &filtered,
                           pEvent->buttons(), pEvent->modifiers(), pEvent->type());
    QLineEdit::dropEvent(&replacement);
    pEvent->setDropAction(replacement.dropAction());
    pEvent->setAccepted(replacement.isAccepted());
}
