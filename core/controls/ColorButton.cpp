#include "controls/ColorButton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace tornaly {

TColorButton::TColorButton(QWidget* parent) : QAbstractButton(parent)
{
    m_color = palette().color(QPalette::Button);
    setFocusPolicy(Qt::StrongFocus);
    resize(75, 25);
}

QSize TColorButton::sizeHint() const
{
    if ((Style & bsAutoSize) && !m_picture.isNull())
        return m_picture.size() + QSize(m_bevelSize, m_bevelSize);
    return {75, 25};
}

void TColorButton::setPicture(const QPixmap& p)
{
    m_picture = p;
    if ((Style & bsAutoSize) && !p.isNull())
        resize(sizeHint());
    update();
}

TColorButton::TButtonState TColorButton::state() const
{
    if (!isEnabled())
        return bsDisabled;
    return isDown() ? bsDown : bsUp;
}

QColor TColorButton::lightColor(const QColor& c)
{
    return QColor(qMin(255, c.red() + 64), qMin(255, c.green() + 64), qMin(255, c.blue() + 64));
}

QColor TColorButton::darkColor(const QColor& c)
{
    return QColor(qMax(0, c.red() - 64), qMax(0, c.green() - 64), qMax(0, c.blue() - 64));
}

QRect TColorButton::pictureRect(TAlignment a, const QRect& area, const QSize& s)
{
    QRect r(QPoint(0, 0), s);
    r.moveCenter(area.center());
    switch (a) {
    case alMiddleLeft: r.moveRight(area.right()); break;
    case alMiddleRight: r.moveLeft(area.left()); break;
    case alBottomLeft: case alBottomCenter: case alBottomRight: r.moveTop(area.top()); break;
    case alTopLeft: case alTopCenter: case alTopRight: r.moveBottom(area.bottom()); break;
    case alMiddleCenter: break;
    }
    return r;
}

void TColorButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect all = rect();
    const QColor light = lightColor(m_color), dark = darkColor(m_color);
    p.fillRect(all, m_color);
    if (BevelStyle != bbNone) {
        const bool sunken = isDown() || BevelStyle == bbLowered;
        const QColor tl = sunken ? dark : light, br = sunken ? light : dark;
        for (int i = 0; i < m_bevelSize; ++i) {
            p.setPen(tl);
            p.drawLine(i, i, all.width() - 1 - i, i);
            p.drawLine(i, i, i, all.height() - 1 - i);
            p.setPen(br);
            p.drawLine(i, all.height() - 1 - i, all.width() - 1 - i, all.height() - 1 - i);
            p.drawLine(all.width() - 1 - i, i, all.width() - 1 - i, all.height() - 1 - i);
        }
    }
    const int inset = (BevelStyle == bbNone ? 0 : m_bevelSize) + m_spacing;
    const QRect area = all.adjusted(inset, inset, -inset, -inset);
    if (hasFocus() && isEnabled() && (Style & bsShowFocus)) {
        QStyleOptionFocusRect o;
        o.initFrom(this);
        o.rect = all.adjusted(inset - 1, inset - 1, -(inset - 1), -(inset - 1));
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
    }
    if (!m_picture.isNull()) {
        if (Style & bsStretch)
            p.drawPixmap(area, m_picture);
        else if (Style & bsCenter)
            p.drawPixmap(pictureRect(alMiddleCenter, area, m_picture.size()), m_picture);
        else
            p.drawPixmap(pictureRect(Alignment, area, m_picture.size()), m_picture);
    }
    int flags = Qt::TextShowMnemonic;
    const int h = Alignment % 3, v = Alignment / 3;
    flags |= h == 0 ? Qt::AlignLeft : h == 1 ? Qt::AlignHCenter : Qt::AlignRight;
    flags |= v == 0 ? Qt::AlignTop : v == 1 ? Qt::AlignVCenter : Qt::AlignBottom;
    if (!(Style & bsShowKey))
        flags = (flags & ~Qt::TextShowMnemonic) | Qt::TextHideMnemonic;
    if (!isEnabled()) {
        p.setPen(light);
        p.drawText(area.translated(1, 1), flags, text());
        p.setPen(dark);
    } else {
        p.setPen(palette().color(QPalette::ButtonText));
    }
    p.drawText(area, flags, text());
}

void TColorButton::keyPressEvent(QKeyEvent* e)
{
    if (!isEnabled())
        return;
    QAbstractButton::keyPressEvent(e);
}

void TColorButton::keyReleaseEvent(QKeyEvent* e)
{
    if (!isEnabled())
        return;
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
        click();
        return;
    }
    QAbstractButton::keyReleaseEvent(e);
}

} // namespace tornaly
