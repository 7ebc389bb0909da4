// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QString>
#include <QVariant>

class CHexEdit;

// An editable combo box whose edit field takes hexadecimal digits only (see CHexEdit).
// Enter neither adds the text to the list nor completes it: the owner decides both.
class CHexCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CHexCombo(QWidget* pParent = nullptr);

    CHexEdit* HexEdit() const;

    // Adds an item where a list sorted without regard to case puts it, after any equal
    // texts, leaving the edit text alone; returns its index.
    int AddSortedItem(const QString& strText, const QVariant& userData = QVariant());

    // Makes pCombo editable with a filtering edit field of strAccepted characters, no
    // insertion on Enter and no completer of its own.
    static CHexEdit* InstallFilteredEdit(QComboBox* pCombo, const QString& strAccepted);
};
