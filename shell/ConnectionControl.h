#pragma once

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

private:
    void ShowConnected();
    void ShowDisconnected(const char* pszText);

    CStatusLine& m_statusLine;
};
