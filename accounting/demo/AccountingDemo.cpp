#include "accounting/demo/AccountingDemo.h"

#include "accounting/transfer/MuhEntegre.h"
#include "context/SessionContext.h"
#include "db/Database.h"

namespace tornaly::accounting {

namespace {

void hesap(const Db& db, const QString& kod, const QString& ad)
{
    const QStringList p = kod.split(QLatin1Char('.'));
    const int kebir = p.at(0).toInt();
    const QString k = QString::number(kebir);
    auto parca = [&](int i) { return p.size() > i ? QVariant(p.at(i)) : QVariant(QMetaType(QMetaType::QString)); };
    db.exec(QStringLiteral("INSERT INTO HSPLAN (HKOD, HESAP_ADI, HSINIF, HGRUBU, KEBIR, MUAVIN, TALI, BAKIYETIP, "
                           "BILANCOTIP) VALUES (:K, :A, :S, :G, :KB, :M, :T, 'I', :B)"),
            {{QStringLiteral("K"), kod}, {QStringLiteral("A"), ad}, {QStringLiteral("S"), k.left(1).toInt()},
             {QStringLiteral("G"), k.left(2).toInt()}, {QStringLiteral("KB"), kebir}, {QStringLiteral("M"), parca(1)},
             {QStringLiteral("T"), parca(2)},
             {QStringLiteral("B"), kebir < 300 ? QStringLiteral("A") : kebir < 600 ? QStringLiteral("P") : QStringLiteral("-")}});
}

} // namespace

void AccountingDemoSeed(const Db& db)
{
    struct Ana { const char* kod; const char* ad; };
    for (const Ana& a : {Ana{"100", "KASA"}, Ana{"100.001", "TL Kasalar"}, Ana{"100.001.001", "Merkez Kasa"},
                         Ana{"100.001.002", "Servis Kasası"}, Ana{"102", "BANKALAR"},
                         Ana{"102.001", "Vadesiz Mevduat"}, Ana{"102.001.001", "Ziraat Bankası"},
                         Ana{"120", "ALICILAR"}, Ana{"153", "TİCARİ MALLAR"}, Ana{"153.001", "Yedek Parça"},
                         Ana{"153.001.001", "Yedek Parça Stoku"}, Ana{"120.001", "Yurtiçi Alıcılar"}, Ana{"191", "İNDİRİLECEK KDV"},
                         Ana{"191.001", "İndirilecek KDV"}, Ana{"191.001.020", "İndirilecek KDV %20"},
                         Ana{"320", "SATICILAR"}, Ana{"320.001", "Yurtiçi Satıcılar"},
                         Ana{"360", "ÖDENECEK VERGİ VE FONLAR"}, Ana{"360.001", "KDV Tevkifatı"},
                         Ana{"360.001.001", "Satış KDV Tevkifatı"}, Ana{"391", "HESAPLANAN KDV"},
                         Ana{"391.001", "Hesaplanan KDV"}, Ana{"391.001.001", "Hesaplanan KDV %1"}, Ana{"391.001.010", "Hesaplanan KDV %10"},
                         Ana{"391.001.018", "Hesaplanan KDV %18"},
                         Ana{"391.001.020", "Hesaplanan KDV %20"}, Ana{"600", "YURTİÇİ SATIŞLAR"},
                         Ana{"600.001", "Servis Satışları"}, Ana{"600.001.001", "Yedek Parça Satışları"},
                         Ana{"600.001.002", "İşçilik Satışları"}, Ana{"601", "YURTDIŞI SATIŞLAR"},
                         Ana{"601.001", "Garanti Satışları"}, Ana{"601.001.001", "Garanti Parça ve İşçilik"},
                         Ana{"610", "SATIŞTAN İADELER (-)"}, Ana{"610.001", "Satış İskontoları"},
                         Ana{"610.001.001", "Servis İskontoları"}, Ana{"611", "SATIŞ İSKONTOLARI (-)"},
                         Ana{"611.001", "Garanti İskontoları"}, Ana{"611.001.001", "Garanti İskontoları"},
                         Ana{"770", "GENEL YÖNETİM GİDERLERİ"}, Ana{"770.001", "Büro Giderleri"},
                         Ana{"770.001.001", "Kırtasiye"}})
        hesap(db, QLatin1String(a.kod), QString::fromUtf8(a.ad));

    // Each customer and supplier gets an account of its own under 120 / 320.
    {
        Query q(db, QStringLiteral("SELECT CARI_KOD, FIRMA_ADI FROM CARI ORDER BY CARI_KOD"));
        q.exec();
        QList<QPair<QString, QString>> cariler;
        while (q.next())
            cariler << qMakePair(q.str(QStringLiteral("CARI_KOD")), q.str(QStringLiteral("FIRMA_ADI")));
        q.finish();
        for (const auto& [kod, ad] : cariler) {
            const QStringList p = kod.split(QLatin1Char('.'));
            if (p.size() != 2 || (p.at(0) != QLatin1String("120") && p.at(0) != QLatin1String("320")))
                continue;
            const QString muh = p.at(0) + QStringLiteral(".001.") + p.at(1);
            hesap(db, muh, ad.left(79));
            db.exec(QStringLiteral("UPDATE CARI SET MUH_KOD=:M WHERE CARI_KOD=:K"),
                    {{QStringLiteral("M"), muh}, {QStringLiteral("K"), kod}});
        }
    }
    db.exec(QStringLiteral("UPDATE KASA SET MUH_KOD='100.001.001' WHERE KASAKOD='MERKEZ'"));
    db.exec(QStringLiteral("UPDATE KASA SET MUH_KOD='100.001.002' WHERE KASAKOD='SERVIS'"));

    db.exec(QStringLiteral("INSERT INTO MUHKDV (MUHKDV_KOD, MUHKDV_TANIM) VALUES ('GENEL', 'Genel KDV Hesapları')"));
    for (const auto& [kdv, hesapKodu] : {std::pair{1, "001"}, std::pair{10, "010"}, std::pair{18, "018"},
                                         std::pair{20, "020"}})
        db.exec(QStringLiteral("INSERT INTO MUHKDVAYR (MUHKDV_KOD, KDV, MUH_KDV_A, MUH_KDV_S, MUH_KDV_A_IADE, "
                               "MUH_KDV_S_IADE) VALUES ('GENEL', :K, :A, :S, :A, :S)"),
                {{QStringLiteral("K"), kdv}, {QStringLiteral("A"), QStringLiteral("191.001.020")},
                 {QStringLiteral("S"), QStringLiteral("391.001.") + QLatin1String(hesapKodu)}});

    // Income and expense types: two groups and their detail types, the details with their accounts.
    const char* gelirGider[][5] = {{"G1", "G", "A", "", "SATIŞ GELİRLERİ"},
                                   {"G1.01", "G", "D", "G1", "Parça Satışları"},
                                   {"G1.02", "G", "D", "G1", "İşçilik Gelirleri"},
                                   {"M1", "M", "A", "", "GİDERLER"},
                                   {"M1.01", "M", "D", "M1", "Satılan Malın Maliyeti"}};
    for (const auto& g : gelirGider)
        db.exec(QStringLiteral("INSERT INTO GGHESAP (GGKOD, GGTUR, GGSEVIYE, GGANA, GGACIKLAMA) VALUES (:K, :T, :S, :A, :C)"),
                {{QStringLiteral("K"), QString::fromUtf8(g[0])}, {QStringLiteral("T"), QString::fromUtf8(g[1])},
                 {QStringLiteral("S"), QString::fromUtf8(g[2])},
                 {QStringLiteral("A"), *g[3] ? QVariant(QString::fromUtf8(g[3])) : QVariant()},
                 {QStringLiteral("C"), QString::fromUtf8(g[4])}});
    for (const auto& [tur, hesap] : {std::pair{"G1.01", "600.001.001"}, std::pair{"G1.02", "600.001.002"},
                                     std::pair{"M1.01", "610.001.001"}})
        db.exec(QStringLiteral("INSERT INTO MUH2GG (GGKOD, MUHKOD, MUHSEVIYE) VALUES (:G, :M, 'D')"),
                {{QStringLiteral("G"), QLatin1String(tur)}, {QStringLiteral("M"), QLatin1String(hesap)}});

    // Every stock and labour card of the demo names its accounts, so its
    // work-order invoices post at once.
    for (const char* kart : {"STOK", "FRT"})
        db.exec(QStringLiteral("UPDATE %1 SET MUH_A='153.001.001', MUH_S=:S, MUH_IADE_A='610.001.001', "
                               "MUH_IADE_S='153.001.001', MUH_ISK_A='153.001.001', MUH_ISK_S='610.001.001', "
                               "MUH_KDV_A='GENEL', MUH_KDV_S='GENEL', MUH_GRSAT='601.001.001', "
                               "MUH_GRSATISK='611.001.001'")
                    .arg(QLatin1String(kart)),
                {{QStringLiteral("S"), QLatin1String(kart) == QLatin1String("STOK") ? QStringLiteral("600.001.001")
                                                                                     : QStringLiteral("600.001.002")}});

    if (db.exec(QStringLiteral("UPDATE PARAMUH SET C_MUH_KAY='O', IE_MUH_KAY='O'")) == 0)
        db.exec(QStringLiteral("INSERT INTO PARAMUH (A_MUH_KAY, S_MUH_KAY, C_MUH_KAY, IE_MUH_KAY, ISK_DUS) "
                               "VALUES ('S', 'S', 'O', 'O', 'D')"));
    db.exec(QStringLiteral("INSERT INTO PARAFAT (MUH_KAY, C_MUH_KAY, S_MUH_KAY, DEF_KASA, MUH_KDVTEV_S, MUH_KDV_A, "
                           "MUH_CHES, C_V_FARKSURE, C_V_FARKTIP, S_V_FARKSURE, S_V_FARKTIP) VALUES ('S', 'S', 'S', "
                           "'MERKEZ', '360.001.001', 'GENEL', '102.001.001', 'A', 'B', 'A', 'B')"));
    db.exec(QStringLiteral("UPDATE NEWFIS SET MAHSUP_SB='MH', TAHSIL_SB='TH', TEDIYE_SB='TD', OZEL_SB='OZ'"));

    // The slips of the demo, posted as saving them would (openings are not).
    SessionContext ctx;
    ctx.Database1 = db;
    ctx.AktifKullanici.name = QStringLiteral("Demo Kullanıcı");
    {
        Query y(db, QStringLiteral("SELECT MAX(TARIH) FROM CARIHRKM"));
        y.exec();
        const QDate son = y.next() ? Query::toDate(y.value(0)) : QDate();
        ctx.CalismaYili = QString::number(son.isValid() ? son.year() : QDate::currentDate().year());
    }
    QList<double> fisler;
    Query q(db, QStringLiteral("SELECT CARI_NO FROM CARIHRKM WHERE TIP<>'I' ORDER BY CARI_NO"));
    q.exec();
    while (q.next())
        fisler << q.value(0).toDouble();
    q.finish();
    for (double no : fisler)
        MuhasebeKayit(ctx, db, MuhasebeEntegreIstegi{QLatin1Char('C'), false, {}, no});
}

} // namespace tornaly::accounting
