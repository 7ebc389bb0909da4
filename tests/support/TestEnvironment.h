// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Process-wide set-up for tests; call from main() before QApplication or any PC/SC call,
// since Qt reads the profile folder and pcsc-lite its socket path once per process.

// Headless Qt and a fresh, empty profile folder that disappears when the process ends.
void UseFreshProfile();

// A PC/SC socket path where no daemon listens, for tests that need no card.
void UseNoPcscd();
