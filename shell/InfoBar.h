// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QTimer>
#include <QWidget>

// The caption bar above the pages: the visible page's name in bold white on the
// button-shadow colour. The name and a small arrow form a hot area that is framed like a
// button while the mouse is over it and drops down the page menu when clicked.
class CInfoBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHoverPeriodMs = 10;

    explicit CInfoBar(QWidget* pParent = nullptr);

    void SetCaption(const QString& strCaption);
    const QString& Caption() const { return m_strCaption; }
    QRect HotRect() const;  // left, top inclusive; right, bottom exclusive
    bool IsHover() const { return m_bHover; }
    bool IsPressed() const { return m_bPressed; }
    bool IsHoverTimerActive() const { return m_hoverTimer.isActive(); }

signals:
    // A page command chosen in the drop-down menu.
    void CommandIssued(int nId);
    void StatusTextRequested(const QString& strText, int nRemember);

protected:
    // QWidget
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    bool InHotRect(const QPoint& point) const;
    void OnHoverTimer();
    void ShowPageMenu();

    QFont m_font;
    int m_nHotLeft = 0;
    int m_nHotTop = 0;
    int m_nHotRight = 0;
    int m_nHotBottom = 0;
    bool m_bPressed = false;
    bool m_bHover = false;
    QString m_strCaption;
    QTimer m_hoverTimer;
};
