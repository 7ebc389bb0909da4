// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The simple beep of a refused character. Tests replace the sound with a counter, since
// the offscreen platform plays nothing.
class CBeep {
public:
    using Hook = std::function<void()>;

    static void Play();
    // An empty hook restores the system beep.
    static void SetHook(Hook hook);

private:
    static Hook& CurrentHook();
};
