#include "tools/AboutBox.h"
#include "util/WebPages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly {

namespace {
const char* kMaker = "Dolmavik Yazılım ve Bilişim Hizmetleri Ltd. Şti.";
const char* kAddress = "Mustafa Kemal Mah. Dumlupınar Bulvarı No: 266 Kat: 4\nÇankaya / ANKARA";
const char* kPhone = "0 (312) 284 17 40";
const char* kFax = "0 (312) 284 17 41";

// A label that reports clicks, for the web addresses and their picture.
class ClickLabel : public QLabel {
public:
    explicit ClickLabel(std::function<void()> onClick, QWidget* parent = nullptr)
        : QLabel(parent), m_onClick(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && m_onClick)
            m_onClick();
    }

private:
    std::function<void()> m_onClick;
};

QPixmap productBadge(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size, size);
    g.setColorAt(0, QColor(0x1f, 0x6f, 0xb2));
    g.setColorAt(1, QColor(0x12, 0x3f, 0x6b));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(size * 0.62);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("T"));
    return pm;
}

QPixmap globe(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x6f, 0xb2), 1.4));
    const QRectF r(1.5, 1.5, size - 3, size - 3);
    p.drawEllipse(r);
    p.drawEllipse(QRectF(r.center().x() - r.width() / 4, r.top(), r.width() / 2, r.height()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    return pm;
}

void styleLink(QLabel* label, const QString& address, const QColor& colour)
{
    label->setText(QStringLiteral("<span style=\"color:%1; text-decoration:underline\">%2</span>")
                       .arg(colour.name(), address.toHtmlEscaped()));
}
} // namespace

QString TAboutBox::firstWebAddress() { return QStringLiteral("https://www.dolmavik.com.tr"); }
QString TAboutBox::secondWebAddress() { return QStringLiteral("https://destek.dolmavik.com.tr"); }

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Program Hakkında"));
    setModal(true);

    auto* badge = new QLabel(this);
    badge->setPixmap(productBadge(72));
    badge->setAlignment(Qt::AlignTop);

    auto* product = new QLabel(QStringLiteral("Otomotiv Otomasyon Yazılımı"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont pf = product->font();
    pf.setPointSizeF(pf.pointSizeF() * 1.5);
    pf.setBold(true);
    product->setFont(pf);
    auto* title = new QLabel(QStringLiteral("Tornaly Servis Yazılımı · Versiyon 7.2.2"), this);
    title->setStyleSheet(QStringLiteral("color:#555"));

    auto* maker = new QLabel(QString::fromUtf8(kMaker), this);
    maker->setObjectName(QStringLiteral("Maker"));
    QFont mf = maker->font();
    mf.setBold(true);
    maker->setFont(mf);
    auto* address = new QLabel(QString::fromUtf8(kAddress), this);

    auto* contacts = new QGridLayout;
    contacts->addWidget(new QLabel(QStringLiteral("Telefon :"), this), 0, 0);
    contacts->addWidget(new QLabel(QString::fromUtf8(kPhone), this), 0, 1);
    contacts->addWidget(new QLabel(QStringLiteral("Faks :"), this), 1, 0);
    contacts->addWidget(new QLabel(QString::fromUtf8(kFax), this), 1, 1);

    auto* picture1 = new ClickLabel([this] { WebAddress1Click(); }, this);
    picture1->setPixmap(globe(16));
    m_web1 = new ClickLabel([this] { WebAddress1Click(); }, this);
    m_web1->setObjectName(QStringLiteral("WebAddress1"));
    styleLink(m_web1, firstWebAddress(), QColor(0x1f, 0x5f, 0xc0));
    auto* picture2 = new ClickLabel([this] { WebAddress2Click(); }, this);
    picture2->setPixmap(globe(16));
    m_web2 = new ClickLabel([this] { WebAddress2Click(); }, this);
    m_web2->setObjectName(QStringLiteral("WebAddress2"));
    styleLink(m_web2, secondWebAddress(), QColor(0x1f, 0x5f, 0xc0));
    contacts->addWidget(picture1, 2, 0, Qt::AlignRight);
    contacts->addWidget(m_web1, 2, 1);
    contacts->addWidget(picture2, 3, 0, Qt::AlignRight);
    contacts->addWidget(m_web2, 3, 1);
    contacts->setColumnStretch(1, 1);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(title);
    text->addSpacing(12);
    text->addWidget(maker);
    text->addWidget(address);
    text->addSpacing(6);
    text->addLayout(contacts);

    auto* top = new QHBoxLayout;
    top->addWidget(badge, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* close = new QPushButton(QStringLiteral("Kapat"), this);
    close->setObjectName(QStringLiteral("BtnKapat"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
}

void TAboutBox::WebAddress1Click()
{
    OpenUrl(QUrl(firstWebAddress()));
    styleLink(m_web1, firstWebAddress(), QColor(0x80, 0x00, 0x80));
}

void TAboutBox::WebAddress2Click() { OpenUrl(QUrl(secondWebAddress())); }

void ShowAboutBox(QWidget* parent)
{
    TAboutBox box(parent);
    box.exec();
}

} // namespace tornaly
