// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorListBox.h"

#include "ColorLineModel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Paints one trace line: the line's own colour on the window background, highlight
// colours when selected, grey text when the list is disabled. The text is clipped at
// the row's edge rather than elided, so a long data line keeps every character that
// fits and no ellipsis is measured for each painted row.
class CColorLineDelegate : public QStyledItemDelegate {
public:
    explicit CColorLineDelegate(CColorListBox* pList)
        : QStyledItemDelegate(pList), m_pList(pList) {}

    void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool bSelected = option.state & QStyle::State_Selected;
        const bool bEnabled = option.state & QStyle::State_Enabled;
        const QPalette::ColorGroup group =
            !bEnabled
                ? QPalette::Disabled
                : (option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive);
        pPainter->save();
        if (bSelected)
            pPainter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        pPainter->setPen(TextColour(option, index, group, bSelected, bEnabled));
        pPainter->setFont(option.font);
        const QRect textRect = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
        pPainter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                           index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) DrawFocus(pPainter, option, group, bSelected);
        pPainter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString text = index.data(Qt::DisplayRole).toString();
        return QSize(option.fontMetrics.horizontalAdvance(text) + 2 * kTextMargin,
                     m_pList->ItemHeight());
    }

private:
    static constexpr int kTextMargin = 2;

    static QColor TextColour(const QStyleOptionViewItem& option, const QModelIndex& index,
                             QPalette::ColorGroup group, bool bSelected, bool bEnabled) {
        if (bSelected) return option.palette.color(group, QPalette::HighlightedText);
        if (!bEnabled) return option.palette.color(QPalette::Disabled, QPalette::Text);
        const QVariant colour = index.data(Qt::ForegroundRole);
        return colour.isValid() ? colour.value<QColor>()
                                : option.palette.color(group, QPalette::Text);
    }

    void DrawFocus(QPainter* pPainter, const QStyleOptionViewItem& option,
                   QPalette::ColorGroup group, bool bSelected) const {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, bSelected ? QPalette::Highlight : QPalette::Base);
        const QStyle* pStyle = m_pList->style();
        pStyle->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, pPainter, m_pList);
    }

    CColorListBox* m_pList;
};

}  // namespace

CColorListBox::CColorListBox(QWidget* pParent)
    : QListView(pParent), m_pModel(new CColorLineModel(this)) {
    setModel(m_pModel);
    setItemDelegate(new CColorLineDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
}

int CColorListBox::AddLine(std::string_view text, std::uint32_t rgb) {
    return m_pModel->AddLine(text, rgb);
}

// A row is as high as a check-box indicator, the style's nearest match to a menu check
// mark, which keeps the trace dense; it never drops below the font's line spacing, so
// a large font is not cut off.
int CColorListBox::ItemHeight() const {
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    return std::max(indicator, fontMetrics().lineSpacing());
}
