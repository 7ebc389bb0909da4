// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardToolIo.h"

int CCardToolIo::Fail(const std::string& message) {
    std::fprintf(m_pErr, "corvanta-card: %s\n", message.c_str());
    return kBadInput;
}
