// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>

#include <vector>

// Accelerator tables as data: a key and the command id it issues.
struct SAccelerator {
    QKeySequence key;
    int nId;
};

class CAcceleratorResource {
public:
    // The keys of table 175 (the script list); empty for an unknown id.
    static const std::vector<SAccelerator>& Find(int id);
};
