#include "workshop/common/RowValues.h"
#include "workshop/dispositions/IsEmriSatirlari.h"

#include "context/SessionContext.h"
#include "db/BatchInsert.h"
#include "db/DbError.h"
#include "messages/Messages.h"
#include "services/KurBul.h"
#include "sql/SqlHelpers.h"
#include "stock/ledger/DepoHrk.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace tornaly::workshop {

namespace {
using rowvals::K;

bool tarihKolonu(const QString& c)
{
    return c == QLatin1String("TESLIM_TRH") || c == QLatin1String("INS_DATE") || c == QLatin1String("UPD_DATE")
           || c == QLatin1String("ARAC_GIRIS_TRH") || c == QLatin1String("TAHMINI_TES_TRH")
           || c == QLatin1String("TAH_TES_SAAT") || c == QLatin1String("ARAC_GIRIS_SAAT")
           || c == QLatin1String("TTT") || c == QLatin1String("ARIZA_BTRH") || c == QLatin1String("GARANTI_BITIS")
           || c == QLatin1String("CIKIS_TRH");
}

} // namespace

QVariantMap SatirOku(const Query& q)
{
    QVariantMap r;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        const QString c = rec.fieldName(i).toUpper();
        QVariant v = q.value(i);
        if (tarihKolonu(c) && !v.isNull())
            v = Query::toDateTime(v);
        r.insert(c, v);
    }
    return r;
}

QString KayitHataMetni(const std::exception& e)
{
    if (const auto* d = dynamic_cast<const DbError*>(&e))
        return QStringLiteral("Hata:") + d->text();
    return QStringLiteral("Hata:") + QString::fromUtf8(e.what());
}

namespace {

QList<QVariantMap> satirlarOku(const Db& db, const QString& tablo, const QString& no, int fyili)
{
    Query q(db, QStringLiteral("SELECT * FROM %1 WHERE ISEMRI_NO = :NO AND FYILI = :Y ORDER BY SIRANO").arg(tablo));
    q.bind(QStringLiteral("NO"), no).bind(QStringLiteral("Y"), fyili).exec();
    QList<QVariantMap> out;
    while (q.next())
        out << SatirOku(q);
    return out;
}

// Columns of a line table, upper case, in table order; read once per backend.
QStringList kolonlar(const Db& db, const QString& tablo)
{
    static QHash<QString, QStringList> cache;
    const QString key = tablo + QString::number(int(db.backend()));
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    Query q(db, QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(tablo));
    q.exec();
    QStringList cols;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        cols << rec.fieldName(i).toUpper();
    cache.insert(key, cols);
    return cols;
}

bool bos(const QVariant& v) { return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()); }

bool ayni(const QVariant& a, const QVariant& b)
{
    if (bos(a) || bos(b))
        return bos(a) && bos(b);
    bool okA = false, okB = false;
    const double da = a.toDouble(&okA), dbl = b.toDouble(&okB);
    if (okA && okB && a.typeId() != QMetaType::QString && b.typeId() != QMetaType::QString)
        return da == dbl;
    if (a.typeId() == QMetaType::QDateTime || b.typeId() == QMetaType::QDateTime)
        return Query::toDateTime(a) == Query::toDateTime(b);
    return a.toString() == b.toString();
}

void satirlariUygula(const Db& db, const QString& tablo, const QString& no, int fyili,
                     const QList<QVariantMap>& yuklenen, const QList<QVariantMap>& guncel)
{
    const QStringList cols = kolonlar(db, tablo);
    QHash<int, const QVariantMap*> eski;
    for (const auto& r : yuklenen)
        eski.insert(r.value(K("SIRANO")).toInt(), &r);
    QSet<int> kalan;
    QList<const QVariantMap*> yeniler;
    // The invoice and the claim own their marks on a line: a copy never writes them back.
    QStringList yazilan;
    for (const QString& c : cols)
        if (c != QLatin1String("FATURANO") && c != QLatin1String("CLAIMNO"))
            yazilan << c;
    QStringList sets;
    for (const QString& c : yazilan)
        sets << QStringLiteral("%1 = :%1").arg(c);
    const QString upd = QStringLiteral("UPDATE %1 SET %2 WHERE ISEMRI_NO = :K_NO AND FYILI = :K_Y AND SIRANO = :K_S")
                            .arg(tablo, sets.join(QStringLiteral(", ")));
    for (const auto& r : guncel) {
        const int s = r.value(K("SIRANO")).toInt();
        kalan.insert(s);
        const QVariantMap* e = eski.value(s);
        if (!e) {
            yeniler << &r;
            continue;
        }
        bool degisti = false;
        for (const QString& c : cols)
            if (!ayni(e->value(c), r.value(c))) {
                degisti = true;
                break;
            }
        if (!degisti)
            continue;
        Query q(db, upd);
        for (const QString& c : yazilan) {
            const QVariant v = r.value(c);
            q.bind(c, bos(v) ? QVariant() : Query::toDbValue(v, db.backend()));
        }
        q.bind(K("K_NO"), no).bind(K("K_Y"), fyili).bind(K("K_S"), s).exec();
    }
    for (auto it = eski.cbegin(); it != eski.cend(); ++it)
        if (!kalan.contains(it.key()))
            db.exec(QStringLiteral("DELETE FROM %1 WHERE ISEMRI_NO = :NO AND FYILI = :Y AND SIRANO = :S").arg(tablo),
                    {{K("NO"), no}, {K("Y"), fyili}, {K("S"), it.key()}});
    if (yeniler.isEmpty())
        return;
    BatchInsert ins(db, tablo, cols);
    for (const QVariantMap* r : yeniler) {
        for (const QString& c : cols) {
            QVariant v = r->value(c);
            if (c == QLatin1String("ISEMRI_NO"))
                v = no;
            else if (c == QLatin1String("FYILI"))
                v = fyili;
            ins.value(bos(v) ? QVariant() : v);
        }
        ins.endRow();
    }
    ins.flush();
}
} // namespace

QDate IsEmriBelgesi::girisTarihi() const
{
    return Query::toDateTime(isemri.value(QStringLiteral("ARAC_GIRIS_TRH"))).date();
}

IsEmriBelgesi IsEmriBelgesiYukle(const Db& db, const QString& isEmriNo)
{
    IsEmriBelgesi b;
    Query q(db, QStringLiteral("SELECT * FROM ISEMRI WHERE IS_EMRI_NO = :NO"));
    q.bind(K("NO"), isEmriNo).exec();
    if (!q.next())
        return b;
    b.isemri = SatirOku(q);
    q.finish();
    b.parcalar = b.parcalarYuklenen = satirlarOku(db, K("ISEAYRIN"), b.no(), b.fyili());
    b.iscilikler = b.isciliklerYuklenen = satirlarOku(db, K("ISCILIK"), b.no(), b.fyili());
    Query m(db, QStringLiteral("SELECT MODEL, OZEL1 FROM MODEL WHERE ARC_MODEL_KODU = :T"));
    m.bind(K("T"), b.isemri.value(K("ARAC_TIP"))).exec();
    if (m.next()) {
        b.ozel1 = m.str(K("OZEL1")).trimmed();
        b.modelAdi = m.str(K("MODEL"));
    }
    b.kampanyaVar = KampanyaVarMi(db, b.isemri.value(K("KAMPIE_NO")).toDouble());
    return b;
}

bool KampanyaVarMi(const Db& db, double kampieNo)
{
    if (kampieNo <= 0 || !db.dialect().tableExists(db, K("KAMPIE")))
        return false;
    Query q(db, QStringLiteral("SELECT 1 FROM KAMPIE WHERE SNO = :SNO"));
    q.bind(K("SNO"), kampieNo).exec();
    return q.next();
}

QVariantMap MusteriOku(const Db& db, const QString& cariKod)
{
    Query q(db, QStringLiteral("SELECT CARI_KOD, FIRMA_ADI, IND_YUZ_PAR, IND_YUZ_AKS, IND_YUZ_SRF, IND_YUZ_ISCI, "
                               "IND_YUZ_HSR, IND_YUZ_BKM, IND_YUZ_ARZ, TEL1, TEL2, TEL3, TEL4 FROM CARI "
                               "WHERE CARI_KOD = :K"));
    q.bind(K("K"), cariKod).exec();
    return q.next() ? SatirOku(q) : QVariantMap{};
}

ParcaTutari ParcaTutarHesapla(const QVariantMap& r)
{
    ParcaTutari t;
    const double ver = r.value(K("VERILEN_MIKTAR")).toDouble();
    t.TUTAR = ver * r.value(K("STOK_FIYATI")).toDouble();
    t.ISK_TUT = r.value(K("ISK_ORAN")).toDouble() / 100.0 * t.TUTAR;
    t.NETTUT = t.TUTAR - t.ISK_TUT;
    t.IskluKdvliTutar = (r.value(K("KDV")).toDouble() + 100.0) * t.NETTUT / 100.0;
    t.KALAN = r.value(K("STOK_MIKTAR")).toDouble() - ver;
    return t;
}

IscilikTutari IscilikTutarHesapla(const QVariantMap& r)
{
    IscilikTutari t;
    const double qty = r.value(K("QTY")).toDouble(), sure = r.value(K("SURE")).toDouble();
    t.TOPLAM = r.value(K("ISCILIK_B_FIYATI")).toDouble() * sure * qty;
    t.ISK_TUT = r.value(K("ISK_ORAN")).toDouble() / 100.0 * t.TOPLAM;
    t.TSURE = qty * sure;
    t.NETTUT = t.TOPLAM - t.ISK_TUT;
    t.IskluKdvliTutar = (r.value(K("KDV")).toDouble() + 100.0) * t.NETTUT / 100.0;
    return t;
}

IsEmriToplamlari BelgeToplamlari(const QList<QVariantMap>& parcalar, const QList<QVariantMap>& iscilikler)
{
    QList<IsEmriSatiri> p, i;
    for (const auto& r : parcalar)
        p << ParcaSatiri(r.value(K("VERILEN_MIKTAR")).toDouble(), r.value(K("STOK_FIYATI")).toDouble(),
                         r.value(K("ISK_ORAN")).toDouble(), r.value(K("KDV")).toDouble(),
                         r.value(K("GARANTI_TIPI")).toString());
    for (const auto& r : iscilikler)
        i << IscilikSatiri(r.value(K("SURE")).toDouble(), r.value(K("ISCILIK_B_FIYATI")).toDouble(),
                           r.value(K("QTY")).toDouble(), r.value(K("ISK_ORAN")).toDouble(),
                           r.value(K("KDV")).toDouble(), r.value(K("GARANTI_TIPI")).toString());
    return IsEmriToplamHesapla(p, i);
}

namespace {
double sinirla(double oran, double cap, bool kampanyaVar, const QString& tur)
{
    if (kampanyaVar || cap == 0 || oran <= cap)
        return oran;
    ShowInfo(QStringLiteral("Yetkiniz dahilinde uygulayabileceğiniz Max. %1 İskontosu %%2 olarak belirlenmiştir.")
                 .arg(tur, QString::number(cap)));
    return cap;
}
} // namespace

double ParcaIskontoSiniri(double oran, const SessionContext& ctx, bool kampanyaVar)
{
    return sinirla(oran, ctx.AktifKullanici.max_isk_prc, kampanyaVar, QStringLiteral("Parça"));
}

double IscilikIskontoSiniri(double oran, const SessionContext& ctx, bool kampanyaVar)
{
    return sinirla(oran, ctx.AktifKullanici.max_isk_isc, kampanyaVar, QStringLiteral("İşçilik"));
}

IsEmriToplamlari IsEmriSatirlariYaz(const Db& db, const SessionContext& ctx, const IsEmriBelgesi& b,
                                    const IsEmriYazimi& w)
{
    const auto adim = [&w](const char* a) {
        if (w.adim)
            w.adim(a);
    };
    if (w.parcalar)
        satirlariUygula(db, K("ISEAYRIN"), b.no(), b.fyili(), b.parcalarYuklenen, b.parcalar);
    adim("parcalar");
    if (w.iscilikler)
        satirlariUygula(db, K("ISCILIK"), b.no(), b.fyili(), b.isciliklerYuklenen, b.iscilikler);
    adim("iscilikler");

    const IsEmriToplamlari t = IsEmriToplamOku(db, b.no(), b.fyili());
    QVariantMap binds = t.asRow();
    for (auto it = w.basliklar.cbegin(); it != w.basliklar.cend(); ++it)
        binds.insert(it.key(), Query::toDbValue(it.value(), db.backend()));
    QStringList sets;
    for (auto it = binds.cbegin(); it != binds.cend(); ++it)
        sets << QStringLiteral("%1 = :%1").arg(it.key());
    binds.insert(K("K_NO"), b.no());
    db.exec(QStringLiteral("UPDATE ISEMRI SET %1 WHERE IS_EMRI_NO = :K_NO").arg(sets.join(QStringLiteral(", "))),
            binds);
    adim("toplamlar");

    QList<stock::DepoHrkSatiri> hrk;
    hrk.reserve(b.parcalar.size() * 2);
    const QString servis = ctx.ServisDepoKodu.isEmpty() ? QStringLiteral("2") : ctx.ServisDepoKodu;
    for (const auto& r : b.parcalar) {
        const double stokNo = r.value(K("STOK_NO")).toDouble();
        if (stokNo == 0)
            continue;
        QString depo = r.value(K("DEPO_KODU")).toString().trimmed();
        if (depo.isEmpty())
            depo = AnaDepoKodu();
        QDateTime tarih = Query::toDateTime(r.value(K("TESLIM_TRH")));
        if (!tarih.isValid())
            tarih = Query::toDateTime(b.isemri.value(K("ARAC_GIRIS_TRH")));
        const double ver = r.value(K("VERILEN_MIKTAR")).toDouble();
        const int sira = r.value(K("SIRANO")).toInt();
        const QVariant fiyat = r.value(K("STOK_FIYATI"));
        stock::DepoHrkSatiri cikis = stock::DepoHrkHareket(u'I', sira, b.cariKod(), stokNo, depo, tarih, ver, fiyat);
        // The batch leaves stock with the part; the placeholder is no batch.
        const QString seri = r.value(K("SERINO")).toString().trimmed();
        if (!seri.isEmpty() && seri != QLatin1String("SERI/PARTI NO GIRINIZ"))
            cikis.SERINO = seri;
        hrk << cikis << stock::DepoHrkHareket(u'G', sira, b.cariKod(), stokNo, servis, tarih, ver, fiyat);
    }
    stock::DepoHrkYazici(db).yaz(stock::DepoHrkBelge::Isemri(b.no()), hrk);
    adim("hareketler");
    return t;
}

double KabulKuru(const Db& db, const QString& doviz, const QDate& giris)
{
    return GetCurrencyRate(db, doviz, false, giris);
}

bool DovizliFiyat(const Db& db, const SessionContext& ctx, const IsEmriBelgesi& b, QVariantMap& s,
                  const QString& fiyatKolonu)
{
    const QString dvz = s.value(K("DOVIZ_KODU")).toString().trimmed();
    if (dvz.isEmpty() || dvz == ctx.YerelPara) {
        s[K("TL_KURDEGER")] = QVariant();
        s[K("FYT_DOVIZ")] = QVariant();
        s[K("DOVIZ_KODU")] = QVariant();
        return true;
    }
    double kur = s.value(K("TL_KURDEGER")).toDouble();
    if (kur == 0 || kur == 1)
        kur = KabulKuru(db, dvz, b.girisTarihi());
    if (kur == 0) {
        ShowWarning(KurYokMesaji(dvz, b.girisTarihi()));
        return false;
    }
    s[K("TL_KURDEGER")] = kur;
    s[fiyatKolonu] = kur * s.value(K("FYT_DOVIZ")).toDouble();
    return true;
}

} // namespace tornaly::workshop
