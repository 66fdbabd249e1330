#include "report/ReportPreview.h"
#include "guard/FormGuard.h"

#include "report/RaporCikti.h"
#include "report/ReportPaint.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tornaly::report {

namespace {

QToolButton* button(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

} // namespace

TFormOnizleme::TFormOnizleme(Document doc, QWidget* parent) : QDialog(parent), m_doc(std::move(doc))
{
    setObjectName(QStringLiteral("FormOnizleme"));
    setWindowTitle(m_doc.title.isEmpty() ? QStringLiteral("Ön İzleme") : m_doc.title);
    resize(1000, 800);
    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* first = button(this, QStringLiteral("BtnIlk"), QStringLiteral("|<"), QStringLiteral("İlk Sayfa"));
    auto* prev = button(this, QStringLiteral("BtnOnceki"), QStringLiteral("<"), QStringLiteral("Önceki Sayfa"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("LblSayfa"));
    auto* next = button(this, QStringLiteral("BtnSonraki"), QStringLiteral(">"), QStringLiteral("Sonraki Sayfa"));
    auto* last = button(this, QStringLiteral("BtnSon"), QStringLiteral(">|"), QStringLiteral("Son Sayfa"));
    auto* zin = button(this, QStringLiteral("BtnYakinlas"), QStringLiteral("+"), QStringLiteral("Yakınlaştır"));
    auto* zout = button(this, QStringLiteral("BtnUzaklas"), QStringLiteral("-"), QStringLiteral("Uzaklaştır"));
    auto* fit = button(this, QStringLiteral("BtnSigdir"), QStringLiteral("Sayfaya Sığdır"), QString());
    auto* print = button(this, QStringLiteral("BtnYazdir"), QStringLiteral("Yazdır"), QString());
    auto* exp = button(this, QStringLiteral("BtnAktar"), QStringLiteral("Dışa Aktar"), QString());
    auto* close = button(this, QStringLiteral("BtnKapat"), QStringLiteral("&Kapat"), QString());
    auto* menu = new QMenu(exp);
    for (const QString& o : {OutputWord, OutputExcel, OutputText, OutputPdf, OutputHtml, OutputXml})
        menu->addAction(o, this, Guarded([this, o] { exportAs(o); }));
    exp->setMenu(menu);
    exp->setPopupMode(QToolButton::InstantPopup);
    for (QWidget* w : std::initializer_list<QWidget*>{first, prev, m_pageLabel, next, last, zin, zout, fit})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(exp);
    bar->addWidget(close);
    top->addLayout(bar);
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_image = new QLabel;
    m_image->setObjectName(QStringLiteral("ImgSayfa"));
    m_scroll->setWidget(m_image);
    top->addWidget(m_scroll, 1);

    connect(first, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnIlkClick));
    connect(prev, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnOncekiClick));
    connect(next, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnSonrakiClick));
    connect(last, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnSonClick));
    connect(zin, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnYakinlasClick));
    connect(zout, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnUzaklasClick));
    connect(fit, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnSigdirClick));
    connect(print, &QToolButton::clicked, this, Guarded(this, &TFormOnizleme::BtnYazdirClick));
    connect(close, &QToolButton::clicked, this, &QDialog::accept); // unguarded: ui only
    showPage();
}

void TFormOnizleme::showPage()
{
    const int n = m_doc.pageCount();
    m_pageLabel->setText(QStringLiteral(" Sayfa %1 / %2 ").arg(n ? m_page + 1 : 0).arg(n));
    if (!n) {
        m_image->clear();
        return;
    }
    const QImage img = PageImage(m_doc, m_page, 96.0 * m_zoom);
    m_image->setPixmap(QPixmap::fromImage(img));
    m_image->resize(img.size());
}

void TFormOnizleme::setZoom(double z)
{
    m_zoom = std::clamp(z, 0.25, 4.0);
    showPage();
}

void TFormOnizleme::BtnIlkClick()
{
    m_page = 0;
    showPage();
}

void TFormOnizleme::BtnOncekiClick()
{
    if (m_page > 0)
        --m_page;
    showPage();
}

void TFormOnizleme::BtnSonrakiClick()
{
    if (m_page + 1 < m_doc.pageCount())
        ++m_page;
    showPage();
}

void TFormOnizleme::BtnSonClick()
{
    m_page = std::max(0, m_doc.pageCount() - 1);
    showPage();
}

void TFormOnizleme::BtnYakinlasClick() { setZoom(m_zoom * 1.25); }
void TFormOnizleme::BtnUzaklasClick() { setZoom(m_zoom / 1.25); }

void TFormOnizleme::BtnSigdirClick()
{
    const QSizeF mm = m_doc.page.pageSizeMm();
    const double wz = (m_scroll->viewport()->width() - 8) / (mm.width() * 96.0 / 25.4);
    const double hz = (m_scroll->viewport()->height() - 8) / (mm.height() * 96.0 / 25.4);
    setZoom(std::min(wz, hz));
}

void TFormOnizleme::BtnYazdirClick()
{
    PrintOnDefaultPrinter(m_doc);
}

QString TFormOnizleme::exportAs(const QString& output)
{
    SaveChoice c;
    if (!SaveChoiceFor(output, &c))
        return {};
    return SaveDocumentAs(m_doc, c);
}

void ShowReportPreview(const Document& doc, QWidget* parent)
{
    TFormOnizleme f(doc, parent);
    f.exec();
}

} // namespace tornaly::report
