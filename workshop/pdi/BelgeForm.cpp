#include "workshop/pdi/BelgeForm.h"
#include "workshop/pdi/PdiOrtak.h"
#include "workshop/vehicles/RecordIo.h"
#include "context/SessionContext.h"
#include "counters/Counters.h"
#include "db/Dialect.h"
#include "guard/IslemReddi.h"
#include "services/CentralServices.h"
#include "sql/SqlHelpers.h"

namespace tornaly::workshop {

using namespace pdiortak;

namespace {

QStringList belgeKolonlari()
{
    return {K("BEL_ID"),        K("BEL_TIP"),       K("BEL_SIRA_NO"),   K("BEL_TARIH"),     K("BEL_PER_KOD"),
            K("BEL_ONAY_PER"),  K("BEL_ISEMRI"),    K("BEL_SASE_NO"),   K("BEL_MOTOR_NO"),  K("BEL_PLAKA"),
            K("BEL_MODEL"),     K("BEL_MODEL_YIL"), K("BEL_ARAC_YAS"),  K("BEL_KM"),        K("BEL_TRAFIK_TRH"),
            K("BEL_CARI_KOD"),  K("BEL_CARI_AD"),   K("BEL_CARI_IRT"),  K("BEL_CARI_TEL1"), K("BEL_CARI_TEL2"),
            K("BEL_FAKS"),      K("BEL_VNO"),       K("BEL_EMAIL"),     K("BEL_VD"),        K("BEL_ACIKLAMA1"),
            K("INS_DATE"),      K("INS_USER"),      K("UPD_DATE"),      K("UPD_USER")};
}

// Name, contact, phones and tax data of the customer onto the document.
void cariDoldur(QVariantMap& row, const QVariantMap& c)
{
    row[K("BEL_CARI_KOD")] = bosIseNull(metin(c, "CARI_KOD"));
    row[K("BEL_CARI_AD")] = bosIseNull((metin(c, "FIRMA_ADI") + QLatin1Char(' ') + metin(c, "FIRMA_ADI2")).trimmed());
    row[K("BEL_CARI_IRT")] = bosIseNull((metin(c, "YETKILI_ADI") + QLatin1Char(' ') + metin(c, "YETKILI_SOYAD")).trimmed());
    row[K("BEL_CARI_TEL1")] = bosIseNull(metin(c, "TEL1"));
    row[K("BEL_CARI_TEL2")] = bosIseNull(metin(c, "TEL3"));
    row[K("BEL_VD")] = bosIseNull(metin(c, "VD"));
    row[K("BEL_VNO")] = bosIseNull(metin(c, "VN"));
}

void modelYili(const Db& db, QVariantMap& row, const QString& yilMetni)
{
    bool ok = false;
    const int yil = yilMetni.trimmed().toInt(&ok);
    if (!ok)
        return; // a model year that is no number leaves both as they are
    row[K("BEL_MODEL_YIL")] = yil;
    row[K("BEL_ARAC_YAS")] = SunucuTarih(db).year() - yil;
}

QString kullaniciMetni(const SessionContext& ctx)
{
    return (ctx.UretBKod + QLatin1Char('/') + ctx.AktifKullanici.name).left(32);
}
} // namespace

int SP_NEW_BELGEFORM(const Db& db)
{
    return int(TakeCounterNumber(db, QStringLiteral("NEWBELGEFORM")));
}

int BelgeFormBul(const Db& db, int tip, const QString& isEmriNo, const QString& sase)
{
    const QString ie = isEmriNo.trimmed();
    const QString s = sase.trimmed();
    if (ie.isEmpty() && s.isEmpty())
        return -1;
    // Only documents of the caller's type: a chassis that has a document of
    // another type gets its own of this type.
    Query q(db, QStringLiteral("SELECT MIN(BEL_ID) FROM BELGEFORM WHERE BEL_TIP = :TIP AND "
                               "((BEL_ISEMRI = :IE AND :IE2 <> '') OR (BEL_SASE_NO = :SASE AND :SASE2 <> ''))"));
    q.bind(K("TIP"), tip).bind(K("IE"), ie).bind(K("IE2"), ie).bind(K("SASE"), s).bind(K("SASE2"), s).exec();
    if (!q.next() || q.value(0).isNull())
        return -1;
    return q.value(0).toInt();
}

QList<BelgeSoru> BelgeSorulari(const Db& db, int belId, int tip)
{
    Query say(db, QStringLiteral("SELECT COUNT(*) FROM BELGEFORMCEVAP WHERE BEL_ID = :ID"));
    say.bind(K("ID"), belId).exec();
    say.next();
    const bool cevapli = say.value(0).toLongLong() > 0;
    const QString kosul = cevapli ? QStringLiteral("(C.BEL_ID IS NOT NULL OR S.BS_SORU_TIP = 1)")
                                  : QStringLiteral("S.BS_AKTIF = 1");
    Query q(db, QStringLiteral("SELECT S.BS_ID, S.BS_SORU_NO, S.BS_SORU_TEXT, S.BS_SORU_TIP, C.BS_DEGER, C.BS_BILGI "
                               "FROM BELGEFORMSORU S LEFT JOIN BELGEFORMCEVAP C ON C.BS_ID = S.BS_ID AND C.BEL_ID = :ID "
                               "WHERE S.BS_BELGE_TIP = :TIP AND ") +
                    kosul + QStringLiteral(" ORDER BY S.BS_SIRA_NO, S.BS_ID"));
    q.bind(K("ID"), belId).bind(K("TIP"), tip).exec();
    QList<BelgeSoru> out;
    while (q.next()) {
        BelgeSoru s;
        s.BS_ID = int(q.integer(K("BS_ID")));
        s.BS_SORU_NO = int(q.integer(K("BS_SORU_NO")));
        s.BS_SORU_TEXT = q.str(K("BS_SORU_TEXT")).trimmed();
        s.baslik = q.integer(K("BS_SORU_TIP")) == 1;
        if (!q.isNull(K("BS_DEGER")))
            s.BS_DEGER = int(q.integer(K("BS_DEGER")));
        s.BS_BILGI = q.str(K("BS_BILGI"));
        out << s;
    }
    return out;
}

BelgeFormu BelgeFormYeni(const Db& db, const SessionContext& ctx, int tip)
{
    BelgeFormu b;
    b.row[K("BEL_ID")] = SP_NEW_BELGEFORM(db);
    b.row[K("BEL_TIP")] = tip;
    b.row[K("BEL_PER_KOD")] = bosIseNull(ctx.AktifKullanici.per_kod);
    b.row[K("BEL_TARIH")] = QDateTime(SunucuTarih(db), QTime(0, 0));
    b.sorular = BelgeSorulari(db, b.row.value(K("BEL_ID")).toInt(), tip);
    return b;
}

BelgeFormu BelgeFormOku(const Db& db, int belId, int tip)
{
    BelgeFormu b;
    b.row = ReadRow(db, QStringLiteral("SELECT * FROM BELGEFORM WHERE BEL_ID = :BEL_ID"), {{K("BEL_ID"), belId}});
    b.kayitli = !b.row.isEmpty();
    b.sorular = BelgeSorulari(db, belId, tip);
    return b;
}

void BelgeIsemriDoldur(const Db& db, QVariantMap& row, const QString& isEmriNo)
{
    const QVariantMap ie = ReadRow(
        db,
        QStringLiteral("SELECT I.IS_EMRI_NO, I.SASI_NO, I.MOTOR_NO, I.PLAKA_NO, I.ARAC_TIP, I.ARAC_MODEL, I.KM, "
                       "I.TESLIM_TRH, I.CARI_KOD, C.FIRMA_ADI, C.FIRMA_ADI2, C.TEL1, C.TEL2, C.TEL3, C.TEL4, C.VD, C.VN, "
                       "C.YETKILI_ADI, C.YETKILI_SOYAD, M.ARC_MODEL_ADI FROM ISEMRI I "
                       "LEFT JOIN CARI C ON C.CARI_KOD = I.CARI_KOD "
                       "LEFT JOIN MODEL M ON M.ARC_MODEL_KODU = I.ARAC_TIP WHERE I.IS_EMRI_NO = :NO"),
        {{K("NO"), isEmriNo.trimmed()}});
    if (ie.isEmpty())
        throw IslemReddi(QStringLiteral("İş Emri Bulunamadı!"), MsgIcon::Warning);
    row[K("BEL_ISEMRI")] = metin(ie, "IS_EMRI_NO");
    row[K("BEL_SASE_NO")] = bosIseNull(metin(ie, "SASI_NO"));
    row[K("BEL_MOTOR_NO")] = bosIseNull(metin(ie, "MOTOR_NO"));
    row[K("BEL_PLAKA")] = bosIseNull(metin(ie, "PLAKA_NO"));
    row[K("BEL_KM")] = ie.value(K("KM"));
    row[K("BEL_MODEL")] = bosIseNull(metin(ie, "ARAC_TIP"));
    modelYili(db, row, metin(ie, "ARAC_MODEL"));
    row[K("BEL_TRAFIK_TRH")] = ie.value(K("TESLIM_TRH"));
    cariDoldur(row, ie);
}

void BelgeAracDoldur(const Db& db, QVariantMap& row, const QString& sase)
{
    const QVariantMap a = ReadRow(
        db,
        QStringLiteral("SELECT A.SASE_NO, A.MOTOR_NO, A.PLAKA, A.ARC_MODEL_KODU, A.ARC_MODEL_TRH, A.GARANTI_BAS, "
                       "A.CARI_KOD, C.FIRMA_ADI, C.FIRMA_ADI2, C.TEL1, C.TEL3, C.VD, C.VN, C.YETKILI_ADI, C.YETKILI_SOYAD "
                       "FROM ARAC A LEFT JOIN CARI C ON C.CARI_KOD = A.CARI_KOD "
                       "LEFT JOIN MODEL M ON M.ARC_MODEL_KODU = A.ARC_MODEL_KODU WHERE A.SASE_NO = :SASE"),
        {{K("SASE"), sase.trimmed()}});
    if (a.isEmpty())
        throw IslemReddi(QStringLiteral("Araç Bulunamadı!"), MsgIcon::Warning);
    row[K("BEL_SASE_NO")] = metin(a, "SASE_NO");
    row[K("BEL_MOTOR_NO")] = bosIseNull(metin(a, "MOTOR_NO"));
    row[K("BEL_PLAKA")] = bosIseNull(metin(a, "PLAKA"));
    row[K("BEL_MODEL")] = bosIseNull(metin(a, "ARC_MODEL_KODU"));
    modelYili(db, row, metin(a, "ARC_MODEL_TRH"));
    row[K("BEL_KM")] = QVariant();
    // A warranty start on or before day 100 (1900-04-09) stands for none.
    const QDateTime garanti = Query::toDateTime(a.value(K("GARANTI_BAS")));
    row[K("BEL_TRAFIK_TRH")] = garanti.isValid() && garanti.date() > QDate(1900, 4, 9) ? QVariant(garanti) : QVariant();
    cariDoldur(row, a);
}

bool BelgeAracUyumlu(const Db& db, const QVariantMap& row)
{
    const QVariantMap a = ReadRow(db,
                                  QStringLiteral("SELECT SASE_NO, MOTOR_NO, PLAKA, ARAC.ARC_MODEL_KODU, ARAC.ARC_MODEL_TRH, "
                                                 "GARANTI_BAS FROM ARAC WHERE SASE_NO = :SASE"),
                                  {{K("SASE"), metin(row, "BEL_SASE_NO")}});
    if (a.isEmpty() || metin(a, "ARC_MODEL_KODU") != metin(row, "BEL_MODEL"))
        return false;
    const QDateTime garanti = Query::toDateTime(a.value(K("GARANTI_BAS")));
    const QDateTime trafik = Query::toDateTime(row.value(K("BEL_TRAFIK_TRH")));
    if (!trafik.isValid())
        return true;
    return garanti.isValid() && garanti >= trafik;
}

void BelgeFormKaydet(const Db& db, const SessionContext& ctx, BelgeFormu& b)
{
    for (const BelgeSoru& s : b.sorular)
        if (!s.baslik && s.BS_DEGER.isNull())
            throw IslemReddi(QStringLiteral("Lütfen kontrol noktalarını doldurunuz"), MsgIcon::Warning);
    QVariantMap w = b.row;
    const int belId = w.value(K("BEL_ID")).toInt();
    RetryAfterAsking(db, [&] {
        QVariantMap r = w;
        Transaction tx(db);
        const QDateTime simdi = SunucuTarihSaat(db);
        if (!Query::toDateTime(r.value(K("BEL_TARIH"))).isValid())
            r[K("BEL_TARIH")] = QDateTime(simdi.date(), QTime(0, 0));
        Query var(db, QStringLiteral("SELECT BEL_SIRA_NO FROM BELGEFORM WHERE BEL_ID = :ID") + db.dialect().rowLockSuffix());
        var.bind(K("ID"), belId).exec();
        const bool kayitli = var.next();
        var.finish();
        QStringList kolonlar = belgeKolonlari();
        if (!kayitli) {
            // Inside the transaction: a rolled-back save gives its number back.
            r[K("BEL_SIRA_NO")] = int(TakeCounterNumber(db, QStringLiteral("NEWBELSIRA")));
            r[K("INS_DATE")] = simdi;
            r[K("INS_USER")] = kullaniciMetni(ctx);
            kolonlar.removeAll(K("UPD_DATE"));
            kolonlar.removeAll(K("UPD_USER"));
        } else {
            r[K("UPD_DATE")] = simdi;
            r[K("UPD_USER")] = kullaniciMetni(ctx);
            for (const char* c : {"BEL_ID", "BEL_SIRA_NO", "INS_DATE", "INS_USER"})
                kolonlar.removeAll(K(c));
        }
        QVariantMap binds;
        for (const QString& c : kolonlar)
            binds.insert(c, r.value(c));
        if (!kayitli) {
            db.exec(InsertSql(QStringLiteral("BELGEFORM"), kolonlar), binds);
        } else {
            binds.insert(K("BEL_ID"), belId);
            db.exec(QStringLiteral("UPDATE BELGEFORM SET ") + AssignSql(kolonlar) + QStringLiteral(" WHERE BEL_ID = :BEL_ID"),
                    binds);
        }
        const QString upsert = db.dialect().upsert(QStringLiteral("BELGEFORMCEVAP"), {K("BEL_ID"), K("BS_ID")},
                                                   {K("BEL_ID"), K("BS_ID"), K("BS_DEGER"), K("BS_BILGI")});
        for (const BelgeSoru& s : b.sorular) {
            if (s.baslik)
                continue;
            db.exec(upsert, {{K("BEL_ID"), belId},
                             {K("BS_ID"), s.BS_ID},
                             {K("BS_DEGER"), s.BS_DEGER},
                             {K("BS_BILGI"), bosIseNull(s.BS_BILGI)}});
        }
        tx.commit();
        w = r;
    });
    b = BelgeFormOku(db, belId, w.value(K("BEL_TIP")).toInt());
}

} // namespace tornaly::workshop
