// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStatusBar>
#include <QString>

class QLabel;

// The main window's status bar: a stretching text pane and the green and red connection
// lights. It remembers one text, which goes back into the pane whenever a passing prompt
// (a menu item's, a page's) is over.
class CStatusLine : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int kMinimumHeight = 22;

    explicit CStatusLine(QWidget* pParent);

    // Shows the text; with nRemember 1 it is also the one to come back to.
    void SetText(const QString& strText, int nRemember);
    void RestoreText() { SetText(m_strRemembered, 0); }
    QString PaneText() const;
    const QString& RememberedText() const { return m_strRemembered; }

    void SetGreenLight(bool bOn);
    void SetRedLight(bool bOn);
    bool IsGreenLightOn() const { return m_bGreenOn; }
    bool IsRedLightOn() const { return m_bRedOn; }

private:
    QLabel* m_pPane;
    QLabel* m_pGreenLight;
    QLabel* m_pRedLight;
    QString m_strRemembered;
    bool m_bGreenOn = false;
    bool m_bRedOn = false;
};
