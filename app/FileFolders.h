// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder each kind of file dialog opens in: the one where the user last chose a file
// of that kind, kept in the profile (section "Folders").
class CFileFolders {
public:
    enum EKind { kScripts, kExports, kTraceLogs };

    // The folder last used for the kind; empty when there is none or it is gone.
    static QString Folder(EKind kind);
    // Remembers the folder of a chosen file; an empty path (a cancelled dialog) changes
    // nothing.
    static void Remember(EKind kind, const QString& strChosenPath);
};
