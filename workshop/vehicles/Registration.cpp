#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/VehicleRules.h"
#include "workshop/vehicles/Vehicles.h"
#include "company/Kilit.h"
#include "messages/Messages.h"
#include "util/DateCode.h"

namespace tornaly::workshop {

namespace {
bool checkCodes(const QVariantMap& arac)
{
    if (!IsUpperAlnumCode(arac.value(QStringLiteral("SASE_NO")).toString())) {
        ShowWarning(QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."));
        return false;
    }
    if (!IsUpperAlnumCode(arac.value(QStringLiteral("PLAKA")).toString())) {
        ShowWarning(QStringLiteral("PLAKA' da Hatalı yada Boşluklu Karakter kullandınız."));
        return false;
    }
    if (Trimmed(arac, "SASE_NO").isEmpty()) {
        ShowWarning(QStringLiteral("Önce Araç Seçiniz."));
        return false;
    }
    return true;
}

const QStringList& beyanAracColumns()
{
    static const QStringList cols = {QStringLiteral("MOTOR_NO"), QStringLiteral("PLAKA"), QStringLiteral("CARI_KOD"),
                                     QStringLiteral("FAT_TRH"),  QStringLiteral("NOTLAR"), QStringLiteral("ARAC_BEDEL"),
                                     QStringLiteral("OTV"),      QStringLiteral("OTV_TUT"), QStringLiteral("OTV_IST"),
                                     QStringLiteral("KDV"),      QStringLiteral("KDV_SIZ"), QStringLiteral("MAS_TOP"),
                                     QStringLiteral("ATF")};
    return cols;
}

void writeArac(const Db& db, QVariantMap& arac, const QString& previousPlate)
{
    ApplyBeyanToplam(arac);
    const QString sase = Trimmed(arac, "SASE_NO");
    if (UpdateRow(db, QStringLiteral("ARAC"), arac, beyanAracColumns(), {{QStringLiteral("SASE_NO"), sase}}) != 1)
        throw DbError(DbError::Kind::Other, QStringLiteral("Araç kaydı bulunamadı: %1").arg(sase));
    const QString plate = Trimmed(arac, "PLAKA");
    if (plate != previousPlate.trimmed()) {
        const QVariantMap b{{QStringLiteral("PLAKA"), plate}, {QStringLiteral("SASE_NO"), sase}};
        db.exec(QStringLiteral("UPDATE ARCPRTFY SET PLAKA = :PLAKA WHERE SASE_NO = :SASE_NO"), b);
        db.exec(QStringLiteral("UPDATE MBILGFRM SET MB_PLAKA = :PLAKA, MB_AKTARILDI = 0 WHERE MB_SASE = :SASE_NO"), b);
    }
}
} // namespace

QStringList BeyanColumns()
{
    static QStringList cols;
    if (cols.isEmpty()) {
        const char* fixed[] = {"SASE_NO", "TARIH", "TRH_GUN", "TRH_AY", "TRH_YIL", "CINS", "MARKA", "TIP", "MODEL",
                               "SIL_HACIM", "MOTOR_NO", "MOTOR_GUC", "AGIRLIK", "RENK", "ISTIHAP", "SINIFI",
                               "TIP_ONAYNO", "AZAMI_YUKLU_KUTLE", "KATAR_YUKLU_KUTLE", "ARAC_GRUP", "OTURMA_YERI",
                               "MUK_VKN", "MUK_UNVAN", "MUK_ADI", "MUK_TEL", "VEREN_UNVAN", "VD", "VD_IL", "VD_KOD",
                               "OTV_MAT", "OTV_TUT", "OTV_IST", "OTV", "AL_VKN", "AL_UNVAN", "AL_ADI", "AL_BABAADI",
                               "AL_ANAADI", "AL_DYERI", "AL_DTAR", "AL_DT_GUN", "AL_DT_AY", "AL_DT_YIL", "AL_UYRUGU",
                               "KANGRUBU", "AL_IKADR1", "AL_IKADR2", "AL_IKPK", "AL_IKTEL", "AL_ISADR1", "AL_ISADR2",
                               "AL_ISPK", "AL_ISTEL", "NUM_1"};
        for (const char* c : fixed)
            cols << QString::fromLatin1(c);
        for (int i = 1; i <= 5; ++i)
            cols << QStringLiteral("MUK_TIP_%1").arg(i) << QStringLiteral("IST_%1").arg(i)
                 << QStringLiteral("VEREN_%1").arg(i);
        for (int i = 1; i <= 6; ++i)
            cols << QStringLiteral("TEXT_%1").arg(i);
        cols << QStringLiteral("TIK_1") << QStringLiteral("TIK_2");
    }
    return cols;
}

QVariantMap ReadBeyan(const Db& db, const QString& saseNo)
{
    return ReadRow(db, QStringLiteral("SELECT * FROM BEYAN WHERE SASE_NO = :S"), {{QStringLiteral("S"), saseNo.trimmed()}});
}

QVariantMap NewBeyanRow(const Db& db, const QVariantMap& arac, const QDate& today)
{
    QVariantMap b;
    b.insert(QStringLiteral("SASE_NO"), Trimmed(arac, "SASE_NO"));
    const QVariantMap firma = ReadRow(db, QStringLiteral("SELECT * FROM FIRKIM"), {});
    b.insert(QStringLiteral("MUK_VKN"), Trimmed(firma, "VERGINO"));
    b.insert(QStringLiteral("MUK_UNVAN"), Trimmed(firma, "EADI"));
    b.insert(QStringLiteral("MUK_ADI"), Trimmed(firma, "OZEL1"));
    b.insert(QStringLiteral("MUK_TEL"), ExtractDigits(firma.value(QStringLiteral("TLF")).toString()).left(10));
    b.insert(QStringLiteral("TEXT_1"), Trimmed(firma, "MAIL"));
    b.insert(QStringLiteral("MUK_TIP_1"), QStringLiteral("X"));
    for (int i = 2; i <= 5; ++i)
        b.insert(QStringLiteral("MUK_TIP_%1").arg(i), QStringLiteral(" "));
    for (int i = 1; i <= 5; ++i) {
        b.insert(QStringLiteral("IST_%1").arg(i), QStringLiteral(" "));
        b.insert(QStringLiteral("VEREN_%1").arg(i), QStringLiteral(" "));
    }
    b.insert(QStringLiteral("TARIH"), QDateTime(today, QTime(0, 0)));
    const QVariantMap son = ReadRow(db,
                                    QStringLiteral("SELECT VD, VD_IL, VD_KOD FROM BEYAN "
                                                   "WHERE TARIH = (SELECT MAX(TARIH) FROM BEYAN) ORDER BY VD DESC LIMIT 1"),
                                    {});
    for (const char* c : {"VD", "VD_IL", "VD_KOD"})
        b.insert(QString::fromLatin1(c), son.value(QString::fromLatin1(c)));

    const QVariantMap model = ReadAracModel(db, Trimmed(arac, "ARC_MODEL_KODU"));
    b.insert(QStringLiteral("MOTOR_NO"), Trimmed(arac, "MOTOR_NO").left(20));
    b.insert(QStringLiteral("MARKA"), Trimmed(model, "MARKA"));
    b.insert(QStringLiteral("TIP"), Trimmed(model, "ARC_MODEL_ADI").left(30));
    b.insert(QStringLiteral("SIL_HACIM"), Trimmed(model, "MOTOR_HACIM"));
    b.insert(QStringLiteral("MODEL"), arac.value(QStringLiteral("ARC_MODEL_TRH")).toString().rightJustified(4, QLatin1Char(' ')));
    b.insert(QStringLiteral("MOTOR_GUC"), model.value(QStringLiteral("MOTOR_GUC")).toString().left(4));
    b.insert(QStringLiteral("AGIRLIK"), model.value(QStringLiteral("AGIRLIK")).toString().left(4));
    b.insert(QStringLiteral("RENK"), RenkAdi(db, Trimmed(arac, "ARC_RENK_KODU")).left(20));
    b.insert(QStringLiteral("ISTIHAP"), Trimmed(model, "OZEL2").left(6));
    b.insert(QStringLiteral("TEXT_6"), Trimmed(model, "GOVDE_TIP"));
    for (const char* c : {"SINIFI", "TIP_ONAYNO", "AZAMI_YUKLU_KUTLE", "KATAR_YUKLU_KUTLE", "ARAC_GRUP", "OTURMA_YERI"})
        b.insert(QString::fromLatin1(c), Trimmed(model, c));
    return b;
}

bool SaveBeyan(const Db& db, QVariantMap arac, QVariantMap beyan, const QString& previousPlate, const QDate& today)
{
    if (!checkCodes(arac))
        return false;
    {
        Transaction tx(db);
        writeArac(db, arac, previousPlate);
        const QString sase = Trimmed(arac, "SASE_NO");
        const bool yeni = ReadBeyan(db, sase).isEmpty();
        if (yeni) {
            // The defaults are applied once, when the row is made; what the
            // form already holds (NUM_1 typed before the first save) stays.
            QVariantMap fresh = NewBeyanRow(db, arac, today);
            for (auto it = beyan.cbegin(); it != beyan.cend(); ++it)
                if (!it.value().isNull())
                    fresh.insert(it.key(), it.value());
            beyan = fresh;
        }
        beyan.insert(QStringLiteral("SASE_NO"), sase);
        PrepareBeyanForWrite(beyan, arac);
        if (yeni)
            InsertRow(db, QStringLiteral("BEYAN"), beyan, BeyanColumns());
        else
            UpdateRow(db, QStringLiteral("BEYAN"), beyan, BeyanColumns(), {{QStringLiteral("SASE_NO"), sase}});
        tx.commit();
    }
    ShowInfo(QStringLiteral("Kayıt Saklanmıştır..."));
    return true;
}

bool SaveBeyanArac(const Db& db, QVariantMap arac, const QString& previousPlate)
{
    if (!checkCodes(arac))
        return false;
    Transaction tx(db);
    writeArac(db, arac, previousPlate);
    tx.commit();
    return true;
}

namespace {
const QString kRuhsatColumns = QStringLiteral(
    "SELECT ARAC.SASE_NO, ARAC.MOTOR_NO, ARAC.PLAKA, ARAC.CARI_KOD, CARI.FIRMA_ADI, CARI.ILI, CARI.SEMT, CARI.TEL1, "
    "CARI.TEL2, CARI.TEL3, CARI.TEL4, CARI.BABA_ADI, ARAC.ARC_MODEL_TRH, MODEL.MODEL, MODEL.ARC_MODEL_ADI, "
    "ARAC.TRF_CIKIS_TRH FROM ARAC LEFT OUTER JOIN CARI ON (ARAC.CARI_KOD = CARI.CARI_KOD) "
    "LEFT OUTER JOIN MODEL ON (ARAC.ARC_MODEL_KODU = MODEL.ARC_MODEL_KODU) WHERE 1=1");

// Chassis numbers and plates are compared in their stored form; names and
// engine numbers fold the Turkish case.
QString condition(const Db& db, RuhsatAramaAlani alan, const QString& typed, QString* pattern, bool light)
{
    switch (alan) {
    case RuhsatAramaAlani::Plaka:
        *pattern = Dialect::escapeLike(NormalizeVehicleCode(typed)) + QLatin1Char('%');
        return QStringLiteral(" AND ARAC.PLAKA LIKE :ARANAN ESCAPE '\\'");
    case RuhsatAramaAlani::CariAd:
        *pattern = (light ? QStringLiteral("%") : QString()) + Dialect::escapeLike(typed.trimmed()) + QLatin1Char('%');
        return QStringLiteral(" AND ") + db.dialect().ciLike(QStringLiteral("CARI.FIRMA_ADI"), QStringLiteral(":ARANAN"));
    case RuhsatAramaAlani::Sase:
        *pattern = light ? QLatin1Char('%') + Dialect::escapeLike(NormalizeVehicleCode(typed))
                         : Dialect::escapeLike(NormalizeVehicleCode(typed)) + QLatin1Char('%');
        return QStringLiteral(" AND ARAC.SASE_NO LIKE :ARANAN ESCAPE '\\'");
    case RuhsatAramaAlani::Motor:
        *pattern = light ? QLatin1Char('%') + Dialect::escapeLike(typed.trimmed())
                         : Dialect::escapeLike(typed.trimmed()) + QLatin1Char('%');
        return QStringLiteral(" AND ") + db.dialect().ciLike(QStringLiteral("ARAC.MOTOR_NO"), QStringLiteral(":ARANAN"));
    case RuhsatAramaAlani::Yok:
        break;
    }
    return {};
}
} // namespace

RuhsatSorgusu RuhsatListeSorgu(const Db& db, RuhsatAramaAlani alan, const QString& typed, bool ilk50)
{
    RuhsatSorgusu s;
    s.statement = kRuhsatColumns;
    if (!typed.trimmed().isEmpty()) {
        QString pattern;
        const QString c = condition(db, alan, typed, &pattern, false);
        if (!c.isEmpty()) {
            s.statement += c;
            s.binds.insert(QStringLiteral("ARANAN"), pattern);
        }
    }
    s.statement += QStringLiteral(" ORDER BY ARAC.SASE_NO");
    if (ilk50)
        s.statement += QStringLiteral(" LIMIT 50");
    return s;
}

RuhsatSorgusu BeyanListe2Sorgu(const Db& db, RuhsatAramaAlani alan, const QString& typed)
{
    RuhsatSorgusu s;
    s.statement = QStringLiteral("SELECT ARAC.SASE_NO, ARAC.MOTOR_NO, ARAC.PLAKA, ARAC.CARI_KOD, CARI.FIRMA_ADI, "
                                 "CARI.ILI, CARI.TEL1, CARI.BABA_ADI FROM ARAC LEFT OUTER JOIN CARI "
                                 "ON (ARAC.CARI_KOD = CARI.CARI_KOD) WHERE 1=1");
    if (!typed.trimmed().isEmpty()) {
        QString pattern;
        const QString c = condition(db, alan, typed, &pattern, true);
        if (!c.isEmpty()) {
            s.statement += c;
            s.binds.insert(QStringLiteral("ARANAN"), pattern);
        }
    }
    s.statement += QStringLiteral(" ORDER BY ARAC.SASE_NO");
    return s;
}

bool RuhsatSecilebilir(int mode, const QVariantMap& row)
{
    if (mode == 2)
        return true;
    if (Trimmed(row, "PLAKA").isEmpty() || Trimmed(row, "CARI_KOD").isEmpty()) {
        ShowWarning(QStringLiteral("Bu Aracın Cari yada Plakası yok!"));
        return false;
    }
    return true;
}

} // namespace tornaly::workshop
