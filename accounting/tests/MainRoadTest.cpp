// The main road of the workshop from customer card to ledger voucher and
// back, through the services the forms call: every posting the road makes
// is checked against the rows it must agree with, then the invoice delete
// must take every one of them back.
#include "guard/FormGuard.h"
#include "../../workshop/dispositions/tests/DispozFixture.h"

#include "accounting/AccountingSchema.h"
#include "accounting/ledger/MuhFis.h"
#include "accounting/transfer/MuhEntegre.h"
#include "accounts/cards/CariKart.h"
#include "aftersales/AftersalesSchema.h"
#include "invoicing/workorder/IEFatura.h"
#include "services/MuhasebeEntegre.h"
#include "stock/ledger/StokMik.h"
#include "workshop/dispositions/Dispoz.h"
#include "workshop/labour/Frt.h"
#include "workshop/partsissue/IsDetay.h"
#include "workshop/vehicles/Vehicles.h"

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The parameter is the company's invoice rounding letter (none, Y up, A down).
class MainRoadTest : public tornaly::test::DispozTest, public ::testing::WithParamInterface<const char*> {
protected:
    void registerSchema() override
    {
        accounting::RegisterSchema();
        aftersales::RegisterSchema();
    }

    void SetUp() override
    {
        DispozTest::SetUp();
        bugun = QDate::currentDate();
        ctx.CalismaYiliNo = bugun.year();
        ctx.CalismaYili = QString::number(bugun.year());
        ctx.DonemBasTarih = QDate(bugun.year(), 1, 1);
        ctx.DonemBitTarih = QDate(bugun.year(), 12, 31);
        ctx.AktifKullanici.iefatura = S("Y");
        ctx.AktifKullanici.u_type = S("A");
        ctx.AktifKullanici.diger10 = S("Y");
        ctx.FatYuvarTip = QLatin1String(GetParam());

        // The chart, the VAT account set and the cards' sales accounts.
        for (const char* k : {"120", "120.01", "391", "391.01", "600", "600.01", "600.02"})
            hesap(QLatin1String(k));
        insert(S("MUHKDV"), {{S("MUHKDV_KOD"), S("K1")}, {S("MUHKDV_TANIM"), S("Genel")}});
        insert(S("MUHKDVAYR"), {{S("MUHKDV_KOD"), S("K1")}, {S("KDV"), 18.0}, {S("MUH_KDV_S"), S("391.01")}});
        db.exec(S("UPDATE STOK SET MUH_S = '600.01', MUH_KDV_A = 'K1'"));
        // A price with more than two decimals, so that the rounding letters matter.
        db.exec(S("UPDATE STOK SET SAT_FYT_TL = 33.3367 WHERE STOK_NO = 2"));
        db.exec(S("UPDATE FRT SET MUH_S = '600.02', MUH_KDV_A = 'K1'"));
        // Work-order invoices post without asking.
        if (count(S("SELECT COUNT(*) FROM PARAMUH")) == 0)
            db.exec(S("INSERT INTO PARAMUH (IE_MUH_KAY, ISK_DUS) VALUES ('O', 'D')"));
        else
            db.exec(S("UPDATE PARAMUH SET IE_MUH_KAY = 'O', ISK_DUS = 'D'"));
        if (count(S("SELECT COUNT(*) FROM PARAFAT")) == 0)
            db.exec(S("INSERT INTO PARAFAT (MUH_KAY) VALUES ('E')"));
        // A 30-day call-back after a service invoice.
        insert(S("PERIYOT"), {{S("SAT_SER"), S("S")}, {S("ARA_TIP"), S("1")}, {S("PER_GUN"), 30}});
        accounting::MuhasebeBaglantisiniKur();
        accounting::SetEksikMuhKodGosterici([this](const accounting::EksikMuhKodlari&) { ++eksikPencere; });
    }

    void TearDown() override
    {
        SetMuhasebeEntegre({}, {});
        accounting::SetEksikMuhKodGosterici({});
        DispozTest::TearDown();
    }

    void hesap(const QString& kod)
    {
        const QStringList p = kod.split(QLatin1Char('.'));
        const int kebir = p.at(0).toInt();
        insert(S("HSPLAN"), {{S("HKOD"), kod},
                             {S("HESAP_ADI"), S("Hesap ") + kod},
                             {S("HSINIF"), kebir / 100},
                             {S("HGRUBU"), kebir / 10},
                             {S("KEBIR"), kebir},
                             {S("MUAVIN"), p.size() > 1 ? QVariant(p.at(1)) : QVariant(QMetaType(QMetaType::QString))}});
    }

    double num(const char* sql, const QVariantMap& b = {}) { return scalar(S(sql), b).toDouble(); }
    QString metin(const char* sql, const QVariantMap& b = {}) { return scalar(S(sql), b).toString(); }
    double bakiye(const QString& cari)
    {
        return scalar(S("SELECT COALESCE(SUM(BORC), 0) - COALESCE(SUM(ALACAK), 0) FROM CARIHRK WHERE CARI_KOD = :C"),
                      {{S("C"), cari}})
            .toDouble();
    }
    // Every part's quantity in every warehouse against the sum of its ledger rows.
    void stokDefterleUyumlu(const char* an)
    {
        EXPECT_TRUE(stock::StokMikFarklari(db, 1e-9).isEmpty()) << an;
        EXPECT_EQ(count(S("SELECT COUNT(*) FROM STOKMIK M WHERE ABS(M.MIKTAR - (SELECT COALESCE(SUM(H.GIRMIK - "
                          "H.CIKMIK), 0) FROM DEPOHRK H WHERE H.STOK_NO = M.STOK_NO AND H.DEPO_KODU = M.DEPO_KOD)) "
                          "> 0.000001")),
                  0)
            << an;
    }
    QString mesajlar() const { return messages.texts().join(S(" | ")); }

    // The fixture's work order with two of part 1 issued and one labour line,
    // for a customer whose account posts; returns its working year.
    int faturalanacakIsEmri()
    {
        db.exec(S("UPDATE CARI SET MUH_KOD = '120.01' WHERE CARI_KOD = 'M001'"));
        db.exec(S("UPDATE ISEMRI SET ARAC_GIRIS_TRH = :T, FYILI = :Y WHERE IS_EMRI_NO = :N"),
                {{S("T"), QDateTime(bugun, QTime(8, 0))}, {S("Y"), bugun.year()}, {S("N"), wo}});
        workshop::IsDetayBelgesi p = workshop::IsDetayYukle(db, ctx, wo);
        EXPECT_EQ(workshop::AlisEkle(db, ctx, p, 1), 0);
        p.parcalar[0][S("STOK_MIKTAR")] = 2.0;
        p.parcalar[0][S("TESLIM_MIKTAR")] = 2.0;
        EXPECT_TRUE(workshop::IsDetayKaydet(db, ctx, p).kaydedildi) << mesajlar().toStdString();
        workshop::DispozBelgesi d = workshop::DispozYukle(db, wo);
        EXPECT_EQ(workshop::IscilikEkle(db, ctx, d, workshop::FrtOku(db, S("M100"), S("VS1"))), 0);
        EXPECT_TRUE(workshop::DispozKaydet(db, ctx, d)) << mesajlar().toStdString();
        return bugun.year();
    }
    // A new invoice of the work order, filled on a workstation's own connection.
    invoicing::IEFatura yeniFatura(const SessionContext& c, int fyili)
    {
        invoicing::IEFatura f = invoicing::YeniIEFatura(c, c.Database1, S("I"));
        f.set(S("TARIH"), QDateTime(bugun, QTime(0, 0)));
        EXPECT_TRUE(invoicing::IsEmriFaturaOlustur(c, c.Database1, f, wo, fyili)) << mesajlar().toStdString();
        return f;
    }
    SessionContext istasyon(const Db& own) const
    {
        SessionContext c = ctx;
        c.Database1 = own;
        return c;
    }

    QDate bugun;
    int eksikPencere = 0;
};

TEST_P(MainRoadTest, CustomerToVoucherAndTheDeleteTakesItAllBack)
{
    // A customer card and the customer's vehicle.
    accounts::CariKartKaydi cari = accounts::YeniCariKart(ctx);
    cari.cari[S("CARI_KOD")] = S("M200");
    cari.cari[S("FIRMA_ADI")] = S("ÖZGÜR ŞAHİN");
    cari.cari[S("MUH_KOD")] = S("120.01");
    ASSERT_EQ(accounts::CariKartKaydet(db, cari, true), S("M200"));

    QVariantMap arac = workshop::NewAracRow();
    arac[S("SASE_NO")] = S("VF1BBB22222222222");
    arac[S("PLAKA")] = S("34ZZ99");
    arac[S("ARC_MODEL_KODU")] = S("VRN1600");
    arac[S("ARC_MODEL_TRH")] = 2024;
    arac[S("ARC_RENK_KODU")] = S("BYZ");
    arac[S("CARI_KOD")] = S("M200");
    ASSERT_TRUE(workshop::SaveArac(db, ctx, arac, true)) << mesajlar().toStdString();

    // The work order is opened with its own number.
    QVariantMap ie = validRow();
    ie[S("SASI_NO")] = S("VF1BBB22222222222");
    ie[S("PLAKA_NO")] = S("34ZZ99");
    ie[S("CARI_KOD")] = S("M200");
    ie[S("KM")] = 1000.0;
    ASSERT_EQ(workshop::IsEmriKaydet(db, ctx, ie, true, 0), workshop::KayitSonucu::Kaydedildi)
        << mesajlar().toStdString();
    const QString no = ie.value(S("IS_EMRI_NO")).toString();
    ASSERT_FALSE(no.isEmpty());
    ASSERT_NE(no, wo);
    const int fyili = ie.value(S("FYILI")).toInt();
    db.exec(S("UPDATE ISEMRI SET ARAC_GIRIS_TRH = :T WHERE IS_EMRI_NO = :N"),
            {{S("T"), QDateTime(bugun, QTime(8, 0))}, {S("N"), no}});

    // The parts counter issues 2 of part 1 and 3 of part 2 from the main warehouse.
    workshop::IsDetayBelgesi p = workshop::IsDetayYukle(db, ctx, no);
    ASSERT_EQ(workshop::AlisEkle(db, ctx, p, 1), 0);
    ASSERT_EQ(workshop::AlisEkle(db, ctx, p, 2), 1);
    for (const auto& [i, m] : {std::pair{0, 2.0}, std::pair{1, 3.0}}) {
        p.parcalar[i][S("STOK_MIKTAR")] = m;
        p.parcalar[i][S("TESLIM_MIKTAR")] = m;
    }
    const workshop::YPKayitSonucu yp = workshop::IsDetayKaydet(db, ctx, p);
    ASSERT_TRUE(yp.kaydedildi) << mesajlar().toStdString();
    EXPECT_TRUE(yp.sorun.isEmpty()) << yp.sorun.toStdString();
    EXPECT_DOUBLE_EQ(stokmik(1, S("1")), 3);
    EXPECT_DOUBLE_EQ(stokmik(1, S("2")), 2);
    EXPECT_DOUBLE_EQ(stokmik(2, S("1")), 7);
    EXPECT_DOUBLE_EQ(stokmik(2, S("2")), 3);
    stokDefterleUyumlu("after the parts issue");

    // The dispositions add the labour line.
    workshop::DispozBelgesi d = workshop::DispozYukle(db, no);
    ASSERT_EQ(workshop::IscilikEkle(db, ctx, d, workshop::FrtOku(db, S("M100"), S("VS1"))), 0)
        << mesajlar().toStdString();
    ASSERT_TRUE(workshop::DispozKaydet(db, ctx, d)) << mesajlar().toStdString();
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISCILIK WHERE ISEMRI_NO = :N"), {{S("N"), no}}), 1);
    const double ieNet = scalar(S("SELECT NET_TUT FROM ISEMRI WHERE IS_EMRI_NO = :N"), {{S("N"), no}}).toDouble();
    // 2 x 100 + 3 x 33.3367 + 1.5 h x 200, VAT 18 %.
    EXPECT_NEAR(ieNet, (200 + 3 * 33.3367 + 300) * 1.18, 1e-6);
    stokDefterleUyumlu("after the dispositions");

    // The work order is invoiced; the save posts to the ledger at once.
    const double bakiyeOnce = bakiye(S("M200"));
    invoicing::IEFatura f = invoicing::YeniIEFatura(ctx, db, S("I"));
    f.set(S("TARIH"), QDateTime(bugun, QTime(0, 0)));
    ASSERT_TRUE(invoicing::IsEmriFaturaOlustur(ctx, db, f, no, fyili)) << mesajlar().toStdString();
    ASSERT_EQ(f.satirlar.size(), 3);
    ASSERT_TRUE(invoicing::IEFaturaKaydet(ctx, db, f)) << mesajlar().toStdString();
    const double satis = f.satisNo();
    const QVariantMap sn{{S("S"), satis}};
    const QVariantMap nn{{S("N"), no}};
    EXPECT_EQ(eksikPencere, 0);

    const double net = num("SELECT NET_TUTAR FROM SERFAT WHERE SATIS_NO = :S", sn);
    // The invoice bills what the work order holds; a rounding letter moves
    // the goods total and the VAT by less than a cent each.
    EXPECT_NEAR(net, ieNet, ctx.FatYuvarTip.isEmpty() ? 1e-6 : 0.02);
    EXPECT_NEAR(bakiye(S("M200")) - bakiyeOnce, net, 1e-9) << "the customer owes the invoice's net total";
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK WHERE CRHRK_TUR = 'S' AND REF_NO = :S"), sn), 1);

    // The sale leaves the service warehouse.
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK WHERE SATISNO = :S AND TIP = 'C'"), sn), 2);
    EXPECT_DOUBLE_EQ(stokmik(1, S("1")), 3);
    EXPECT_DOUBLE_EQ(stokmik(1, S("2")), 0);
    EXPECT_DOUBLE_EQ(stokmik(2, S("1")), 7);
    EXPECT_DOUBLE_EQ(stokmik(2, S("2")), 0);
    stokDefterleUyumlu("after the invoice");

    EXPECT_EQ(metin("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :N", nn), S("E"));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER WHERE IE_NO = :N AND MUS_TIP = 'S'"), nn), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEAYRIN WHERE ISEMRI_NO = :N AND FATURANO = :S"),
                    {{S("N"), no}, {S("S"), satis}}),
              2);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISCILIK WHERE ISEMRI_NO = :N AND FATURANO = :S"),
                    {{S("N"), no}, {S("S"), satis}}),
              1);

    // The voucher balances, names the invoice and the invoice points back to it.
    const double fis = num("SELECT FIS_NO FROM SERFAT WHERE SATIS_NO = :S", sn);
    ASSERT_GT(fis, 0) << mesajlar().toStdString();
    const QVariantMap fn{{S("F"), fis}};
    const double borc = num("SELECT SUM(BORC) FROM FISAYR WHERE FISNO = :F", fn);
    const double alacak = num("SELECT SUM(ALACAK) FROM FISAYR WHERE FISNO = :F", fn);
    EXPECT_NEAR(borc, alacak, 1e-6);
    EXPECT_NEAR(borc, net, 1e-6);
    // Goods and labour on the sales accounts, the VAT on its account, as the invoice has them.
    EXPECT_NEAR(num("SELECT SUM(ALACAK) FROM FISAYR WHERE FISNO = :F AND HSPKODU IN ('600.01', '600.02')", fn),
                num("SELECT TOPLAM_TUTAR FROM SERFAT WHERE SATIS_NO = :S", sn), 1e-6);
    EXPECT_NEAR(num("SELECT SUM(ALACAK) FROM FISAYR WHERE FISNO = :F AND HSPKODU = '391.01'", fn),
                num("SELECT KDV_TUTARI FROM SERFAT WHERE SATIS_NO = :S", sn), 1e-6);
    EXPECT_NEAR(num("SELECT SUM(BORC) FROM FISAYR WHERE FISNO = :F AND HSPKODU = '120.01'", fn), net, 1e-6);
    const QString fatNo = f.deger(S("FAT_NO")).toString();
    EXPECT_EQ(metin("SELECT BELGENO FROM FIS WHERE FISNO = :F", fn), fatNo);
    EXPECT_EQ(num("SELECT ENT_REF_NO FROM FIS WHERE FISNO = :F", fn), satis);

    // A posted invoice is not deleted: nothing moves.
    messages.clear();
    EXPECT_FALSE(GuardOr(false, [&] { return invoicing::IEFaturaSil(ctx, db, satis); }));
    EXPECT_EQ(messages.lastText(), S("Muhasebeleşmiş Kayıt Silinemez !"));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO = :S"), sn), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM FIS WHERE FISNO = :F"), fn), 1);

    // The voucher is deleted on the accounting side first, which takes the
    // invoice's mark with it; then the invoice goes.
    EXPECT_EQ(accounting::MuhFisSil(ctx, db, fis), accounting::FisSilmeSonucu::Silindi) << mesajlar().toStdString();
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO = :S AND FIS_NO IS NULL"), sn), 1);
    messages.clear();
    messages.answer(MsgYes);
    ASSERT_TRUE(invoicing::IEFaturaSil(ctx, db, satis)) << mesajlar().toStdString();

    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO = :S"), sn), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFATDT WHERE SATIS_NO = :S"), sn), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK WHERE REF_NO = :S AND CRHRK_TUR IN ('S', 'N')"), sn), 0);
    EXPECT_NEAR(bakiye(S("M200")), bakiyeOnce, 1e-9);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK WHERE SATISNO = :S"), sn), 0);
    EXPECT_DOUBLE_EQ(stokmik(1, S("2")), 2);
    EXPECT_DOUBLE_EQ(stokmik(2, S("2")), 3);
    stokDefterleUyumlu("after the delete");
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEAYRIN WHERE FATURANO IS NOT NULL")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISCILIK WHERE FATURANO IS NOT NULL")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ARAMAPER WHERE IE_NO = :N"), nn), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM FIS WHERE FISNO = :F"), fn), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM FISAYR WHERE FISNO = :F"), fn), 0);
    // The delete leaves the work order as the invoice left it (closed); its
    // lines are free to be invoiced again.
    EXPECT_EQ(metin("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :N", nn), S("E"));
    invoicing::IEFatura g = invoicing::YeniIEFatura(ctx, db, S("I"));
    g.set(S("TARIH"), QDateTime(bugun, QTime(0, 0)));
    messages.answer(MsgYes);
    ASSERT_TRUE(invoicing::IsEmriFaturaOlustur(ctx, db, g, no, fyili)) << mesajlar().toStdString();
    EXPECT_EQ(g.satirlar.size(), 3);
}

TEST_P(MainRoadTest, AStaleCopyOfAnInvoicePostedElsewhereIsRefused)
{
    const int fyili = faturalanacakIsEmri();
    // Workstation A saves the invoice without posting it and keeps it open.
    ctx.AktifKullanici.diger10 = S("H");
    invoicing::IEFatura f = yeniFatura(ctx, fyili);
    ASSERT_TRUE(invoicing::IEFaturaKaydet(ctx, db, f)) << mesajlar().toStdString();
    const double satis = f.satisNo();
    const QVariantMap sn{{S("S"), satis}};
    invoicing::IEFatura a = invoicing::IEFaturaOku(db, satis);

    // Workstation B posts it.
    const Db b = database->open(S("B"));
    const auto r = accounting::MuhasebeKayit(istasyon(b), b, {QLatin1Char('I'), false, {}, satis});
    ASSERT_EQ(r.sonuc, accounting::MuhasebeSonucu::Yazildi) << mesajlar().toStdString();
    const double cariOnce = bakiye(S("M001"));

    // A saves its copy (and would post it): refused, the voucher stays the only one.
    ctx.AktifKullanici.diger10 = S("Y");
    a.set(S("ODEME_SEKLI"), S("NAKİT"));
    messages.clear();
    EXPECT_FALSE(GuardOr(false, [&] { return invoicing::IEFaturaKaydet(ctx, db, a); }));
    EXPECT_EQ(messages.lastText(), S("Muhasebeleşmiş kayıt değiştirilemez!"));
    EXPECT_DOUBLE_EQ(num("SELECT FIS_NO FROM SERFAT WHERE SATIS_NO = :S", sn), r.fisNo);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM FIS")), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM FISAYR WHERE FISNO <> :F"), {{S("F"), r.fisNo}}), 0);
    EXPECT_TRUE(scalar(S("SELECT ODEME_SEKLI FROM SERFAT WHERE SATIS_NO = :S"), sn).toString().isEmpty());
    EXPECT_NEAR(bakiye(S("M001")), cariOnce, 1e-9);
}

TEST_P(MainRoadTest, TwoNewInvoicesOfOneWorkOrderBillItOnce)
{
    const int fyili = faturalanacakIsEmri();
    const double stokOnce = stokmik(1, S("2"));
    // Two workstations fill an invoice of the same work order before either saves.
    const Db b = database->open(S("B"));
    const SessionContext cb = istasyon(b);
    invoicing::IEFatura fa = yeniFatura(ctx, fyili);
    invoicing::IEFatura fb = yeniFatura(cb, fyili);
    ASSERT_EQ(fa.satirlar.size(), 2);
    ASSERT_EQ(fb.satirlar.size(), 2);

    ASSERT_TRUE(invoicing::IEFaturaKaydet(ctx, db, fa)) << mesajlar().toStdString();
    messages.clear();
    EXPECT_FALSE(GuardOr(false, [&] { return invoicing::IEFaturaKaydet(cb, b, fb); }));
    EXPECT_EQ(messages.lastText(),
              S("Bu iş emrinin satırları başka bir faturada faturalanmış. Faturayı iş emrinden yeniden oluşturunuz."));

    // Billed, issued and posted once: everything belongs to the first invoice.
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFATDT WHERE SATIS_NO <> :S"), {{S("S"), fa.satisNo()}}), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK WHERE TIP = 'C'")), 1);
    EXPECT_DOUBLE_EQ(stokmik(1, S("2")), stokOnce - 2);
    stokDefterleUyumlu("after the refused invoice");
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK WHERE CRHRK_TUR = 'S'")), 1);
    EXPECT_NEAR(bakiye(S("M001")), num("SELECT NET_TUTAR FROM SERFAT"), 1e-9);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM FIS")), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEAYRIN WHERE FATURANO = :S"), {{S("S"), fa.satisNo()}}), 1);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISCILIK WHERE FATURANO = :S"), {{S("S"), fa.satisNo()}}), 1);
}

INSTANTIATE_TEST_SUITE_P(Rounding, MainRoadTest, ::testing::Values("", "Y", "A"),
                         [](const ::testing::TestParamInfo<const char*>& i) {
                             return std::string(*i.param ? i.param : "None");
                         });

} // namespace

// The same road as the clerks walk it through the program's windows: the
// dispositions invoice the work order, the cashier takes the cash on the
// invoice, the accountant deletes the voucher so that the invoice can go.
#include "accounting/ledger/MuhFisBr.h"
#include "accounts/vouchers/CariHark.h"
#include "accounts/ui/SecimListesi.h"
#include "invoicing/InvoicingEntry.h"
#include "mainwindow/Targets.h"
#include "invoicing/workorder/forms/IEFatBak.h"
#include "invoicing/workorder/forms/IEFatura.h"
#include "workshop/dispositions/forms/dispoz.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

using MainRoadWindowsTest = MainRoadTest;

// The modal window on top, of the type the step expects.
template <typename T>
T* ustteki()
{
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

TEST_P(MainRoadWindowsTest, DispositionsInvoiceCashVoucherDeleteAndInvoiceDelete)
{
    faturalanacakIsEmri();
    invoicing::RegisterEntryPoints();
    ctx.AktifKullanici.diger09 = S("Y");
    ctx.AktifKullanici.cari = S("Y");
    insert(S("KASA"), {{S("KASAKOD"), S("K01")}, {S("ADI"), S("MERKEZ KASA")}});
    insert(S("ODEPLAN"), {{S("ODE_KOD"), S("NKT")}, {S("ADI"), S("NAKİT")}, {S("ODE_TIP"), S("N")},
                          {S("HESAP_KOD"), S("K01")}});
    const double bakiyeOnce = bakiye(S("M001"));

    // The adviser opens the work order on the dispositions and invoices it.
    workshop::TFormDispoz dispoz(ctx);
    dispoz.isemriniac(wo);
    dispoz.show();
    QAction* faturaKomutu = dispoz.BtnFaturaKes->menu()->findChild<QAction*>(S("IsEmriFatura"));
    ASSERT_TRUE(faturaKomutu);
    ASSERT_TRUE(dispoz.BtnFaturaKes->isVisible());
    ASSERT_TRUE(dispoz.BtnFaturaKes->isEnabled());
    ASSERT_TRUE(Targets().isRegistered(S("IsEmriFaturaKes")));
    EXPECT_EQ(faturaKomutu->text(), S("İş Emri Fatura"));

    double satis = 0, fis = 0;
    bool yolBitti = false;
    QTimer::singleShot(0, [&] {
        auto* fatura = ustteki<invoicing::TFormIEFatura>();
        if (!fatura) {
            ADD_FAILURE() << "the invoice is not on top " << mesajlar().toStdString();
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
            return;
        }
        // Whatever fails below, the invoice window closes, so the road never hangs.
        struct Kapat {
            invoicing::TFormIEFatura* f;
            ~Kapat() { f->reject(); }
        } kapat{fatura};
        EXPECT_TRUE(messages.contains(S("Bu işemrinin faturası mevcut değil oluşturmak ister misiniz?")));
        ASSERT_EQ(fatura->fatura().satirlar.size(), 2);

        auto* odeme = fatura->findChild<QPushButton*>(S("BtnOdeme"));
        // The cash plan is picked from the payment plans.
        QTimer::singleShot(0, [] {
            auto* planlar = ustteki<accounts::SecimListesi>();
            if (!planlar) {
                ADD_FAILURE() << "the payment plans are not on top";
                QApplication::activeModalWidget()->close();
                return;
            }
            planlar->listeyiAc(S("NKT"));
            planlar->btnSelectClick();
        });
        fatura->findChild<QPushButton*>(S("SpeedOdePlan"))->click();
        EXPECT_EQ(fatura->fatura().deger(S("ODE_TIP")).toString(), S("N"));
        fatura->findChild<QPushButton*>(S("BtnSAKLA"))->click();
        satis = fatura->fatura().satisNo();
        ASSERT_EQ(count(S("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO = :S AND ODE_KOD = 'NKT'"), {{S("S"), satis}}),
                  1)
            << mesajlar().toStdString();
        // The save posted the invoice at once: it is locked for change and print.
        fis = num("SELECT FIS_NO FROM SERFAT WHERE SATIS_NO = :S", {{S("S"), satis}});
        EXPECT_GT(fis, 0) << mesajlar().toStdString();
        EXPECT_FALSE(fatura->findChild<QToolButton*>(S("BtnFATKES"))->isEnabled());
        EXPECT_FALSE(fatura->findChild<QPushButton*>(S("btnFatA4"))->isEnabled());
        EXPECT_FALSE(fatura->findChild<QPushButton*>(S("BtnEdit"))->isEnabled());
        messages.clear();
        // Reached without the button (a shortcut): the stored marks refuse it.
        EXPECT_FALSE(Guard([&] { fatura->btnFatA4Click(); }));
        EXPECT_EQ(messages.lastText(), S("Muhasebeleşmiş kayıt değiştirilemez!"));

        // The cashier takes the invoice's amount in cash on the plan's cash box.
        ASSERT_TRUE(odeme->isEnabled());
        QTimer::singleShot(0, [&] {
            auto* makbuz = ustteki<accounts::TFormCariHarek>();
            if (!makbuz) {
                ADD_FAILURE() << "the cash voucher is not on top";
                if (QApplication::activeModalWidget())
                    QApplication::activeModalWidget()->close();
                return;
            }
            ASSERT_EQ(makbuz->fis().satirlar.size(), 1);
            EXPECT_EQ(makbuz->fis().satirlar[0].KASAKOD, S("K01"));
            makbuz->BtnSakla->click(); // "Kayıt saklandı. Şimdi çıkmak istiyor musunuz?" Yes
        });
        odeme->click();
        yolBitti = true;
    });
    faturaKomutu->trigger();
    ASSERT_TRUE(yolBitti) << mesajlar().toStdString();
    ASSERT_GT(satis, 0);
    const QVariantMap sn{{S("S"), satis}};
    const double net = num("SELECT NET_TUTAR FROM SERFAT WHERE SATIS_NO = :S", sn);
    EXPECT_EQ(dispoz.Label10->text(), S("Kapalı İş Emri")) << "the dispositions show the invoice's closing";
    // The stock issue names the work order it served.
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK WHERE SATISNO = :S AND TIP = 'C' AND ISEMRINO = :N"),
                    {{S("S"), satis}, {S("N"), wo}}),
              1);
    // The payment closes the customer's debt and puts the cash into the box.
    EXPECT_NEAR(num("SELECT SUM(ALACAK) FROM CARIHRK WHERE CRHRK_TUR = 'N' AND REF_NO = :S", sn), net, 1e-9);
    EXPECT_NEAR(bakiye(S("M001")), bakiyeOnce, 1e-9);
    const double makbuzNo = num("SELECT CARI_NO FROM CARIHRKM WHERE REF_NO = :S AND REF_TIP = 'I'", sn);
    ASSERT_GT(makbuzNo, 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM KASAHRKT WHERE HRKNO = :H AND REF_TIP = 'C' AND KASAKOD = 'K01'"),
                    {{S("H"), makbuzNo}}),
              1);

    // The posted invoice is not deleted from the invoice list.
    invoicing::TFormIEFatBak liste(ctx, 0);
    liste.FiltreKaldirClick();
    auto* satisSil = liste.findChild<QPushButton*>(S("BtnSil"));
    messages.clear();
    satisSil->click();
    EXPECT_EQ(messages.lastText(), S("Muhasebeleşmiş Kayıt Silinemez !"));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 1);

    // The accountant deletes the voucher from the voucher list.
    accounting::TFormMuhFisBr fisler(ctx);
    fisler.EditBasTarih->setDate(bugun.addDays(-1));
    fisler.EditBitTarih->setDate(bugun);
    fisler.BtnListeleClick();
    ASSERT_DOUBLE_EQ(fisler.seciliFisNo(), fis);
    fisler.BtnSil->click();
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM FIS WHERE FISNO = :F"), {{S("F"), fis}}), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT WHERE SATIS_NO = :S AND FIS_NO IS NULL"), sn), 1);

    // Now the invoice goes, and with it everything it and its payment wrote.
    liste.FiltreKaldirClick();
    messages.clear();
    satisSil->click();
    EXPECT_EQ(messages.lastText(), S("Satış Silinsin mi?"));
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFATDT")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM DEPOHRK WHERE TIP = 'C'")), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRK WHERE REF_NO = :S"), sn), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM CARIHRKM WHERE CARI_NO = :H"), {{S("H"), makbuzNo}}), 0);
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM KASAHRKT WHERE HRKNO = :H"), {{S("H"), makbuzNo}}), 0);
    EXPECT_NEAR(bakiye(S("M001")), bakiyeOnce, 1e-9);
    stokDefterleUyumlu("after the invoice delete");
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM ISEAYRIN WHERE FATURANO IS NOT NULL")), 0);
}

INSTANTIATE_TEST_SUITE_P(Road, MainRoadWindowsTest, ::testing::Values(""),
                         [](const ::testing::TestParamInfo<const char*>&) { return std::string("Windows"); });

} // namespace
