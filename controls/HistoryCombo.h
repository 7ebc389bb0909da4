// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QString>

#include "RegistryKey.h"

// A drop-down combo box whose entries outlive the program: they are kept in the profile
// under a section named by the owner, one string value per entry (section name + position).
class CHistoryCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CHistoryCombo(QWidget* pParent = nullptr);

    // Opens the section's key and loads its entries in sorted order, up to the first gap.
    void LoadHistory(const QString& strSection);
    // Adds the text (or the current edit text) unless an entry equals it regardless of
    // case; returns the position it took, or -1 when it was there already.
    int AddToHistory();
    int AddToHistory(const QString& strText);
    // Writes every entry as value section + position.
    void SaveHistory();

private:
    // The entry's text, or empty when it is missing.
    QByteArray QueryEntry(const QByteArray& valueName) const;

    QString m_strSection;
    CRegistryKey m_key;
    int m_nMaximum = 10;
};
