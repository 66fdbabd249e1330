#include "mainwindow/TileControl.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextLayout>

namespace tornaly {

namespace {
constexpr int kGap = 8;        // between tiles
constexpr int kGroupGap = 44;  // between groups
constexpr int kMargin = 36;
constexpr int kTitleHeight = 58;
constexpr int kCaptionHeight = 30;
} // namespace

TileItem::TileItem(const QString& caption, const QColor& colour, const QString& glyph, QWidget* parent)
    : QAbstractButton(parent), m_colour(colour), m_glyph(glyph)
{
    setText(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(caption);
    setFixedSize(m_size, m_size);
}

void TileItem::setTileSize(int size)
{
    m_size = size;
    setFixedSize(size, size);
}

QSize TileItem::sizeHint() const { return {m_size, m_size}; }

void TileItem::enterEvent(QEnterEvent*)
{
    m_hover = true;
    update();
}

void TileItem::leaveEvent(QEvent*)
{
    m_hover = false;
    update();
}

void TileItem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    QColor face = m_colour;
    QColor ink = Qt::white;
    if (!isEnabled()) {
        // A module that is not installed: the tile stays in its place, faded.
        face = QColor::fromHsv(face.hue(), face.saturation() / 4, 92);
        ink = QColor(255, 255, 255, 120);
    } else if (isDown()) {
        face = face.darker(125);
    } else if (m_hover) {
        face = face.lighter(112);
    }
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, face.lighter(108));
    g.setColorAt(1, face.darker(108));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
    if (hasFocus() || (m_hover && isEnabled())) {
        p.setPen(QPen(QColor(255, 255, 255, 170), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(1, 1, -1, -1));
    }

    // The symbol, large and light, in the upper part.
    if (!m_glyph.isEmpty()) {
        QFont gf = font();
        gf.setPixelSize(int(m_size * 0.36));
        p.setFont(gf);
        p.setPen(isEnabled() ? QColor(255, 255, 255, 225) : ink);
        p.drawText(QRectF(10, 8, m_size - 20, m_size * 0.46), Qt::AlignLeft | Qt::AlignVCenter, m_glyph);
    }

    // The caption at the bottom, wrapped, without the accelerator marks.
    QFont cf = font();
    cf.setPixelSize(12);
    cf.setBold(true);
    p.setFont(cf);
    p.setPen(ink);
    QString caption = text();
    caption.remove(QLatin1Char('&'));
    const QRectF textBox(9, m_size * 0.50, m_size - 16, m_size * 0.50 - 7);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, caption);
}

TileControl::TileControl(const QString& title, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("TileCanvas"));
    m_canvas->setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "QScrollArea { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #16324f, stop:1 #1f4e74); }"
        "#TileCanvas { background: transparent; }"));
    viewport()->setAutoFillBackground(false);
    m_title = new QLabel(title, m_canvas);
    m_title->setObjectName(QStringLiteral("TileTitle"));
    QFont tf = m_title->font();
    tf.setPixelSize(30);
    tf.setWeight(QFont::Light);
    m_title->setFont(tf);
    m_title->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    setWidget(m_canvas);
}

void TileControl::addGroup(const QString& caption)
{
    Group g;
    g.caption = caption;
    g.label = new QLabel(caption, m_canvas);
    QFont f = g.label->font();
    f.setPixelSize(15);
    g.label->setFont(f);
    g.label->setStyleSheet(QStringLiteral("color: #dfe9f3; background: transparent;"));
    m_groups.push_back(g);
    relayout();
}

TileItem* TileControl::addTile(int group, const QString& id, const QString& caption, const QColor& colour,
                               const QString& glyph)
{
    auto* tile = new TileItem(caption, colour, glyph, m_canvas);
    tile->setObjectName(id);
    tile->setTileSize(TileSize);
    m_groups[group].tiles.push_back(tile);
    relayout();
    return tile;
}

QList<TileItem*> TileControl::tiles(int group) const { return m_groups.value(group).tiles; }

void TileControl::resizeEvent(QResizeEvent* e)
{
    QScrollArea::resizeEvent(e);
    relayout();
}

void TileControl::relayout()
{
    const int top = kMargin / 2 + kTitleHeight + kCaptionHeight;
    const int available = viewport()->height() - top - kMargin / 2;
    m_rows = std::clamp(available / (TileSize + kGap), 1, int(MaxRows));

    m_title->move(kMargin, kMargin / 2);
    m_title->adjustSize();
    int x = kMargin;
    int bottom = top;
    for (Group& g : m_groups) {
        g.label->move(x, kMargin / 2 + kTitleHeight);
        g.label->adjustSize();
        int column = 0, row = 0;
        for (TileItem* tile : g.tiles) {
            tile->move(x + column * (TileSize + kGap), top + row * (TileSize + kGap));
            if (++row == m_rows) {
                row = 0;
                ++column;
            }
        }
        const int columns = g.tiles.isEmpty() ? 1 : (int(g.tiles.size()) + m_rows - 1) / m_rows;
        const int rowsUsed = std::min(int(g.tiles.size()), m_rows);
        bottom = std::max(bottom, top + rowsUsed * (TileSize + kGap));
        const int width = std::max(columns * (TileSize + kGap) - kGap, g.label->width());
        x += width + kGroupGap;
    }
    const int width = std::max(x - kGroupGap + kMargin, m_title->x() + m_title->width() + kMargin);
    m_canvas->resize(std::max(width, viewport()->width()), std::max(bottom + kMargin / 2, viewport()->height()));
}

} // namespace tornaly
