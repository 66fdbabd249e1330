#include "CoreEntry.h"
#include "context/SessionContext.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "maintenance/ekj.h"
#include "messages/Messages.h"
#include "personnel/PersonBr.h"
#include "sqlconsole/SQLdoor.h"
#include "startup/EmbeddedDemo.h"

namespace tornaly::core {

namespace {
void formKaydet(const char* ad, FormFactory f)
{
    if (!Targets().isRegistered(QString::fromLatin1(ad)))
        RegisterForm(QString::fromLatin1(ad), std::move(f));
}
// The demo company's staff, work-order numbering and public holidays.
void demoSeed(const Db& db)
{
    struct Kisi {
        const char *kod, *ad, *tip, *grup, *bolum, *gorev, *cinsiyet;
        int sira;
    };
    const Kisi kisiler[] = {
        {"P001", "Ahmet Yıldız", "M", "S", "R", "Servis Müdürü", "Bay", 1},
        {"P002", "Elif Şahin", "N", "S", "N", "Servis Danışmanı", "Bayan", 2},
        {"P003", "Murat Öztürk", "N", "S", "N", "Servis Danışmanı", "Bay", 3},
        {"P004", "Hasan Çelik", "F", "S", "M", "Mekanik Formeni", "Bay", 4},
        {"P005", "İbrahim Koç", "U", "S", "M", "Mekanik Teknisyeni", "Bay", 5},
        {"P006", "Serkan Aydın", "U", "S", "E", "Elektrik Teknisyeni", "Bay", 6},
        {"P007", "Gökhan Arslan", "K", "S", "K", "Kaporta Kalfası", "Bay", 7},
        {"P008", "Zeynep Kara", "D", "Y", "Y", "Yedek Parça Sorumlusu", "Bayan", 8},
        {"P009", "Ayşe Demir", "A", "M", "Z", "Muhasebe Asistanı", "Bayan", 9},
    };
    const QDate bas(QDate::currentDate().year() - 3, 3, 1);
    for (const Kisi& k : kisiler)
        db.exec(QStringLiteral("INSERT INTO ISCIUSTA (ISCI_KOD, ISCI_ADI, ISCI_TIP, GRUBU, BOLUMU, GOREVI, LISTE_SIRA, "
                               "DURUM, CINSIYET, MEDENI_DURUM, IS_BAS_TRH, ISCI_SSK, CIHAZ_ID) VALUES (:KOD, :AD, :TIP, "
                               ":GRUP, :BOLUM, :GOREV, :SIRA, 'A', :CINS, 'E', :BAS, 'E', :CIHAZ)"),
                {{QStringLiteral("KOD"), QString::fromUtf8(k.kod)},
                 {QStringLiteral("AD"), QString::fromUtf8(k.ad)},
                 {QStringLiteral("TIP"), QString::fromUtf8(k.tip)},
                 {QStringLiteral("GRUP"), QString::fromUtf8(k.grup)},
                 {QStringLiteral("BOLUM"), QString::fromUtf8(k.bolum)},
                 {QStringLiteral("GOREV"), QString::fromUtf8(k.gorev)},
                 {QStringLiteral("SIRA"), k.sira},
                 {QStringLiteral("CINS"), QString::fromUtf8(k.cinsiyet)},
                 {QStringLiteral("BAS"), bas.addMonths(k.sira).startOfDay()},
                 {QStringLiteral("CIHAZ"), QStringLiteral("10%1").arg(k.sira, 2, 10, QLatin1Char('0'))}});
    // The demo's user is the service manager, so that the windows that write
    // the clerk's personnel code (stock slips, counts) open for them.
    db.exec(QStringLiteral("UPDATE RIGHTS SET PERSONEL_KOD = 'P001' WHERE LOGIN_NAME = :L"),
            {{QStringLiteral("L"), kDemoKullanici}});
    db.exec(QStringLiteral("INSERT INTO PARAMSER (EMIR_HARF, SERI_NO, EMIR_NO) VALUES ('S', 1, 0)"));
    const int yil = QDate::currentDate().year();
    const struct {
        int ay, gun;
        const char* ad;
    } tatiller[] = {{1, 1, "Yılbaşı"},
                    {4, 23, "Ulusal Egemenlik ve Çocuk Bayramı"},
                    {5, 1, "Emek ve Dayanışma Günü"},
                    {5, 19, "Atatürk'ü Anma, Gençlik ve Spor Bayramı"},
                    {7, 15, "Demokrasi ve Milli Birlik Günü"},
                    {8, 30, "Zafer Bayramı"},
                    {10, 28, "Cumhuriyet Bayramı Arifesi"},
                    {10, 29, "Cumhuriyet Bayramı"}};
    for (const auto& t : tatiller) {
        const QDate d(yil, t.ay, t.gun);
        db.exec(QStringLiteral("INSERT INTO RESMITAT (TARIH, RESMITATILAD, YARIMGUN, CAY) VALUES (:T, :AD, :Y, :AY)"),
                {{QStringLiteral("T"), d.startOfDay()},
                 {QStringLiteral("AD"), QString::fromUtf8(t.ad)},
                 {QStringLiteral("Y"), t.ay == 10 && t.gun == 28 ? QStringLiteral("E") : QStringLiteral("H")},
                 {QStringLiteral("AY"), d.toString(QStringLiteral("MM"))}});
    }
}

} // namespace

void RegisterEntryPoints()
{
    RegisterDemoSeed(QStringLiteral("core"), demoSeed);
    formKaydet(entry::TBakimForm, [](const OpenRequest& r) -> QWidget* { return BakimFormAc(*r.ctx, r.owner); });
    formKaydet(entry::TFormSQL, [](const OpenRequest& r) -> QWidget* {
        // The console opens for administrators only, whatever opened it.
        if (!SqlKapisiAcabilir(r.ctx->AktifKullanici)) {
            ShowWarning(SqlKapisiYetkiYokMetni());
            return nullptr;
        }
        return new TFormSQL(*r.ctx, r.owner);
    });
    if (!Targets().isRegistered(QString::fromLatin1(entry::PersonelSec)))
        RegisterRoutine(QString::fromLatin1(entry::PersonelSec), [](const OpenRequest& r) {
            TDonPara sonuc;
            PersonelSec(*r.ctx, r.mode, sonuc, r.owner);
        });
}

} // namespace tornaly::core
