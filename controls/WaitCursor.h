// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shows the wait cursor for as long as it lives, so that every way out of an operation
// puts the previous cursor back.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
