#include "personnel/PersonBr.h"
#include "personnel/Personel.h"
#include "personnel/personSakla.h"
#include "testsupport/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class PersonnelTest : public test::DbTest {
protected:
    void kartYaz(const QString& kod, const QString& ad, const QVariantMap& ek = {})
    {
        TPersonelKart k = YeniPersonelKarti(db);
        k.insert(S("ISCI_KOD"), kod);
        k.insert(S("ISCI_ADI"), ad);
        for (auto it = ek.cbegin(); it != ek.cend(); ++it)
            k.insert(it.key(), it.value());
        ASSERT_EQ(PersonelKaydet(db, k, true, {}), QString());
    }

    QStringList listeKodlari(const TPersonelFiltre& f)
    {
        SqlText sql;
        sql.lines = PersonelListeSatirlari();
        PersonelFiltreUygula(sql, f);
        PersonelAramaUygula(sql, db.dialect(), f);
        Query q(db, sql.text());
        q.bindAll(sql.binds).exec();
        QStringList out;
        while (q.next())
            out << q.str(S("ISCI_KOD"));
        out.sort();
        return out;
    }
};

TEST_F(PersonnelTest, SaveRulesOfTheCard)
{
    const QDateTime ayrilis = QDate(2025, 3, 1).startOfDay();
    kartYaz(S("P1"), S("Ayşe Yılmaz"), {{S("CINSIYET"), S("Bayan")}, {S("ASKERLIK"), 4}, {S("ASTECYIL"), 2020}});
    kartYaz(S("P2"), S("Mehmet Kaya"),
            {{S("CINSIYET"), S("Bay")}, {S("ASKERLIK"), 4}, {S("ASTECYIL"), 2020}, {S("AYRILIS_TRH"), ayrilis}});
    kartYaz(S("P3"), S("Ali Demir"), {{S("CINSIYET"), S("Bay")}, {S("ASKERLIK"), 2}, {S("ASTECYIL"), 2027}});

    const TPersonelKart p1 = PersonelOku(db, S("P1"));
    EXPECT_EQ(p1.value(S("DURUM")).toString(), S("A")) << "a new card is active";
    EXPECT_EQ(p1.value(S("LISTE_SIRA")).toInt(), 999);
    EXPECT_EQ(p1.value(S("MEDENI_DURUM")).toString(), S("B"));
    EXPECT_TRUE(p1.value(S("ASKERLIK")).isNull()) << "military service is kept for men only";
    const TPersonelKart p2 = PersonelOku(db, S("P2"));
    EXPECT_EQ(p2.value(S("DURUM")).toString(), S("P")) << "a leaving date makes the card passive";
    EXPECT_EQ(p2.value(S("AYRILIS_TRH")).toDateTime(), ayrilis);
    EXPECT_TRUE(p2.value(S("ASTECYIL")).isNull()) << "a deferment year only with 'Tecilli'";
    EXPECT_EQ(PersonelOku(db, S("P3")).value(S("ASTECYIL")).toInt(), 2027);

    // Refusals leave the stored card as it was.
    TPersonelKart ayni = YeniPersonelKarti(db);
    ayni.insert(S("ISCI_KOD"), S("P1"));
    ayni.insert(S("ISCI_ADI"), S("Başkası"));
    EXPECT_FALSE(PersonelKaydet(db, ayni, true, {}).isEmpty());
    EXPECT_EQ(PersonelOku(db, S("P1")).value(S("ISCI_ADI")).toString(), S("Ayşe Yılmaz"));
    TPersonelKart kodsuz = YeniPersonelKarti(db);
    kodsuz.insert(S("ISCI_ADI"), S("Kodsuz"));
    EXPECT_EQ(PersonelKaydet(db, kodsuz, true, {}), S("Lütfen personel kodunu giriniz!"));

    // A stored card keeps its code; trainings are replaced as a set.
    TPersonelKart degis = PersonelOku(db, S("P1"));
    degis.insert(S("ISCI_ADI"), S("Ayşe Yılmaz Kara"));
    QList<TPerEgitim> egitim{{1, S("K1"), S("Fren"), {}, {}, 8}, {2, S("K2"), S("Klima"), {}, {}, 16}};
    ASSERT_EQ(PersonelKaydet(db, degis, false, egitim), QString());
    EXPECT_EQ(PersonelEgitimleri(db, S("P1")).size(), 2);
    EXPECT_EQ(SonrakiEgitimSiraNo(PersonelEgitimleri(db, S("P1"))), 3);
    EXPECT_EQ(SonrakiEgitimSiraNo({}), 1);
}

TEST_F(PersonnelTest, CopyTakesOverFieldsButNotCodeLeavingDateOrOrder)
{
    kartYaz(S("U1"), S("Usta Bir"),
            {{S("ADRES1"), S("Atatürk Cad. 5")}, {S("ISCI_UCRET_NET"), 25000.5}, {S("BEDEN_UST"), S("52")},
             {S("LISTE_SIRA"), 3}, {S("AYRILIS_TRH"), QDate(2024, 1, 1).startOfDay()}});
    const TPersonelKart kopya = YeniPersonelKarti(db, S("U1"));
    EXPECT_EQ(kopya.value(S("ADRES1")).toString(), S("Atatürk Cad. 5"));
    EXPECT_DOUBLE_EQ(kopya.value(S("ISCI_UCRET_NET")).toDouble(), 25000.5);
    EXPECT_EQ(kopya.value(S("BEDEN_UST")).toString(), S("52"));
    EXPECT_TRUE(kopya.value(S("ISCI_KOD")).isNull());
    EXPECT_TRUE(kopya.value(S("AYRILIS_TRH")).isNull());
    EXPECT_EQ(kopya.value(S("LISTE_SIRA")).toInt(), 999);
    EXPECT_EQ(kopya.value(S("DURUM")).toString(), S("A"));
}

TEST_F(PersonnelTest, ListFiltersAndSearchesBindWhatWasTyped)
{
    const QDate bugun = QDate::currentDate();
    kartYaz(S("A1"), S("İsmail Işık"), {{S("BOLUMU"), S("M")}});
    kartYaz(S("A2"), S("Zeynep %50"), {{S("BOLUMU"), S("R")}, {S("LISTE_SIRA"), 7}});
    kartYaz(S("A3"), S("Eski Usta"), {{S("BOLUMU"), S("M")}, {S("AYRILIS_TRH"), bugun.addDays(-10).startOfDay()}});
    kartYaz(S("A4"), S("Gidecek Usta"), {{S("BOLUMU"), S("M")}, {S("AYRILIS_TRH"), bugun.addDays(10).startOfDay()}});

    TPersonelFiltre f;
    f.bugun = bugun;
    EXPECT_EQ(listeKodlari(f), (QStringList{S("A1"), S("A2"), S("A4")})) << "the list opens without leavers";
    f.ayrilanlariGizle = false;
    EXPECT_EQ(listeKodlari(f).size(), 4);
    f.durum = 2;
    EXPECT_EQ(listeKodlari(f), (QStringList{S("A3"), S("A4")}));
    f.durum = 1;
    f.bolum = S("M");
    EXPECT_EQ(listeKodlari(f), QStringList{S("A1")});

    TPersonelFiltre a;
    a.bugun = bugun;
    a.arananAd = S("ışık");
    EXPECT_EQ(listeKodlari(a), QStringList{S("A1")}) << "Turkish case folding";
    a.arananAd = S("%");
    EXPECT_EQ(listeKodlari(a), QStringList{S("A2")}) << "a typed % is a character";
    a.arananAd = S("' OR 1=1 --");
    EXPECT_TRUE(listeKodlari(a).isEmpty());
    a.arananAd.clear();
    a.siraMetni = S("7");
    EXPECT_EQ(listeKodlari(a), QStringList{S("A2")});
    a.siraMetni = S("yedi");
    EXPECT_EQ(listeKodlari(a).size(), 3) << "a text that is no number is ignored";
}

TEST_F(PersonnelTest, PhotoIsScaledAndRefusedAbove50Kb)
{
    QTemporaryDir dir;
    QImage kucuk(800, 600, QImage::Format_RGB32);
    kucuk.fill(Qt::darkCyan);
    const QString kucukDosya = dir.filePath(S("kucuk.jpg"));
    ASSERT_TRUE(kucuk.save(kucukDosya, "JPEG"));
    QString hata;
    const QByteArray jpeg = PersonelFotoHazirla(kucukDosya, &hata);
    ASSERT_FALSE(jpeg.isEmpty()) << hata.toStdString();
    const QImage olcekli = QImage::fromData(jpeg);
    EXPECT_EQ(olcekli.width(), 320);
    EXPECT_EQ(olcekli.height(), 240);

    // Noise does not compress: still above 51,200 bytes at 320 by 320.
    QImage gurultu(320, 320, QImage::Format_RGB32);
    auto* rng = QRandomGenerator::global();
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 320; ++x)
            gurultu.setPixel(x, y, rng->generate());
    const QString buyukDosya = dir.filePath(S("buyuk.jpg"));
    ASSERT_TRUE(gurultu.save(buyukDosya, "JPEG", 100));
    EXPECT_TRUE(PersonelFotoHazirla(buyukDosya, &hata).isEmpty());
    EXPECT_EQ(hata, S("50 KB tan büyük dosya yükleyemezsiniz!"));

    kartYaz(S("F1"), S("Foto Sahibi"));
    TPersonelKart k = PersonelOku(db, S("F1"));
    ASSERT_EQ(PersonelKaydet(db, k, false, {}, jpeg), QString());
    EXPECT_EQ(PersonelFotoOku(db, S("F1")), jpeg);
    ASSERT_EQ(PersonelKaydet(db, k, false, {}, QByteArray()), QString());
    EXPECT_TRUE(PersonelFotoOku(db, S("F1")).isEmpty());
}

TEST_F(PersonnelTest, DeleteTakesTheLinesAndRefusesAPersonOfALogin)
{
    kartYaz(S("D1"), S("Silinecek"));
    kartYaz(S("D2"), S("Kullanıcının Personeli"));
    ASSERT_EQ(PersonelKaydet(db, PersonelOku(db, S("D1")), false, {{1, S("K"), S("Kurs"), {}, {}, 1}}, QByteArray("x")),
              QString());
    db.exec(S("INSERT INTO RIGHTS (LOGIN_NAME, PERSONEL_KOD) VALUES ('AHMET', 'D2')"));
    EXPECT_EQ(PersonelSil(db, S("D1")), QString());
    EXPECT_TRUE(PersonelOku(db, S("D1")).isEmpty());
    EXPECT_TRUE(PersonelEgitimleri(db, S("D1")).isEmpty());
    EXPECT_TRUE(PersonelFotoOku(db, S("D1")).isEmpty());
    EXPECT_TRUE(PersonelSil(db, S("D2")).contains(S("AHMET")));
    EXPECT_FALSE(PersonelOku(db, S("D2")).isEmpty());
}

TEST_F(PersonnelTest, CardFormSavesAndRefusesClosingWhileEditing)
{
    ctx.AktifKullanici.personel = S("Y");
    TFormpersonSakla f(ctx, QString(), 1);
    f.show();
    EXPECT_FALSE(static_cast<QLineEdit*>(f.alan(S("ISCI_KOD")))->isReadOnly());
    f.close();
    EXPECT_EQ(messages.lastText(), S("Değişikliği Saklayın yada İptal Ediniz"));
    EXPECT_TRUE(f.isVisible());

    QTest::keyClicks(static_cast<QLineEdit*>(f.alan(S("ISCI_KOD"))), S("T9"));
    QTest::keyClicks(static_cast<QLineEdit*>(f.alan(S("ISCI_ADI"))), S("Test Teknisyen"));
    f.setAlan(S("CINSIYET"), S("Bayan"));
    EXPECT_FALSE(f.alan(S("ASKERLIK"))->isEnabled());
    f.setAlan(S("CINSIYET"), S("Bay"));
    EXPECT_TRUE(f.alan(S("ASKERLIK"))->isEnabled());
    EXPECT_FALSE(f.alan(S("ASTECYIL"))->isEnabled());
    f.setAlan(S("ASKERLIK"), 2);
    EXPECT_TRUE(f.alan(S("ASTECYIL"))->isEnabled());
    QTest::keyClicks(static_cast<QLineEdit*>(f.alan(S("AYRILIS_TRH"))), S("01.02.2025"));
    EXPECT_EQ(f.alanDegeri(S("DURUM")).toString(), S("P"));
    QTest::mouseClick(f.BtnEgitimEkle, Qt::LeftButton);
    f.BtnSakla->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.kod(), S("T9"));
    const TPersonelKart k = PersonelOku(db, S("T9"));
    EXPECT_EQ(k.value(S("ISCI_ADI")).toString(), S("Test Teknisyen"));
    EXPECT_EQ(k.value(S("DURUM")).toString(), S("P"));
    EXPECT_EQ(k.value(S("AYRILIS_TRH")).toDateTime(), QDate(2025, 2, 1).startOfDay());
    EXPECT_EQ(PersonelEgitimleri(db, S("T9")).size(), 1);

    TFormpersonSakla duzenle(ctx, S("T9"), 0);
    EXPECT_TRUE(static_cast<QLineEdit*>(duzenle.alan(S("ISCI_KOD")))->isReadOnly()) << "a stored code stays";
    EXPECT_FALSE(duzenle.duzenleniyor());
}

TEST_F(PersonnelTest, CurriculumVitaeLinesAreWrittenWithTheCard)
{
    kartYaz(S("C1"), S("Özgeçmişli"));
    TPerCV okul;
    okul.BOLUM = 10;
    okul.TARIH1 = QDate(2010, 9, 1);
    okul.BILGI_TXT1 = S("Meslek Lisesi");
    TPerCV dil;
    dil.BOLUM = 20;
    dil.BILGI_TXT1 = S("Almanca");
    dil.BILGI_INT1 = 2;
    TOzgecmisKaydi o{{okul, dil}, {}, OzgecmisKullanicisi(S("BAYI01"), S("uzun.bir.kullanici.adi"))};
    EXPECT_EQ(o.kullanici, S("BAYI01;uzun.bir.kullan"));
    ASSERT_EQ(PersonelKaydet(db, PersonelOku(db, S("C1")), false, {}, std::nullopt, o), QString());
    QList<TPerCV> cv = PersonelOzgecmisi(db, S("C1"));
    ASSERT_EQ(cv.size(), 2);
    EXPECT_NE(cv.at(0).ROW_ID, cv.at(1).ROW_ID) << "line numbers come from the database";
    EXPECT_EQ(cv.at(0).TARIH1, QDate(2010, 9, 1));
    EXPECT_EQ(cv.at(1).BILGI_INT1, 2);

    cv[1].BILGI_INT1 = 3;
    cv[1].degisti = true;
    TOzgecmisKaydi degisim{{cv.at(1)}, {cv.at(0).ROW_ID}, o.kullanici};
    ASSERT_EQ(PersonelKaydet(db, PersonelOku(db, S("C1")), false, {}, std::nullopt, degisim), QString());
    const QList<TPerCV> son = PersonelOzgecmisi(db, S("C1"));
    ASSERT_EQ(son.size(), 1);
    EXPECT_EQ(son.at(0).BILGI_INT1, 3);
    Query q(db, S("SELECT UPD_USER, UPD_DATE FROM PERCV"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(S("UPD_USER")), o.kullanici);
    EXPECT_TRUE(q.dateTime(S("UPD_DATE")).isValid());

    // Through the card: the page is there for a stored card only.
    ctx.AktifKullanici.login = S("ahmet");
    ctx.UretBKod = S("B1");
    EXPECT_TRUE(TFormpersonSakla(ctx, QString(), 1).GridOzgecmis.isEmpty());
    TFormpersonSakla f(ctx, S("C1"), 0);
    ASSERT_EQ(f.GridOzgecmis.size(), 4);
    EXPECT_EQ(f.GridOzgecmis.value(20)->rowCount(), 1);
    EXPECT_FALSE(f.duzenleniyor());
    f.findChild<QPushButton*>(S("BtnOzgecmisEkle40"))->click();
    EXPECT_TRUE(f.duzenleniyor()) << "a curriculum vitae change puts the card in edit";
    f.GridOzgecmis.value(40)->item(0, 0)->setText(S("Usta Bey"));
    f.BtnSakla->click();
    const QList<TPerCV> kart = PersonelOzgecmisi(db, S("C1"));
    ASSERT_EQ(kart.size(), 2);
    EXPECT_EQ(kart.at(0).BILGI_INT1, 3) << "an unchanged line is kept as it was";
    EXPECT_EQ(kart.at(1).BOLUM, 40);
    EXPECT_EQ(kart.at(1).BILGI_TXT1, S("Usta Bey"));
}

TEST_F(PersonnelTest, ListRightsAndPickerResult)
{
    kartYaz(S("L1"), S("Liste Bir"), {{S("BOLUMU"), S("N")}});
    {
        ctx.AktifKullanici.personel = S("O");
        TFormPersonBr f(ctx, 0);
        f.openTable();
        EXPECT_EQ(f.TableBr->rowCount(), 1);
        EXPECT_FALSE(f.btnNew->isEnabled());
        EXPECT_FALSE(f.btnEdit->isEnabled());
        EXPECT_FALSE(f.btnDelete->isEnabled());
        EXPECT_FALSE(f.btnCopy->isEnabled());
    }
    {
        ctx.AktifKullanici.personel = S("H");
        TDonPara r;
        r.KodStr = S("dokunulmadı");
        PersonelSec(ctx, 1, r);
        EXPECT_EQ(r.KodStr, S("dokunulmadı")) << "with 'H' the picker returns at once";
    }
    ctx.AktifKullanici.personel = S("Y");
    TDonPara r;
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<TFormPersonBr*>(w); f && f->isVisible())
                f->btnSelect->click();
    });
    PersonelSec(ctx, 1, r);
    EXPECT_EQ(r.KodStr, S("L1"));
    EXPECT_EQ(r.IlkStr, S("Liste Bir"));
    EXPECT_EQ(r.SonStr, S("N"));
}

} // namespace
