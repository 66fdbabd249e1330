#include "report/SayfAyar.h"
#include "guard/FormGuard.h"

#include "messages/Messages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tornaly::report {

bool PageNameSize(const QString& pageName, int* width, int* length)
{
    // The first letter decides, as in the list the dialog offers.
    const QChar c = pageName.isEmpty() ? QChar() : pageName[0];
    if (c == QLatin1Char('A'))
        *width = 210, *length = 297;
    else if (c == QLatin1Char('B'))
        *width = 182, *length = 257;
    else if (c == QLatin1Char('L'))
        *width = 203, *length = 355;
    else if (c == QLatin1Char('M'))
        *width = 230, *length = 274;
    else
        return false;
    return true;
}

PageSetupValues PageSetupForEdit(const Db& db, const QString& formName, const QString& reportName, int bottom,
                                 int top, int left, int right, const QString& direction)
{
    PageSetupValues v = ReadPageSetup(db, formName, reportName);
    if (v.found)
        return v;
    v.PASADI = formName;
    v.QUIKAD = reportName;
    v.SAYFAISIM = PageA4;
    v.PRBICIMI = direction;
    v.SAG = right;
    v.SOL = left;
    v.UST = top;
    v.ALT = bottom;
    PageNameSize(v.SAYFAISIM, &v.SAYFAGEN, &v.SAYFAYUK);
    return v;
}

void SavePageSetup(const Db& db, const PageSetupValues& v)
{
    const QVariantMap b{{QStringLiteral("PASADI"), v.PASADI},       {QStringLiteral("QUIKAD"), v.QUIKAD},
                        {QStringLiteral("SAYFAISIM"), v.SAYFAISIM}, {QStringLiteral("PRBICIMI"), v.PRBICIMI},
                        {QStringLiteral("SAYFAGEN"), v.SAYFAGEN},   {QStringLiteral("SAYFAYUK"), v.SAYFAYUK},
                        {QStringLiteral("SAG"), v.SAG},             {QStringLiteral("SOL"), v.SOL},
                        {QStringLiteral("UST"), v.UST},             {QStringLiteral("ALT"), v.ALT}};
    // One statement, so that two workstations saving a new setup at once
    // cannot both find no row and both insert one.
    db.exec(db.dialect().upsert(QStringLiteral("MSAYFA"), {QStringLiteral("PASADI"), QStringLiteral("QUIKAD")},
                                b.keys()),
            b);
}

namespace {

QSpinBox* spin(QWidget* parent, const QString& name, int max)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(0, max);
    s->setSuffix(QStringLiteral(" mm"));
    return s;
}

} // namespace

TFormSayfaAyarla::TFormSayfaAyarla(const Db& db, const PageSetupValues& values, const QString& captionText,
                                   const QString& heading, QWidget* parent)
    : QDialog(parent), m_db(db), m_values(values)
{
    setObjectName(QStringLiteral("FormSayfaAyarla"));
    setWindowTitle(QStringLiteral("Sayfa Ayarı"));
    auto* top = new QVBoxLayout(this);
    auto* lblForm = new QLabel(captionText, this);
    lblForm->setObjectName(QStringLiteral("LblForm"));
    auto* lblHead = new QLabel(heading, this);
    lblHead->setObjectName(QStringLiteral("LblBaslik"));
    QFont f = lblHead->font();
    f.setBold(true);
    lblHead->setFont(f);
    top->addWidget(lblForm);
    top->addWidget(lblHead);

    auto* form = new QFormLayout;
    m_page = new QComboBox(this);
    m_page->setObjectName(QStringLiteral("CmbSayfa"));
    m_page->addItems({PageA4, PageB5, PageCustom, PageLegal, PageMektup});
    m_page->setEditable(false);
    form->addRow(QStringLiteral("Sayfa Boyutu"), m_page);
    m_width = spin(this, QStringLiteral("EdtGenislik"), 2000);
    m_length = spin(this, QStringLiteral("EdtYukseklik"), 2000);
    form->addRow(QStringLiteral("Sayfa Genişliği"), m_width);
    form->addRow(QStringLiteral("Sayfa Yüksekliği"), m_length);

    auto* dir = new QGroupBox(QStringLiteral("Yazım Yönü"), this);
    dir->setObjectName(QStringLiteral("RgYon"));
    auto* dl = new QHBoxLayout(dir);
    m_portrait = new QRadioButton(QStringLiteral("Dikey"), dir);
    m_portrait->setObjectName(QStringLiteral("RbDikey"));
    m_landscape = new QRadioButton(QStringLiteral("Yatay"), dir);
    m_landscape->setObjectName(QStringLiteral("RbYatay"));
    m_picture = new QLabel(dir);
    m_picture->setObjectName(QStringLiteral("ImgYon"));
    m_picture->setFixedSize(48, 48);
    dl->addWidget(m_portrait);
    dl->addWidget(m_landscape);
    dl->addWidget(m_picture);
    form->addRow(dir);

    m_left = spin(this, QStringLiteral("EdtSol"), 200);
    m_right = spin(this, QStringLiteral("EdtSag"), 200);
    m_top = spin(this, QStringLiteral("EdtUst"), 200);
    m_bottom = spin(this, QStringLiteral("EdtAlt"), 200);
    form->addRow(QStringLiteral("Sayfa Solundan Bırakılacak Boşluk"), m_left);
    form->addRow(QStringLiteral("Sayfa Sağından Bırakılacak Boşluk"), m_right);
    form->addRow(QStringLiteral("Sayfa Üstünden Bırakılacak Boşluk"), m_top);
    form->addRow(QStringLiteral("Sayfa Altında Bırakılacak Boşluk"), m_bottom);
    top->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Sakla"), this);
    save->setObjectName(QStringLiteral("BtnSakla"));
    auto* cancel = new QPushButton(QStringLiteral("&Vazgeç"), this);
    cancel->setObjectName(QStringLiteral("BtnVazgec"));
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    top->addLayout(buttons);

    // Fill the controls before the change handlers are connected, then apply
    // the page name once as the dialog does when it is shown.
    const int idx = m_page->findText(values.SAYFAISIM);
    m_page->setCurrentIndex(idx < 0 ? 0 : idx);
    m_width->setValue(values.SAYFAGEN);
    m_length->setValue(values.SAYFAYUK);
    (values.PRBICIMI == QLatin1String("D") ? m_portrait : m_landscape)->setChecked(true);
    m_left->setValue(values.SOL);
    m_right->setValue(values.SAG);
    m_top->setValue(values.UST);
    m_bottom->setValue(values.ALT);
    CmbSayfaChange();
    RgYonClick();

    connect(m_page, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormSayfaAyarla::CmbSayfaChange));
    connect(m_portrait, &QRadioButton::toggled, this, Guarded(this, &TFormSayfaAyarla::RgYonClick));
    connect(save, &QPushButton::clicked, this, Guarded(this, &TFormSayfaAyarla::BtnSaklaClick));
    connect(cancel, &QPushButton::clicked, this, Guarded(this, &TFormSayfaAyarla::BtnVazgecClick));
}

PageSetupValues TFormSayfaAyarla::values() const
{
    PageSetupValues v = m_values;
    v.SAYFAISIM = m_page->currentText();
    v.SAYFAGEN = m_width->value();
    v.SAYFAYUK = m_length->value();
    v.PRBICIMI = m_portrait->isChecked() ? QStringLiteral("D") : QStringLiteral("Y");
    v.SOL = m_left->value();
    v.SAG = m_right->value();
    v.UST = m_top->value();
    v.ALT = m_bottom->value();
    return v;
}

void TFormSayfaAyarla::CmbSayfaChange()
{
    int w = 0, l = 0;
    if (PageNameSize(m_page->currentText(), &w, &l)) {
        m_width->setValue(w);
        m_length->setValue(l);
    } else {
        // A size of the user's own: the previous values stay until changed.
        m_width->setFocus();
    }
}

void TFormSayfaAyarla::RgYonClick()
{
    const bool portrait = m_portrait->isChecked();
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawRect(portrait ? QRect(12, 4, 24, 40) : QRect(4, 12, 40, 24));
    p.end();
    m_picture->setPixmap(pm);
}

void TFormSayfaAyarla::BtnSaklaClick()
{
    SavePageSetup(m_db, values());
    accept();
}

void TFormSayfaAyarla::BtnVazgecClick()
{
    reject();
}

bool ShowPageSetup(const Db& db, const QString& formName, const QString& reportName, const QString& captionText,
                   int bottom, int top, int left, int right, const QString& direction, const QString& heading)
{
    const PageSetupValues v = PageSetupForEdit(db, formName, reportName, bottom, top, left, right, direction);
    TFormSayfaAyarla f(db, v, captionText, heading);
    return f.exec() == QDialog::Accepted;
}

} // namespace tornaly::report
