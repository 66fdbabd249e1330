#include "aftersales/AftersalesDemo.h"

#include "aftersales/calls/AramaPer.h"
#include "aftersales/claims/Claims.h"
#include "context/SessionContext.h"
#include "counters/Counters.h"

#include <QTime>

namespace tornaly::aftersales {

namespace {

QString demoS(const char* s) { return QString::fromUtf8(s); }

void demoPeriyotlari(const Db& db)
{
    struct Per {
        const char* satSer;
        const char* araTip;
        int gun;
        const char* ad;
    };
    const Per periyotlar[] = {
        {"S", "T", 3, "3 GÜN"}, {"S", "M", 7, "1 HAFTA"}, {"S", "T", 30, "30 GÜN"}, {"S", "M", 90, "3 AY"},
        {"B", "T", 7, "1 HAFTA"},
    };
    for (const Per& p : periyotlar) {
        const QVariantMap b{{QStringLiteral("SS"), demoS(p.satSer)},
                            {QStringLiteral("AT"), demoS(p.araTip)},
                            {QStringLiteral("G"), p.gun}};
        if (Deger(db, QStringLiteral("SELECT COUNT(*) FROM PERIYOT WHERE SAT_SER = :SS AND ARA_TIP = :AT AND PER_GUN = :G"), b)
                .toInt() > 0)
            continue;
        AramaPeriyot per;
        per.SAT_SER = demoS(p.satSer);
        per.ARA_TIP = demoS(p.araTip);
        per.PER_GUN = p.gun;
        per.PER_AD = demoS(p.ad);
        AramaPeriyotKaydet(db, per);
    }
}

// Calls of the delivered work orders, counted from their delivery day; the
// oldest is already concluded.
void demoAramalari(const Db& db)
{
    Query q(db, QStringLiteral("SELECT IS_EMRI_NO, CARI_KOD, TAHMINI_TES_TRH, ARAC_GIRIS_TRH FROM ISEMRI "
                               "WHERE KAPANDI = 'E' ORDER BY IS_EMRI_NO"));
    q.exec();
    QList<ServisAramaBelge> belgeler;
    while (q.next()) {
        QDate teslim = q.date(QStringLiteral("TAHMINI_TES_TRH"));
        if (!teslim.isValid())
            teslim = q.date(QStringLiteral("ARAC_GIRIS_TRH"));
        belgeler << ServisAramaBelge{q.str(QStringLiteral("IS_EMRI_NO")), teslim, q.str(QStringLiteral("CARI_KOD")), 0};
    }
    q.finish();
    for (const ServisAramaBelge& b : belgeler) {
        if (Deger(db, QStringLiteral("SELECT COUNT(*) FROM ARAMAPER WHERE MUS_TIP = 'S' AND IE_NO = :IE"),
                  {{QStringLiteral("IE"), b.ieNo}})
                .toInt() > 0)
            continue;
        ServisAramalariYaz(db, b);
        const QVariant ilk = Deger(db, QStringLiteral("SELECT MIN(ARAMA_ID) FROM ARAMAPER WHERE MUS_TIP = 'S' AND IE_NO = :IE"),
                                   {{QStringLiteral("IE"), b.ieNo}});
        if (!ilk.isNull())
            AramaSonucYaz(db, ilk.toLongLong(), kDurumSonuclandi);
    }
}

struct DemoKalem {
    bool parca;
    const char* kod;
    const char* ad;
    double miktar; // pieces, or hours for labour
    double fiyat;
};

void garantiKalemleri(const Db& db, const QString& ie, int fyili, std::initializer_list<DemoKalem> kalemler)
{
    const QVariantMap anahtar{{QStringLiteral("IE"), ie}};
    int parcaSira = Deger(db, QStringLiteral("SELECT MAX(SIRANO) FROM ISEAYRIN WHERE ISEMRI_NO = :IE"), anahtar, 0).toInt();
    int iscSira = Deger(db, QStringLiteral("SELECT MAX(SIRANO) FROM ISCILIK WHERE ISEMRI_NO = :IE"), anahtar, 0).toInt();
    for (const DemoKalem& k : kalemler) {
        // A part sent back under warranty has its stock card, so the claim
        // and the warranty card can name it.
        if (k.parca && Deger(db, QStringLiteral("SELECT COUNT(*) FROM STOK WHERE STOK_KOD_NO = :K"),
                             {{QStringLiteral("K"), demoS(k.kod)}}).toInt() == 0)
            // Numbered from the card counter, so that "Yeni" never proposes a
            // number in use; the accounts come from the demo's first card, so
            // that its warranty invoices post.
            db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, BIRIMI, KDV, SAT_FYT_TL, MUH_A, "
                                   "MUH_S, MUH_IADE_A, MUH_IADE_S, MUH_ISK_A, MUH_ISK_S, MUH_KDV_A, MUH_KDV_S, "
                                   "MUH_GRSAT, MUH_GRSATISK) "
                                   "SELECT :N, :K, :A, 'ADET', 20, :P, MUH_A, MUH_S, MUH_IADE_A, MUH_IADE_S, MUH_ISK_A, "
                                   "MUH_ISK_S, MUH_KDV_A, MUH_KDV_S, MUH_GRSAT, MUH_GRSATISK FROM STOK "
                                   "WHERE STOK_NO = (SELECT MIN(STOK_NO) FROM STOK)"),
                    {{QStringLiteral("N"), double(TakeCounterNumber(db, QStringLiteral("NEWSTOK")))},
                     {QStringLiteral("K"), demoS(k.kod)}, {QStringLiteral("A"), demoS(k.ad)}, {QStringLiteral("P"), k.fiyat}});
        if (k.parca)
            db.exec(QStringLiteral("INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO, STOK_KOD_NO, YEDEK_P_ADI, STOK_MIKTAR, "
                                   "VERILEN_MIKTAR, STOK_FIYATI, KDV, ISK_ORAN, GARANTI_TIPI) "
                                   "VALUES (:IE, :F, :S, :K, :A, :M, :M, :P, 20, 0, 'G')"),
                    {{QStringLiteral("IE"), ie}, {QStringLiteral("F"), fyili}, {QStringLiteral("S"), ++parcaSira},
                     {QStringLiteral("K"), demoS(k.kod)}, {QStringLiteral("A"), demoS(k.ad)},
                     {QStringLiteral("M"), k.miktar}, {QStringLiteral("P"), k.fiyat}});
        else
            db.exec(QStringLiteral("INSERT INTO ISCILIK (ISEMRI_NO, FYILI, SIRANO, ARIZA_KODU, ARIZA_ADI, SURE, QTY, "
                                   "ISCILIK_B_FIYATI, KDV, GARANTI_TIPI) VALUES (:IE, :F, :S, :K, :A, :M, 1, :P, 20, 'G')"),
                    {{QStringLiteral("IE"), ie}, {QStringLiteral("F"), fyili}, {QStringLiteral("S"), ++iscSira},
                     {QStringLiteral("K"), demoS(k.kod)}, {QStringLiteral("A"), demoS(k.ad)},
                     {QStringLiteral("M"), k.miktar}, {QStringLiteral("P"), k.fiyat}});
    }
}

void demoClaim(const Db& db, const char* sase, std::initializer_list<DemoKalem> kalemler, const char* hataKod,
               const char* hataAciklama, const char* durum)
{
    Query q(db, QStringLiteral("SELECT IS_EMRI_NO, FYILI, ARAC_TIP, ARAC_GIRIS_TRH FROM ISEMRI WHERE SASI_NO = :S "
                               "ORDER BY IS_EMRI_NO"));
    q.bind(QStringLiteral("S"), demoS(sase)).exec();
    if (!q.next())
        return;
    const QString ie = q.str(QStringLiteral("IS_EMRI_NO"));
    const int fyili = int(q.integer(QStringLiteral("FYILI")));
    const QString aracTip = q.str(QStringLiteral("ARAC_TIP"));
    const QDateTime giris = q.dateTime(QStringLiteral("ARAC_GIRIS_TRH"));
    q.finish();
    garantiKalemleri(db, ie, fyili, kalemler);

    // The claim is numbered in its work order's year.
    SessionContext ctx;
    ctx.CalismaYiliNo = fyili;
    std::optional<Claim> c = ClaimYeni(ctx, db, ie);
    if (!c)
        return;
    c->m[QStringLiteral("CL_ARACTIP")] = aracTip.isEmpty() ? QStringLiteral("DEMO") : aracTip;
    if (c->m.value(QStringLiteral("CL_TESLIMTRH")).isNull())
        c->m[QStringLiteral("CL_TESLIMTRH")] = giris;
    c->m[QStringLiteral("CL_ACIKLA")] = demoS(hataAciklama);
    c->m[QStringLiteral("CL_DURUM")] = demoS(durum);
    // The approved claim went out with the service's approval ticked.
    if (QLatin1String(durum) == QLatin1String("O"))
        c->m[QStringLiteral("CL_ONAY")] = QStringLiteral("E");
    c->hatalar.front().CD_HATAKOD = demoS(hataKod);
    c->hatalar.front().CD_HATAACIK = demoS(hataAciklama);
    ClaimSakla(ctx, db, *c);
}

} // namespace

void SeedAftersalesDemo(const Db& db)
{
    demoPeriyotlari(db);
    demoAramalari(db);
    if (Deger(db, QStringLiteral("SELECT COUNT(*) FROM CLAIMM")).toInt() > 0)
        return;
    // The operation types of damage rows, as the distributor names them.
    if (Deger(db, QStringLiteral("SELECT COUNT(*) FROM CLHATTIP")).toInt() == 0)
        for (const auto& [kod, ad] : {std::pair{"1", "Onarım"}, std::pair{"2", "Değişim"}, std::pair{"3", "Ayar"}})
            db.exec(QStringLiteral("INSERT INTO CLHATTIP (CH_KOD, CH_AD) VALUES (:K, :A)"),
                    {{QStringLiteral("K"), QString::fromLatin1(kod)}, {QStringLiteral("A"), QString::fromUtf8(ad)}});
    demoClaim(db, "KRS4SUV2022007788",
              {{false, "MTR0101", "MOTOR ARIZA LAMBASI KONTROLÜ", 0.8, 1450.0},
               {false, "MTR0420", "ATEŞLEME BOBİNİ DEĞİŞİMİ", 1.2, 1450.0},
               {true, "BOBIN-3C", "ATEŞLEME BOBİNİ", 1, 2380.0}},
              "P0301", "MOTOR 1. SİLİNDİRDE TEKLEME, BOBİN ARIZALI", "B");
    demoClaim(db, "VNK1SED2023000342",
              {{false, "ELK0210", "SİLECEK MOTORU DEĞİŞİMİ", 0.6, 1450.0},
               {true, "SLC-MTR-ON", "ÖN SİLECEK MOTORU", 1, 3150.0}},
              "E0210", "ÖN SİLECEK MOTORU ÇALIŞMIYOR", "O");
}

} // namespace tornaly::aftersales
