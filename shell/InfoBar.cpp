// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfoBar.h"

#include "DialogService.h"
#include "MenuResource.h"
#include "ResourceIds.h"
#include "StringTable.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScopedPointer>

namespace {

QColor ButtonShadow(const QWidget* pWidget) { return pWidget->palette().color(QPalette::Dark); }

}  // namespace

CInfoBar::CInfoBar(QWidget* pParent) : QWidget(pParent) {
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(16);
    m_font.setWeight(QFont::Bold);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hoverTimer.setInterval(kHoverPeriodMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CInfoBar::OnHoverTimer);
}

void CInfoBar::SetCaption(const QString& strCaption) {
    m_strCaption = strCaption;
    const int width = QFontMetrics(m_font).horizontalAdvance(strCaption);
    m_nHotLeft = 1;
    m_nHotTop = 1;
    m_nHotRight = width + 23;
    m_nHotBottom = height() - 1;
    update();
}

QRect CInfoBar::HotRect() const {
    return QRect(m_nHotLeft, m_nHotTop, m_nHotRight - m_nHotLeft, m_nHotBottom - m_nHotTop);
}

bool CInfoBar::InHotRect(const QPoint& point) const {
    return point.x() >= m_nHotLeft && point.x() < m_nHotRight && point.y() >= m_nHotTop &&
           point.y() < m_nHotBottom;
}

void CInfoBar::paintEvent(QPaintEvent*) {
    // Drawn off screen and copied in one piece, so the bar never flickers.
    QPixmap buffer(size());
    buffer.fill(ButtonShadow(this));
    {
        QPainter painter(&buffer);
        painter.setFont(m_font);
        int left = m_nHotLeft;
        int top = m_nHotTop;
        int right = m_nHotRight;
        const int bottom = m_nHotBottom;
        if (right >= width()) right = width() - 1;
        if (m_bHover) {
            const QColor topLeft = m_bPressed ? Qt::black : Qt::white;
            const QColor bottomRight = m_bPressed ? Qt::white : Qt::black;
            painter.setPen(topLeft);
            painter.drawLine(left, top, right - 2, top);
            painter.drawLine(left, top, left, bottom - 2);
            painter.setPen(bottomRight);
            painter.drawLine(left, bottom - 1, right - 1, bottom - 1);
            painter.drawLine(right - 1, top, right - 1, bottom - 1);
        }
        left += 5;
        right -= 5 + 12;
        painter.setPen(Qt::white);
        const QRect textRect(left, top, std::max(0, right - left), bottom - top);
        const QFontMetrics metrics(m_font);
        // The hot area is measured by the text's advance; only a caption wider than the
        // bar is shortened.
        const QString text = metrics.horizontalAdvance(m_strCaption) <= textRect.width()
                                 ? m_strCaption
                                 : metrics.elidedText(m_strCaption, Qt::ElideMiddle, textRect.width());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, text);

        const int x = right;
        const int y = top + (bottom - top) / 2 - 1;
        const QPoint arrow[] = {{x + 4, y}, {x + 12, y}, {x + 8, y + 4}};
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(arrow, 3);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void CInfoBar::mouseMoveEvent(QMouseEvent* pEvent) {
    m_bPressed = (pEvent->buttons() & Qt::LeftButton) != 0;
    const bool bHover = InHotRect(pEvent->position().toPoint());
    if (bHover != m_bHover) {
        m_bHover = bHover;
        update();
        // The timer notices the mouse leaving even when no move reaches the bar.
        m_hoverTimer.start();
    }
    QWidget::mouseMoveEvent(pEvent);
}

void CInfoBar::OnHoverTimer() {
    const QPoint point = mapFromGlobal(QCursor::pos());
    const QRect testArea(0, 0, width(), 22);
    if (testArea.contains(point)) return;
    m_hoverTimer.stop();
    m_bHover = false;
    m_bPressed = false;
    update();
}

void CInfoBar::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton && m_bHover) {
        m_bPressed = true;
        update();
    }
    QWidget::mousePressEvent(pEvent);
}

void CInfoBar::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton && m_bHover) {
        m_bHover = InHotRect(pEvent->position().toPoint());
        if (m_bPressed) {
            m_bPressed = false;
            update();
            if (m_bHover) ShowPageMenu();
        }
    }
    QWidget::mouseReleaseEvent(pEvent);
}

void CInfoBar::ShowPageMenu() {
    QScopedPointer<QMenu> pMenu(CMenuResource::BuildPopup(IDR_INFOBAR_MENU, 0, this));
    const QPoint leftBottom = mapToGlobal(QPoint(0, height()));
    const int nId = CDialogService::Instance().ExecMenuWithPrompts(
        *pMenu, leftBottom,
        [this](const QString& strPrompt) { emit StatusTextRequested(strPrompt, 0); });
    // A cancelled menu chooses nothing.
    if (nId != 0) emit CommandIssued(nId);
}
