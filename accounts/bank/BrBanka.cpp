#include "accounts/bank/BrBanka.h"

#include "accounts/bank/BankaTablo.h"
#include "accounts/bank/Bnhrk.h"
#include "accounts/ui/ListeModeli.h"
#include "context/User.h"
#include "db/Dialect.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "services/MuhasebeHesapSec.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

// The card of one bank: code (new only), name and branch.
bool bankaKarti(const SessionContext& ctx, QWidget* parent, BankaKaydi& b, bool yeni)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("FormBankaKarti"));
    d.setWindowTitle(QStringLiteral("Banka"));
    auto* form = new QFormLayout(&d);
    auto* kod = new QLineEdit(b.BANKA_KOD, &d);
    kod->setObjectName(QStringLiteral("BANKA_KOD"));
    kod->setMaxLength(11);
    kod->setReadOnly(!yeni);
    auto* ad = new QLineEdit(b.BANKA_ADI, &d);
    ad->setObjectName(QStringLiteral("BANKA_ADI"));
    ad->setMaxLength(60);
    auto* sube = new QLineEdit(b.BANKA_SUBE, &d);
    sube->setObjectName(QStringLiteral("BANKA_SUBE"));
    sube->setMaxLength(15);
    form->addRow(QStringLiteral("Banka Kodu"), kod);
    form->addRow(QStringLiteral("Banka adı"), ad);
    form->addRow(QStringLiteral("Banka Şubesi"), sube);
    auto* dugmeler = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    form->addRow(dugmeler);
    QObject::connect(dugmeler, &QDialogButtonBox::rejected, &d, &QDialog::reject); // unguarded: ui only
    QObject::connect(dugmeler, &QDialogButtonBox::accepted, &d, Guarded([&] {
                         BankaKaydi yeniKayit{kod->text().trimmed(), ad->text(), sube->text()};
                         BankaKaydet(ctx.Database1, yeniKayit, yeni);
                         b = yeniKayit;
                         d.accept();
                     }));
    d.resize(420, 160);
    return d.exec() == QDialog::Accepted;
}

// The card of one account; number, type and currency only while new.
bool hesapKarti(const SessionContext& ctx, QWidget* parent, BankaHesabi& h, bool yeni)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("FormBankaHesapKarti"));
    d.setWindowTitle(QStringLiteral("Bankanın Hesapları"));
    auto* form = new QFormLayout(&d);
    auto* ad = new QLineEdit(h.HESAP_ADI, &d);
    ad->setObjectName(QStringLiteral("HESAP_ADI"));
    ad->setMaxLength(36);
    auto* tur = new QComboBox(&d);
    tur->setObjectName(QStringLiteral("HESAR_TURU"));
    tur->addItems(HesapTurleri());
    tur->setCurrentIndex(qMax(0, h.HESAR_TURU.toInt() - 1));
    tur->setEnabled(yeni);
    auto* no = new QLineEdit(h.HESAP_NO, &d);
    no->setObjectName(QStringLiteral("HESAP_NO"));
    no->setMaxLength(25);
    no->setReadOnly(!yeni);
    auto* doviz = new QComboBox(&d);
    doviz->setObjectName(QStringLiteral("DVZ_KOD"));
    Query q(ctx.Database1, QStringLiteral("SELECT DOVIZ_KODU FROM DOVIZ ORDER BY DOVIZ_KODU"));
    q.exec();
    QStringList dovizler{ctx.YerelPara};
    while (q.next())
        if (!dovizler.contains(q.str(QStringLiteral("DOVIZ_KODU"))))
            dovizler << q.str(QStringLiteral("DOVIZ_KODU"));
    doviz->addItems(dovizler);
    doviz->setCurrentText(h.DOVIZ_KODU.isEmpty() ? ctx.YerelPara : h.DOVIZ_KODU);
    doviz->setEnabled(yeni);
    auto* iban = new QLineEdit(h.IBAN, &d);
    iban->setObjectName(QStringLiteral("IBAN"));
    iban->setMaxLength(36);
    auto* komisyon = new QDoubleSpinBox(&d);
    komisyon->setObjectName(QStringLiteral("KOMISYON"));
    komisyon->setRange(0, 100);
    komisyon->setDecimals(2);
    komisyon->setValue(h.KOMISYON);
    form->addRow(QStringLiteral("Hesap Adı"), ad);
    form->addRow(QStringLiteral("Hesap Türü"), tur);
    form->addRow(QStringLiteral("Hesap No"), no);
    form->addRow(QStringLiteral("Döviz"), doviz);
    form->addRow(QStringLiteral("IBAN"), iban);
    form->addRow(QStringLiteral("Kredi Kartı K&omisyonu%"), komisyon);
    auto* dugmeler = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    form->addRow(dugmeler);
    QObject::connect(dugmeler, &QDialogButtonBox::rejected, &d, &QDialog::reject); // unguarded: ui only
    QObject::connect(dugmeler, &QDialogButtonBox::accepted, &d, Guarded([&] {
                         BankaHesabi y = h;
                         y.HESAP_ADI = ad->text();
                         y.HESAR_TURU = QString::number(tur->currentIndex() + 1);
                         y.HESAP_NO = no->text().trimmed();
                         y.DOVIZ_KODU = doviz->currentText();
                         y.IBAN = iban->text();
                         y.KOMISYON = komisyon->value();
                         BankaHesabiKaydet(ctx, ctx.Database1, y, yeni);
                         h = y;
                         d.accept();
                     }));
    d.resize(440, 240);
    return d.exec() == QDialog::Accepted;
}

} // namespace

TFormBankaBr::TFormBankaBr(const SessionContext& ctx, int mode, const QString& tipUyumu, const QString& tipDoviz,
                           QWidget* parent)
    : QDialog(parent), TipUYUMU(tipUyumu), TipDOVIZ(tipDoviz), m_ctx(ctx), m_db(ctx.Database1), m_mode(mode)
{
    setObjectName(QStringLiteral("FormBankaBr"));
    setWindowTitle(QStringLiteral("BANKA KAYITLARI"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurArama());
    auto* bol = new QSplitter(Qt::Vertical, this);
    bol->addWidget(kurBankalar());
    bol->addWidget(kurHesaplar());
    lay->addWidget(bol, 1);
    lay->addLayout(kurDugmeler());
    bankalariYukle();
    resize(1000, 640);
}

QWidget* TFormBankaBr::kurArama()
{
    auto* w = new QWidget(this);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    EditArananKod = new QLineEdit(w);
    EditArananKod->setObjectName(QStringLiteral("EditArananKod"));
    EditArananAd = new QLineEdit(w);
    EditArananAd->setObjectName(QStringLiteral("EditArananAd"));
    // The captions' shortcuts move into their fields.
    auto* kodEtiket = new QLabel(QStringLiteral("&Aranan Kod"), w);
    kodEtiket->setBuddy(EditArananKod);
    auto* adEtiket = new QLabel(QStringLiteral("&Aranan Banka Adı"), w);
    adEtiket->setBuddy(EditArananAd);
    l->addWidget(kodEtiket);
    l->addWidget(EditArananKod);
    l->addWidget(adEtiket);
    l->addWidget(EditArananAd);
    // The nearest code at or after the typed text; the first name that begins with it.
    connect(EditArananKod, &QLineEdit::textEdited, this, Guarded([this](const QString& t) {
                for (int r = 0; r < m_bankalar.size(); ++r)
                    if (m_bankalar[r].BANKA_KOD >= t) {
                        GridBanka->selectRow(r);
                        return;
                    }
            }));
    connect(EditArananAd, &QLineEdit::textEdited, this, Guarded([this](const QString& t) {
                const QString aranan = Dialect::turkishUpper(t);
                for (int r = 0; r < m_bankalar.size(); ++r)
                    if (Dialect::turkishUpper(m_bankalar[r].BANKA_ADI).startsWith(aranan)) {
                        GridBanka->selectRow(r);
                        return;
                    }
            }));
    return w;
}

QWidget* TFormBankaBr::kurBankalar()
{
    auto* w = new QWidget(this);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    GridBanka = BankaTablosu(w, "GridBanka", {QStringLiteral("Banka Kodu"), QStringLiteral("Banka adı"),
                                              QStringLiteral("Banka Şubesi")});
    GridBankaToplam = BankaTablosu(w, "GridBankaToplam",
                                   {QString(), QStringLiteral("Toplam Borç"), QStringLiteral("Toplam Alacak"),
                                    QStringLiteral("Bakiye"), QStringLiteral("Toplam Borç $"),
                                    QStringLiteral("Toplam Alacak $"), QStringLiteral("Bakiye $")});
    GridBankaToplam->setMaximumHeight(90);
    l->addWidget(GridBanka, 1);
    l->addWidget(GridBankaToplam);
    connect(GridBanka, &QTableWidget::itemSelectionChanged, this, Guarded([this] { hesaplariYukle(); }));
    connect(GridBanka, &QTableWidget::cellDoubleClicked, this, Guarded([this] {
                if (m_mode == 1)
                    BtnSecClick();
            }));
    return w;
}

QWidget* TFormBankaBr::kurHesaplar()
{
    Sayfalar = new QTabWidget(this);
    Sayfalar->setObjectName(QStringLiteral("Sayfalar"));
    GridHesap = BankaTablosu(Sayfalar, "GridHesap",
                             {QStringLiteral("Hesap Adı"), QStringLiteral("Hesap Türü"), QStringLiteral("Hesap No"),
                              QStringLiteral("IBAN"), QStringLiteral("Döviz"), QStringLiteral("Valör")});
    // The value days are kept but never shown.
    GridHesap->setColumnHidden(5, true);
    Sayfalar->addTab(GridHesap, QStringLiteral("Bankanın Hesapları"));
    auto* kodlar = new QWidget(Sayfalar);
    auto* form = new QFormLayout(kodlar);
    const QStringList basliklar = {
        QStringLiteral("Banka Cari Hesap Muh.Kodu"), QStringLiteral("Tahsil Senetleri Muh.kodu"),
        QStringLiteral("Kesilen Çekler Muh.Kodu"),   QStringLiteral("Takas Çekleri Muh.Kodu"),
        QStringLiteral("Teminat Senetleri Muh.Kodu"), QStringLiteral("Senet Karşılığı Kredi MuhKodu"),
        QStringLiteral("Teminat Çekleri Muh.Kodu"),  QStringLiteral("Çek Karşılığı Kredi Muh.Kodu"),
        QStringLiteral("Masraf Hesabı Muh.Kodu")};
    for (int i = 0; i < 9; ++i) {
        MuhKodlari[i] = new QLineEdit(kodlar);
        MuhKodlari[i]->setObjectName(BankaMuhKodKolonlari().at(i));
        MuhKodlari[i]->setMaxLength(30);
        auto* sec = Dugme(kodlar, "BtnMuhKodSec", QStringLiteral("Seç"));
        sec->setObjectName(QStringLiteral("BtnSec_") + BankaMuhKodKolonlari().at(i));
        sec->setEnabled(MuhasebeHesapSecVar());
        connect(sec, &QPushButton::clicked, this, Guarded([this, i] { muhKoduSec(i); }));
        auto* satir = new QHBoxLayout;
        satir->addWidget(MuhKodlari[i], 1);
        satir->addWidget(sec);
        form->addRow(basliklar.at(i), satir);
    }
    BtnMuhKodSakla = Dugme(kodlar, "BtnMuhKodSakla", QStringLiteral("Muhasebe Kodlarını Sakla"));
    form->addRow(BtnMuhKodSakla);
    connect(BtnMuhKodSakla, &QPushButton::clicked, this, Guarded(this, &TFormBankaBr::BtnMuhKodSaklaClick));
    Sayfalar->addTab(kodlar, QStringLiteral("Hesabın Muhasebe Kodları"));
    GridDovizToplam = BankaTablosu(Sayfalar, "GridDovizToplam",
                                   {QStringLiteral("Döviz"), QStringLiteral("Toplam Borç Dvz"),
                                    QStringLiteral("Toplam Alacak Dvz"), QStringLiteral("Bakiye")});
    GridDovizToplam->setToolTip(QStringLiteral("Hesabın Döviz Cinsine Göre Toplamları"));
    Sayfalar->addTab(GridDovizToplam, QStringLiteral("Hesabın Döviz Bazında Bakiyeleri"));
    connect(GridHesap, &QTableWidget::itemSelectionChanged, this, Guarded([this] { toplamlariYukle(); }));
    connect(GridHesap, &QTableWidget::cellDoubleClicked, this, Guarded([this] {
                if (m_mode == 1)
                    BtnSecClick();
            }));
    return Sayfalar;
}

QLayout* TFormBankaBr::kurDugmeler()
{
    const QString& hak = m_ctx.AktifKullanici.diger09;
    auto* l = new QHBoxLayout;
    struct Komut {
        QPushButton*& dugme;
        const char* ad;
        QString baslik;
        bool izin;
        void (TFormBankaBr::*slot)();
    };
    const Komut komutlar[] = {
        {BtnBankaEkle, "BtnBankaEkle", QStringLiteral("Banka Ekle"), RightAdds(hak), &TFormBankaBr::BtnBankaEkleClick},
        {BtnBankaDuzelt, "BtnBankaDuzelt", QStringLiteral("Banka Düzelt"), RightChanges(hak), &TFormBankaBr::BtnBankaDuzeltClick},
        {BtnBankaSil, "BtnBankaSil", QStringLiteral("Banka Sil"), RightDeletes(hak), &TFormBankaBr::BtnBankaSilClick},
        {BtnHesapEkle, "BtnHesapEkle", QStringLiteral("Hesap Ekle"), RightAdds(hak), &TFormBankaBr::BtnHesapEkleClick},
        {BtnHesapDuzelt, "BtnHesapDuzelt", QStringLiteral("Hesap Düzelt"), RightChanges(hak), &TFormBankaBr::BtnHesapDuzeltClick},
        {BtnHesapSil, "BtnHesapSil", QStringLiteral("&Hesap Sil"), RightDeletes(hak), &TFormBankaBr::BtnHesapSilClick},
        {BtnHesapHareketleri, "BtnHesapHareketleri", QStringLiteral("Hesap &Hareketleri"), true,
         &TFormBankaBr::BtnHesapHareketleriClick},
        {BtnAylikRapor, "BtnAylikRapor", QStringLiteral("&Aylık Rapor"), true, &TFormBankaBr::BtnAylikRaporClick},
        {BtnSec, "BtnSec", QStringLiteral("&Hesap No Seç"), m_mode == 1, &TFormBankaBr::BtnSecClick},
    };
    for (const Komut& k : komutlar) {
        k.dugme = Dugme(this, k.ad, k.baslik);
        k.dugme->setEnabled(k.izin);
        connect(k.dugme, &QPushButton::clicked, this, Guarded(this, k.slot));
        l->addWidget(k.dugme);
    }
    BtnSec->setVisible(m_mode == 1);
    BtnMuhKodSakla->setEnabled(RightChanges(hak));
    l->addStretch();
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    l->addWidget(BtnKapat);
    return l;
}

void TFormBankaBr::bankalariYukle(const QString& konum)
{
    m_bankalar = Bankalar(m_db);
    const QSignalBlocker b(GridBanka);
    GridBanka->setRowCount(int(m_bankalar.size()));
    int secili = m_bankalar.isEmpty() ? -1 : 0;
    for (int r = 0; r < m_bankalar.size(); ++r) {
        BankaHucre(GridBanka, r, 0, m_bankalar[r].BANKA_KOD);
        BankaHucre(GridBanka, r, 1, m_bankalar[r].BANKA_ADI);
        BankaHucre(GridBanka, r, 2, m_bankalar[r].BANKA_SUBE);
        if (m_bankalar[r].BANKA_KOD == konum)
            secili = r;
    }
    KolonlariAyarla(GridBanka);
    if (secili >= 0)
        GridBanka->selectRow(secili);
    hesaplariYukle();
}

void TFormBankaBr::hesaplariYukle(const QString& konum)
{
    m_hesaplar = bankaKod().isEmpty() ? QList<BankaHesabi>{} : BankaHesaplari(m_db, bankaKod());
    {
        const QSignalBlocker b(GridHesap);
        GridHesap->setRowCount(int(m_hesaplar.size()));
        int secili = m_hesaplar.isEmpty() ? -1 : 0;
        for (int r = 0; r < m_hesaplar.size(); ++r) {
            const auto& h = m_hesaplar[r];
            BankaHucre(GridHesap, r, 0, h.HESAP_ADI);
            BankaHucre(GridHesap, r, 1, HesapTuruMetni(h.HESAR_TURU));
            BankaHucre(GridHesap, r, 2, h.HESAP_NO);
            BankaHucre(GridHesap, r, 3, h.IBAN);
            BankaHucre(GridHesap, r, 4, h.DOVIZ_KODU);
            BankaHucre(GridHesap, r, 5, QString::number(h.VALOR), true);
            if (h.HESAP_NO == konum)
                secili = r;
        }
        KolonlariAyarla(GridHesap);
        if (secili >= 0)
            GridHesap->selectRow(secili);
    }
    toplamlariYukle();
}

void TFormBankaBr::toplamlariYukle()
{
    const auto satirYaz = [this](int r, const QString& ad, const BankaToplami& t) {
        BankaHucre(GridBankaToplam, r, 0, ad);
        BankaHucre(GridBankaToplam, r, 1, FormatMoney(t.borc, QStringLiteral(",0.00")), true);
        BankaHucre(GridBankaToplam, r, 2, FormatMoney(t.alacak, QStringLiteral(",0.00")), true);
        BankaHucre(GridBankaToplam, r, 3, BankaBakiyeMetni(t.bakiye()), true);
        BankaHucre(GridBankaToplam, r, 4, FormatMoney(t.borcUsd, QStringLiteral(",0.00")), true);
        BankaHucre(GridBankaToplam, r, 5, FormatMoney(t.alacakUsd, QStringLiteral(",0.00")), true);
        BankaHucre(GridBankaToplam, r, 6, BankaBakiyeMetni(t.bakiyeUsd()), true);
    };
    GridBankaToplam->setRowCount(2);
    satirYaz(0, QStringLiteral("Bankanın"), bankaKod().isEmpty() ? BankaToplami{} : BankaToplamiOku(m_db, bankaKod()));
    const int r = GridHesap->currentRow();
    const BankaHesabi* h = r >= 0 && r < m_hesaplar.size() ? &m_hesaplar[r] : nullptr;
    const BankaBakiyeleri b = h ? BankaBakiyeleriOku(m_db, h->BANKA_KOD, h->HESAP_NO) : BankaBakiyeleri{};
    satirYaz(1, QStringLiteral("Hesabın"), b.nakitToplam);
    GridDovizToplam->setRowCount(int(b.nakit.size()));
    for (int i = 0; i < b.nakit.size(); ++i) {
        BankaHucre(GridDovizToplam, i, 0, b.nakit[i].doviz);
        BankaHucre(GridDovizToplam, i, 1, FormatMoney(b.nakit[i].borcDvz, QStringLiteral(",0.00")), true);
        BankaHucre(GridDovizToplam, i, 2, FormatMoney(b.nakit[i].alacakDvz, QStringLiteral(",0.00")), true);
        const double bk = b.nakit[i].bakiyeDvz();
        BankaHucre(GridDovizToplam, i, 3,
                   qRound64(bk * 100) == 0 ? QStringLiteral("---")
                                           : FormatMoney(qAbs(bk), QStringLiteral(",0.00")) +
                                                 (bk > 0 ? QStringLiteral(" (A)") : QStringLiteral(" (B)")),
                   true);
    }
    for (int i = 0; i < 9; ++i) {
        const QString kodlar[] = {h ? h->MUH_CHES : QString(),    h ? h->MUH_TAHSEN : QString(),
                                  h ? h->MUH_KESCEK : QString(),  h ? h->MUH_TAKCEK : QString(),
                                  h ? h->MUH_TEMSEN : QString(),  h ? h->MUH_SENKRED : QString(),
                                  h ? h->MUH_TEMCEK : QString(),  h ? h->MUH_CEKREDI : QString(),
                                  h ? h->MUH_KOMISYON : QString()};
        MuhKodlari[i]->setText(kodlar[i]);
    }
}

QString TFormBankaBr::bankaKod() const
{
    const int r = GridBanka->currentRow();
    return r >= 0 && r < m_bankalar.size() ? m_bankalar[r].BANKA_KOD : QString();
}

QString TFormBankaBr::hesapNo() const
{
    const int r = GridHesap->currentRow();
    return r >= 0 && r < m_hesaplar.size() ? m_hesaplar[r].HESAP_NO : QString();
}

void TFormBankaBr::konumlan(const QString& banka, const QString& hesap)
{
    for (int r = 0; r < m_bankalar.size(); ++r)
        if (m_bankalar[r].BANKA_KOD == banka)
            GridBanka->selectRow(r);
    for (int r = 0; r < m_hesaplar.size(); ++r)
        if (m_hesaplar[r].HESAP_NO == hesap)
            GridHesap->selectRow(r);
}

void TFormBankaBr::BtnBankaEkleClick()
{
    BankaKaydi b;
    if (bankaKarti(m_ctx, this, b, true))
        bankalariYukle(b.BANKA_KOD);
}

void TFormBankaBr::BtnBankaDuzeltClick()
{
    const auto b0 = BankaOku(m_db, bankaKod());
    if (!b0)
        return;
    BankaKaydi b = *b0;
    if (bankaKarti(m_ctx, this, b, false))
        bankalariYukle(b.BANKA_KOD);
}

void TFormBankaBr::BtnBankaSilClick()
{
    if (bankaKod().isEmpty() || AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    BankaSil(m_db, bankaKod());
    bankalariYukle();
}

void TFormBankaBr::BtnHesapEkleClick()
{
    if (bankaKod().isEmpty())
        return;
    BankaHesabi h;
    h.BANKA_KOD = bankaKod();
    h.DOVIZ_KODU = m_ctx.YerelPara;
    if (hesapKarti(m_ctx, this, h, true))
        hesaplariYukle(h.HESAP_NO);
}

void TFormBankaBr::BtnHesapDuzeltClick()
{
    const auto h0 = BankaHesabiOku(m_db, bankaKod(), hesapNo());
    if (!h0)
        return;
    BankaHesabi h = *h0;
    if (hesapKarti(m_ctx, this, h, false))
        hesaplariYukle(h.HESAP_NO);
}

void TFormBankaBr::BtnHesapSilClick()
{
    if (hesapNo().isEmpty() || AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    BankaHesabiSil(m_db, bankaKod(), hesapNo());
    hesaplariYukle();
}

void TFormBankaBr::muhKoduSec(int i)
{
    const QString hesap = hesapNo();
    if (hesap.isEmpty())
        return;
    const QString kod = MuhasebeHesapSec(m_ctx, 1, this);
    if (kod.isEmpty())
        return;
    // The picked code is stored at once, in its own column only.
    BankaHesabiMuhKoduYaz(m_db, bankaKod(), hesap, BankaMuhKodKolonlari().at(i), kod);
    hesaplariYukle(hesap);
}

void TFormBankaBr::BtnMuhKodSaklaClick()
{
    if (hesapNo().isEmpty()) {
        Messages().show(MsgIcon::Warning, QStringLiteral("Lütfen Önce Bankanın Hesaplarını Tanımlayın"), MsgCancel,
                        MsgCancel, windowTitle());
        return;
    }
    const QString hesap = hesapNo();
    Transaction tx(m_db);
    for (int i = 0; i < 9; ++i)
        BankaHesabiMuhKoduYaz(m_db, bankaKod(), hesap, BankaMuhKodKolonlari().at(i), MuhKodlari[i]->text());
    tx.commit();
    hesaplariYukle(hesap);
}

void TFormBankaBr::BtnHesapHareketleriClick()
{
    const auto b = BankaOku(m_db, bankaKod());
    if (!b || hesapNo().isEmpty())
        return;
    BankaHesapEkstre(m_ctx, b->BANKA_ADI, b->BANKA_KOD, hesapNo(), this);
    toplamlariYukle();
}

void TFormBankaBr::BtnAylikRaporClick()
{
    if (!bankaKod().isEmpty())
        BankaAylikTutar(m_ctx, bankaKod(), this);
}

void TFormBankaBr::BtnSecClick()
{
    if (m_mode != 1)
        return;
    const int r = GridHesap->currentRow();
    const BankaHesabi* h = r >= 0 && r < m_hesaplar.size() ? &m_hesaplar[r] : nullptr;
    if (const auto m = BankaHesapSecKontrol(h, TipUYUMU, TipDOVIZ)) {
        Messages().show(MsgIcon::Warning, *m, h ? MsgOk : MsgCancel, h ? MsgOk : MsgCancel, windowTitle());
        return;
    }
    const auto b = BankaOku(m_db, h->BANKA_KOD);
    secim = TBankParam{h->BANKA_KOD, b ? b->BANKA_ADI : QString(), h->HESAP_NO, h->KOMISYON,
                       h->HESAR_TURU, h->DOVIZ_KODU, b ? b->BANKA_SUBE : QString(), h->MUH_CHES};
    accept();
}

TBankParam BankaSec(const SessionContext& ctx, int mode, const QString& tipUyumu, const QString& tipDoviz,
                    QWidget* parent)
{
    TFormBankaBr f(ctx, mode, tipUyumu, tipDoviz, parent);
    return f.exec() == QDialog::Accepted ? f.secim : TBankParam{};
}

} // namespace tornaly::accounts
