#include "workshop/common/RowValues.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/workorders/WorkOrders.h"

#include "company/Kilit.h"
#include "context/SessionContext.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "sql/LogRoutines.h"
#include "settings/Settings.h"
#include "sql/SqlHelpers.h"

#include <QTime>
#include <cmath>

namespace tornaly::workshop {

namespace {
QString s(const QVariant& v) { return v.toString(); }
QString trimmed(const QVariant& v) { return v.toString().trimmed(); }
using rowvals::musteriOder;
} // namespace

// ---- Totals -------------------------------------------------------------

IsEmriSatiri ParcaSatiri(double verilenMiktar, double stokFiyati, double iskOran, double kdv, const QString& garantiTipi)
{
    return {verilenMiktar * stokFiyati, iskOran, kdv, garantiTipi};
}

IsEmriSatiri IscilikSatiri(double sure, double birimFiyat, double qty, double iskOran, double kdv,
                           const QString& garantiTipi)
{
    return {sure * birimFiyat * qty, iskOran, kdv, garantiTipi};
}

QVariantMap IsEmriToplamlari::asRow() const
{
    return {{QStringLiteral("PAR_TOP_TUTAR"), PAR_TOP_TUTAR}, {QStringLiteral("IS_TOP_TUTAR"), IS_TOP_TUTAR},
            {QStringLiteral("TOP_TUTAR"), TOP_TUTAR},         {QStringLiteral("PAR_ISK"), PAR_ISK},
            {QStringLiteral("ISC_ISK"), ISC_ISK},             {QStringLiteral("ARA_TUT"), ARA_TUT},
            {QStringLiteral("KDV_TUT"), KDV_TUT},             {QStringLiteral("NET_TUT"), NET_TUT},
            {QStringLiteral("GAR_TUT"), GAR_TUT}};
}

IsEmriToplamlari IsEmriToplamHesapla(const QList<IsEmriSatiri>& parcalar, const QList<IsEmriSatiri>& iscilikler)
{
    IsEmriToplamlari t;
    auto add = [&t](const IsEmriSatiri& l, double& brutTop, double& iskTop) {
        // The discount comes from the same gross the total uses, so a stored
        // line amount that drifted from its time and price cannot skew it.
        const double isk = l.brut * l.iskOran / 100.0;
        const double net = l.brut - isk;
        brutTop += l.brut;
        iskTop += isk;
        t.KDV_TUT += net * l.kdv / 100.0;
        if (!musteriOder(l.garantiTipi))
            t.GAR_TUT += net * (l.kdv + 100.0) / 100.0;
    };
    for (const auto& l : parcalar)
        add(l, t.PAR_TOP_TUTAR, t.PAR_ISK);
    for (const auto& l : iscilikler)
        add(l, t.IS_TOP_TUTAR, t.ISC_ISK);
    t.TOP_TUTAR = t.PAR_TOP_TUTAR + t.IS_TOP_TUTAR;
    t.ARA_TUT = t.TOP_TUTAR - t.PAR_ISK - t.ISC_ISK;
    t.NET_TUT = t.ARA_TUT + t.KDV_TUT;
    return t;
}

IsEmriToplamlari IsEmriToplamOku(const Db& db, const QString& isEmriNo, int fyili)
{
    QList<IsEmriSatiri> p, i;
    const QVariantMap binds{{QStringLiteral("NO"), isEmriNo}, {QStringLiteral("Y"), fyili}};
    Query qp(db, QStringLiteral("SELECT VERILEN_MIKTAR, STOK_FIYATI, ISK_ORAN, KDV, GARANTI_TIPI FROM ISEAYRIN "
                                "WHERE ISEMRI_NO = :NO AND FYILI = :Y"));
    qp.bindAll(binds).exec();
    while (qp.next())
        p << ParcaSatiri(qp.num(QStringLiteral("VERILEN_MIKTAR")), qp.num(QStringLiteral("STOK_FIYATI")),
                         qp.num(QStringLiteral("ISK_ORAN")), qp.num(QStringLiteral("KDV")),
                         qp.str(QStringLiteral("GARANTI_TIPI")));
    Query qi(db, QStringLiteral("SELECT SURE, ISCILIK_B_FIYATI, QTY, ISK_ORAN, KDV, GARANTI_TIPI FROM ISCILIK "
                                "WHERE ISEMRI_NO = :NO AND FYILI = :Y"));
    qi.bindAll(binds).exec();
    while (qi.next())
        i << IscilikSatiri(qi.num(QStringLiteral("SURE")), qi.num(QStringLiteral("ISCILIK_B_FIYATI")),
                           qi.num(QStringLiteral("QTY")), qi.num(QStringLiteral("ISK_ORAN")),
                           qi.num(QStringLiteral("KDV")), qi.str(QStringLiteral("GARANTI_TIPI")));
    return IsEmriToplamHesapla(p, i);
}

IsEmriToplamlari IsEmriToplamYaz(const Db& db, const QString& isEmriNo, int fyili)
{
    const IsEmriToplamlari t = IsEmriToplamOku(db, isEmriNo, fyili);
    QVariantMap binds = t.asRow();
    QStringList sets;
    for (auto it = binds.cbegin(); it != binds.cend(); ++it)
        sets << QStringLiteral("%1 = :%1").arg(it.key());
    binds.insert(QStringLiteral("NO"), isEmriNo);
    db.exec(QStringLiteral("UPDATE ISEMRI SET %1 WHERE IS_EMRI_NO = :NO").arg(sets.join(QStringLiteral(", "))), binds);
    return t;
}

// ---- Numbering ----------------------------------------------------------

QString IsEmriNoBicim(const QString& harf, double seriNo)
{
    return harf + QStringLiteral("%1").arg(qint64(std::llround(seriNo)), 6, 10, QLatin1Char('0'));
}

QString IsEnoBicim(double emirNo)
{
    return QStringLiteral("%1").arg(qint64(std::llround(emirNo)), 4, 10, QLatin1Char('0'));
}

QDate SunucuBugun(const Db& db)
{
    return ServerToday(db);
}

namespace {
struct Sayac {
    QString harf;
    double seriNo = 1;
    double emirNo = 1;
    QDate tarih;
};

Sayac sayacOku(const Db& db, bool kilitle)
{
    const QString lock = kilitle && db.backend() == Backend::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
    Query q(db, QStringLiteral("SELECT EMIR_HARF, SERI_NO, EMIR_NO, TARIH FROM PARAMSER") + lock);
    q.exec();
    if (!q.next())
        throw DbError(DbError::Kind::Other, QStringLiteral("İş emri sayacı (PARAMSER) bulunamadı."));
    Sayac c;
    c.harf = q.str(QStringLiteral("EMIR_HARF")).trimmed();
    c.seriNo = q.isNull(QStringLiteral("SERI_NO")) ? 1 : q.num(QStringLiteral("SERI_NO"));
    c.emirNo = q.isNull(QStringLiteral("EMIR_NO")) ? 1 : q.num(QStringLiteral("EMIR_NO"));
    c.tarih = q.date(QStringLiteral("TARIH"));
    return c;
}

QString enoOf(const Sayac& c, const QDate& bugun)
{
    // The counter's day is compared by its date alone: a stored time of day
    // must not restart the daily numbers.
    return c.tarih == bugun ? IsEnoBicim(c.emirNo) : QStringLiteral("0001");
}
} // namespace

IsEmriNumarasi IsEmriNoOner(const Db& db, const QDate& bugun)
{
    const Sayac c = sayacOku(db, false);
    return {IsEmriNoBicim(c.harf, c.seriNo), enoOf(c, bugun)};
}

namespace {
// Reads the counter under its lock and moves its series number past the
// numbers already used with `harf` in front (by hand or by an older counter).
Sayac kilitliSeri(const Db& db, const QString* harf, QString* no)
{
    Sayac c = sayacOku(db, true);
    if (db.backend() == Backend::SQLite)
        db.exec(QStringLiteral("UPDATE PARAMSER SET SERI_NO = SERI_NO"));
    for (;;) {
        *no = IsEmriNoBicim(harf ? *harf : c.harf, c.seriNo);
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM ISEMRI WHERE IS_EMRI_NO = :NO"));
        q.bind(QStringLiteral("NO"), *no).exec();
        q.next();
        if (q.value(0).toLongLong() == 0)
            return c;
        c.seriNo += 1;
        if (c.seriNo > 999999)
            throw DbError(DbError::Kind::Other, QStringLiteral("İş emri numaraları tükendi (999999)."));
    }
}
} // namespace

QString IsEmriNoAlHarfsiz(const Db& db)
{
    Transaction tx(db);
    const QString harf;
    QString no;
    const Sayac c = kilitliSeri(db, &harf, &no);
    db.exec(QStringLiteral("UPDATE PARAMSER SET SERI_NO = :SERI"), {{QStringLiteral("SERI"), c.seriNo + 1}});
    tx.commit();
    return no;
}

IsEmriNumarasi IsEmriNoAl(const Db& db, const QDate& bugun)
{
    Transaction tx(db); // a savepoint inside the save; SQLite holds the write lock from its start
    IsEmriNumarasi n;
    const Sayac c = kilitliSeri(db, nullptr, &n.isEmriNo);
    n.isEno = enoOf(c, bugun);
    const double emirNo = c.tarih == bugun ? c.emirNo + 1 : 2;
    db.exec(QStringLiteral("UPDATE PARAMSER SET SERI_NO = :SERI, EMIR_NO = :EMIR, TARIH = :TARIH"),
            {{QStringLiteral("SERI"), c.seriNo + 1},
             {QStringLiteral("EMIR"), emirNo},
             {QStringLiteral("TARIH"), QDateTime(bugun, QTime(0, 0))}});
    tx.commit();
    return n;
}

// ---- The work-order row -------------------------------------------------

QStringList IsEmriKartKolonlari()
{
    QStringList c{QStringLiteral("IS_EMRI_NO"), QStringLiteral("FYILI"), QStringLiteral("IS_ENO"),
                  QStringLiteral("IE_TIP"), QStringLiteral("SERVIS_KOD"), QStringLiteral("PER_KOD"),
                  QStringLiteral("CARI_KOD"), QStringLiteral("SASI_NO"), QStringLiteral("MOTOR_NO"),
                  QStringLiteral("PLAKA_NO"), QStringLiteral("ARAC_TIP"), QStringLiteral("ARAC_MODEL"),
                  QStringLiteral("RENK_KOD"), QStringLiteral("IC_RENK"), QStringLiteral("KM"),
                  QStringLiteral("TESLIM_TRH"), QStringLiteral("AY"), QStringLiteral("YIL"),
                  QStringLiteral("GARANTI_BITIS"), QStringLiteral("GARANTI_NO"), QStringLiteral("KAMPANYA"),
                  QStringLiteral("YABANCI_ARAC"), QStringLiteral("KULLANIM_SEKLI"), QStringLiteral("SIGORTA"),
                  QStringLiteral("ARAC_GIRIS_TRH"), QStringLiteral("ARAC_GIRIS_SAAT"), QStringLiteral("TTT"),
                  QStringLiteral("ARIZA_BTRH"), QStringLiteral("TESLIM_EDEN"), QStringLiteral("TESLIM_ED_TEL"),
                  QStringLiteral("ARAC_TESLIM_ALAN"), QStringLiteral("TESLIM_ALAN2")};
    for (int i = 1; i <= 10; ++i)
        c << QStringLiteral("MUSTALIM_%1").arg(i);
    for (int i = 1; i <= 7; ++i)
        c << QStringLiteral("TAHMINI_ISLER_%1").arg(i);
    c << QStringLiteral("TAHMINI_YP_TUT") << QStringLiteral("TAHMINI_ISC_TUT") << QStringLiteral("TAHMINI_KDVSIZ_TUT")
      << QStringLiteral("TAHMINI_KDVLI_TUT") << QStringLiteral("GARANTI_PUANI") << QStringLiteral("S")
      << QStringLiteral("HASAR") << QStringLiteral("YAKIT_MIK") << QStringLiteral("RADYO_TEYP")
      << QStringLiteral("CAKMAK") << QStringLiteral("AVADANLIK") << QStringLiteral("KRIKO") << QStringLiteral("STEPNE")
      << QStringLiteral("RUHSAT") << QStringLiteral("VURUK") << QStringLiteral("CIZIK") << QStringLiteral("PAS")
      << QStringLiteral("BOYA_HATA") << QStringLiteral("DIGER_EMANET") << QStringLiteral("GENEL_DUR")
      << QStringLiteral("ACIKLAMA") << QStringLiteral("LD_SOL_ON") << QStringLiteral("LD_SOL_ARKA")
      << QStringLiteral("LD_SAG_ON") << QStringLiteral("LD_SAG_ARKA") << QStringLiteral("ATOLYE")
      << QStringLiteral("DURUM") << QStringLiteral("TEKRAR") << QStringLiteral("KAPANDI") << QStringLiteral("IPTAL")
      << QStringLiteral("DISPOZ_YAP") << QStringLiteral("DEPO_YAP") << QStringLiteral("AKTARILDI");
    return c;
}

QVariantMap ReadIsEmri(const Db& db, const QString& isEmriNo)
{
    return ReadRow(db, QStringLiteral("SELECT * FROM ISEMRI WHERE IS_EMRI_NO = :NO"), {{QStringLiteral("NO"), isEmriNo}});
}

QVariantMap YeniIsEmriSatiri(const Db& db, const SessionContext& ctx)
{
    QVariantMap r;
    const QDateTime simdi = ServerNow(db);
    const QDate bugun = simdi.date();
    r[QStringLiteral("SERVIS_KOD")] = ctx.UretBKod;
    r[QStringLiteral("ARAC_GIRIS_TRH")] = QDateTime(bugun, QTime(0, 0));
    // Time-only columns are kept on the reception day, so they sort and show alike.
    r[QStringLiteral("ARAC_GIRIS_SAAT")] = QDateTime(bugun, simdi.time());
    for (const char* f : {"IPTAL", "KAPANDI", "TEKRAR", "YABANCI_ARAC", "AKTARILDI", "DEPO_YAP", "DISPOZ_YAP", "S"})
        r[QString::fromLatin1(f)] = QStringLiteral("H");
    for (const char* f : {"RADYO_TEYP", "AVADANLIK", "RUHSAT", "CAKMAK", "STEPNE", "KRIKO"})
        r[QString::fromLatin1(f)] = 1;
    for (const char* f : {"VURUK", "CIZIK", "PAS", "BOYA_HATA"})
        r[QString::fromLatin1(f)] = 0;
    r[QStringLiteral("FYILI")] = ctx.CalismaYili.toInt();
    r[QStringLiteral("PER_KOD")] = ctx.AktifKullanici.per_kod;
    const IsEmriNumarasi n = IsEmriNoOner(db, bugun);
    r[QStringLiteral("IS_EMRI_NO")] = n.isEmriNo;
    r[QStringLiteral("IS_ENO")] = n.isEno;
    return r;
}

QString IsEmriNoFromSearch(const QString& typed)
{
    const QString t = typed.trimmed();
    if (t.startsWith(QLatin1Char('I')) && t.size() > 1)
        return t.mid(1, 7);
    return t;
}

bool OzelFirmaMi(const SessionContext& ctx)
{
    bool ok = false;
    const int id = ReadSetting(QStringLiteral("Kalvesa"), QStringLiteral("SERVIS"), QStringLiteral("OzelFirmaId")).toInt(&ok);
    return ok && id != 0 && id == ctx.FirmaId;
}

bool TipBakimMi(const QString& tip)
{
    return tip == QLatin1String("B") || tip == QLatin1String("E") || tip == QLatin1String("F");
}

bool IsEmriYeniHakki(const QString& hak)
{
    return hak == QLatin1String("D") || hak == QLatin1String("N") || hak == QLatin1String("Y");
}
bool IsEmriDegistirHakki(const QString& hak) { return hak == QLatin1String("D") || hak == QLatin1String("Y"); }
bool IsEmriSilHakki(const QString& hak) { return hak == QLatin1String("Y"); }

double SonKm(const Db& db, const QString& sasiNo, const QString& haricIsEmriNo)
{
    Query q(db, QStringLiteral("SELECT MAX(KM) FROM ISEMRI WHERE IS_EMRI_NO <> :NO AND SASI_NO = :SASI_NO"));
    q.bind(QStringLiteral("NO"), haricIsEmriNo).bind(QStringLiteral("SASI_NO"), sasiNo).exec();
    return q.next() ? q.value(0).toDouble() : 0.0;
}

QString AcikIsEmriVar(const Db& db, const QString& sasiNo, const QString& haricIsEmriNo)
{
    Query q(db, QStringLiteral("SELECT IS_EMRI_NO FROM ISEMRI WHERE SASI_NO = :SASI_NO AND KAPANDI = 'H' "
                               "AND IS_EMRI_NO <> :NO ORDER BY IS_EMRI_NO"));
    q.bind(QStringLiteral("SASI_NO"), sasiNo).bind(QStringLiteral("NO"), haricIsEmriNo).exec();
    return q.next() ? q.str(QStringLiteral("IS_EMRI_NO")) : QString();
}

void InstallOpenWorkOrderCheck()
{
    SetOpenWorkOrderCheck(
        [](const Db& db, const QString& sasiNo) { return !AcikIsEmriVar(db, sasiNo, QString()).isEmpty(); });
}

namespace {
// The km of the latest maintenance visit of the chassis (0 when none).
double sonBakimKm(const Db& db, const QString& sasiNo, const QString& haric)
{
    Query q(db, QStringLiteral("SELECT KM FROM ISEMRI WHERE IE_TIP IN ('B','E','F') AND SASI_NO = :SASI_NO "
                               "AND IS_EMRI_NO <> :NO ORDER BY ARAC_GIRIS_TRH DESC, IS_EMRI_NO DESC LIMIT 1"));
    q.bind(QStringLiteral("SASI_NO"), sasiNo).bind(QStringLiteral("NO"), haric).exec();
    return q.next() ? q.value(0).toDouble() : 0.0;
}

double bakimPeriyodu(const Db& db, const QString& model)
{
    Query q(db, QStringLiteral("SELECT MBAK_PER_KM FROM MODEL WHERE ARC_MODEL_KODU = :M"));
    q.bind(QStringLiteral("M"), model).exec();
    return q.next() ? q.value(0).toDouble() : 0.0;
}

QVariant dbValue(const QVariant& v)
{
    // Empty texts of optional fields are stored as NULL; zero-width dates too.
    if (v.typeId() == QMetaType::QDateTime && !v.toDateTime().isValid())
        return QVariant();
    if (v.typeId() == QMetaType::QDate && !v.toDate().isValid())
        return QVariant();
    return v;
}
} // namespace

KayitSonucu IsEmriKaydet(const Db& db, const SessionContext& ctx, QVariantMap& row, bool yeni, double sonKm)
{
    const QString tip = trimmed(row.value(QStringLiteral("IE_TIP")));
    const QString sase = trimmed(row.value(QStringLiteral("SASI_NO")));
    const QString plaka = trimmed(row.value(QStringLiteral("PLAKA_NO")));
    if (!IsUpperAlnumCode(sase)) {
        ShowWarning(QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız."));
        return KayitSonucu::Reddedildi;
    }
    if (plaka.isEmpty() && tip != QLatin1String("P")) {
        ShowWarning(QStringLiteral("PLAKA alanını boş geçemezsiniz."));
        return KayitSonucu::Reddedildi;
    }
    if (!IsUpperAlnumCode(plaka)) {
        ShowWarning(QStringLiteral("PLAKA' da Hatalı yada Boşluklu Karakter kullandınız."));
        return KayitSonucu::Reddedildi;
    }
    if (tip.isEmpty()) {
        ShowWarning(QStringLiteral("Lütfen Talimat Tipini Seçin"));
        return KayitSonucu::Reddedildi;
    }
    const double km = row.value(QStringLiteral("KM")).toDouble();
    if (yeni) {
        if (km == sonKm) {
            const MsgButton b = Messages().show(MsgIcon::Information,
                                                QStringLiteral("KM aracın son KM si ile aynı değiştirmek istiyor musunuz?"),
                                                MsgYes | MsgNo | MsgCancel, MsgYes, {});
            if (b == MsgYes)
                return KayitSonucu::KmSor;
            // "Vazgeç" gives up the save; only "Hayır" keeps the same km.
            if (b == MsgCancel)
                return KayitSonucu::Reddedildi;
        } else if (km < sonKm && OzelFirmaMi(ctx)) {
            // Only the configured company refuses a km below the last visit;
            // elsewhere a corrected or replaced odometer is taken as typed.
            ShowError(QStringLiteral("KM aracın son KM sinden küçük olamaz !"));
            return KayitSonucu::KmSor;
        }
        const double periyot = bakimPeriyodu(db, s(row.value(QStringLiteral("ARAC_TIP"))));
        if (periyot > 0 && !sase.isEmpty()) {
            const double bakimKm = sonBakimKm(db, sase, s(row.value(QStringLiteral("IS_EMRI_NO"))));
            if (bakimKm > 0 && km > bakimKm + periyot - 1000)
                ShowWarning(QStringLiteral("Aracın bakım zamanı gelmiş!. Son yapılan bakım km si :")
                            + QString::number(qint64(std::llround(bakimKm))));
        }
    }
    const QDateTime teslim = row.value(QStringLiteral("TESLIM_TRH")).toDateTime();
    if (s(row.value(QStringLiteral("YABANCI_ARAC"))) != QLatin1String("E") && !teslim.isValid()
        && tip != QLatin1String("P")) {
        ShowInfo(QStringLiteral("Trafiğe Çıkış Tarihini Giriniz!"));
        return KayitSonucu::Reddedildi;
    }

    QVariantMap w = row;
    w[QStringLiteral("SASI_NO")] = sase;
    w[QStringLiteral("PLAKA_NO")] = plaka;
    if (teslim.isValid()) {
        w[QStringLiteral("AY")] = teslim.date().month();
        w[QStringLiteral("YIL")] = teslim.date().year();
    }
    if (w.value(QStringLiteral("FYILI")).toInt() == 0)
        w[QStringLiteral("FYILI")] = ctx.CalismaYili.toInt();
    if (tip == QLatin1String("P"))
        w[QStringLiteral("KAPANDI")] = QStringLiteral("E");

    const QStringList cols = IsEmriKartKolonlari();
    {
        Transaction tx(db);
        if (yeni) {
            const IsEmriNumarasi n = IsEmriNoAl(db, SunucuBugun(db));
            w[QStringLiteral("IS_EMRI_NO")] = n.isEmriNo;
            w[QStringLiteral("IS_ENO")] = n.isEno;
            QVariantMap binds;
            QStringList names, params;
            for (const QString& c : cols) {
                names << c;
                params << QLatin1Char(':') + c;
                binds.insert(c, dbValue(w.value(c)));
            }
            db.exec(QStringLiteral("INSERT INTO ISEMRI (%1) VALUES (%2)")
                        .arg(names.join(QLatin1Char(',')), params.join(QLatin1Char(','))),
                    binds);
        } else {
            // The closing commands and the invoice may have closed it since it was loaded.
            Query q(db, QStringLiteral("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :NO") + db.dialect().rowLockSuffix());
            q.bind(QStringLiteral("NO"), w.value(QStringLiteral("IS_EMRI_NO"))).exec();
            if (!q.next() || (q.str(QStringLiteral("KAPANDI")) == QLatin1String("E") && tip != QLatin1String("P")))
                throw IslemReddi(QStringLiteral("Bu İşemrine Kapalı ve/veya Faturası Kesilmiş İşemrini Değiştiremezsiniz!"));
            QVariantMap binds;
            QStringList sets;
            for (const QString& c : cols) {
                if (c == QLatin1String("IS_EMRI_NO") || c == QLatin1String("IS_ENO") || c == QLatin1String("PER_KOD")
                    || c == QLatin1String("SERVIS_KOD") || c == QLatin1String("IPTAL")
                    || c == QLatin1String("DISPOZ_YAP") || c == QLatin1String("DEPO_YAP")
                    || c == QLatin1String("AKTARILDI"))
                    continue;
                sets << QStringLiteral("%1 = :%1").arg(c);
                binds.insert(c, dbValue(w.value(c)));
            }
            binds.insert(QStringLiteral("IS_EMRI_NO"), w.value(QStringLiteral("IS_EMRI_NO")));
            db.exec(QStringLiteral("UPDATE ISEMRI SET %1 WHERE IS_EMRI_NO = :IS_EMRI_NO").arg(sets.join(QLatin1Char(','))),
                    binds);
        }
        // The customer's phones typed on the card go to the account with the work order.
        if (w.contains(QStringLiteral("TEL1")) || w.contains(QStringLiteral("TEL3")))
            CariTelefonYaz(db, trimmed(w.value(QStringLiteral("CARI_KOD"))), s(w.value(QStringLiteral("TEL1"))),
                           s(w.value(QStringLiteral("TEL3"))));
        tx.commit();
    }
    row = w;
    return KayitSonucu::Kaydedildi;
}

bool IsEmriDegistirilebilir(const QVariantMap& row)
{
    if (s(row.value(QStringLiteral("KAPANDI"))) == QLatin1String("E")) {
        ShowError(QStringLiteral("Bu İşemrine Kapalı ve/veya Faturası Kesilmiş İşemrini Değiştiremezsiniz!"));
        return false;
    }
    return true;
}

bool IsEmriSil(const Db& db, const QString& isEmriNo)
{
    if (isEmriNo.isEmpty())
        return false;
    if (Messages().show(MsgIcon::Confirmation, QStringLiteral("Kayıt Silinsin mi?"), MsgYes | MsgNo | MsgCancel, MsgNo,
                        {})
        != MsgYes)
        return false;
    enum { Tamam, Kapali, Parcali } neden = Tamam;
    Transaction tx(db);
    const QVariantMap row = ReadIsEmri(db, isEmriNo);
    if (row.isEmpty())
        return false;
    if (s(row.value(QStringLiteral("KAPANDI"))) == QLatin1String("E")) {
        neden = Kapali;
    } else {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM ISEAYRIN WHERE ISEMRI_NO = :NO"));
        q.bind(QStringLiteral("NO"), isEmriNo).exec();
        q.next();
        if (q.value(0).toLongLong() > 0)
            neden = Parcali;
    }
    if (neden == Tamam) {
        db.exec(QStringLiteral("DELETE FROM ISCILIK WHERE ISEMRI_NO = :NO"), {{QStringLiteral("NO"), isEmriNo}});
        db.exec(QStringLiteral("DELETE FROM ISEMRIPKT WHERE ISEMRINO = :NO"), {{QStringLiteral("NO"), isEmriNo}});
        db.exec(QStringLiteral("DELETE FROM ISEMRI WHERE IS_EMRI_NO = :NO"), {{QStringLiteral("NO"), isEmriNo}});
        tx.commit();
        return true;
    }
    if (neden == Kapali)
        ShowWarning(QStringLiteral("Kapalı işemri silinemez !\r\nSilmek için önce varsa Fatura kaydını silip,\r\n"
                                   "parçaları iade ettikten sonra işemrini açık duruma getiriniz."));
    else
        ShowInfo(QStringLiteral("Bu İşemri Silmek için önce Parçaları silerek iade ediniz!"));
    return false;
}

// ---- Reception look-up --------------------------------------------------

QList<QVariantMap> AracAra(const Db& db, AracAlani alan, const QString& typed)
{
    QList<QVariantMap> out;
    const QString text = Dialect::turkishUpper(typed.trimmed());
    if (text.isEmpty())
        return out;
    const QString cols = QStringLiteral(
        "SELECT SASE_NO, MOTOR_NO, ARC_MODEL_KODU, ARC_MODEL_TRH, CARI_KOD, PLAKA, ARC_RENK_KODU, GARANTI_BAS, "
        "GARANTI_BIT, GAR_SERI_NO1, FAT_TRH, KAMPANYA, TRF_CIKIS_TRH, IC_RENK FROM ARAC ");
    const Dialect& d = db.dialect();
    auto run = [&](const QString& where, const QVariantMap& binds) {
        Query q(db, cols + where + QStringLiteral(" ORDER BY PLAKA, SASE_NO"));
        q.bindAll(binds).exec();
        while (q.next()) {
            QVariantMap r;
            const QSqlRecord rec = q.record();
            for (int i = 0; i < rec.count(); ++i)
                r.insert(rec.fieldName(i).toUpper(), q.value(i));
            bool dup = false;
            for (const auto& o : out)
                dup = dup || o.value(QStringLiteral("SASE_NO")) == r.value(QStringLiteral("SASE_NO"));
            if (!dup)
                out << r;
        }
    };
    switch (alan) {
    case AracAlani::Plaka: {
        QString compact = text;
        compact.remove(QLatin1Char(' '));
        run(QStringLiteral("WHERE REPLACE(%1, ' ', '') = :P").arg(d.upperExpr(QStringLiteral("PLAKA"))),
            {{QStringLiteral("P"), compact}});
        // An exact plate decides alone: the pattern would add longer plates
        // that only contain it and turn a sure find into a choice.
        if (!out.isEmpty())
            break;
        QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString& p : parts)
            p = Dialect::escapeLike(p);
        run(QStringLiteral("WHERE ") + d.ciLike(QStringLiteral("PLAKA"), QStringLiteral(":P")),
            {{QStringLiteral("P"), parts.join(QLatin1Char('%'))}});
        break;
    }
    case AracAlani::Sase:
        run(QStringLiteral("WHERE %1 = :S").arg(d.upperExpr(QStringLiteral("SASE_NO"))), {{QStringLiteral("S"), text}});
        break;
    case AracAlani::Motor:
        run(QStringLiteral("WHERE %1 = :S").arg(d.upperExpr(QStringLiteral("MOTOR_NO"))), {{QStringLiteral("S"), text}});
        break;
    }
    return out;
}

// ---- Service note -------------------------------------------------------

QString SerNotOku(const Db& db, const QString& sase)
{
    Query q(db, QStringLiteral("SELECT SER_NOT FROM SERNOT WHERE SASE_NO = :S"));
    q.bind(QStringLiteral("S"), sase.trimmed()).exec();
    return q.next() ? q.str(QStringLiteral("SER_NOT")) : QString();
}

bool SerNotVar(const Db& db, const QString& sase)
{
    if (sase.trimmed().isEmpty())
        return false;
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM SERNOT WHERE SASE_NO = :S"));
    q.bind(QStringLiteral("S"), sase.trimmed()).exec();
    return q.next() && q.value(0).toLongLong() > 0;
}

void SerNotYaz(const Db& db, const QString& sase, const QString& metin)
{
    const QString s = sase.trimmed();
    if (s.isEmpty())
        return;
    Transaction tx(db);
    if (metin.trimmed().isEmpty())
        db.exec(QStringLiteral("DELETE FROM SERNOT WHERE SASE_NO = :SASE_NO"), {{QStringLiteral("SASE_NO"), s}});
    else
        // The key keeps one note per chassis when two workstations save at once.
        db.exec(db.dialect().upsert(QStringLiteral("SERNOT"), {QStringLiteral("SASE_NO")},
                                    {QStringLiteral("SASE_NO"), QStringLiteral("SER_NOT")}),
                {{QStringLiteral("SASE_NO"), s}, {QStringLiteral("SER_NOT"), metin}});
    tx.commit();
}

namespace {
KampanyaBelgesiKontrol& kampanyaKontrol()
{
    static KampanyaBelgesiKontrol f;
    return f;
}
RandevuKontrol& randevuKontrol()
{
    static RandevuKontrol f;
    return f;
}
} // namespace

void SetKampanyaBelgesiKontrol(KampanyaBelgesiKontrol f) { kampanyaKontrol() = std::move(f); }
void SetRandevuKontrol(RandevuKontrol f) { randevuKontrol() = std::move(f); }

bool KampanyaBelgesiVar(const Db& db, const QString& sase)
{
    return kampanyaKontrol() && !sase.trimmed().isEmpty() && kampanyaKontrol()(db, sase.trimmed());
}

bool RandevuVar(const Db& db, const QString& sase, const QString& plaka, const QDate& gun)
{
    return randevuKontrol() && randevuKontrol()(db, sase.trimmed(), plaka.trimmed(), gun);
}

void CariTelefonYaz(const Db& db, const QString& cariKod, const QString& tel1, const QString& tel3)
{
    if (cariKod.trimmed().isEmpty())
        return;
    const QVariantMap eski = ReadRow(db, QStringLiteral("SELECT TEL1, TEL3 FROM CARI WHERE CARI_KOD = :K"),
                                     {{QStringLiteral("K"), cariKod.trimmed()}});
    if (eski.isEmpty())
        return;
    if (trimmed(eski.value(QStringLiteral("TEL1"))) == tel1.trimmed()
        && trimmed(eski.value(QStringLiteral("TEL3"))) == tel3.trimmed())
        return;
    db.exec(QStringLiteral("UPDATE CARI SET TEL1 = :TEL1, TEL3 = :TEL3 WHERE CARI_KOD = :K"),
            {{QStringLiteral("TEL1"), tel1.trimmed()}, {QStringLiteral("TEL3"), tel3.trimmed()},
             {QStringLiteral("K"), cariKod.trimmed()}});
}

// ---- Types --------------------------------------------------------------

bool IsemriTipSabitMi(const QString& tip) { return tip != QLatin1String("C") && tip != QLatin1String("D"); }

bool IsemriTipAdiDegistir(const Db& db, const QString& tip, const QString& ad)
{
    if (IsemriTipSabitMi(tip)) {
        ShowWarning(QStringLiteral("Sabit İşemri Tipinde Değişiklik Yapamazsınız !"));
        return false;
    }
    db.exec(QStringLiteral("UPDATE ISEMRITIP SET ISEMRI_TIP_ADI = :AD WHERE ISEMRI_TIP = :TIP"),
            {{QStringLiteral("AD"), ad.left(30)}, {QStringLiteral("TIP"), tip}});
    return true;
}

// ---- History ------------------------------------------------------------

namespace {
QVariantMap gecmisBinds(const QString& sase, const QString& plaka)
{
    // A value no chassis or plate has, so a missing one matches nothing.
    const QString none = QStringLiteral("!!!!!!!!!");
    return {{QStringLiteral("Sasesi"), sase.trimmed().isEmpty() ? none : sase.trimmed()},
            {QStringLiteral("Plaka"), plaka.trimmed().isEmpty() ? none : plaka.trimmed()}};
}
const char kGecmisKolon[] =
    "SELECT SERVIS_KOD, IS_EMRI_NO, IE_TIP, TESLIM_TRH, TAHMINI_TES_TRH, CARI_KOD, ARAC_GIRIS_TRH AS GIRIS_TRH, KM, "
    "PDI_TUTAR, HASAR_TUTAR, ARIZA_TUTAR, PDI_IS_TUTAR, ARZ_IS_TUTAR, HASAR_IS_TUTAR, PAR_TOP_TUTAR, IS_TOP_TUTAR, "
    "TOP_TUTAR, KAPANDI, MUSTALIM_1, MUSTALIM_2, MUSTALIM_3, MUSTALIM_4, MUSTALIM_5, MUSTALIM_6, MUSTALIM_7, "
    "MUSTALIM_8, MUSTALIM_9, MUSTALIM_10, GARANTI_KALAN_PUANI, IE_GAR_HARCA_PUAN, GENEL_DUR, S, KAPANIS_NOTU "
    "FROM ISEMRI WHERE (SASI_NO = :Sasesi OR PLAKA_NO = :Plaka)";
} // namespace

Sorgu IEGecmisSorgu(const QString& sase, const QString& plaka)
{
    return {QString::fromLatin1(kGecmisKolon) + QStringLiteral(" ORDER BY GIRIS_TRH"), gecmisBinds(sase, plaka)};
}

Sorgu IEGecmisParcaSorgu(const QString& sase, const QString& plaka)
{
    return {QStringLiteral("SELECT A.* FROM ISEAYRIN A INNER JOIN ISEMRI E ON (E.IS_EMRI_NO = A.ISEMRI_NO) "
                           "WHERE (E.SASI_NO = :Sasesi OR E.PLAKA_NO = :Plaka) AND E.IPTAL = 'H' "
                           "ORDER BY A.STOK_NO, A.ISEMRI_NO"),
            gecmisBinds(sase, plaka)};
}

Sorgu IEGecmisIscilikSorgu(const QString& sase, const QString& plaka)
{
    return {QStringLiteral("SELECT I.* FROM ISCILIK I INNER JOIN ISEMRI E ON (E.IS_EMRI_NO = I.ISEMRI_NO) "
                           "WHERE (E.SASI_NO = :Sasesi OR E.PLAKA_NO = :Plaka) AND E.IPTAL = 'H' "
                           "ORDER BY I.ARIZA_KODU, I.ISEMRI_NO"),
            gecmisBinds(sase, plaka)};
}

QDate GarantiBaslangic(const QDate& giris, int ay)
{
    const double gun = std::nearbyint(ay * 30.44);
    return giris.addDays(-qint64(gun));
}

Sorgu YPGarantiSorgu(const Db& db, const QString& isEmriNo, int ay)
{
    Query q(db, QStringLiteral("SELECT IS_EMRI_NO, SASI_NO, ARAC_GIRIS_TRH FROM ISEMRI WHERE IS_EMRI_NO = :NO"));
    q.bind(QStringLiteral("NO"), isEmriNo).exec();
    QString sase;
    QDate giris;
    if (q.next()) {
        sase = q.str(QStringLiteral("SASI_NO"));
        giris = q.date(QStringLiteral("ARAC_GIRIS_TRH"));
    }
    return {QStringLiteral(
                "SELECT IS_EMRI_NO, ARAC_GIRIS_TRH, TAHMINI_TES_TRH, ISEAYRIN.TESLIM_TRH, STOK_MIKTAR, VERILEN_MIKTAR, "
                "GARANTI_TIPI, STOK_KOD_NO, YEDEK_P_ADI FROM ISEMRI INNER JOIN ISEAYRIN ON (IS_EMRI_NO = ISEMRI_NO) "
                "WHERE SASI_NO = :SASI_NO AND IS_EMRI_NO <> :IS_EMRI_NO "
                "AND STOK_KOD_NO IN (SELECT IA.STOK_KOD_NO FROM ISEAYRIN IA WHERE IA.ISEMRI_NO = :IS_EMRI_NO) "
                "AND TAHMINI_TES_TRH >= :btrh ORDER BY STOK_KOD_NO, ARAC_GIRIS_TRH DESC"),
            {{QStringLiteral("SASI_NO"), sase},
             {QStringLiteral("IS_EMRI_NO"), isEmriNo},
             {QStringLiteral("btrh"), QDateTime(GarantiBaslangic(giris, ay), QTime(0, 0))}}};
}

// ---- List ---------------------------------------------------------------

namespace {
// The parts still owed to a work order, read per listed row through the lines'
// key: a month's list never sums the lines of every other work order.
const char kBackOrder[] = "COALESCE((SELECT SUM(BO.STOK_MIKTAR - BO.VERILEN_MIKTAR) FROM ISEAYRIN BO "
                          "WHERE BO.ISEMRI_NO = ISEMRI.IS_EMRI_NO), 0)";
// Each part code (issued quantity) and labour code (time x count) of the
// year's work orders beside what the invoices billed of it as customer,
// campaign or service line; the caller adds the comparison.
const char kFaturaDurum[] =
    "SELECT I.ISEMRI_NO FROM ("
    "SELECT ISEMRI_NO, 'P' AS PAR_ISC, STOK_KOD_NO AS KOD, SUM(VERILEN_MIKTAR) AS IE_MIK FROM ISEAYRIN "
    "WHERE ISEMRI_NO IN (SELECT IS_EMRI_NO FROM ISEMRI WHERE FYILI = :FYIL) GROUP BY ISEMRI_NO, STOK_KOD_NO "
    "UNION ALL "
    "SELECT ISEMRI_NO, 'I' AS PAR_ISC, ARIZA_KODU AS KOD, SUM(SURE * QTY) AS IE_MIK FROM ISCILIK "
    "WHERE ISEMRI_NO IN (SELECT IS_EMRI_NO FROM ISEMRI WHERE FYILI = :FYIL) GROUP BY ISEMRI_NO, ARIZA_KODU"
    ") I LEFT OUTER JOIN ("
    "SELECT D.IENO, D.PARCA_ISCILIK, D.PI_KOD, SUM(D.MIKTAR) AS MIKTAR "
    "FROM %1 D INNER JOIN %2 ON (SERFAT.SATIS_NO = D.SATIS_NO) "
    "WHERE D.GARANTI_TIP IN ('M', 'K', 'S') AND D.IENO IN (SELECT IS_EMRI_NO FROM ISEMRI WHERE FYILI = :FYIL) "
    "GROUP BY D.IENO, D.PARCA_ISCILIK, D.PI_KOD"
    ") F ON (F.IENO = I.ISEMRI_NO AND F.PARCA_ISCILIK = I.PAR_ISC AND F.PI_KOD = I.KOD)";

// The invoice tables, or empty stand-ins in a database without the invoicing
// subsystem (every line then counts as not invoiced).
std::pair<QString, QString> faturaTablolari(const Db& db)
{
    if (db.dialect().tableExists(db, QStringLiteral("SERFATDT")))
        return {QStringLiteral("SERFATDT"), QStringLiteral("SERFAT")};
    return {QStringLiteral("(SELECT CAST(NULL AS DOUBLE PRECISION) AS SATIS_NO, CAST(NULL AS VARCHAR(7)) AS IENO, "
                           "CAST(NULL AS VARCHAR(1)) AS PARCA_ISCILIK, CAST(NULL AS VARCHAR(25)) AS PI_KOD, "
                           "CAST(NULL AS DOUBLE PRECISION) AS MIKTAR, CAST(NULL AS VARCHAR(1)) AS GARANTI_TIP "
                           "WHERE 1 = 0)"),
            QStringLiteral("(SELECT CAST(NULL AS DOUBLE PRECISION) AS SATIS_NO, CAST(NULL AS VARCHAR(1)) AS FAT_TUR "
                           "WHERE 1 = 0) SERFAT")};
}
} // namespace

bool IEBrSorgu(const Db& db, const IEBrFiltre& f, Sorgu& out)
{
    QString sql = QStringLiteral(
        "SELECT IS_EMRI_NO, IE_TIP, ISEMRI.CARI_KOD, IS_ENO, ARAC_TIP, ARAC_MODEL, SASI_NO, MOTOR_NO, KM, TESLIM_TRH, "
        "RENK_KOD, PLAKA_NO, ARAC_GIRIS_TRH, TAHMINI_TES_TRH, KAPANDI, IPTAL, FYILI, FIRMA_ADI, ISCIUSTA.ISCI_ADI, "
        "TOP_TUTAR, IS_TOP_TUTAR, PAR_TOP_TUTAR, %1 AS BO_MIK, ISEMRI.ATOLYE, ISEMRI.DURUM "
        "FROM ISEMRI LEFT OUTER JOIN CARI ON (ISEMRI.CARI_KOD = CARI.CARI_KOD) "
        "LEFT OUTER JOIN ISCIUSTA ON (ISEMRI.ARAC_TESLIM_ALAN = ISCIUSTA.ISCI_KOD) WHERE 1=1")
                      .arg(QLatin1String(kBackOrder));
    QVariantMap b;
    IEBrFiltre::Durum durum = f.durum;
    if (f.onbesGun) {
        // More than 17 days between the reception day and now.
        sql += QStringLiteral(" AND ARAC_GIRIS_TRH < :ONBES");
        b[QStringLiteral("ONBES")] = QDateTime(SunucuBugun(db).addDays(-16), QTime(0, 0));
        durum = IEBrFiltre::Durum::Acik;
    }
    if (!f.cariKod.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ISEMRI.CARI_KOD = :CARI");
        b[QStringLiteral("CARI")] = f.cariKod.trimmed();
    }
    if (!f.yil.trimmed().isEmpty()) {
        bool ok = false;
        const int y = f.yil.trimmed().toInt(&ok);
        if (!ok) {
            ShowWarning(QStringLiteral("İ.E.Yılı bir sayı olmalıdır."));
            return false;
        }
        sql += QStringLiteral(" AND FYILI = :YIL");
        b[QStringLiteral("YIL")] = y;
    }
    if (!f.plaka.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db.dialect().ciLike(QStringLiteral("PLAKA_NO"), QStringLiteral(":PLAKA"));
        b[QStringLiteral("PLAKA")] = QStringLiteral("%") + Dialect::escapeLike(f.plaka.trimmed()) + QStringLiteral("%");
    }
    auto range = [&](const char* col, const QDate& from, const QDate& to, const char* pf, const char* pt) {
        // Half-open day range: the whole last day counts.
        if (from.isValid()) {
            sql += QStringLiteral(" AND %1 >= :%2").arg(QLatin1String(col), QLatin1String(pf));
            b[QLatin1String(pf)] = QDateTime(from, QTime(0, 0));
        }
        if (to.isValid()) {
            sql += QStringLiteral(" AND %1 < :%2").arg(QLatin1String(col), QLatin1String(pt));
            b[QLatin1String(pt)] = QDateTime(to.addDays(1), QTime(0, 0));
        }
    };
    range("ARAC_GIRIS_TRH", f.girisBas, f.girisSon, "ftrhb", "ftrhs");
    range("TAHMINI_TES_TRH", f.cikisBas, f.cikisSon, "trhb", "trhs");
    if (durum == IEBrFiltre::Durum::Acik)
        sql += QStringLiteral(" AND KAPANDI = 'H'");
    else if (durum == IEBrFiltre::Durum::Kapali)
        sql += QStringLiteral(" AND KAPANDI = 'E'");
    if (!f.tipler.isEmpty()) {
        QStringList ps;
        for (int i = 0; i < f.tipler.size(); ++i) {
            ps << QStringLiteral(":TIP%1").arg(i);
            b[QStringLiteral("TIP%1").arg(i)] = f.tipler.at(i);
        }
        sql += QStringLiteral(" AND ISEMRI.IE_TIP IN (%1)").arg(ps.join(QLatin1Char(',')));
    }
    if (f.backOrder)
        sql += QStringLiteral(" AND %1 > 0").arg(QLatin1String(kBackOrder));
    if (f.plan != IEBrFiltre::Plan::Tumu) {
        if (db.dialect().tableExists(db, QStringLiteral("IEPLAN")))
            sql += QStringLiteral(" AND ISEMRI.IS_EMRI_NO %1 IN (SELECT IEPLAN.ISEMRINO FROM IEPLAN)")
                       .arg(f.plan == IEBrFiltre::Plan::Hayir ? QStringLiteral("NOT") : QString());
        else if (f.plan == IEBrFiltre::Plan::Evet)
            sql += QStringLiteral(" AND 1=0"); // no work plans kept yet
    }
    if (f.fatura != IEBrFiltre::Fatura::Tumu) {
        const auto [satirlar, basliklar] = faturaTablolari(db);
        sql += QStringLiteral(" AND ISEMRI.IS_EMRI_NO IN (") + QString::fromLatin1(kFaturaDurum).arg(satirlar, basliklar)
               + (f.fatura == IEBrFiltre::Fatura::Kesilmis
                      ? QStringLiteral(" WHERE ABS(COALESCE(I.IE_MIK, 0) - COALESCE(F.MIKTAR, 0)) <= 0.01 AND I.IE_MIK > 0")
                      : QStringLiteral(" WHERE COALESCE(I.IE_MIK, 0) - COALESCE(F.MIKTAR, 0) > 0.01"))
               + QStringLiteral(" GROUP BY I.ISEMRI_NO)");
        b[QStringLiteral("FYIL")] = f.calismaYili;
    }
    if (!f.atolye.isEmpty()) {
        sql += QStringLiteral(" AND ISEMRI.ATOLYE = :ATOLYE");
        b[QStringLiteral("ATOLYE")] = f.atolye;
    }
    if (!f.aracDurum.isEmpty()) {
        sql += QStringLiteral(" AND ISEMRI.DURUM = :ADURUM");
        b[QStringLiteral("ADURUM")] = f.aracDurum;
    }
    sql += IEBrSiraSql(f.sira);
    out = {sql, b};
    return true;
}

QString IEBrSiraSql(IEBrFiltre::Sira sira)
{
    switch (sira) {
    case IEBrFiltre::Sira::No: break;
    case IEBrFiltre::Sira::Cari: return QStringLiteral(" ORDER BY ISEMRI.CARI_KOD, ISEMRI.ARAC_GIRIS_TRH");
    case IEBrFiltre::Sira::Giris: return QStringLiteral(" ORDER BY ISEMRI.ARAC_GIRIS_TRH");
    case IEBrFiltre::Sira::Cikis: return QStringLiteral(" ORDER BY ISEMRI.TAHMINI_TES_TRH");
    case IEBrFiltre::Sira::Plaka: return QStringLiteral(" ORDER BY ISEMRI.PLAKA_NO");
    case IEBrFiltre::Sira::Sase: return QStringLiteral(" ORDER BY ISEMRI.SASI_NO");
    }
    return QStringLiteral(" ORDER BY ISEMRI.IS_EMRI_NO");
}

Sorgu SipOneriSorgu(const QString& isEmriNo)
{
    return {QStringLiteral("SELECT S.ISEMRI_NO, STOK.STOK_KOD_NO, STOK.STOK_ADI_TR, S.IHTIYAC_MIKTARI, S.TARIH, "
                           "CASE WHEN S.VERILDI THEN 'Sip.Verildi' ELSE 'Sip.Verilmedi' END AS DURUM "
                           "FROM SIPONERI S LEFT OUTER JOIN STOK ON (STOK.STOK_NO = S.STOK_NO) "
                           "WHERE S.ISEMRI_NO = :NO ORDER BY S.TARIH, STOK.STOK_KOD_NO"),
            {{QStringLiteral("NO"), isEmriNo}}};
}

FaturaKalemAdetleri IEFaturaKalemAdetleri(const Db& db, const QString& isEmriNo)
{
    // One row per code and payer on each side; the outer query counts them.
    const auto [satirlar, basliklar] = faturaTablolari(db);
    const QString odeyen = QStringLiteral(
        "CASE WHEN EXP = 'E' THEN 'E' WHEN GARANTI_TIPI IN ('M', 'K') THEN 'M' "
        "WHEN GARANTI_TIPI IN ('G', 'I') THEN 'G' END");
    const QString sql =
        QStringLiteral("SELECT KAYNAK, ODEYEN, COUNT(*) AS ADET FROM ("
                       "SELECT 'I' AS KAYNAK, %1 AS ODEYEN, 'P' AS PAR_ISC, STOK_KOD_NO AS KOD FROM ISEAYRIN "
                       "WHERE ISEMRI_NO = :NO GROUP BY %1, STOK_KOD_NO "
                       "UNION ALL "
                       "SELECT 'I', %1, 'I', ARIZA_KODU FROM ISCILIK WHERE ISEMRI_NO = :NO GROUP BY %1, ARIZA_KODU "
                       "UNION ALL "
                       "SELECT 'F', CASE SERFAT.FAT_TUR WHEN 'I' THEN 'M' WHEN 'E' THEN 'E' WHEN 'G' THEN 'G' END, "
                       "D.PARCA_ISCILIK, D.PI_KOD FROM %2 D INNER JOIN %3 ON (SERFAT.SATIS_NO = D.SATIS_NO) "
                       "WHERE D.IENO = :NO AND D.GARANTI_TIP IN ('M', 'K', 'S') "
                       "GROUP BY SERFAT.FAT_TUR, D.PARCA_ISCILIK, D.PI_KOD"
                       ") X WHERE ODEYEN IS NOT NULL GROUP BY KAYNAK, ODEYEN")
            .arg(odeyen, satirlar, basliklar);
    Query q(db, sql);
    q.bind(QStringLiteral("NO"), isEmriNo).exec();
    FaturaKalemAdetleri a;
    while (q.next()) {
        const bool is = q.str(QStringLiteral("KAYNAK")) == QLatin1String("I");
        const QString o = q.str(QStringLiteral("ODEYEN"));
        const int n = q.value(QStringLiteral("ADET")).toInt();
        int* hedef = o == QLatin1String("M") ? (is ? &a.musIs : &a.musFt)
                     : o == QLatin1String("E") ? (is ? &a.hsrIs : &a.hsrFt)
                                               : (is ? &a.grnIs : &a.grnFt);
        *hedef = n;
    }
    return a;
}

} // namespace tornaly::workshop
