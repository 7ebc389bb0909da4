// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusLine.h"

#include "IconResource.h"
#include "ResourceIds.h"
#include "UiText.h"

#include <QLabel>

namespace {

constexpr int kLightWidth = 14;

}  // namespace

CStatusLine::CStatusLine(QWidget* pParent)
    : QStatusBar(pParent),
      m_pPane(new QLabel(this)),
      m_pGreenLight(new QLabel(this)),
      m_pRedLight(new QLabel(this)) {
    setSizeGripEnabled(false);
    setMinimumHeight(kMinimumHeight);
    // Without a size grip the last light would touch the window's edge.
    setContentsMargins(0, 0, 3, 0);
    addWidget(m_pPane, 1);
    m_pGreenLight->setToolTip(QLatin1String(CUiText::kGreenLightTip));
    m_pRedLight->setToolTip(QLatin1String(CUiText::kRedLightTip));
    for (QLabel* pLight : {m_pGreenLight, m_pRedLight}) {
        pLight->setFixedWidth(kLightWidth);
        pLight->setAlignment(Qt::AlignCenter);
        addPermanentWidget(pLight);
    }
}

QString CStatusLine::PaneText() const { return m_pPane->text(); }

void CStatusLine::SetText(const QString& strText, int nRemember) {
    if (nRemember == 1) m_strRemembered = strText;
    // Unchanged text is left alone: the idle update must not keep the loop awake.
    if (m_pPane->text() != strText) {
        m_pPane->setText(strText);
        m_pPane->repaint();
    }
}

void CStatusLine::SetGreenLight(bool bOn) {
    m_bGreenOn = bOn;
    m_pGreenLight->setPixmap(CIconResource::Icon(bOn ? IDI_LIGHT_GREEN : IDI_LIGHT_OFF).pixmap(16, 16));
    repaint();
}

void CStatusLine::SetRedLight(bool bOn) {
    m_bRedOn = bOn;
    m_pRedLight->setPixmap(CIconResource::Icon(bOn ? IDI_LIGHT_RED : IDI_LIGHT_OFF).pixmap(16, 16));
    repaint();
}
