// SPDX-License-Identifier: GPL-3.0-or-later
#include "Beep.h"

#include <QApplication>

#include <utility>

CBeep::Hook& CBeep::CurrentHook() {
    static Hook hook;
    return hook;
}

void CBeep::Play() {
    if (const Hook& hook = CurrentHook()) {
        hook();
        return;
    }
    QApplication::beep();
}

void CBeep::SetHook(Hook hook) {
    CurrentHook() = std::move(hook);
}
