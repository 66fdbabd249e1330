#include "workshop/vehicles/Vehicles.h"
#include "workshop/vehicles/Catalogue.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/VehicleRules.h"
#include "company/Kilit.h"
#include "context/SessionContext.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"

namespace tornaly::workshop {

YeniAracBilgisi& YeniArac()
{
    static YeniAracBilgisi presets;
    return presets;
}

QStringList AracColumns()
{
    static const char* cols[] = {
        "SASE_NO", "MOTOR_NO", "ARC_MODEL_KODU", "ARC_MODEL_TRH", "CARI_KOD", "PLAKA", "DEPO_KODU", "BARKODU",
        "ANAHTAR_NO", "OTPA", "ARC_RENK_KODU", "IC_RENK", "TRF_CIKIS_TRH", "GARANTI_BAS", "GARANTI_BIT",
        "EK_GARANTIGUN", "SGBASTRH", "SGBITRH", "MUAYENE_TRH", "MUAYENE_BITTRH", "EKSOZ_TRH", "EKSOZ_BITTRH",
        "KASKA_TRH", "KASKO_BITTRH", "ALIS_FAT_NO", "AL_FAT_TRH", "SIP_NO", "SIP_TRH", "BAYI_KOD", "FATURA_NO",
        "FAT_TRH", "MALIYET_FYT_TL", "NOTLAR", "ARAC_BEDEL", "OTV", "OTV_TUT", "OTV_IST", "KDV", "KDV_SIZ",
        "MAS_TOP", "ATF", "AKTIF", "KIRA_FYT_SAAT", "KIRA_FYT_GUN", "KIRA_FYT_HAFTA", "KIRA_FYT_AY", "KIRA_FYT_YIL",
        "GEC_FAIZ_SAAT", "GEC_FAIZ_GUN", "GEC_FAIZ_HAFTA", "GEC_FAIZ_AY", "OZEL", "STATU1", "STATU2"};
    QStringList out;
    for (const char* c : cols)
        out << QString::fromLatin1(c);
    return out;
}

QVariantMap ReadArac(const Db& db, const QString& saseNo)
{
    return ReadRow(db, QStringLiteral("SELECT * FROM ARAC WHERE SASE_NO = :SASE_NO"),
                   {{QStringLiteral("SASE_NO"), saseNo.trimmed()}});
}

QVariantMap ReadAracModel(const Db& db, const QString& modelKodu)
{
    return ReadRow(db, QStringLiteral("SELECT * FROM MODEL WHERE ARC_MODEL_KODU = :M"),
                   {{QStringLiteral("M"), modelKodu.trimmed()}});
}

QString RenkAdi(const Db& db, const QString& renkKodu)
{
    if (renkKodu.trimmed().isEmpty())
        return {};
    return Trimmed(ReadRow(db, QStringLiteral("SELECT ARC_RENK_ADI FROM RENK WHERE ARC_RENK_KODU = :K"),
                           {{QStringLiteral("K"), renkKodu.trimmed()}}),
                   "ARC_RENK_ADI");
}

QVariantMap NewAracRow()
{
    QVariantMap row;
    const YeniAracBilgisi& p = YeniArac();
    if (!p.YeniAracMotorNo.isEmpty())
        row.insert(QStringLiteral("MOTOR_NO"), p.YeniAracMotorNo);
    if (!p.YeniAracSaseNo.isEmpty())
        row.insert(QStringLiteral("SASE_NO"), p.YeniAracSaseNo);
    if (!p.YeniAracPlaka.isEmpty())
        row.insert(QStringLiteral("PLAKA"), p.YeniAracPlaka);
    return row;
}

bool CheckAracForSave(const Db& db, const SessionContext& ctx, const QVariantMap& arac, bool isNew)
{
    const QString sase = arac.value(QStringLiteral("SASE_NO")).toString();
    if (MarkaBayiModuAcik(ctx) && sase.trimmed().size() != 17) {
        ShowWarning(QStringLiteral("Şase 17 hane olmalı!"));
        return false;
    }
    if (!IsUpperAlnumCode(sase) || sase.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."));
        return false;
    }
    if (!IsUpperAlnumCode(arac.value(QStringLiteral("PLAKA")).toString())) {
        ShowWarning(QStringLiteral("PLAKA' da Hatalı yada Boşluklu Karakter kullandınız."));
        return false;
    }
    if (Trimmed(arac, "ARC_MODEL_KODU").isEmpty()) {
        ShowWarning(QStringLiteral("Araç Model Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
        return false;
    }
    if (arac.value(QStringLiteral("ARC_MODEL_TRH")).toInt() <= 0) {
        ShowWarning(QStringLiteral("Araç Model Yılı Bilgisini Vermeden Kayıt Saklanamaz."));
        return false;
    }
    if (isNew && !ReadArac(db, sase).isEmpty()) {
        ShowWarning(QStringLiteral("Bu Şase No ile Kayıtlı Araç Var."));
        return false;
    }
    return true;
}

bool SaveArac(const Db& db, const SessionContext& ctx, QVariantMap arac, bool isNew)
{
    if (!CheckAracForSave(db, ctx, arac, isNew))
        return false;
    ApplyWarrantyDefaults(arac);
    QStringList columns;
    for (const QString& c : AracColumns())
        if (arac.contains(c))
            columns << c;
    try {
        Transaction tx(db);
        if (isNew)
            InsertRow(db, QStringLiteral("ARAC"), arac, columns);
        else {
            columns.removeAll(QStringLiteral("SASE_NO"));
            UpdateRow(db, QStringLiteral("ARAC"), arac, columns,
                      {{QStringLiteral("SASE_NO"), arac.value(QStringLiteral("SASE_NO"))}});
        }
        tx.commit();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::UniqueViolation)
            throw;
        // Another workstation saved the same chassis number meanwhile.
        throw IslemReddi(QStringLiteral("Bu Şase No ile Kayıtlı Araç Var."), MsgIcon::Warning);
    }
    return true;
}

void AracExteriorPicked(QVariantMap& arac, const QString& renk)
{
    if (Trimmed(arac, "ARC_RENK_KODU") != renk.trimmed())
        arac.insert(QStringLiteral("IC_RENK"), QVariant(QMetaType(QMetaType::QString)));
    arac.insert(QStringLiteral("ARC_RENK_KODU"), renk.trimmed());
}

bool DeleteArac(const Db& db, const QString& saseNo, const QString& question)
{
    const QString sase = saseNo.trimmed();
    if (sase.isEmpty())
        return false;
    if (AskYesNoCancel(question) != MsgYes)
        return false;
    const QVariantMap b{{QStringLiteral("SASE_NO"), sase}};
    bool used = false;
    if (db.dialect().tableExists(db, QStringLiteral("ISEMRI")))
        used = !ReadRow(db, QStringLiteral("SELECT 1 AS X FROM ISEMRI WHERE SASI_NO = :SASE_NO"), b).isEmpty();
    used = used || !ReadRow(db, QStringLiteral("SELECT 1 AS X FROM ARCPRTFY WHERE SASE_NO = :SASE_NO"), b).isEmpty();
    if (used) {
        Messages().show(MsgIcon::Information,
                        QStringLiteral("Bu Araç İşemrinde ve/veya Araç Faturalarında Var!. Silinemez!"), MsgCancel,
                        MsgCancel, {});
        return false;
    }
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM BEYAN WHERE SASE_NO = :SASE_NO"), b);
    db.exec(QStringLiteral("DELETE FROM ARAC WHERE SASE_NO = :SASE_NO"), b);
    tx.commit();
    return true;
}

namespace {
const QString kListColumns = QStringLiteral(
    "SELECT Arac.SASE_NO, Arac.MOTOR_NO, Arac.PLAKA, Arac.ARC_MODEL_KODU, Model.MODEL, Model.MARKA, "
    "Arac.ARC_MODEL_TRH, Arac.CARI_KOD, Arac.TRF_CIKIS_TRH, Model.ARC_MODEL_ADI "
    "FROM ARAC Arac LEFT OUTER JOIN MODEL Model ON (Arac.ARC_MODEL_KODU = Model.ARC_MODEL_KODU)");
}

AracListeSorgusu AracListeSorgu(const Db&, bool ilk50)
{
    return {kListColumns + (ilk50 ? QStringLiteral(" ORDER BY Arac.SASE_NO LIMIT 50") : QStringLiteral(" ORDER BY Arac.SASE_NO")),
            {}};
}

AracListeSorgusu AracAramaSorgu(const Db& db, AracAramaAlani alan, const QString& typed)
{
    AracListeSorgusu s;
    QString condition;
    QString text;
    if (alan == AracAramaAlani::Motor) {
        // Engine numbers are kept as written: fold the case on both sides.
        text = typed.trimmed();
        condition = db.dialect().ciLike(QStringLiteral("Arac.MOTOR_NO"), QStringLiteral(":ARANAN"));
    } else {
        // Chassis numbers and plates are stored in Latin capitals without
        // blanks, so the typed text is brought to that form and compared
        // as it is (an index on the column can serve it).
        text = NormalizeVehicleCode(typed);
        condition = alan == AracAramaAlani::Sase ? QStringLiteral("Arac.SASE_NO LIKE :ARANAN ESCAPE '\\'")
                                                 : QStringLiteral("Arac.PLAKA LIKE :ARANAN ESCAPE '\\'");
    }
    s.statement = kListColumns + QStringLiteral(" WHERE ") + condition + QStringLiteral(" ORDER BY Arac.SASE_NO");
    s.binds.insert(QStringLiteral("ARANAN"), QLatin1Char('%') + Dialect::escapeLike(text) + QLatin1Char('%'));
    return s;
}

AracListeSorgusu AracSaseFiltreSorgu(const Db&, const QString& sase)
{
    AracListeSorgusu s;
    s.statement = kListColumns + QStringLiteral(" WHERE Arac.SASE_NO LIKE :SASE ESCAPE '\\' ORDER BY Arac.SASE_NO");
    s.binds.insert(QStringLiteral("SASE"), Dialect::escapeLike(NormalizeVehicleCode(sase)));
    return s;
}

TDonPara AracSecimi(const QVariantMap& row)
{
    TDonPara d;
    d.IlkStr = Trimmed(row, "SASE_NO");
    d.SonStr = Trimmed(row, "MOTOR_NO");
    d.KodStr = Trimmed(row, "ARC_MODEL_KODU");
    return d;
}

bool AracBilgisiMerkezdenCek(const Db& central, QVariantMap& arac)
{
    const QVariantMap r = ReadRow(central, QStringLiteral("SELECT * FROM ARACBILGI WHERE SASE_NO = :SASE_NO"),
                                  {{QStringLiteral("SASE_NO"), Trimmed(arac, "SASE_NO")}});
    if (r.isEmpty())
        return false;
    for (const char* c : {"MOTOR_NO", "ARC_MODEL_KODU", "ARC_MODEL_TRH", "ARC_RENK_KODU"})
        arac.insert(QString::fromLatin1(c), r.value(QString::fromLatin1(c)));
    if (!Trimmed(r, "PLAKA").isEmpty())
        arac.insert(QStringLiteral("PLAKA"), Trimmed(r, "PLAKA"));
    for (const char* c : {"GARANTI_BAS", "GARANTI_BIT"})
        if (!IsEmptyDateSerial(r.value(QString::fromLatin1(c))))
            arac.insert(QString::fromLatin1(c), r.value(QString::fromLatin1(c)));
    return true;
}

} // namespace tornaly::workshop
