#include "accounts/bank/BrBnkHrk.h"

#include "accounts/bank/BankHrk.h"
#include "accounts/bank/BankaTablo.h"
#include "accounts/bank/BrBanka.h"
#include "accounts/cards/BrCari.h"
#include "accounts/ui/AramaKutulari.h"
#include "accounts/ui/ListeModeli.h"
#include "context/User.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

TTarihEdit* bosTarih(QWidget* parent, const char* ad)
{
    auto* e = new TTarihEdit(parent);
    e->setObjectName(QLatin1String(ad));
    e->setBosOlabilir(true);
    e->temizle();
    return e;
}

} // namespace

TFormBankHrkBr::TFormBankHrkBr(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_mode(mode)
{
    setObjectName(QStringLiteral("FormBankHrkBr"));
    setWindowTitle(QStringLiteral("BANKA HAREKETLERİ"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurFiltre());
    auto* bol = new QSplitter(Qt::Vertical, this);
    GridFis = BankaTablosu(bol, "GridFis",
                           {QStringLiteral("Hareket No"), QStringLiteral("Hrk.Tarihi"), QStringLiteral("Toplam Borç"),
                            QStringLiteral("Toplam Alacak"), QStringLiteral("Tipi"), QStringLiteral("Muh.Fiş No")});
    GridSatir = BankaTablosu(bol, "GridSatir",
                             {QStringLiteral("Banka Kodu"), QStringLiteral("Banka Adı"), QStringLiteral("HesapNo"),
                              QStringLiteral("Cari Kodu"), QStringLiteral("Cari Adı"), QStringLiteral("Borç"),
                              QStringLiteral("Alacak"), QStringLiteral("Kasa Kodu"), QStringLiteral("Açıklama"),
                              QStringLiteral("Döviz Kodu"), QStringLiteral("Para Baz")});
    bol->addWidget(GridFis);
    bol->addWidget(GridSatir);
    lay->addWidget(AramaKutulari(this, GridFis, {{"EditAraHrkNo", QStringLiteral("Aranan Hrk.No"), 0},
                                    {"EditAraFisNo", QStringLiteral("Muh.&Ref.No"), 5},
                                    {"EditAraTarih", QStringLiteral("Aranan Trh."), 1, AramaAlani::Tarih}}));
    lay->addWidget(bol, 1);
    LblSayi = new QLabel(this);
    LblSayi->setObjectName(QStringLiteral("LblSayi"));
    lay->addWidget(LblSayi);
    lay->addLayout(kurDugmeler());
    connect(GridFis, &QTableWidget::itemSelectionChanged, this, Guarded([this] { satirlariYukle(); }));
    connect(GridFis, &QTableWidget::cellDoubleClicked, this, Guarded([this] {
                if (m_mode == 1)
                    BtnSecClick();
                else if (BtnDuzenle->isEnabled())
                    BtnDuzenleClick();
            }));
    listeyiAc();
    resize(1000, 640);
}

QWidget* TFormBankHrkBr::kurFiltre()
{
    auto* g = new QGroupBox(QStringLiteral("Filtre"), this);
    auto* l = new QGridLayout(g);
    CbTipi = new QComboBox(g);
    CbTipi->setObjectName(QStringLiteral("CbTipi"));
    CbTipi->addItem(QStringLiteral("Tümü"), QString());
    for (const char* t : {"I", "V", "G", "H", "A", "K", "R", "M"})
        CbTipi->addItem(BankaHrkTipMetni(QLatin1String(t)), QLatin1String(t));
    EditTarih1 = bosTarih(g, "EditTarih1");
    EditTarih2 = bosTarih(g, "EditTarih2");
    EditCariKod = new QLineEdit(g);
    EditCariKod->setObjectName(QStringLiteral("EditCariKod"));
    EditBankaKod = new QLineEdit(g);
    EditBankaKod->setObjectName(QStringLiteral("EditBankaKod"));
    EditHesapNo = new QLineEdit(g);
    EditHesapNo->setObjectName(QStringLiteral("EditHesapNo"));
    BtnCariSec = Dugme(g, "BtnCariSec", QStringLiteral("..."));
    BtnBankaSec = Dugme(g, "BtnBankaSec", QStringLiteral("..."));
    BtnFiltrele = Dugme(g, "BtnFiltrele", QStringLiteral("Filtrele"));
    BtnFiltreKaldir = Dugme(g, "BtnFiltreKaldir", QStringLiteral("&Filtre Kaldır"));
    CbSiralama = new QComboBox(g);
    CbSiralama->setObjectName(QStringLiteral("CbSiralama"));
    CbSiralama->addItems({QStringLiteral("Tarih"), QStringLiteral("Hrk.No"), QStringLiteral("Tp.Borç"),
                          QStringLiteral("Tp.Alacak"), QStringLiteral("M.Fiş No")});
    l->addWidget(new QLabel(QStringLiteral("Tipi"), g), 0, 0);
    l->addWidget(CbTipi, 0, 1);
    l->addWidget(new QLabel(QStringLiteral("Hrk.Tarihleri"), g), 0, 2);
    l->addWidget(EditTarih1, 0, 3);
    l->addWidget(EditTarih2, 0, 4);
    l->addWidget(new QLabel(QStringLiteral("Sıralama Değiştir"), g), 0, 5);
    l->addWidget(CbSiralama, 0, 6);
    l->addWidget(new QLabel(QStringLiteral("Cari Kodu"), g), 1, 0);
    l->addWidget(EditCariKod, 1, 1);
    l->addWidget(BtnCariSec, 1, 2);
    l->addWidget(new QLabel(QStringLiteral("Banka Kodu"), g), 1, 3);
    l->addWidget(EditBankaKod, 1, 4);
    l->addWidget(new QLabel(QStringLiteral("Banka H.Nosu"), g), 1, 5);
    l->addWidget(EditHesapNo, 1, 6);
    l->addWidget(BtnBankaSec, 1, 7);
    l->addWidget(BtnFiltrele, 0, 7);
    l->addWidget(BtnFiltreKaldir, 0, 8);
    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormBankHrkBr::BtnFiltreleClick));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded(this, &TFormBankHrkBr::BtnFiltreKaldirClick));
    connect(CbSiralama, &QComboBox::currentIndexChanged, this, Guarded([this] { listeyiAc(hrkNo()); }));
    connect(BtnCariSec, &QPushButton::clicked, this, Guarded([this] {
                const QString kod = CariSec(m_ctx, 1, this);
                if (!kod.isEmpty())
                    EditCariKod->setText(kod);
            }));
    connect(BtnBankaSec, &QPushButton::clicked, this, Guarded([this] {
                const TBankParam p = BankaSec(m_ctx, 1, {}, {}, this);
                if (!p.BanKodu.isEmpty()) {
                    EditBankaKod->setText(p.BanKodu);
                    EditHesapNo->setText(p.BankHspNo);
                }
            }));
    return g;
}

QLayout* TFormBankHrkBr::kurDugmeler()
{
    const QString& hak = m_ctx.AktifKullanici.diger09;
    auto* l = new QHBoxLayout;
    BtnYeni = Dugme(this, "BtnYeni", QStringLiteral("&Yeni"));
    MenuYeni = new QMenu(BtnYeni);
    MenuYeni->setObjectName(QStringLiteral("MenuYeni"));
    for (const QString& t : BankaHrkYeniTipleri()) {
        QAction* a = MenuYeni->addAction(BankaHrkTipMetni(t));
        a->setObjectName(QStringLiteral("Yeni") + t);
        connect(a, &QAction::triggered, this, Guarded([this, t] { YeniClick(t); }));
    }
    BtnYeni->setMenu(MenuYeni);
    BtnYeni->setEnabled(RightAdds(hak));
    BtnDuzenle = Dugme(this, "BtnDuzenle", QStringLiteral("&Düzenle"));
    BtnDuzenle->setEnabled(RightChanges(hak));
    BtnSil = Dugme(this, "BtnSil", QStringLiteral("&Sil"));
    BtnSil->setEnabled(RightDeletes(hak));
    BtnSec = Dugme(this, "BtnSec", QStringLiteral("&Seç"));
    BtnSec->setVisible(m_mode == 1);
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded(this, &TFormBankHrkBr::BtnDuzenleClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormBankHrkBr::BtnSilClick));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormBankHrkBr::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    for (QPushButton* b : {BtnYeni, BtnDuzenle, BtnSil, BtnSec})
        l->addWidget(b);
    l->addStretch();
    l->addWidget(BtnKapat);
    return l;
}

void TFormBankHrkBr::listeyiAc(double konum)
{
    static const char* siralar[] = {"H.TARIH", "H.HRK_NO", "H.BORC", "H.ALACAK", "H.FIS_NO"};
    QString kosul;
    QVariantMap b;
    const auto ekle = [&](const QString& k, const QString& ad, const QVariant& v) {
        kosul += (kosul.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + k;
        b.insert(ad, v);
    };
    if (!CbTipi->currentData().toString().isEmpty())
        ekle(QStringLiteral("H.TIP=:TIP"), QStringLiteral("TIP"), CbTipi->currentData().toString());
    if (const QDate d = static_cast<TTarihEdit*>(EditTarih1)->tarih(); d.isValid())
        ekle(QStringLiteral("H.TARIH>=:T1"), QStringLiteral("T1"), d.startOfDay());
    if (const QDate d = static_cast<TTarihEdit*>(EditTarih2)->tarih(); d.isValid())
        ekle(QStringLiteral("H.TARIH<:T2"), QStringLiteral("T2"), d.addDays(1).startOfDay());
    // Line filters: a voucher is listed when one of its lines matches every filled value.
    QString satir;
    for (const auto& [alan, edit] : {std::pair{"CARI_KOD", EditCariKod}, std::pair{"BANKA_KOD", EditBankaKod},
                                     std::pair{"HESAP_NO", EditHesapNo}})
        if (!edit->text().trimmed().isEmpty()) {
            satir += QStringLiteral(" AND A.") + QLatin1String(alan) + QStringLiteral("=:") + QLatin1String(alan);
            b.insert(QLatin1String(alan), edit->text().trimmed());
        }
    if (!satir.isEmpty())
        kosul += (kosul.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) +
                 QStringLiteral("EXISTS (SELECT 1 FROM BANKHRKA A WHERE A.HRK_NO=H.HRK_NO") + satir +
                 QStringLiteral(")");
    Query q(m_db, QStringLiteral("SELECT H.HRK_NO, H.TARIH, H.BORC, H.ALACAK, H.TIP, H.FIS_NO FROM BANKHRK H") + kosul +
                      QStringLiteral(" ORDER BY ") + QLatin1String(siralar[qBound(0, CbSiralama->currentIndex(), 4)]) +
                      QStringLiteral(", H.HRK_NO"));
    q.bindAll(b).exec();
    m_nolar.clear();
    m_tipler.clear();
    const QSignalBlocker bl(GridFis);
    GridFis->setRowCount(0);
    int secili = -1;
    while (q.next()) {
        const int r = GridFis->rowCount();
        GridFis->insertRow(r);
        const double no = q.num(QStringLiteral("HRK_NO"));
        m_nolar << no;
        m_tipler << q.str(QStringLiteral("TIP"));
        BankaHucre(GridFis, r, 0, FormatMoney(no, QStringLiteral("#,#")), true);
        BankaHucre(GridFis, r, 1, TarihYazi(q.date(QStringLiteral("TARIH"))));
        BankaHucre(GridFis, r, 2, FormatMoney(q.num(QStringLiteral("BORC")), QStringLiteral(",0.00")), true);
        BankaHucre(GridFis, r, 3, FormatMoney(q.num(QStringLiteral("ALACAK")), QStringLiteral(",0.00")), true);
        BankaHucre(GridFis, r, 4, BankaHrkTipMetni(q.str(QStringLiteral("TIP"))));
        BankaHucre(GridFis, r, 5, DisplayText(q.value(QStringLiteral("FIS_NO")), true), true);
        if (no == konum)
            secili = r;
    }
    if (secili < 0 && !m_nolar.isEmpty())
        secili = 0;
    if (secili >= 0)
        GridFis->selectRow(secili);
    KolonlariAyarla(GridFis);
    LblSayi->setText(QStringLiteral("Listedeki Kayıt Sayısı: ") + FormatMoney(m_nolar.size(), QStringLiteral("#,#")));
    satirlariYukle();
}

void TFormBankHrkBr::satirlariYukle()
{
    GridSatir->setRowCount(0);
    const double no = hrkNo();
    if (no <= 0)
        return;
    Query q(m_db, QStringLiteral("SELECT A.BANKA_KOD, B.BANKA_ADI, A.HESAP_NO, A.CARI_KOD, C.FIRMA_ADI, A.BORC, "
                                 "A.ALACAK, A.KASAKOD, A.ACIKLAMA, A.DOVIZ_KODU, A.PARA_BAZ FROM BANKHRKA A "
                                 "LEFT OUTER JOIN BANKA B ON B.BANKA_KOD=A.BANKA_KOD "
                                 "LEFT OUTER JOIN CARI C ON C.CARI_KOD=A.CARI_KOD WHERE A.HRK_NO=:HRK_NO "
                                 "ORDER BY A.SIRANO"));
    q.bind(QStringLiteral("HRK_NO"), no).exec();
    while (q.next()) {
        const int r = GridSatir->rowCount();
        GridSatir->insertRow(r);
        int c = 0;
        for (const char* k : {"BANKA_KOD", "BANKA_ADI", "HESAP_NO", "CARI_KOD", "FIRMA_ADI"})
            BankaHucre(GridSatir, r, c++, q.str(QLatin1String(k)));
        BankaHucre(GridSatir, r, c++, FormatMoney(q.num(QStringLiteral("BORC")), QStringLiteral(",0.00")), true);
        BankaHucre(GridSatir, r, c++, FormatMoney(q.num(QStringLiteral("ALACAK")), QStringLiteral(",0.00")), true);
        for (const char* k : {"KASAKOD", "ACIKLAMA", "DOVIZ_KODU", "PARA_BAZ"})
            BankaHucre(GridSatir, r, c++, q.str(QLatin1String(k)));
    }
    KolonlariAyarla(GridSatir);
}

double TFormBankHrkBr::hrkNo() const
{
    const int r = GridFis->currentRow();
    return r >= 0 && r < m_nolar.size() ? m_nolar[r] : 0;
}

int TFormBankHrkBr::satirSayisi() const
{
    return int(m_nolar.size());
}

void TFormBankHrkBr::YeniClick(const QString& tip)
{
    const double no = BankaHrkGir(m_ctx, tip, 0, this);
    listeyiAc(no);
}

void TFormBankHrkBr::BtnDuzenleClick()
{
    const int r = GridFis->currentRow();
    if (r < 0 || r >= m_nolar.size())
        return;
    const double no = BankaHrkGir(m_ctx, m_tipler[r], m_nolar[r], this);
    listeyiAc(no > 0 ? no : m_nolar[r]);
}

void TFormBankHrkBr::BtnSilClick()
{
    const double no = hrkNo();
    if (no <= 0)
        return;
    const auto f = BankaHrkOku(m_db, no);
    if (f && f->FIS_NO.toDouble() > 0) {
        Messages().show(MsgIcon::Warning, QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."), MsgCancel,
                        MsgCancel, windowTitle());
        return;
    }
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    BankaHrkSil(m_ctx, m_db, no);
    listeyiAc();
}

void TFormBankHrkBr::BtnSecClick()
{
    if (hrkNo() <= 0)
        return;
    secim = hrkNo();
    accept();
}

void TFormBankHrkBr::BtnFiltreleClick()
{
    listeyiAc(hrkNo());
}

void TFormBankHrkBr::BtnFiltreKaldirClick()
{
    CbTipi->setCurrentIndex(0);
    static_cast<TTarihEdit*>(EditTarih1)->temizle();
    static_cast<TTarihEdit*>(EditTarih2)->temizle();
    EditCariKod->clear();
    EditBankaKod->clear();
    EditHesapNo->clear();
    listeyiAc(hrkNo());
}

double BankaHrkSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormBankHrkBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secim : -1;
}

} // namespace tornaly::accounts
