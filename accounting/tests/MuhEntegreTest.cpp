#include "MuhFixture.h"

#include "accounts/vouchers/CariHrkFis.h"
#include "invoicing/workorder/IEFatToplam.h"
#include "messages/ScriptedMessages.h"

#include <utility>

using namespace tornaly;
using namespace tornaly::accounting;
using tornaly::accounting::test::MuhTest;

namespace {

const QString eksikMesaj = EksikMuhKodMesaji();

class MuhEntegreTest : public MuhTest {
protected:
    void SetUp() override
    {
        MuhTest::SetUp();
        SetEksikMuhKodGosterici([this](const EksikMuhKodlari& e) { pencereler << e; });
    }
    void TearDown() override
    {
        SetEksikMuhKodGosterici({});
        MuhTest::TearDown();
    }

    int fisSayisi() const { return say(QStringLiteral("SELECT COUNT(*) FROM FIS")); }
    double fisNo(const QString& tablo, const QString& kosul) const
    {
        return deger(QStringLiteral("SELECT COALESCE(MAX(FIS_NO), 0) FROM %1 WHERE %2").arg(tablo, kosul));
    }

    void bankaTablolari()
    {
        db.exec(QStringLiteral("INSERT INTO BANKAYR (BANKA_KOD, HESAP_NO, HESAR_TURU, MUH_CHES, MUH_KOMISYON) "
                               "VALUES ('ZB', '1', '1', '102.01', '653.01')"));
        db.exec(QStringLiteral("INSERT INTO BANKAYR (BANKA_KOD, HESAP_NO, HESAR_TURU, MUH_CHES, MUH_KOMISYON) "
                               "VALUES ('YK', '2', '1', '102.01', NULL)"));
    }
    struct BankaSatir {
        const char* banka;
        double borc, alacak;
        const char* cari;
        const char* kasa;
        const char* karsi;
        double komisyon;
    };
    void bankaFis(double no, const char* tip, const QList<BankaSatir>& satirlar)
    {
        db.exec(QStringLiteral("INSERT INTO BANKHRK (HRK_NO, TARIH, TIP) VALUES (:N, :T, :P)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("T"), QDateTime(QDate(2026, 6, 1), QTime())},
                 {QStringLiteral("P"), QLatin1String(tip)}});
        int sira = 0;
        for (const auto& s : satirlar)
            db.exec(QStringLiteral("INSERT INTO BANKHRKA (HRK_NO, SIRANO, BANKA_KOD, HESAP_NO, CARI_KOD, KASAKOD, "
                                   "BORC, ALACAK, BELGE_NO, MUH_KARSI, KOMISYON) "
                                   "VALUES (:N, :S, :B, :H, :C, :K, :BO, :AL, 'D-1', :M, :KO)"),
                    {{QStringLiteral("N"), no}, {QStringLiteral("S"), ++sira},
                     {QStringLiteral("B"), QLatin1String(s.banka)},
                     {QStringLiteral("H"), QLatin1String(s.banka) == QLatin1String("ZB") ? QStringLiteral("1") : QStringLiteral("2")},
                     {QStringLiteral("C"), QLatin1String(s.cari)}, {QStringLiteral("K"), QLatin1String(s.kasa)},
                     {QStringLiteral("BO"), s.borc}, {QStringLiteral("AL"), s.alacak},
                     {QStringLiteral("M"), QLatin1String(s.karsi)}, {QStringLiteral("KO"), s.komisyon}});
    }

    void faturaTablolari()
    {
        // The invoice, labour and stock tables come with their libraries' schemas.
        db.exec(QStringLiteral("INSERT INTO MUHKDV VALUES ('K1', 'Genel')"));
        db.exec(QStringLiteral("INSERT INTO MUHKDVAYR (MUHKDV_KOD, KDV, MUH_KDV_S, MUH_KDV_A_IADE) VALUES ('K1', 20, '391.01', '191.01')"));
        db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, MUH_S, MUH_ISK_S, MUH_GRSAT, MUH_GRSATISK, MUH_KDV_A) "
                               "VALUES (1, 'P1', '600.01', '610.01', '601.01', '611.01', 'K1')"));
        db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, MUH_S, MUH_KDV_A) VALUES (2, 'P2', '600.02', 'K1')"));
        db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, MUH_KDV_A) VALUES (3, 'P3', 'K1')"));
        // Labour L1: the card of the greatest model decides.
        db.exec(QStringLiteral("INSERT INTO FRT (FRT_KODU, MODEL_KODU, FRT_ADI, MUH_S, MUH_ISK_S, MUH_GRSAT, MUH_GRSATISK, MUH_KDV_A) "
                               "VALUES ('L1', 'A', 'BAKIM', NULL, NULL, NULL, NULL, 'K1')"));
        db.exec(QStringLiteral("INSERT INTO FRT (FRT_KODU, MODEL_KODU, FRT_ADI, MUH_S, MUH_ISK_S, MUH_GRSAT, MUH_GRSATISK, MUH_KDV_A) "
                               "VALUES ('L1', 'B', 'BAKIM', '600.01', '610.01', '601.01', '611.01', 'K1')"));
    }
    struct FatSatir {
        char tur;
        const char* kod;
        double ger, isk;
    };
    void fatura(double no, const char* turu, const char* cari, const QList<FatSatir>& satirlar, double tevkifat = 0)
    {
        double net = 0;
        for (const auto& s : satirlar)
            net += s.ger * 1.2;
        db.exec(QStringLiteral("INSERT INTO SERFAT (SATIS_NO, CARI_KOD, NET_TUTAR, TARIH, FAT_NO, FAT_TUR, KDVTEV_TUT, ENT_KOD) "
                               "VALUES (:N, :C, :NET, :T, :F, :TUR, :TEV, 0)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("C"), QLatin1String(cari)},
                 {QStringLiteral("NET"), net - tevkifat}, {QStringLiteral("T"), QDateTime(QDate(2026, 4, 2), QTime(9, 0))},
                 {QStringLiteral("F"), QStringLiteral("IE-%1").arg(no)}, {QStringLiteral("TUR"), QLatin1String(turu)},
                 {QStringLiteral("TEV"), tevkifat}});
        int sira = 0;
        for (const auto& s : satirlar)
            db.exec(QStringLiteral("INSERT INTO SERFATDT (SATIS_NO, SIRA, PARCA_ISCILIK, PI_KOD, KDV, GER_TUT, ISK_TUT) "
                                   "VALUES (:N, :S, :P, :K, 20, :G, :I)"),
                    {{QStringLiteral("N"), no}, {QStringLiteral("S"), ++sira}, {QStringLiteral("P"), QString(QLatin1Char(s.tur))},
                     {QStringLiteral("K"), QLatin1String(s.kod)}, {QStringLiteral("G"), s.ger}, {QStringLiteral("I"), s.isk}});
    }

    // A work-order invoice stored as the invoice's save stores it: the lines'
    // GER_TUT / ISK_TUT and the header totals of the invoice totals routine,
    // rounded by the given letter.
    struct TamSatir {
        char tur;
        const char* kod;
        double fiyat, miktar, iskonto, kdv;
    };
    invoicing::IEFatToplamlar hesapliFatura(double no, const char* turu, const QList<TamSatir>& satirlar,
                                             const char* kdvTev, const QString& yuvarTip)
    {
        QList<invoicing::IEFatSatir> ss;
        for (const auto& t : satirlar) {
            invoicing::IEFatSatir s;
            s.PARCA_ISCILIK = QString(QLatin1Char(t.tur));
            s.PI_KOD = QLatin1String(t.kod);
            s.BIRIM_FIYAT = t.fiyat;
            s.MIKTAR = t.miktar;
            s.ISKONTO = t.iskonto;
            s.KDV = t.kdv;
            invoicing::SatirTutarlariniHesapla(s);
            ss << s;
        }
        invoicing::IEFatToplamGirdisi g;
        g.KDVTEV = QLatin1String(kdvTev);
        g.FatYuvarTip = yuvarTip;
        const invoicing::IEFatToplamlar t = invoicing::IEFatToplamHesapla(ss, g);
        db.exec(QStringLiteral("INSERT INTO SERFAT (SATIS_NO, CARI_KOD, TARIH, FAT_NO, FAT_TUR, ENT_KOD, BRUT_TUTAR, "
                               "INDIRIM, TOPLAM_TUTAR, KDV_TUTARI, KDVTEV_TUT, NET_TUTAR) "
                               "VALUES (:N, 'C001', :T, :F, :TUR, 0, :B, :I, :TOP, :K, :TEV, :NET)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("T"), QDateTime(QDate(2026, 4, 2), QTime(9, 0))},
                 {QStringLiteral("F"), QStringLiteral("IE-%1").arg(no)}, {QStringLiteral("TUR"), QLatin1String(turu)},
                 {QStringLiteral("B"), t.BRUT_TUTAR}, {QStringLiteral("I"), t.INDIRIM},
                 {QStringLiteral("TOP"), t.TOPLAM_TUTAR}, {QStringLiteral("K"), t.KDV_TUTARI},
                 {QStringLiteral("TEV"), t.KDVTEV_TUT}, {QStringLiteral("NET"), t.NET_TUTAR}});
        int sira = 0;
        for (const auto& s : ss)
            db.exec(QStringLiteral("INSERT INTO SERFATDT (SATIS_NO, SIRA, PARCA_ISCILIK, PI_KOD, BIRIM_FIYAT, MIKTAR, "
                                   "ISKONTO, KDV, GER_TUT, ISK_TUT, GARANTI_TIP) "
                                   "VALUES (:N, :S, :P, :K, :BF, :M, :IS, :KDV, :G, :I, 'M')"),
                    {{QStringLiteral("N"), no}, {QStringLiteral("S"), ++sira}, {QStringLiteral("P"), s.PARCA_ISCILIK},
                     {QStringLiteral("K"), s.PI_KOD}, {QStringLiteral("BF"), s.BIRIM_FIYAT},
                     {QStringLiteral("M"), s.MIKTAR}, {QStringLiteral("IS"), s.ISKONTO}, {QStringLiteral("KDV"), s.KDV},
                     {QStringLiteral("G"), s.GER_TUT}, {QStringLiteral("I"), s.ISK_TUT}});
        return t;
    }
    // The sum of one side of a voucher over some accounts.
    double hesapToplami(double fisNo, const char* kolon, const QStringList& kodlar) const
    {
        return deger(QStringLiteral("SELECT COALESCE(SUM(%1), 0) FROM FISAYR WHERE FISNO=:F AND HSPKODU IN ('%2')")
                         .arg(QLatin1String(kolon), kodlar.join(QStringLiteral("','"))),
                     {{QStringLiteral("F"), fisNo}});
    }

    QList<EksikMuhKodlari> pencereler;
};

TEST_F(MuhEntegreTest, CurrentAccountSlipLinesByCase)
{
    struct Case {
        const char* ad;
        const char* tip;
        QList<CariSatir> satirlar;
        QStringList beklenen;
        char tur;
        const char* aciklama;
    };
    const QList<Case> cases = {
        {"offset keeps two lines of one customer", "D",
         {{"C001", 100, 0, ""}, {"C001", 50, 0, ""}, {"C002", 0, 150, ""}},
         {"120.01 B 100", "120.01 B 50", "120.02 A 150"}, 'M', "1.001 No.lu Cari Hrk. Dekont Fişi"},
        {"cash collection", "N", {{"C001", 0, 250, "MERKEZ"}}, {"120.01 A 250", "100.01 B 250"}, 'C',
         "1.002 No.lu Cari Hrk.Fişi Nakit Tahsilat"},
        {"cash payment", "N", {{"C002", 75.5, 0, "SUBE"}}, {"120.02 B 75.5", "100.02 A 75.5"}, 'E',
         "1.003 No.lu Cari Hrk.Fişi Nakit Ödeme"},
    };
    double no = 1000;
    for (const Case& c : cases) {
        cariFis(++no, QLatin1String(c.tip), c.satirlar);
        const auto r = post(QLatin1Char('C'), no);
        ASSERT_EQ(r.sonuc, MuhasebeSonucu::Yazildi) << c.ad;
        EXPECT_EQ(satirlar(r.fisNo), c.beklenen) << c.ad;
        EXPECT_EQ(fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=%1").arg(no)), r.fisNo) << c.ad;
        Query q(db, QStringLiteral("SELECT TUR, ACIKLAMA, ENT_TIP, ENT_REF_NO, BELGE_TUR FROM FIS WHERE FISNO=:F"));
        q.bind(QStringLiteral("F"), r.fisNo).exec();
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.str(QStringLiteral("TUR")), QString(QLatin1Char(c.tur))) << c.ad;
        EXPECT_EQ(q.str(QStringLiteral("ACIKLAMA")), QString::fromUtf8(c.aciklama)) << c.ad;
        EXPECT_EQ(q.str(QStringLiteral("ENT_TIP")), QStringLiteral("C"));
        EXPECT_EQ(q.num(QStringLiteral("ENT_REF_NO")), no);
    }
    const QString aciklama = QStringLiteral("SELECT ACIKLAMA FROM FISAYR WHERE ENT_REF_NO=1002 ORDER BY SIRANO");
    Query q(db, aciklama);
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("ACIKLAMA")), QStringLiteral("1.002 Ref. Nakit Müşteri C001"));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(MuhEntegreTest, MissingCodesStopBeforeAnythingIsWritten)
{
    cariFis(1, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C003", 0, 10, ""}});   // customer without account
    cariFis(2, QStringLiteral("N"), {{"C001", 0, 10, "BOS"}});                     // cash box without account
    for (double no : {1.0, 2.0}) {
        messages.clear();
        EXPECT_EQ(post(QLatin1Char('C'), no).sonuc, MuhasebeSonucu::EksikKod);
        EXPECT_EQ(messages.texts(), QStringList{eksikMesaj});
    }
    EXPECT_TRUE(pencereler.isEmpty()); // slips show no window
    EXPECT_EQ(fisSayisi(), 0);
    EXPECT_EQ(deger(QStringLiteral("SELECT YENINO FROM NEWFIS")), 1);
    EXPECT_EQ(fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("1=1")), 0);
}

TEST_F(MuhEntegreTest, RefusedVouchersWriteNothingAndTakeNoNumber)
{
    cariFis(1, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 9, ""}});    // unbalanced
    cariFis(2, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}}, QDate(2024, 2, 29));
    cariFis(3, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}}, QDate(2026, 1, 15));
    cariFis(4, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}});
    db.exec(QStringLiteral("UPDATE PARAMUH SET KILIT_TRH=:T"), {{QStringLiteral("T"), QDateTime(QDate(2026, 1, 31), QTime())}});
    struct Case { double no; QString mesaj; };
    for (const Case& c : {Case{1, QStringLiteral("Fiş Borç-Alacak Tutarı Birbirine Eşit Değil.Dengesiz Fiş Kaydı Yapılamaz")},
                          Case{2, QStringLiteral("Belge tarihi (29.02.2024) çalışma yılında bulunmuyor. Fiş Kaydı Yapılamaz")},
                          Case{3, QStringLiteral("İlgili tarih için işlem yapılamaz!")}}) {
        messages.clear();
        EXPECT_EQ(post(QLatin1Char('C'), c.no).sonuc, MuhasebeSonucu::Reddedildi) << c.no;
        ASSERT_FALSE(messages.texts().isEmpty());
        EXPECT_EQ(messages.texts().first(), c.mesaj);
    }
    EXPECT_EQ(fisSayisi(), 0);
    // Accepted vouchers number without gaps after refusals.
    const auto r = post(QLatin1Char('C'), 4);
    ASSERT_EQ(r.sonuc, MuhasebeSonucu::Yazildi);
    EXPECT_EQ(r.fisNo, 1);
    EXPECT_EQ(deger(QStringLiteral("SELECT YEVMIYE_NO FROM FIS")), 1);
    EXPECT_EQ(QVariant(deger(QStringLiteral("SELECT MIN(FA_ID) FROM FISAYR"))).toInt(), 1);
}

TEST_F(MuhEntegreTest, RepostRebuildsTheDocumentsOwnVoucher)
{
    db.exec(QStringLiteral("UPDATE NEWFIS SET MAHSUP_SB='MH'"));
    cariFis(5, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}});
    const auto ilk = post(QLatin1Char('C'), 5);
    ASSERT_EQ(ilk.sonuc, MuhasebeSonucu::Yazildi);
    db.exec(QStringLiteral("UPDATE CARIHRK SET BORC=40 WHERE CARI_NO=5 AND SIRANO=1"));
    db.exec(QStringLiteral("UPDATE CARIHRK SET ALACAK=40 WHERE CARI_NO=5 AND SIRANO=2"));
    ctx.AktifKullanici.name = QStringLiteral("İkinci");
    const auto ikinci = post(QLatin1Char('C'), 5);
    ASSERT_EQ(ikinci.sonuc, MuhasebeSonucu::Yazildi);
    EXPECT_EQ(ikinci.fisNo, ilk.fisNo);
    EXPECT_EQ(fisSayisi(), 1);
    EXPECT_EQ(satirlar(ilk.fisNo), (QStringList{QStringLiteral("120.01 B 40"), QStringLiteral("120.02 A 40")}));
    Query q(db, QStringLiteral("SELECT YEVMIYE_NO, FISNUMARA, INS_USER, UPD_USER, BORC FROM FIS"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.num(QStringLiteral("YEVMIYE_NO")), 1);
    EXPECT_EQ(q.str(QStringLiteral("FISNUMARA")), QStringLiteral("MH000001"));
    EXPECT_EQ(q.str(QStringLiteral("INS_USER")), QStringLiteral("Test Kullanıcısı"));
    EXPECT_EQ(q.str(QStringLiteral("UPD_USER")), QStringLiteral("İkinci"));
    EXPECT_EQ(q.num(QStringLiteral("BORC")), 40);
    q.finish();

    // Now unbalanced: the old voucher stays as it was.
    db.exec(QStringLiteral("UPDATE CARIHRK SET ALACAK=39 WHERE CARI_NO=5 AND SIRANO=2"));
    EXPECT_EQ(post(QLatin1Char('C'), 5).sonuc, MuhasebeSonucu::Reddedildi);
    EXPECT_EQ(satirlar(ilk.fisNo), (QStringList{QStringLiteral("120.01 B 40"), QStringLiteral("120.02 A 40")}));

    // A voucher in a closed period is not rebuilt.
    db.exec(QStringLiteral("UPDATE CARIHRK SET ALACAK=40 WHERE CARI_NO=5 AND SIRANO=2"));
    db.exec(QStringLiteral("UPDATE FIS SET TARIH=:T"), {{QStringLiteral("T"), QDateTime(QDate(2026, 1, 2), QTime())}});
    db.exec(QStringLiteral("UPDATE PARAMUH SET KILIT_TRH=:T"), {{QStringLiteral("T"), QDateTime(QDate(2026, 1, 31), QTime())}});
    messages.clear();
    EXPECT_EQ(post(QLatin1Char('C'), 5).sonuc, MuhasebeSonucu::Reddedildi);
    EXPECT_EQ(messages.lastText(), QStringLiteral("İlgili tarih için işlem yapılamaz!"));

    // A document pointing to a voucher that is gone gets a new one.
    db.exec(QStringLiteral("UPDATE PARAMUH SET KILIT_TRH=NULL"));
    MuhFisKaydiniSil(db, ilk.fisNo);
    const auto yeni = post(QLatin1Char('C'), 5);
    ASSERT_EQ(yeni.sonuc, MuhasebeSonucu::Yazildi);
    EXPECT_NE(yeni.fisNo, ilk.fisNo);
    EXPECT_EQ(fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=5")), yeni.fisNo);
}

TEST_F(MuhEntegreTest, WorkstationsPostingOneDocumentAtOnceLeaveOneVoucher)
{
    cariFis(7, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}});
    constexpr int kStations = 8;
    const QStringList failures = tornaly::test::OnWorkstations(database->profile(), kStations, [&](const Db& own, int) {
        SessionContext c = ctx;
        c.Database1 = own;
        const auto r = MuhasebeKayit(c, own, MuhasebeEntegreIstegi{QLatin1Char('C'), false, {}, 7});
        if (r.sonuc != MuhasebeSonucu::Yazildi)
            throw std::runtime_error("not posted");
    });
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(fisSayisi(), 1);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM FISAYR")), 2);
    EXPECT_EQ(fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=7")),
              deger(QStringLiteral("SELECT FISNO FROM FIS")));
}

TEST_F(MuhEntegreTest, FailureAtTheWriteBackLeavesNeitherVoucherNorMark)
{
    cariFis(8, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}});
    if (db.backend() == Backend::SQLite) {
        db.exec(QStringLiteral("CREATE TRIGGER TR_FISNO_RED BEFORE UPDATE OF FIS_NO ON CARIHRKM "
                               "WHEN NEW.FIS_NO IS NOT NULL AND OLD.FIS_NO IS NULL "
                               "BEGIN SELECT RAISE(ABORT, 'yazılamaz'); END"));
    } else {
        db.exec(QStringLiteral("CREATE FUNCTION FN_FISNO_RED() RETURNS trigger AS $$ BEGIN "
                               "IF NEW.FIS_NO IS NOT NULL AND OLD.FIS_NO IS NULL THEN RAISE EXCEPTION 'yazilamaz'; END IF; "
                               "RETURN NEW; END $$ LANGUAGE plpgsql"));
        db.exec(QStringLiteral("CREATE TRIGGER TR_FISNO_RED BEFORE UPDATE ON CARIHRKM "
                               "FOR EACH ROW EXECUTE FUNCTION FN_FISNO_RED()"));
    }
    EXPECT_THROW(post(QLatin1Char('C'), 8), DbError);
    EXPECT_EQ(fisSayisi(), 0);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM FISAYR")), 0);
    EXPECT_EQ(fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=8")), 0);
    EXPECT_EQ(deger(QStringLiteral("SELECT YENINO FROM NEWFIS")), 1);
    EXPECT_EQ(deger(QStringLiteral("SELECT YEVMIYE_NO FROM NEWFIS")), 1);
}

namespace {
// Answers like the scripted messages, and runs `arada` once at the first box:
// what another workstation does while the user reads the message.
class ArayaGiren : public ScriptedMessages {
public:
    std::function<void()> arada;
    MsgButton show(MsgIcon icon, const QString& text, MsgButtons buttons, MsgButton defaultButton,
                   const QString& caption) override
    {
        if (auto f = std::exchange(arada, {}))
            f();
        return ScriptedMessages::show(icon, text, buttons, defaultButton, caption);
    }
};
} // namespace

TEST_F(MuhEntegreTest, ARetryBuildsTheVoucherFromTheDocumentAsItIsThen)
{
    cariFis(9, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}});
    // The first write-back of the mark is refused as if the row were held.
    if (db.backend() == Backend::SQLite) {
        db.exec(QStringLiteral("CREATE TRIGGER TR_FISNO_MESGUL BEFORE UPDATE OF FIS_NO ON CARIHRKM "
                               "WHEN NEW.FIS_NO IS NOT NULL AND OLD.FIS_NO IS NULL "
                               "BEGIN SELECT RAISE(ABORT, 'database is locked'); END"));
    } else {
        db.exec(QStringLiteral("CREATE FUNCTION FN_FISNO_MESGUL() RETURNS trigger AS $$ BEGIN "
                               "IF NEW.FIS_NO IS NOT NULL AND OLD.FIS_NO IS NULL THEN "
                               "RAISE EXCEPTION 'mesgul' USING ERRCODE = '55P03'; END IF; "
                               "RETURN NEW; END $$ LANGUAGE plpgsql"));
        db.exec(QStringLiteral("CREATE TRIGGER TR_FISNO_MESGUL BEFORE UPDATE ON CARIHRKM "
                               "FOR EACH ROW EXECUTE FUNCTION FN_FISNO_MESGUL()"));
    }
    // While the busy message is up, another workstation changes the slip's amounts.
    ArayaGiren kutu;
    const Db diger = database->open(QStringLiteral("diger"));
    kutu.arada = [&] {
        db.exec(QStringLiteral("DROP TRIGGER TR_FISNO_MESGUL") +
                (db.backend() == Backend::SQLite ? QString() : QStringLiteral(" ON CARIHRKM")));
        diger.exec(QStringLiteral("UPDATE CARIHRK SET BORC = 25 WHERE CARI_NO = 9 AND BORC = 10"));
        diger.exec(QStringLiteral("UPDATE CARIHRK SET ALACAK = 25 WHERE CARI_NO = 9 AND ALACAK = 10"));
    };
    SetMessageService(&kutu);
    const auto r = post(QLatin1Char('C'), 9);
    SetMessageService(&messages);
    ASSERT_EQ(kutu.count(), 1) << kutu.texts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(r.sonuc, MuhasebeSonucu::Yazildi) << kutu.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(satirlar(r.fisNo), (QStringList{QStringLiteral("120.01 B 25"), QStringLiteral("120.02 A 25")}));
    EXPECT_EQ(fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=9")), r.fisNo);
}

TEST_F(MuhEntegreTest, CashMovements)
{
    auto hareket = [&](double no, const char* tur, const char* kasa, const char* karsi, double tutar) {
        db.exec(QStringLiteral("INSERT INTO KASAHRKT (TARIH, REF_TIP, HRKNO, SIRANO, HRK_TURU, KASAKOD, KARSIKOD, TUTAR) "
                               "VALUES (:T, 'w', :N, :S, :H, :K, :KA, :TU)"),
                {{QStringLiteral("T"), QDateTime(QDate(2026, 2, 3), QTime())}, {QStringLiteral("N"), no},
                 {QStringLiteral("S"), QLatin1String(tur) == QLatin1String("V") ? -1 : 0},
                 {QStringLiteral("H"), QLatin1String(tur)}, {QStringLiteral("K"), QLatin1String(kasa)},
                 {QStringLiteral("KA"), QLatin1String(karsi)}, {QStringLiteral("TU"), tutar}});
    };
    hareket(21, "B", "MERKEZ", "SUBE", 300);
    hareket(21, "V", "SUBE", "MERKEZ", 300); // the transfer's other half
    const auto r = post(QLatin1Char('P'), 21);
    ASSERT_EQ(r.sonuc, MuhasebeSonucu::Yazildi);
    EXPECT_EQ(satirlar(r.fisNo), (QStringList{QStringLiteral("100.01 B 300"), QStringLiteral("100.02 A 300")}));
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM KASAHRKT WHERE HRKNO=21 AND FIS_NO=:F"), {{QStringLiteral("F"), r.fisNo}}), 2);
    Query q(db, QStringLiteral("SELECT BELGE_TUR, BELGENO, ACIKLAMA FROM FIS"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("BELGE_TUR")), QStringLiteral("KS"));
    EXPECT_EQ(q.str(QStringLiteral("BELGENO")), QStringLiteral("21"));
    EXPECT_EQ(q.str(QStringLiteral("ACIKLAMA")), QStringLiteral("21 No.lu Kasa Hrk.Fişi"));
    q.finish();
    EXPECT_EQ(deger(QStringLiteral("SELECT MIN(BELGE_NO) FROM FISAYR")), 21); // KS lines take the document number

    // An opening gives no line: no voucher and no mark.
    hareket(22, "I", "MERKEZ", "", 50);
    EXPECT_EQ(post(QLatin1Char('P'), 22).sonuc, MuhasebeSonucu::SatirYok);
    EXPECT_EQ(fisSayisi(), 1);
    EXPECT_EQ(fisNo(QStringLiteral("KASAHRKT"), QStringLiteral("HRKNO=22")), 0);

    hareket(23, "B", "MERKEZ", "BOS", 10);
    EXPECT_EQ(post(QLatin1Char('P'), 23).sonuc, MuhasebeSonucu::EksikKod);
}

TEST_F(MuhEntegreTest, BankSlipsByType)
{
    bankaTablolari();
    struct Case {
        const char* ad;
        const char* tip;
        bool birlestir;
        QList<BankaSatir> satirlar;
        MuhasebeSonucu sonuc;
        QStringList beklenen;
        char tur;
    };
    const QList<Case> cases = {
        {"incoming", "G", false, {{"ZB", 500, 0, "C001", "", "", 0}}, MuhasebeSonucu::Yazildi,
         {"102.01 B 500", "120.01 A 500"}, 'M'},
        {"outgoing", "H", false, {{"ZB", 0, 200, "C002", "", "", 0}}, MuhasebeSonucu::Yazildi,
         {"102.01 A 200", "120.02 B 200"}, 'M'},
        {"card transfer with commission, balanced by a counter row", "R", false,
         {{"ZB", 0, 1000, "", "", "", 2}, {"ZB", 1000, 0, "", "", "", 0}}, MuhasebeSonucu::Yazildi,
         {"653.01 A 20", "102.01 A 980", "102.01 B 1000"}, 'M'},
        {"virman of two rows", "V", false, {{"ZB", 0, 70, "", "", "", 0}, {"YK", 70, 0, "", "", "", 0}},
         MuhasebeSonucu::Yazildi, {"102.01 A 70", "102.01 B 70"}, 'M'},
        {"a virman row alone does not balance", "V", false, {{"ZB", 0, 70, "", "", "", 0}},
         MuhasebeSonucu::Reddedildi, {}, 'M'},
        {"other with counter account, merged on request", "M", true,
         {{"ZB", 0, 30, "", "", "770.01", 0}, {"ZB", 0, 20, "", "", "770.01", 0}}, MuhasebeSonucu::Yazildi,
         {"102.01 A 50", "770.01 B 50"}, 'M'},
        {"bank to cash box", "I", false, {{"ZB", 0, 90, "", "MERKEZ", "", 0}}, MuhasebeSonucu::Yazildi,
         {"100.01 B 90", "102.01 A 90"}, 'C'},
        {"commission account missing", "R", false, {{"YK", 0, 100, "", "", "", 2}}, MuhasebeSonucu::EksikKod, {}, 'M'},
    };
    double no = 40;
    for (const Case& c : cases) {
        bankaFis(++no, c.tip, c.satirlar);
        const auto r = post(QLatin1Char('B'), no, c.birlestir);
        EXPECT_EQ(r.sonuc, c.sonuc) << c.ad;
        if (c.sonuc != MuhasebeSonucu::Yazildi) {
            EXPECT_EQ(fisNo(QStringLiteral("BANKHRK"), QStringLiteral("HRK_NO=%1").arg(no)), 0) << c.ad;
            continue;
        }
        EXPECT_EQ(satirlar(r.fisNo), c.beklenen) << c.ad;
        EXPECT_EQ(deger(QStringLiteral("SELECT COUNT(*) FROM FIS WHERE FISNO=:F AND TUR=:T AND BELGE_TUR='BN'"),
                        {{QStringLiteral("F"), r.fisNo}, {QStringLiteral("T"), QString(QLatin1Char(c.tur))}}),
                  1) << c.ad;
        EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM FISAYR WHERE FISNO=:F AND BELGE_NO<>'D-1'"),
                      {{QStringLiteral("F"), r.fisNo}}), 0) << c.ad;
    }
}

TEST_F(MuhEntegreTest, WorkOrderInvoiceLinesByCase)
{
    faturaTablolari();
    struct Case {
        const char* ad;
        const char* tur;
        const char* iskDus;
        QList<FatSatir> satirlar;
        double tevkifat;
        QStringList beklenen;
    };
    const QList<Case> cases = {
        {"parts and labour share the goods and VAT lines", "I", "D",
         {{'P', "P1", 100, 10}, {'I', "L1", 50, 0}, {'P', "P2", 30, 0}}, 0,
         {"120.01 B 216", "600.01 A 150", "391.01 A 36", "600.02 A 30"}},
        {"warranty goes to the warranty accounts", "G", "H", {{'P', "P1", 100, 10}, {'I', "L1", 50, 5}}, 0,
         {"120.01 B 180", "611.01 B 15", "601.01 A 165", "391.01 A 30"}},
        {"gross with the discount apart", "I", "H", {{'P', "P1", 100, 10}}, 0,
         {"120.01 B 120", "610.01 B 10", "600.01 A 110", "391.01 A 20"}},
        {"withheld VAT on the debit side", "I", "D", {{'P', "P1", 100, 0}}, 8,
         {"120.01 B 112", "391.02 B 8", "600.01 A 100", "391.01 A 20"}},
    };
    db.exec(QStringLiteral("UPDATE PARAFAT SET MUH_KDVTEV_S='391.02'"));
    double no = 60;
    for (const Case& c : cases) {
        db.exec(QStringLiteral("UPDATE PARAMUH SET ISK_DUS=:I"), {{QStringLiteral("I"), QLatin1String(c.iskDus)}});
        fatura(++no, c.tur, "C001", c.satirlar, c.tevkifat);
        const auto r = post(QLatin1Char('I'), no);
        ASSERT_EQ(r.sonuc, MuhasebeSonucu::Yazildi) << c.ad << messages.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(satirlar(r.fisNo), c.beklenen) << c.ad;
        EXPECT_EQ(fisNo(QStringLiteral("SERFAT"), QStringLiteral("SATIS_NO=%1").arg(no)), r.fisNo);
    }
    Query q(db, QStringLiteral("SELECT ACIKLAMA, BELGE_TUR, BELGENO FROM FIS WHERE ENT_REF_NO=62"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("ACIKLAMA")), QStringLiteral("IE-62 nolu Gar.Fat. C001-Müşteri C001 Hes.a Satış"));
    EXPECT_EQ(q.str(QStringLiteral("BELGE_TUR")), QStringLiteral("FT"));
    EXPECT_EQ(q.str(QStringLiteral("BELGENO")), QStringLiteral("IE-62"));
    EXPECT_TRUE(pencereler.isEmpty());
}

TEST_F(MuhEntegreTest, WorkOrderInvoiceMissingCodesOpenTheWindow)
{
    faturaTablolari();
    fatura(71, "I", "C001", {{'P', "P3", 100, 0}});              // part card without sales account
    fatura(72, "I", "C003", {{'P', "P1", 100, 0}});              // customer without account
    fatura(73, "I", "C001", {{'P', "P1", 100, 0}}, 5);           // withholding account not set
    for (double no : {71.0, 72.0}) {
        messages.clear();
        EXPECT_EQ(post(QLatin1Char('I'), no).sonuc, MuhasebeSonucu::EksikKod);
        EXPECT_EQ(messages.texts(), QStringList{eksikMesaj});
    }
    ASSERT_EQ(pencereler.size(), 2);
    ASSERT_EQ(pencereler.first().parcalar.satirlar.size(), 1);
    EXPECT_EQ(pencereler.first().parcalar.satirlar.first().first(), QStringLiteral("P3"));
    EXPECT_TRUE(pencereler.first().iscilikler.satirlar.isEmpty());
    messages.clear();
    EXPECT_EQ(post(QLatin1Char('I'), 73).sonuc, MuhasebeSonucu::EksikKod);
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("73.Nolu İ.Fatura KDV Tev. Muh Kodu Eksik ya da Hatalı."),
                                             eksikMesaj}));
    EXPECT_EQ(fisSayisi(), 0);
    EXPECT_EQ(post(QLatin1Char('I'), 99).sonuc, MuhasebeSonucu::EksikKod); // no such invoice
}

TEST_F(MuhEntegreTest, RoundedWorkOrderInvoicePostsTheHeadersFigures)
{
    faturaTablolari();
    db.exec(QStringLiteral("INSERT INTO MUHKDVAYR (MUHKDV_KOD, KDV, MUH_KDV_S, MUH_KDV_A_IADE) VALUES ('K1', 10, '391.01', '191.01')"));
    db.exec(QStringLiteral("UPDATE PARAFAT SET MUH_KDVTEV_S='391.02'"));
    db.exec(QStringLiteral("UPDATE STOK SET MUH_ISK_S='610.01' WHERE STOK_KOD_NO='P2'"));
    // Prices and quantities whose amounts run past the cent, at two VAT rates.
    const QList<TamSatir> satirlar = {{'P', "P1", 33.3367, 3, 0, 20},
                                      {'P', "P2", 12.345, 7, 7.5, 20},
                                      {'I', "L1", 200.003, 1.5, 2.5, 10}};
    const QList<TamSatir> garanti = {{'P', "P1", 33.3367, 3, 3.3, 20}, {'I', "L1", 200.003, 1.5, 2.5, 10}};
    struct Case {
        const char* ad;
        const char* turu;
        const char* iskDus;
        const char* kdvTev;
        QList<TamSatir> satirlar;
        QStringList mal, isk; // goods and discount accounts
    };
    const QList<Case> cases = {
        {"net amounts", "I", "D", "0", satirlar, {"600.01", "600.02"}, {}},
        {"discount posted apart", "I", "H", "0", satirlar, {"600.01", "600.02"}, {"610.01"}},
        {"withheld VAT (1/3)", "I", "D", "2", satirlar, {"600.01", "600.02"}, {}},
        {"warranty invoice, discount apart", "G", "H", "0", garanti, {"601.01"}, {"611.01"}},
    };
    double no = 100;
    for (const char* harf : {"Y", "A", "T"}) {
        ctx.FatYuvarTip = QLatin1String(harf);
        const bool yuvarlanan = ctx.FatYuvarTip != QLatin1String("T");
        for (const Case& c : cases) {
            const std::string ad = std::string(c.ad) + " / " + harf;
            db.exec(QStringLiteral("UPDATE PARAMUH SET ISK_DUS=:I"), {{QStringLiteral("I"), QLatin1String(c.iskDus)}});
            const auto t = hesapliFatura(++no, c.turu, c.satirlar, c.kdvTev, ctx.FatYuvarTip);
            const QVariantMap n{{QStringLiteral("N"), no}};
            const double satirToplami =
                deger(QStringLiteral("SELECT SUM(GER_TUT) + SUM(GER_TUT * KDV * 0.01) FROM SERFATDT WHERE SATIS_NO=:N"), n);
            // The rounded header and its lines part by more than the balance
            // tolerance: these are the invoices the ledger used to refuse.
            if (yuvarlanan) {
                EXPECT_GT(std::abs(satirToplami - (t.NET_TUTAR + t.KDVTEV_TUT)), 0.001) << ad;
            }

            messages.clear();
            const auto r = post(QLatin1Char('I'), no);
            ASSERT_EQ(r.sonuc, MuhasebeSonucu::Yazildi) << ad << " " << messages.texts().join(QLatin1Char('|')).toStdString();
            const QVariantMap f{{QStringLiteral("F"), r.fisNo}};
            const double borc = deger(QStringLiteral("SELECT SUM(BORC) FROM FISAYR WHERE FISNO=:F"), f);
            const double alacak = deger(QStringLiteral("SELECT SUM(ALACAK) FROM FISAYR WHERE FISNO=:F"), f);
            EXPECT_NEAR(borc, alacak, 1e-6) << ad;
            EXPECT_NEAR(deger(QStringLiteral("SELECT BORC FROM FIS WHERE FISNO=:F"), f), borc, 1e-6) << ad;
            EXPECT_NEAR(hesapToplami(r.fisNo, "BORC", {QStringLiteral("120.01")}), t.NET_TUTAR, 1e-6) << ad;
            EXPECT_NEAR(hesapToplami(r.fisNo, "BORC", {QStringLiteral("391.02")}), t.KDVTEV_TUT, 1e-6) << ad;
            EXPECT_NEAR(hesapToplami(r.fisNo, "ALACAK", {QStringLiteral("391.01")}), t.KDV_TUTARI, 1e-6) << ad;
            const QStringList& mal = c.mal;
            const bool ayri = QLatin1String(c.iskDus) == QLatin1String("H");
            EXPECT_NEAR(hesapToplami(r.fisNo, "ALACAK", mal), ayri ? t.BRUT_TUTAR : t.TOPLAM_TUTAR, 1e-6) << ad;
            if (ayri) {
                EXPECT_NEAR(hesapToplami(r.fisNo, "BORC", c.isk), t.INDIRIM, 1e-6) << ad;
            }
            if (mal.contains(QStringLiteral("600.02"))) {
                // The difference goes to the largest group (labour L1 on
                // 600.01); the small part P2 keeps its own amount.
                const double p2 = deger(ayri ? QStringLiteral("SELECT SUM(GER_TUT + ISK_TUT) FROM SERFATDT WHERE SATIS_NO=:N AND PI_KOD='P2'")
                                             : QStringLiteral("SELECT SUM(GER_TUT) FROM SERFATDT WHERE SATIS_NO=:N AND PI_KOD='P2'"),
                                        n);
                EXPECT_NEAR(hesapToplami(r.fisNo, "ALACAK", {QStringLiteral("600.02")}), p2, 1e-6) << ad;
            }
            EXPECT_TRUE(messages.texts().isEmpty()) << ad << messages.texts().join(QLatin1Char('|')).toStdString();
        }
    }

    // A header that parts from its lines by more than rounding is no rounding
    // matter: the voucher is still refused and the invoice stays unposted.
    ctx.FatYuvarTip = QStringLiteral("Y");
    db.exec(QStringLiteral("UPDATE PARAMUH SET ISK_DUS='D'"));
    hesapliFatura(++no, "I", satirlar, "0", ctx.FatYuvarTip);
    db.exec(QStringLiteral("UPDATE SERFAT SET NET_TUTAR=NET_TUTAR+1, TOPLAM_TUTAR=TOPLAM_TUTAR+1 WHERE SATIS_NO=:N"),
            {{QStringLiteral("N"), no}});
    messages.clear();
    EXPECT_EQ(post(QLatin1Char('I'), no).sonuc, MuhasebeSonucu::Reddedildi);
    EXPECT_TRUE(messages.texts().join(QLatin1Char('|')).contains(QStringLiteral("Dengesiz Fiş Kaydı Yapılamaz")));
    EXPECT_EQ(fisNo(QStringLiteral("SERFAT"), QStringLiteral("SATIS_NO=%1").arg(no)), 0);
}

TEST_F(MuhEntegreTest, DeletingAVoucherClearsItsDocumentsMark)
{
    faturaTablolari();
    fatura(81, "I", "C001", {{'P', "P1", 100, 0}});
    fatura(82, "I", "C001", {{'P', "P2", 50, 0}});
    const auto ilk = post(QLatin1Char('I'), 81);
    const auto ikinci = post(QLatin1Char('I'), 82);
    ASSERT_EQ(ilk.sonuc, MuhasebeSonucu::Yazildi);
    ASSERT_EQ(ikinci.sonuc, MuhasebeSonucu::Yazildi);
    const QVariantMap f{{QStringLiteral("F"), ilk.fisNo}};
    auto fisVar = [&] {
        return say(QStringLiteral("SELECT COUNT(*) FROM FIS WHERE FISNO=:F"), f) +
               say(QStringLiteral("SELECT COUNT(*) FROM FISAYR WHERE FISNO=:F"), f);
    };
    const int satirli = fisVar();
    ASSERT_GT(satirli, 1);

    // In a closed period nothing moves.
    db.exec(QStringLiteral("UPDATE PARAMUH SET KILIT_TRH=:T"), {{QStringLiteral("T"), QDateTime(QDate(2026, 4, 2), QTime())}});
    messages.clear();
    EXPECT_EQ(MuhFisSil(ctx, db, ilk.fisNo), FisSilmeSonucu::KilitliDonem);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("İlgili tarih için işlem yapılamaz!")});
    EXPECT_EQ(fisVar(), satirli);
    EXPECT_EQ(fisNo(QStringLiteral("SERFAT"), QStringLiteral("SATIS_NO=81")), ilk.fisNo);

    // A mark that cannot be cleared (a row the update skips) rolls the whole
    // delete back.
    db.exec(QStringLiteral("UPDATE PARAMUH SET KILIT_TRH=:T"), {{QStringLiteral("T"), QDateTime(QDate(2026, 4, 1), QTime())}});
    if (db.backend() == Backend::SQLite) {
        db.exec(QStringLiteral("CREATE TRIGGER TR_FISNO_KALSIN BEFORE UPDATE OF FIS_NO ON SERFAT "
                               "WHEN NEW.FIS_NO IS NULL BEGIN SELECT RAISE(IGNORE); END"));
    } else {
        db.exec(QStringLiteral("CREATE FUNCTION FN_FISNO_KALSIN() RETURNS trigger AS $$ BEGIN "
                               "IF NEW.FIS_NO IS NULL THEN RETURN NULL; END IF; RETURN NEW; END $$ LANGUAGE plpgsql"));
        db.exec(QStringLiteral("CREATE TRIGGER TR_FISNO_KALSIN BEFORE UPDATE ON SERFAT "
                               "FOR EACH ROW EXECUTE FUNCTION FN_FISNO_KALSIN()"));
    }
    EXPECT_THROW(MuhFisSil(ctx, db, ilk.fisNo), DbError);
    EXPECT_EQ(fisVar(), satirli);
    EXPECT_EQ(fisNo(QStringLiteral("SERFAT"), QStringLiteral("SATIS_NO=81")), ilk.fisNo);
    db.exec(QStringLiteral("DROP TRIGGER TR_FISNO_KALSIN") +
            (db.backend() == Backend::SQLite ? QString() : QStringLiteral(" ON SERFAT")));

    // The day after the lock: the voucher and the invoice's mark go together,
    // the other invoice keeps its voucher.
    messages.clear();
    EXPECT_EQ(MuhFisSil(ctx, db, ilk.fisNo), FisSilmeSonucu::Silindi);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(fisVar(), 0);
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO=81 AND FIS_NO IS NULL")), 1);
    EXPECT_EQ(fisNo(QStringLiteral("SERFAT"), QStringLiteral("SATIS_NO=82")), ikinci.fisNo);
    EXPECT_EQ(MuhFisSil(ctx, db, ilk.fisNo), FisSilmeSonucu::FisYok);

    // Unmarked, the invoice posts again onto a voucher of its own.
    const auto yeni = post(QLatin1Char('I'), 81);
    ASSERT_EQ(yeni.sonuc, MuhasebeSonucu::Yazildi);
    EXPECT_EQ(fisNo(QStringLiteral("SERFAT"), QStringLiteral("SATIS_NO=81")), yeni.fisNo);

    // A current-account slip's voucher: its head loses the mark as well.
    cariFis(9, QStringLiteral("D"), {{"C001", 10, 0, ""}, {"C002", 0, 10, ""}});
    const auto cari = post(QLatin1Char('C'), 9);
    ASSERT_EQ(cari.sonuc, MuhasebeSonucu::Yazildi);
    EXPECT_EQ(MuhFisSil(ctx, db, cari.fisNo), FisSilmeSonucu::Silindi);
    EXPECT_EQ(fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=9")), 0);
}

TEST_F(MuhEntegreTest, SwitchesPerDocumentKind)
{
    struct Case { const char* tablo; const char* kolon; const char* deger; char tur; MuhasebeAktarimi beklenen; };
    for (const Case& c : {Case{"PARAMUH", "C_MUH_KAY", "O", 'C', MuhasebeAktarimi::Aktar},
                          Case{"PARAMUH", "C_MUH_KAY", "S", 'P', MuhasebeAktarimi::Sor},
                          Case{"PARAMUH", "C_MUH_KAY", "Y", 'C', MuhasebeAktarimi::Aktarma},
                          Case{"PARAMUH", "IE_MUH_KAY", "O", 'I', MuhasebeAktarimi::Aktar},
                          Case{"PARAMUH", "S_MUH_KAY", "O", 'I', MuhasebeAktarimi::Aktarma},
                          Case{"PARAFAT", "MUH_KAY", "E", 'B', MuhasebeAktarimi::Aktar},
                          Case{"PARAFAT", "MUH_KAY", "S", 'B', MuhasebeAktarimi::Sor},
                          Case{"PARAFAT", "MUH_KAY", "H", 'B', MuhasebeAktarimi::Aktarma},
                          Case{"PARAFAT", "C_MUH_KAY", "E", 'E', MuhasebeAktarimi::Aktar},
                          Case{"PARAMUH", "C_MUH_KAY", "O", 'H', MuhasebeAktarimi::Aktarma}}) {
        db.exec(QStringLiteral("UPDATE PARAMUH SET S_MUH_KAY=NULL, IE_MUH_KAY=NULL"));
        db.exec(QStringLiteral("UPDATE %1 SET %2=:V").arg(QLatin1String(c.tablo), QLatin1String(c.kolon)),
                {{QStringLiteral("V"), QLatin1String(c.deger)}});
        EXPECT_EQ(MuhasebeAnahtari(db, QLatin1Char(c.tur)), c.beklenen) << c.kolon << c.deger << c.tur;
    }
    EXPECT_EQ(post(QLatin1Char('H'), 1).sonuc, MuhasebeSonucu::TurYok);
}

TEST_F(MuhEntegreTest, SavedCurrentAccountVoucherPostsThroughTheHook)
{
    MuhasebeBaglantisiniKur();
    ctx.AktifKullanici.diger10 = QStringLiteral("Y");
    ctx.KilitTarihi = QDate();
    accounts::CariHrkFisi f;
    f.TIP = QStringLiteral("D");
    f.TARIH = QDate(2026, 5, 5);
    for (const auto& [kod, borc, alacak] : {std::tuple{"C001", 80.0, 0.0}, std::tuple{"C002", 0.0, 80.0}}) {
        accounts::CariHrkFisSatiri s;
        s.CARI_KOD = QLatin1String(kod);
        if (borc > 0)
            s.BORC = borc;
        if (alacak > 0)
            s.ALACAK = alacak;
        f.satirlar << s;
    }
    f.toplamlariHesapla();
    const double no = accounts::CariHrkFisKaydet(ctx, db, f);
    EXPECT_TRUE(accounts::CariHrkMuhasebeyeAktar(ctx, db, f));
    SetMuhasebeEntegre({}, {});
    const double fis = fisNo(QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=%1").arg(no));
    ASSERT_GT(fis, 0);
    EXPECT_EQ(satirlar(fis), (QStringList{QStringLiteral("120.01 B 80"), QStringLiteral("120.02 A 80")}));
    // A posted voucher can no longer be deleted from the accounts side.
    EXPECT_THROW(accounts::CariHrkFisSil(ctx, db, no), accounts::CariHrkFisHatasi);
}

} // namespace

namespace {

class MuhMasrafTest : public MuhEntegreTest {
protected:
    struct Satir {
        const char* tip;
        const char* kod;
        double borc, alacak, kdv;
        const char* karsi;
        double isin = 0, vergi = 0;
    };
    void slip(double no, const char* tip, const QList<Satir>& satirlar)
    {
        db.exec(QStringLiteral("INSERT INTO FISG (HRK_NO, TARIH, TIP) VALUES (:N, :T, :P)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("T"), QDateTime(QDate(2026, 6, 3), QTime())},
                 {QStringLiteral("P"), QLatin1String(tip)}});
        int sira = 0;
        for (const auto& s : satirlar)
            db.exec(QStringLiteral("INSERT INTO FISGA (HRK_NO, SIRA_NO, TIP, STOK_NO, KOD, ACIKLAMA1, BORC, ALACAK, KDV, "
                                   "KDV_TUT, MUH_KARSI, ISIN_TUTARI, VERGI_TUTARI) VALUES (:N, :S, :P, 1, :K, 'x', :B, "
                                   ":A, :KDV, :KT, :M, :I, :V)"),
                    {{QStringLiteral("N"), no}, {QStringLiteral("S"), ++sira}, {QStringLiteral("P"), QLatin1String(s.tip)},
                     {QStringLiteral("K"), QLatin1String(s.kod)}, {QStringLiteral("B"), s.borc},
                     {QStringLiteral("A"), s.alacak}, {QStringLiteral("KDV"), s.kdv},
                     {QStringLiteral("KT"), (s.borc + s.alacak) * s.kdv / (100 + s.kdv)},
                     {QStringLiteral("M"), QLatin1String(s.karsi)}, {QStringLiteral("I"), s.isin},
                     {QStringLiteral("V"), s.vergi}});
    }
};

// Cash and offset slips: each row kind to its card's accounts, VAT to the
// account of its rate, the voucher typed by the slip's kind.
TEST_F(MuhMasrafTest, SlipRowsPostToTheirCardsAndVat)
{
    faturaTablolari();
    db.exec(QStringLiteral("UPDATE MUHKDVAYR SET MUH_KDV_A='191.01'"));
    db.exec(QStringLiteral("UPDATE FRT SET MUH_A='770.01'"));
    db.exec(QStringLiteral("UPDATE PARAFAT SET MUH_KDV_A='K1'"));
    struct Case {
        const char* ad;
        const char* tip;
        QList<Satir> satirlar;
        QStringList beklenen;
        char tur;
        const char* belgeTur;
    };
    const QList<Case> cases = {
        {"expense with VAT paid in cash", "M", {{"M", "L1", 120, 0, 20, ""}, {"K", "MERKEZ", 0, 120, 0, ""}},
         {"100.01 A 120", "770.01 B 100", "191.01 B 20"}, 'E', "MF"},
        {"collection from a customer", "N", {{"K", "MERKEZ", 50, 0, 0, ""}, {"C", "C001", 0, 50, 0, ""}},
         {"100.01 B 50", "120.01 A 50"}, 'C', "KS"},
        {"customer row with its own counter account", "V", {{"C", "C001", 30, 0, 0, "120.02"}, {"C", "C002", 0, 30, 0, ""}},
         {"120.02 B 30", "120.02 A 30"}, 'M', ""},
        {"expense voucher posts the job less VAT and credits the tax", "V",
         {{"G", "L1", 110, 0, 0, "391.02", 120, 10}, {"K", "MERKEZ", 0, 110, 0, ""}},
         {"770.01 B 120", "391.02 A 10", "100.01 A 110"}, 'M', ""},
    };
    double no = 70;
    for (const Case& c : cases) {
        slip(++no, c.tip, c.satirlar);
        const auto r = post(QLatin1Char('X'), no);
        ASSERT_EQ(r.sonuc, MuhasebeSonucu::Yazildi) << c.ad;
        QStringList gelen = satirlar(r.fisNo);
        QStringList beklenen = c.beklenen;
        gelen.sort();
        beklenen.sort();
        EXPECT_EQ(gelen, beklenen) << c.ad;
        EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM FIS WHERE FISNO=:F AND TUR=:T AND ENT_TIP='M' AND "
                                     "COALESCE(BELGE_TUR, '')=:B"),
                      {{QStringLiteral("F"), r.fisNo}, {QStringLiteral("T"), QString(QLatin1Char(c.tur))},
                       {QStringLiteral("B"), QLatin1String(c.belgeTur)}}),
                  1) << c.ad;
        EXPECT_EQ(fisNo(QStringLiteral("FISG"), QStringLiteral("HRK_NO=%1").arg(no)), r.fisNo) << c.ad;
    }
    // A slip whose mark points to another document's voucher changes nothing.
    const double baska = fisNo(QStringLiteral("FISG"), QStringLiteral("HRK_NO=71"));
    db.exec(QStringLiteral("UPDATE FISG SET FIS_NO=:F WHERE HRK_NO=72"), {{QStringLiteral("F"), baska}});
    const int once = say(QStringLiteral("SELECT COUNT(*) FROM FISAYR"));
    messages.clear();
    MuhasebeKayit(ctx, db, MuhasebeEntegreIstegi{QLatin1Char('X'), false, baska, 72});
    EXPECT_TRUE(messages.contains(QStringLiteral("İlgili Muhasebe Fişi üzerinde değişiklik yapılamaz!")));
    EXPECT_EQ(say(QStringLiteral("SELECT COUNT(*) FROM FISAYR")), once);
}

} // namespace
