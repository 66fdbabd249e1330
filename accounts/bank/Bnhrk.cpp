#include "accounts/bank/Bnhrk.h"

#include "accounts/bank/BankaHrk.h"
#include "accounts/bank/BankaTablo.h"
#include "accounts/ui/ListeModeli.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "money/Money.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

QString bankaPara(double v)
{
    return FormatMoney(v, QStringLiteral(",0.00"));
}

QString paraBazMetni(const SessionContext& ctx, const QString& baz)
{
    const QString b = baz.toUpper();
    if (b == QLatin1String("D"))
        return QStringLiteral("DVZ");
    if (b == QLatin1String("U"))
        return QStringLiteral("USD");
    if (b == QLatin1String("T"))
        return ctx.YerelPara;
    return {};
}

// A group of the second tab: "---   " for zero, else the amount with " A" or " B".
QString grupBakiyesi(double v)
{
    if (qRound64(v * 100) == 0)
        return QStringLiteral("---   ");
    return v > 0 ? FormatMoney(v, QStringLiteral("#,#.##")) + QStringLiteral(" A")
                 : FormatMoney(-v, QStringLiteral("#,#.##")) + QStringLiteral(" B");
}

} // namespace

TFormBHrkBak::TFormBHrkBak(const SessionContext& ctx, const QString& bankaAdi, const QString& bankaKod,
                           const QString& hesapNo, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_bankaKod(bankaKod), m_hesapNo(hesapNo)
{
    setObjectName(QStringLiteral("FormBHrkBak"));
    setWindowTitle(bankaAdi + QStringLiteral("/") + bankaKod + QStringLiteral("/") + hesapNo);
    auto* lay = new QVBoxLayout(this);
    Sayfalar = new QTabWidget(this);
    Sayfalar->setObjectName(QStringLiteral("Sayfalar"));
    Sayfalar->addTab(kurHareketler(), QStringLiteral("Banka Hareketleri"));
    Sayfalar->addTab(kurDurum(), QStringLiteral("Çek Senet ve Hesap Durumu Toplamları"));
    lay->addWidget(Sayfalar, 1);
    auto* d = new QHBoxLayout;
    EditTarih1 = new TTarihEdit(this);
    EditTarih1->setObjectName(QStringLiteral("EditTarih1"));
    static_cast<TTarihEdit*>(EditTarih1)->setBosOlabilir(true);
    static_cast<TTarihEdit*>(EditTarih1)->temizle();
    EditTarih2 = new TTarihEdit(this);
    EditTarih2->setObjectName(QStringLiteral("EditTarih2"));
    static_cast<TTarihEdit*>(EditTarih2)->setBosOlabilir(true);
    static_cast<TTarihEdit*>(EditTarih2)->temizle();
    BtnFiltrele = Dugme(this, "BtnFiltrele", QStringLiteral("Filtrele"));
    BtnFiltreKaldir = Dugme(this, "BtnFiltreKaldir", QStringLiteral("&Filtre Kaldır"));
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    d->addWidget(new QLabel(QStringLiteral("Tarih Aralığı"), this));
    d->addWidget(EditTarih1);
    d->addWidget(EditTarih2);
    d->addWidget(BtnFiltrele);
    d->addWidget(BtnFiltreKaldir);
    d->addStretch();
    d->addWidget(BtnKapat);
    lay->addLayout(d);
    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormBHrkBak::BtnFiltreleClick));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded(this, &TFormBHrkBak::BtnFiltreKaldirClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    yukle();
    durumYukle();
    resize(1150, 680);
}

QWidget* TFormBHrkBak::kurHareketler()
{
    auto* w = new QSplitter(Qt::Vertical, this);
    GridHareket = BankaTablosu(w, "GridHareket",
                               {QStringLiteral("Tarih"), QStringLiteral("Hrk.Tipi"), QStringLiteral("Borç"),
                                QStringLiteral("Borç $"), QStringLiteral("Borç Dvz"), QStringLiteral("Alacak"),
                                QStringLiteral("Alacak$"), QStringLiteral("Alacak Dvz"), QStringLiteral("Döviz Kuru"),
                                QStringLiteral("Usd Kuru"), QStringLiteral("Döviz"), QStringLiteral("H.Bz"),
                                QStringLiteral("İlgili Cari Kod"), QStringLiteral("Hrk.Rf.No"),
                                QStringLiteral("PörtföyNo"), QStringLiteral("Ç/Se"), QStringLiteral("Belge No"),
                                QStringLiteral("Açıklama"), QStringLiteral("Kasa Kodu"), QStringLiteral("Hrk.No"),
                                QStringLiteral("S.No")});
    GridTurToplam = BankaTablosu(w, "GridTurToplam",
                                 {QStringLiteral("Banka Hrk.Türü"), QStringLiteral("Ç/S"),
                                  QStringLiteral("Toplam Borç(Yatırılan)"), QStringLiteral("Toplam Alacak(Çekilen)"),
                                  QStringLiteral("Toplam Borç $(Yatırılan)"),
                                  QStringLiteral("Toplam Alacak $(Çekilen)")});
    GridBakiye = BankaTablosu(w, "GridBakiye",
                              {QStringLiteral("Banka Bakiyesi (Rapor Filtre Bitiş Tarihine Göre)"),
                               QStringLiteral("Toplam Borç"), QStringLiteral("Toplam Alacak"), QStringLiteral("Bakiye"),
                               QStringLiteral("Toplam Borç $"), QStringLiteral("Toplam Alacak $"),
                               QStringLiteral("Bakiye $")});
    w->addWidget(GridHareket);
    auto* turBaslik = new QLabel(QStringLiteral("Banka Hrk.Türlerine Göre Toplamlar"), w);
    w->addWidget(turBaslik);
    w->addWidget(GridTurToplam);
    w->addWidget(GridBakiye);
    w->setStretchFactor(0, 4);
    return w;
}

QWidget* TFormBHrkBak::kurDurum()
{
    GridDurum = BankaTablosu(this, "GridDurum",
                             {QStringLiteral("Grup"), QStringLiteral("Döviz"), QStringLiteral("Tutar Dvz"),
                              QStringLiteral("Tutar"), QStringLiteral("Tutar $")});
    return GridDurum;
}

void TFormBHrkBak::yukle()
{
    QString kosul;
    QVariantMap b{{QStringLiteral("bkodu"), m_bankaKod}, {QStringLiteral("hnosu"), m_hesapNo}};
    if (m_bas.isValid()) {
        kosul += QStringLiteral(" AND TARIH>=:trh1");
        b.insert(QStringLiteral("trh1"), m_bas.startOfDay());
    }
    if (m_bit.isValid()) {
        kosul += QStringLiteral(" AND TARIH<:trh2");
        b.insert(QStringLiteral("trh2"), m_bit.addDays(1).startOfDay());
    }
    Query q(m_db, QStringLiteral("SELECT HRK_NO, SIRANO, TARIH, TIP, ALACAK, ALACAK_USD, ALACAK_DVZ, BORC, BORC_USD, "
                                 "BORC_DVZ, TL_KURDEGER, TL_USDEGER, DOVIZ_KODU, PARA_BAZ, CARI_KOD, REF_NO, PORTFOYNO, "
                                 "CS_TIP, BELGE_NO, ACIKLAMA, KASAKOD FROM BANKHRKA WHERE BANKA_KOD=:bkodu AND "
                                 "HESAP_NO=:hnosu") +
                      kosul + QStringLiteral(" ORDER BY TARIH, HRK_NO, SIRANO"));
    q.bindAll(b).exec();
    GridHareket->setRowCount(0);
    while (q.next()) {
        const int r = GridHareket->rowCount();
        GridHareket->insertRow(r);
        const auto sayi = [&](const char* k) { return q.num(QLatin1String(k)); };
        int c = 0;
        BankaHucre(GridHareket, r, c++, q.date(QStringLiteral("TARIH")).toString(QStringLiteral("dd.MM.yy")));
        BankaHucre(GridHareket, r, c++, BankaHrkTipMetni(q.str(QStringLiteral("TIP")), true));
        for (const char* k : {"BORC", "BORC_USD", "BORC_DVZ", "ALACAK", "ALACAK_USD", "ALACAK_DVZ"})
            BankaHucre(GridHareket, r, c++, bankaPara(sayi(k)), true);
        BankaHucre(GridHareket, r, c++, FormatMoney(sayi("TL_KURDEGER"), QStringLiteral(",0.######")), true);
        BankaHucre(GridHareket, r, c++, FormatMoney(sayi("TL_USDEGER"), QStringLiteral(",0.######")), true);
        BankaHucre(GridHareket, r, c++, q.str(QStringLiteral("DOVIZ_KODU")));
        BankaHucre(GridHareket, r, c++, paraBazMetni(m_ctx, q.str(QStringLiteral("PARA_BAZ"))));
        BankaHucre(GridHareket, r, c++, q.str(QStringLiteral("CARI_KOD")));
        BankaHucre(GridHareket, r, c++, DisplayText(q.value(QStringLiteral("REF_NO")), true), true);
        BankaHucre(GridHareket, r, c++, DisplayText(q.value(QStringLiteral("PORTFOYNO")), true), true);
        const QString cs = q.str(QStringLiteral("CS_TIP"));
        BankaHucre(GridHareket, r, c++, cs == QStringLiteral("Ç") ? QStringLiteral("Çek")
                                        : cs == QLatin1String("E") ? QStringLiteral("Senet") : QString());
        BankaHucre(GridHareket, r, c++, q.str(QStringLiteral("BELGE_NO")));
        BankaHucre(GridHareket, r, c++, q.str(QStringLiteral("ACIKLAMA")));
        BankaHucre(GridHareket, r, c++, q.str(QStringLiteral("KASAKOD")));
        BankaHucre(GridHareket, r, c++, DisplayText(q.value(QStringLiteral("HRK_NO")), true), true);
        BankaHucre(GridHareket, r, c++, DisplayText(q.value(QStringLiteral("SIRANO")), true), true);
    }
    KolonlariAyarla(GridHareket);

    Query t(m_db, QStringLiteral("SELECT TIP, CS_TIP, SUM(BORC) AS B, SUM(ALACAK) AS A, SUM(BORC_USD) AS BU, "
                                 "SUM(ALACAK_USD) AS AU FROM BANKHRKA WHERE BANKA_KOD=:bkodu AND HESAP_NO=:hnosu") +
                      kosul + QStringLiteral(" GROUP BY TIP, CS_TIP ORDER BY TIP, CS_TIP"));
    t.bindAll(b).exec();
    GridTurToplam->setRowCount(0);
    while (t.next()) {
        const int r = GridTurToplam->rowCount();
        GridTurToplam->insertRow(r);
        BankaHucre(GridTurToplam, r, 0, BankaHrkTipMetni(t.str(QStringLiteral("TIP")), true));
        BankaHucre(GridTurToplam, r, 1, t.str(QStringLiteral("CS_TIP")));
        BankaHucre(GridTurToplam, r, 2, bankaPara(t.num(QStringLiteral("B"))), true);
        BankaHucre(GridTurToplam, r, 3, bankaPara(t.num(QStringLiteral("A"))), true);
        BankaHucre(GridTurToplam, r, 4, bankaPara(t.num(QStringLiteral("BU"))), true);
        BankaHucre(GridTurToplam, r, 5, bankaPara(t.num(QStringLiteral("AU"))), true);
    }
    KolonlariAyarla(GridTurToplam);

    // The balance is the one up to the end date, from the first row on.
    const BankaToplami n = BankaBakiyeleriOku(m_db, m_bankaKod, m_hesapNo, m_bit).nakitToplam;
    GridBakiye->setRowCount(1);
    BankaHucre(GridBakiye, 0, 0, m_hesapNo);
    BankaHucre(GridBakiye, 0, 1, bankaPara(n.borc), true);
    BankaHucre(GridBakiye, 0, 2, bankaPara(n.alacak), true);
    BankaHucre(GridBakiye, 0, 3, BankaBakiyeMetni(n.bakiye(), QStringLiteral(",0.00")), true);
    BankaHucre(GridBakiye, 0, 4, bankaPara(n.borcUsd), true);
    BankaHucre(GridBakiye, 0, 5, bankaPara(n.alacakUsd), true);
    BankaHucre(GridBakiye, 0, 6, BankaBakiyeMetni(n.bakiyeUsd(), QStringLiteral(",0")), true);
    KolonlariAyarla(GridBakiye);
}

void TFormBHrkBak::durumYukle()
{
    GridDurum->setRowCount(0);
    const auto ekle = [this](const QString& grup, const QString& doviz, double dvz, double tl, double usd) {
        const int r = GridDurum->rowCount();
        GridDurum->insertRow(r);
        BankaHucre(GridDurum, r, 0, grup);
        BankaHucre(GridDurum, r, 1, doviz);
        BankaHucre(GridDurum, r, 2, grupBakiyesi(dvz), true);
        BankaHucre(GridDurum, r, 3, grupBakiyesi(tl), true);
        BankaHucre(GridDurum, r, 4, grupBakiyesi(usd), true);
    };
    struct Kart {
        QString baslik, kosul;
    };
    // Cards at or drawn on this account, summed per currency.
    const QList<Kart> kartlar{
        {QStringLiteral("Firmamızın Kesilen Tahsil Olunmamış Çekleri "),
         QStringLiteral("BANKA_KOD=:B1 AND HESAP_NO=:H AND SON_DURUMU='P' AND CS_TIP=:CEK AND SAHIP='F'")},
        {QStringLiteral("Takastaki  Çekleri"),
         QStringLiteral("(CIRO_CKOD=:B1 OR BANKA_KOD=:B2) AND TEMTAHSP_NO=:H AND SON_DURUMU='V' AND CS_TIP=:CEK "
                        "AND SAHIP='M'")},
        {QStringLiteral("Teminattaki Çekler"),
         QStringLiteral("CIRO_CKOD=:B1 AND TEMTAHSP_NO=:H AND SON_DURUMU='B' AND CS_TIP=:CEK")},
        {QStringLiteral("Teminattaki Senetler"),
         QStringLiteral("CIRO_CKOD=:B1 AND TEMTAHSP_NO=:H AND SON_DURUMU='B' AND CS_TIP='E'")},
        {QStringLiteral("Tahsildeki Senetler"),
         QStringLiteral("CIRO_CKOD=:B1 AND TEMTAHSP_NO=:H AND SON_DURUMU='V' AND CS_TIP='E' AND SAHIP='M'")},
    };
    for (const Kart& k : kartlar) {
        QVariantMap b{{QStringLiteral("B1"), m_bankaKod}, {QStringLiteral("H"), m_hesapNo}};
        if (k.kosul.contains(QLatin1String(":B2")))
            b.insert(QStringLiteral("B2"), m_bankaKod);
        if (k.kosul.contains(QLatin1String(":CEK")))
            b.insert(QStringLiteral("CEK"), QStringLiteral("Ç"));
        Query q(m_db, QStringLiteral("SELECT COALESCE(DOVIZ_KOD, '') AS D, SUM(TUTAR) AS T, SUM(TUTAR_USD) AS U, "
                                     "SUM(TUTAR_DOVIZ) AS V FROM CSKART WHERE ") +
                          k.kosul + QStringLiteral(" GROUP BY COALESCE(DOVIZ_KOD, '') ORDER BY 1"));
        q.bindAll(b).exec();
        while (q.next())
            ekle(k.baslik, q.str(QStringLiteral("D")), q.num(QStringLiteral("V")), q.num(QStringLiteral("T")),
                 q.num(QStringLiteral("U")));
    }
    // Papers already collected through this account, summed from their bank rows.
    struct Tahsil {
        QString baslik;
        const char* csTip;
        const char* sahip;
    };
    const QList<Tahsil> tahsiller{{QStringLiteral("Firmamızın Kesilmiş Tahsil Edilen Çekleri "), "Ç", "F"},
                                  {QStringLiteral("Tahsil Edilen Takas  Çekleri"), "Ç", "M"},
                                  {QStringLiteral("Tahsil Edilen Tahsil Senetleri"), "E", "M"}};
    for (const Tahsil& t : tahsiller) {
        Query q(m_db, QStringLiteral("SELECT COALESCE(A.DOVIZ_KODU, '') AS D, SUM(A.ALACAK) - SUM(A.BORC) AS T, "
                                     "SUM(A.ALACAK_USD) - SUM(A.BORC_USD) AS U, SUM(A.ALACAK_DVZ) - SUM(A.BORC_DVZ) AS V "
                                     "FROM BANKHRKA A WHERE A.BANKA_KOD=:B AND A.HESAP_NO=:H AND A.TIP='I' AND "
                                     "A.CS_TIP=:C AND EXISTS (SELECT 1 FROM CSKART K WHERE K.PORTFOYNO=A.PORTFOYNO AND "
                                     "K.SON_DURUMU='T' AND K.CS_TIP=:C2 AND K.SAHIP=:S) "
                                     "GROUP BY COALESCE(A.DOVIZ_KODU, '') ORDER BY 1"));
        q.bind(QStringLiteral("B"), m_bankaKod)
            .bind(QStringLiteral("H"), m_hesapNo)
            .bind(QStringLiteral("C"), QString::fromUtf8(t.csTip))
            .bind(QStringLiteral("C2"), QString::fromUtf8(t.csTip))
            .bind(QStringLiteral("S"), QLatin1String(t.sahip))
            .exec();
        while (q.next())
            ekle(t.baslik, q.str(QStringLiteral("D")), q.num(QStringLiteral("V")), q.num(QStringLiteral("T")),
                 q.num(QStringLiteral("U")));
    }
    const BankaBakiyeleri bk = BankaBakiyeleriOku(m_db, m_bankaKod, m_hesapNo);
    const auto bakiyeler = [&](const QString& baslik, const QList<BankaToplami>& l) {
        for (const auto& t : l)
            ekle(baslik, t.doviz, t.bakiyeDvz(), t.bakiye(), t.bakiyeUsd());
    };
    bakiyeler(QStringLiteral("C.Hesap Toplamı"), bk.cariHesap);
    bakiyeler(QStringLiteral("Nakit Hesap Toplamı (C.Hesap+Tahsil Olunmuşlar)"), bk.nakit);
    bakiyeler(QStringLiteral("Genel Hesap Toplamı (Nakit.Hesap+Tahsil Olunmamış Takas Ç.S.leri)"), bk.genel);
    KolonlariAyarla(GridDurum);
}

void TFormBHrkBak::BtnFiltreleClick()
{
    m_bas = static_cast<TTarihEdit*>(EditTarih1)->tarih();
    m_bit = static_cast<TTarihEdit*>(EditTarih2)->tarih();
    yukle();
}

void TFormBHrkBak::BtnFiltreKaldirClick()
{
    static_cast<TTarihEdit*>(EditTarih1)->temizle();
    static_cast<TTarihEdit*>(EditTarih2)->temizle();
    m_bas = m_bit = QDate();
    yukle();
}

void BankaHesapEkstre(const SessionContext& ctx, const QString& bankaAdi, const QString& bankaKod,
                      const QString& hesapNo, QWidget* parent)
{
    TFormBHrkBak f(ctx, bankaAdi, bankaKod, hesapNo, parent);
    f.exec();
}

TFormAylikBank::TFormAylikBank(const SessionContext& ctx, const QString& bankaKod, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAylikBank"));
    setWindowTitle(QStringLiteral("Aylık Borç-Alacak Tutarı"));
    auto* lay = new QVBoxLayout(this);
    Grid = BankaTablosu(this, "Grid",
                        {QStringLiteral("Adı"), QStringLiteral("Yıl"), QStringLiteral("Toplam Borç"),
                         QStringLiteral("Toplam Alacak"), QStringLiteral("Tpl.Borç $"), QStringLiteral("Tpl.Alacak $"),
                         QStringLiteral("Bakiye (TL)"), QStringLiteral("Durum")});
    lay->addWidget(Grid, 1);
    auto* kapat = Dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    lay->addWidget(kapat, 0, Qt::AlignRight);
    // Months without rows do not appear; ordered by month, then year.
    Query q(ctx.Database1, QStringLiteral("SELECT A.AY, A.YIL, SUM(A.BORC) AS T_BORC, SUM(A.ALACAK) AS T_ALACAK, "
                                          "SUM(A.BORC_USD) AS T_BORCUSD, SUM(A.ALACAK_USD) AS T_ALACAK_USD, "
                                          "MIN(M.AYADI) AS ADI FROM BANKHRKA A LEFT JOIN AYLAR M ON M.AYNO=A.AY "
                                          "WHERE A.BANKA_KOD=:bkodu GROUP BY A.AY, A.YIL ORDER BY A.AY, A.YIL"));
    q.bind(QStringLiteral("bkodu"), bankaKod).exec();
    while (q.next()) {
        const int r = Grid->rowCount();
        Grid->insertRow(r);
        const double b = q.num(QStringLiteral("T_BORC")), a = q.num(QStringLiteral("T_ALACAK"));
        BankaHucre(Grid, r, 0, q.str(QStringLiteral("ADI")));
        BankaHucre(Grid, r, 1, QString::number(q.integer(QStringLiteral("YIL"))));
        BankaHucre(Grid, r, 2, FormatMoney(b, QStringLiteral(",0")), true);
        BankaHucre(Grid, r, 3, FormatMoney(a, QStringLiteral(",0")), true);
        BankaHucre(Grid, r, 4, bankaPara(q.num(QStringLiteral("T_BORCUSD"))), true);
        BankaHucre(Grid, r, 5, bankaPara(q.num(QStringLiteral("T_ALACAK_USD"))), true);
        BankaHucre(Grid, r, 6, FormatMoney(qAbs(b - a), QStringLiteral(",0")), true);
        const qint64 fark = qRound64(b * 100) - qRound64(a * 100);
        BankaHucre(Grid, r, 7, fark > 0 ? QStringLiteral("Borç") : fark < 0 ? QStringLiteral("Alacak") : QString());
    }
    KolonlariAyarla(Grid);
    resize(760, 420);
}

void BankaAylikTutar(const SessionContext& ctx, const QString& bankaKod, QWidget* parent)
{
    TFormAylikBank f(ctx, bankaKod, parent);
    f.exec();
}

} // namespace tornaly::accounts
