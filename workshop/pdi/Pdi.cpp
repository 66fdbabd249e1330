#include "workshop/pdi/Pdi.h"
#include "workshop/pdi/PdiOrtak.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/workorders/WorkOrders.h"
#include "company/Kilit.h"
#include "context/SessionContext.h"
#include "counters/Counters.h"
#include "db/Dialect.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"

#include <cmath>

namespace tornaly::workshop {

using namespace pdiortak;

namespace {

QString tekDeger(const Db& db, const QString& sql, const QVariantMap& binds)
{
    Query q(db, sql);
    q.bindAll(binds).exec();
    return q.next() ? q.value(0).toString().trimmed() : QString();
}

QList<PdiHata> hatalariOku(const Db& db, const QString& pdiNo)
{
    QList<PdiHata> out;
    Query q(db, QStringLiteral("SELECT D.SIRA_NO, D.HATA_YERI_KODU, Y.HATA_YERI_ADI, D.HATA_ADI_KODU, H.PDI_HATA_ADI "
                               "FROM PDIDET D LEFT JOIN PDIHYER Y ON Y.HATA_YERI_KODU = D.HATA_YERI_KODU "
                               "LEFT JOIN PDIHATAD H ON H.PDI_HATA_KODU = D.HATA_ADI_KODU "
                               "WHERE D.PDI_NO = :NO ORDER BY D.SIRA_NO"));
    q.bind(QStringLiteral("NO"), pdiNo).exec();
    while (q.next()) {
        PdiHata h;
        h.SIRA_NO = int(q.integer(QStringLiteral("SIRA_NO")));
        h.HATA_YERI_KODU = q.str(QStringLiteral("HATA_YERI_KODU")).trimmed();
        h.HATA_YERI_ADI = q.str(QStringLiteral("HATA_YERI_ADI")).trimmed();
        h.HATA_ADI_KODU = q.str(QStringLiteral("HATA_ADI_KODU")).trimmed();
        h.PDI_HATA_ADI = q.str(QStringLiteral("PDI_HATA_ADI")).trimmed();
        out << h;
    }
    return out;
}

} // namespace

QStringList PdiKolonlari()
{
    return {K("PDI_NO"),         K("TARIH"),       K("SASE_NO"),       K("MOTOR_NO"),   K("MODEL_KODU"),
            K("RENK_KODU"),      K("LASTIK_MARKASI"), K("AKU_MARKASI"), K("ANAHTAR_KNL_NO"), K("IMM_KNT_KOD"),
            K("TEYP_KOD"),       K("BIJON_SIFRE"), K("ONAY_VEREN"),    K("MODEL_SERISI"), K("AKTARILDI")};
}

QString PdiNoBicim(double yeniNo)
{
    return QStringLiteral("%1").arg(qint64(std::llround(yeniNo)), 6, 10, QLatin1Char('0'));
}

PdiKaydi PdiYeni(const Db& db)
{
    PdiKaydi k;
    k.row[K("PDI_NO")] = PdiNoBicim(double(TakeCounterNumber(db, QStringLiteral("NEWPDI"))));
    k.row[K("TARIH")] = QDateTime(ServerToday(db), QTime(0, 0));
    return k;
}

PdiKaydi PdiOku(const Db& db, const QString& pdiNo)
{
    PdiKaydi k;
    k.row = ReadRow(db, QStringLiteral("SELECT * FROM PDIMAST WHERE PDI_NO = :NO"), {{K("NO"), pdiNo}});
    if (!k.row.isEmpty())
        k.hatalar = hatalariOku(db, pdiNo);
    return k;
}

QString PdiIlk(const Db& db) { return tekDeger(db, QStringLiteral("SELECT MIN(PDI_NO) FROM PDIMAST"), {}); }
QString PdiSon(const Db& db) { return tekDeger(db, QStringLiteral("SELECT MAX(PDI_NO) FROM PDIMAST"), {}); }
QString PdiSonraki(const Db& db, const QString& pdiNo)
{
    return tekDeger(db, QStringLiteral("SELECT MIN(PDI_NO) FROM PDIMAST WHERE PDI_NO > :NO"), {{K("NO"), pdiNo}});
}
QString PdiOnceki(const Db& db, const QString& pdiNo)
{
    return tekDeger(db, QStringLiteral("SELECT MAX(PDI_NO) FROM PDIMAST WHERE PDI_NO < :NO"), {{K("NO"), pdiNo}});
}

void PdiSaseKontrol(const QString& sase)
{
    if (sase.size() != 17)
        throw IslemReddi(QStringLiteral("Şase 17 hane olmalı!"), MsgIcon::Warning);
    if (!IsUpperAlnumCode(sase))
        throw IslemReddi(QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."), MsgIcon::Warning);
}

bool PdiSaseVar(const Db& db, const QString& sase, const QString& haricPdiNo)
{
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM PDIMAST WHERE SASE_NO = :S AND PDI_NO <> :NO"));
    q.bind(QStringLiteral("S"), sase).bind(QStringLiteral("NO"), haricPdiNo).exec();
    q.next();
    return q.value(0).toLongLong() > 0;
}

int PdiYeniSiraNo(const QList<PdiHata>& hatalar)
{
    return hatalar.isEmpty() ? 1 : hatalar.last().SIRA_NO + 1;
}

void PdiKaydet(const Db& db, PdiKaydi& k, bool yeni)
{
    const QString sase = metin(k.row, "SASE_NO");
    PdiSaseKontrol(sase);
    const QString pdiNo = metin(k.row, "PDI_NO");
    for (const PdiHata& h : k.hatalar)
        if (h.HATA_YERI_KODU.isEmpty() || h.HATA_ADI_KODU.isEmpty())
            throw IslemReddi(QStringLiteral("Hata Yeri ve Hata Kodu Bilgisini Vermeden Kayıt Saklanamaz."),
                             MsgIcon::Warning);
    QVariantMap w = k.row;
    w[K("SASE_NO")] = sase;
    w[K("AKTARILDI")] = false;
    // The work-order number is written only by "İşemri Aç".
    QStringList kolonlar = PdiKolonlari();
    kolonlar.removeAll(K("MODEL_SERISI"));
    QVariantMap binds;
    for (const QString& c : kolonlar)
        binds.insert(c, bosIseNull(w.value(c)));
    Transaction tx(db);
    if (PdiSaseVar(db, sase, pdiNo))
        throw IslemReddi(QStringLiteral("Bu Aracın PDI ı var!"));
    if (yeni) {
        db.exec(InsertSql(QStringLiteral("PDIMAST"), kolonlar), binds);
    } else {
        kolonlar.removeAll(K("PDI_NO"));
        if (db.exec(QStringLiteral("UPDATE PDIMAST SET ") + AssignSql(kolonlar) + QStringLiteral(" WHERE PDI_NO = :PDI_NO"),
                    binds)
            != 1)
            throw IslemReddi(QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş."));
    }
    db.exec(QStringLiteral("DELETE FROM PDIDET WHERE PDI_NO = :NO"), {{K("NO"), pdiNo}});
    int sira = 0;
    for (PdiHata& h : k.hatalar) {
        h.SIRA_NO = ++sira;
        db.exec(QStringLiteral("INSERT INTO PDIDET (PDI_NO, SIRA_NO, HATA_YERI_KODU, HATA_ADI_KODU) "
                               "VALUES (:NO, :SIRA, :HY, :HA)"),
                {{K("NO"), pdiNo}, {K("SIRA"), sira}, {K("HY"), h.HATA_YERI_KODU}, {K("HA"), h.HATA_ADI_KODU}});
    }
    tx.commit();
    k.row = w;
}

void PdiSil(const Db& db, const QString& pdiNo)
{
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM PDIDET WHERE PDI_NO = :NO"), {{K("NO"), pdiNo}});
    db.exec(QStringLiteral("DELETE FROM PDIMAST WHERE PDI_NO = :NO"), {{K("NO"), pdiNo}});
    tx.commit();
}

QString PdiSaseAraSql(const Db& db, const QString& typed, QVariantMap& binds)
{
    // A chassis holds upper-case letters and digits only; a typed `%` stays a
    // wildcard, every other character is taken as it stands.
    const QString t = Dialect::turkishUpper(typed.trimmed());
    QString pattern;
    for (const QChar c : t) {
        if (c == QLatin1Char('%'))
            pattern += c;
        else
            pattern += Dialect::escapeLike(QString(c));
    }
    const int yuzde = t.indexOf(QLatin1Char('%'));
    const QString onEk = yuzde < 0 ? t : t.left(yuzde);
    binds.insert(K("SASE_NO"), pattern);
    QString sql = QStringLiteral("SELECT PDI_NO, SASE_NO, MODEL_KODU, RENK_KODU FROM PDIMAST WHERE SASE_NO LIKE :SASE_NO "
                                 "ESCAPE '\\'");
    if (!onEk.isEmpty())
        sql += QStringLiteral(" AND ") + PrefixCondition(db, K("SASE_NO"), onEk, K("ONEK"), binds);
    return sql + QStringLiteral(" ORDER BY SASE_NO");
}

QList<PdiSaseSonucu> PdiSaseAra(const Db& db, const QString& typed)
{
    QVariantMap binds;
    const QString sql = PdiSaseAraSql(db, typed, binds);
    QList<PdiSaseSonucu> out;
    Query q(db, sql);
    q.bindAll(binds).exec();
    // Read by position: the statement above fixes the columns' order.
    while (q.next())
        out << PdiSaseSonucu{q.value(0).toString().trimmed(), q.value(1).toString().trimmed(),
                             q.value(2).toString().trimmed(), q.value(3).toString().trimmed()};
    return out;
}

QString PdiModelAdi(const Db& db, const QString& model)
{
    return tekDeger(db, QStringLiteral("SELECT ARC_MODEL_ADI FROM MODEL WHERE ARC_MODEL_KODU = :K"), {{K("K"), model}});
}

QString PdiRenkAdi(const Db& db, const QString& renk)
{
    return tekDeger(db, QStringLiteral("SELECT ARC_RENK_ADI FROM RENK WHERE ARC_RENK_KODU = :K"), {{K("K"), renk}});
}

QString PdiHataYeriAdi(const Db& db, const QString& kod)
{
    return tekDeger(db, QStringLiteral("SELECT HATA_YERI_ADI FROM PDIHYER WHERE HATA_YERI_KODU = :K"), {{K("K"), kod}});
}

QString PdiHataAdi(const Db& db, const QString& kod)
{
    return tekDeger(db, QStringLiteral("SELECT PDI_HATA_ADI FROM PDIHATAD WHERE PDI_HATA_KODU = :K"), {{K("K"), kod}});
}

bool PdiAracBul(const Db& db, QVariantMap& row, PdiAracAlani alan, const QString& typed)
{
    // Only the field that has the focus is looked for; the other value is
    // one no vehicle has.
    const QString yok = QStringLiteral("\x01");
    const QString t = typed.trimmed();
    const QString sase = alan == PdiAracAlani::Sase && !t.isEmpty() ? t : yok;
    const QString motor = alan == PdiAracAlani::Motor && !t.isEmpty() ? t : yok;
    const QVariantMap a = ReadRow(db,
                                  QStringLiteral("SELECT SASE_NO, MOTOR_NO, ARC_MODEL_KODU, ARC_RENK_KODU FROM ARAC "
                                                 "WHERE (SASE_NO = :SasiNo) OR (MOTOR_NO = :MotorNosu)"),
                                  {{K("SasiNo"), sase}, {K("MotorNosu"), motor}});
    if (a.isEmpty()) {
        ShowWarning(QStringLiteral("Bu Araç Kayıtlı değil"));
        row[K("MODEL_KODU")] = QString();
        row[K("RENK_KODU")] = QString();
        return false;
    }
    row[K("MOTOR_NO")] = metin(a, "MOTOR_NO");
    row[K("SASE_NO")] = metin(a, "SASE_NO");
    row[K("MODEL_KODU")] = metin(a, "ARC_MODEL_KODU");
    row[K("RENK_KODU")] = metin(a, "ARC_RENK_KODU");
    return true;
}

QString PdiIsemriAc(const Db& db, const SessionContext& ctx, const QString& pdiNo,
                    const std::function<void()>& oncesiCommit)
{
    Transaction tx(db);
    const QVariantMap p = ReadRow(db, QStringLiteral("SELECT * FROM PDIMAST WHERE PDI_NO = :NO") + db.dialect().rowLockSuffix(),
                                  {{K("NO"), pdiNo}});
    if (p.isEmpty())
        throw IslemReddi(QStringLiteral("PDI kaydı bulunamadı."));
    const QString sase = metin(p, "SASE_NO");
    PdiSaseKontrol(sase);
    QString no = metin(p, "MODEL_SERISI");
    QVariantMap mevcut;
    if (!no.isEmpty())
        mevcut = ReadRow(db, QStringLiteral("SELECT IS_EMRI_NO, FYILI FROM ISEMRI WHERE IS_EMRI_NO = :NO") +
                                 db.dialect().rowLockSuffix(),
                         {{K("NO"), no}});
    const bool yeni = mevcut.isEmpty();
    if (yeni) {
        no = IsEmriNoAlHarfsiz(db);
        db.exec(QStringLiteral("UPDATE PDIMAST SET MODEL_SERISI = :IE, AKTARILDI = :A WHERE PDI_NO = :NO"),
                {{K("IE"), no}, {K("A"), false}, {K("NO"), pdiNo}});
    }
    const QDateTime bugun(ServerToday(db), QTime(0, 0));
    QVariantMap w;
    w[K("IE_TIP")] = QStringLiteral("P");
    w[K("SERVIS_KOD")] = ctx.UretBKod;
    w[K("IS_ENO")] = QStringLiteral("999");
    w[K("CARI_KOD")] = QStringLiteral("PDI");
    w[K("SASI_NO")] = sase;
    w[K("MOTOR_NO")] = bosIseNull(p.value(K("MOTOR_NO")));
    w[K("RENK_KOD")] = bosIseNull(p.value(K("RENK_KODU")));
    w[K("ARAC_GIRIS_TRH")] = p.value(K("TARIH"));
    w[K("ARAC_TESLIM_ALAN")] = bosIseNull(p.value(K("ONAY_VEREN")));
    w[K("ARAC_TIP")] = bosIseNull(p.value(K("MODEL_KODU")));
    w[K("ARAC_MODEL")] =
        bosIseNull(tekDeger(db, QStringLiteral("SELECT ARC_MODEL_TRH FROM ARAC WHERE SASE_NO = :sase"), {{K("sase"), sase}}));
    w[K("KM")] = 0.0;
    w[K("IPTAL")] = QStringLiteral("H");
    w[K("KAPANDI")] = QStringLiteral("H");
    w[K("TAHMINI_TES_TRH")] = bugun;
    // Each fault becomes a complaint; the columns after the last fault are
    // emptied, so that a fault removed since the last run leaves no trace.
    const QList<PdiHata> hatalar = hatalariOku(db, pdiNo);
    for (int i = 0; i < 10; ++i) {
        QVariant v;
        if (i < hatalar.size())
            v = hatalar.at(i).HATA_YERI_ADI + QLatin1Char(' ') + hatalar.at(i).PDI_HATA_ADI;
        else if (i == 0)
            v = QStringLiteral(" ");
        w[QStringLiteral("MUSTALIM_%1").arg(i + 1)] = v;
    }
    const int yil = ctx.CalismaYili.toInt();
    if (yeni) {
        w[K("IS_EMRI_NO")] = no;
        w[K("FYILI")] = yil;
        db.exec(InsertSql(QStringLiteral("ISEMRI"), w.keys()), w);
    } else {
        if (mevcut.value(K("FYILI")).toInt() == 0)
            w[K("FYILI")] = yil;
        const QStringList kolonlar = w.keys();
        w[K("IS_EMRI_NO")] = no;
        db.exec(QStringLiteral("UPDATE ISEMRI SET ") + AssignSql(kolonlar) + QStringLiteral(" WHERE IS_EMRI_NO = :IS_EMRI_NO"),
                w);
    }
    if (oncesiCommit)
        oncesiCommit();
    tx.commit();
    return no;
}

} // namespace tornaly::workshop
