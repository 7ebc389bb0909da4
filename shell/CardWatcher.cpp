// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardWatcher.h"

#include <QThread>

namespace {

// How often a cancel is sent again while the watch has not ended: one that came before the
// watch began to wait finds nothing to cancel.
constexpr unsigned long kCancelRetryMs = 20;

}  // namespace

CCardWatcher::CCardWatcher(QObject* pParent) : QObject(pParent) {}

CCardWatcher::~CCardWatcher() {
    Stop();
}

void CCardWatcher::Start(const std::string& strReaderName) {
    Stop();
    const unsigned nWatch = ++m_nWatch;
    m_pWatch = std::make_unique<CCardWatch>(strReaderName);
    CCardWatch* pWatch = m_pWatch.get();
    m_pThread.reset(QThread::create([this, pWatch, nWatch] {
        const CCardWatch::EEnd end = pWatch->Run();
        QMetaObject::invokeMethod(
            this, [this, nWatch, end] { OnWatchEnded(nWatch, end); }, Qt::QueuedConnection);
    }));
    m_bEnded = false;
    m_bCardGone = false;
    m_pThread->start();
}

void CCardWatcher::Stop() {
    if (m_pThread == nullptr) return;
    ++m_nWatch;
    do m_pWatch->Cancel();
    while (!m_pThread->wait(kCancelRetryMs));
    m_pThread.reset();
    m_pWatch.reset();
    m_bCardGone = false;
}

void CCardWatcher::OnWatchEnded(unsigned nWatch, CCardWatch::EEnd end) {
    if (nWatch != m_nWatch) return;
    m_bEnded = true;
    if (end == CCardWatch::EEnd::kCancelled || end == CCardWatch::EEnd::kFailed) return;
    m_bCardGone = true;
    emit CardLeft(end);
}
