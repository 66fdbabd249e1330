#include "accounts/cash/MFis.h"

#include "accounts/bank/BrBanka.h"
#include "accounts/cards/BrCari.h"
#include "accounts/cards/CariArama.h"
#include "accounts/cash/KasaBr.h"
#include "accounts/cash/MahsupMakbuz.h"
#include "accounts/receipts/MakbuzSablon.h"
#include "report/RaporCikti.h"
#include "report/SayfAyar.h"
#include "accounts/receipts/MakbuzTemplate.h"
#include "accounts/receipts/PesinCari.h"
#include "accounts/ui/ListeModeli.h"
#include "context/User.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"
#include "stock/cards/StokBr.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

double* mahsupTutari(MahsupSatiri& s, int k)
{
    switch (k) {
    case TFormMFis::K_MIKTAR: return &s.MIKTAR;
    case TFormMFis::K_KDV: return &s.KDV;
    case TFormMFis::K_KDV_TUT: return &s.KDV_TUT;
    case TFormMFis::K_BORC: return &s.BORC;
    case TFormMFis::K_ALACAK: return &s.ALACAK;
    case TFormMFis::K_BORC_USD: return &s.BORC_USD;
    case TFormMFis::K_ALACAK_USD: return &s.ALACAK_USD;
    case TFormMFis::K_BORC_DVZ: return &s.BORC_DVZ;
    case TFormMFis::K_ALACAK_DVZ: return &s.ALACAK_DVZ;
    case TFormMFis::K_KUR_BAZ: return &s.KUR_BAZ;
    case TFormMFis::K_KUR_DVZ: return &s.KUR_DVZ;
    case TFormMFis::K_ISIN_TUTARI: return &s.ISIN_TUTARI;
    case TFormMFis::K_VERGI_TUTARI: return &s.VERGI_TUTARI;
    default: return nullptr;
    }
}

bool mahsupBorcu(int k)
{
    return k == TFormMFis::K_BORC || k == TFormMFis::K_BORC_USD || k == TFormMFis::K_BORC_DVZ;
}

bool mahsupAlacagi(int k)
{
    return k == TFormMFis::K_ALACAK || k == TFormMFis::K_ALACAK_USD || k == TFormMFis::K_ALACAK_DVZ;
}

} // namespace

TFormMFis::TFormMFis(const SessionContext& ctx, const MahsupFisi& fis, const QString& cariKod, const QString& cariAd,
                     QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_fis(fis)
{
    setObjectName(QStringLiteral("FormMFis"));
    setWindowTitle(QStringLiteral("Mahsup Fişi Girişi"));
    m_yeni = !MahsupFisOku(m_db, m_fis.HRK_NO).has_value();
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurBaslik(cariKod, cariAd));
    lay->addWidget(kurSatirlar(), 1);
    lay->addLayout(kurDugmeler());
    tumunuGoster();
    resize(1200, 560);
}

QWidget* TFormMFis::kurBaslik(const QString& cariKod, const QString& cariAd)
{
    auto* w = new QWidget(this);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    LblTipi = new QLabel(MahsupFisTipMetni(m_fis.TIP, true), w);
    LblTipi->setObjectName(QStringLiteral("LblTipi"));
    auto* tarih = new TTarihEdit(m_fis.TARIH.isValid() ? m_fis.TARIH : ServerToday(m_db), w);
    tarih->setObjectName(QStringLiteral("EditTarih"));
    EditTarih = tarih;
    m_fis.TARIH = EditTarih->date();
    LblHrkNo = new QLabel(QStringLiteral("Makbuz No  : ") + DisplayText(m_fis.HRK_NO, true), w);
    LblHrkNo->setObjectName(QStringLiteral("LblHrkNo"));
    LblSecilenCari = new QLabel(cariKod.isEmpty() ? QString()
                                                  : QStringLiteral("Seçilen Cari : ") + cariKod + QStringLiteral(" ") + cariAd,
                                w);
    LblSecilenCari->setObjectName(QStringLiteral("LblSecilenCari"));
    LblToplam = new QLabel(w);
    LblToplam->setObjectName(QStringLiteral("LblToplam"));
    l->addWidget(LblTipi);
    l->addWidget(new QLabel(QStringLiteral("Tarih"), w));
    l->addWidget(EditTarih);
    l->addWidget(LblHrkNo);
    l->addWidget(LblSecilenCari);
    l->addStretch();
    l->addWidget(LblToplam);
    connect(EditTarih, &QDateEdit::dateChanged, this, [this](const QDate& d) { m_fis.TARIH = d; }); // unguarded: ui only
    return w;
}

QWidget* TFormMFis::kurSatirlar()
{
    GridSatir = new QTableWidget(0, K_SAYI, this);
    GridSatir->setObjectName(QStringLiteral("GridSatir"));
    GridSatir->setHorizontalHeaderLabels(
        {QStringLiteral("SıraNo"), QStringLiteral("Tip"), QStringLiteral("Kod"), QStringLiteral("Açıklama 1"),
         QStringLiteral("Belge No / Açıklama 2"), QStringLiteral("Miktar"), QStringLiteral("Kdv"),
         QStringLiteral("KDV Tut"), QStringLiteral("Borç(KDV Dahil)"), QStringLiteral("Alacak(KDV Dahil)"),
         QStringLiteral("Borç Usd"), QStringLiteral("Alac.Usd"), QStringLiteral("Borç Dvz."), QStringLiteral("Alac.Dvz"),
         QStringLiteral("Para Baz"), QStringLiteral("Döviz Kod"), QStringLiteral("Kur Doviz"), QStringLiteral("Kur Usd"),
         QStringLiteral("İşin Tutarı"), QStringLiteral("Vergi"), QStringLiteral("Hesabın Muh.Kodu")});
    GridSatir->verticalHeader()->hide();
    GridSatir->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(GridSatir, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* i) {
                if (!m_yukleniyor && i)
                    hucreYaz(i->row(), Kolon(i->column()), i->text());
            }));
    connect(GridSatir, &QTableWidget::cellDoubleClicked, this, Guarded([this](int, int c) {
                if (c == K_KOD || c == K_ACIKLAMA1)
                    BtnKodSecClick();
            }));
    return GridSatir;
}

QLayout* TFormMFis::kurDugmeler()
{
    auto* l = new QHBoxLayout;
    CbSatirTipi = new QComboBox(this);
    CbSatirTipi->setObjectName(QStringLiteral("CbSatirTipi"));
    const QList<QPair<QString, QString>> tipler{{QStringLiteral("K Kasa"), QStringLiteral("K")},
                                                {QStringLiteral("C Cari"), QStringLiteral("C")},
                                                {QStringLiteral("S Stok"), QStringLiteral("S")},
                                                {QStringLiteral("M Hizmet/Masraf"), QStringLiteral("M")},
                                                {QStringLiteral("G Gider Pusulası"), QStringLiteral("G")},
                                                {QStringLiteral("B Banka"), QStringLiteral("B")}};
    for (const auto& [metin, harf] : tipler)
        CbSatirTipi->addItem(metin, harf);
    if (m_fis.TIP == QLatin1String("A"))
        CbSatirTipi->addItem(QStringLiteral("P:Peşin Cari"), QStringLiteral("P"));
    l->addWidget(CbSatirTipi);
    struct Komut {
        QPushButton*& dugme;
        const char* ad;
        QString baslik;
        void (TFormMFis::*slot)();
    };
    const Komut komutlar[] = {
        {BtnSatirEkle, "BtnSatirEkle", QStringLiteral("Satır Ekle"), nullptr},
        {BtnSatirSil, "BtnSatirSil", QStringLiteral("Satır Sil"), nullptr},
        {BtnKodSec, "BtnKodSec", QStringLiteral("Kod Seç"), &TFormMFis::BtnKodSecClick},
        {BtnKdvEkle, "BtnKdvEkle", QStringLiteral("KDV Ekle"), &TFormMFis::BtnKdvEkleClick},
        {BtnSablon, "BtnSablon", QStringLiteral("Şablon Ekle"), &TFormMFis::BtnSablonClick},
        {BtnSakla, "BtnSakla", QStringLiteral("&Sakla"), &TFormMFis::BtnSaklaClick},
        {BtnVazgec, "BtnVazgec", QStringLiteral("&Vazgeç"), &TFormMFis::BtnVazgecClick},
        {BtnMakbuz, "BtnMakbuz", QStringLiteral("Makbuz Yaz"), &TFormMFis::BtnMakbuzClick},
        {BtnSayfaAyari, "BtnSayfaAyari", QStringLiteral("Sayfa Ayarı"), &TFormMFis::BtnSayfaAyariClick},
    };
    for (const Komut& k : komutlar) {
        k.dugme = Dugme(this, k.ad, k.baslik);
        if (k.slot)
            connect(k.dugme, &QPushButton::clicked, this, Guarded(this, k.slot));
        l->addWidget(k.dugme);
    }
    BtnKdvEkle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(BtnSatirEkle, &QPushButton::clicked, this, Guarded([this] {
                satirEkle(CbSatirTipi->currentData().toString());
                BtnKodSecClick();
            }));
    connect(BtnSatirSil, &QPushButton::clicked, this, Guarded([this] {
                const int r = GridSatir->currentRow();
                if (r >= 0 && AskYesNo(QStringLiteral("Silinsin mi?.")))
                    satirSil(r);
            }));
    return l;
}

void TFormMFis::BtnMakbuzClick()
{
    report::Report r = MahsupMakbuzRaporu(m_db, m_fis, ServerToday(m_db));
    report::RaporCikti(m_db, r, MahsupMakbuzAnahtari(), report::OutputPreview);
}

void TFormMFis::BtnSayfaAyariClick()
{
    const report::Report r = MahsupMakbuzRaporu(m_db, m_fis, ServerToday(m_db));
    const QMarginsF m = r.page.marginsMm;
    report::ShowPageSetup(m_db, MahsupMakbuzAnahtari(), r.name, windowTitle(), int(m.bottom()), int(m.top()),
                          int(m.left()), int(m.right()), QStringLiteral("Y"),
                          QStringLiteral("Kasa Fişleri Makbuz Sayfa Düzeni"));
}

int TFormMFis::satirEkle(const QString& tip)
{
    m_degisti = true;
    MahsupSatiri s;
    int son = 0;
    for (const auto& x : m_fis.satirlar)
        son = qMax(son, x.SIRA_NO);
    s.SIRA_NO = son + 1;
    s.TIP = tip;
    s.DOVIZ_CINS = m_ctx.YerelPara;
    if (tip == QLatin1String("S"))
        s.MIKTAR = 1;
    m_fis.satirlar << s;
    const int r = int(m_fis.satirlar.size()) - 1;
    m_yukleniyor = true;
    GridSatir->insertRow(r);
    m_yukleniyor = false;
    satirGoster(r);
    GridSatir->setCurrentCell(r, K_KOD);
    return r;
}

bool TFormMFis::hucreYaz(int row, Kolon kolon, const QString& text)
{
    if (row < 0 || row >= m_fis.satirlar.size())
        return false;
    MahsupSatiri& s = m_fis.satirlar[row];
    m_degisti = true;
    bool kabul = true;
    if (double* alan = mahsupTutari(s, kolon)) {
        double v = 0;
        const QString t = text.trimmed();
        const bool borcVar = s.BORC > 0 || s.BORC_USD > 0 || s.BORC_DVZ > 0;
        // One side per line.
        if ((mahsupBorcu(kolon) && s.alacakli()) || (mahsupAlacagi(kolon) && borcVar))
            kabul = false;
        else if (t.isEmpty())
            *alan = 0;
        else if (ParseMoney(t, &v) && v >= 0)
            *alan = v;
        else
            kabul = false;
    } else {
        switch (kolon) {
        case K_KOD:
            // Only a walk-in customer's code is typed; the other kinds come from their pickers.
            if (s.TIP == QLatin1String("P") || s.TIP == QLatin1String("M") || s.TIP == QLatin1String("G"))
                s.KOD = text.trimmed().left(20);
            else
                kabul = false;
            break;
        case K_ACIKLAMA1: s.ACIKLAMA1 = text.left(50); break;
        case K_ACIKLAMA2: s.ACIKLAMA2 = text.left(50); break;
        case K_MUH_KARSI: s.MUH_KARSI = text.trimmed().left(30); break;
        case K_DOVIZ_CINS: s.DOVIZ_CINS = text.trimmed().toUpper(); break;
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
    if (kabul && s.TIP == QLatin1String("K") && m_fis.kasaKuraliBozuk())
        ShowWarning(KasaKuraliText());
    return kabul;
}

void TFormMFis::kodSecildi(int row, const QString& kod, const QString& ad, const QString& muhKarsi,
                           const QString& doviz, double stokNo, const QString& bankaHesap)
{
    if (kod.isEmpty() || row < 0 || row >= m_fis.satirlar.size())
        return;
    m_degisti = true;
    MahsupSatiri& s = m_fis.satirlar[row];
    s.KOD = kod.left(20);
    s.ACIKLAMA1 = ad.left(50);
    if (!muhKarsi.isEmpty())
        s.MUH_KARSI = muhKarsi;
    if (!doviz.isEmpty())
        s.DOVIZ_CINS = doviz;
    if (stokNo > 0)
        s.STOK_NO = stokNo;
    if (!bankaHesap.isEmpty())
        s.BANKA_KOD = bankaHesap;
    satirGoster(row);
}

void TFormMFis::satirSil(int row)
{
    m_degisti = true;
    if (row < 0 || row >= m_fis.satirlar.size())
        return;
    m_fis.satirlar.removeAt(row);
    if (m_yeni)
        for (int i = 0; i < m_fis.satirlar.size(); ++i)
            m_fis.satirlar[i].SIRA_NO = i + 1;
    tumunuGoster();
}

void TFormMFis::sablonEkle()
{
    for (const tfistemp& t : SonMakbuzSatirlari()) {
        const int r = satirEkle(t.hes_tur);
        MahsupSatiri& s = m_fis.satirlar[r];
        s.KOD = t.hesap;
        s.ACIKLAMA1 = t.aciklama1.left(50);
        s.ACIKLAMA2 = t.aciklama2.left(50);
        if (t.borc > 0)
            s.BORC = t.borc;
        if (t.alacak > 0)
            s.ALACAK = t.alacak;
        satirGoster(r);
    }
    toplamlariGoster();
}

void TFormMFis::closeEvent(QCloseEvent* e)
{
    if (m_degisti) {
        ShowWarning(QStringLiteral("Değişikliği saklayın yada iptal ediniz!"));
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void TFormMFis::satirGoster(int r)
{
    MahsupSatiri& s = m_fis.satirlar[r];
    m_yukleniyor = true;
    const auto yaz = [&](int k, const QString& t, bool salt = false) {
        auto* i = new QTableWidgetItem(t);
        if (salt)
            i->setFlags(i->flags() & ~Qt::ItemIsEditable);
        if (mahsupTutari(s, k))
            i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        GridSatir->setItem(r, k, i);
    };
    yaz(K_SIRA_NO, QString::number(s.SIRA_NO), true);
    yaz(K_TIP, MahsupSatirTipMetni(s.TIP), true);
    const bool yazilir = s.TIP == QLatin1String("P") || s.TIP == QLatin1String("M") || s.TIP == QLatin1String("G");
    yaz(K_KOD, s.KOD, !yazilir);
    yaz(K_ACIKLAMA1, s.ACIKLAMA1);
    yaz(K_ACIKLAMA2, s.ACIKLAMA2);
    for (int k = K_MIKTAR; k <= K_ALACAK_DVZ; ++k)
        yaz(k, *mahsupTutari(s, k) == 0.0 ? QString() : FormatMoney(*mahsupTutari(s, k), QStringLiteral(",0.00")),
            k == K_KDV_TUT && m_fis.TIP == QLatin1String("A"));
    yaz(K_PARA_BAZ, QString(s.PARA_BAZ));
    yaz(K_DOVIZ_CINS, s.DOVIZ_CINS);
    for (int k : {K_KUR_BAZ, K_KUR_DVZ})
        yaz(k, *mahsupTutari(s, k) == 0.0 ? QString() : FormatMoney(*mahsupTutari(s, k), QStringLiteral(",0.######")));
    for (int k : {K_ISIN_TUTARI, K_VERGI_TUTARI})
        yaz(k, *mahsupTutari(s, k) == 0.0 ? QString() : FormatMoney(*mahsupTutari(s, k), QStringLiteral(",0.00")));
    yaz(K_MUH_KARSI, s.MUH_KARSI);
    m_yukleniyor = false;
}

void TFormMFis::tumunuGoster()
{
    m_yukleniyor = true;
    GridSatir->setRowCount(int(m_fis.satirlar.size()));
    m_yukleniyor = false;
    for (int r = 0; r < m_fis.satirlar.size(); ++r)
        satirGoster(r);
    GridSatir->resizeColumnsToContents();
    toplamlariGoster();
}

void TFormMFis::toplamlariGoster()
{
    m_fis.toplamlariHesapla();
    LblToplam->setText(QStringLiteral("Borç: %1   Alacak: %2   Fark: %3")
                           .arg(FormatMoney(m_fis.BORC, QStringLiteral(",0.00")),
                                FormatMoney(m_fis.ALACAK, QStringLiteral(",0.00")),
                                FormatMoney(m_fis.BORC - m_fis.ALACAK, QStringLiteral(",0.00"))));
}

void TFormMFis::BtnKodSecClick()
{
    const int r = GridSatir->currentRow();
    if (r < 0 || r >= m_fis.satirlar.size())
        return;
    const QString tip = m_fis.satirlar[r].TIP;
    if (tip == QLatin1String("K")) {
        const QString kod = KasaSec(m_ctx, 1, this);
        if (const auto k = KasaOku(m_db, kod))
            kodSecildi(r, k->KASAKOD, k->ADI);
    } else if (tip == QLatin1String("C")) {
        const TypeCari c = CariSecKayit(m_ctx, 1, {}, this);
        if (!c.bos())
            kodSecildi(r, c.CariKod, c.CariAd, c.CariMuh, c.caridvz.isEmpty() ? m_ctx.YerelPara : c.caridvz);
    } else if (tip == QLatin1String("P")) {
        const TypeCari c = PesinCariSec(m_ctx, this);
        if (!c.bos())
            kodSecildi(r, c.CariKod, c.CariAd, c.CariMuh);
    } else if (tip == QLatin1String("S")) {
        stock::TypeStok st;
        stock::StokSecKayit(m_ctx, 1, st, this);
        if (st.StokNo > 0)
            kodSecildi(r, st.StokKod, st.StokAd, {}, {}, st.StokNo);
    } else if (tip == QLatin1String("B")) {
        const TBankParam p = BankaSec(m_ctx, 1, QStringLiteral("1"), m_fis.satirlar[r].DOVIZ_CINS, this);
        if (!p.BanKodu.isEmpty())
            kodSecildi(r, p.BanKodu, p.BankAd + QStringLiteral("/") + p.BankHspNo, p.HspMuhKod, p.DvzKod, 0,
                       p.BankHspNo);
    }
}

void TFormMFis::BtnKdvEkleClick()
{
    m_degisti = true;
    const int r = GridSatir->currentRow();
    if (r < 0 || r >= m_fis.satirlar.size())
        return;
    MahsupSatiri& s = m_fis.satirlar[r];
    if (s.KDV <= 0)
        return;
    s.BORC *= (s.KDV + 100) / 100;
    s.ALACAK *= (s.KDV + 100) / 100;
    satirGoster(r);
    toplamlariGoster();
}

void TFormMFis::BtnSablonClick()
{
    if (MakbuzSablonSec(m_ctx, 1, this) > 0)
        sablonEkle();
}

void TFormMFis::BtnSaklaClick()
{
    m_fis.TARIH = EditTarih->date();
    sonuc = MahsupFisKaydet(m_ctx, m_db, m_fis);
    m_degisti = false;
    accept();
    // Accounting runs after the slip is committed, on its own.
    Guard([this] { MahsupFisMuhasebeyeAktar(m_ctx, m_db, *MahsupFisOku(m_db, sonuc)); });
}

void TFormMFis::BtnVazgecClick()
{
    if (AskYesNoCancel(QStringLiteral("Değişikliği iptal etmek istiyor musunuz?")) == MsgYes) {
        m_degisti = false;
        reject();
    }
}

double MahsupFisiGir(const SessionContext& ctx, const QString& tip, const QString& cariKod, const QString& cariAd,
                     double hrkNo, QWidget* parent)
{
    const QString& hak = ctx.AktifKullanici.diger21;
    MahsupFisi fis;
    if (hrkNo > 0) {
        const auto f = MahsupFisOku(ctx.Database1, hrkNo);
        if (!f || !RightChanges(hak))
            return 0;
        fis = *f;
    } else {
        if (!RightAdds(hak))
            return 0;
        fis.HRK_NO = YeniMahsupFisNo(ctx.Database1);
        fis.TIP = tip;
        fis.TARIH = ServerToday(ctx.Database1);
    }
    TFormMFis f(ctx, fis, cariKod, cariAd, parent);
    return f.exec() == QDialog::Accepted ? f.sonuc : 0;
}

} // namespace tornaly::accounts
