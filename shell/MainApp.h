// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application object: its construction creates the one card reader object; starting it
// points the profile at the company key and runs the main window modally.
class CMainApp {
public:
    CMainApp();
    virtual ~CMainApp() = default;
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // Runs the main window; returns false so that the program ends when it has closed.
    virtual bool InitInstance();
    // Deletes the card reader object; returns the exit code.
    virtual int ExitInstance();
};

// Defined beside main(), so that only the program itself constructs it.
extern CMainApp theApp;
