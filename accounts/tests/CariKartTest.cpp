#include "accounts/AccountsSchema.h"
#include "accounts/cards/CariArama.h"
#include "accounts/cards/CariKart.h"
#include "testsupport/TestSupport.h"

#include <QLineEdit>
#include <QTest>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

TEST(CariMaske, OriginalMasksSwapRequiredAndOptionalDigitsForQt)
{
    EXPECT_EQ(QtMaskesi(TelefonMaskesi()), QStringLiteral("\\(000\\)999 9999-000;_"));
    EXPECT_EQ(QtMaskesi(FirmaVergiNoMaskesi()), QStringLiteral("9999999990;_"));
    EXPECT_EQ(QtMaskesi(KimlikNoMaskesi()), QStringLiteral("99999999999;_"));
    EXPECT_TRUE(MaskeLiteralSaklar(TelefonMaskesi()));
    EXPECT_FALSE(MaskeLiteralSaklar(SahisVergiNoMaskesi()));

    struct C {
        const char* deger;
        bool tam;
    } const telefon[] = {{"(212)555 1234", true},       {"(212)555 1234-12", true}, {"(   )555 1234", true},
                         {"(212)555 12", false},         {"", false},                {"(212)55  1234", false}};
    for (const auto& c : telefon)
        EXPECT_EQ(MaskeTamam(TelefonMaskesi(), QString::fromLatin1(c.deger)), c.tam) << c.deger;
    EXPECT_TRUE(MaskeTamam(FirmaVergiNoMaskesi(), QStringLiteral("123456789")));
    EXPECT_FALSE(MaskeTamam(FirmaVergiNoMaskesi(), QStringLiteral("12345678")));
}

// What a user typing into the card's edits gets: the tax number of a company
// takes 9 required digits and a tenth optional one, the phone keeps its
// brackets and an optional extension.
TEST(CariMaske, TypingIntoQtEditsGivesTheStoredValue)
{
    QLineEdit tel;
    tel.setInputMask(QtMaskesi(TelefonMaskesi()));
    QTest::keyClicks(&tel, QStringLiteral("2125551234"));
    EXPECT_TRUE(tel.hasAcceptableInput());
    EXPECT_EQ(MaskeliDeger(TelefonMaskesi(), tel.displayText()), QStringLiteral("(212)555 1234"));

    QLineEdit kisa;
    kisa.setInputMask(QtMaskesi(GsmMaskesi()));
    QTest::keyClicks(&kisa, QStringLiteral("53212"));
    EXPECT_FALSE(kisa.hasAcceptableInput());
    EXPECT_FALSE(MaskeTamam(GsmMaskesi(), MaskeliDeger(GsmMaskesi(), kisa.displayText())));

    QLineEdit vn;
    vn.setInputMask(QtMaskesi(FirmaVergiNoMaskesi()));
    QTest::keyClicks(&vn, QStringLiteral("12345678901234"));
    EXPECT_EQ(MaskeliDeger(FirmaVergiNoMaskesi(), vn.displayText()), QStringLiteral("1234567890"));
    QTest::keyClicks(&vn, QStringLiteral("abc"));
    EXPECT_EQ(MaskeliDeger(FirmaVergiNoMaskesi(), vn.displayText()), QStringLiteral("1234567890"));
}

class CariKartTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }

    CariKartKaydi gecerli(const QString& kod = QStringLiteral("120.001"))
    {
        CariKartKaydi k = YeniCariKart(ctx);
        k.cari[QStringLiteral("CARI_KOD")] = kod;
        k.cari[QStringLiteral("FIRMA_ADI")] = QStringLiteral("Ayşe Yılmaz");
        k.cari[QStringLiteral("ILI")] = QStringLiteral("İSTANBUL");
        k.cari[QStringLiteral("TEL1")] = QStringLiteral("(212)555 1234");
        k.cari[QStringLiteral("CINSIYET")] = QStringLiteral("K");
        return k;
    }

    int say(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
};

TEST_F(CariKartTest, SaveChecksInTheCardsOrder)
{
    using Ayar = std::function<void(CariKartKaydi&)>;
    auto set = [](const char* alan, const char* deger) {
        return Ayar([=](CariKartKaydi& k) { k.cari[QLatin1String(alan)] = QString::fromUtf8(deger); });
    };
    struct C {
        const char* ad;
        std::vector<Ayar> ayarlar;
        bool eksikAlan;
        const char* mesaj; // empty: accepted
        const char* alan;
    };
    const std::vector<C> cases = {
        {"valid person", {}, false, "", ""},
        {"no province", {set("ILI", "")}, false, "İli Alanı Boş Geçilemez.", "ILI"},
        {"foreign account needs no province", {set("ILI", ""), set("ULKE", "ALMANYA")}, false, "", ""},
        {"only GSM 1 complete", {set("TEL1", ""), set("TEL3", "(532)111 2233")}, false, "", ""},
        {"both phones partly filled", {set("TEL1", "(212)555 12"), set("TEL3", "(532)111 22")}, false,
         "Lütfen Telefon 1 veya GSM 1 Alanlarından Birini Giriniz.", "TEL1"},
        {"phone 1 area code 5", {set("TEL1", "(532)555 1234"), set("TEL3", "(532)111 2233")}, false,
         "Lütfen Telefon 1 Alanını Düzgün Giriniz.", "TEL1"},
        {"phone 2 area code 8", {set("TEL2", "(850)555 1234")}, false, "Lütfen Telefon 2 Alanını Düzgün Giriniz.",
         "TEL2"},
        {"person without identity, strict", {}, true, "TC Kimlik No Alanı boş geçilemez.", "KIMLIKNO"},
        {"person without identity, lax", {set("ADRES_1", "Kısa")}, false, "", ""},
        {"tax number without office",
         {set("KIMLIKNO", "12345678901"), set("VN", "1234567890"), set("ADRES_1", "Bağdat Cad. No 5")},
         true, "Vergi Dairesi Alanı boş geçilemez.", "VD"},
        {"company with 9 digits",
         {set("CINSIYET", "F"), set("VN", "123456789"), set("VD", "Kadıköy"), set("ADRES_1", "Bağdat Cad. No 5")},
         true, "Vergi No Alanı 10 haneli olmalı.", "VN"},
        {"short address",
         {set("KIMLIKNO", "12345678901"), set("ADRES_1", "Cad. 5")}, true,
         "Adres Satır 1 alanı en az 10 karakter olmalıdır.", "ADRES_1"},
        {"no code", {set("CARI_KOD", "")}, false, "Cari Kodu Bilgisini Vermeden Kayıt Saklanamaz.", "CARI_KOD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ad);
        CariKartKaydi k = gecerli();
        for (const auto& a : c.ayarlar)
            a(k);
        const auto u = CariKartKontrol(k, c.eksikAlan);
        if (!*c.mesaj) {
            EXPECT_FALSE(u.has_value()) << (u ? u->mesaj.toStdString() : std::string());
            continue;
        }
        ASSERT_TRUE(u.has_value());
        EXPECT_EQ(u->mesaj, QString::fromUtf8(c.mesaj));
        EXPECT_EQ(u->alan, QLatin1String(c.alan));
    }

    CariKartKaydi firma = gecerli();
    firma.cari[QStringLiteral("CINSIYET")] = QStringLiteral("F");
    firma.cari[QStringLiteral("VN")] = QStringLiteral("123456789012");
    EXPECT_FALSE(CariKartKontrol(firma, false).has_value());
    EXPECT_EQ(firma.str("VN"), QStringLiteral("1234567890"));
}

TEST_F(CariKartTest, SaveWritesCardAndCompanionsTogetherAndRefusesADuplicateCode)
{
    CariKartKaydi k = gecerli();
    k.personel << QVariantMap{{QStringLiteral("CP_PER_AD"), QStringLiteral("Mehmet Öz")},
                              {QStringLiteral("CP_GOREV"), QStringLiteral("Muhasebe")}};
    k.bankalar << QVariantMap{{QStringLiteral("CB_BANKA"), QStringLiteral("Ziraat")}}
               << QVariantMap{{QStringLiteral("CB_BANKA"), QStringLiteral("Garanti")}};
    k.postaKutulari << QVariantMap{{QStringLiteral("EF_POSTAKUTUSU"), QStringLiteral("urn:mail:pk@x")},
                                   {QStringLiteral("PK_DEFAULT"), 1}};
    EXPECT_EQ(CariKartKaydet(db, k, true), QStringLiteral("120.001"));

    const auto okunan = CariKartOku(db, QStringLiteral("120.001"));
    ASSERT_TRUE(okunan);
    EXPECT_EQ(okunan->str("FIRMA_ADI"), QStringLiteral("Ayşe Yılmaz"));
    EXPECT_EQ(okunan->cari.value(QStringLiteral("AKTARILDI")).toInt(), 0);
    ASSERT_EQ(okunan->bankalar.size(), 2);
    EXPECT_EQ(okunan->bankalar.at(1).value(QStringLiteral("CB_NO")).toInt(), 2);
    EXPECT_EQ(okunan->personel.size(), 1);
    EXPECT_EQ(okunan->postaKutulari.size(), 1);

    // A copy keeps the source's code until the user changes it: saving it as
    // it is must not overwrite the source.
    CariKartKaydi kopya = CariKartKopyala(ctx, db, QStringLiteral("120.001"));
    EXPECT_EQ(kopya.kod(), QStringLiteral("120.001"));
    EXPECT_TRUE(kopya.personel.isEmpty());
    EXPECT_TRUE(kopya.bankalar.isEmpty());
    EXPECT_EQ(kopya.str("TEL1"), QStringLiteral("(212)555 1234"));
    EXPECT_FALSE(kopya.cari.contains(QStringLiteral("EF_UNVAN")));
    kopya.cari[QStringLiteral("FIRMA_ADI")] = QStringLiteral("Başka");
    try {
        CariKartKaydet(db, kopya, true);
        FAIL() << "duplicate code saved";
    } catch (const CariKartHatasi& e) {
        EXPECT_EQ(e.text(), CariKoduKullanilmisText());
    }
    EXPECT_EQ(CariKartOku(db, QStringLiteral("120.001"))->str("FIRMA_ADI"), QStringLiteral("Ayşe Yılmaz"));

    // A companion row the database refuses leaves the card unsaved.
    CariKartKaydi bozuk = gecerli(QStringLiteral("120.002"));
    bozuk.personel << QVariantMap{{QStringLiteral("CP_PER_AD"), QStringLiteral("Aynı")}}
                   << QVariantMap{{QStringLiteral("CP_PER_AD"), QStringLiteral("Aynı")}};
    EXPECT_THROW(CariKartKaydet(db, bozuk, true), DbError);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARI WHERE CARI_KOD='120.002'")), 0);
}

TEST_F(CariKartTest, DeleteIsRefusedWhileAnyMovementNamesTheAccount)
{
    CariKartKaydi k = gecerli(QStringLiteral("A1"));
    k.bankalar << QVariantMap{{QStringLiteral("CB_BANKA"), QStringLiteral("Ziraat")}};
    CariKartKaydet(db, k, true);
    CariKartKaydet(db, gecerli(QStringLiteral("A2")), true);
    db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, BORC) VALUES (1, 1, 'A2', 5)"));

    EXPECT_EQ(CariSilKontrol(db, QStringLiteral("A2")), CariHareketVarText());
    EXPECT_THROW(CariSil(db, QStringLiteral("A2")), CariKartHatasi);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARI WHERE CARI_KOD='A2'")), 1);

    CariSil(db, QStringLiteral("A1"));
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARI WHERE CARI_KOD='A1'")), 0);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM CARIBANKA WHERE CARI_KOD='A1'")), 0);
}

TEST_F(CariKartTest, LastCodeOfAPrefixTakesTheTypedTextLiterally)
{
    for (int i = 1; i <= 57; ++i)
        db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD) VALUES (:K)"),
                {{QStringLiteral("K"), QStringLiteral("120%1").arg(i, 2, 10, QLatin1Char('0'))}});
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD) VALUES ('1A99')"));
    db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD) VALUES ('X''Y')"));
    EXPECT_EQ(SonCariKodu(db, QStringLiteral("120")), QStringLiteral("12057"));
    EXPECT_EQ(SonCariKodu(db, QStringLiteral("1_")), std::nullopt);
    EXPECT_EQ(SonCariKodu(db, QStringLiteral("%")), std::nullopt);
    EXPECT_EQ(SonCariKodu(db, QStringLiteral("X'")), QStringLiteral("X'Y"));
    EXPECT_EQ(SonCariKodu(db, QStringLiteral("9")), std::nullopt);
}

TEST_F(CariKartTest, NumbersAndDealerCodesUsedByAnotherAccountAreNamed)
{
    CariKartKaydi a = gecerli(QStringLiteral("A1"));
    a.cari[QStringLiteral("KIMLIKNO")] = QStringLiteral("12345678901");
    a.cari[QStringLiteral("MERKEZ_BAYI")] = QStringLiteral("B01");
    CariKartKaydet(db, a, true);
    EXPECT_EQ(NumarayiKullananCari(db, QStringLiteral("12345678901"), QStringLiteral("A2")), QStringLiteral("A1"));
    EXPECT_EQ(NumarayiKullananCari(db, QStringLiteral("12345678901"), QStringLiteral("A1")), std::nullopt);
    EXPECT_EQ(KimlikNoKullanilmisText(QStringLiteral("A1")),
              QStringLiteral("Bu kimlik numarası A1 kodlu cari kayıtta kullanılmış.."));
    EXPECT_EQ(MerkezBayiKullanan(db, QStringLiteral("B01"), QStringLiteral("A2")), QStringLiteral("Ayşe Yılmaz"));
    EXPECT_EQ(MerkezBayiSoruText(QStringLiteral("X")),
              QStringLiteral("Bu Kod [\"X\"] adlı Caride zaten kullanılmaktadır. Yine de atamak istiyor musunuz?"));

    // ANKARA comes with the company, its area code 0312.
    const QString onek = AlanKoduOneki(db, QStringLiteral("ANKARA"));
    EXPECT_EQ(onek, QStringLiteral("(312)"));
    EXPECT_EQ(TelefonaAlanKodu(onek, QStringLiteral("(212)555 1234-12")), QStringLiteral("(312)555 1234-12"));
    EXPECT_EQ(AlanKoduOneki(db, QStringLiteral("YOK")), QString());
}

TEST_F(CariKartTest, SearchesFoldTurkishLettersAndBindTheTypedText)
{
    const QStringList adlar = {QStringLiteral("İSTANBUL OTO"), QStringLiteral("istasyon ltd"),
                               QStringLiteral("ISTAKOZ"),      QStringLiteral("ılgaz"),
                               QStringLiteral("50% İNDİRİM"),  QStringLiteral("500 OTO"),
                               QStringLiteral("O'Neil")};
    int i = 0;
    for (const QString& ad : adlar)
        db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, YETKILI_ADI) VALUES (:K, :A, :A)"),
                {{QStringLiteral("K"), QStringLiteral("K%1").arg(++i)}, {QStringLiteral("A"), ad}});
    auto ara = [&](CariAramaAlani alan, const QString& text, bool icerir = false) {
        const CariAramaKosulu k = CariAramaKosuluOlustur(db, alan, text, icerir);
        Query q(db, QStringLiteral("SELECT FIRMA_ADI FROM CARI WHERE ") + k.kosul + QStringLiteral(" ORDER BY ") +
                        k.siralama);
        q.bindAll(k.binds).exec();
        QStringList out;
        while (q.next())
            out << q.str(QStringLiteral("FIRMA_ADI"));
        out.sort();
        return out;
    };
    QStringList ist{QStringLiteral("istasyon ltd"), QStringLiteral("İSTANBUL OTO")};
    ist.sort();
    EXPECT_EQ(ara(CariAramaAlani::Ad, QStringLiteral("ist")), ist);
    EXPECT_EQ(ara(CariAramaAlani::Ad, QStringLiteral("IST")), QStringList{QStringLiteral("ISTAKOZ")});
    EXPECT_EQ(ara(CariAramaAlani::Ad, QStringLiteral("ıl")), QStringList{QStringLiteral("ılgaz")});
    EXPECT_EQ(ara(CariAramaAlani::Ad, QStringLiteral("50%")), QStringList{QStringLiteral("50% İNDİRİM")});
    EXPECT_EQ(ara(CariAramaAlani::YetkiliAdi, QStringLiteral("50%")), QStringList{QStringLiteral("50% İNDİRİM")});
    EXPECT_EQ(ara(CariAramaAlani::Ad, QStringLiteral("o'")), QStringList{QStringLiteral("O'Neil")});
    EXPECT_EQ(ara(CariAramaAlani::Ad, QStringLiteral("oto"), true).size(), 2);
    EXPECT_EQ(ara(CariAramaAlani::Kod, QStringLiteral("k1")), QStringList{QStringLiteral("İSTANBUL OTO")});
}

} // namespace
