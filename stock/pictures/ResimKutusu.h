#pragma once
#include <QImage>
#include <QPoint>
#include <QWidget>

namespace tornaly::stock {

// A part picture with the marked point: stretched to the frame or at its
// natural size; a double click reports the point in picture pixels.
class ResimKutusu : public QWidget {
    Q_OBJECT
public:
    explicit ResimKutusu(QWidget* parent = nullptr);

    // Shows the picture of `bytes`; false (nothing shown) when they are no picture.
    bool resimGoster(const QByteArray& bytes);
    void temizle();
    void noktaAyarla(const QPoint& p) { m_nokta = p; update(); }
    void sigdirAyarla(bool on) { m_sigdir = on; update(); }
    bool sigdir() const { return m_sigdir; }
    bool resimVar() const { return !m_resim.isNull(); }
    QSize sizeHint() const override { return {360, 260}; }

signals:
    void noktaSecildi(const QPoint& resimNoktasi);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QImage m_resim;
    QPoint m_nokta;
    bool m_sigdir = true;
};

} // namespace tornaly::stock
