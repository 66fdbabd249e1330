#include "accounts/bank/BankHrk.h"

#include "accounts/bank/BankaTablo.h"
#include "accounts/bank/BrBanka.h"
#include "accounts/cards/BrCari.h"
#include "accounts/cards/CariArama.h"
#include "accounts/cash/KasaBr.h"
#include "accounts/ledger/CariHrk.h"
#include "accounts/ui/ListeModeli.h"
#include "context/User.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

const QStringList& satirBasliklari()
{
    static const QStringList l = {
        QStringLiteral("S.No"),       QStringLiteral("Banka Kodu"),  QStringLiteral("Banka Adı"),
        QStringLiteral("Hesap No"),   QStringLiteral("Cari Kod"),    QStringLiteral("Firma Adı"),
        QStringLiteral("Borç"),       QStringLiteral("Borç $"),      QStringLiteral("Borç Dvz"),
        QStringLiteral("Alacak TL"),  QStringLiteral("Alck.$ "),     QStringLiteral("Alck.Dvz"),
        QStringLiteral("Döviz Kod"),  QStringLiteral("H.Baz"),       QStringLiteral("TL/Dvz Değeri"),
        QStringLiteral("TL/$ Değeri"), QStringLiteral("Kasa Kodu"),  QStringLiteral("Karşı Hesabın Muh.Kodu"),
        QStringLiteral("Komisyon%"),  QStringLiteral("Taksit Sayısı"), QStringLiteral("Belge No"),
        QStringLiteral("Açıklama")};
    return l;
}

double* tutarAlani(BankaHrkaSatiri& s, int kolon)
{
    switch (kolon) {
    case TFormBankaHrk::K_BORC: return &s.BORC;
    case TFormBankaHrk::K_BORC_USD: return &s.BORC_USD;
    case TFormBankaHrk::K_BORC_DVZ: return &s.BORC_DVZ;
    case TFormBankaHrk::K_ALACAK: return &s.ALACAK;
    case TFormBankaHrk::K_ALACAK_USD: return &s.ALACAK_USD;
    case TFormBankaHrk::K_ALACAK_DVZ: return &s.ALACAK_DVZ;
    case TFormBankaHrk::K_TL_KURDEGER: return &s.TL_KURDEGER;
    case TFormBankaHrk::K_TL_USDEGER: return &s.TL_USDEGER;
    case TFormBankaHrk::K_KOMISYON: return &s.KOMISYON;
    default: return nullptr;
    }
}

bool borcKolonu(int k)
{
    return k == TFormBankaHrk::K_BORC || k == TFormBankaHrk::K_BORC_USD || k == TFormBankaHrk::K_BORC_DVZ;
}

bool alacakKolonu(int k)
{
    return k == TFormBankaHrk::K_ALACAK || k == TFormBankaHrk::K_ALACAK_USD || k == TFormBankaHrk::K_ALACAK_DVZ;
}

QString bankaHrkPara(double v, const QString& format = QStringLiteral(",0.00"))
{
    return v == 0.0 ? QString() : FormatMoney(v, format);
}

} // namespace

TFormBankaHrk::TFormBankaHrk(const SessionContext& ctx, const BankaHrkFisi& fis, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_fis(fis)
{
    setObjectName(QStringLiteral("FormBankaHrk"));
    setWindowTitle(QStringLiteral("Banka Hareketleri"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurBaslik());
    lay->addWidget(kurSatirlar(), 1);
    lay->addLayout(kurDugmeler());
    kolonlariAyarla();
    tumunuGoster();
    resize(1200, 560);
}

QWidget* TFormBankaHrk::kurBaslik()
{
    auto* w = new QWidget(this);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    LblTipi = new QLabel(QStringLiteral("İşlem Tipi: ") + BankaHrkTipMetni(m_fis.TIP), w);
    LblTipi->setObjectName(QStringLiteral("LblTipi"));
    auto* tarih = new TTarihEdit(m_fis.TARIH.isValid() ? m_fis.TARIH : ServerToday(m_db), w);
    tarih->setObjectName(QStringLiteral("EditTarih"));
    EditTarih = tarih;
    LblHrkNo = new QLabel(QStringLiteral("Hareket No: ") + DisplayText(m_fis.HRK_NO, true), w);
    LblHrkNo->setObjectName(QStringLiteral("LblHrkNo"));
    LblFisNo = new QLabel(QStringLiteral("Muh.Ref.Fiş No: ") + DisplayText(m_fis.FIS_NO, true), w);
    LblFisNo->setObjectName(QStringLiteral("LblFisNo"));
    LblToplamBorc = new QLabel(w);
    LblToplamBorc->setObjectName(QStringLiteral("LblToplamBorc"));
    LblToplamAlacak = new QLabel(w);
    LblToplamAlacak->setObjectName(QStringLiteral("LblToplamAlacak"));
    l->addWidget(LblTipi);
    l->addWidget(new QLabel(QStringLiteral("İşlem Tarihi"), w));
    l->addWidget(EditTarih);
    l->addWidget(LblHrkNo);
    l->addWidget(LblFisNo);
    l->addStretch();
    l->addWidget(LblToplamBorc);
    l->addWidget(LblToplamAlacak);
    connect(EditTarih, &QDateEdit::dateChanged, this, [this](const QDate& d) { m_fis.TARIH = d; }); // unguarded: ui only
    m_fis.TARIH = EditTarih->date();
    return w;
}

QWidget* TFormBankaHrk::kurSatirlar()
{
    auto* w = new QWidget(this);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    GridSatir = new QTableWidget(0, K_SAYI, w);
    GridSatir->setObjectName(QStringLiteral("GridSatir"));
    GridSatir->setHorizontalHeaderLabels(satirBasliklari());
    GridSatir->verticalHeader()->hide();
    GridSatir->setSelectionBehavior(QAbstractItemView::SelectItems);
    GridSatir->setSelectionMode(QAbstractItemView::SingleSelection);
    l->addWidget(GridSatir, 1);
    GridCariToplam = BankaTablosu(w, "GridCariToplam",
                                  {QStringLiteral("TOPLAM BORÇ TL"), QStringLiteral("TOPLAM ALACAK TL"),
                                   QStringLiteral("KALAN")});
    GridCariToplam->setMaximumHeight(60);
    l->addWidget(GridCariToplam);
    connect(GridSatir, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* i) {
                if (m_yukleniyor || !i)
                    return;
                hucreYaz(i->row(), Kolon(i->column()), i->text());
            }));
    connect(GridSatir, &QTableWidget::cellDoubleClicked, this, Guarded(this, &TFormBankaHrk::GridSatirCellDoubleClicked));
    connect(GridSatir, &QTableWidget::currentCellChanged, this, Guarded([this] { cariToplamGoster(); }));
    return w;
}

QLayout* TFormBankaHrk::kurDugmeler()
{
    auto* l = new QHBoxLayout;
    CheckBirlestir = new QCheckBox(QStringLiteral("Aynı Muh.Kodlu Satırları Birleştirerek Muhasebeleştir."), this);
    CheckBirlestir->setObjectName(QStringLiteral("CheckBirlestir"));
    l->addWidget(CheckBirlestir);
    l->addStretch();
    struct Komut {
        QPushButton*& dugme;
        const char* ad;
        QString baslik;
        void (TFormBankaHrk::*slot)();
    };
    const Komut komutlar[] = {
        {BtnSatirEkle, "BtnSatirEkle", QStringLiteral("Satır Ekle"), nullptr},
        {BtnSatirSil, "BtnSatirSil", QStringLiteral("Satır Sil"), &TFormBankaHrk::BtnSatirSilClick},
        {BtnBankaSec, "BtnBankaSec", QStringLiteral("Banka Seç"), &TFormBankaHrk::BtnBankaSecClick},
        {BtnCariSec, "BtnCariSec", QStringLiteral("Cari Seç"), &TFormBankaHrk::BtnCariSecClick},
        {BtnKasaSec, "BtnKasaSec", QStringLiteral("Kasa Seç"), &TFormBankaHrk::BtnKasaSecClick},
        {BtnKaydet, "BtnKaydet", QStringLiteral("&Kaydet"), &TFormBankaHrk::BtnKaydetClick},
    };
    for (const Komut& k : komutlar) {
        k.dugme = Dugme(this, k.ad, k.baslik);
        if (k.slot)
            connect(k.dugme, &QPushButton::clicked, this, Guarded(this, k.slot));
        l->addWidget(k.dugme);
    }
    connect(BtnSatirEkle, &QPushButton::clicked, this, Guarded([this] { satirEkle(); }));
    BtnKaydet->setEnabled(RightAdds(m_ctx.AktifKullanici.diger09));
    BtnIptal = Dugme(this, "BtnIptal", QStringLiteral("&İptal"));
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    l->addWidget(BtnIptal);
    return l;
}

void TFormBankaHrk::kolonlariAyarla()
{
    const QString& t = m_fis.TIP;
    const bool cari = BankaHrkCariliMi(t);
    GridSatir->setColumnHidden(K_CARI_KOD, !cari);
    GridSatir->setColumnHidden(K_FIRMA_ADI, !cari);
    BtnCariSec->setVisible(cari);
    const bool g = t == QLatin1String("G"), h = t == QLatin1String("H");
    for (int k : {K_ALACAK, K_ALACAK_USD, K_ALACAK_DVZ})
        GridSatir->setColumnHidden(k, g);
    for (int k : {K_BORC, K_BORC_USD, K_BORC_DVZ})
        GridSatir->setColumnHidden(k, h);
    GridSatir->setColumnHidden(K_TAKSIT_SAY, t != QLatin1String("K"));
    const bool kasa = t == QLatin1String("I");
    GridSatir->setColumnHidden(K_KASAKOD, !kasa);
    BtnKasaSec->setVisible(kasa);
    GridSatir->setColumnHidden(K_MUH_KARSI, kasa);
    GridSatir->setColumnHidden(K_KOMISYON, t != QLatin1String("R"));
    // The dollar amounts are derived; they stay out of sight unless asked for.
    GridSatir->setColumnHidden(K_BORC_USD, true);
    GridSatir->setColumnHidden(K_ALACAK_USD, true);
    GridCariToplam->setVisible(cari);
}

int TFormBankaHrk::satirEkle()
{
    BankaHrkaSatiri s;
    double son = 0;
    for (const auto& x : m_fis.satirlar)
        son = qMax(son, x.SIRANO);
    s.SIRANO = son + 1;
    s.TIP = m_fis.TIP;
    s.DOVIZ_KODU = m_ctx.YerelPara;
    if (m_fis.TIP == QLatin1String("I"))
        s.KASAKOD = SqlLookup(m_db, QStringLiteral("SELECT DEF_KASA FROM PARAFAT")).toString();
    m_fis.satirlar << s;
    const int r = int(m_fis.satirlar.size()) - 1;
    m_yukleniyor = true;
    GridSatir->insertRow(r);
    m_yukleniyor = false;
    satirGoster(r);
    GridSatir->setCurrentCell(r, K_BANKA_KOD);
    return r;
}

bool TFormBankaHrk::hucreYaz(int row, Kolon kolon, const QString& text)
{
    if (row < 0 || row >= m_fis.satirlar.size())
        return false;
    BankaHrkaSatiri& s = m_fis.satirlar[row];
    bool kabul = true;
    if (double* alan = tutarAlani(s, kolon)) {
        double v = 0;
        const QString t = text.trimmed();
        // One side per line: typing into the other side changes nothing.
        if ((borcKolonu(kolon) && s.alacakli()) ||
            (alacakKolonu(kolon) && (s.BORC > 0 || s.BORC_USD > 0 || s.BORC_DVZ > 0)))
            kabul = false;
        else if (t.isEmpty())
            *alan = 0;
        else if (ParseMoney(t, &v) && v >= 0)
            *alan = v;
        else
            kabul = false;
    } else {
        switch (kolon) {
        case K_BANKA_KOD: s.BANKA_KOD = text.trimmed(); break;
        case K_KASAKOD: s.KASAKOD = text.trimmed(); break;
        case K_MUH_KARSI: s.MUH_KARSI = text.trimmed(); break;
        case K_BELGE_NO: s.BELGE_NO = text.left(10); break;
        case K_ACIKLAMA: s.ACIKLAMA = text.left(200); break;
        case K_DOVIZ_KODU: s.DOVIZ_KODU = text.trimmed().toUpper(); break;
        case K_TAKSIT_SAY: s.TAKSIT_SAY = text.trimmed().toInt(); break;
        case K_PARA_BAZ: {
            const QString t = text.trimmed().toUpper();
            s.PARA_BAZ = t.startsWith(QLatin1Char('D')) ? QLatin1Char('D')
                         : t.startsWith(QLatin1Char('U')) ? QLatin1Char('U')
                                                          : QLatin1Char('T');
            break;
        }
        default: kabul = false; break;
        }
    }
    satirGoster(row);
    toplamlariGoster();
    return kabul;
}

void TFormBankaHrk::bankaSecildi(int row, const TBankParam& p, bool aciklamaEkle)
{
    if (p.BanKodu.isEmpty() || row < 0 || row >= m_fis.satirlar.size())
        return;
    BankaHrkaSatiri& s = m_fis.satirlar[row];
    s.BANKA_KOD = p.BanKodu;
    s.HESAP_NO = p.BankHspNo;
    if (!p.DvzKod.isEmpty() && p.DvzKod != m_ctx.YerelPara) {
        s.DOVIZ_KODU = p.DvzKod;
        s.PARA_BAZ = QLatin1Char('D');
    }
    if (m_fis.TIP == QLatin1String("R") && p.HTur != QLatin1String("5"))
        s.KOMISYON = p.Komisyonu;
    if (aciklamaEkle)
        s.ACIKLAMA = (s.ACIKLAMA + QStringLiteral(" ") + p.BankAd + QStringLiteral("-") + p.BankHspNo +
                      QStringLiteral(" Hesap No.lu Banka "))
                         .left(200);
    satirGoster(row);
}

void TFormBankaHrk::cariSecildi(int row, const QString& cariKod)
{
    if (cariKod.isEmpty() || row < 0 || row >= m_fis.satirlar.size())
        return;
    BankaHrkaSatiri& s = m_fis.satirlar[row];
    s.CARI_KOD = cariKod;
    const TypeCari c = TypeCariOku(m_db, cariKod);
    s.ACIKLAMA = (s.ACIKLAMA + QStringLiteral(" ") + cariKod + QStringLiteral("-") + c.CariAd +
                  QStringLiteral(" Carinin ") + BankaHrkTipMetni(m_fis.TIP) + QStringLiteral(" İşlemi."))
                     .left(200);
    satirGoster(row);
    cariToplamGoster();
}

void TFormBankaHrk::satirSil(int row)
{
    if (row < 0 || row >= m_fis.satirlar.size())
        return;
    m_fis.satirlar.removeAt(row);
    // Lines of a new voucher are numbered 1..n again; a saved one keeps its gaps.
    if (!BankaHrkOku(m_db, m_fis.HRK_NO))
        for (int i = 0; i < m_fis.satirlar.size(); ++i)
            m_fis.satirlar[i].SIRANO = i + 1;
    tumunuGoster();
}

void TFormBankaHrk::satirGoster(int r)
{
    const BankaHrkaSatiri& s = m_fis.satirlar[r];
    m_yukleniyor = true;
    const auto yaz = [&](int k, const QString& t, bool salt = false) {
        auto* i = new QTableWidgetItem(t);
        if (salt)
            i->setFlags(i->flags() & ~Qt::ItemIsEditable);
        if (tutarAlani(const_cast<BankaHrkaSatiri&>(s), k))
            i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        GridSatir->setItem(r, k, i);
    };
    yaz(K_SIRANO, QString::number(qRound64(s.SIRANO)), true);
    yaz(K_BANKA_KOD, s.BANKA_KOD);
    yaz(K_BANKA_ADI, SqlLookup(m_db, QStringLiteral("SELECT BANKA_ADI FROM BANKA WHERE BANKA_KOD=:K"),
                               QVariantList{s.BANKA_KOD}).toString(), true);
    yaz(K_HESAP_NO, s.HESAP_NO, true);
    yaz(K_CARI_KOD, s.CARI_KOD, true);
    yaz(K_FIRMA_ADI, s.CARI_KOD.isEmpty() ? QString() : TypeCariOku(m_db, s.CARI_KOD).CariAd, true);
    for (int k : {K_BORC, K_BORC_USD, K_BORC_DVZ, K_ALACAK, K_ALACAK_USD, K_ALACAK_DVZ, K_KOMISYON})
        yaz(k, bankaHrkPara(*tutarAlani(const_cast<BankaHrkaSatiri&>(s), k)));
    for (int k : {K_TL_KURDEGER, K_TL_USDEGER})
        yaz(k, bankaHrkPara(*tutarAlani(const_cast<BankaHrkaSatiri&>(s), k), QStringLiteral(",0.######")));
    yaz(K_DOVIZ_KODU, s.DOVIZ_KODU);
    yaz(K_PARA_BAZ, s.PARA_BAZ == QLatin1Char('D')   ? QStringLiteral("DÖVİZ")
                    : s.PARA_BAZ == QLatin1Char('U') ? QStringLiteral("USD")
                                                     : QStringLiteral("TL"));
    yaz(K_KASAKOD, s.KASAKOD);
    yaz(K_MUH_KARSI, s.MUH_KARSI);
    yaz(K_TAKSIT_SAY, s.TAKSIT_SAY == 0 ? QStringLiteral("Peşin") : QString::number(s.TAKSIT_SAY));
    yaz(K_BELGE_NO, s.BELGE_NO);
    yaz(K_ACIKLAMA, s.ACIKLAMA);
    m_yukleniyor = false;
}

void TFormBankaHrk::tumunuGoster()
{
    m_yukleniyor = true;
    GridSatir->setRowCount(int(m_fis.satirlar.size()));
    m_yukleniyor = false;
    for (int r = 0; r < m_fis.satirlar.size(); ++r)
        satirGoster(r);
    GridSatir->resizeColumnsToContents();
    toplamlariGoster();
    cariToplamGoster();
}

void TFormBankaHrk::toplamlariGoster()
{
    m_fis.toplamlariHesapla();
    LblToplamBorc->setText(QStringLiteral("Toplam Borç: ") + FormatMoney(m_fis.BORC, QStringLiteral(",0.00")));
    LblToplamAlacak->setText(QStringLiteral("Toplam Alacak: ") + FormatMoney(m_fis.ALACAK, QStringLiteral(",0.00")));
}

void TFormBankaHrk::cariToplamGoster()
{
    const int r = GridSatir->currentRow();
    const QString cari = r >= 0 && r < m_fis.satirlar.size() ? m_fis.satirlar[r].CARI_KOD : QString();
    GridCariToplam->setRowCount(1);
    const CariBakiye b = cari.isEmpty() ? CariBakiye{} : CariBakiyeOku(m_db, cari);
    BankaHucre(GridCariToplam, 0, 0, FormatMoney(b.borc, QStringLiteral(",0.00")), true);
    BankaHucre(GridCariToplam, 0, 1, FormatMoney(b.alacak, QStringLiteral(",0.00")), true);
    BankaHucre(GridCariToplam, 0, 2, FormatMoney(qAbs(b.bakiye()), QStringLiteral(",0.00")), true);
    GridCariToplam->setHorizontalHeaderItem(2, new QTableWidgetItem(BakiyeBasligi(b.bakiye())));
}

int TFormBankaHrk::seciliSatir()
{
    // A pick with no line appends one.
    if (m_fis.satirlar.isEmpty())
        return satirEkle();
    return qMax(0, GridSatir->currentRow());
}

void TFormBankaHrk::BtnBankaSecClick()
{
    const TBankParam p = BankaSec(m_ctx, 1, {}, {}, this);
    if (!p.BanKodu.isEmpty())
        bankaSecildi(seciliSatir(), p, true);
}

void TFormBankaHrk::BtnCariSecClick()
{
    const QString kod = CariSec(m_ctx, 1, this);
    if (!kod.isEmpty())
        cariSecildi(seciliSatir(), kod);
}

void TFormBankaHrk::BtnKasaSecClick()
{
    const QString kod = KasaSec(m_ctx, 1, this);
    if (kod.isEmpty())
        return;
    const int r = seciliSatir();
    m_fis.satirlar[r].KASAKOD = kod;
    satirGoster(r);
}

void TFormBankaHrk::GridSatirCellDoubleClicked(int, int col)
{
    if (col == K_BANKA_KOD || col == K_HESAP_NO || col == K_BANKA_ADI) {
        const TBankParam p = BankaSec(m_ctx, 1, {}, {}, this);
        if (!p.BanKodu.isEmpty())
            bankaSecildi(seciliSatir(), p, col != K_HESAP_NO);
    } else if (col == K_CARI_KOD || col == K_FIRMA_ADI) {
        BtnCariSecClick();
    } else if (col == K_KASAKOD) {
        BtnKasaSecClick();
    }
}

void TFormBankaHrk::BtnSatirSilClick()
{
    const int r = GridSatir->currentRow();
    if (r < 0 || !AskYesNo(QStringLiteral("Silinsin mi?")))
        return;
    satirSil(r);
}

void TFormBankaHrk::BtnKaydetClick()
{
    m_fis.TARIH = EditTarih->date();
    sonuc = BankaHrkKaydet(m_ctx, m_db, m_fis);
    accept();
    // Accounting runs only after the voucher is committed, on its own.
    Guard([this] { BankaHrkMuhasebeyeAktar(m_ctx, m_db, *BankaHrkOku(m_db, sonuc), CheckBirlestir->isChecked()); });
}

double BankaHrkGir(const SessionContext& ctx, const QString& tip, double hrkNo, QWidget* parent)
{
    const QString& hak = ctx.AktifKullanici.diger09;
    BankaHrkFisi fis;
    if (hrkNo > 0) {
        if (!RightChanges(hak))
            return 0;
        const auto f = BankaHrkOku(ctx.Database1, hrkNo);
        if (!f)
            return 0;
        fis = *f;
    } else {
        if (!RightAdds(hak))
            return 0;
        fis.HRK_NO = YeniBankaHrkNo(ctx.Database1);
        fis.TIP = tip;
        fis.TARIH = ServerToday(ctx.Database1);
    }
    TFormBankaHrk f(ctx, fis, parent);
    return f.exec() == QDialog::Accepted ? f.sonuc : 0;
}

double BankaHrkFaturaOdeme(const SessionContext& ctx, const QString& refTip, const QString& taraf,
                           const QString& tip, double tutar, const QString& hesapNo, const QString& bankaKod,
                           const QString& cariKod, const QString& belgeNo, double refNo, QWidget* parent)
{
    const BankaHrkFisi fis = BankaHrkFaturaOdemeHazirla(ctx, ctx.Database1, refTip, taraf, tip, tutar, hesapNo,
                                                        bankaKod, cariKod, belgeNo, refNo);
    TFormBankaHrk f(ctx, fis, parent);
    return f.exec() == QDialog::Accepted ? refNo : 0;
}

} // namespace tornaly::accounts
