#include "PdiFixture.h"
#include "workshop/pdi/PdiFormu.h"
#include "guard/FormGuard.h"
#include "sql/SqlHelpers.h"

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

QStringList metinler(const QList<BelgeSoru>& l)
{
    QStringList out;
    for (const BelgeSoru& s : l)
        out << (s.baslik ? S("# ") : QString()) + s.BS_SORU_TEXT;
    return out;
}

class BelgeFormTest : public PdiTest {
protected:
    void SetUp() override
    {
        PdiTest::SetUp();
        addSoru(1, 1, S("DIŞ"), 1);
        boya = addSoru(1, 2, S("Boya"));
        lastik = addSoru(1, 3, S("Lastik"));
        addSoru(1, 4, S("Eski soru"), 0, 0);
        addSoru(1, 5, S("Eski başlık"), 1, 0);
        addSoru(2, 1, S("Başka tip"));
    }
    BelgeFormu cevapli(int tip = 1)
    {
        BelgeFormu b = BelgeFormYeni(db, ctx, tip);
        b.row[S("BEL_SASE_NO")] = kSase;
        for (BelgeSoru& s : b.sorular)
            if (!s.baslik)
                s.BS_DEGER = 1;
        return b;
    }
    int boya = 0, lastik = 0;
};
} // namespace

TEST_F(BelgeFormTest, TheQuestionListFollowsTheAnsweredStateAndActiveFlag)
{
    BelgeFormu b = cevapli();
    // Not answered yet: the active questions of the type, headings included.
    EXPECT_EQ(metinler(b.sorular), (QStringList{S("# DIŞ"), S("Boya"), S("Lastik")}));
    BelgeFormKaydet(db, ctx, b);
    const int id = b.row.value(S("BEL_ID")).toInt();
    // Later: "Boya" switched off, a new question added, the old heading back.
    db.exec(S("UPDATE BELGEFORMSORU SET BS_AKTIF = 0 WHERE BS_ID = :ID"), {{S("ID"), boya}});
    addSoru(1, 6, S("Yeni soru"));
    EXPECT_EQ(metinler(BelgeSorulari(db, id, 1)),
              (QStringList{S("# DIŞ"), S("Boya"), S("Lastik"), S("# Eski başlık")}));
    // A new document gets the questions active now.
    EXPECT_EQ(metinler(BelgeFormYeni(db, ctx, 1).sorular), (QStringList{S("# DIŞ"), S("Lastik"), S("Yeni soru")}));
    EXPECT_EQ(metinler(BelgeFormYeni(db, ctx, 2).sorular), (QStringList{S("Başka tip")}));
}

TEST_F(BelgeFormTest, UnansweredCheckPointsBlockTheSave)
{
    BelgeFormu b = cevapli();
    b.sorular[2].BS_DEGER = QVariant();
    EXPECT_FALSE(Guard([&] { BelgeFormKaydet(db, ctx, b); }));
    EXPECT_EQ(messages.lastText(), S("Lütfen kontrol noktalarını doldurunuz"));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM BELGEFORM")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM BELGEFORMCEVAP")), 0);
    // A failed point with its note is an answer.
    b.sorular[2].BS_DEGER = 0;
    b.sorular[2].BS_BILGI = S("Sol arka lastik düşük");
    BelgeFormKaydet(db, ctx, b);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM BELGEFORMCEVAP")), 2); // headings take no answer row
    EXPECT_EQ(scalar(S("SELECT BS_BILGI FROM BELGEFORMCEVAP WHERE BS_ID = :ID"), {{S("ID"), lastik}}).toString(),
              S("Sol arka lastik düşük"));
}

TEST_F(BelgeFormTest, RunningNumbersFollowEachOtherAcrossTypesAndStampsComeFromTheServer)
{
    const QDateTime sunucu(QDate(2026, 3, 2), QTime(9, 30));
    FixedServerClock saat(sunucu);
    ctx.AktifKullanici.name = S("AHMET");
    BelgeFormu a = cevapli(1);
    BelgeFormu b = cevapli(2);
    BelgeFormKaydet(db, ctx, b);
    BelgeFormKaydet(db, ctx, a);
    EXPECT_EQ(a.row.value(S("BEL_SIRA_NO")).toInt(), b.row.value(S("BEL_SIRA_NO")).toInt() + 1);
    EXPECT_NE(a.row.value(S("BEL_ID")), b.row.value(S("BEL_ID")));
    EXPECT_EQ(a.row.value(S("INS_USER")).toString(), S("B1234/AHMET"));
    EXPECT_EQ(Query::toDateTime(a.row.value(S("INS_DATE"))), sunucu);
    EXPECT_TRUE(a.row.value(S("UPD_DATE")).isNull());
    // Saved again: the number stays, the change is stamped by the company server.
    a.sorular[1].BS_DEGER = 0;
    const int sira = a.row.value(S("BEL_SIRA_NO")).toInt();
    BelgeFormKaydet(db, ctx, a);
    EXPECT_EQ(a.row.value(S("BEL_SIRA_NO")).toInt(), sira);
    EXPECT_EQ(Query::toDateTime(a.row.value(S("UPD_DATE"))), sunucu);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM BELGEFORMCEVAP WHERE BEL_ID = :ID AND BS_DEGER = 0"),
                    {{S("ID"), a.row.value(S("BEL_ID"))}}),
              1);
    // The key refuses a running number twice.
    EXPECT_THROW(db.exec(S("UPDATE BELGEFORM SET BEL_SIRA_NO = :S WHERE BEL_ID = :ID"),
                         {{S("S"), sira}, {S("ID"), b.row.value(S("BEL_ID"))}}),
                 DbError);
}

TEST_F(BelgeFormTest, FindingADocumentLooksAtTheCallersTypeOnly)
{
    addWorkOrder(S("S000050"), kSase, 100);
    BelgeFormu ikinci = cevapli(2);
    BelgeFormKaydet(db, ctx, ikinci);
    struct Case {
        const char* ad;
        int tip;
        QString ie, sase;
        bool bulunur;
    };
    const QList<Case> cases{
        {"chassis of a type-2 document, type 1 asked", 1, QString(), kSase, false},
        {"chassis of a type-2 document, type 2 asked", 2, QString(), kSase, true},
        {"nothing given", 2, QString(), QString(), false},
        {"another chassis", 2, QString(), S("XXX"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BelgeFormBul(db, c.tip, c.ie, c.sase) > 0, c.bulunur) << c.ad;
    BelgeFormu ie = cevapli(1);
    BelgeIsemriDoldur(db, ie.row, S("S000050"));
    BelgeFormKaydet(db, ctx, ie);
    EXPECT_EQ(BelgeFormBul(db, 1, S("S000050"), QString()), ie.row.value(S("BEL_ID")).toInt());
}

TEST_F(BelgeFormTest, TheWorkOrderAndTheVehicleFillTheDocument)
{
    addCustomer(S("M002"), S("ORHAN"));
    db.exec(S("UPDATE CARI SET FIRMA_ADI2 = 'KAYA', TEL1 = '0212', TEL3 = '0532', VD = 'KADIKÖY', VN = '123', "
              "YETKILI_ADI = 'Ali', YETKILI_SOYAD = 'Veli' WHERE CARI_KOD = 'M002'"));
    addWorkOrder(S("S000051"), kSase, 1500);
    db.exec(S("UPDATE ISEMRI SET CARI_KOD = 'M002', ARAC_MODEL = 'YOK', ARAC_TIP = 'VRN1600' WHERE IS_EMRI_NO = 'S000051'"));
    BelgeFormu b = BelgeFormYeni(db, ctx, 1);
    BelgeIsemriDoldur(db, b.row, S("S000051"));
    EXPECT_EQ(b.row.value(S("BEL_CARI_AD")).toString(), S("ORHAN KAYA"));
    EXPECT_EQ(b.row.value(S("BEL_CARI_IRT")).toString(), S("Ali Veli"));
    EXPECT_EQ(b.row.value(S("BEL_CARI_TEL2")).toString(), S("0532"));
    EXPECT_EQ(b.row.value(S("BEL_KM")).toDouble(), 1500);
    // A model year that is no number leaves year and age empty, without a message.
    EXPECT_FALSE(b.row.contains(S("BEL_MODEL_YIL")));
    EXPECT_TRUE(messages.texts().isEmpty());

    EXPECT_FALSE(Guard([&] { BelgeIsemriDoldur(db, b.row, S("S999999")); }));
    EXPECT_EQ(messages.lastText(), S("İş Emri Bulunamadı!"));
    EXPECT_EQ(b.row.value(S("BEL_ISEMRI")).toString(), S("S000051"));
    EXPECT_FALSE(Guard([&] { BelgeAracDoldur(db, b.row, S("YOKYOKYOK")); }));
    EXPECT_EQ(messages.lastText(), S("Araç Bulunamadı!"));

    BelgeAracDoldur(db, b.row, kSase);
    EXPECT_EQ(b.row.value(S("BEL_MODEL_YIL")).toInt(), 2024);
    EXPECT_EQ(b.row.value(S("BEL_ARAC_YAS")).toInt(), ServerToday(db).year() - 2024);
    EXPECT_TRUE(b.row.value(S("BEL_KM")).isNull());
    EXPECT_TRUE(BelgeAracUyumlu(db, b.row));
    b.row[S("BEL_MODEL")] = S("BASKA");
    EXPECT_FALSE(BelgeAracUyumlu(db, b.row));
}

TEST_F(BelgeFormTest, ThePdiFormOpensTheLatestDateAndRefusesBadChassis)
{
    const QDateTime d1(QDate(2026, 1, 5), QTime(0, 0)), d2(QDate(2026, 2, 7), QTime(0, 0));
    for (const QDateTime& d : {d2, d1})
        PdiFormuKaydet(db, {{S("SASI_NO"), kSase}, {S("TARIH"), d}, {S("K1_MNOSIPK"), S("E")}}, true);
    EXPECT_EQ(PdiFormuSonTarih(db, kSase), d2);
    EXPECT_FALSE(PdiFormuSonTarih(db, S("YOK")).isValid());
    QVariantMap row{{S("SASI_NO"), kSase}};
    const PdiFormuArac a = PdiFormuAracOku(db, row, true);
    EXPECT_EQ(a.modelAdi, S("VARNEK 1.6 SEDAN"));
    EXPECT_EQ(a.renkAdi, S("BEYAZ"));
    EXPECT_EQ(row.value(S("MARKA")).toString(), S("VARNEK"));
    EXPECT_EQ(row.value(S("MODEL")).toString(), S("SEDAN"));
    struct Case {
        const char* ad;
        QVariantMap row;
        const char* mesaj;
    };
    const QList<Case> cases{
        {"blank inside", {{S("SASI_NO"), S("VNK1SED 026000901")}, {S("TARIH"), d1}},
         "ŞASE de Hatalı yada Boşluklu Karakter kullandınız."},
        {"short", {{S("SASI_NO"), S("VNK1")}, {S("TARIH"), d1}}, "Şase 17 hane olmalı!"},
        {"no date", {{S("SASI_NO"), S("VNK1SED2026000909")}}, "Şase ve Tarih Yazılmadan Kayıt Saklanamaz"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Guard([&] { PdiFormuKaydet(db, c.row, true); })) << c.ad;
        EXPECT_EQ(messages.lastText(), S(c.mesaj)) << c.ad;
    }
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM PDIFORMU")), 2);
}
