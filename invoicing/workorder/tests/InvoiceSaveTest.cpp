#include "guard/FormGuard.h"
#include "InvoiceFixture.h"
#include "invoicing/numbering/FatNo.h"
#include "services/KurBul.h"
#include "services/MuhasebeEntegre.h"

using namespace tornaly;
using namespace tornaly::invoicing;

namespace tornaly::test {

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
QVariantMap B(const QString& k, const QVariant& v) { return {{k, v}}; }
} // namespace

TEST_F(InvoiceTest, LinesComeFromTheWorkOrderByKind)
{
    IEFatura f = build(S("W000001"));
    ASSERT_EQ(f.satirlar.size(), 4);
    EXPECT_EQ(f.satirlar[0].PI_KOD, S("YAGFILTRE"));
    EXPECT_DOUBLE_EQ(f.satirlar[0].MIKTAR, 2);
    EXPECT_EQ(f.satirlar[1].GARANTI_TIP, S("G"));
    EXPECT_EQ(f.satirlar[2].PARCA_ISCILIK, S("I"));
    EXPECT_DOUBLE_EQ(f.satirlar[2].MIKTAR, 1.5);
    EXPECT_EQ(f.satirlar[3].PARCA_ISCILIK, S("A")) << "a labour code of group A is a text line";
    EXPECT_EQ(f.satirlar[3].GARANTI_TIP, S("M"));
    for (int i = 0; i < f.satirlar.size(); ++i)
        EXPECT_EQ(f.satirlar[i].SIRA, i + 1);
    EXPECT_EQ(f.deger(S("FAT_NO")).toString(), S("A000001"));
    EXPECT_EQ(f.deger(S("CARI_KOD")).toString(), S("M001"));
    EXPECT_NEAR(f.deger(S("NET_TUTAR")).toDouble(), (180 + 300) * 1.2, 1e-9);

    // Expertise lines only on an expertise invoice; D lines only on a D invoice, billed as M.
    addPart(S("W000001"), 3, S("YAGFILTRE"), 1, 1, 70, S("M"), 0, S("E"));
    addLabour(S("W000001"), 3, S("DIGER"), 1, 10, S("D"));
    const IEFatura e = build(S("W000001"), S("E"));
    ASSERT_EQ(e.satirlar.size(), 1);
    EXPECT_DOUBLE_EQ(e.satirlar[0].BIRIM_FIYAT, 70);
    const IEFatura d = build(S("W000001"), S("D"));
    ASSERT_EQ(d.satirlar.size(), 1);
    EXPECT_EQ(d.satirlar[0].GARANTI_TIP, S("M"));
}

TEST_F(InvoiceTest, WaitingPartsNeedASupervisor)
{
    addWorkOrder(S("W000002"), S("VF1AAA11111111111"), 16000);
    addPart(S("W000002"), 1, S("YAGFILTRE"), 2, 1, 100);
    ctx.AktifKullanici.u_type = S("K");
    IEFatura f = YeniIEFatura(ctx, db, S("I"));
    EXPECT_FALSE(GuardOr(false, [&] { return IsEmriFaturaOlustur(ctx, db, f, S("W000002"), 2025); }));
    EXPECT_EQ(messages.texts().last(), S("Bekleyen Parça var Bu Faturayı düzenleyebilmek için Süpervizör Yetkiniz Olmalı!"));

    ctx.AktifKullanici.u_type = S("S");
    messages.clear();
    messages.answer(MsgYes);
    ASSERT_TRUE(IsEmriFaturaOlustur(ctx, db, f, S("W000002"), 2025));
    ASSERT_EQ(f.satirlar.size(), 1);
    EXPECT_DOUBLE_EQ(f.satirlar[0].MIKTAR, 1);
}

TEST_F(InvoiceTest, SavePostsEverythingAndClosesTheWorkOrder)
{
    IEFatura f = build(S("W000001"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f)) << messages.texts().join(S(" | ")).toStdString();
    const double no = f.satisNo();
    EXPECT_EQ(SonIEFatSatisNo(), no);

    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO = :S"), B(S("S"), no)), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFATDT WHERE SATIS_NO = :S"), B(S("S"), no)), 4);
    // One stock row: the warranty part leaves none; 2 pieces at 100.00 less 10 % give 90.00.
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK WHERE SATISNO = :S AND TIP = 'C'"), B(S("S"), no)), 1);
    EXPECT_DOUBLE_EQ(scalar(S("SELECT FIYAT FROM DEPOHRK WHERE SATISNO = :S"), B(S("S"), no)).toDouble(), 90.0);
    EXPECT_DOUBLE_EQ(scalar(S("SELECT CIKMIK FROM DEPOHRK WHERE SATISNO = :S"), B(S("S"), no)).toDouble(), 2.0);
    EXPECT_EQ(scalar(S("SELECT DEPO_KODU FROM DEPOHRK WHERE SATISNO = :S"), B(S("S"), no)).toString(), S("2"));
    EXPECT_DOUBLE_EQ(stockOf(S("YAGFILTRE")), -2);
    EXPECT_DOUBLE_EQ(ledgerOf(S("YAGFILTRE")), -2);
    EXPECT_DOUBLE_EQ(stockOf(S("BALATA")), 0);

    EXPECT_NEAR(scalar(S("SELECT BORC FROM CARIHRK WHERE CRHRK_TUR = 'S' AND REF_NO = :S"), B(S("S"), no)).toDouble(),
                f.deger(S("NET_TUTAR")).toDouble(), 1e-9);
    EXPECT_EQ(scalar(S("SELECT ACIKLAMA FROM CARIHRK WHERE REF_NO = :S"), B(S("S"), no)).toString(),
              S("A000001 No.lu Servis Fat."));

    EXPECT_DOUBLE_EQ(scalar(S("SELECT FATURANO FROM ISEAYRIN WHERE SIRANO = 1")).toDouble(), no);
    EXPECT_TRUE(scalar(S("SELECT FATURANO FROM ISEAYRIN WHERE SIRANO = 2")).isNull()) << "warranty part";
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISCILIK WHERE FATURANO = :S"), B(S("S"), no)), 2);

    EXPECT_EQ(scalar(S("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'")).toString(), S("E"));
    EXPECT_FALSE(scalar(S("SELECT TAHMINI_TES_TRH FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'")).isNull());
    EXPECT_TRUE(scalar(S("SELECT TESLIM_TRH FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'")).isNull());

    // A 30-day period after 1 March calls on 31 March.
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER WHERE IE_NO = 'W000001' AND MUS_TIP = 'S'")), 1);
    EXPECT_EQ(Query::toDate(scalar(S("SELECT ARAMA_TRH FROM ARAMAPER"))), QDate(2025, 3, 31));

    EXPECT_EQ(FatNoOku(db).numara(), S("A000002"));

    // Saved again on another date: stock rows and call-back dates replaced, one ledger row.
    IEFatura g = IEFaturaOku(db, no);
    g.set(S("TARIH"), QDateTime(QDate(2025, 3, 5), QTime(0, 0)));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, g)) << messages.texts().join(S(" | ")).toStdString();
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK WHERE SATISNO = :S"), B(S("S"), no)), 1);
    EXPECT_DOUBLE_EQ(stockOf(S("YAGFILTRE")), -2);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER")), 1);
    EXPECT_EQ(Query::toDate(scalar(S("SELECT ARAMA_TRH FROM ARAMAPER"))), QDate(2025, 4, 4));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK WHERE REF_NO = :S"), B(S("S"), no)), 1);
    EXPECT_EQ(FatNoOku(db).numara(), S("A000002")) << "a re-save takes no new number";
}

TEST_F(InvoiceTest, WorkingPeriodHoldsOnlyWorkOrderInvoices)
{
    invoiceDay = QDate(2026, 1, 5);
    IEFatura f = build(S("W000001"));
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaKaydet(ctx, db, f); }));
    EXPECT_EQ(messages.texts().last(), S("Lütfen Çalışma Dönemi içinde bir Tarih Yazınız"));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 0);

    addPart(S("W000001"), 3, S("YAGFILTRE"), 1, 1, 70, S("M"), 0, S("E"));
    IEFatura e = build(S("W000001"), S("E"));
    EXPECT_TRUE(IEFaturaKaydet(ctx, db, e)) << messages.texts().join(S(" | ")).toStdString();
    EXPECT_EQ(scalar(S("SELECT ACIKLAMA FROM CARIHRK")).toString(), S("A000001 No.lu Ekspertiz Fat."));
}

TEST_F(InvoiceTest, BadInputIsRefusedAndNothingWritten)
{
    struct Case {
        const char* ad;
        std::function<void(IEFatura&)> bozuk;
        QString mesaj;
    };
    const QList<Case> cases{
        {"no number", [](IEFatura& f) { f.set(S("FAT_NO"), QString()); }, S("Fatura No Yazılmadan Kayıt Saklanamaz.")},
        {"no account", [](IEFatura& f) { f.set(S("CARI_KOD"), QString()); }, S("Cari Kodu Verilmeden Satış Saklanmaz.")},
        {"zero price", [](IEFatura& f) { f.satirlar[0].BIRIM_FIYAT = 0; }, S("Birim Fiyat yada Miktar sıfır olamaz !")},
        {"zero quantity", [](IEFatura& f) { f.satirlar[2].MIKTAR = 0; }, S("Birim Fiyat yada Miktar sıfır olamaz !")},
        {"locked date", [this](IEFatura&) { ctx.KilitTarihi = QDate(2025, 3, 31); }, S("İlgili tarih için işlem yapılamaz!")},
        {"currency without rate",
         [](IEFatura& f) {
             f.set(S("DOVIZ_KODU"), S("EUR"));
             f.set(S("TL_KURDEGER"), 0.0);
         },
         KurYokMesaji(S("EUR"), QDate(2025, 3, 1))},
    };
    for (const Case& c : cases) {
        ctx.KilitTarihi = {};
        messages.clear();
        IEFatura f = build(S("W000001"));
        c.bozuk(f);
        EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaKaydet(ctx, db, f); })) << c.ad;
        ASSERT_FALSE(messages.texts().isEmpty()) << c.ad;
        if (!c.mesaj.isEmpty()) {
            EXPECT_EQ(messages.texts().last(), c.mesaj) << c.ad;
        }
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 0) << c.ad;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK")), 0) << c.ad;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK")), 0) << c.ad;
        EXPECT_EQ(scalar(S("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'")).toString(), S("H")) << c.ad;
    }
}

TEST_F(InvoiceTest, UsedNumbers)
{
    IEFatura f = build(S("W000001"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f));

    addWorkOrder(S("W000002"), S("VF1AAA11111111111"), 16000);
    addPart(S("W000002"), 1, S("BALATA"), 1, 1, 100);
    // A typed number already used by another invoice is refused with that invoice's number.
    IEFatura g = build(S("W000002"));
    g.set(S("FAT_NO"), S("A000001"));
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaKaydet(ctx, db, g); }));
    EXPECT_EQ(messages.texts().last(),
              S("Aynı Fatura Nolu İşemri Faturası Kaydı var !Satış No:") + QString::number(f.satisNo(), 'f', 0));

    // A typed number that is not the series' own leaves the series where it is.
    g.set(S("FAT_NO"), S("X-77"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, g));
    EXPECT_EQ(FatNoOku(db).numara(), S("A000002"));

    // A proposed number another workstation took meanwhile becomes the next free one.
    addWorkOrder(S("W000003"), S("VF1AAA11111111111"), 17000);
    addPart(S("W000003"), 1, S("BALATA"), 1, 1, 100);
    IEFatura h = build(S("W000003"));
    EXPECT_EQ(h.deger(S("FAT_NO")).toString(), S("A000002"));
    db.exec(S("UPDATE NEWSATIS SET FATNO = 5"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, h));
    EXPECT_EQ(h.deger(S("FAT_NO")).toString(), S("A000005"));
    EXPECT_EQ(FatNoOku(db).numara(), S("A000006"));

    // The unique key stands behind the check.
    EXPECT_THROW(db.exec(S("UPDATE SERFAT SET FAT_NO = 'A000005' WHERE SATIS_NO = :S"), B(S("S"), f.satisNo())),
                 DbError);
}

TEST_F(InvoiceTest, FailureInTheMiddleLeavesNothing)
{
    for (const char* adim : {"arama", "cari", "fatura", "stok", "isemri"}) {
        IEFatura f = build(S("W000001"));
        IEFatKayitSecenekleri sec;
        sec.adim = [&](const QString& a) {
            if (a == S(adim))
                throw DbError(DbError::Kind::Other, S("bağlantı koptu"));
        };
        messages.clear();
        EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaKaydet(ctx, db, f, sec); })) << adim;
        // The guard tells the user the save failed; the driver's text goes to the log.
        EXPECT_EQ(messages.texts().last(),
                  FailureText(std::make_exception_ptr(DbError(DbError::Kind::Other, S("bağlantı koptu")))))
            << adim;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 0) << adim;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFATDT")), 0) << adim;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK")), 0) << adim;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK")), 0) << adim;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER")), 0) << adim;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEAYRIN WHERE FATURANO IS NOT NULL")), 0) << adim;
        EXPECT_DOUBLE_EQ(stockOf(S("YAGFILTRE")), 0) << adim;
        EXPECT_EQ(scalar(S("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'")).toString(), S("H")) << adim;
        EXPECT_EQ(FatNoOku(db).numara(), S("A000001")) << adim;
    }
}

TEST_F(InvoiceTest, AccountingHandOverOnlyAfterCommitAndByTheSwitch)
{
    QList<double> aktarilan;
    MuhasebeAktarimi anahtar = MuhasebeAktarimi::Aktar;
    SetMuhasebeEntegre([&](const SessionContext&, const Db&, const MuhasebeEntegreIstegi& i) { aktarilan << i.kaynakNo; },
                       [&](const Db&, QChar tur) {
                           EXPECT_EQ(tur, QLatin1Char('I'));
                           return anahtar;
                       });
    ctx.AktifKullanici.diger10 = S("Y");
    IEFatura f = build(S("W000001"));
    IEFatKayitSecenekleri bozuk;
    bozuk.adim = [](const QString& a) {
        if (a == S("stok"))
            throw DbError(DbError::Kind::Other, S("x"));
    };
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaKaydet(ctx, db, f, bozuk); }));
    EXPECT_TRUE(aktarilan.isEmpty());
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f));
    EXPECT_EQ(aktarilan, QList<double>{f.satisNo()});

    anahtar = MuhasebeAktarimi::Sor;
    messages.answer(MsgNo);
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f));
    EXPECT_EQ(messages.texts().last(), S("Muhasebe Kaydı Yapılsın mı?"));
    EXPECT_EQ(aktarilan.size(), 1);
    ctx.AktifKullanici.diger10 = S("H");
    anahtar = MuhasebeAktarimi::Aktar;
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f));
    EXPECT_EQ(aktarilan.size(), 1);
    SetMuhasebeEntegre({}, {});
}

TEST_F(InvoiceTest, BelowCostLines)
{
    db.exec(S("UPDATE STOK SET MALIYET_FYT_TL = 95 WHERE STOK_KOD_NO = 'YAGFILTRE'"));
    db.exec(S("UPDATE STOK SET MALIYET_FYT_TL = 9999 WHERE STOK_KOD_NO = 'BALATA'"));
    ctx.AktifKullanici.maliyet_uyari = 1;
    IEFatura f = build(S("W000001"));
    double gosterilen = 0;
    IEFatKayitSecenekleri sec;
    sec.fiyatKontrolGoster = [&](double no) { gosterilen = no; };
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f, sec));
    EXPECT_EQ(gosterilen, f.satisNo());
    const QList<MaliyetAltiSatir> r = FiyatKontrolSatirlari(db, QLatin1Char('I'), f.satisNo());
    ASSERT_EQ(r.size(), 1) << "the warranty part is never listed";
    EXPECT_EQ(r[0].STOK_KODU, S("YAGFILTRE"));
    EXPECT_DOUBLE_EQ(r[0].FIYAT, 90);
    EXPECT_DOUBLE_EQ(r[0].MALIYET_FYT_TL, 95);
    EXPECT_TRUE(FiyatKontrolSatirlari(db, QLatin1Char('X'), f.satisNo()).isEmpty());
}

TEST_F(InvoiceTest, DeleteUndoesEveryPosting)
{
    IEFatura f = build(S("W000001"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f));
    const double no = f.satisNo();

    // Refusals first.
    db.exec(S("UPDATE SERFAT SET FIS_NO = 12 WHERE SATIS_NO = :S"), B(S("S"), no));
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaSil(ctx, db, no); }));
    EXPECT_EQ(messages.texts().last(), S("Muhasebeleşmiş Kayıt Silinemez !"));
    db.exec(S("UPDATE SERFAT SET FIS_NO = NULL, EF_STATU = 4 WHERE SATIS_NO = :S"), B(S("S"), no));
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaSil(ctx, db, no); }));
    EXPECT_EQ(messages.texts().last(), S("Bu statüdeki E-Faturayı silemezsiniz!"));
    db.exec(S("UPDATE SERFAT SET EF_STATU = 6 WHERE SATIS_NO = :S"), B(S("S"), no));
    ctx.FatKilitTrh = QDate(2025, 3, 2);
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaSil(ctx, db, no); }));
    EXPECT_EQ(messages.texts().last(), S("02.03.2025 Tarihinden önceki Faturalarda değişiklik yapamazsınız !"));
    ctx.FatKilitTrh = {};
    messages.answer(MsgNo);
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaSil(ctx, db, no); }));
    EXPECT_EQ(messages.texts().last(), S("Satış Silinsin mi?"));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 1);

    // A mark of another invoice stays.
    db.exec(S("UPDATE ISEAYRIN SET FATURANO = 999 WHERE SIRANO = 2"));
    // A failure in the middle rolls the whole delete back.
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaSil(ctx, db, no, [](const QString& a) {
        if (a == S("cari"))
            throw DbError(DbError::Kind::Other, S("kesinti"));
    }); }));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK")), 1);

    ASSERT_TRUE(IEFaturaSil(ctx, db, no)) << messages.texts().join(S(" | ")).toStdString();
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFATDT")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEAYRIN WHERE FATURANO = :S"), B(S("S"), no)), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISCILIK WHERE FATURANO IS NOT NULL")), 0);
    EXPECT_DOUBLE_EQ(scalar(S("SELECT FATURANO FROM ISEAYRIN WHERE SIRANO = 2")).toDouble(), 999);
    EXPECT_DOUBLE_EQ(stockOf(S("YAGFILTRE")), 0);
    EXPECT_EQ(scalar(S("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'")).toString(), S("E"))
        << "the work order stays closed";
}

TEST_F(InvoiceTest, CallBacksStayWhileAnotherInvoiceOfTheWorkOrderRemains)
{
    IEFatura f = build(S("W000001"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f));
    addPart(S("W000001"), 3, S("YAGFILTRE"), 1, 1, 70, S("M"), 0, S("E"));
    IEFatura e = build(S("W000001"), S("E"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, e));
    ASSERT_TRUE(IEFaturaSil(ctx, db, e.satisNo()));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER")), 1);
    ASSERT_TRUE(IEFaturaSil(ctx, db, f.satisNo()));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER")), 0);
}

TEST_F(InvoiceTest, StampsComeFromTheServersClock)
{
    // The server's clock stands far from the workstation's.
    const QDateTime sunucu(QDate(2031, 5, 17), QTime(10, 20, 30));
    FixedServerClock saat(sunucu);
    IEFatura yeni = YeniIEFatura(ctx, db, S("I"));
    EXPECT_EQ(yeni.tarih(), sunucu.date());
    EXPECT_EQ(Query::toDateTime(yeni.deger(S("SAAT"))), sunucu);

    // Closing the work order stamps the server's day as the delivery day.
    IEFatura f = build(S("W000001"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f)) << messages.texts().join(S(" | ")).toStdString();
    EXPECT_EQ(Query::toDate(scalar(S("SELECT TAHMINI_TES_TRH FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'"))),
              sunucu.date());
}

TEST_F(InvoiceTest, MarksOfOtherOperationsOutliveASave)
{
    IEFatura f = build(S("W000001"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, f)) << messages.texts().join(S(" | ")).toStdString();
    const QVariantMap sn = B(S("S"), f.satisNo());
    IEFatura kopya = IEFaturaOku(db, f.satisNo());
    // Meanwhile the e-invoice exchange and the Excel copy mark the invoice.
    const Db b = database->open(S("B"));
    b.exec(S("UPDATE SERFAT SET EF_STATU = 2, EF_GUID = 'G-1', EXCEL_AKTAR = 1 WHERE SATIS_NO = :S"), sn);
    kopya.set(S("ODEME_SEKLI"), S("NAKİT"));
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, kopya)) << messages.texts().join(S(" | ")).toStdString();
    EXPECT_EQ(scalar(S("SELECT ODEME_SEKLI FROM SERFAT WHERE SATIS_NO = :S"), sn).toString(), S("NAKİT"));
    EXPECT_EQ(scalar(S("SELECT EF_STATU FROM SERFAT WHERE SATIS_NO = :S"), sn).toInt(), 2);
    EXPECT_EQ(scalar(S("SELECT EF_GUID FROM SERFAT WHERE SATIS_NO = :S"), sn).toString(), S("G-1"));
    EXPECT_EQ(scalar(S("SELECT EXCEL_AKTAR FROM SERFAT WHERE SATIS_NO = :S"), sn).toInt(), 1);

    // Sent to the tax office, or posted, in the meantime: the copy is refused and nothing moves.
    struct Case {
        const char* ad;
        const char* isaret;
        QString mesaj;
    };
    const QList<Case> cases{
        {"sent e-invoice", "EF_STATU = 3", S("GİB e gönderilmiş E-Fatura üzerinde değişiklik yapılamaz.")},
        {"posted", "FIS_NO = 77", S("Muhasebeleşmiş kayıt değiştirilemez!")}};
    for (const Case& c : cases) {
        b.exec(S("UPDATE SERFAT SET EF_STATU = 0, FIS_NO = NULL WHERE SATIS_NO = :S"), sn);
        IEFatura eski = IEFaturaOku(db, f.satisNo());
        b.exec(S("UPDATE SERFAT SET ") + QLatin1String(c.isaret) + S(" WHERE SATIS_NO = :S"), sn);
        eski.set(S("ODEME_SEKLI"), S("KREDİ KARTI"));
        messages.clear();
        EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaKaydet(ctx, db, eski); })) << c.ad;
        EXPECT_EQ(messages.lastText(), c.mesaj) << c.ad;
        EXPECT_EQ(scalar(S("SELECT ODEME_SEKLI FROM SERFAT WHERE SATIS_NO = :S"), sn).toString(), S("NAKİT")) << c.ad;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO = :S AND ") + QLatin1String(c.isaret), sn), 1)
            << c.ad;
    }
}

TEST_F(InvoiceTest, EightWorkstationsInvoiceAtOnce)
{
    const int n = 8;
    for (int i = 0; i < n; ++i) {
        const QString ie = S("C%1").arg(i, 6, 10, QLatin1Char('0'));
        addWorkOrder(ie, S("VF1AAA11111111111"), 20000 + i);
        addPart(ie, 1, S("YAGFILTRE"), 1, 1, 100 + i);
        addPart(ie, 2, S("BALATA"), 2, 2, 50);
        addLabour(ie, 1, S("BAKIM"), 1, 150);
    }
    QList<double> numaralar;
    QMutex kilit;
    const QStringList hatalar = OnWorkstations(database->profile(), n, [&](const Db& own, int i) {
        SessionContext c = ctx;
        c.Database1 = own;
        const QString ie = S("C%1").arg(i, 6, 10, QLatin1Char('0'));
        IEFatura f = YeniIEFatura(c, own, S("I"));
        f.set(S("TARIH"), QDateTime(invoiceDay, QTime(0, 0)));
        if (!IsEmriFaturaOlustur(c, own, f, ie, 2025))
            throw std::runtime_error("build failed");
        if (!IEFaturaKaydet(c, own, f))
            throw std::runtime_error("save failed");
        QMutexLocker l(&kilit);
        numaralar << f.satisNo();
    });
    ASSERT_TRUE(hatalar.isEmpty()) << hatalar.join(S(" | ")).toStdString()
                                   << messages.texts().join(S(" | ")).toStdString();
    EXPECT_EQ(numaralar.size(), n);
    EXPECT_EQ(count(S("SELECT COUNT(DISTINCT FAT_NO) FROM SERFAT")), n);
    EXPECT_EQ(count(S("SELECT COUNT(DISTINCT SATIS_NO) FROM SERFAT")), n);
    EXPECT_EQ(FatNoOku(db).FATNO, 1 + n);
    for (const char* kod : {"YAGFILTRE", "BALATA"})
        EXPECT_DOUBLE_EQ(stockOf(S(kod)), ledgerOf(S(kod))) << kod;
    EXPECT_DOUBLE_EQ(stockOf(S("BALATA")), -2 * n);
    EXPECT_NEAR(scalar(S("SELECT SUM(NET_TUTAR) FROM SERFAT")).toDouble(),
                scalar(S("SELECT SUM(BORC) FROM CARIHRK WHERE CARI_KOD = 'M001'")).toDouble(), 1e-6);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK")), n);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEMRI WHERE KAPANDI = 'E'")), n);
}

} // namespace tornaly::test
