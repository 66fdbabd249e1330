#include "accounts/demo/AccountsDemo.h"
#include "accounts/documents/Dokuman.h"
#include "accounts/receipts/MakbuzSablon.h"

#include "accounts/bank/Banka.h"
#include "accounts/bank/BankaHrk.h"
#include "accounts/cards/CariKart.h"
#include "accounts/cash/MahsupFis.h"
#include "accounts/cash/Kasa.h"
#include "accounts/codes/CariKodlari.h"
#include "accounts/plans/OdePlan.h"
#include "accounts/vouchers/CariHrkFis.h"
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"

namespace tornaly::accounts {

namespace {

struct DemoCari {
    const char* kod;
    const char* ad;
    const char* grup;
    const char* cinsiyet;
    const char* il;
    const char* tel;
    const char* gsm;
    int vade;
};

const DemoCari kCariler[] = {
    {"120.001", "Ayşe Yılmaz", "K", "K", "İSTANBUL", "(216)555 1201", "(532)411 2201", 0},
    {"120.002", "Mehmet Öztürk", "K", "E", "İSTANBUL", "(212)555 1302", "(533)412 2302", 0},
    {"120.003", "Zeynep Çelik", "K", "K", "ANKARA", "(312)444 1403", "(535)413 2403", 0},
    {"120.004", "Ali Şahin", "K", "E", "İZMİR", "(232)333 1504", "(536)414 2504", 0},
    {"120.005", "Fatma Kaya", "K", "K", "BURSA", "(224)222 1605", "(537)415 2605", 0},
    {"120.006", "Hüseyin Doğan", "K", "E", "ANKARA", "(312)444 1706", "(538)416 2706", 0},
    {"120.007", "Elif Arslan", "K", "K", "İSTANBUL", "(216)555 1807", "(539)417 2807", 0},
    {"120.008", "İbrahim Koç", "K", "E", "İZMİR", "(232)333 1908", "(530)418 2908", 0},
    {"120.101", "Yıldız Lojistik A.Ş.", "F", "F", "İSTANBUL", "(212)600 2101", "(532)500 3101", 30},
    {"120.102", "Anadolu Kiralama Ltd. Şti.", "F", "F", "ANKARA", "(312)600 2102", "(533)500 3102", 45},
    {"120.103", "Ege Turizm Taşımacılık", "R", "F", "İZMİR", "(232)600 2103", "(535)500 3103", 30},
    {"120.104", "Marmara İnşaat San. Tic.", "R", "F", "BURSA", "(224)600 2104", "(536)500 3104", 15},
    {"120.201", "Güven Sigorta A.Ş.", "S", "F", "İSTANBUL", "(212)700 2201", "(532)600 3201", 60},
    {"120.202", "Kalkan Sigorta A.Ş.", "S", "F", "İSTANBUL", "(212)700 2202", "(533)600 3202", 60},
    {"320.001", "Özkan Yedek Parça Tic.", "T", "F", "İSTANBUL", "(212)800 2301", "(532)700 3301", 30},
    {"320.002", "Başkent Madeni Yağ Ltd.", "T", "F", "ANKARA", "(312)800 2302", "(533)700 3302", 45},
    {"320.003", "Akdeniz Lastik San.", "T", "F", "İZMİR", "(232)800 2303", "(535)700 3303", 30},
    {"320.004", "Distribütör Otomotiv A.Ş.", "D", "F", "İSTANBUL", "(216)800 2304", "(536)700 3304", 60},
    {"120.301", "Çağdaş Oto Bayi", "B", "F", "BURSA", "(224)900 2401", "(537)800 3401", 30},
    {"120.302", "Işık Otomotiv Bayi", "B", "F", "ANKARA", "(312)900 2402", "(538)800 3402", 30},
};

} // namespace

// Two banks with accounts of several types, their vouchers, and cash and
// offset slips, one of them for a walk-in customer.
static void bankalar(const SessionContext& ctx, const Db& db, const QDate& bugun)
{
    BankaKaydet(db, {QStringLiteral("ZRT"), QStringLiteral("Ziraat Bankası"), QStringLiteral("Kadıköy")}, true);
    BankaKaydet(db, {QStringLiteral("YKB"), QStringLiteral("Yapı Kredi Bankası"), QStringLiteral("Nilüfer")}, true);
    const auto hesap = [&](const char* banka, const char* no, const char* ad, const char* tur, const char* doviz,
                           double komisyon) {
        BankaHesabi h;
        h.BANKA_KOD = QLatin1String(banka);
        h.HESAP_NO = QLatin1String(no);
        h.HESAP_ADI = QString::fromUtf8(ad);
        h.HESAR_TURU = QLatin1String(tur);
        h.DOVIZ_KODU = QLatin1String(doviz);
        h.KOMISYON = komisyon;
        h.IBAN = QStringLiteral("TR00 0001 0000 %1").arg(QLatin1String(no));
        h.MUH_CHES = QStringLiteral("102.01");
        h.MUH_KOMISYON = QStringLiteral("653.01");
        BankaHesabiKaydet(ctx, db, h, true);
    };
    hesap("ZRT", "4411-001", "Vadesiz TL", "1", "TL", 0);
    hesap("ZRT", "4411-002", "Dövizli Hesap", "3", "USD", 0);
    hesap("ZRT", "4411-900", "POS Geçici Hesabı", "5", "TL", 1.8);
    hesap("YKB", "7720-001", "Ticari Hesap", "1", "TL", 0);
    hesap("YKB", "7720-050", "Taşıt Kredisi", "2", "TL", 0);
    const auto fis = [&](const char* tip, int gun, QList<BankaHrkaSatiri> satirlar) {
        BankaHrkFisi f;
        f.TIP = QLatin1String(tip);
        f.TARIH = bugun.addDays(-gun);
        for (int i = 0; i < satirlar.size(); ++i)
            satirlar[i].SIRANO = i + 1;
        f.satirlar = satirlar;
        BankaHrkKaydet(ctx, db, f);
    };
    const auto satir = [&](const char* banka, const char* no, double borc, double alacak, const char* cari = "",
                           const char* aciklama = "") {
        BankaHrkaSatiri s;
        s.BANKA_KOD = QLatin1String(banka);
        s.HESAP_NO = QLatin1String(no);
        s.BORC = borc;
        s.ALACAK = alacak;
        s.CARI_KOD = QLatin1String(cari);
        s.DOVIZ_KODU = ctx.YerelPara;
        s.ACIKLAMA = QString::fromUtf8(aciklama);
        return s;
    };
    fis("A", 30, {satir("ZRT", "4411-001", 85000, 0, "", "Açılış bakiyesi"),
                  satir("YKB", "7720-001", 42000, 0, "", "Açılış bakiyesi")});
    fis("G", 21, {satir("ZRT", "4411-001", 18500, 0, "120.101", "Servis faturası havalesi")});
    fis("H", 14, {satir("YKB", "7720-001", 0, 14300, "320.001", "Yedek parça ödemesi")});
    fis("K", 9, {satir("ZRT", "4411-900", 3250, 0, "120.002", "POS tahsilatı")});
    fis("V", 6, {satir("ZRT", "4411-001", 0, 10000, "", "Hesaplar arası virman"),
                 satir("YKB", "7720-001", 10000, 0, "", "Hesaplar arası virman")});
    BankaHrkaSatiri kasa = satir("ZRT", "4411-001", 0, 4000, "", "Kasaya nakit çekim");
    kasa.KASAKOD = QStringLiteral("MERKEZ");
    fis("I", 3, {kasa});

    const auto mfis = [&](const char* tip, int gun, QList<MahsupSatiri> satirlar) {
        MahsupFisi f;
        f.TIP = QLatin1String(tip);
        f.TARIH = bugun.addDays(-gun);
        for (int i = 0; i < satirlar.size(); ++i)
            satirlar[i].SIRA_NO = i + 1;
        f.satirlar = satirlar;
        MahsupFisKaydet(ctx, db, f);
    };
    const auto ms = [&](const char* tip, const char* kod, const char* ad, double borc, double alacak, double kdv = 0) {
        MahsupSatiri s;
        s.TIP = QLatin1String(tip);
        s.KOD = QString::fromUtf8(kod);
        s.ACIKLAMA1 = QString::fromUtf8(ad);
        s.BORC = borc;
        s.ALACAK = alacak;
        s.KDV = kdv;
        s.DOVIZ_CINS = ctx.YerelPara;
        return s;
    };
    mfis("N", 12, {ms("K", "MERKEZ", "Merkez Kasa", 1750, 0), ms("C", "120.003", "Zeynep Çelik", 0, 1750)});
    mfis("M", 8, {ms("M", "TEMIZLIK", "Atölye temizliği", 1200, 0, 20), ms("K", "MERKEZ", "Merkez Kasa", 0, 1200)});
    MahsupSatiri banka = ms("B", "YKB", "Yapı Kredi Bankası/7720-001", 0, 2500);
    banka.BANKA_KOD = QStringLiteral("7720-001");
    mfis("V", 4, {ms("C", "320.001", "Tedarikçi", 2500, 0), banka});
    MahsupSatiri pesin = ms("P", "Hasan Kaya", "Hasan Kaya", 0, 0);
    pesin.ACIKLAMA2 = QStringLiteral("Yol yardım");
    mfis("A", 1, {ms("M", "YOLYARDIM", "Yol yardım hizmeti", 600, 0), pesin, ms("K", "MERKEZ", "Merkez Kasa", 0, 600)});
}

void AccountsDemoSeed(const Db& db)
{
    // The provinces, districts and countries come with every new company (IlIlceUlkeYukle).
    for (const char* kod : {"VIP", "KURUMSAL", "BAYİ AĞI"})
        CariOzelKodEkle(db, 1, QString::fromUtf8(kod));
    db.exec(QStringLiteral("INSERT INTO BAYILER (BAYI_KOD, BAYI_AD, BAYI_KISA_AD, SEHIR, TEL1) VALUES "
                           "('B0101', 'Çağdaş Otomotiv Bursa', 'ÇAĞDAŞ OTO', 'BURSA', '(224)900 2401')"));
    db.exec(QStringLiteral("INSERT INTO BAYILER (BAYI_KOD, BAYI_AD, BAYI_KISA_AD, SEHIR, TEL1) VALUES "
                           "('B0102', 'Işık Otomotiv Ankara', 'IŞIK OTO', 'ANKARA', '(312)900 2402')"));

    SessionContext ctx;
    ctx.Database1 = db;
    for (const DemoCari& c : kCariler) {
        CariKartKaydi k = YeniCariKart(ctx);
        k.cari[QStringLiteral("CARI_KOD")] = QLatin1String(c.kod);
        k.cari[QStringLiteral("FIRMA_ADI")] = QString::fromUtf8(c.ad);
        k.cari[QStringLiteral("CARI_GRP_KOD")] = QLatin1String(c.grup);
        k.cari[QStringLiteral("CINSIYET")] = QLatin1String(c.cinsiyet);
        k.cari[QStringLiteral("ILI")] = QString::fromUtf8(c.il);
        k.cari[QStringLiteral("TEL1")] = QLatin1String(c.tel);
        k.cari[QStringLiteral("TEL3")] = QLatin1String(c.gsm);
        k.cari[QStringLiteral("VADEGUN")] = c.vade;
        k.cari[QStringLiteral("ADRES_1")] = QStringLiteral("Atatürk Cad. No %1").arg(QString::fromLatin1(c.kod).right(2));
        if (QLatin1String(c.cinsiyet) == QLatin1String("F")) {
            k.cari[QStringLiteral("VD")] = QStringLiteral("Merkez");
            k.cari[QStringLiteral("VN")] = QStringLiteral("%1").arg(QString::fromLatin1(c.kod).remove(QLatin1Char('.')), 10,
                                                                   QLatin1Char('1'));
            k.cari[QStringLiteral("RISK_LIMITI")] = 250000.0;
        }
        CariKartKaydet(db, k, true);
    }

    // An e-invoice customer with two mailboxes: the invoice asks which one to send to.
    db.exec(QStringLiteral("UPDATE CARI SET EF_MUKELLEF = 1 WHERE CARI_KOD = '120.101'"));
    for (const auto& [kutu, isim, varsayilan] : {std::tuple{"urn:mail:efatura@yildizlojistik.com.tr", "Merkez", 1},
                                                 std::tuple{"urn:mail:servis@yildizlojistik.com.tr", "Servis", 0}})
        db.exec(QStringLiteral("INSERT INTO CARIPK (CARI_KOD, EF_POSTAKUTUSU, PK_ISIM, PK_DEFAULT) VALUES "
                               "('120.101', :K, :I, :D)"),
                {{QStringLiteral("K"), QLatin1String(kutu)}, {QStringLiteral("I"), QLatin1String(isim)},
                 {QStringLiteral("D"), varsayilan}});

    KasaKaydi merkez;
    merkez.KASAKOD = QStringLiteral("MERKEZ");
    merkez.ADI = QStringLiteral("Merkez Kasa");
    merkez.ACIKLAMA1 = QStringLiteral("Showroom veznesi");
    KasaKaydet(db, merkez, true);
    KasaKaydi servis;
    servis.KASAKOD = QStringLiteral("SERVIS");
    servis.ADI = QStringLiteral("Servis Kasası");
    servis.ACIKLAMA1 = QStringLiteral("Servis kabul veznesi");
    KasaKaydet(db, servis, true);
    OdePlanKaydet(db, {QStringLiteral("MERKEZ"), QStringLiteral("Merkez Kasa"), QStringLiteral("N"), QStringLiteral("MERKEZ"), {}, 0, 0, 0},
                  true);
    OdePlanKaydet(db, {QStringLiteral("HAVALE"), QStringLiteral("Banka Havalesi"), QStringLiteral("B"), {}, {}, 0, 0, 0}, true);
    OdePlanKaydet(db, {QStringLiteral("CEK30"), QStringLiteral("30 Gün Vadeli Çek"), QStringLiteral("Ç"), {}, {}, 0, 0, 30},
                  true);
    OdePlanKaydet(db, {QStringLiteral("ACIK"), QStringLiteral("Açık Hesap"), QStringLiteral("A"), {}, {}, 0, 0, 30}, true);

    const QDate bugun = ServerToday(db);
    KasaHareketi acilis;
    acilis.TARIH = bugun.addDays(-30);
    acilis.HRK_TURU = QLatin1Char('I');
    acilis.KASAKOD = QStringLiteral("MERKEZ");
    acilis.TUTAR = 25000;
    acilis.ACIKLAMA = QStringLiteral("Devir bakiyesi");
    KasaHareketKaydet(ctx, db, acilis);

    auto fis = [&](const char* tip, int gun, std::initializer_list<std::tuple<const char*, double, double>> satirlar) {
        CariHrkFisi f;
        f.TIP = QLatin1String(tip);
        f.TARIH = bugun.addDays(-gun);
        int sira = 0;
        for (const auto& [kod, borc, alacak] : satirlar) {
            CariHrkFisSatiri s;
            s.SIRANO = ++sira;
            s.CARI_KOD = QLatin1String(kod);
            if (borc > 0)
                s.BORC = borc;
            if (alacak > 0)
                s.ALACAK = alacak;
            s.KASAKOD = QStringLiteral("MERKEZ");
            s.ACIKLAMA = QStringLiteral("%1 hesabına demo hareket").arg(QLatin1String(kod));
            f.satirlar << s;
        }
        CariHrkFisKaydet(ctx, db, f);
    };
    fis("I", 28, {{"120.101", 18500, 0}, {"120.102", 9200, 0}, {"320.001", 0, 14300}});
    // A debit note carries both sides, so its voucher balances.
    fis("D", 20, {{"120.001", 3450.75, 0}, {"120.201", 0, 3450.75}});
    fis("N", 15, {{"120.001", 0, 2000}, {"120.101", 0, 7500}});
    fis("N", 10, {{"320.001", 5000, 0}});
    fis("V", 5, {{"120.102", 0, 1200}, {"120.103", 1200, 0}});
    fis("N", 2, {{"120.004", 0, 850.5}});

    MakbuzSablonu kira;
    kira.MAK_TANIM = QStringLiteral("Showroom kira makbuzu");
    kira.HSP_GIDER = QStringLiteral("770.01");
    kira.HSP_KDV_ORAN = 20;
    kira.HSP_KDV = QStringLiteral("191.01");
    kira.HSP_KASA = QStringLiteral("MERKEZ");
    kira.HSP_STP_ORAN = 20;
    kira.HSP_STOPAJ = QStringLiteral("320.001");
    kira.HSP_STP_KARSI = QStringLiteral("770.02");
    kira.MAK_ACIKLAMA = QStringLiteral("Aylık kira");
    MakbuzSablonKaydet(db, kira);
    bankalar(ctx, db, bugun);
    // A scanned tax plate and a signature circular on a fleet customer's card.
    for (const auto& [ad, tanim] : {std::pair{"vergi_levhasi.pdf", "Vergi Levhası"},
                                    std::pair{"imza_sirkuleri.pdf", "İmza Sirküleri"}})
        DokumanTanimiYaz(db,
                         DokumanEkle(ctx, db, DokCari, QStringLiteral("120.101"), QLatin1String(ad),
                                     QByteArray("%PDF-1.4\n% Tornaly demo\n%%EOF\n")),
                         QString::fromUtf8(tanim));
}

} // namespace tornaly::accounts
