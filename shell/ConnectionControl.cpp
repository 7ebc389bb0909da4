// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConnectionControl.h"

#include "CardReader.h"
#include "ResourceIds.h"
#include "StatusLine.h"
#include "StringTable.h"
#include "UiText.h"
#include "WaitCursor.h"

CConnectionControl::CConnectionControl(CStatusLine& statusLine) : m_statusLine(statusLine) {
    ShowDisconnected(CUiText::kNoConnection);
    QObject::connect(&m_cardWatcher, &CCardWatcher::CardLeft, &m_statusLine,
                     [this](CCardWatch::EEnd end) { OnCardLeft(end); });
}

bool CConnectionControl::IsConnected() {
    return g_pCardReader != nullptr && g_pCardReader->IsConnected();
}

void CConnectionControl::Connect() {
    const CWaitCursor wait;
    m_statusLine.SetText(QLatin1String(CUiText::kConnecting), 1);
    m_statusLine.SetRedLight(false);
    const LONG code = g_pCardReader != nullptr ? g_pCardReader->Connect() : SCARD_E_NO_SERVICE;
    if (code == SCARD_S_SUCCESS) {
        ShowConnected();
        m_cardWatcher.Start(g_pCardReader->GetReaderName());
    } else {
        ShowDisconnected(CUiText::kConnectError);
    }
}

void CConnectionControl::Disconnect() {
    m_statusLine.SetText(QLatin1String(CUiText::kDisconnecting), 1);
    m_statusLine.SetGreenLight(false);
    if (g_pCardReader != nullptr) g_pCardReader->Disconnect();
    // A failed disconnect that leaves the connection open keeps the connected state on
    // screen, so the lights, the text and the enabled commands never disagree.
    if (IsConnected()) {
        ShowConnected();
    } else {
        m_cardWatcher.Stop();
        ShowDisconnected(CUiText::kConnectionLost);
    }
}

void CConnectionControl::Reconnect() {
    Disconnect();
    // Connecting over a connection still open would leave its handle behind.
    if (!IsConnected()) Connect();
}

void CConnectionControl::ShowConnected() {
    m_statusLine.SetGreenLight(true);
    m_statusLine.SetRedLight(false);
    m_statusLine.SetText(QLatin1String(CUiText::kConnectionCreated), 1);
}

void CConnectionControl::ShowDisconnected(const char* pszText) {
    m_statusLine.SetGreenLight(false);
    m_statusLine.SetRedLight(true);
    m_statusLine.SetText(QString::fromLatin1(pszText), 1);
}

void CConnectionControl::OnCardLeft(CCardWatch::EEnd end) {
    const int nText = end == CCardWatch::EEnd::kReaderRemoved    ? IDS_READER_REMOVED
                      : end == CCardWatch::EEnd::kServiceStopped ? IDS_SERVICE_STOPPED
                                                                 : IDS_CARD_REMOVED;
    m_statusLine.SetGreenLight(false);
    m_statusLine.SetRedLight(true);
    m_statusLine.SetText(CStringTable::Prompt(nText), 1);
}
