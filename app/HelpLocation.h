// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the help lives: the compiled help file beside the program when one is there, else
// the HTML manual built beside the program or installed with it. Empty when there is none:
// a missing manual is not an error worth a message.
class CHelpLocation {
public:
    static QString Find(const QString& strProgramFolder);
};
