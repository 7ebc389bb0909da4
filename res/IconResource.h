// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icons by resource id (page icons, lights, the application icon) and the
// toolbar images by command id.
class CIconResource {
public:
    // Null for an id without artwork.
    static QIcon Icon(int id);
};
