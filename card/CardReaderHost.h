// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the card reader needs from the window that hosts it: the trace of every exchange
// and the "Card error" dialog after a failed connection. The main window implements it,
// so the card core itself stays free of widgets.
class CCardReaderHost {
public:
    virtual ~CCardReaderHost() = default;

    // Appends the trace record of one exchange (the Trace page's AppendRecord).
    virtual void AppendRecord(const std::string& command, const std::string& response) = 0;
    // Shows the "Card error" dialog modally and returns once the user has closed it.
    virtual void ShowCardError() = 0;
};
