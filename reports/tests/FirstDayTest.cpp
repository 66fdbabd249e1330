// A new user's first day on the demo company, as every module of the program
// makes it: the demo is made without a word, every counter is past the
// demo's rows, the user with every right is refused nothing, and the demo's
// work order reaches the ledger as a balanced voucher.
#include "reports/ReportsEntry.h"
#include "reports/ReportsSchema.h"

#include "accounting/ledger/MuhFisBr.h"
#include "accounts/cards/CariKart.h"
#include "dm/DATA1.h"
#include "invoicing/workorder/IEFatura.h"
#include "login/Kullanici.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Commands.h"
#include "mainwindow/Targets.h"
#include "util/Programs.h"
#include "startup/EmbeddedDemo.h"
#include "stock/cards/StokKart.h"
#include "testsupport/TestSupport.h"
#include "workshop/workorders/WorkOrders.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class FirstDayTest : public test::DbTest {
protected:
    void registerSchema() override { reports::RegisterSchema(); }

    void SetUp() override
    {
        reports::RegisterEntryPoints();
        DbTest::SetUp();
        bugun = QDate::currentDate();
        SeedDemoCompany(db, QString::number(bugun.year()));
        demoMesajlari = messages.texts();
        messages.clear();
        // The session as the start-up opens it for the demo's user.
        ctx.CalismaYiliNo = bugun.year();
        ctx.CalismaYili = QString::number(bugun.year());
        ctx.DonemBasTarih = QDate(bugun.year(), 1, 1);
        ctx.DonemBitTarih = QDate(bugun.year(), 12, 31);
        ctx.FirmaAdi = kDemoFirma;
        ASSERT_TRUE(Kullanici(db, kDemoKullanici, kDemoSifre, ctx.AktifKullanici).ok);
        TDM1 dm(ctx, {}, {});
        dm.getfirmaparams();
        dm.getMuhasebeParam();
        dm.getParams();
    }

    QVariant deger(const QString& sql, const QVariantMap& b = {})
    {
        Query q(db, sql);
        for (auto it = b.cbegin(); it != b.cend(); ++it)
            q.bind(it.key(), it.value());
        q.exec();
        return q.next() ? q.value(0) : QVariant();
    }

    QDate bugun;
    QStringList demoMesajlari;
};

TEST_F(FirstDayTest, TheDemoIsMadeWithoutAMessage)
{
    EXPECT_TRUE(demoMesajlari.isEmpty()) << demoMesajlari.join(S(" | ")).toStdString();
    // Its slips reached the ledger, each voucher balanced.
    EXPECT_GT(deger(S("SELECT COUNT(*) FROM FIS")).toInt(), 0);
    EXPECT_EQ(deger(S("SELECT COUNT(*) FROM FIS WHERE ABS(BORC - ALACAK) > 0.001")).toInt(), 0);
}

// Every number a "Yeni" proposes on the fresh demo is free, so each new card
// or document saves at once.
TEST_F(FirstDayTest, EveryCounterIsPastTheDemosRows)
{
    struct Sayac {
        const char* sayac;
        const char* tablo;
        const char* kolon;
        const char* kosul = "1 = 1";
    };
    for (const Sayac& s : {Sayac{"NEWSTOK", "STOK", "STOK_NO"}, Sayac{"NEWCARI", "CARIHRKM", "CARI_NO"},
                           Sayac{"NEWCARI", "CARIHRK", "CARI_NO"}, Sayac{"NEWKASA", "KASAHRKT", "HRKNO", "REF_TIP = 'w'"},
                           Sayac{"NEWSATIS", "SERFAT", "SATIS_NO"}, Sayac{"NEWFIS", "FIS", "FISNO"},
                           Sayac{"NEWFISAYR", "FISAYR", "FA_ID"}}) {
        SCOPED_TRACE(s.sayac);
        const double sonraki = deger(S("SELECT YENINO FROM %1").arg(S(s.sayac))).toDouble();
        const double enBuyuk = deger(S("SELECT COALESCE(MAX(%1), 0) FROM %2 WHERE %3").arg(S(s.kolon), S(s.tablo), S(s.kosul))).toDouble();
        EXPECT_GT(sonraki, enBuyuk) << s.tablo;
    }
    const workshop::IsEmriNumarasi ie = workshop::IsEmriNoOner(db, bugun);
    EXPECT_EQ(deger(S("SELECT COUNT(*) FROM ISEMRI WHERE IS_EMRI_NO = :N"), {{S("N"), ie.isEmriNo}}).toInt(), 0);

    // A new stock card saves at once, and its VAT rate is the company's.
    stock::StokKarti k = stock::YeniStokKarti(db, ctx, bugun);
    EXPECT_EQ(k.alan.value(S("KDV")).toInt(), 20);
    k.alan.insert(S("STOK_KOD_NO"), S("YENİ-0001"));
    k.alan.insert(S("STOK_ADI_TR"), S("Yeni Parça"));
    k.alan.insert(S("SAT_FYT_TL"), 100.0);
    EXPECT_EQ(stock::StokKartiKaydet(db, k), QString());
    EXPECT_DOUBLE_EQ(stock::StokHesapliFiyatlariBul(db, ctx, k.alan).SATIS_KDVLI, 120.0);

    // A new customer under the demo's private customers saves at once.
    accounts::CariKartKaydi c = accounts::YeniCariKart(ctx);
    const std::optional<QString> son = accounts::SonCariKodu(db, S("120.0"));
    ASSERT_TRUE(son.has_value());
    c.cari[S("CARI_KOD")] = S("120.009");
    EXPECT_EQ(*son, S("120.008"));
    c.cari[S("FIRMA_ADI")] = S("Yeni Müşteri");
    c.cari[S("ILI")] = S("KONYA");
    c.cari[S("TEL1")] = S("(332)555 1234");
    EXPECT_FALSE(accounts::CariKartKontrol(c, false).has_value());
    EXPECT_EQ(accounts::CariKartKaydet(db, c, true), S("120.009"));
}

// The demo's open work order is invoiced; the save posts a balanced voucher
// that names the invoice, with no missing account codes on the way.
TEST_F(FirstDayTest, TheDemoWorkOrderInvoicePostsABalancedVoucher)
{
    Query q(db, S("SELECT I.IS_EMRI_NO, I.FYILI FROM ISEMRI I WHERE I.KAPANDI = 'H' AND I.IE_TIP = 'B' "
                  "AND EXISTS (SELECT 1 FROM ISEAYRIN A WHERE A.ISEMRI_NO = I.IS_EMRI_NO) ORDER BY I.IS_EMRI_NO"));
    q.exec();
    ASSERT_TRUE(q.next());
    const QString no = q.str(S("IS_EMRI_NO"));
    const int fyili = int(q.num(S("FYILI")));
    q.finish();

    invoicing::IEFatura f = invoicing::YeniIEFatura(ctx, db, S("I"));
    f.set(S("TARIH"), QDateTime(bugun, QTime(0, 0)));
    messages.answer(MsgYes);
    ASSERT_TRUE(invoicing::IsEmriFaturaOlustur(ctx, db, f, no, fyili)) << messages.texts().join(S(" | ")).toStdString();
    ASSERT_TRUE(invoicing::IEFaturaKaydet(ctx, db, f)) << messages.texts().join(S(" | ")).toStdString();
    const QVariantMap sn{{S("S"), f.satisNo()}};
    const double fis = deger(S("SELECT FIS_NO FROM SERFAT WHERE SATIS_NO = :S"), sn).toDouble();
    ASSERT_GT(fis, 0) << messages.texts().join(S(" | ")).toStdString();
    for (const QString& t : messages.texts())
        EXPECT_FALSE(t.contains(S("Eksik Muhasebe Kodları")) || t.contains(S("Dengesiz"))) << t.toStdString();
    const QVariantMap fn{{S("F"), fis}};
    const double borc = deger(S("SELECT SUM(BORC) FROM FISAYR WHERE FISNO = :F"), fn).toDouble();
    const double alacak = deger(S("SELECT SUM(ALACAK) FROM FISAYR WHERE FISNO = :F"), fn).toDouble();
    EXPECT_GT(borc, 0);
    EXPECT_NEAR(borc, alacak, 0.001);
    EXPECT_NEAR(borc, deger(S("SELECT NET_TUTAR FROM SERFAT WHERE SATIS_NO = :S"), sn).toDouble(), 0.001);
    EXPECT_EQ(deger(S("SELECT ENT_TIP FROM FIS WHERE FISNO = :F"), fn).toString(), S("I"));
}

// "Muhasebe" on the main window opens the program's own voucher list; "Sil"
// deletes the selected voucher and clears its document's mark, but not on
// or before the accounting lock date.
TEST_F(FirstDayTest, TheAccountingButtonOpensTheVoucherList)
{
    TAnaForm w(ctx);
    w.user_view();
    w.triggerCommand(S("BtnMuhasebe"));
    auto* f = w.findChild<accounting::TFormMuhFisBr*>(S("FormMuhFisBr"));
    if (!f)
        for (QWidget* top : QApplication::topLevelWidgets())
            if (!f)
                f = qobject_cast<accounting::TFormMuhFisBr*>(top);
    ASSERT_NE(f, nullptr) << messages.texts().join(S(" | ")).toStdString();
    const double fis = f->seciliFisNo();
    ASSERT_GT(fis, 0);
    const QVariantMap fn{{S("F"), fis}};
    const double belge = deger(S("SELECT ENT_REF_NO FROM FIS WHERE FISNO = :F"), fn).toDouble();
    ASSERT_EQ(deger(S("SELECT FIS_NO FROM CARIHRKM WHERE CARI_NO = :C"), {{S("C"), belge}}).toDouble(), fis);

    // A closed period refuses, and nothing goes.
    db.exec(S("UPDATE PARAMUH SET KILIT_TRH = :T"), {{S("T"), QDateTime(bugun, QTime(0, 0))}});
    messages.answer(MsgYes);
    f->BtnSil->click();
    EXPECT_EQ(messages.lastText(), S("İlgili tarih için işlem yapılamaz!"));
    EXPECT_EQ(deger(S("SELECT COUNT(*) FROM FIS WHERE FISNO = :F"), fn).toInt(), 1);

    db.exec(S("UPDATE PARAMUH SET KILIT_TRH = NULL"));
    messages.answer(MsgYes);
    f->BtnSil->click();
    EXPECT_EQ(deger(S("SELECT COUNT(*) FROM FIS WHERE FISNO = :F"), fn).toInt(), 0);
    EXPECT_EQ(deger(S("SELECT COUNT(*) FROM FISAYR WHERE FISNO = :F"), fn).toInt(), 0);
    EXPECT_TRUE(deger(S("SELECT FIS_NO FROM CARIHRKM WHERE CARI_NO = :C"), {{S("C"), belge}}).isNull() ||
                deger(S("SELECT FIS_NO FROM CARIHRKM WHERE CARI_NO = :C"), {{S("C"), belge}}).toDouble() == 0);
    EXPECT_NE(f->seciliFisNo(), fis);
    f->close();
}

// Closes whatever modal window a command opens, so that each one returns.
class ModalKapatici : public QObject {
public:
    ModalKapatici()
    {
        connect(&zamanlayici, &QTimer::timeout, this, [] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                if (auto* d = qobject_cast<QDialog*>(w))
                    d->reject();
                else
                    w->close();
            }
        });
        zamanlayici.start(0);
    }
    QTimer zamanlayici;
};

// The demo's user has every right: no tile, menu item or button of the main
// window refuses them.
TEST_F(FirstDayTest, TheUserWithEveryRightIsRefusedNothing)
{
    SetProgramStartHook([](const ProgramStart&) { return true; });
    {
        TAnaForm w(ctx);
        w.user_view();
        for (const MenuDef& m : MainMenus())
            if (!m.hidden) {
                EXPECT_TRUE(w.isMenuEnabled(m.id)) << m.id.toStdString();
            }
        ModalKapatici kapatici;
        for (const Command& c : MainCommands()) {
            if (c.hidden || c.way == Way::Exit || c.way == Way::Relogin || c.way == Way::Help)
                continue;
            SCOPED_TRACE(c.id.toStdString());
            EXPECT_TRUE(c.run.passes(ctx.AktifKullanici));
            // A command of a module this build leaves out stays disabled, for every user.
            if (c.target.isEmpty() || c.way == Way::Program || Targets().isRegistered(c.target)) {
                EXPECT_TRUE(w.isCommandEnabled(c.id));
            }
            messages.clear();
            w.triggerCommand(c.id);
            for (const QString& t : messages.texts())
                EXPECT_NE(t, NoRightText());
            // Windows the command left open go before the next one.
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top != &w && top->isVisible())
                    top->close();
        }
    }
    SetProgramStartHook({});
}

} // namespace
