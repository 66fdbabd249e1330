#include "stock/pictures/ResimKutusu.h"

#include "stock/pictures/StokResim.h"

#include <QMouseEvent>
#include <QPainter>

namespace tornaly::stock {

ResimKutusu::ResimKutusu(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 90);
}

bool ResimKutusu::resimGoster(const QByteArray& bytes)
{
    m_resim = QImage::fromData(bytes);
    update();
    return !m_resim.isNull();
}

void ResimKutusu::temizle()
{
    m_resim = QImage();
    update();
}

void ResimKutusu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    QPoint nokta;
    if (!m_resim.isNull()) {
        if (m_sigdir)
            p.drawImage(rect(), m_resim);
        else
            p.drawImage(QPoint(0, 0), m_resim);
        nokta = CerceveNoktasi(m_nokta, size(), m_resim.size(), m_sigdir);
    }
    // The marker's bottom-right corner sits on the point.
    p.setPen(QPen(Qt::red, 2));
    p.drawRect(QRect(nokta - QPoint(10, 10), QSize(10, 10)));
    p.setPen(palette().mid().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ResimKutusu::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (m_resim.isNull())
        return;
    m_nokta = ResimNoktasi(e->position().toPoint(), size(), m_resim.size(), m_sigdir);
    update();
    emit noktaSecildi(m_nokta);
}

} // namespace tornaly::stock
