#include "stock/catalog/KodListeleri.h"

#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "stock/catalog/Kodlar.h"
#include "stock/common/KodKartFormu.h"
#include "db/Dialect.h"

#include <QCheckBox>
#include <QComboBox>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace tornaly::stock {

namespace {
QString para(double v) { return v == 0 ? QString() : FormatMoney(v, QStringLiteral("0.00")); }

bool silinsinMi() { return AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) == MsgYes; }
} // namespace

// ---- groups -------------------------------------------------------------------

TFormGrupBr::TFormGrupBr(const SessionContext& ctx, int mode, QWidget* parent)
    : KodListeFormu(ctx, QStringLiteral("GRUP KAYITLARI"), parent)
{
    setObjectName(QStringLiteral("FormGrupBr"));
    modAyarla(mode);
    AramaAlani = new QComboBox(this);
    AramaAlani->setObjectName(QStringLiteral("AramaAlani"));
    AramaAlani->addItem(QStringLiteral("Grup Kodu"), QStringLiteral("GRUP_KODU"));
    AramaAlani->addItem(QStringLiteral("Grup Adı"), QStringLiteral("GRUP_ADI"));
    static_cast<QBoxLayout*>(m_ana->itemAt(0)->layout())->addWidget(AramaAlani);
    AramaAlani->setToolTip(QStringLiteral("Aramak İstenilen"));
    sorguAyarla(QStringLiteral("SELECT GRUP_KODU, GRUP_ADI FROM GRUP"), QStringLiteral("GRUP_KODU"),
                QStringLiteral("GRUP_KODU"),
                {{{QStringLiteral("GRUP_KODU"), QStringLiteral("Grup Kodu")},
                  {QStringLiteral("GRUP_ADI"), QStringLiteral("Grup Adı")}}});
    const bool yetkili = ctx.AktifKullanici.stok.left(1) == QLatin1String("Y");
    BtnYeni = dugme(QStringLiteral("BtnYeni"), QStringLiteral("&Yeni"), [this] { BtnYeniClick(); });
    BtnDuzenle = dugme(QStringLiteral("BtnDuzenle"), QStringLiteral("&Düzenle"), [this] { BtnDuzenleClick(); });
    BtnSil = dugme(QStringLiteral("BtnSil"), QStringLiteral("&Sil"), [this] { BtnSilClick(); });
    for (QPushButton* b : {BtnYeni, BtnDuzenle, BtnSil})
        b->setEnabled(yetkili);
    duzenle = [this] {
        if (BtnDuzenle->isEnabled())
            BtnDuzenleClick();
    };
    connect(Aranan, &QLineEdit::returnPressed, this, Guarded([this] {
        if (basiylaBul(AramaAlani->currentData().toString(), Aranan->text()))
            DBGrid1->setFocus();
    }));
    Guard([this] { listeyiAc(); });
}

void TFormGrupBr::BtnYeniClick()
{
    const QString kod = GrupKarti(m_ctx, {}, true, this);
    if (!kod.isEmpty())
        yenileVeGit(kod);
}

void TFormGrupBr::BtnDuzenleClick()
{
    const QString mevcut = deger(QStringLiteral("GRUP_KODU")).toString();
    if (mevcut.isEmpty())
        return;
    const QString kod = GrupKarti(m_ctx, mevcut, false, this);
    if (!kod.isEmpty())
        yenileVeGit(kod);
}

void TFormGrupBr::BtnSilClick()
{
    const QString kod = deger(QStringLiteral("GRUP_KODU")).toString();
    if (kod.isEmpty() || !silinsinMi())
        return;
    const QString m = GrupSil(m_db, kod);
    if (!m.isEmpty())
        ShowInfo(m);
    listeyiAc();
}

QString GrupSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormGrupBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secim.toString() : QString();
}

QString GrupKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
{
    KodKartFormu f(QStringLiteral("ÜRÜN GRUBU ADI KAYIT KARTI"), parent);
    f.setObjectName(QStringLiteral("GrupForm"));
    QString ad;
    if (!yeni) {
        Query q(ctx.Database1, QStringLiteral("SELECT GRUP_ADI FROM GRUP WHERE GRUP_KODU = :K"));
        q.bind(QStringLiteral("K"), kod).exec();
        if (q.next())
            ad = q.value(0).toString();
    }
    f.kutu(QStringLiteral("EditGrupKodu"), QStringLiteral("Grup Kodu"), yeni ? QString() : kod, 11);
    f.kutu(QStringLiteral("EditGrupAdi"), QStringLiteral("Grup Adı"), ad, 36);
    QString sonuc;
    f.kaydet = [&] {
        const QString k = f.metin(QStringLiteral("EditGrupKodu")).trimmed();
        if (k.isEmpty()) {
            ShowInfo(QStringLiteral("Grup Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
            return QStringLiteral("");
        }
        const QString m = GrupKaydet(ctx.Database1, yeni ? QString() : kod, k, f.metin(QStringLiteral("EditGrupAdi")));
        if (m.isEmpty())
            sonuc = k;
        return m;
    };
    return f.exec() == QDialog::Accepted ? sonuc : QString();
}

// ---- subgroups ----------------------------------------------------------------

TFormAltGrupBr::TFormAltGrupBr(const SessionContext& ctx, int mode, QWidget* parent)
    : KodListeFormu(ctx, QStringLiteral("Stok Alt Grup"), parent)
{
    setObjectName(QStringLiteral("FormAltGrupBr"));
    modAyarla(mode);
    ArananEtiket->setText(QStringLiteral("Aranan Alt Grup Adı"));
    sorguAyarla(QStringLiteral("SELECT A.GRUP_KODU, G.GRUP_ADI AS ANA_GRUP_ADI, A.ALT_GRUP_KODU, A.GRUP_ADI "
                               "FROM ALTGRUP A LEFT JOIN GRUP G ON G.GRUP_KODU = A.GRUP_KODU"),
                QStringLiteral("ALT_GRUP_KODU"), QStringLiteral("A.GRUP_ADI"),
                {{{QStringLiteral("ANA_GRUP_ADI"), QStringLiteral("Grup Adı")},
                  {QStringLiteral("ALT_GRUP_KODU"), QStringLiteral("Alt Grup Kodu")},
                  {QStringLiteral("GRUP_ADI"), QStringLiteral("Alt Grup Adı")}},
                 {QStringLiteral("GRUP_KODU")}});
    dugme(QStringLiteral("BtnYeni"), QStringLiteral("&Yeni Kayıt"), [this] { BtnYeniClick(); });
    dugme(QStringLiteral("BtnDuzenle"), QStringLiteral("&Düzenle"), [this] { BtnDuzenleClick(); });
    dugme(QStringLiteral("BtnSil"), QStringLiteral("&Sil"), [this] { BtnSilClick(); });
    duzenle = [this] { BtnDuzenleClick(); };
    connect(Aranan, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { basiylaBul(QStringLiteral("GRUP_ADI"), t); }));
    Guard([this] { listeyiAc(); });
}

void TFormAltGrupBr::BtnYeniClick()
{
    AltGrupKarti(m_ctx, deger(QStringLiteral("GRUP_KODU")).toString(), {}, true, this);
    listeyiAc();
}

void TFormAltGrupBr::BtnDuzenleClick()
{
    const QString kod = deger(QStringLiteral("ALT_GRUP_KODU")).toString();
    if (kod.isEmpty())
        return;
    AltGrupKarti(m_ctx, deger(QStringLiteral("GRUP_KODU")).toString(), kod, false, this);
    yenileVeGit(kod);
}

void TFormAltGrupBr::BtnSilClick()
{
    const QString kod = deger(QStringLiteral("ALT_GRUP_KODU")).toString();
    if (kod.isEmpty() || !silinsinMi())
        return;
    const QString m = AltGrupSil(m_db, deger(QStringLiteral("GRUP_KODU")).toString(), kod);
    if (!m.isEmpty())
        ShowInfo(m);
    listeyiAc();
}

void AltGrupSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormAltGrupBr f(ctx, mode, parent);
    f.exec();
}

void AltGrupKarti(const SessionContext& ctx, const QString& grup, const QString& kod, bool yeni, QWidget* parent)
{
    KodKartFormu f(QStringLiteral("Stok Alt Grup Kartı"), parent);
    f.setObjectName(QStringLiteral("AltGrupForm"));
    f.BtnKaydet->setText(QStringLiteral("&Sakla"));
    f.BtnVazgec->setText(QStringLiteral("&Kapat"));
    QString ad;
    bool ozel = false;
    if (!yeni) {
        Query q(ctx.Database1, QStringLiteral("SELECT GRUP_ADI, OZEL_GRUP FROM ALTGRUP WHERE ALT_GRUP_KODU = :K"));
        q.bind(QStringLiteral("K"), kod).exec();
        if (q.next()) {
            ad = q.value(0).toString();
            ozel = q.value(1).toInt() == 1;
        }
    }
    QLineEdit* kodKutusu = f.kutu(QStringLiteral("EditAltGrupKodu"), QStringLiteral("Alt Grup Kodu"), kod, 11);
    kodKutusu->setReadOnly(!yeni);
    auto* grupKutusu = new QComboBox(&f);
    grupKutusu->setObjectName(QStringLiteral("CmbGrup"));
    grupKutusu->addItem(QString(), QString());
    Query g(ctx.Database1, QStringLiteral("SELECT GRUP_KODU, GRUP_ADI FROM GRUP ORDER BY GRUP_ADI"));
    g.exec();
    while (g.next())
        grupKutusu->addItem(g.value(1).toString().isEmpty() ? g.value(0).toString() : g.value(1).toString(),
                            g.value(0).toString());
    grupKutusu->setCurrentIndex(qMax(0, grupKutusu->findData(grup)));
    f.satirEkle(QStringLiteral("Grup Adı"), grupKutusu);
    f.kutu(QStringLiteral("EditAltGrupAdi"), QStringLiteral("Alt Grup Adı"), ad, 40);
    auto* ozelKutu = new QCheckBox(QStringLiteral("Özel Grup"), &f);
    ozelKutu->setObjectName(QStringLiteral("ChkOzelGrup"));
    ozelKutu->setChecked(ozel);
    f.satirEkle(QString(), ozelKutu);
    f.kaydet = [&] {
        const QString m = AltGrupKaydet(ctx.Database1, yeni, grupKutusu->currentData().toString(),
                                        f.metin(QStringLiteral("EditAltGrupKodu")),
                                        f.metin(QStringLiteral("EditAltGrupAdi")), ozelKutu->isChecked());
        if (!m.isEmpty())
            ShowInfo(m);
        return m.isEmpty() ? QString() : QStringLiteral("");
    };
    f.exec();
}

// ---- brands -------------------------------------------------------------------

TFormMarkaBr::TFormMarkaBr(const SessionContext& ctx, int mode, QWidget* parent)
    : KodListeFormu(ctx, QStringLiteral("ARAÇ MARKA KAYITLARI"), parent)
{
    setObjectName(QStringLiteral("FormMarkaBr"));
    modAyarla(mode);
    BtnSec->setText(QStringLiteral("Seç"));
    ArananEtiket->setText(QStringLiteral("Ara"));
    sorguAyarla(QStringLiteral("SELECT MARKA_KOD, URETICI, DISTRIBUTOR FROM MARKALAR"), QStringLiteral("MARKA_KOD"),
                QStringLiteral("MARKA_KOD"),
                {{{QStringLiteral("MARKA_KOD"), QStringLiteral("Marka")},
                  {QStringLiteral("URETICI"), QStringLiteral("Üretici")},
                  {QStringLiteral("DISTRIBUTOR"), QStringLiteral("Distribütör")}}});
    const bool yetkili = ctx.AktifKullanici.arac_al.left(1) == QLatin1String("Y");
    for (QPushButton* b : {dugme(QStringLiteral("BtnYeni"), QStringLiteral("Yeni Kayıt"), [this] { BtnYeniClick(); }),
                           dugme(QStringLiteral("BtnDegistir"), QStringLiteral("Değiştir"), [this] { BtnDegistirClick(); }),
                           dugme(QStringLiteral("BtnSil"), QStringLiteral("Kayıt Sil"), [this] { BtnSilClick(); })})
        b->setEnabled(yetkili);
    duzenle = [this, yetkili] {
        if (yetkili)
            BtnDegistirClick();
    };
    connect(Aranan, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { basiylaBul(QStringLiteral("MARKA_KOD"), t); }));
    Guard([this] { listeyiAc(); });
}

void TFormMarkaBr::BtnYeniClick()
{
    const QString k = MarkaKarti(m_ctx, {}, true, this);
    if (!k.isEmpty())
        yenileVeGit(k);
}

void TFormMarkaBr::BtnDegistirClick()
{
    const QString mevcut = deger(QStringLiteral("MARKA_KOD")).toString();
    if (mevcut.isEmpty())
        return;
    const QString k = MarkaKarti(m_ctx, mevcut, false, this);
    if (!k.isEmpty())
        yenileVeGit(k);
}

void TFormMarkaBr::BtnSilClick()
{
    const QString kod = deger(QStringLiteral("MARKA_KOD")).toString();
    if (kod.isEmpty() || !silinsinMi())
        return;
    const QString m = MarkaSil(m_db, kod);
    if (!m.isEmpty())
        ShowInfo(m);
    listeyiAc();
}

QString MarkaSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormMarkaBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secim.toString() : QString();
}

QString MarkaKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
{
    KodKartFormu f(QStringLiteral("Marka Kayıt"), parent);
    f.setObjectName(QStringLiteral("FormMarkaSakla"));
    f.BtnKaydet->setText(QStringLiteral("&Sakla"));
    QString uretici, dist;
    if (!yeni) {
        Query q(ctx.Database1, QStringLiteral("SELECT URETICI, DISTRIBUTOR FROM MARKALAR WHERE MARKA_KOD = :K"));
        q.bind(QStringLiteral("K"), kod).exec();
        if (q.next()) {
            uretici = q.value(0).toString();
            dist = q.value(1).toString();
        }
    }
    f.kutu(QStringLiteral("EditMarka"), QStringLiteral("Marka"), kod, 15);
    f.kutu(QStringLiteral("EditUretici"), QStringLiteral("Üretici"), uretici, 30);
    f.kutu(QStringLiteral("EditDistributor"), QStringLiteral("Distribütör"), dist, 30);
    QString sonuc;
    f.kaydet = [&] {
        const QString k = f.metin(QStringLiteral("EditMarka")).trimmed();
        if (k.isEmpty()) {
            ShowInfo(QStringLiteral("Araç Marka Bilgisini Vermeden Kayıt Saklanamaz."));
            return QStringLiteral("");
        }
        if (!yeni && k == kod && f.metin(QStringLiteral("EditUretici")) == uretici
            && f.metin(QStringLiteral("EditDistributor")) == dist)
            return QStringLiteral(""); // nothing changed: the card stays open
        const QString m = MarkaKaydet(ctx.Database1, yeni ? QString() : kod, k, f.metin(QStringLiteral("EditUretici")),
                                      f.metin(QStringLiteral("EditDistributor")));
        if (m.isEmpty())
            sonuc = k;
        return m;
    };
    return f.exec() == QDialog::Accepted ? sonuc : QString();
}

// ---- warehouses ---------------------------------------------------------------

TFormDepoBr::TFormDepoBr(const SessionContext& ctx, int mode, QWidget* parent)
    : KodListeFormu(ctx, QStringLiteral("DEPO KAYITLARI"), parent)
{
    setObjectName(QStringLiteral("FormDepoBr"));
    modAyarla(mode);
    Aranan->hide();
    ArananEtiket->hide();
    sorguAyarla(QStringLiteral("SELECT SIRA, DEPO_KODU, DEPO_ADI, DEPO_YERI, DEPO_TIP FROM DEPO"),
                QStringLiteral("DEPO_KODU"), QStringLiteral("SIRA"),
                {{{QStringLiteral("SIRA"), QStringLiteral("Sıra")}, {QStringLiteral("DEPO_KODU"), QStringLiteral("Depo Kodu")},
                  {QStringLiteral("DEPO_ADI"), QStringLiteral("Depo Adı")},
                  {QStringLiteral("DEPO_YERI"), QStringLiteral("Depo Yeri")}, {QStringLiteral("DEPO_TIP"), QStringLiteral("Tip")}}});
    duzenle = [this] {
        const QString kod = deger(QStringLiteral("DEPO_KODU")).toString();
        if (kod.isEmpty())
            return;
        if (kod.trimmed() == m_ctx.ServisDepoKodu.trimmed()) {
            ShowWarning(ServisDeposuMesaji(m_ctx));
            return;
        }
        KodKartFormu f(QStringLiteral("Depo"), this);
        f.kutu(QStringLiteral("EditDepoKodu"), QStringLiteral("Depo Kodu"), kod)->setReadOnly(true);
        f.kutu(QStringLiteral("EditDepoAdi"), QStringLiteral("Depo Adı"), deger(QStringLiteral("DEPO_ADI")).toString(), 36);
        f.kutu(QStringLiteral("EditDepoYeri"), QStringLiteral("Depo Yeri"), deger(QStringLiteral("DEPO_YERI")).toString(), 10);
        f.kaydet = [&] {
            return DepoGuncelle(m_db, m_ctx, kod, f.metin(QStringLiteral("EditDepoAdi")),
                                f.metin(QStringLiteral("EditDepoYeri")));
        };
        if (f.exec() == QDialog::Accepted)
            yenileVeGit(kod);
    };
    dugme(QStringLiteral("BtnDuzenle"), QStringLiteral("&Düzenle"), [this] { duzenle(); });
    Guard([this] { listeyiAc(); });
}

void TFormDepoBr::hucreYaz(const QString& kod, const QString& ad, const QString& yer)
{
    const QString m = DepoGuncelle(m_db, m_ctx, kod, ad, yer);
    if (!m.isEmpty())
        ShowWarning(m);
    yenileVeGit(kod);
}

QString DepoSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormDepoBr f(ctx, mode, parent);
    const bool secildi = f.exec() == QDialog::Accepted;
    return secildi ? f.secim.toString() : QStringLiteral("1");
}

// ---- packaging ----------------------------------------------------------------

TFormAmbalajBr::TFormAmbalajBr(const SessionContext& ctx, int mode, QWidget* parent)
    : KodListeFormu(ctx, QStringLiteral("AMBALAJ KAYITLARI"), parent)
{
    setObjectName(QStringLiteral("FormAmbalajBr"));
    modAyarla(mode);
    ArananEtiket->setText(QStringLiteral("Ambalaj Kodu"));
    Aranan->setToolTip(QStringLiteral("Yaklaşık Ambalaj kodunu yazıp  Enter tuşuna basınız..."));
    sorguAyarla(QStringLiteral("SELECT AMBALAJ_KOD, AMBALAJ_ADET, AMBALAJ_BOY, AMBALAJ_AGIR, BIRIM_AGIR FROM AMBALAJ"),
                QStringLiteral("AMBALAJ_KOD"), QStringLiteral("AMBALAJ_KOD"),
                {{{QStringLiteral("AMBALAJ_KOD"), QStringLiteral("Ambalaj Kodu")},
                  {QStringLiteral("AMBALAJ_ADET"), QStringLiteral("Ambalaj Adet")},
                  {QStringLiteral("AMBALAJ_BOY"), QStringLiteral("Ambalaj Boyutu")},
                  {QStringLiteral("AMBALAJ_AGIR"), QStringLiteral("Ambalaj Ağırlığı")},
                  {QStringLiteral("BIRIM_AGIR"), QStringLiteral("Birim Ağırlığı")}}});
    dugme(QStringLiteral("BtnYeni"), QStringLiteral("&Yeni"), [this] { BtnYeniClick(); });
    dugme(QStringLiteral("BtnDuzenle"), QStringLiteral("&Düzenle"), [this] { BtnDuzenleClick(); });
    dugme(QStringLiteral("BtnSil"), QStringLiteral("&Sil"), [this] { BtnSilClick(); });
    duzenle = [this] { BtnDuzenleClick(); };
    connect(Aranan, &QLineEdit::returnPressed, this, Guarded([this] { basiylaBul(QStringLiteral("AMBALAJ_KOD"), Aranan->text()); }));
    Guard([this] { listeyiAc(); });
}

void TFormAmbalajBr::BtnYeniClick()
{
    const QString k = EditAmbalaj(m_ctx, {}, true, this);
    if (!k.isEmpty())
        yenileVeGit(k);
}

void TFormAmbalajBr::BtnDuzenleClick()
{
    const QString mevcut = deger(QStringLiteral("AMBALAJ_KOD")).toString();
    if (mevcut.isEmpty())
        return;
    const QString k = EditAmbalaj(m_ctx, mevcut, false, this);
    if (!k.isEmpty())
        yenileVeGit(k);
}

void TFormAmbalajBr::BtnSilClick()
{
    const QString kod = deger(QStringLiteral("AMBALAJ_KOD")).toString();
    if (kod.isEmpty() || !silinsinMi())
        return;
    const QString m = AmbalajSil(m_db, kod);
    if (!m.isEmpty())
        ShowInfo(m);
    listeyiAc();
}

QString AmbalajSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormAmbalajBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secim.toString() : QString();
}

QString EditAmbalaj(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
{
    KodKartFormu f(QStringLiteral("Ambalaj "), parent);
    f.setObjectName(QStringLiteral("FormAmbSakla"));
    const Ambalaj a = yeni ? Ambalaj() : AmbalajOku(ctx.Database1, kod);
    f.kutu(QStringLiteral("EditAmbalajKod"), QStringLiteral("Ambalaj Kodu"), yeni ? QString() : kod, 11);
    f.kutu(QStringLiteral("EditAmbalajAdet"), QStringLiteral("Ambalaj Adet"), para(a.AMBALAJ_ADET));
    f.kutu(QStringLiteral("EditAmbalajBoy"), QStringLiteral("Ambalaj Boyutu"), para(a.AMBALAJ_BOY));
    f.kutu(QStringLiteral("EditAmbalajAgir"), QStringLiteral("Ambalaj Ağırlığı"), para(a.AMBALAJ_AGIR));
    f.kutu(QStringLiteral("EditBirimAgir"), QStringLiteral("Birim Ağırlığı"), para(a.BIRIM_AGIR));
    QString sonuc;
    f.kaydet = [&] {
        Ambalaj y;
        y.AMBALAJ_KOD = f.metin(QStringLiteral("EditAmbalajKod"));
        if (!f.sayi(QStringLiteral("EditAmbalajAdet"), &y.AMBALAJ_ADET) || !f.sayi(QStringLiteral("EditAmbalajBoy"), &y.AMBALAJ_BOY)
            || !f.sayi(QStringLiteral("EditAmbalajAgir"), &y.AMBALAJ_AGIR) || !f.sayi(QStringLiteral("EditBirimAgir"), &y.BIRIM_AGIR))
            return QStringLiteral("");
        const QString m = AmbalajKaydet(ctx.Database1, yeni ? QString() : kod, y);
        if (m.isEmpty())
            sonuc = y.AMBALAJ_KOD.trimmed();
        return m;
    };
    return f.exec() == QDialog::Accepted ? sonuc : QString();
}

// ---- accessories --------------------------------------------------------------

TFormAksesuarBr::TFormAksesuarBr(const SessionContext& ctx, int mode, QWidget* parent)
    : KodListeFormu(ctx, QStringLiteral("ARAÇ AKSESUAR KAYITLARI"), parent)
{
    setObjectName(QStringLiteral("FormAksesuarBr"));
    modAyarla(mode);
    ara({});
    dugme(QStringLiteral("BtnYeni"), QStringLiteral("Yeni Kayıt"), [this] { BtnYeniClick(); });
    dugme(QStringLiteral("BtnDegistir"), QStringLiteral("&Değiştir"), [this] { BtnDegistirClick(); });
    dugme(QStringLiteral("BtnSil"), QStringLiteral("Kayıt Sil"), [this] { BtnSilClick(); });
    duzenle = [this] { BtnDegistirClick(); };
    connect(Aranan, &QLineEdit::returnPressed, this, Guarded([this] { ara(Aranan->text()); }));
}

void TFormAksesuarBr::ara(const QString& metin)
{
    const QString t = metin.trimmed();
    QString sql = QStringLiteral("SELECT SUBSTR(AKSESUAR_KODU, 1, 3) AS KISA_KOD, AKSESUAR_ADI, AKSESUAR_KODU, ALIS_TL, "
                                 "SATIS_TL, KDV FROM AKSESUAR WHERE 1=1");
    ListeAyari ayar{{{QStringLiteral("KISA_KOD"), QStringLiteral("Kısa Kod")},
                     {QStringLiteral("AKSESUAR_ADI"), QStringLiteral("Aksesuar Adı")},
                     {QStringLiteral("AKSESUAR_KODU"), QStringLiteral("Aksesuar Kodu")}},
                    {QStringLiteral("ALIS_TL"), QStringLiteral("SATIS_TL"), QStringLiteral("KDV")}};
    sorguAyarla(sql, QStringLiteral("AKSESUAR_KODU"), QStringLiteral("AKSESUAR_KODU"), ayar);
    if (!t.isEmpty()) {
        const QString p = QLatin1Char('%') + Dialect::escapeLike(t) + QLatin1Char('%');
        Liste->setStatement(m_db,
                            sql + QStringLiteral(" AND (%1 OR %2) ORDER BY AKSESUAR_KODU")
                                      .arg(m_db.dialect().ciLike(QStringLiteral("AKSESUAR_KODU"), QStringLiteral("P")),
                                           m_db.dialect().ciLike(QStringLiteral("AKSESUAR_ADI"), QStringLiteral("P"))),
                            {{QStringLiteral("P"), p}});
        Liste->open();
        KolonlariSigdir(DBGrid1);
        return;
    }
    listeyiAc();
}

void TFormAksesuarBr::BtnYeniClick()
{
    const QString k = EditAksesuar(m_ctx, {}, true, this);
    if (!k.isEmpty())
        yenileVeGit(k);
}

void TFormAksesuarBr::BtnDegistirClick()
{
    const QString mevcut = deger(QStringLiteral("AKSESUAR_KODU")).toString();
    if (mevcut.isEmpty())
        return;
    const QString k = EditAksesuar(m_ctx, mevcut, false, this);
    if (!k.isEmpty())
        yenileVeGit(k);
}

void TFormAksesuarBr::BtnSilClick()
{
    const QString kod = deger(QStringLiteral("AKSESUAR_KODU")).toString();
    if (kod.isEmpty() || !silinsinMi())
        return;
    const QString m = AksesuarSil(m_db, kod);
    if (!m.isEmpty())
        ShowInfo(m);
    listeyiAc();
}

void AksesuarSec(const SessionContext& ctx, int mode, TypeSec& sonuc, QWidget* parent)
{
    sonuc.Durum = 0;
    TFormAksesuarBr f(ctx, mode, parent);
    if (f.exec() != QDialog::Accepted)
        return;
    sonuc.Durum = 1;
    sonuc.KodNo = f.deger(QStringLiteral("AKSESUAR_KODU")).toString();
    sonuc.Ad = f.deger(QStringLiteral("AKSESUAR_ADI")).toString();
    sonuc.FiyatAT = f.deger(QStringLiteral("ALIS_TL")).toDouble();
    sonuc.FiyatST = f.deger(QStringLiteral("SATIS_TL")).toDouble();
    sonuc.KDV = f.deger(QStringLiteral("KDV")).toDouble();
}

QString EditAksesuar(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
{
    KodKartFormu f(QStringLiteral("Aksesuar Kayıt"), parent);
    f.setObjectName(QStringLiteral("FormAksesuarSakla"));
    Aksesuar a;
    if (!yeni) {
        Query q(ctx.Database1, QStringLiteral("SELECT AKSESUAR_ADI, AKS_KISA_KOD, ALIS_TL, SATIS_TL, KDV FROM AKSESUAR "
                                              "WHERE AKSESUAR_KODU = :K"));
        q.bind(QStringLiteral("K"), kod).exec();
        if (q.next()) {
            a.AKSESUAR_ADI = q.value(0).toString();
            a.AKS_KISA_KOD = q.value(1).toString();
            a.ALIS_TL = q.value(2).toDouble();
            a.SATIS_TL = q.value(3).toDouble();
            a.KDV = q.value(4).toDouble();
        }
    }
    f.kutu(QStringLiteral("EditAksesuarKodu"), QStringLiteral("Aksesuar Kodu"), yeni ? QString() : kod, 11);
    f.kutu(QStringLiteral("EditAksesuarAdi"), QStringLiteral("Aksesuar Adı"), a.AKSESUAR_ADI, 80);
    f.kutu(QStringLiteral("EditAlisFiyat"), QStringLiteral("Alış Fiyat"), para(a.ALIS_TL));
    f.kutu(QStringLiteral("EditSatisFiyat"), QStringLiteral("Satış Fiyat"), para(a.SATIS_TL));
    f.kutu(QStringLiteral("EditKdv"), QStringLiteral("KDV"), para(a.KDV));
    f.kutu(QStringLiteral("EditKisaKod"), QStringLiteral("Aksesuar Kısa Kodu"), a.AKS_KISA_KOD, 11);
    QString sonuc;
    f.kaydet = [&] {
        Aksesuar y;
        y.AKSESUAR_KODU = f.metin(QStringLiteral("EditAksesuarKodu"));
        y.AKSESUAR_ADI = f.metin(QStringLiteral("EditAksesuarAdi"));
        y.AKS_KISA_KOD = f.metin(QStringLiteral("EditKisaKod"));
        if (!f.sayi(QStringLiteral("EditAlisFiyat"), &y.ALIS_TL) || !f.sayi(QStringLiteral("EditSatisFiyat"), &y.SATIS_TL)
            || !f.sayi(QStringLiteral("EditKdv"), &y.KDV))
            return QStringLiteral("");
        const QString m = AksesuarKaydet(ctx.Database1, yeni ? QString() : kod, y);
        if (m.isEmpty())
            sonuc = y.AKSESUAR_KODU.trimmed();
        return m;
    };
    return f.exec() == QDialog::Accepted ? sonuc : QString();
}

} // namespace tornaly::stock
