#include "aftersales/claims/Claims.h"
#include "aftersales/claims/ClaimNo.h"

#include "messages/Messages.h"
#include "sql/SqlHelpers.h"
#include "util/FormHelpers.h"

namespace tornaly::aftersales {
namespace {

const QStringList& headerColumns()
{
    static const QStringList cols = {
        QStringLiteral("CL_SAYFA"),      QStringLiteral("CL_ISEMRI"),     QStringLiteral("CL_TAMIRTRH"),
        QStringLiteral("CL_TESLIMTRH"),  QStringLiteral("CL_SASE"),       QStringLiteral("CL_CARI"),
        QStringLiteral("CL_PLAKA"),      QStringLiteral("CL_KM"),         QStringLiteral("CL_ARACTIP"),
        QStringLiteral("CL_MOTOR"),      QStringLiteral("CL_GARTIP"),     QStringLiteral("CL_BASTRH"),
        QStringLiteral("CL_BASSAAT"),    QStringLiteral("CL_BITTRH"),     QStringLiteral("CL_BITSAAT"),
        QStringLiteral("CL_ACIKLA"),     QStringLiteral("CL_OZELNOT"),    QStringLiteral("CL_ONAY"),
        QStringLiteral("CL_MER_ONAY"),   QStringLiteral("CL_AKTARILDI"),  QStringLiteral("CL_FATURA"),
        QStringLiteral("CL_DURUM"),      QStringLiteral("CL_GONTRH"),     QStringLiteral("CL_DONUSTRH"),
        QStringLiteral("CL_DONUSNOT"),   QStringLiteral("CL_DONUSKOD"),   QStringLiteral("CL_ONAYTIP1"),
        QStringLiteral("CL_ONAYTIP2"),   QStringLiteral("CL_ONAYKOD"),    QStringLiteral("CL_HARICITIP1"),
        QStringLiteral("CL_HARICITIP2"), QStringLiteral("CL_NKOD"),       QStringLiteral("CL_CKOD"),
        QStringLiteral("CL_TG"),         QStringLiteral("CL_KAMPNO"),     QStringLiteral("CL_ZIYARET"),
        QStringLiteral("CL_YPNO"),       QStringLiteral("CL_YPOOTRH"),    QStringLiteral("CL_YPOKM"),
        QStringLiteral("CL_YPOIE"),      QStringLiteral("CL_YPFIRKOD"),   QStringLiteral("CL_YPFIRMA"),
        QStringLiteral("CL_YP"),         QStringLiteral("CL_PERKOD"),     QStringLiteral("CL_MUDKOD"),
        QStringLiteral("CL_SIKAYETKOD"), QStringLiteral("CL_GERNDNKOD"),  QStringLiteral("CL_DISSNO"),
        QStringLiteral("CL_TPLISSURE"),  QStringLiteral("CL_TPLISCILIK"), QStringLiteral("CL_TPLNORISC"),
        QStringLiteral("CL_TPLHARICI"),  QStringLiteral("CL_TPLPARCA"),
    };
    return cols;
}

// An empty text is stored as no value, so that required columns refuse it.
QVariant stored(const QVariant& v)
{
    if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
        return {};
    return v;
}

// Dates of the work order count only when they are past the first day of the date scale.
QVariant realDate(const QVariant& v)
{
    const QDateTime d = Query::toDateTime(v);
    if (!d.isValid() || d.date() <= QDate(1899, 12, 31))
        return {};
    return d;
}

QVariantMap noBind(double no) { return {{QStringLiteral("NO"), no}}; }

void writeChildren(const Db& db, double no, const Claim& c, const std::function<void(const QString&)>& adim)
{
    const auto step = [&](const char* table) {
        if (adim)
            adim(QString::fromLatin1(table));
    };
    for (const ClaimHata& h : c.hatalar)
        db.exec(QStringLiteral("INSERT INTO CLAIMD (CD_CLAIMNO, CD_SIRANO, CD_HATAKOD, CD_IMALATCI, CD_ISLEMTIP, "
                               "CD_HATAACIK, CD_TAMIRKOD, CD_ONARKOD, CD_TPLISCILIK, CD_TPLPARCA) VALUES "
                               "(:NO, :SIRA, :HATA, :IMAL, :ISLEM, :ACIK, :TAMIR, :ONAR, :TISC, :TPRC)"),
                {{QStringLiteral("NO"), no},
                 {QStringLiteral("SIRA"), h.CD_SIRANO},
                 {QStringLiteral("HATA"), stored(h.CD_HATAKOD)},
                 {QStringLiteral("IMAL"), stored(h.CD_IMALATCI)},
                 {QStringLiteral("ISLEM"), stored(h.CD_ISLEMTIP)},
                 {QStringLiteral("ACIK"), stored(h.CD_HATAACIK)},
                 {QStringLiteral("TAMIR"), stored(h.CD_TAMIRKOD)},
                 {QStringLiteral("ONAR"), stored(h.CD_ONARKOD)},
                 {QStringLiteral("TISC"), h.CD_TPLISCILIK},
                 {QStringLiteral("TPRC"), h.CD_TPLPARCA}});
    step("CLAIMD");
    for (const ClaimIscilik& r : c.iscilik)
        db.exec(QStringLiteral("INSERT INTO CLAIMDI (CS_CLAIMNO, CS_SIRANO, CS_ISCILIK, CS_MIKTAR, CS_SURE, CS_FIYAT, "
                               "CS_ISKONTO, CS_REFSIRA, CS_HARICI, CS_HARICIKOD, CS_BOYAKOD, CS_STATU) VALUES "
                               "(:NO, :SIRA, :ISC, :MIK, :SURE, :FYT, :ISK, :REF, :HAR, :HARKOD, :BOYA, :STATU)"),
                {{QStringLiteral("NO"), no},
                 {QStringLiteral("SIRA"), r.CS_SIRANO},
                 {QStringLiteral("ISC"), stored(r.CS_ISCILIK)},
                 {QStringLiteral("MIK"), r.CS_MIKTAR},
                 {QStringLiteral("SURE"), r.CS_SURE},
                 {QStringLiteral("FYT"), r.CS_FIYAT},
                 {QStringLiteral("ISK"), r.CS_ISKONTO},
                 {QStringLiteral("REF"), r.CS_REFSIRA},
                 {QStringLiteral("HAR"), stored(r.CS_HARICI)},
                 {QStringLiteral("HARKOD"), stored(r.CS_HARICIKOD)},
                 {QStringLiteral("BOYA"), stored(r.CS_BOYAKOD)},
                 {QStringLiteral("STATU"), r.CS_STATU ? QVariant(r.CS_STATU) : QVariant()}});
    step("CLAIMDI");
    for (const ClaimParca& r : c.parcalar)
        db.exec(QStringLiteral("INSERT INTO CLAIMDP (CS_CLAIMNO, CS_SIRANO, CS_PARCA, CS_MIKTAR, CS_FIYAT, CS_ISKONTO, "
                               "CS_REFSIRA, CS_VERILEN, CS_METCOST, CS_STATU) VALUES "
                               "(:NO, :SIRA, :PARCA, :MIK, :FYT, :ISK, :REF, :VER, :MET, :STATU)"),
                {{QStringLiteral("NO"), no},
                 {QStringLiteral("SIRA"), r.CS_SIRANO},
                 {QStringLiteral("PARCA"), stored(r.CS_PARCA)},
                 {QStringLiteral("MIK"), r.CS_MIKTAR},
                 {QStringLiteral("FYT"), r.CS_FIYAT},
                 {QStringLiteral("ISK"), r.CS_ISKONTO},
                 {QStringLiteral("REF"), r.CS_REFSIRA},
                 {QStringLiteral("VER"), r.CS_VERILEN},
                 {QStringLiteral("MET"), r.CS_METCOST},
                 {QStringLiteral("STATU"), r.CS_STATU ? QVariant(r.CS_STATU) : QVariant()}});
    step("CLAIMDP");
}

void deleteChildren(const Db& db, double no)
{
    db.exec(QStringLiteral("DELETE FROM CLAIMDP WHERE CS_CLAIMNO = :NO"), noBind(no));
    db.exec(QStringLiteral("DELETE FROM CLAIMDI WHERE CS_CLAIMNO = :NO"), noBind(no));
    db.exec(QStringLiteral("DELETE FROM CLAIMD WHERE CD_CLAIMNO = :NO"), noBind(no));
}

// Lines whose claim rows are gone become free; lines the claim still holds carry its number.
void restamp(const Db& db, double no, const QString& isemri)
{
    const QVariantMap b{{QStringLiteral("NO"), no}, {QStringLiteral("IE"), isemri}};
    db.exec(QStringLiteral("UPDATE ISEAYRIN SET CLAIMNO = NULL WHERE CLAIMNO = :NO AND ISEMRI_NO = :IE"), b);
    db.exec(QStringLiteral("UPDATE ISCILIK SET CLAIMNO = NULL WHERE CLAIMNO = :NO AND ISEMRI_NO = :IE"), b);
    db.exec(QStringLiteral("UPDATE ISEAYRIN SET CLAIMNO = :NO WHERE ISEMRI_NO = :IE AND SIRANO IN "
                           "(SELECT CS_REFSIRA FROM CLAIMDP WHERE CS_CLAIMNO = :NO)"),
            b);
    db.exec(QStringLiteral("UPDATE ISCILIK SET CLAIMNO = :NO WHERE ISEMRI_NO = :IE AND SIRANO IN "
                           "(SELECT CS_REFSIRA FROM CLAIMDI WHERE CS_CLAIMNO = :NO)"),
            b);
}

QVariantMap headerBinds(const Claim& c, double no)
{
    QVariantMap b;
    for (const QString& col : headerColumns())
        b.insert(col, stored(c.m.value(col)));
    b.insert(QStringLiteral("CL_CLAIMNO"), no);
    return b;
}

void insertHeader(const Db& db, const Claim& c, double no)
{
    QStringList cols = headerColumns();
    cols.prepend(QStringLiteral("CL_CLAIMNO"));
    QStringList params;
    for (const QString& col : cols)
        params << QLatin1Char(':') + col;
    db.exec(QStringLiteral("INSERT INTO CLAIMM (%1) VALUES (%2)").arg(cols.join(QLatin1String(", ")), params.join(QLatin1String(", "))),
            headerBinds(c, no));
}

void updateHeader(const Db& db, Claim& c, double no)
{
    // The invoice owns CL_FATURA: the stored mark, read under the row lock,
    // stands, and an invoiced claim keeps its transfer mark.
    Query q(db, QStringLiteral("SELECT CL_FATURA, CL_AKTARILDI FROM CLAIMM WHERE CL_CLAIMNO = :N") +
                    db.dialect().rowLockSuffix());
    q.bind(QStringLiteral("N"), no).exec();
    if (!q.next())
        throw DbError(DbError::Kind::Other, QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş."));
    c.m[QStringLiteral("CL_FATURA")] = q.value(QStringLiteral("CL_FATURA"));
    if (c.faturali())
        c.m[QStringLiteral("CL_AKTARILDI")] = q.value(QStringLiteral("CL_AKTARILDI"));
    q.finish();
    QStringList sets;
    for (const QString& col : headerColumns())
        sets << col + QLatin1String(" = :") + col;
    const int n = db.exec(QStringLiteral("UPDATE CLAIMM SET %1 WHERE CL_CLAIMNO = :CL_CLAIMNO").arg(sets.join(QLatin1String(", "))),
                          headerBinds(c, no));
    if (n != 1)
        throw DbError(DbError::Kind::Other, QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş."));
}

} // namespace

QVariant Deger(const Db& db, const QString& statement, const QVariantMap& binds, const QVariant& def)
{
    Query q(db, statement);
    q.bindAll(binds).exec();
    if (!q.next())
        return def;
    const QVariant v = q.value(0);
    return v.isNull() ? def : v;
}

double Claim::tplAra() const
{
    return m.value(QStringLiteral("CL_TPLPARCA")).toDouble() + m.value(QStringLiteral("CL_TPLISCILIK")).toDouble();
}

void BostakiKalemler(const SessionContext& ctx, const Db& db, const QString& isemri, int fyili, int hataSira,
                     int statu, std::vector<ClaimIscilik>& iscilik, std::vector<ClaimParca>& parcalar)
{
    const QVariantMap b{{QStringLiteral("IE"), isemri}, {QStringLiteral("YIL"), fyili}};
    Query qp(db, QStringLiteral("SELECT STOK_KOD_NO, YEDEK_P_ADI, STOK_MIKTAR, STOK_FIYATI, STOK_NO, SIRANO FROM ISEAYRIN "
                                "WHERE ISEMRI_NO = :IE AND FYILI = :YIL AND GARANTI_TIPI IN ('G', 'I') "
                                "AND CLAIMNO IS NULL ORDER BY SIRANO"));
    qp.bindAll(b).exec();
    while (qp.next()) {
        ClaimParca r;
        r.CS_SIRANO = hataSira;
        r.CS_PARCA = qp.str(QStringLiteral("STOK_KOD_NO"));
        r.CS_MIKTAR = qp.num(QStringLiteral("STOK_MIKTAR"));
        r.CS_FIYAT = qp.num(QStringLiteral("STOK_FIYATI"));
        r.CS_ISKONTO = ctx.ClaimPrcIsk;
        r.CS_REFSIRA = int(qp.integer(QStringLiteral("SIRANO")));
        r.CS_STATU = statu;
        parcalar.push_back(r);
    }
    Query qi(db, QStringLiteral("SELECT ARIZA_KODU, ARIZA_ADI, ISCILIK_B_FIYATI, SURE, QTY, A_T, SIRANO FROM ISCILIK "
                                "WHERE ISEMRI_NO = :IE AND FYILI = :YIL AND GARANTI_TIPI IN ('G', 'I') "
                                "AND CLAIMNO IS NULL ORDER BY SIRANO"));
    qi.bindAll(b).exec();
    while (qi.next()) {
        ClaimIscilik r;
        r.CS_SIRANO = hataSira;
        r.CS_ISCILIK = qi.str(QStringLiteral("ARIZA_KODU"));
        r.CS_MIKTAR = qi.num(QStringLiteral("QTY"));
        r.CS_SURE = qi.num(QStringLiteral("SURE"));
        r.CS_FIYAT = qi.num(QStringLiteral("ISCILIK_B_FIYATI"));
        r.CS_ISKONTO = ctx.ClaimIscIsk;
        r.CS_REFSIRA = int(qi.integer(QStringLiteral("SIRANO")));
        r.CS_STATU = statu;
        iscilik.push_back(r);
    }
}

int BostakiKalemSayisi(const Db& db, const QString& isemri)
{
    const QVariantMap b{{QStringLiteral("IE"), isemri}};
    return Deger(db, QStringLiteral("SELECT COUNT(*) FROM ISCILIK WHERE ISEMRI_NO = :IE AND GARANTI_TIPI IN ('G', 'I') "
                                        "AND CLAIMNO IS NULL"), b).toInt()
        + Deger(db, QStringLiteral("SELECT COUNT(*) FROM ISEAYRIN WHERE ISEMRI_NO = :IE AND GARANTI_TIPI IN ('G', 'I') "
                                       "AND CLAIMNO IS NULL"), b).toInt();
}

std::optional<Claim> ClaimYeni(const SessionContext& ctx, const Db& db, const QString& isemri)
{
    Query q(db, QStringLiteral("SELECT FYILI, ARAC_GIRIS_TRH, TESLIM_TRH, TAHMINI_TES_TRH, ARAC_GIRIS_SAAT, TAH_TES_SAAT, "
                               "SASI_NO, MOTOR_NO, CARI_KOD, PLAKA_NO, KM FROM ISEMRI WHERE IS_EMRI_NO = :IE"));
    q.bind(QStringLiteral("IE"), isemri).exec();
    Claim c;
    const bool found = q.next();
    if (found) {
        c.fyili = int(q.integer(QStringLiteral("FYILI")));
        BostakiKalemler(ctx, db, isemri, c.fyili, 1, 0, c.iscilik, c.parcalar);
    }
    if (c.iscilik.empty() && c.parcalar.empty()) {
        ShowWarning(isemri + QLatin1Char(' ') + QStringLiteral("Garantiye ait işçilik/parça bulunamadı!"));
        return std::nullopt;
    }
    auto& m = c.m;
    m[QStringLiteral("CL_ONAY")] = QStringLiteral("H");
    m[QStringLiteral("CL_MER_ONAY")] = QStringLiteral("H");
    m[QStringLiteral("CL_FATURA")] = QStringLiteral("H");
    m[QStringLiteral("CL_AKTARILDI")] = 0;
    m[QStringLiteral("CL_SAYFA")] = 1;
    m[QStringLiteral("CL_ISEMRI")] = isemri;
    m[QStringLiteral("CL_TAMIRTRH")] = realDate(q.value(QStringLiteral("ARAC_GIRIS_TRH")));
    m[QStringLiteral("CL_BASTRH")] = realDate(q.value(QStringLiteral("ARAC_GIRIS_TRH")));
    m[QStringLiteral("CL_TESLIMTRH")] = realDate(q.value(QStringLiteral("TESLIM_TRH")));
    m[QStringLiteral("CL_BITTRH")] = realDate(q.value(QStringLiteral("TAHMINI_TES_TRH")));
    m[QStringLiteral("CL_BASSAAT")] = q.value(QStringLiteral("ARAC_GIRIS_SAAT"));
    m[QStringLiteral("CL_BITSAAT")] = q.value(QStringLiteral("TAH_TES_SAAT"));
    m[QStringLiteral("CL_SASE")] = q.str(QStringLiteral("SASI_NO"));
    m[QStringLiteral("CL_MOTOR")] = q.str(QStringLiteral("MOTOR_NO"));
    m[QStringLiteral("CL_CARI")] = q.str(QStringLiteral("CARI_KOD"));
    m[QStringLiteral("CL_PLAKA")] = q.str(QStringLiteral("PLAKA_NO"));
    m[QStringLiteral("CL_KM")] = q.value(QStringLiteral("KM"));
    c.hatalar.push_back(ClaimHata{});
    ClaimToplamHesapla(c, false);
    return c;
}

bool ClaimBostakiEkle(const SessionContext& ctx, const Db& db, Claim& c)
{
    // A claim opened from the list knows no working year: the work order has it.
    const int fyili = Deger(db, QStringLiteral("SELECT FYILI FROM ISEMRI WHERE IS_EMRI_NO = :IE"),
                                QVariantMap{{QStringLiteral("IE"), c.isemri()}}, 0).toInt();
    if (c.hatalar.empty())
        c.hatalar.push_back(ClaimHata{});
    const int sira = c.hatalar.front().CD_SIRANO;
    const size_t before = c.iscilik.size() + c.parcalar.size();
    BostakiKalemler(ctx, db, c.isemri(), fyili, sira, 1, c.iscilik, c.parcalar);
    if (c.iscilik.size() + c.parcalar.size() == before) {
        ShowWarning(c.isemri() + QLatin1Char(' ') + QStringLiteral("Garantiye ait işçilik/parça bulunamadı!"));
        return false;
    }
    ClaimToplamHesapla(c, false);
    return true;
}

void ClaimToplamHesapla(Claim& c, bool saklarken)
{
    double iscilik = 0, normal = 0, harici = 0, sure = 0, parca = 0;
    for (ClaimIscilik& r : c.iscilik) {
        const double t = r.tutar();
        iscilik += t;
        (r.CS_HARICI.trimmed().isEmpty() ? normal : harici) += t;
        sure += r.CS_MIKTAR * r.CS_SURE;
        if (saklarken)
            r.CS_STATU = 0;
    }
    for (ClaimParca& r : c.parcalar) {
        parca += r.tutar();
        if (saklarken)
            r.CS_STATU = 0;
    }
    c.m[QStringLiteral("CL_TPLISCILIK")] = iscilik;
    c.m[QStringLiteral("CL_TPLNORISC")] = normal;
    c.m[QStringLiteral("CL_TPLHARICI")] = harici;
    c.m[QStringLiteral("CL_TPLISSURE")] = sure;
    c.m[QStringLiteral("CL_TPLPARCA")] = parca;
}

std::optional<Claim> ClaimOku(const Db& db, double claimNo)
{
    Query q(db, QStringLiteral("SELECT * FROM CLAIMM WHERE CL_CLAIMNO = :NO"));
    q.bind(QStringLiteral("NO"), claimNo).exec();
    if (!q.next())
        return std::nullopt;
    Claim c;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        c.m.insert(rec.fieldName(i).toUpper(), rec.value(i));
    c.m[QStringLiteral("CL_CLAIMNO")] = claimNo;
    c.fyili = Deger(db, QStringLiteral("SELECT FYILI FROM ISEMRI WHERE IS_EMRI_NO = :IE"),
                        QVariantMap{{QStringLiteral("IE"), c.isemri()}}, 0).toInt();

    Query h(db, QStringLiteral("SELECT * FROM CLAIMD WHERE CD_CLAIMNO = :NO ORDER BY CD_SIRANO"));
    h.bind(QStringLiteral("NO"), claimNo).exec();
    while (h.next()) {
        ClaimHata r;
        r.CD_SIRANO = int(h.integer(QStringLiteral("CD_SIRANO")));
        r.CD_HATAKOD = h.str(QStringLiteral("CD_HATAKOD"));
        r.CD_IMALATCI = h.str(QStringLiteral("CD_IMALATCI"));
        r.CD_ISLEMTIP = h.str(QStringLiteral("CD_ISLEMTIP"));
        r.CD_HATAACIK = h.str(QStringLiteral("CD_HATAACIK"));
        r.CD_TAMIRKOD = h.str(QStringLiteral("CD_TAMIRKOD"));
        r.CD_ONARKOD = h.str(QStringLiteral("CD_ONARKOD"));
        r.CD_TPLISCILIK = h.value(QStringLiteral("CD_TPLISCILIK"));
        r.CD_TPLPARCA = h.value(QStringLiteral("CD_TPLPARCA"));
        c.hatalar.push_back(r);
    }
    Query i(db, QStringLiteral("SELECT * FROM CLAIMDI WHERE CS_CLAIMNO = :NO ORDER BY CS_SIRANO, CS_REFSIRA"));
    i.bind(QStringLiteral("NO"), claimNo).exec();
    while (i.next()) {
        ClaimIscilik r;
        r.CS_SIRANO = int(i.integer(QStringLiteral("CS_SIRANO")));
        r.CS_ISCILIK = i.str(QStringLiteral("CS_ISCILIK"));
        r.CS_MIKTAR = i.num(QStringLiteral("CS_MIKTAR"));
        r.CS_SURE = i.num(QStringLiteral("CS_SURE"));
        r.CS_FIYAT = i.num(QStringLiteral("CS_FIYAT"));
        r.CS_ISKONTO = i.num(QStringLiteral("CS_ISKONTO"));
        r.CS_REFSIRA = int(i.integer(QStringLiteral("CS_REFSIRA")));
        r.CS_HARICI = i.str(QStringLiteral("CS_HARICI"));
        r.CS_HARICIKOD = i.str(QStringLiteral("CS_HARICIKOD"));
        r.CS_BOYAKOD = i.str(QStringLiteral("CS_BOYAKOD"));
        r.CS_STATU = int(i.integer(QStringLiteral("CS_STATU")));
        c.iscilik.push_back(r);
    }
    Query p(db, QStringLiteral("SELECT * FROM CLAIMDP WHERE CS_CLAIMNO = :NO ORDER BY CS_SIRANO, CS_REFSIRA"));
    p.bind(QStringLiteral("NO"), claimNo).exec();
    while (p.next()) {
        ClaimParca r;
        r.CS_SIRANO = int(p.integer(QStringLiteral("CS_SIRANO")));
        r.CS_PARCA = p.str(QStringLiteral("CS_PARCA"));
        r.CS_MIKTAR = p.num(QStringLiteral("CS_MIKTAR"));
        r.CS_FIYAT = p.num(QStringLiteral("CS_FIYAT"));
        r.CS_ISKONTO = p.num(QStringLiteral("CS_ISKONTO"));
        r.CS_REFSIRA = int(p.integer(QStringLiteral("CS_REFSIRA")));
        r.CS_VERILEN = p.value(QStringLiteral("CS_VERILEN"));
        r.CS_METCOST = p.value(QStringLiteral("CS_METCOST"));
        r.CS_STATU = int(p.integer(QStringLiteral("CS_STATU")));
        c.parcalar.push_back(r);
    }
    return c;
}

bool ClaimSakla(const SessionContext& ctx, const Db& db, Claim& c, const std::function<void(const QString&)>& adim)
{
    Claim work = c;
    ClaimToplamHesapla(work, true);
    if (work.m.value(QStringLiteral("CL_MER_ONAY")).toString() != QLatin1String("E") && !work.faturali())
        work.m[QStringLiteral("CL_AKTARILDI")] = 0; // the centre must receive it again
    Transaction tx(db);
    const auto write = [&](double no, bool isNew) {
        if (isNew)
            insertHeader(db, work, no);
        else
            updateHeader(db, work, no);
        if (adim)
            adim(QStringLiteral("CLAIMM"));
        deleteChildren(db, no);
        writeChildren(db, no, work, adim);
    };
    double no = work.no();
    if (work.stored())
        write(no, false);
    else
        no = StoreWithNewClaimNo(ctx, db, [&](double n) { write(n, true); });
    restamp(db, no, work.isemri());
    const QString cari = work.m.value(QStringLiteral("CL_CARI")).toString().trimmed();
    if (!cari.isEmpty())
        db.exec(QStringLiteral("UPDATE CARI SET AKTARILDI = 0 WHERE CARI_KOD = :CL_CARI"),
                {{QStringLiteral("CL_CARI"), cari}});
    tx.commit();
    work.m[QStringLiteral("CL_CLAIMNO")] = no;
    c = work;
    return true;
}

QVariantMap ClaimCariBilgi(const Db& db, const QString& cariKod)
{
    QVariantMap r;
    if (cariKod.trimmed().isEmpty())
        return r;
    Query q(db, QStringLiteral("SELECT FIRMA_ADI, ADRES_1, ADRES_2, TEL1, SEMT, ILI FROM CARI WHERE CARI_KOD = :K"));
    q.bind(QStringLiteral("K"), cariKod.trimmed()).exec();
    if (q.next())
        for (const char* c : {"FIRMA_ADI", "ADRES_1", "ADRES_2", "TEL1", "SEMT", "ILI"})
            r.insert(QString::fromLatin1(c), q.str(QString::fromLatin1(c)).trimmed());
    return r;
}

QList<QPair<QString, QString>> ClaimIslemTipleri(const Db& db)
{
    QList<QPair<QString, QString>> out;
    Query q(db, QStringLiteral("SELECT CH_KOD, CH_AD FROM CLHATTIP ORDER BY CH_KOD"));
    q.exec();
    while (q.next())
        out << qMakePair(q.str(QStringLiteral("CH_KOD")).trimmed(), q.str(QStringLiteral("CH_AD")).trimmed());
    return out;
}

bool ClaimDurumVer(const SessionContext& ctx, const Db& db, Claim& c, const QString& durum)
{
    if (c.faturali())
        return false;
    Claim work = c;
    work.m[QStringLiteral("CL_DURUM")] = durum;
    if (!ClaimSakla(ctx, db, work))
        return false;
    c = work;
    return true;
}

bool ClaimSil(const Db& db, double claimNo, const QString& faturaMesaj)
{
    const QVariantMap b = noBind(claimNo);
    if (Deger(db, QStringLiteral("SELECT CL_FATURA FROM CLAIMM WHERE CL_CLAIMNO = :NO"), b).toString()
        == QLatin1String("E")) {
        ShowErrorBox(faturaMesaj);
        return false;
    }
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return false;
    Transaction tx(db);
    const QString isemri = Deger(db, QStringLiteral("SELECT CL_ISEMRI FROM CLAIMM WHERE CL_CLAIMNO = :NO"), b).toString();
    deleteChildren(db, claimNo);
    db.exec(QStringLiteral("DELETE FROM CLAIMM WHERE CL_CLAIMNO = :NO"), b);
    const QVariantMap bi{{QStringLiteral("NO"), claimNo}, {QStringLiteral("IE"), isemri}};
    db.exec(QStringLiteral("UPDATE ISEAYRIN SET CLAIMNO = NULL WHERE CLAIMNO = :NO AND ISEMRI_NO = :IE"), bi);
    db.exec(QStringLiteral("UPDATE ISCILIK SET CLAIMNO = NULL WHERE CLAIMNO = :NO AND ISEMRI_NO = :IE"), bi);
    tx.commit();
    return true;
}

QString ClaimNoDegistirEngel(const Claim& c)
{
    if (!c.m.value(QStringLiteral("CL_DURUM")).toString().trimmed().isEmpty())
        return QStringLiteral("Merkeze Gönderilmiş Talep No Değiştirilemez");
    for (const char* col : {"CL_ONAY", "CL_MER_ONAY", "CL_FATURA"})
        if (c.m.value(QString::fromLatin1(col)).toString() == QLatin1String("E"))
            return QStringLiteral("Onaylanmış yada Faturalanmış Talep No Değiştirilemez");
    return {};
}

bool ClaimNoDegis(const Db& db, double eskiNo, double yeniNo, const std::function<void(int)>& adim)
{
    if (!(yeniNo > 0))
        return false;
    if (Deger(db, QStringLiteral("SELECT COUNT(*) FROM CLAIMM WHERE CL_CLAIMNO = :NO"), noBind(yeniNo)).toInt() != 0) {
        ShowError(QStringLiteral("Verilen Nolu Claim Mevcut!,Lütfen Yeni bir tane giriniz."));
        return false;
    }
    const QVariantMap b{{QStringLiteral("ESKINO"), eskiNo}, {QStringLiteral("YENINO"), yeniNo}};
    // Child rows left under the new number without a claim header go first;
    // the work order's lines follow the claim, so a later delete frees them.
    const QStringList batch = {
        QStringLiteral("DELETE FROM CLAIMDP WHERE CS_CLAIMNO = :YENINO"),
        QStringLiteral("DELETE FROM CLAIMDI WHERE CS_CLAIMNO = :YENINO"),
        QStringLiteral("DELETE FROM CLAIMD WHERE CD_CLAIMNO = :YENINO"),
        QStringLiteral("UPDATE CLAIMDP SET CS_CLAIMNO = :YENINO WHERE CS_CLAIMNO = :ESKINO"),
        QStringLiteral("UPDATE CLAIMDI SET CS_CLAIMNO = :YENINO WHERE CS_CLAIMNO = :ESKINO"),
        QStringLiteral("UPDATE CLAIMD SET CD_CLAIMNO = :YENINO WHERE CD_CLAIMNO = :ESKINO"),
        QStringLiteral("UPDATE ISEAYRIN SET CLAIMNO = :YENINO WHERE CLAIMNO = :ESKINO"),
        QStringLiteral("UPDATE ISCILIK SET CLAIMNO = :YENINO WHERE CLAIMNO = :ESKINO"),
        QStringLiteral("UPDATE CLAIMM SET CL_CLAIMNO = :YENINO, CL_AKTARILDI = 0 WHERE CL_CLAIMNO = :ESKINO"),
    };
    Transaction tx(db);
    for (int i = 0; i < batch.size(); ++i) {
        QVariantMap used;
        for (const QString& name : Query::placeholderNames(batch[i]))
            used.insert(name, b.value(name));
        db.exec(batch[i], used);
        if (adim)
            adim(i);
    }
    tx.commit();
    return true;
}

} // namespace tornaly::aftersales
