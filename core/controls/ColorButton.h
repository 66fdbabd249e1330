#pragma once
#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace tornaly {

// A flat coloured push button with a picture, a 3-D frame drawn from its
// colour and the accelerator letter of its caption underlined.
class TColorButton : public QAbstractButton {
    Q_OBJECT
public:
    enum TAlignment {
        alTopLeft, alTopCenter, alTopRight, alMiddleLeft, alMiddleCenter, alMiddleRight,
        alBottomLeft, alBottomCenter, alBottomRight
    };
    enum TButtonBevel { bbLowered, bbNone, bbRaised };
    enum TButtonStyleFlag { bsAutoSize = 1, bsCenter = 2, bsStretch = 4, bsShowFocus = 8, bsShowKey = 16 };
    enum TButtonState { bsUp, bsDown, bsDisabled };

    explicit TColorButton(QWidget* parent = nullptr);

    TAlignment Alignment = alMiddleCenter;
    TButtonBevel BevelStyle = bbRaised;
    int Style = bsCenter | bsShowFocus | bsShowKey;

    void setBevelSize(int v) { m_bevelSize = qMax(1, v); update(); }
    int bevelSize() const { return m_bevelSize; }
    void setSpacing(int v) { m_spacing = qMax(0, v); update(); }
    int spacing() const { return m_spacing; }
    void setColor(const QColor& c) { m_color = c; update(); }
    QColor color() const { return m_color; }
    void setPicture(const QPixmap& p);
    const QPixmap& picture() const { return m_picture; }
    TButtonState state() const;

    // Frame colours: each of red, green and blue raised or lowered by 64.
    static QColor lightColor(const QColor& c);
    static QColor darkColor(const QColor& c);
    // Where the picture goes for a caption alignment (the opposite side).
    static QRect pictureRect(TAlignment a, const QRect& area, const QSize& picture);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    int m_bevelSize = 2;
    int m_spacing = 2;
    QColor m_color;
    QPixmap m_picture;
};

} // namespace tornaly
