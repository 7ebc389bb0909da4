// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardWatcher.h"

class CStatusLine;

// Connects, disconnects and reconnects the card reader and shows the outcome on the status
// line, so that the lights and the remembered text always agree with the connection.
class CConnectionControl {
public:
    // Shows the state of a window that has not connected yet.
    explicit CConnectionControl(CStatusLine& statusLine);

    void Connect();
    void Disconnect();
    void Reconnect();
    static bool IsConnected();
    // Watches the card of the connection from a successful connect to its disconnect.
    CCardWatcher& CardWatcher() { return m_cardWatcher; }

private:
    void ShowConnected();
    void ShowDisconnected(const char* pszText);
    // The connection stays open until the user ends it; only what the user sees changes.
    void OnCardLeft(CCardWatch::EEnd end);

    CStatusLine& m_statusLine;
    CCardWatcher m_cardWatcher;
};
