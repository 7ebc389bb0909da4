// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

class QComboBox;

// The item rules the program's combo boxes share; texts compare without regard to the case
// of ASCII letters.

// Adds an item where a sorted list puts it, after any equal texts, leaving the edit text
// alone; returns its index.
int InsertSorted(QComboBox* pCombo, const QString& strText, const QVariant& userData = QVariant());
// The first item, from nStart and wrapping round to the top, whose text begins with
// strText; -1 when there is none.
int FindItemStartingWith(const QComboBox* pCombo, const QString& strText, int nStart = 0);
