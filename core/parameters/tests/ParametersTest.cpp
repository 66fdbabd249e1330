#include "parameters/Parametreler.h"
#include "parameters/Sirbilg.h"
#include "parameters/parametr.h"
#include "testsupport/TestSupport.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class ParametersTest : public test::DbTest {};

TEST_F(ParametersTest, SaveRulesOfTheParameters)
{
    t_user yonetici;
    yonetici.u_type = S("A");
    yonetici.diger24 = S("E");
    TParametreler p = ParametreleriOku(db);
    EXPECT_TRUE(p.PARAMET.value(S("BEKLE_GUN")).isNull()) << "no row yet";
    p.PARAMET.insert(S("BEKLE_GUN"), 0);
    p.PARAMET.insert(S("FAT_KILIT_TRH"), QDate(2026, 1, 31).startOfDay());
    p.PARAMET.insert(S("STOK_ISKONTO"), 12.5);
    p.PARAMSER.insert(S("EMIR_HARF"), S("S"));
    p.FIRKIM.insert(S("MESAIBAS"), QDateTime(QDate(1899, 12, 30), QTime(8, 30)));
    p.tatiller = {{QDate(2026, 5, 1), S("Emek ve Dayanışma Günü"), QString()},
                  {QDate(2026, 5, 19), S("Gençlik ve Spor Bayramı"), S("E")}};
    ASSERT_EQ(ParametreleriKaydet(db, yonetici, p), QString());

    const TParametreler k = ParametreleriOku(db);
    EXPECT_EQ(k.PARAMET.value(S("BEKLE_GUN")).toInt(), 5) << "0 waiting days are stored as 5";
    EXPECT_EQ(k.PARAMET.value(S("FAT_KILIT_TRH")).toDateTime(), QDate(2026, 1, 31).startOfDay());
    EXPECT_DOUBLE_EQ(k.PARAMET.value(S("STOK_ISKONTO")).toDouble(), 12.5);
    EXPECT_EQ(k.PARAMSER.value(S("EMIR_HARF")).toString(), S("S"));
    EXPECT_EQ(k.FIRKIM.value(S("MESAIBAS")).toDateTime().time(), QTime(8, 30));
    Query q(db, S("SELECT TARIH, CAY, YARIMGUN FROM RESMITAT ORDER BY TARIH"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(S("CAY")), S("05"));
    EXPECT_EQ(q.str(S("YARIMGUN")), S("H"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(S("YARIMGUN")), S("E"));
    Query say(db, S("SELECT COUNT(*) AS N FROM PARAMET"));
    say.exec();
    say.next();
    EXPECT_EQ(say.integer(S("N")), 1) << "the settings table keeps one row";

    // A clerk cannot move the invoice lock date or the waiting days, whatever the form sends.
    t_user memur;
    TParametreler m = ParametreleriOku(db);
    m.PARAMET.insert(S("FAT_KILIT_TRH"), QDate(2030, 1, 1).startOfDay());
    m.PARAMET.insert(S("BEKLE_GUN"), 30);
    m.tatiller << m.tatiller.first();
    EXPECT_FALSE(ParametreleriKaydet(db, memur, m).isEmpty()) << "a day twice is refused";
    m.tatiller.removeLast();
    ASSERT_EQ(ParametreleriKaydet(db, memur, m), QString());
    const TParametreler k2 = ParametreleriOku(db);
    EXPECT_EQ(k2.PARAMET.value(S("FAT_KILIT_TRH")).toDateTime(), QDate(2026, 1, 31).startOfDay());
    EXPECT_EQ(k2.PARAMET.value(S("BEKLE_GUN")).toInt(), 5);
}

TEST_F(ParametersTest, CompanyInformationAndLogo)
{
    QVariantMap f = FirmaBilgileriOku(db);
    f.insert(S("EADI"), S("DEMO OTOMOTİV"));
    f.insert(S("TLF"), S("0 212 555 12 34"));
    f.insert(S("URET_BKOD"), S("TR12345678"));
    FirmaBilgileriKaydet(db, f, QByteArray("GIF89a"));
    const QVariantMap k = FirmaBilgileriOku(db);
    EXPECT_EQ(k.value(S("TLF")).toString(), S("02125551234"));
    EXPECT_EQ(TekSatirOku(db, S("FIRKIM"), {S("SER_KOD")}).value(S("SER_KOD")).toString(), S("TR123"));
    Query logo(db, S("SELECT KOD, TIP FROM RESIMLER"));
    logo.exec();
    ASSERT_TRUE(logo.next());
    EXPECT_EQ(logo.str(S("KOD")), S("LOGO"));
    EXPECT_EQ(logo.str(S("TIP")), S("L"));
    EXPECT_EQ(FirmaLogosuOku(db), QByteArray("GIF89a"));
    FirmaBilgileriKaydet(db, k, std::nullopt);
    EXPECT_EQ(FirmaLogosuOku(db), QByteArray("GIF89a")) << "no change of the logo keeps it";
    FirmaBilgileriKaydet(db, k, QByteArray());
    EXPECT_TRUE(FirmaLogosuOku(db).isEmpty());
}

TEST_F(ParametersTest, ParametersFormFollowsRightsAndSaves)
{
    ctx.AktifKullanici.u_type = S("K");
    ctx.AktifKullanici.diger24 = S("H");
    {
        TFormParam f(ctx);
        EXPECT_FALSE(f.alan(S("PARAMET.FAT_KILIT_TRH"))->isEnabled());
        EXPECT_FALSE(f.alan(S("PARAMET.BEKLE_GUN"))->isEnabled());
        EXPECT_TRUE(f.alan(S("PARAMET.TAKIP_LINK"))->isHidden()) << "shown only with the dispatch module";
    }
    ctx.AktifKullanici.u_type = S("A");
    ctx.AktifKullanici.diger24 = S("E");
    TFormParam f(ctx);
    f.show();
    EXPECT_TRUE(f.alan(S("PARAMET.FAT_KILIT_TRH"))->isEnabled());
    f.setDeger(S("PARAMET.ISCLIK_UCR_TOP"), 1234567.891);
    EXPECT_EQ(static_cast<QLineEdit*>(f.alan(S("PARAMET.ISCLIK_UCR_TOP")))->text(), S("1.234.567,89"));
    static_cast<QLineEdit*>(f.alan(S("PARAMET.BEKLE_GUN")))->setText(S("0"));
    static_cast<QCheckBox*>(f.alan(S("PARAMET.NEGATIF_STOK")))->setChecked(true);
    f.BtnTatilEkle->click();
    f.GridTatil->item(0, 0)->setText(S("23.04.2026"));
    f.GridTatil->item(0, 1)->setText(S("Ulusal Egemenlik ve Çocuk Bayramı"));
    f.BtnKaydet->click();
    EXPECT_EQ(messages.count(), 0) << messages.lastText().toStdString();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    const TParametreler k = ParametreleriOku(db);
    EXPECT_EQ(k.PARAMET.value(S("BEKLE_GUN")).toInt(), 5);
    EXPECT_EQ(k.PARAMET.value(S("NEGATIF_STOK")).toInt(), 1);
    EXPECT_DOUBLE_EQ(k.PARAMET.value(S("ISCLIK_UCR_TOP")).toDouble(), 1234567.89);
    ASSERT_EQ(k.tatiller.size(), 1);
    EXPECT_EQ(k.tatiller.first().TARIH, QDate(2026, 4, 23));
}

TEST_F(ParametersTest, CompanyFormLoadsALogoAndStoresItOnSave)
{
    QTemporaryDir dir;
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString dosya = dir.filePath(S("logo.gif"));
    ASSERT_TRUE(img.save(dosya, "PNG"));
    TEczBilgiForm f(ctx);
    f.alan(S("EADI"))->setText(S("YENİ FİRMA"));
    f.alan(S("TLF"))->setText(S("0 532 000 00 00"));
    messages.answerFile(dosya);
    f.BtnYukle->click();
    EXPECT_TRUE(FirmaLogosuOku(db).isEmpty()) << "stored with Sakla, not before";
    f.BtnSakla->click();
    EXPECT_FALSE(FirmaLogosuOku(db).isEmpty());
    EXPECT_EQ(FirmaBilgileriOku(db).value(S("TLF")).toString(), S("05320000000"));
    EXPECT_EQ(FirmaBilgileriOku(db).value(S("EADI")).toString(), S("YENİ FİRMA"));
}

} // namespace
