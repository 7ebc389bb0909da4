// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSizeLimit.h"

#include <csignal>

CFileSizeLimit::CFileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    if (getrlimit(RLIMIT_FSIZE, &m_previous) != 0) return;
    rlimit limited = m_previous;
    limited.rlim_cur = bytes;
    m_bActive = setrlimit(RLIMIT_FSIZE, &limited) == 0;
}

CFileSizeLimit::~CFileSizeLimit() {
    if (m_bActive) setrlimit(RLIMIT_FSIZE, &m_previous);
}
