// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

// While it lives, writes of this process stop at the given file size, as on a full disk:
// a write past it fails (SIGXFSZ is ignored) instead of ending the process.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes);
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

    bool IsActive() const { return m_bActive; }

private:
    rlimit m_previous{};
    bool m_bActive = false;
};
