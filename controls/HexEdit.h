#pragma once

#include <QLineEdit>
#include <QString>

class QAction;
class QMenu;

// A line edit that takes only the characters of its accepted set, hexadecimal digits
// unless told otherwise. A refused character is dropped with the simple beep; control
// characters (Backspace, Tab, Enter, the clipboard shortcuts) pass. Accepted letters are
// shown in upper case. Pasted and dropped text is filtered the same way, so a blank or a
// lower-case letter never reaches the card.
class CHexEdit : public QLineEdit {
    Q_OBJECT

public:
    static const QString kHexCharacters;

    explicit CHexEdit(QWidget* pParent = nullptr);
    CHexEdit(const QString& strAccepted, QWidget* pParent = nullptr);

    // Limits typed and pasted text without cutting text the program sets; 0 = no limit.
    void SetTypedLimit(int nLimit) { m_nTypedLimit = nLimit; }
    int TypedLimit() const { return m_nTypedLimit; }

    // Inserts the clipboard's text, keeping only accepted characters in upper case; beeps
    // once when it dropped any.
    void PasteFiltered();

    // The line edit's own menu, its Paste going through PasteFiltered.
    QMenu* CreateContextMenu();
    static QAction* FindPasteAction(const QMenu* pMenu);

    // The accepted characters of strText in upper case; *pbDropped tells whether anything
    // was left out.
    QString Filter(const QString& strText, bool* pbDropped) const;

protected:
    // QLineEdit overrides
    void keyPressEvent(QKeyEvent* pEvent) override;
    void inputMethodEvent(QInputMethodEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    static bool IsControl(QChar ch);
    static bool IsShortcut(const QKeyEvent* pEvent);
    bool IsAccepted(QChar ch) const { return m_strAccepted.contains(ch); }
    // What is left of strText after the typed limit, counting the selection as replaced.
    QString CutToLimit(const QString& strText) const;
    void InsertFiltered(const QString& strText);

    QString m_strAccepted;
    int m_nTypedLimit = 0;
};
