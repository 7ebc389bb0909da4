// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include <cstdlib>
#include <memory>

#include "TempDir.h"

namespace {
std::unique_ptr<CTempDir> g_pProfileDir;
}

void UseFreshProfile() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    g_pProfileDir = std::make_unique<CTempDir>("corvanta-profile");
    setenv("XDG_CONFIG_HOME", g_pProfileDir->Path().c_str(), 1);
    // Keep Qt's runtime folder away from the user's as well.
    setenv("XDG_RUNTIME_DIR", g_pProfileDir->Path().c_str(), 1);
    std::atexit([] { g_pProfileDir.reset(); });
}

void UseNoPcscd() {
    setenv("PCSCLITE_CSOCK_NAME", "/nonexistent/corvanta-no-pcscd/pcscd.comm", 1);
}
