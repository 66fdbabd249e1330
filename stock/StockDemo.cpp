#include "stock/StockDemo.h"

#include "stock/ledger/DepoHrk.h"
#include "stock/slips/StokFisi.h"
#include "counters/Counters.h"

#include <cmath>

namespace tornaly::stock {

namespace {
void ekle(const Db& db, const QString& sql, const QVariantMap& b) { db.exec(sql, b); }
} // namespace

void StokDemoVerisi(const Db& db)
{
    const QString S = QStringLiteral("INSERT INTO GRUP (GRUP_KODU, GRUP_ADI) VALUES (:K, :A)");
    const QList<QPair<const char*, const char*>> gruplar = {
        {"FREN", "Fren Sistemi"}, {"MOTOR", "Motor Parçaları"}, {"ELEK", "Elektrik ve Aydınlatma"},
        {"FILTRE", "Filtreler"}, {"YAG", "Yağlar ve Sıvılar"}, {"KAPORTA", "Kaporta"}};
    for (const auto& [k, a] : gruplar)
        ekle(db, S, {{QStringLiteral("K"), QString::fromUtf8(k)}, {QStringLiteral("A"), QString::fromUtf8(a)}});
    const QString A = QStringLiteral("INSERT INTO ALTGRUP (GRUP_KODU, ALT_GRUP_KODU, GRUP_ADI, OZEL_GRUP) VALUES (:G, :K, :A, 0)");
    const char* altlar[][3] = {{"FREN", "BAL", "Balatalar"}, {"FREN", "DISK", "Diskler"}, {"FILTRE", "YAGF", "Yağ Filtreleri"},
                               {"FILTRE", "HAVF", "Hava Filtreleri"}, {"ELEK", "AMP", "Ampuller"}};
    for (const auto& a : altlar)
        ekle(db, A, {{QStringLiteral("G"), QString::fromUtf8(a[0])}, {QStringLiteral("K"), QString::fromUtf8(a[1])},
                     {QStringLiteral("A"), QString::fromUtf8(a[2])}});
    const char* markalar[][3] = {{"TOYOTA", "Toyota Motor Corp.", "Toyota Türkiye"}, {"RENAULT", "Renault S.A.", "Mais A.Ş."},
                                 {"FIAT", "Stellantis", "Tofaş"}, {"FORD", "Ford Motor Co.", "Ford Otosan"}};
    for (const auto& m : markalar)
        ekle(db, QStringLiteral("INSERT INTO MARKALAR (MARKA_KOD, URETICI, DISTRIBUTOR) VALUES (:K, :U, :D)"),
             {{QStringLiteral("K"), QString::fromUtf8(m[0])}, {QStringLiteral("U"), QString::fromUtf8(m[1])},
              {QStringLiteral("D"), QString::fromUtf8(m[2])}});
    db.exec(QStringLiteral("UPDATE DEPO SET DEPO_YERI = 'Zemin Kat' WHERE DEPO_KODU = '1'"));
    ekle(db, QStringLiteral("INSERT INTO DEPO (SIRA, DEPO_KODU, DEPO_ADI, DEPO_YERI, DEPO_TIP) VALUES (:S, :K, :A, :Y, 'ANA')"),
         {{QStringLiteral("S"), 3}, {QStringLiteral("K"), QStringLiteral("3")}, {QStringLiteral("A"), QStringLiteral("Yedek Depo")},
          {QStringLiteral("Y"), QStringLiteral("Bodrum")}});
    ekle(db, QStringLiteral("INSERT INTO DEPO (SIRA, DEPO_KODU, DEPO_ADI, DEPO_YERI, DEPO_TIP) VALUES (:S, :K, :A, :Y, 'SUB')"),
         {{QStringLiteral("S"), 4}, {QStringLiteral("K"), QStringLiteral("4")}, {QStringLiteral("A"), QStringLiteral("Şube Deposu")},
          {QStringLiteral("Y"), QStringLiteral("Kartal")}});
    for (const auto& [k, adet] : QList<QPair<const char*, int>>{{"KOLI12", 12}, {"KUTU4", 4}, {"TEK", 1}})
        ekle(db, QStringLiteral("INSERT INTO AMBALAJ (AMBALAJ_KOD, AMBALAJ_ADET) VALUES (:K, :A)"),
             {{QStringLiteral("K"), QString::fromLatin1(k)}, {QStringLiteral("A"), adet}});
    ekle(db, QStringLiteral("INSERT INTO STOKISKGRUP (ISKGRUP_KOD, ISKGRUP_ADI) VALUES ('A', 'A Grubu İskonto')"), {});
    ekle(db, QStringLiteral("INSERT INTO STOKISKGRUP (ISKGRUP_KOD, ISKGRUP_ADI) VALUES ('B', 'B Grubu İskonto')"), {});

    struct Parca {
        const char* kod;
        const char* ad;
        const char* ing;
        const char* pay;
        const char* grup;
        const char* alt;
        const char* marka;
        double alis, satis;
        int kdv;
        double miktar;
        const char* raf;
    };
    const Parca parcalar[] = {
        {"04465-0K240", "Ön Fren Balatası Takımı", "Front Brake Pad Kit", "P", "FREN", "BAL", "TOYOTA", 1450, 2175, 20, 14, "A-01-1"},
        {"04466-0K090", "Arka Fren Balatası Takımı", "Rear Brake Pad Kit", "P", "FREN", "BAL", "TOYOTA", 1180, 1770, 20, 9, "A-01-2"},
        {"43512-0K150", "Ön Fren Diski", "Front Brake Disc", "P", "FREN", "DISK", "TOYOTA", 2350, 3525, 20, 6, "A-02-1"},
        {"90915-YZZD4", "Yağ Filtresi", "Oil Filter", "P", "FILTRE", "YAGF", "TOYOTA", 210, 315, 20, 48, "B-01-1"},
        {"17801-0T030", "Hava Filtresi", "Air Filter", "P", "FILTRE", "HAVF", "TOYOTA", 390, 585, 20, 22, "B-01-2"},
        {"87139-0D070", "Polen Filtresi", "Cabin Air Filter", "P", "FILTRE", "HAVF", "TOYOTA", 330, 495, 20, 17, "B-01-3"},
        {"8200768913", "Yağ Filtresi Clio", "Oil Filter", "P", "FILTRE", "YAGF", "RENAULT", 185, 280, 20, 30, "B-02-1"},
        {"7701208265", "Ön Fren Diski Megane", "Front Brake Disc", "P", "FREN", "DISK", "RENAULT", 1890, 2835, 20, 4, "A-03-1"},
        {"410608481R", "Ön Fren Balatası Megane", "Front Brake Pads", "P", "FREN", "BAL", "RENAULT", 990, 1485, 20, 11, "A-03-2"},
        {"55256470", "Yağ Filtresi Egea", "Oil Filter", "P", "FILTRE", "YAGF", "FIAT", 160, 240, 20, 26, "B-03-1"},
        {"51935455", "Ateşleme Bujisi", "Spark Plug", "P", "MOTOR", "", "FIAT", 140, 210, 20, 64, "C-01-1"},
        {"1737241", "Triger Seti Focus", "Timing Belt Kit", "P", "MOTOR", "", "FORD", 3200, 4800, 20, 3, "C-02-1"},
        {"2093658", "Far Ampulü H7", "Headlamp Bulb H7", "P", "ELEK", "AMP", "FORD", 95, 145, 20, 80, "D-01-1"},
        {"90981-13087", "Sinyal Ampulü", "Turn Signal Bulb", "P", "ELEK", "AMP", "TOYOTA", 35, 55, 20, 120, "D-01-2"},
        {"28800-0T060", "Akü 60 Ah", "Battery 60 Ah", "P", "ELEK", "", "TOYOTA", 3900, 5850, 20, 5, "D-02-1"},
        {"08880-83717", "Motor Yağı 5W-30 4 Lt", "Engine Oil 5W-30 4L", "Y", "YAG", "", "TOYOTA", 1150, 1725, 20, 40, "E-01-1"},
        {"08889-80061", "Antifriz 1 Lt", "Coolant 1L", "Y", "YAG", "", "TOYOTA", 210, 315, 20, 36, "E-01-2"},
        {"7711428131", "Cam Suyu 3 Lt", "Screen Wash 3L", "S", "YAG", "", "RENAULT", 85, 130, 20, 50, "E-02-1"},
        {"PZ434-00231", "Paspas Takımı Corolla", "Floor Mat Set", "A", "KAPORTA", "", "TOYOTA", 950, 1425, 20, 8, "F-01-1"},
        {"52119-0K958", "Ön Tampon", "Front Bumper", "P", "KAPORTA", "", "TOYOTA", 5200, 7800, 20, 2, "F-02-1"},
        {"KLIMA-GAZ", "Klima Gazı R134a (gr)", "A/C Refrigerant", "S", "YAG", "", "", 1.2, 2.5, 20, 5000, "E-03-1"},
        {"ISIK-LED-01", "İç Aydınlatma LED", "Interior LED", "A", "ELEK", "AMP", "FIAT", 120, 195, 20, 0, ""},
    };
    const QDateTime acilis(QDate(QDate::currentDate().year(), 1, 2), QTime(9, 0));
    QList<DepoHrkSatiri> devir, transfer;
    double no = 0;
    int sira = 0;
    for (const Parca& p : parcalar) {
        ++no;
        ekle(db, QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, STOK_ADI_ING, BARKOD, BARK_TIP, ACILIS_TRH, "
                                "PAY, GRUP_NO, ALTGRUP_NO, BIRIMI, KDV, FYT_KUR, FYT_TRH, ALIS_FYT_TL, ALIS_FYT_DOVIZ, SAT_FYT_TL, "
                                "SAT_FYT_DOVIZ, MALIYET_FYT_TL, MARKAKOD, ORJ, MERKEZ, WIRACC0, GARANTI_BELGE, ISKGRUP, "
                                "YENI_KOD_SON) VALUES (:N, :K, :A, :I, :B, 'E', :T, :P, :G, :AG, 'ADET', :KDV, 'TL', :T, :AL, :AL, "
                                ":SA, :SA, :AL, :M, 'O', 0, 'H', 'H', :ISK, :K)"),
             {{QStringLiteral("N"), no}, {QStringLiteral("K"), QString::fromUtf8(p.kod)}, {QStringLiteral("A"), QString::fromUtf8(p.ad)},
              {QStringLiteral("I"), QString::fromUtf8(p.ing)}, {QStringLiteral("B"), QStringLiteral("869%1").arg(qint64(1000000 + no), 10, 10, QLatin1Char('0'))},
              {QStringLiteral("T"), acilis}, {QStringLiteral("P"), QString::fromLatin1(p.pay)},
              {QStringLiteral("G"), QString::fromLatin1(p.grup)},
              {QStringLiteral("AG"), *p.alt ? QVariant(QString::fromLatin1(p.alt)) : QVariant(QMetaType(QMetaType::QString))},
              {QStringLiteral("KDV"), p.kdv}, {QStringLiteral("AL"), p.alis}, {QStringLiteral("SA"), p.satis},
              {QStringLiteral("M"), *p.marka ? QVariant(QString::fromLatin1(p.marka)) : QVariant(QMetaType(QMetaType::QString))},
              {QStringLiteral("ISK"), no <= 10 ? QStringLiteral("A") : QStringLiteral("B")}});
        if (p.miktar > 0) {
            devir << DepoHrkHareket(u'D', ++sira, StokFisiCariKod(), no, QStringLiteral("1"), acilis, p.miktar, p.alis);
            if (int(no) % 3 == 0)
                transfer << DepoHrkTransfer(sira, no, QStringLiteral("1"), QStringLiteral("3"), acilis.addDays(10),
                                            qMax(1.0, std::floor(p.miktar / 4)), p.alis);
        }
    }
    // The opening, transfer and wastage are stock slips like any the clerk enters,
    // with one small slip of every other type beside them.
    SessionContext ctx;
    ctx.CalismaYiliNo = acilis.date().year();
    const auto fis = [&](QChar tip, const QString& cik, const QString& gir, const QDateTime& tarih, const QString& aciklama,
                         const QList<DepoHrkSatiri>& hareketler, bool onay = true) {
        StokFisi f;
        f.HRKNO = double(TakeCounterNumber(db, QStringLiteral("NEWSATIS")));
        f.TIP = tip;
        f.TARIH = tarih;
        f.ACIKLAMA1 = aciklama;
        f.KULLANICI = f.PERSON_KOD = QStringLiteral("01");
        f.CIKDEPO = cik;
        f.GIRDEPO = gir;
        f.ONAY = onay;
        for (const DepoHrkSatiri& h : hareketler) {
            if (h.SIRANO > TransferGirisSiraFarki)
                continue;
            StokFisSatiri l;
            l.SIRANO = int(f.satirlar.size()) + 1;
            l.STOK_NO = h.STOK_NO;
            Query k(db, QStringLiteral("SELECT STOK_KOD_NO, STOK_ADI_TR, KDV FROM STOK WHERE STOK_NO = :N"));
            k.bind(QStringLiteral("N"), h.STOK_NO).exec();
            k.next();
            l.STOK_KOD_NO = k.str(QStringLiteral("STOK_KOD_NO"));
            l.STOK_ADI = k.str(QStringLiteral("STOK_ADI_TR"));
            l.KDV = k.num(QStringLiteral("KDV"));
            l.MIKTAR = h.GIRMIK + h.CIKMIK;
            l.FIYAT = h.FIYAT.toDouble();
            l.DOVIZ_KODU = ctx.YerelPara;
            l.DEPO_KODU = QStringLiteral("1");
            f.satirlar << l;
        }
        StokFisiYaz(ctx, db, f);
    };
    const QString ana = QStringLiteral("1"), yedek = QStringLiteral("3"), sube = QStringLiteral("4");
    fis(u'D', {}, ana, acilis, QStringLiteral("Dönem başı devir"), devir);
    fis(u'O', ana, yedek, acilis.addDays(10), QStringLiteral("Yedek depoya aktarım"), transfer);
    const auto satir = [&](QChar tip, double stokNo, const QString& depo, double miktar, double fiyat) {
        return QList<DepoHrkSatiri>{DepoHrkHareket(tip, 1, StokFisiCariKod(), stokNo, depo, acilis, miktar, fiyat)};
    };
    fis(u'F', ana, {}, acilis.addDays(20), QStringLiteral("Kırık filtre"), satir(u'F', 4, ana, 2, 210));
    fis(u'R', yedek, {}, acilis.addDays(21), QStringLiteral("Atölye sarfı"), satir(u'R', 21, yedek, 250, 1.2));
    fis(u'U', ana, {}, acilis.addDays(22), QStringLiteral("Montaj hattına"), satir(u'U', 11, ana, 4, 140));
    fis(u'L', {}, ana, acilis.addDays(23), QStringLiteral("Montajdan dönen"), satir(u'L', 11, ana, 4, 140));
    fis(u'T', {}, sube, acilis.addDays(24), QStringLiteral("Sayım fazlası"), satir(u'T', 13, sube, 2, 95));
    fis(u'Z', ana, {}, acilis.addDays(25), QStringLiteral("Sayım eksiği"), satir(u'Z', 14, ana, 3, 35));
    fis(u'O', ana, sube, acilis.addDays(26), QStringLiteral("Şubeye gidecek, onay bekliyor"),
        satir(u'O', 13, ana, 5, 95), false);
    no = 0;
    for (const Parca& p : parcalar) {
        ++no;
        if (*p.raf)
            db.exec(QStringLiteral("UPDATE STOKMIK SET RAF_YERI = :R WHERE STOK_NO = :N AND DEPO_KOD = '1'"),
                    {{QStringLiteral("R"), QString::fromLatin1(p.raf)}, {QStringLiteral("N"), no}});
    }
    db.exec(QStringLiteral("UPDATE NEWSTOK SET YENINO = :N"), {{QStringLiteral("N"), no + 1}});
    // A count begun in the main warehouse: a few parts counted, one short.
    db.exec(QStringLiteral("UPDATE STOKMIK SET SAYIM_FIILI = MIKTAR, SAYIM_MIK = 0 WHERE DEPO_KOD = '1'"));
    db.exec(QStringLiteral("UPDATE STOKMIK SET SAYIM_MIK = MIKTAR WHERE DEPO_KOD = '1' AND STOK_NO IN (1, 2, 3, 5)"));
    db.exec(QStringLiteral("UPDATE STOKMIK SET SAYIM_MIK = MIKTAR - 1 WHERE DEPO_KOD = '1' AND STOK_NO = 4"));
    for (const auto& [a, b] : QList<QPair<const char*, const char*>>{{"04465-0K240", "04465-02220"},
                                                                      {"90915-YZZD4", "90915-YZZE1"},
                                                                      {"90915-YZZD4", "90915-10003"}})
        ekle(db, QStringLiteral("INSERT INTO STOKKOD (STOK_KOD, ESKI_KOD) VALUES (:A, :B)"),
             {{QStringLiteral("A"), QString::fromLatin1(a)}, {QStringLiteral("B"), QString::fromLatin1(b)}});
    db.exec(QStringLiteral("UPDATE STOK SET ESKI_PART_NO = '04465-02220' WHERE STOK_KOD_NO = '04465-0K240'"));
}

} // namespace tornaly::stock
