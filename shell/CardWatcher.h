// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardWatch.h"

#include <QObject>

#include <memory>
#include <string>

class QThread;

// Watches the connected card in a thread of its own, so the window learns at once, through
// its event loop, that the card has gone, without an exchange failing first. The explorer
// and whatever else follows the connection listens to CardLeft.
class CCardWatcher : public QObject {
    Q_OBJECT

public:
    explicit CCardWatcher(QObject* pParent = nullptr);
    ~CCardWatcher() override;

    // Watches that reader's card, ending any watch before.
    void Start(const std::string& strReaderName);
    // Ends the watch and waits for its thread; nothing of it is reported afterwards.
    void Stop();
    bool IsWatching() const { return m_pThread != nullptr && !m_bEnded; }
    // True from CardLeft until the next Start or Stop.
    bool IsCardGone() const { return m_bCardGone; }

signals:
    // The card of the watched connection is gone: removed, its reader removed, or the
    // service stopped. Sent once per watch, in the watcher's thread.
    void CardLeft(CCardWatch::EEnd end);

private:
    void OnWatchEnded(unsigned nWatch, CCardWatch::EEnd end);

    std::unique_ptr<CCardWatch> m_pWatch;
    std::unique_ptr<QThread> m_pThread;
    // Numbers the watches, so that the end of one stopped already is not taken for the
    // end of the next.
    unsigned m_nWatch = 0;
    bool m_bEnded = false;
    bool m_bCardGone = false;
};
