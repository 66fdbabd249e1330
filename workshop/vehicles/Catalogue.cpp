#include "workshop/vehicles/Catalogue.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/VehicleRules.h"
#include "context/SessionContext.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "settings/Settings.h"

#include <QImage>

namespace tornaly::workshop {

namespace {

const QString kDuplicate = QStringLiteral("Aynı Kodlu Kayıt Var.");

bool exists(const Db& db, const QString& statement, const QVariantMap& binds)
{
    Query q(db, statement);
    q.bindAll(binds).exec();
    return q.next();
}

// Inserts or updates one code-table row. A key already taken by another row
// gets the shared duplicate message; the row is left for the user to mend.
bool writeCodeRow(const Db& db, const QString& table, const QString& keyColumn, const QVariantMap& row,
                  const QStringList& columns, bool isNew, const QVariant& oldKey)
{
    const QString key = row.value(keyColumn).toString();
    const bool renamed = !isNew && oldKey.toString() != key;
    if ((isNew || renamed) &&
        exists(db, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :K").arg(table, keyColumn), {{QStringLiteral("K"), key}})) {
        ShowWarning(kDuplicate);
        return false;
    }
    try {
        Transaction tx(db);
        if (isNew)
            InsertRow(db, table, row, columns);
        else
            UpdateRow(db, table, row, columns, {{keyColumn, oldKey.isValid() ? oldKey : QVariant(key)}});
        tx.commit();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::UniqueViolation)
            throw;
        // Another workstation saved the same key meanwhile.
        throw IslemReddi(kDuplicate, MsgIcon::Warning);
    }
    return true;
}

QVariantMap trimmedCodes(QVariantMap row, std::initializer_list<const char*> columns)
{
    for (const char* c : columns) {
        const QString k = QString::fromLatin1(c);
        if (row.contains(k) && !row.value(k).isNull())
            row.insert(k, row.value(k).toString().trimmed());
    }
    return row;
}

QList<CheckItem> checkItems(const Db& db, const QString& statement, const QVariantMap& binds, const char* codeCol,
                            const char* nameCol, const char* linkCol)
{
    QList<CheckItem> items;
    for (const QVariantMap& r : ReadRows(db, statement, binds)) {
        CheckItem it;
        it.code = Trimmed(r, codeCol);
        it.text = QStringLiteral("%1-%2").arg(it.code.leftJustified(8, QLatin1Char(' ')), Trimmed(r, nameCol));
        it.checked = !r.value(QString::fromLatin1(linkCol)).isNull();
        items << it;
    }
    return items;
}

} // namespace

// --- Segments --------------------------------------------------------------

QStringList SegmentColumns()
{
    return {QStringLiteral("MODEL_KOD"), QStringLiteral("MODEL_AD"), QStringLiteral("MARKA"),
            QStringLiteral("ISCILIK_KOD")};
}

bool SaveSegment(const Db& db, QVariantMap row, bool isNew)
{
    row = trimmedCodes(row, {"MODEL_KOD", "MARKA", "ISCILIK_KOD"});
    if (Trimmed(row, "MODEL_KOD").isEmpty()) {
        ShowInfo(QStringLiteral("Araç Tip Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
        return false;
    }
    return writeCodeRow(db, QStringLiteral("MODELKOD"), QStringLiteral("MODEL_KOD"), row, SegmentColumns(), isNew,
                        row.value(QStringLiteral("ESKI_KOD"), row.value(QStringLiteral("MODEL_KOD"))));
}

bool DeleteSegment(const Db& db, const QString& code)
{
    if (code.trimmed().isEmpty())
        return false;
    if (!AskYesNo(QStringLiteral("Kayıt Silinsin mi?")))
        return false;
    if (exists(db, QStringLiteral("SELECT ARC_MODEL_KODU FROM MODEL WHERE MODEL = :MKod"),
               {{QStringLiteral("MKod"), code.trimmed()}})) {
        Messages().show(MsgIcon::Information, QStringLiteral("Bu Kayıt Model Kayıtlarına İşlenmiş.Silinemez!"),
                        MsgCancel, MsgCancel, {});
        return false;
    }
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM MODELKOD WHERE MODEL_KOD = :K"), {{QStringLiteral("K"), code.trimmed()}});
    tx.commit();
    return true;
}

QList<QVariantMap> SegmentsOfBrand(const Db& db, const QString& marka)
{
    return ReadRows(db,
                    QStringLiteral("SELECT ISCILIK_KOD, MODEL_KOD, MODEL_AD, MARKA FROM MODELKOD "
                                   "WHERE MARKA = :MARKA OR COALESCE(MARKA, '') IN ('', 'ZZ', 'DIGER') "
                                   "ORDER BY MARKA, MODEL_AD"),
                    {{QStringLiteral("MARKA"), marka.trimmed()}});
}

// --- Tariffs ---------------------------------------------------------------

QStringList TariffColumns()
{
    return {QStringLiteral("TARIFE_KOD"), QStringLiteral("TARIFE_AD"), QStringLiteral("MODEL_YIL"),
            QStringLiteral("TAV"),        QStringLiteral("EKTAV"),     QStringLiteral("EKP"),
            QStringLiteral("CKF"),        QStringLiteral("SIGORTA"),   QStringLiteral("BANDROL"),
            QStringLiteral("TESCIL"),     QStringLiteral("KDV"),       QStringLiteral("DIGER1"),
            QStringLiteral("DIGER2")};
}

bool SaveTariff(const Db& db, QVariantMap row, bool isNew)
{
    row = trimmedCodes(row, {"TARIFE_KOD"});
    if (Trimmed(row, "TARIFE_KOD").isEmpty()) {
        ShowInfo(QStringLiteral("Tarife Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
        return false;
    }
    return writeCodeRow(db, QStringLiteral("TAVERGI"), QStringLiteral("TARIFE_KOD"), row, TariffColumns(), isNew,
                        row.value(QStringLiteral("ESKI_KOD"), row.value(QStringLiteral("TARIFE_KOD"))));
}

bool DeleteTariff(const Db& db, const QString& code)
{
    if (code.trimmed().isEmpty())
        return false;
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return false;
    if (exists(db, QStringLiteral("SELECT 1 FROM MODEL WHERE TAV_KOD = :TARIFE_KOD"),
               {{QStringLiteral("TARIFE_KOD"), code.trimmed()}})) {
        Messages().show(MsgIcon::Information, QStringLiteral("Bu Kayıt Model Kartında Kullanılmakta. Silinemez!"),
                        MsgCancel, MsgCancel, {});
        return false;
    }
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM TAVERGI WHERE TARIFE_KOD = :TARIFE_KOD"),
            {{QStringLiteral("TARIFE_KOD"), code.trimmed()}});
    tx.commit();
    return true;
}

// --- Colours ---------------------------------------------------------------

QStringList ColourColumns()
{
    return {QStringLiteral("ARC_RENK_KODU"), QStringLiteral("ARC_RENK_ADI"), QStringLiteral("ANA_RENK"),
            QStringLiteral("RENK_TIP")};
}

bool SaveColour(const Db& db, QVariantMap row, bool isNew)
{
    row = trimmedCodes(row, {"ARC_RENK_KODU", "RENK_TIP"});
    const QString caption = QStringLiteral("Eksik Veri");
    auto refuse = [&](const QString& text) {
        Messages().show(MsgIcon::Warning, text, MsgOk, MsgOk, caption);
        return false;
    };
    if (Trimmed(row, "ARC_RENK_KODU").isEmpty())
        return refuse(QStringLiteral("Renk Kodu Bilgisi Boş Geçilemez."));
    if (Trimmed(row, "ARC_RENK_ADI").isEmpty())
        return refuse(QStringLiteral("Renk Adı Bilgisi Boş Geçilemez."));
    const QString tip = Trimmed(row, "RENK_TIP");
    if (tip != QLatin1String("D") && tip != QLatin1String("I"))
        return refuse(QStringLiteral("Renk Tipi Bilgisi Boş Geçilemez."));
    // The code of an existing colour is read only on the card.
    if (!isNew)
        row.remove(QStringLiteral("ESKI_KOD"));
    return writeCodeRow(db, QStringLiteral("RENK"), QStringLiteral("ARC_RENK_KODU"), row, ColourColumns(), isNew,
                        row.value(QStringLiteral("ARC_RENK_KODU")));
}

bool DeleteColour(const Db& db, const QString& code)
{
    const QString k = code.trimmed();
    if (k.isEmpty())
        return false;
    if (!AskYesNo(QStringLiteral("Kayıt Silinsin mi?")))
        return false;
    // A colour is in use on a vehicle as its exterior or its interior colour.
    if (exists(db, QStringLiteral("SELECT SASE_NO FROM ARAC WHERE ARC_RENK_KODU = :K OR IC_RENK = :K"),
               {{QStringLiteral("K"), k}})) {
        Messages().show(MsgIcon::Information, QStringLiteral("Bu Renk Kodu Araç Kayıtlarına İşlenmiş.Silinemez!"),
                        MsgCancel, MsgCancel, {});
        return false;
    }
    Transaction tx(db);
    // Model links to a colour that no longer exists would come back to life
    // with a new colour of the same code.
    db.exec(QStringLiteral("DELETE FROM MODELICRENK WHERE RENK_KOD = :K OR IC_RENK = :K"), {{QStringLiteral("K"), k}});
    db.exec(QStringLiteral("DELETE FROM MODELRNK WHERE RENK_KOD = :K"), {{QStringLiteral("K"), k}});
    db.exec(QStringLiteral("DELETE FROM RENK WHERE ARC_RENK_KODU = :K"), {{QStringLiteral("K"), k}});
    tx.commit();
    return true;
}

// --- Models ----------------------------------------------------------------

QStringList ModelColumns()
{
    static const char* cols[] = {
        "ARC_MODEL_KODU", "ARC_MODEL_ADI", "MARKA", "MODEL", "OZEL1", "CINS", "ARC_SERI", "TRIM_TIP", "GOVDE_TIP",
        "MOTOR_TIP", "MOTOR_HACIM", "MOTOR_GUC", "SANZIMAN_TIPI", "MOTOR_SILIN_SAY", "SUBAP_ADET", "VITES",
        "YAKIT_TIPI", "AKTARMA", "ARAC_GRUP", "SINIFI", "TIP_ONAYNO", "BOY", "EN", "YUKSEKLIK", "AGIRLIK",
        "AZAMI_YUKLU_KUTLE", "KATAR_YUKLU_KUTLE", "OZEL2", "OTURMA_YERI", "DEPO_HACIM", "BAGAJ_HACIM", "YAKIT_TUK1",
        "YAKIT_TUK2", "MBAK_PER_KM", "KDV", "OTV", "TAV_KOD", "CLAIM_ARCTIP", "ALISFIYAT_TL", "ALISFIYAT_USD",
        "ALISFIYAT_DOVIZ", "MALIYET_FYT_TL", "MALIYET_FYT_USD", "MALIYET_FYT_DOVIZ", "SATIS_FIYAT_TL",
        "SATIS_FIYAT_USD", "SATIS_FIYAT_DOVIZ", "FYT_KUR", "KAR_ORANI", "D_BASI_STK_MIK", "D_BASI_STK_DEGERI",
        "SIP_VERILEBILIR", "POQ_VER", "MUH_S", "MUH_A", "MUH_ISK_S", "MUH_ISK_A", "MUH_IADE_S", "MUH_IADE_A",
        "MUH_KDV_A", "MUH_OTV_S", "MUH_OTV_A"};
    QStringList out;
    for (const char* c : cols)
        out << QString::fromLatin1(c);
    return out;
}

void ModelSegmentChosen(QVariantMap& model, const QVariantMap& segment)
{
    if (segment.isEmpty())
        return;
    model.insert(QStringLiteral("MODEL"), Trimmed(segment, "MODEL_KOD"));
    const QString marka = Trimmed(segment, "MARKA");
    // A segment of every brand leaves the model's own brand alone.
    const bool herMarka = marka.isEmpty() || marka == QLatin1String("ZZ") || marka == QLatin1String("DIGER");
    if (!herMarka && Trimmed(model, "MARKA") != marka)
        model.insert(QStringLiteral("MARKA"), marka);
    if (Trimmed(model, "OZEL1") != Trimmed(segment, "ISCILIK_KOD"))
        model.insert(QStringLiteral("OZEL1"), Trimmed(segment, "ISCILIK_KOD"));
}

void ModelBrandChanged(QVariantMap& model, const QList<QVariantMap>& brandSegments)
{
    const QString current = Trimmed(model, "MODEL");
    for (const QVariantMap& s : brandSegments)
        if (Trimmed(s, "MODEL_KOD") == current && !current.isEmpty())
            return;
    model.insert(QStringLiteral("MODEL"), QString());
    model.insert(QStringLiteral("OZEL1"), QString());
}

bool SaveModel(const Db& db, QVariantMap row, bool isNew)
{
    row = trimmedCodes(row, {"ARC_MODEL_KODU", "MARKA", "MODEL", "OZEL1"});
    if (Trimmed(row, "ARC_MODEL_KODU").isEmpty()) {
        ShowInfo(QStringLiteral("Model Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
        return false;
    }
    // The table requires these; a clear word beats the database's refusal.
    const QList<QPair<const char*, QString>> required = {
        {"ARC_MODEL_ADI", QStringLiteral("Model Adı")},
        {"MARKA", QStringLiteral("Marka")},
        {"MODEL", QStringLiteral("Modelin Segment Kodu")},
        {"OZEL1", QStringLiteral("Segmentin İşçilik Kodu")}};
    for (const auto& r : required)
        if (Trimmed(row, r.first).isEmpty()) {
            ShowWarning(QStringLiteral("%1 Bilgisini Vermeden Kayıt Saklanamaz.").arg(r.second));
            return false;
        }
    if (isNew) {
        const QVariantMap defaults = NewModelRow();
        for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
            if (row.value(it.key()).isNull())
                row.insert(it.key(), it.value());
    }
    return writeCodeRow(db, QStringLiteral("MODEL"), QStringLiteral("ARC_MODEL_KODU"), row, ModelColumns(), isNew,
                        row.value(QStringLiteral("ESKI_KOD"), row.value(QStringLiteral("ARC_MODEL_KODU"))));
}

bool DeleteModel(const Db& db, const QString& code)
{
    const QString k = code.trimmed();
    if (k.isEmpty())
        return false;
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return false;
    Query q(db, QStringLiteral("SELECT COUNT(*) AS VAR FROM ARAC WHERE ARC_MODEL_KODU = :ARC_MODEL_KODU"));
    q.bind(QStringLiteral("ARC_MODEL_KODU"), k).exec();
    if (q.next() && q.value(0).toInt() > 0) {
        Messages().show(MsgIcon::Information, QStringLiteral("Bu Model Araç Kayıtlarında Kullanılmış.Silinemez!"),
                        MsgCancel, MsgCancel, {});
        return false;
    }
    Transaction tx(db);
    const QVariantMap b{{QStringLiteral("ARC_MODEL_KODU"), k}};
    db.exec(QStringLiteral("DELETE FROM MODELICRENK WHERE MODEL_KOD = :ARC_MODEL_KODU"), b);
    db.exec(QStringLiteral("DELETE FROM MODELRNK WHERE MODEL_KOD = :ARC_MODEL_KODU"), b);
    db.exec(QStringLiteral("DELETE FROM MODEL WHERE ARC_MODEL_KODU = :ARC_MODEL_KODU"), b);
    tx.commit();
    return true;
}

QList<CheckItem> ModelAccessoryItems(const Db& db, const QString& model)
{
    return checkItems(db,
                      QStringLiteral("SELECT AKSESUAR.AKSESUAR_KODU, AKSESUAR.AKSESUAR_ADI, L.MODEL_KOD FROM AKSESUAR "
                                     "LEFT OUTER JOIN (SELECT MODEL_KOD, AKS_KOD FROM MODELAKS WHERE MODEL_KOD = :M) L "
                                     "ON (AKSESUAR.AKSESUAR_KODU = L.AKS_KOD) ORDER BY AKSESUAR.AKSESUAR_KODU"),
                      {{QStringLiteral("M"), model.trimmed()}}, "AKSESUAR_KODU", "AKSESUAR_ADI", "MODEL_KOD");
}

void SaveModelAccessories(const Db& db, const QString& model, const QList<CheckItem>& items)
{
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM MODELAKS WHERE MODEL_KOD = :M"), {{QStringLiteral("M"), model.trimmed()}});
    for (const CheckItem& it : items)
        if (it.checked)
            db.exec(QStringLiteral("INSERT INTO MODELAKS (MODEL_KOD, AKS_KOD, SIP_GIZLE) VALUES (:M, :A, 'H')"),
                    {{QStringLiteral("M"), model.trimmed()}, {QStringLiteral("A"), it.code}});
    tx.commit();
}

QList<CheckItem> ModelExteriorItems(const Db& db, const QString& model, bool markaBayiModu)
{
    QString sql = QStringLiteral("SELECT RENK.ARC_RENK_KODU, RENK.ARC_RENK_ADI, L.MODEL_KOD FROM RENK "
                                 "LEFT OUTER JOIN (SELECT MODEL_KOD, RENK_KOD FROM MODELRNK WHERE MODEL_KOD = :M) L "
                                 "ON (L.RENK_KOD = RENK.ARC_RENK_KODU) WHERE RENK_TIP = 'D' ");
    if (markaBayiModu)
        sql += QStringLiteral("AND LENGTH(TRIM(RENK.ARC_RENK_KODU)) = 4 ");
    sql += QStringLiteral("ORDER BY ARC_RENK_KODU");
    return checkItems(db, sql, {{QStringLiteral("M"), model.trimmed()}}, "ARC_RENK_KODU", "ARC_RENK_ADI",
                      "MODEL_KOD");
}

void SaveModelExteriors(const Db& db, const QString& model, const QList<CheckItem>& items)
{
    const QString m = model.trimmed();
    Transaction tx(db);
    for (const CheckItem& it : items) {
        const QVariantMap b{{QStringLiteral("M"), m}, {QStringLiteral("R"), it.code}};
        const bool has = exists(db, QStringLiteral("SELECT 1 FROM MODELRNK WHERE MODEL_KOD = :M AND RENK_KOD = :R"), b);
        if (it.checked && !has)
            db.exec(QStringLiteral("INSERT INTO MODELRNK (MODEL_KOD, RENK_KOD) VALUES (:M, :R)"), b);
        else if (!it.checked && has) {
            db.exec(QStringLiteral("DELETE FROM MODELICRENK WHERE MODEL_KOD = :M AND RENK_KOD = :R"), b);
            db.exec(QStringLiteral("DELETE FROM MODELRNK WHERE MODEL_KOD = :M AND RENK_KOD = :R"), b);
        }
    }
    tx.commit();
}

QList<CheckItem> ModelInteriorItems(const Db& db, const QString& model, const QString& exterior)
{
    return checkItems(db,
                      QStringLiteral("SELECT RENK.ARC_RENK_KODU, RENK.ARC_RENK_ADI, L.MODEL_KOD FROM RENK "
                                     "LEFT OUTER JOIN (SELECT MODEL_KOD, RENK_KOD, IC_RENK FROM MODELICRENK "
                                     "WHERE MODEL_KOD = :M AND RENK_KOD = :R) L ON (L.IC_RENK = RENK.ARC_RENK_KODU) "
                                     "WHERE RENK_TIP = 'I' ORDER BY RENK.ARC_RENK_KODU"),
                      {{QStringLiteral("M"), model.trimmed()}, {QStringLiteral("R"), exterior.trimmed()}},
                      "ARC_RENK_KODU", "ARC_RENK_ADI", "MODEL_KOD");
}

void SaveModelInteriors(const Db& db, const QString& model, const QString& exterior, const QList<CheckItem>& items)
{
    const QVariantMap b{{QStringLiteral("M"), model.trimmed()}, {QStringLiteral("R"), exterior.trimmed()}};
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM MODELICRENK WHERE MODEL_KOD = :M AND RENK_KOD = :R"), b);
    for (const CheckItem& it : items)
        if (it.checked) {
            QVariantMap r = b;
            r.insert(QStringLiteral("I"), it.code);
            db.exec(QStringLiteral("INSERT INTO MODELICRENK (MODEL_KOD, RENK_KOD, IC_RENK) VALUES (:M, :R, :I)"), r);
        }
    tx.commit();
}

bool SaveModelPicture(const Db& db, const QString& model, const QByteArray& bytes)
{
    if (QImage::fromData(bytes).isNull()) {
        ShowWarning(QStringLiteral("Seçilen dosya bir resim değil."));
        return false;
    }
    const QVariantMap b{{QStringLiteral("KOD"), model.trimmed()}, {QStringLiteral("TIP"), QStringLiteral("M")},
                        {QStringLiteral("RESIM"), bytes}};
    Transaction tx(db);
    if (db.exec(QStringLiteral("UPDATE RESIMLER SET RESIM = :RESIM WHERE KOD = :KOD AND TIP = :TIP"), b) == 0)
        db.exec(QStringLiteral("INSERT INTO RESIMLER (KOD, TIP, RESIM) VALUES (:KOD, :TIP, :RESIM)"), b);
    tx.commit();
    return true;
}

QByteArray ModelPicture(const Db& db, const QString& model)
{
    const QVariantMap r = ReadRow(db, QStringLiteral("SELECT RESIM FROM RESIMLER WHERE KOD = :KOD AND TIP = 'M'"),
                                  {{QStringLiteral("KOD"), model.trimmed()}});
    return r.value(QStringLiteral("RESIM")).toByteArray();
}

bool MarkaBayiModuAcik(const SessionContext& ctx)
{
    if (ctx.MarkaBayiModu)
        return true;
    const QString v = ReadSetting(QStringLiteral("Kalvesa"), QStringLiteral("SERVIS"), QStringLiteral("MarkaBayiModu"));
    return v == QLatin1String("1") || v.compare(QLatin1String("E"), Qt::CaseInsensitive) == 0;
}

} // namespace tornaly::workshop
