// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogTemplate.h"

// The dialog templates of the program.
class CDialogTemplates {
public:
    // The template of that id; an empty template of 0 x 0 units when there is none.
    static const SDialogTemplate& Find(int id);
};
