#include "PdiFixture.h"
#include "workshop/workorders/WorkOrders.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "counters/Counters.h"
#include "sql/SqlHelpers.h"

#include <QMutex>

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
}

TEST_F(PdiTest, NewRecordTakesTheCounterInSixDigits)
{
    struct Case {
        double yeniNo;
        const char* pdiNo;
    };
    for (const Case& c : {Case{42, "000042"}, Case{1, "000001"}, Case{999999, "999999"}}) {
        db.exec(S("UPDATE NEWPDI SET YENINO = :N"), {{S("N"), c.yeniNo}});
        const PdiKaydi k = PdiYeni(db);
        EXPECT_EQ(k.row.value(S("PDI_NO")).toString(), S(c.pdiNo));
        // The number is used up even though the record is never saved.
        EXPECT_EQ(scalar(S("SELECT YENINO FROM NEWPDI")).toDouble(), c.yeniNo + 1);
        EXPECT_EQ(Query::toDate(k.row.value(S("TARIH"))), ServerToday(db));
    }
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM PDIMAST")), 0);
}

TEST_F(PdiTest, ABadChassisIsRefusedAndNothingWritten)
{
    const QString var = addPdi(kSase);
    struct Case {
        const char* ad;
        QString sase;
        const char* mesaj;
    };
    const QList<Case> cases{
        {"sixteen characters", S("VNK1SED202600090"), "Şase 17 hane olmalı!"},
        {"eighteen characters", S("VNK1SED20260009011"), "Şase 17 hane olmalı!"},
        {"a lower-case letter", S("VNK1SEd2026000902"), "ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."},
        {"a blank inside", S("VNK1SED 026000902"), "ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."},
        {"a Turkish letter", S("VNK1SEÇ2026000902"), "ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."},
        {"the chassis of another record", kSase, "Bu Aracın PDI ı var!"},
    };
    for (const Case& c : cases) {
        PdiKaydi k = PdiYeni(db);
        k.row[S("SASE_NO")] = c.sase;
        messages.clear();
        EXPECT_FALSE(Guard([&] { PdiKaydet(db, k, true); })) << c.ad;
        EXPECT_EQ(messages.lastText(), S(c.mesaj)) << c.ad;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM PDIMAST")), 1) << c.ad;
    }
    // The database's key refuses the second record of a vehicle as well.
    EXPECT_THROW(db.exec(S("INSERT INTO PDIMAST (PDI_NO, SASE_NO) VALUES ('999999', :S)"), {{S("S"), kSase}}), DbError);
    EXPECT_FALSE(var.isEmpty());
}

TEST_F(PdiTest, SavingRenumbersTheFaultsAndClearsTheTransferMark)
{
    const QString no = addPdi(kSase, {{S("OTP"), S("CZK")}, {S("KPT"), S("GCK")}});
    db.exec(S("UPDATE PDIMAST SET AKTARILDI = :A WHERE PDI_NO = :N"), {{S("A"), true}, {S("N"), no}});
    PdiKaydi k = PdiOku(db, no);
    ASSERT_EQ(k.hatalar.size(), 2);
    EXPECT_EQ(k.hatalar.at(1).PDI_HATA_ADI, S("Göçük"));
    k.hatalar.removeFirst();
    PdiHata h;
    h.SIRA_NO = PdiYeniSiraNo(k.hatalar);
    EXPECT_EQ(h.SIRA_NO, 3);
    h.HATA_YERI_KODU = S("TAV");
    h.HATA_ADI_KODU = S("A2");
    k.hatalar << h;
    PdiKaydet(db, k, false);
    const PdiKaydi yeniden = PdiOku(db, no);
    ASSERT_EQ(yeniden.hatalar.size(), 2);
    EXPECT_EQ(yeniden.hatalar.at(0).SIRA_NO, 1);
    EXPECT_EQ(yeniden.hatalar.at(1).HATA_YERI_ADI, S("Tavan"));
    EXPECT_FALSE(yeniden.row.value(S("AKTARILDI")).toBool());
    PdiSil(db, no);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM PDIDET")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM PDIMAST")), 0);
}

TEST_F(PdiTest, OpeningTheWorkOrderTwiceUpdatesTheSameOne)
{
    setSeriNo(5);
    const QString no = addPdi(kSase, {{S("OTP"), S("CZK")}, {S("KPT"), S("GCK")}, {S("TAV"), S("A2")}});
    const QString ie = PdiIsemriAc(db, ctx, no);
    // Six digits, no series letter; the card's counter moved on by one.
    EXPECT_EQ(ie, S("000005"));
    EXPECT_EQ(scalar(S("SELECT SERI_NO FROM PARAMSER")).toDouble(), 6);
    EXPECT_EQ(scalar(S("SELECT MODEL_SERISI FROM PDIMAST WHERE PDI_NO = :N"), {{S("N"), no}}).toString(), ie);
    const QVariantMap w = ReadIsEmri(db, ie);
    EXPECT_EQ(w.value(S("IE_TIP")).toString(), S("P"));
    EXPECT_EQ(w.value(S("IS_ENO")).toString(), S("999"));
    EXPECT_EQ(w.value(S("CARI_KOD")).toString(), S("PDI"));
    EXPECT_EQ(w.value(S("SERVIS_KOD")).toString(), S("B1234"));
    EXPECT_EQ(w.value(S("SASI_NO")).toString(), kSase);
    EXPECT_EQ(w.value(S("MOTOR_NO")).toString().trimmed(), QString());
    EXPECT_EQ(w.value(S("ARAC_TIP")).toString(), S("VRN1600"));
    EXPECT_EQ(w.value(S("ARAC_MODEL")).toString(), S("2024"));
    EXPECT_EQ(w.value(S("ARAC_TESLIM_ALAN")).toString(), S("P1"));
    EXPECT_EQ(w.value(S("FYILI")).toInt(), 2026);
    EXPECT_EQ(w.value(S("KAPANDI")).toString(), S("H"));
    EXPECT_EQ(w.value(S("MUSTALIM_1")).toString(), S("Ön Tampon Çizik"));
    EXPECT_EQ(w.value(S("MUSTALIM_3")).toString(), S("Tavan Ayar"));

    // One fault mended: the second run writes the same work order, draws no
    // number, and leaves no stale third complaint.
    PdiKaydi k = PdiOku(db, no);
    k.hatalar.removeLast();
    PdiKaydet(db, k, false);
    ctx.CalismaYili = S("2027");
    EXPECT_EQ(PdiIsemriAc(db, ctx, no), ie);
    EXPECT_EQ(scalar(S("SELECT SERI_NO FROM PARAMSER")).toDouble(), 6);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEMRI")), 1);
    const QVariantMap w2 = ReadIsEmri(db, ie);
    EXPECT_EQ(w2.value(S("MUSTALIM_2")).toString(), S("Kaput Göçük"));
    EXPECT_TRUE(w2.value(S("MUSTALIM_3")).toString().trimmed().isEmpty());
    EXPECT_EQ(w2.value(S("FYILI")).toInt(), 2026); // kept once set
}

TEST_F(PdiTest, FaultLinesBecomeComplaints)
{
    struct Case {
        const char* ad;
        int hatalar;
        QStringList beklenen; // MUSTALIM_1 .. _10
    };
    QStringList on;
    for (int i = 0; i < 10; ++i)
        on << S("Kaput Çizik");
    const QList<Case> cases{
        {"no faults: a single blank", 0, {S(" ")}},
        {"two faults", 2, {S("Kaput Çizik"), S("Kaput Çizik")}},
        {"twelve faults: ten complaints", 12, on},
    };
    double seri = 10;
    for (const Case& c : cases) {
        setSeriNo(seri++);
        QList<std::pair<QString, QString>> h;
        for (int i = 0; i < c.hatalar; ++i)
            h << std::pair{S("KPT"), S("CZK")};
        const QString sase = S("VNK1SED20260009%1").arg(int(seri), 2, 10, QLatin1Char('0'));
        const QString ie = PdiIsemriAc(db, ctx, addPdi(sase, h));
        const QVariantMap w = ReadIsEmri(db, ie);
        for (int i = 0; i < 10; ++i) {
            const QString kolon = S("MUSTALIM_%1").arg(i + 1);
            const QString v = w.value(kolon).toString();
            if (i < c.beklenen.size())
                EXPECT_EQ(v, c.beklenen.at(i)) << c.ad << " " << kolon.toStdString();
            else
                EXPECT_TRUE(v.isEmpty()) << c.ad << " " << kolon.toStdString();
        }
    }
}

TEST_F(PdiTest, TheWorkOrderNumberSkipsNumbersInUseAndSharesTheCardsCounter)
{
    setSeriNo(7);
    addWorkOrder(S("000007"), S("X1"), 10);
    const QString ie = PdiIsemriAc(db, ctx, addPdi(kSase));
    EXPECT_EQ(ie, S("000008"));
    // The card's next work order continues after the PDI one.
    QVariantMap row = validRow();
    ASSERT_EQ(IsEmriKaydet(db, ctx, row, true, 0), KayitSonucu::Kaydedildi);
    EXPECT_EQ(row.value(S("IS_EMRI_NO")).toString(), S("S000009"));
}

TEST_F(PdiTest, AFailureInsideLeavesNoWorkOrderAndTheCountersUnchanged)
{
    setSeriNo(5);
    const QString no = addPdi(kSase, {{S("OTP"), S("CZK")}});
    EXPECT_FALSE(Guard([&] { PdiIsemriAc(db, ctx, no, [] { throw DbError(DbError::Kind::Other, S("kesinti")); }); }));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEMRI")), 0);
    EXPECT_EQ(scalar(S("SELECT SERI_NO FROM PARAMSER")).toDouble(), 5);
    EXPECT_TRUE(scalar(S("SELECT MODEL_SERISI FROM PDIMAST WHERE PDI_NO = :N"), {{S("N"), no}}).isNull());
    // A record whose chassis no longer passes the checks makes no work order.
    db.exec(S("UPDATE PDIMAST SET SASE_NO = 'VNK1SED 026000901' WHERE PDI_NO = :N"), {{S("N"), no}});
    messages.clear();
    EXPECT_FALSE(Guard([&] { PdiIsemriAc(db, ctx, no); }));
    EXPECT_EQ(messages.lastText(), S("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEMRI")), 0);
    EXPECT_EQ(scalar(S("SELECT SERI_NO FROM PARAMSER")).toDouble(), 5);
}

TEST_F(PdiTest, TheChassisSearchKeepsTheUsersWildcardOnly)
{
    for (const char* s : {"VNK1SED2026000901", "VNK1SED2026000902", "VNK1HBC2026000903", "KRS4SUV2026000904"})
        addPdi(S(s));
    struct Case {
        const char* aranan;
        QStringList bulunan;
    };
    const QList<Case> cases{
        {"VNK1SED%", {S("VNK1SED2026000901"), S("VNK1SED2026000902")}},
        {"vnk1%", {S("VNK1HBC2026000903"), S("VNK1SED2026000901"), S("VNK1SED2026000902")}},
        {"%0903", {S("VNK1HBC2026000903")}},
        {"VNK1SED2026000902", {S("VNK1SED2026000902")}},
        // An underscore is a character like any other, not "any one".
        {"VNK1SED202600090_", {}},
        {"VNK1SED", {}},
    };
    for (const Case& c : cases) {
        QStringList got;
        for (const PdiSaseSonucu& r : PdiSaseAra(db, S(c.aranan)))
            got << r.SASE_NO;
        EXPECT_EQ(got, c.bulunan) << c.aranan;
    }
}

TEST_F(PdiTest, TheVehicleLookUpFillsFromTheFocusedField)
{
    QVariantMap row{{S("SASE_NO"), kSase}, {S("MODEL_KODU"), S("ESKI")}};
    EXPECT_TRUE(PdiAracBul(db, row, PdiAracAlani::Motor, S("M16A140901")));
    EXPECT_EQ(row.value(S("SASE_NO")).toString(), kSase);
    EXPECT_EQ(row.value(S("MODEL_KODU")).toString(), S("VRN1600"));
    EXPECT_EQ(row.value(S("RENK_KODU")).toString(), S("BYZ"));
    EXPECT_EQ(PdiModelAdi(db, S("VRN1600")), S("VARNEK 1.6 SEDAN"));
    // The engine number of this vehicle typed in the chassis field finds nothing.
    EXPECT_FALSE(PdiAracBul(db, row, PdiAracAlani::Sase, S("M16A140901")));
    EXPECT_EQ(messages.lastText(), S("Bu Araç Kayıtlı değil"));
    EXPECT_TRUE(row.value(S("MODEL_KODU")).toString().isEmpty());
    EXPECT_TRUE(row.value(S("RENK_KODU")).toString().isEmpty());
}

TEST_F(PdiTest, EightWorkstationsNeverShareANumber)
{
    constexpr int kTur = 4;
    // Questions so that check lists can be saved.
    addSoru(1, 1, S("Boya"));
    QMutex mutex;
    QStringList isEmirleri, pdiNolari, belIdleri, siraNolari;
    for (int i = 0; i < 8 * kTur; ++i)
        addVehicle(S("VNK1SED202690%1").arg(i, 4, 10, QLatin1Char('0')));
    ConnectionProfile profile = database->profile();
    profile.lockTimeoutMs = 20000;
    const QVariantMap kart = validRow();
    const QStringList hatalar = OnWorkstations(profile, 8, [&](const Db& own, int index) {
        SessionContext c = ctx;
        c.Database1 = own;
        for (int t = 0; t < kTur; ++t) {
            switch (index % 3) {
            case 0: { // the PDI desk: a record and its work order
                PdiKaydi k = PdiYeni(own);
                k.row[S("SASE_NO")] = S("VNK1SED202690%1").arg(index * kTur + t, 4, 10, QLatin1Char('0'));
                RetryAfterAsking(own, [&] { PdiKaydet(own, k, true); });
                QString ie;
                RetryAfterAsking(own, [&] { ie = PdiIsemriAc(own, c, k.row.value(S("PDI_NO")).toString()); });
                QMutexLocker l(&mutex);
                isEmirleri << ie;
                pdiNolari << k.row.value(S("PDI_NO")).toString();
                break;
            }
            case 1: { // the reception: work orders on the card
                QVariantMap row = kart;
                if (IsEmriKaydet(own, c, row, true, 0) != KayitSonucu::Kaydedildi)
                    throw std::runtime_error("work order refused");
                QMutexLocker l(&mutex);
                isEmirleri << row.value(S("IS_EMRI_NO")).toString().mid(1); // the same series, letter aside
                break;
            }
            default: { // the final check
                BelgeFormu b = BelgeFormYeni(own, c, 1);
                for (BelgeSoru& s : b.sorular)
                    s.BS_DEGER = 1;
                BelgeFormKaydet(own, c, b);
                QMutexLocker l(&mutex);
                belIdleri << b.row.value(S("BEL_ID")).toString();
                siraNolari << b.row.value(S("BEL_SIRA_NO")).toString();
            }
            }
        }
    });
    EXPECT_TRUE(hatalar.isEmpty()) << hatalar.join(QLatin1Char('\n')).toStdString();
    for (const QStringList* l : {&isEmirleri, &pdiNolari, &belIdleri, &siraNolari}) {
        QStringList farkli = *l;
        farkli.removeDuplicates();
        EXPECT_EQ(farkli.size(), l->size()) << l->join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(isEmirleri.size(), 6 * kTur);
    EXPECT_EQ(belIdleri.size(), 2 * kTur);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEMRI")), isEmirleri.size());
}
