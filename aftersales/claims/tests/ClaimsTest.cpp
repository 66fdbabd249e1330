#include "aftersales/AftersalesSchema.h"
#include "aftersales/claims/ClaimListe.h"
#include "aftersales/claims/GarantiKarti.h"
#include "report/ReportEngine.h"
#include "aftersales/claims/Claims.h"
#include "aftersales/claims/HasarKod.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "sql/SqlHelpers.h"
#include "testsupport/TestSupport.h"

namespace tornaly::aftersales {
namespace {

class ClaimsTest : public test::DbTest {
protected:
    void registerSchema() override { aftersales::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        ctx.CalismaYiliNo = 2026;
        ctx.ClaimKodNo = 7;
        ctx.ClaimIscIsk = 10;
        ctx.ClaimPrcIsk = 5;
        db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, AKTARILDI) VALUES ('C1', 1)"));
        isEmri(QStringLiteral("IE1"));
    }
    void isEmri(const QString& no)
    {
        db.exec(QStringLiteral("INSERT INTO ISEMRI (IS_EMRI_NO, FYILI, CARI_KOD, SASI_NO, MOTOR_NO, PLAKA_NO, KM, "
                               "TESLIM_TRH, ARAC_GIRIS_TRH, TAHMINI_TES_TRH) VALUES (:NO, 2026, 'C1', "
                               "'WVWZZZ1JZXW000001', 'M123', '34ABC01', 45000, :TES, :GIR, :BIT)"),
                {{QStringLiteral("NO"), no},
                 {QStringLiteral("TES"), QDateTime(QDate(2025, 1, 10), QTime())},
                 {QStringLiteral("GIR"), QDateTime(QDate(2026, 3, 1), QTime(9, 0))},
                 {QStringLiteral("BIT"), QDateTime(QDate(2026, 3, 2), QTime())}});
    }
    void parca(const QString& ie, int sira, const char* gar, double mik, double fyt)
    {
        db.exec(QStringLiteral("INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO, STOK_KOD_NO, STOK_MIKTAR, STOK_FIYATI, "
                               "GARANTI_TIPI) VALUES (:IE, 2026, :S, :K, :M, :F, :G)"),
                {{QStringLiteral("IE"), ie}, {QStringLiteral("S"), sira},
                 {QStringLiteral("K"), QStringLiteral("P%1").arg(sira)}, {QStringLiteral("M"), mik},
                 {QStringLiteral("F"), fyt}, {QStringLiteral("G"), QString::fromLatin1(gar)}});
    }
    void iscilik(const QString& ie, int sira, const char* gar, int qty, double sure, double fyt)
    {
        db.exec(QStringLiteral("INSERT INTO ISCILIK (ISEMRI_NO, FYILI, SIRANO, ARIZA_KODU, QTY, SURE, ISCILIK_B_FIYATI, "
                               "GARANTI_TIPI) VALUES (:IE, 2026, :S, :K, :Q, :SU, :F, :G)"),
                {{QStringLiteral("IE"), ie}, {QStringLiteral("S"), sira},
                 {QStringLiteral("K"), QStringLiteral("L%1ABCDEF").arg(sira)}, {QStringLiteral("Q"), qty},
                 {QStringLiteral("SU"), sure}, {QStringLiteral("F"), fyt}, {QStringLiteral("G"), QString::fromLatin1(gar)}});
    }
    int count(const QString& sql, const QVariantMap& b = {}) { return Deger(db, sql, b).toInt(); }
    QVariant stamp(const char* table, int sira)
    {
        return Deger(db, QStringLiteral("SELECT CLAIMNO FROM %1 WHERE ISEMRI_NO='IE1' AND SIRANO=:S")
                                 .arg(QString::fromLatin1(table)),
                         QVariantMap{{QStringLiteral("S"), sira}});
    }
    // A claim of IE1 ready to save (the user enters the model and the damage code).
    Claim yeniClaim()
    {
        std::optional<Claim> c = ClaimYeni(ctx, db, QStringLiteral("IE1"));
        EXPECT_TRUE(c.has_value());
        c->m[QStringLiteral("CL_ARACTIP")] = QStringLiteral("GOLF");
        c->hatalar.front().CD_HATAKOD = QStringLiteral("H01");
        return *c;
    }
    int tableCount(const char* table, const char* col, double no)
    {
        return count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = :NO").arg(QString::fromLatin1(table), QString::fromLatin1(col)),
                     {{QStringLiteral("NO"), no}});
    }
};

TEST_F(ClaimsTest, LabourAndPartTotals)
{
    struct Case {
        const char* harici;
        double miktar, sure, fiyat, iskonto;
        double tutar, normal, harici_, zaman;
    };
    const Case cases[] = {
        {"E", 2, 1.5, 100, 10, 270, 0, 270, 3},
        {"", 2, 1.5, 100, 10, 270, 270, 0, 3},
        {"", 1, 0, 100, 0, 0, 0, 0, 0},
        {"E", 1, 2, 50, 100, 0, 0, 0, 2},
    };
    for (const Case& k : cases) {
        Claim c;
        ClaimIscilik r;
        r.CS_HARICI = QString::fromLatin1(k.harici);
        r.CS_MIKTAR = k.miktar;
        r.CS_SURE = k.sure;
        r.CS_FIYAT = k.fiyat;
        r.CS_ISKONTO = k.iskonto;
        r.CS_STATU = 1;
        c.iscilik.push_back(r);
        ClaimParca p;
        p.CS_MIKTAR = 3;
        p.CS_FIYAT = 40;
        p.CS_ISKONTO = 25;
        p.CS_STATU = 1;
        c.parcalar.push_back(p);
        ClaimToplamHesapla(c, false);
        EXPECT_DOUBLE_EQ(c.m[QStringLiteral("CL_TPLISCILIK")].toDouble(), k.tutar);
        EXPECT_DOUBLE_EQ(c.m[QStringLiteral("CL_TPLNORISC")].toDouble(), k.normal);
        EXPECT_DOUBLE_EQ(c.m[QStringLiteral("CL_TPLHARICI")].toDouble(), k.harici_);
        EXPECT_DOUBLE_EQ(c.m[QStringLiteral("CL_TPLISSURE")].toDouble(), k.zaman);
        EXPECT_DOUBLE_EQ(c.m[QStringLiteral("CL_TPLPARCA")].toDouble(), 90);
        EXPECT_DOUBLE_EQ(c.tpl(kClaimKdvOrani), (k.tutar + 90) * 1.18);
        EXPECT_EQ(c.iscilik[0].CS_STATU, 1); // only saving clears the marks
        ClaimToplamHesapla(c, true);
        EXPECT_EQ(c.iscilik[0].CS_STATU, 0);
        EXPECT_EQ(c.parcalar[0].CS_STATU, 0);
    }
    ClaimIscilik r;
    r.CS_ISCILIK = QStringLiteral("ABCDEFGH");
    r.CS_HARICIKOD = QStringLiteral("X1");
    EXPECT_EQ(r.islemKod(), QStringLiteral("ABCDEX1"));
    r.CS_HARICI = QStringLiteral("E");
    EXPECT_EQ(r.islemKod(), QStringLiteral("ABCDEFGH"));
}

TEST_F(ClaimsTest, NewClaimFromWarrantyLinesStampsThemOnSave)
{
    parca(QStringLiteral("IE1"), 1, "G", 2, 100);
    parca(QStringLiteral("IE1"), 2, "M", 1, 999); // paid by the customer: not claimed
    iscilik(QStringLiteral("IE1"), 1, "I", 2, 1.5, 100);
    EXPECT_EQ(BostakiKalemSayisi(db, QStringLiteral("IE1")), 2);

    Claim c = yeniClaim();
    ASSERT_EQ(c.parcalar.size(), 1u);
    ASSERT_EQ(c.iscilik.size(), 1u);
    EXPECT_EQ(c.m[QStringLiteral("CL_SASE")].toString(), QStringLiteral("WVWZZZ1JZXW000001"));
    EXPECT_EQ(Query::toDateTime(c.m[QStringLiteral("CL_TAMIRTRH")]).date(), QDate(2026, 3, 1));
    EXPECT_DOUBLE_EQ(c.parcalar[0].CS_ISKONTO, 5);
    EXPECT_DOUBLE_EQ(c.iscilik[0].CS_ISKONTO, 10);
    EXPECT_FALSE(c.stored());

    ASSERT_TRUE(ClaimSakla(ctx, db, c)) << messages.lastText().toStdString();
    const double base = 26 * 100000000.0 + 7 * 10000.0;
    EXPECT_DOUBLE_EQ(c.no(), base + 1);
    EXPECT_DOUBLE_EQ(stamp("ISEAYRIN", 1).toDouble(), c.no());
    EXPECT_TRUE(stamp("ISEAYRIN", 2).isNull());
    EXPECT_DOUBLE_EQ(stamp("ISCILIK", 1).toDouble(), c.no());
    EXPECT_EQ(BostakiKalemSayisi(db, QStringLiteral("IE1")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT AKTARILDI FROM CARI WHERE CARI_KOD='C1'")), 0);

    std::optional<Claim> back = ClaimOku(db, c.no());
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->m[QStringLiteral("CL_TPLISCILIK")].toDouble(), 270);
    EXPECT_DOUBLE_EQ(back->m[QStringLiteral("CL_TPLPARCA")].toDouble(), 190);
    EXPECT_EQ(back->m[QStringLiteral("CL_ONAY")].toString(), QStringLiteral("H"));
    EXPECT_EQ(back->m[QStringLiteral("CL_AKTARILDI")].toInt(), 0);
    EXPECT_EQ(back->hatalar.size(), 1u);
    EXPECT_EQ(back->hatalar[0].CD_IMALATCI, QStringLiteral("XXX"));

    // No free lines left: a second claim is refused and nothing is written.
    messages.clear();
    EXPECT_FALSE(ClaimYeni(ctx, db, QStringLiteral("IE1")).has_value());
    EXPECT_EQ(messages.lastText(), QStringLiteral("IE1 Garantiye ait işçilik/parça bulunamadı!"));

    // A labour row dropped from the claim frees its line on the next save.
    back->iscilik.clear();
    ASSERT_TRUE(ClaimSakla(ctx, db, *back));
    EXPECT_TRUE(stamp("ISCILIK", 1).isNull());
    EXPECT_DOUBLE_EQ(stamp("ISEAYRIN", 1).toDouble(), c.no());

    // ... and the line comes back into the claim through "Boştaki Kalemleri Ekle",
    // marked until saved; the working year comes from the work order.
    ASSERT_TRUE(ClaimBostakiEkle(ctx, db, *back));
    ASSERT_EQ(back->iscilik.size(), 1u);
    EXPECT_EQ(back->iscilik[0].CS_STATU, 1);
    ASSERT_TRUE(ClaimSakla(ctx, db, *back));
    EXPECT_EQ(back->iscilik[0].CS_STATU, 0);
    EXPECT_DOUBLE_EQ(stamp("ISCILIK", 1).toDouble(), c.no());
}

TEST_F(ClaimsTest, BadInputWritesNothing)
{
    // A work order without warranty lines.
    parca(QStringLiteral("IE1"), 1, "M", 1, 10);
    EXPECT_FALSE(ClaimYeni(ctx, db, QStringLiteral("IE1")).has_value());
    EXPECT_EQ(messages.lastText(), QStringLiteral("IE1 Garantiye ait işçilik/parça bulunamadı!"));
    EXPECT_FALSE(ClaimYeni(ctx, db, QStringLiteral("YOK")).has_value());

    // A claim without the required model code: the save fails whole.
    parca(QStringLiteral("IE1"), 2, "G", 1, 10);
    std::optional<Claim> c = ClaimYeni(ctx, db, QStringLiteral("IE1"));
    ASSERT_TRUE(c);
    c->hatalar.front().CD_HATAKOD = QStringLiteral("H01");
    messages.clear();
    EXPECT_THROW(ClaimSakla(ctx, db, *c), DbError); // the window's guard shows it
    EXPECT_FALSE(c->stored());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLAIMM")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLAIMDP")), 0);
    EXPECT_TRUE(stamp("ISEAYRIN", 2).isNull());

    // A claim number already used by another workstation: the save draws the next one.
    db.exec(QStringLiteral("INSERT INTO CLAIMM (CL_CLAIMNO, CL_ISEMRI, CL_TAMIRTRH, CL_TESLIMTRH, CL_SASE, CL_KM, CL_ARACTIP) "
                           "VALUES (2600070001, 'X', :D, :D, 'S', 0, 'M')"),
            {{QStringLiteral("D"), QDateTime(QDate(2026, 1, 1), QTime())}});
    c->m[QStringLiteral("CL_ARACTIP")] = QStringLiteral("GOLF");
    ASSERT_TRUE(ClaimSakla(ctx, db, *c));
    EXPECT_DOUBLE_EQ(c->no(), 2600070002.0);
}

// The damage row and the service approval are written in the claim's one
// transaction: a failure at any table leaves nothing of the save, for a new
// claim and for a stored one.
TEST_F(ClaimsTest, DamageRowAndServiceApprovalSaveWholeOrNotAtAll)
{
    parca(QStringLiteral("IE1"), 1, "G", 1, 100);
    iscilik(QStringLiteral("IE1"), 1, "G", 1, 1, 100);
    const auto kir = [](const QString& hedef) {
        return [hedef](const QString& tablo) {
            if (tablo == hedef)
                throw DbError(DbError::Kind::Other, QStringLiteral("disk dolu"));
        };
    };
    const QStringList tablolar = {QStringLiteral("CLAIMM"), QStringLiteral("CLAIMD"), QStringLiteral("CLAIMDI"),
                                  QStringLiteral("CLAIMDP")};
    // A new claim: nothing stored, the lines stay free.
    for (const QString& t : tablolar) {
        Claim c = yeniClaim();
        c.m[QStringLiteral("CL_ONAY")] = QStringLiteral("E");
        EXPECT_THROW(ClaimSakla(ctx, db, c, kir(t)), DbError) << t.toStdString();
        EXPECT_FALSE(c.stored()) << t.toStdString();
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLAIMM")), 0) << t.toStdString();
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLAIMD")), 0) << t.toStdString();
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLAIMDI")), 0) << t.toStdString();
        EXPECT_TRUE(stamp("ISEAYRIN", 1).isNull()) << t.toStdString();
    }
    Claim c = yeniClaim();
    ASSERT_TRUE(ClaimSakla(ctx, db, c));
    const double no = c.no();
    // A stored claim: the approval and the new damage code come back as they were.
    for (const QString& t : tablolar) {
        Claim cur = *ClaimOku(db, no);
        cur.m[QStringLiteral("CL_ONAY")] = QStringLiteral("E");
        cur.hatalar.front().CD_HATAKOD = QStringLiteral("H99");
        cur.hatalar.front().CD_HATAACIK = QStringLiteral("Sızıntı");
        EXPECT_THROW(ClaimSakla(ctx, db, cur, kir(t)), DbError) << t.toStdString();
        const Claim back = *ClaimOku(db, no);
        EXPECT_EQ(back.m.value(QStringLiteral("CL_ONAY")).toString(), QStringLiteral("H")) << t.toStdString();
        ASSERT_EQ(back.hatalar.size(), 1u) << t.toStdString();
        EXPECT_EQ(back.hatalar[0].CD_HATAKOD, QStringLiteral("H01")) << t.toStdString();
        EXPECT_EQ(back.iscilik.size(), 1u) << t.toStdString();
        EXPECT_EQ(back.parcalar.size(), 1u) << t.toStdString();
        EXPECT_DOUBLE_EQ(stamp("ISEAYRIN", 1).toDouble(), no) << t.toStdString();
    }
    // Without a failure both are stored, and the warranty card prints the entered damage code.
    Claim cur = *ClaimOku(db, no);
    cur.m[QStringLiteral("CL_ONAY")] = QStringLiteral("E");
    cur.hatalar.front().CD_HATAKOD = QStringLiteral("H99");
    ASSERT_TRUE(ClaimSakla(ctx, db, cur));
    const Claim back = *ClaimOku(db, no);
    EXPECT_EQ(back.m.value(QStringLiteral("CL_ONAY")).toString(), QStringLiteral("E"));
    EXPECT_EQ(back.hatalar[0].CD_HATAKOD, QStringLiteral("H99"));
    const QString kart = report::Render(GarantiKartiRaporu(db, back)).texts(1).join(QLatin1Char('|'));
    EXPECT_TRUE(kart.contains(QStringLiteral("Hasar No:"))) << kart.toStdString();
    EXPECT_TRUE(kart.split(QLatin1Char('|')).contains(QStringLiteral("H99"))) << kart.toStdString();

    // A damage row without its code is refused by the data layer, and nothing is written.
    cur = *ClaimOku(db, no);
    cur.hatalar.front().CD_HATAKOD.clear();
    cur.m[QStringLiteral("CL_ONAY")] = QStringLiteral("H");
    EXPECT_THROW(ClaimSakla(ctx, db, cur), DbError);
    EXPECT_EQ(ClaimOku(db, no)->hatalar[0].CD_HATAKOD, QStringLiteral("H99"));
    EXPECT_EQ(ClaimOku(db, no)->m.value(QStringLiteral("CL_ONAY")).toString(), QStringLiteral("E"));
}

TEST_F(ClaimsTest, AnswerStatusAndDelete)
{
    parca(QStringLiteral("IE1"), 1, "G", 1, 100);
    iscilik(QStringLiteral("IE1"), 1, "G", 1, 1, 100);
    Claim c = yeniClaim();
    ASSERT_TRUE(ClaimSakla(ctx, db, c));
    const double no = c.no();

    struct Case {
        const char* fatura;
        const char* durum;
        const char* expected;
    };
    const Case cases[] = {{"H", "O", "O"}, {"H", "R", "R"}, {"H", "B", "B"}, {"E", "O", "B"}};
    for (const Case& k : cases) {
        db.exec(QStringLiteral("UPDATE CLAIMM SET CL_FATURA = :F WHERE CL_CLAIMNO = :NO"),
                {{QStringLiteral("F"), QString::fromLatin1(k.fatura)}, {QStringLiteral("NO"), no}});
        Claim cur = *ClaimOku(db, no);
        ClaimDurumVer(ctx, db, cur, QString::fromLatin1(k.durum));
        EXPECT_EQ(Deger(db, QStringLiteral("SELECT CL_DURUM FROM CLAIMM WHERE CL_CLAIMNO = :NO"),
                            QVariantMap{{QStringLiteral("NO"), no}}).toString(),
                  QString::fromLatin1(k.expected));
    }

    // Invoiced: refused and kept.
    messages.clear();
    EXPECT_FALSE(ClaimSil(db, no));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Faturalanmış Kayıt Silinemez!"));
    EXPECT_EQ(tableCount("CLAIMM", "CL_CLAIMNO", no), 1);

    db.exec(QStringLiteral("UPDATE CLAIMM SET CL_FATURA = 'H'"));
    messages.answer(MsgNo);
    EXPECT_FALSE(ClaimSil(db, no));
    EXPECT_EQ(tableCount("CLAIMM", "CL_CLAIMNO", no), 1);
    messages.answer(MsgYes);
    EXPECT_TRUE(ClaimSil(db, no));
    EXPECT_EQ(tableCount("CLAIMM", "CL_CLAIMNO", no), 0);
    EXPECT_EQ(tableCount("CLAIMD", "CD_CLAIMNO", no), 0);
    EXPECT_EQ(tableCount("CLAIMDI", "CS_CLAIMNO", no), 0);
    EXPECT_EQ(tableCount("CLAIMDP", "CS_CLAIMNO", no), 0);
    EXPECT_TRUE(stamp("ISEAYRIN", 1).isNull());
    EXPECT_TRUE(stamp("ISCILIK", 1).isNull());
}

TEST_F(ClaimsTest, RenumberMovesEveryTableOrNone)
{
    parca(QStringLiteral("IE1"), 1, "G", 1, 100);
    iscilik(QStringLiteral("IE1"), 1, "G", 1, 1, 100);
    Claim c = yeniClaim();
    ASSERT_TRUE(ClaimSakla(ctx, db, c));
    const double eski = c.no();
    db.exec(QStringLiteral("UPDATE CLAIMM SET CL_AKTARILDI = 1"));
    const auto onOld = [&] {
        return tableCount("CLAIMM", "CL_CLAIMNO", eski) + tableCount("CLAIMD", "CD_CLAIMNO", eski)
            + tableCount("CLAIMDI", "CS_CLAIMNO", eski) + tableCount("CLAIMDP", "CS_CLAIMNO", eski)
            + tableCount("ISEAYRIN", "CLAIMNO", eski) + tableCount("ISCILIK", "CLAIMNO", eski);
    };
    ASSERT_EQ(onOld(), 6);

    // Broken half way: everything stays under the old number.
    messages.clear();
    EXPECT_THROW(ClaimNoDegis(db, eski, 500, [](int step) {
        if (step == 5)
            throw DbError(DbError::Kind::Other, QStringLiteral("bağlantı koptu"));
    }), DbError);
    EXPECT_EQ(onOld(), 6);
    EXPECT_EQ(tableCount("CLAIMDP", "CS_CLAIMNO", 500), 0);

    // Onto a number in use: the message, nothing written.
    db.exec(QStringLiteral("INSERT INTO CLAIMM (CL_CLAIMNO, CL_ISEMRI, CL_TAMIRTRH, CL_TESLIMTRH, CL_SASE, CL_KM, CL_ARACTIP) "
                           "VALUES (600, 'X', :D, :D, 'S', 0, 'M')"),
            {{QStringLiteral("D"), QDateTime(QDate(2026, 1, 1), QTime())}});
    EXPECT_FALSE(ClaimNoDegis(db, eski, 600));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Verilen Nolu Claim Mevcut!,Lütfen Yeni bir tane giriniz."));
    EXPECT_EQ(onOld(), 6);
    EXPECT_FALSE(ClaimNoDegis(db, eski, 0)); // not above 0: nothing happens
    EXPECT_EQ(onOld(), 6);

    // Onto a number only orphan rows carry: they go, the claim moves whole.
    db.exec(QStringLiteral("INSERT INTO CLAIMDP (CS_CLAIMNO, CS_PARCA) VALUES (500, 'ORPHAN')"));
    ASSERT_TRUE(ClaimNoDegis(db, eski, 500));
    EXPECT_EQ(onOld(), 0);
    EXPECT_EQ(tableCount("CLAIMM", "CL_CLAIMNO", 500), 1);
    EXPECT_EQ(tableCount("CLAIMDP", "CS_CLAIMNO", 500), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLAIMDP WHERE CS_PARCA = 'ORPHAN'")), 0);
    EXPECT_DOUBLE_EQ(stamp("ISEAYRIN", 1).toDouble(), 500);
    EXPECT_DOUBLE_EQ(stamp("ISCILIK", 1).toDouble(), 500);
    EXPECT_EQ(count(QStringLiteral("SELECT CL_AKTARILDI FROM CLAIMM WHERE CL_CLAIMNO = 500")), 0);

    // The form's locks.
    Claim k = *ClaimOku(db, 500);
    EXPECT_EQ(ClaimNoDegistirEngel(k), QString());
    k.m[QStringLiteral("CL_ONAY")] = QStringLiteral("E");
    EXPECT_EQ(ClaimNoDegistirEngel(k), QStringLiteral("Onaylanmış yada Faturalanmış Talep No Değiştirilemez"));
    k.m[QStringLiteral("CL_DURUM")] = QStringLiteral("B");
    EXPECT_EQ(ClaimNoDegistirEngel(k), QStringLiteral("Merkeze Gönderilmiş Talep No Değiştirilemez"));
}

TEST_F(ClaimsTest, CodeTables)
{
    EXPECT_EQ(HasarKodCaption(3), QStringLiteral("Müşteri Şikayet (N Kodları) Tanımları"));
    EXPECT_EQ(HasarKodSakla(db, 1, QStringLiteral("K1"), QStringLiteral("Normal"), true), QStringLiteral("K1"));
    EXPECT_THROW(HasarKodSakla(db, 1, QStringLiteral("K1"), QStringLiteral("Başka"), true), IslemReddi);
    EXPECT_FALSE(Guard([&] { HasarKodSakla(db, 1, QStringLiteral("K1"), QStringLiteral("Başka"), true); }));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Aynı Kodlu Kayıt Var."));
    EXPECT_EQ(HasarKodSakla(db, 2, QStringLiteral("K1"), QStringLiteral("Onay"), true), QStringLiteral("K1"));
    EXPECT_EQ(HasarKodSakla(db, 1, QStringLiteral("K1"), QStringLiteral("Değişti"), false), QStringLiteral("K1"));
    EXPECT_EQ(Deger(db, QStringLiteral("SELECT CC_AD FROM CLKODTIP WHERE CC_TIP = 1 AND CC_KOD = 'K1'")).toString(),
              QStringLiteral("Değişti"));
    EXPECT_FALSE(Guard([&] { HasarKodSakla(db, 1, QStringLiteral("  "), QString(), true); }));
    EXPECT_EQ(messages.lastText(), QStringLiteral(" Kod alanı devam etmek için gereklidir."));
    messages.answer(MsgYes);
    EXPECT_TRUE(HasarKodSil(db, 1, QStringLiteral("K1")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CLKODTIP")), 1);
}

TEST_F(ClaimsTest, ListFiltersAndSearchBindTheirValues)
{
    const auto add = [&](double no, const char* ie, const char* durum, const char* fatura, QDate tamir) {
        db.exec(QStringLiteral("INSERT INTO CLAIMM (CL_CLAIMNO, CL_ISEMRI, CL_TAMIRTRH, CL_TESLIMTRH, CL_SASE, CL_KM, "
                               "CL_ARACTIP, CL_DURUM, CL_FATURA) VALUES (:NO, :IE, :T, :T, 'S', 0, 'M', :D, :F)"),
                {{QStringLiteral("NO"), no}, {QStringLiteral("IE"), QString::fromLatin1(ie)},
                 {QStringLiteral("T"), QDateTime(tamir, QTime(17, 30))},
                 {QStringLiteral("D"), *durum ? QVariant(QString::fromLatin1(durum)) : QVariant()},
                 {QStringLiteral("F"), QString::fromLatin1(fatura)}});
    };
    add(1, "IE1", "O", "H", QDate(2026, 3, 1));
    add(2, "IE1", "O", "E", QDate(2026, 3, 2));
    add(3, "IE2", "R", "H", QDate(2026, 3, 3));
    add(4, "IE3", "", "H", QDate(2026, 3, 31));
    const auto list = [&](const ClaimListeSorgu& s) {
        QList<int> out;
        Query q(db, s.sql());
        q.bindAll(s.binds()).exec();
        while (q.next())
            out << q.value(0).toInt();
        return out;
    };
    struct Case {
        ClaimListeFiltre f;
        QList<int> expected;
    };
    const Case cases[] = {
        {{}, {4, 3, 2, 1}},
        {{ClaimListeFiltre::Onaylandi, ClaimListeFiltre::Faturalanmayanlar}, {1}},
        {{ClaimListeFiltre::Gonderilmedi}, {4}},
        {{ClaimListeFiltre::Red}, {3}},
        {{ClaimListeFiltre::Tumu, ClaimListeFiltre::Faturalananlar}, {2}},
        // Both bounds whole days: a claim repaired late on the last day is in.
        {{ClaimListeFiltre::Tumu, ClaimListeFiltre::FaturaTumu, false, QDate(2026, 3, 2), QDate(2026, 3, 3)}, {3, 2}},
        {{ClaimListeFiltre::Tumu, ClaimListeFiltre::FaturaTumu, true, QDate(2026, 3, 31), QDate()}, {4}},
    };
    for (const Case& k : cases) {
        ClaimListeSorgu s;
        s.filtrele(k.f);
        EXPECT_EQ(list(s), k.expected);
    }
    // A search keeps the filter; a new filter drops the search; typed text stays a value.
    ClaimListeSorgu s;
    s.filtrele({ClaimListeFiltre::Onaylandi});
    s.araIsemri(QStringLiteral("IE1"));
    EXPECT_EQ(list(s), (QList<int>{2, 1}));
    s.araIsemri(QStringLiteral("IE1' OR '1'='1"));
    EXPECT_TRUE(list(s).isEmpty());
    s.araClaimNo(QStringLiteral("3"));
    EXPECT_TRUE(list(s).isEmpty()); // claim 3 is refused, not approved
    s.filtrele({});
    EXPECT_EQ(list(s).size(), 4);
    s.araClaimNo(QStringLiteral("abc"));
    EXPECT_TRUE(list(s).isEmpty());
    EXPECT_EQ(IsemriClaimleri(db, QStringLiteral("IE1")), (std::vector<double>{1, 2}));
}

} // namespace
} // namespace tornaly::aftersales
