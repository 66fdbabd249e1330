#include "invoicing/print/SayfaDuz.h"

#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "report/PageSetup.h"
#include "report/PrePrinted.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tornaly::invoicing {

namespace {

const QStringList kColumns{QStringLiteral("FONTADI"),  QStringLiteral("FONTSTYLE"), QStringLiteral("FONTSIZE"),
                           QStringLiteral("FONTRENK"), QStringLiteral("SAYFAGEN"),  QStringLiteral("SAYFAYUK"),
                           QStringLiteral("SAYFAISIM"), QStringLiteral("PRBICIMI"), QStringLiteral("FONT_AYAR"),
                           QStringLiteral("MATBU_BILGI_BASMA")};

QVariantMap binds(const SayfaDegerleri& v)
{
    auto text = [](const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); };
    return {{QStringLiteral("FONTADI"), text(v.FONTADI)},     {QStringLiteral("FONTSTYLE"), text(v.FONTSTYLE)},
            {QStringLiteral("FONTSIZE"), v.FONTSIZE},         {QStringLiteral("FONTRENK"), text(v.FONTRENK)},
            {QStringLiteral("SAYFAGEN"), v.SAYFAGEN},         {QStringLiteral("SAYFAYUK"), v.SAYFAYUK},
            {QStringLiteral("SAYFAISIM"), text(v.SAYFAISIM)}, {QStringLiteral("PRBICIMI"), v.PRBICIMI},
            {QStringLiteral("FONT_AYAR"), v.FONT_AYAR},       {QStringLiteral("MATBU_BILGI_BASMA"), v.MATBU_BILGI_BASMA}};
}

QString insertStatement()
{
    QStringList params;
    for (const QString& c : kColumns)
        params.append(QLatin1Char(':') + c);
    return QStringLiteral("INSERT INTO SAYFA (%1) VALUES (%2)").arg(kColumns.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
}

} // namespace

SayfaDegerleri SayfaOku(const Db& db)
{
    SayfaDegerleri v;
    Query q(db, QStringLiteral("SELECT * FROM SAYFA"));
    q.exec();
    if (!q.next())
        return v;
    v.found = true;
    v.FONTADI = q.str(QStringLiteral("FONTADI"));
    v.FONTSTYLE = q.str(QStringLiteral("FONTSTYLE"));
    v.FONTSIZE = int(q.integer(QStringLiteral("FONTSIZE")));
    v.FONTRENK = q.str(QStringLiteral("FONTRENK"));
    v.SAYFAGEN = int(q.integer(QStringLiteral("SAYFAGEN")));
    v.SAYFAYUK = int(q.integer(QStringLiteral("SAYFAYUK")));
    v.SAYFAISIM = q.str(QStringLiteral("SAYFAISIM"));
    v.PRBICIMI = int(q.integer(QStringLiteral("PRBICIMI")));
    v.FONT_AYAR = int(q.integer(QStringLiteral("FONT_AYAR")));
    v.MATBU_BILGI_BASMA = int(q.integer(QStringLiteral("MATBU_BILGI_BASMA")));
    return v;
}

void SayfaDuzenTopla(const Db& db)
{
    Transaction t(db);
    Query n(db, QStringLiteral("SELECT COUNT(*) AS N FROM SAYFA"));
    n.exec();
    if (!n.next() || n.integer(QStringLiteral("N")) <= 1)
        return;
    n.finish();
    // The first row is kept whole: fonts and flags are not lost by the tidy-up.
    const SayfaDegerleri first = SayfaOku(db);
    db.exec(QStringLiteral("DELETE FROM SAYFA"));
    db.exec(insertStatement(), binds(first));
    t.commit();
}

void SayfaSakla(const Db& db, const SayfaDegerleri& v)
{
    Transaction t(db);
    Query n(db, QStringLiteral("SELECT COUNT(*) AS N FROM SAYFA"));
    n.exec();
    const bool empty = !n.next() || n.integer(QStringLiteral("N")) == 0;
    n.finish();
    if (empty) {
        db.exec(insertStatement(), binds(v));
    } else {
        QStringList sets;
        for (const QString& c : kColumns)
            sets.append(c + QStringLiteral("=:") + c);
        db.exec(QStringLiteral("UPDATE SAYFA SET %1").arg(sets.join(QLatin1Char(','))), binds(v));
    }
    t.commit();
}

bool SayfaBoyutu(const QString& pageName, int* width, int* height)
{
    const QChar c = pageName.isEmpty() ? QChar() : pageName.at(0);
    int w = 0, h = 0;
    if (c == QLatin1Char('A'))
        w = 210, h = 297;
    else if (c == QLatin1Char('B'))
        w = 182, h = 257;
    else if (c == QLatin1Char('L'))
        w = 203, h = 355;
    else if (c == QLatin1Char('M'))
        w = 230, h = 274;
    else
        return false;
    *width = w;
    *height = h;
    return true;
}

int EnBuyukYaziBoyutu(const QString& fontName)
{
    return fontName == QLatin1String("Courier New") ? 14 : 11;
}

namespace {

// A list that offers its values only: typing in it is swallowed.
QComboBox* fixedList(const QString& name, const QStringList& items, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(false);
    c->addItems(items);
    return c;
}

} // namespace

TSayfaDuzForm::TSayfaDuzForm(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("SayfaDuzForm"));
    setWindowTitle(QStringLiteral("Sayfa Düzeni"));
    auto* top = new QVBoxLayout(this);

    auto* kind = new QGroupBox(QStringLiteral("AİT OLDUĞU FATURA SAYFA DÜZENİ"), this);
    auto* kindLay = new QVBoxLayout(kind);
    auto* satis = new QRadioButton(QStringLiteral("Satış Faturası Sayfa Düzeni"), kind);
    satis->setObjectName(QStringLiteral("RGFatura"));
    satis->setChecked(true);
    kindLay->addWidget(satis);
    top->addWidget(kind);

    auto* form = new QFormLayout;
    CBFontAdi = fixedList(QStringLiteral("CBFontAdi"),
                          {QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("Times New Roman")}, this);
    CBFontStil = fixedList(QStringLiteral("CBFontStil"),
                           {QStringLiteral("Normal"), QStringLiteral("İtalik"), QStringLiteral("Kalın"),
                            QStringLiteral("Kalın ve İtalik")},
                           this);
    SEFontSize = new QSpinBox(this);
    SEFontSize->setObjectName(QStringLiteral("SEFontSize"));
    SEFontSize->setRange(8, 11);
    CBSayfa = fixedList(QStringLiteral("CBSayfa"),
                        {report::PageA4, report::PageB5, report::PageCustom, report::PageLegal, report::PageMektup}, this);
    SESayfaGen = new QSpinBox(this);
    SESayfaGen->setObjectName(QStringLiteral("SESayfaGen"));
    SESayfaGen->setRange(0, 2000);
    SESayfaYuk = new QSpinBox(this);
    SESayfaYuk->setObjectName(QStringLiteral("SESayfaYuk"));
    SESayfaYuk->setRange(0, 2000);
    RGYazBicim = fixedList(QStringLiteral("RGYazBicim"), {QStringLiteral("Dikey"), QStringLiteral("Yatay")}, this);
    CBFontAyar = fixedList(QStringLiteral("CBFontAyar"), {QStringLiteral("Hayır"), QStringLiteral("Evet")}, this);
    form->addRow(QStringLiteral("Yazı Tipi"), CBFontAdi);
    form->addRow(QStringLiteral("Yazı Stili"), CBFontStil);
    form->addRow(QStringLiteral("Yazı Boyutu"), SEFontSize);
    form->addRow(QStringLiteral("Sayfa Boyutu"), CBSayfa);
    form->addRow(QStringLiteral("Sayfa Genişlği"), SESayfaGen);
    form->addRow(QStringLiteral("Sayfa Yüksekliği"), SESayfaYuk);
    form->addRow(QStringLiteral("Yazdırma Biçimi"), RGYazBicim);
    form->addRow(QStringLiteral("Font Ayarı Yapılsın"), CBFontAyar);
    top->addLayout(form);

    auto* a4 = new QGroupBox(QStringLiteral("A4 Fatura Ayarları"), this);
    auto* a4Lay = new QVBoxLayout(a4);
    CBMatbu = new QCheckBox(QStringLiteral("Firma Adı ve Logo Çıkmasın"), a4);
    CBMatbu->setObjectName(QStringLiteral("CBMatbu"));
    a4Lay->addWidget(CBMatbu);
    top->addWidget(a4);

    top->addWidget(new QLabel(QStringLiteral("Yazıcıdan Çıkacak Yazı Örneği"), this));
    EditOrnek = new QLineEdit(QStringLiteral("AÇĞZaçğ"), this);
    EditOrnek->setObjectName(QStringLiteral("EditOrnek"));
    top->addWidget(EditOrnek);
    PanelSayfa = new QFrame(this);
    PanelSayfa->setObjectName(QStringLiteral("PanelSayfa"));
    PanelSayfa->setFrameShape(QFrame::Box);
    top->addWidget(PanelSayfa, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    BtnSakla = new QPushButton(QStringLiteral("Sakla"), this);
    BtnSakla->setObjectName(QStringLiteral("BtnSakla"));
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    buttons->addStretch();
    buttons->addWidget(BtnSakla);
    buttons->addWidget(BtnKapat);
    top->addLayout(buttons);

    connect(CBFontAdi, &QComboBox::currentIndexChanged, this, Guarded([this] { CBFontAdiChange(); }));
    connect(CBFontStil, &QComboBox::currentIndexChanged, this, Guarded([this] { CBFontStilChange(); }));
    connect(SEFontSize, &QSpinBox::valueChanged, this, Guarded([this] { SEFontSizeChange(); }));
    connect(CBSayfa, &QComboBox::activated, this, Guarded([this] { CBSayfaChange(); }));
    connect(SESayfaGen, &QSpinBox::valueChanged, this, Guarded([this] { SayfaOlcuChange(); }));
    connect(SESayfaYuk, &QSpinBox::valueChanged, this, Guarded([this] { SayfaOlcuChange(); }));
    connect(satis, &QRadioButton::clicked, this, Guarded([this] { SayfaDegFat(); }));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded([this] { BtnSaklaClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only

    Guard([this] {
        SayfaDuzenTopla(m_ctx.Database1);
        SayfaDegFat();
    });
}

void TSayfaDuzForm::SayfaDegFat()
{
    const SayfaDegerleri v = SayfaOku(m_ctx.Database1);
    CBSayfa->setCurrentIndex(CBSayfa->findText(v.SAYFAISIM));
    SESayfaGen->setValue(v.SAYFAGEN);
    SESayfaYuk->setValue(v.SAYFAYUK);
    CBFontAdi->setCurrentIndex(CBFontAdi->findText(v.FONTADI));
    CBFontStil->setCurrentIndex(CBFontStil->findText(v.FONTSTYLE));
    CBFontAdiChange();
    SEFontSize->setValue(v.FONTSIZE);
    RGYazBicim->setCurrentIndex(v.found ? qBound(0, v.PRBICIMI, 1) : -1);
    CBFontAyar->setCurrentIndex(v.found ? (v.FONT_AYAR == 1 ? 1 : 0) : -1);
    CBMatbu->setChecked(v.MATBU_BILGI_BASMA == 1);
    SayfaOlcuChange();
}

void TSayfaDuzForm::CBFontAdiChange()
{
    SEFontSize->setMaximum(EnBuyukYaziBoyutu(CBFontAdi->currentText()));
    QFont f = EditOrnek->font();
    if (!CBFontAdi->currentText().isEmpty())
        f.setFamily(CBFontAdi->currentText());
    EditOrnek->setFont(f);
}

void TSayfaDuzForm::CBFontStilChange()
{
    report::ReportFont rf;
    report::ApplyFontStyle(rf, CBFontStil->currentText());
    QFont f = EditOrnek->font();
    f.setBold(rf.bold);
    f.setItalic(rf.italic);
    EditOrnek->setFont(f);
}

void TSayfaDuzForm::SEFontSizeChange()
{
    QFont f = EditOrnek->font();
    f.setPointSize(SEFontSize->value());
    EditOrnek->setFont(f);
}

void TSayfaDuzForm::CBSayfaChange()
{
    int w = 0, h = 0;
    if (SayfaBoyutu(CBSayfa->currentText(), &w, &h)) {
        SESayfaGen->setValue(w);
        SESayfaYuk->setValue(h);
    } else {
        SESayfaGen->setFocus();
    }
}

void TSayfaDuzForm::SayfaOlcuChange()
{
    const int ppi = logicalDpiX();
    PanelSayfa->setFixedSize(qMax(1, SESayfaGen->value() * ppi / 125), qMax(1, SESayfaYuk->value() * ppi / 125));
}

void TSayfaDuzForm::BtnSaklaClick()
{
    SayfaDegerleri v = SayfaOku(m_ctx.Database1);
    v.FONTADI = CBFontAdi->currentText();
    v.SAYFAISIM = CBSayfa->currentText();
    v.SAYFAGEN = SESayfaGen->value();
    v.SAYFAYUK = SESayfaYuk->value();
    v.FONTSTYLE = CBFontStil->currentText();
    v.FONTSIZE = SEFontSize->value();
    v.PRBICIMI = qMax(0, RGYazBicim->currentIndex());
    v.FONT_AYAR = CBFontAyar->currentIndex() == 1 ? 1 : 0;
    v.MATBU_BILGI_BASMA = CBMatbu->isChecked() ? 1 : 0;
    SayfaSakla(m_ctx.Database1, v);
}

void SayfaDuzeniGoster(SessionContext& ctx, QWidget* parent)
{
    TSayfaDuzForm f(ctx, parent);
    f.exec();
}

} // namespace tornaly::invoicing
