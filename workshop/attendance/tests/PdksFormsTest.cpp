// The attendance windows, driven offscreen, and their road from the main window.
#include "PdksFixture.h"
#include "connection/DialogRunner.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "settings/Settings.h"
#include "startup/EmbeddedDemo.h"
#include "workshop/WorkshopEntry.h"
#include "report/ReportEngine.h"
#include "workshop/attendance/CalismaKarti.h"
#include "workshop/attendance/PdksRapor.h"
#include "workshop/attendance/forms/BakCihazdanGelen.h"
#include "workshop/attendance/forms/CihazdanGelenBak.h"
#include "workshop/attendance/forms/CihazdanGelenm.h"
#include "workshop/attendance/forms/PdksGunluk.h"
#include "workshop/attendance/forms/WaitBox.h"
#include "workshop/attendance/forms/WorkControl.h"
#include "workshop/dispositions/forms/dispoz.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>

using namespace tornaly;
using namespace tornaly::workshop;
using tornaly::test::PdksTest;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// Closes the wait boxes still open, as their timers would.
void kutulariKapat()
{
    for (QWidget* w : QApplication::allWidgets())
        if (auto* b = qobject_cast<TWaitBox*>(w))
            b->TimerTimer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList kutuMetinleri()
{
    QStringList out;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* b = qobject_cast<TWaitBox*>(w))
            out << b->Text();
    return out;
}

// Whether a key typed into a line edit reaches it.
bool tusUlasir()
{
    QLineEdit e;
    QKeyEvent k(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&e, &k);
    return e.text() == QLatin1String("a");
}

TEST(PdksWaitBox, InputStaysBlockedUntilTheLastBoxCloses)
{
    ASSERT_TRUE(tusUlasir());
    TWaitBox* a = ShowWaitMessage(S("Giriş Kaydedildi!"), nullptr, 16, 3);
    EXPECT_EQ(a->Label->font().pointSize(), 16);
    EXPECT_EQ(a->autoDestructMs(), 3000);
    EXPECT_TRUE(a->Timer->isActive());
    TWaitBox* b = ShowWaitMessage(S("Kayıt İptal Edildi!"), nullptr, 0, 0);
    EXPECT_EQ(b->autoDestructMs(), 1000);
    EXPECT_FALSE(tusUlasir());
    a->TimerTimer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(tusUlasir()); // the second box still holds the input
    delete b;
    EXPECT_TRUE(tusUlasir());
    EXPECT_FALSE(TWaitBox::GirisEngelli());
}

TEST(PdksWaitBox, ProgressOnlyWithinItsRangeAndWhileEnabled)
{
    TWaitBox box;
    box.setMinValue(0);
    box.setMaxValue(10);
    const int once = box.Progress();
    box.setProgress(5);
    EXPECT_EQ(box.Progress(), once); // the gauge is off
    box.setProgressBarEnabled(true);
    box.setProgress(7);
    EXPECT_EQ(box.Progress(), 7);
    box.setProgress(11);
    box.setProgress(-1);
    EXPECT_EQ(box.Progress(), 7);
    box.setText(QString());
    EXPECT_EQ(box.Text(), S("Lütfen biraz bekleyin..."));
}

TEST(PdksCalismaKarti, TotalsOfTheCard)
{
    struct Satir {
        const char* tip;
        double fiili, satilan;
    };
    struct Case {
        const char* ad;
        QList<Satir> satirlar;
        bool mola;
        double verimli, calis, satilan;
    };
    const QList<Case> cases{
        {"paid break", {{"M", 2, 1.5}, {"W2", 1, 0}, {"W5", 4, 0.5}}, true, 2, 2.5, 2},
        {"no paid break", {{"M", 2, 1.5}, {"W2", 1, 0}, {"W5", 4, 0.5}}, false, 2, 3, 2},
        {"break larger than the work", {{"W2", 0.25, 0}}, true, 0, 0.25, 0},
        {"productive kinds", {{"D", 1, 0}, {"G", 1, 0}, {"P", 1, 0}, {"W9", 1, 1}, {"W13", 1, 1}}, false, 3, 4, 2},
    };
    for (const Case& c : cases) {
        CalismaToplami t;
        t.ucretliMola(c.mola);
        for (const Satir& s : c.satirlar)
            t.ekle(QString::fromLatin1(s.tip), s.fiili, s.satilan);
        EXPECT_DOUBLE_EQ(t.verimli(), c.verimli) << c.ad;
        EXPECT_DOUBLE_EQ(t.calisilan(), c.calis) << c.ad;
        EXPECT_DOUBLE_EQ(t.satilan(), c.satilan) << c.ad;
    }
    EXPECT_EQ(CalismaSatirTipi(S("W8 Diğer   ")), S("W8"));
    EXPECT_EQ(CalismaSatirTipi(S("M  Müşteri İşleri")), S("M"));
    EXPECT_EQ(CalismaSatirTipi(QString()), S("M"));
    EXPECT_DOUBLE_EQ(CalismaFiiliSaat(QTime(13, 0), QTime(17, 15)), 4.25);
}

class PdksFormsTest : public PdksTest {
protected:
    void SetUp() override
    {
        PdksTest::SetUp();
        ctx.Database1 = db;
        ctx.CalismaYiliNo = 2026;
        WriteSetting(S("Kalvesa.ini"), S("PDKS"), S("ElleGiris"), S("H"));
        onceki = SetModalRunner([this](QDialog& d) {
            acilan << d.objectName();
            return cevap ? cevap(d) : int(QDialog::Rejected);
        });
    }
    void TearDown() override
    {
        SetModalRunner(onceki);
        kutulariKapat();
        PdksTest::TearDown();
    }
    void girisModu()
    {
        if (db.backend() == Backend::PostgreSQL) {
            db.exec(QStringLiteral("ALTER TABLE PEROKU ALTER COLUMN SIRANO SET NOT NULL"));
            db.exec(QStringLiteral("ALTER TABLE PEROKU ALTER COLUMN SIRANO ADD GENERATED BY DEFAULT AS IDENTITY"));
        } else {
            WriteSetting(S("Kalvesa.ini"), S("PDKS"), S("ElleGiris"), S("E"));
        }
    }
    QStringList acilan;
    std::function<int(QDialog&)> cevap;
    ModalRunner onceki;
};

TEST_F(PdksFormsTest, ImportFormReadsTheFileAndPairs)
{
    dosya({satir(1, S("1001"), gun, QTime(8, 0)), satir(2, S("1001"), gun, QTime(17, 0)),
           S("  zz   1001           02.03.26 09:00 C")});
    TFormCihazdanGelenm f(ctx);
    f.DateEditOku->setDate(gun);
    EXPECT_EQ(f.windowTitle(), S("Cihazdan Çalışma Saatlerini Okutma"));
    f.BtnYENIBIL->click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKU")), 2);
    EXPECT_EQ(araliklar(S("C")), QStringList{S("08:00-17:00")});
    EXPECT_EQ(f.LabelLSAY->text(), S("İşlem Tamam"));
    ASSERT_EQ(messages.count(), 1); // the line whose number did not convert is named
    EXPECT_TRUE(messages.lastText().contains(S("6. satır"))) << messages.lastText().toStdString();
    db.exec(QStringLiteral("UPDATE FIRKIM SET BBSDIZIN = 'yok.txt'"));
    f.BtnTUM->click();
    EXPECT_EQ(messages.lastText(), S("Dosyaya Ulaşılamadı!, Parametrelerden PDKS Dosyası Yolunu Kontrol Ediniz!"));
}

TEST_F(PdksFormsTest, ScanningBadgeAndTypeCardsSavesReadings)
{
    girisModu();
    addVehicle(QStringLiteral("VF1AAA11111111111"));
    addWorkOrder(QStringLiteral("W000001"), QStringLiteral("VF1AAA11111111111"), 1000, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(2026, 1, 10));
    test::FixedServerClock saat(QDateTime(gun, QTime(9, 41, 30)));
    qint64 ms = 0;
    TFormPdksEdit f(ctx, 0, nullptr, [&] { return ms; });
    const auto okut = [&](const char* metin) {
        f.EdGiris->setText(S(metin));
        Guard([&] { f.GirisEnter(); });
    };
    struct Case {
        const char* ad;
        QStringList kartlar;
        const char* tip;
        const char* ieno;
    };
    const QList<Case> cases{
        {"badge then work order", {S("1001"), S("IW000001")}, "I", "W000001"},
        {"exit card then badge", {S("C"), S("1002")}, "C", "C"},
        {"excuse card", {S("1001"), S("M005")}, "M", "005"},
    };
    int beklenen = 0;
    for (const Case& c : cases) {
        for (const QString& k : c.kartlar)
            okut(k.toUtf8().constData());
        ++beklenen;
        ASSERT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKU")), beklenen) << c.ad;
        EXPECT_EQ(scalar(QStringLiteral("SELECT IENO FROM PEROKU WHERE TIPKOD = :T"), {{S("T"), S(c.tip)}}).toString(),
                  S(c.ieno))
            << c.ad;
        EXPECT_FALSE(f.okumaVar()) << c.ad;
        EXPECT_TRUE(kutuMetinleri().contains(S("Giriş Kaydedildi!"))) << c.ad;
        kutulariKapat();
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT SAAT FROM PEROKU WHERE TIPKOD = 'I'")).toDateTime(),
              QDateTime(gun, QTime(9, 41)));
    // A work order of no working year is refused and the reading waits.
    okut("1001");
    okut("IW999999");
    EXPECT_EQ(messages.lastText(), S("İş emri no sistemde mevcut değil!"));
    EXPECT_TRUE(f.okumaVar());
}

TEST_F(PdksFormsTest, AHalfEnteredReadingIsDiscardedFifteenSecondsAfterTheLastKey)
{
    girisModu();
    qint64 ms = 1000;
    TFormPdksEdit f(ctx, 0, nullptr, [&] { return ms; });
    f.EdGiris->setText(S("1001"));
    f.GirisEnter();
    ASSERT_TRUE(f.okumaVar());
    ms += 10000;
    f.GirisTusBirakildi(); // a key restarts the wait
    ms += TFormPdksEdit::IptalSuresiMs - 1;
    f.SureDenetle();
    EXPECT_TRUE(f.okumaVar());
    EXPECT_TRUE(kutuMetinleri().isEmpty());
    ms += 1;
    f.SureDenetle();
    EXPECT_FALSE(f.okumaVar());
    EXPECT_EQ(kutuMetinleri(), QStringList{S("Kayıt İptal Edildi!")});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKU")), 0);
    kutulariKapat();
    ms += 60000;
    f.SureDenetle(); // fires once
    EXPECT_TRUE(kutuMetinleri().isEmpty());
}

TEST_F(PdksFormsTest, DailyListShowsEntryCommandsOnlyInEntryInstallations)
{
    okuma(7, S("1001"), gun, QTime(8, 0), S("C"));
    okuma(8, S("1002"), gun, QTime(8, 5), S("C"));
    {
        TFormPdksGunlukBilgiList f(ctx, S("U1"), gun);
        f.FiltreleClick();
        EXPECT_EQ(f.Grid->rowCount(), 1);
        EXPECT_EQ(f.Grid->item(0, 3)->text(), S("Çıkış"));
        EXPECT_FALSE(f.girisModu());
        for (QPushButton* b : {f.BtnBarkod, f.BtnYeni, f.BtnDegistir, f.BtnHesapla})
            EXPECT_TRUE(b->isHidden()) << b->text().toStdString();
        const report::Document d = report::Render(PdksGunlukRaporu(db, gun, {}));
        const QString yazi = d.dump();
        EXPECT_TRUE(yazi.contains(S("Personel Adı Soyadı : ALİ USTA    Personel Kodu : U1    Tarih : 02.03.2026")))
            << yazi.toStdString();
        EXPECT_TRUE(yazi.contains(S("VELİ KALFA")));
        EXPECT_TRUE(yazi.contains(S("08:05")));
        f.EdPerKod->setText(S("U1' OR '1'='1"));
        f.FiltreleClick();
        EXPECT_EQ(f.Grid->rowCount(), 0);
    }
    girisModu();
    TFormPdksGunlukBilgiList f(ctx, {}, gun);
    EXPECT_TRUE(f.girisModu());
    EXPECT_FALSE(f.BtnHesapla->isHidden());
    f.HesaplaClick();
    EXPECT_EQ(messages.lastText(), S("Hesaplama tamamlandı!"));
}

TEST_F(PdksFormsTest, IntervalsBrowseRefusesAssignedIntervalsAndDeletesOthers)
{
    okuma(1, S("1001"), gun, QTime(9, 0), S("I"), S("W00001"));
    okuma(2, S("1001"), gun, QTime(10, 0), S("I"), S("W00002"));
    PdksEsle(db, {gun, QDateTime(gun.addDays(1), QTime(7, 0)), {}});
    db.exec(QStringLiteral("UPDATE PEROKUM SET ARIZA_KODU = 'M100' WHERE IENO = 'W00001'"));
    TFormCihazdanGelenBak f(ctx);
    f.Listele();
    ASSERT_EQ(f.Grid->rowCount(), 3);
    const auto sec = [&](const char* ieno) {
        for (int r = 0; r < f.Grid->rowCount(); ++r)
            if (f.Grid->item(r, 8)->text() == QLatin1String(ieno))
                f.Grid->selectRow(r);
    };
    sec("W00001");
    f.SilClick();
    EXPECT_EQ(messages.lastText(), S("Arıza Kodu atanmış işlem silinemez!.."));
    f.DegistirClick();
    EXPECT_EQ(messages.lastText(), S("Arıza Kodu atanmış işlem üzerinde değişiklik yapılamaz!.."));
    EXPECT_TRUE(acilan.isEmpty());
    sec("W00002");
    messages.answer(MsgNo);
    f.SilClick();
    EXPECT_EQ(f.Grid->rowCount(), 3);
    f.SilClick();
    EXPECT_EQ(messages.texts().mid(messages.count() - 2),
              (QStringList{S("Kaydı silmek istediğinizden emin misiniz?"), S("Kayıt Silindi!..")}));
    EXPECT_EQ(f.Grid->rowCount(), 2);
    f.CmbIsTipi->setCurrentText(S("I İş Emri"));
    f.FiltreleClick();
    EXPECT_EQ(f.Grid->rowCount(), 1);
}

TEST_F(PdksFormsTest, ControlCardTotalsItsLines)
{
    TFormWorkControl f(ctx);
    f.YeniKart();
    EXPECT_TRUE(f.BtnPersonelSec->isEnabled());
    f.EdPerKod->setText(S("U1"));
    f.KartKaydet();
    EXPECT_FALSE(f.BtnPersonelSec->isEnabled());
    EXPECT_EQ(f.kartNo(), 1);
    const auto satir = [&](int tip, const QTime& bas, const QTime& bit) {
        f.CmbIsTip->setCurrentIndex(tip);
        f.EdBas->setTime(bas);
        f.EdBit->setTime(bit);
        f.SatirEkle();
    };
    satir(0, QTime(8, 0), QTime(10, 0));  // no type: stored as M, productive
    satir(6, QTime(10, 0), QTime(11, 0)); // W2
    satir(9, QTime(13, 0), QTime(17, 0)); // W5
    EXPECT_EQ(f.GridSatir->item(0, 1)->text(), S("M"));
    EXPECT_EQ(f.LblVerimli->text(), S("2,00"));
    EXPECT_EQ(f.LblCalis->text(), S("2,50"));
    f.CbMola->click();
    EXPECT_EQ(f.LblCalis->text(), S("3,00"));
    f.YeniKart();
    f.EdPerKod->setText(S("U2"));
    f.KartKaydet();
    EXPECT_EQ(f.kartNo(), 2);
    f.KartSil();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERWORKM")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PERWORKD")), 3);
}

TEST_F(PdksFormsTest, DispositionsPickerTakesReadingsOfAWorkOrder)
{
    addVehicle(QStringLiteral("VF1AAA11111111111"));
    addWorkOrder(QStringLiteral("W000001"), QStringLiteral("VF1AAA11111111111"), 1000);
    for (double fs : {30.0, 45.0, 15.0})
        insert(QStringLiteral("PEROKUM"), {{S("IENO"), S("W000001")}, {S("PER_KOD"), S("U1")}, {S("CIHAZ_ID"), S("1001")},
                                           {S("TIPKOD"), S("I")}, {S("FIILISURE"), fs}, {S("TARIH"), QDateTime(gun, QTime(0, 0))},
                                           {S("SAATBAS"), QDateTime(gun, QTime(9, 0))}});
    DispozBelgesi b = DispozYukle(db, S("W000001"));
    QVariantMap satir{{S("SIRANO"), 1}, {S("ARIZA_KODU"), S("M100")}, {S("ARIZA_ADI"), S("FREN")}, {S("QTY"), 1},
                      {S("SURE"), 1.5}, {S("GARANTI_TIPI"), S("G")}};
    b.iscilikler << satir;
    TFormBakCihazdanGelen f(ctx, b, 0);
    EXPECT_EQ(f.LblIscilik->text(), S("M100 / FREN"));
    ASSERT_EQ(f.GridPersonel->rowCount(), 1);
    ASSERT_EQ(f.GridOkuma->rowCount(), 3);
    EXPECT_EQ(f.GridOkuma->item(1, 3)->text(), S("27")); // 45 hundredths of an hour
    f.GridOkuma->selectAll();
    f.SecClick();
    EXPECT_DOUBLE_EQ(f.sonuc().zaman, 90);
    EXPECT_EQ(f.sonuc().per_kod, S("U1"));
    ASSERT_EQ(b.pdks.size(), 3);
    EXPECT_DOUBLE_EQ(b.pdks[0].SURE, 1.5);
    EXPECT_DOUBLE_EQ(b.pdks[1].SURE + b.pdks[2].SURE, 0);
    EXPECT_EQ(b.pdks[0].IS_TIP, S("GA"));
}

template <typename T>
T* acikForm(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<T*>(w); f && f->objectName() == QLatin1String(name) && f->isVisible())
            return f;
    return nullptr;
}

// The demo's device file imported and its windows opened from the main
// window; with TORNALY_LOOK_DIR set they are kept there as pictures.
TEST_F(PdksFormsTest, DemoAttendanceFromTheMainWindow)
{
    Targets().clear();
    workshop::RegisterEntryPoints();
    RunDemoSeeds(db);
    ctx.CalismaYiliNo = QDate::currentDate().year();
    ctx.AktifKullanici.personel = QStringLiteral("Y");
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    const auto keep = [&](QWidget* w, const char* name) {
        QApplication::processEvents();
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            w->grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
        }
    };
    TAnaForm main(ctx);
    main.resize(1366, 768);
    main.show();
    cevap = [&](QDialog& d) {
        if (auto* f = qobject_cast<TFormCihazdanGelenm*>(&d)) {
            f->show();
            f->DateEditOku->setDate(QDate::currentDate().addDays(-7));
            f->BtnYENIBIL->click();
            keep(f, "pdks-import.png");
        } else if (auto* g = qobject_cast<TFormPdksGunlukBilgiList*>(&d)) {
            g->show();
            g->resize(1000, 520);
            g->EdTarih->setDate(QDate::currentDate().addDays(-1).dayOfWeek() == 7 ? QDate::currentDate().addDays(-2)
                                                                                  : QDate::currentDate().addDays(-1));
            g->FiltreleClick();
            keep(g, "pdks-daily.png");
        }
        return int(QDialog::Accepted);
    };
    main.triggerCommand(QStringLiteral("PdksOku1"));
    EXPECT_TRUE(acilan.contains(S("FormCihazdanGelenm")));
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM PEROKUM")), 0);
    // The demo's work readings name its open work orders whole; the
    // dispositions' picker lists them for a labour line.
    const QString ie = scalar(QStringLiteral("SELECT MIN(IENO) FROM PEROKUM WHERE TIPKOD = 'I'")).toString();
    ASSERT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ISEMRI WHERE IS_EMRI_NO = :I"), {{S("I"), ie}}), 1) << ie.toStdString();
    DispozBelgesi belge = DispozYukle(db, ie);
    if (belge.iscilikler.isEmpty())
        belge.iscilikler << QVariantMap{{S("SIRANO"), 1}, {S("ARIZA_KODU"), S("BAKIM-15")},
                                        {S("ARIZA_ADI"), S("15.000 KM Periyodik Bakım")}, {S("QTY"), 1}, {S("SURE"), 1.5}};
    belge.iscilikler[0][S("ONARAN_KISI")] = QVariant();
    {
        TFormBakCihazdanGelen picker(ctx, belge, 0);
        picker.show();
        EXPECT_GT(picker.GridOkuma->rowCount(), 0);
        keep(&picker, "pdks-dispositions-picker.png");
    }
    main.triggerCommand(QStringLiteral("PdksBak1"));
    auto* bak = acikForm<TFormCihazdanGelenBak>("FormCihazdanGelenBak");
    ASSERT_NE(bak, nullptr);
    EXPECT_GT(bak->Grid->rowCount(), 0);
    keep(bak, "pdks-intervals.png");
    bak->close();
    main.triggerCommand(QStringLiteral("PdksGunluk1"));
    EXPECT_TRUE(acilan.contains(S("FormPdksGunlukBilgiList")));
    main.triggerCommand(QStringLiteral("BtnCalismaKarti"));
    auto* kart = acikForm<TFormWorkControl>("FormWorkControl");
    ASSERT_NE(kart, nullptr);
    kart->YeniKart();
    kart->EdPerKod->setText(S("P005"));
    kart->KartKaydet();
    kart->CmbIsTip->setCurrentIndex(1);
    kart->EdBas->setTime(QTime(8, 30));
    kart->EdBit->setTime(QTime(11, 45));
    kart->EdSatilan->setValue(3);
    kart->SatirEkle();
    keep(kart, "pdks-control-card.png");
    kart->close();
}

} // namespace
