#include "workshop/common/RowValues.h"
#include "workshop/partsissue/IsDetay.h"
#include "workshop/dispositions/Dispoz.h"

#include "context/SessionContext.h"
#include "guard/IslemReddi.h"
#include "workshop/workorders/WorkOrders.h"
#include "db/DbError.h"
#include "db/Dialect.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "services/KurBul.h"
#include "sql/SqlHelpers.h"

#include <QLocale>
#include <QMap>
#include <stdexcept>

namespace tornaly::workshop {

namespace {
using rowvals::K;
using rowvals::str;
using rowvals::num;
QString kisa(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

QVariantMap stokOku(const Db& db, const QString& where, const QVariant& deger)
{
    Query q(db, QStringLiteral("SELECT S.STOK_NO, S.STOK_ADI_TR, S.STOK_KOD_NO, S.SAT_FYT_TL, S.SAT_FYT_DOVIZ, "
                               "S.FYT_KUR, S.SAT_FYT_USD, S.KDV, S.PAY, S.KRITIK_SEV, S.SERITAKIP, "
                               "(SELECT SUM(MIKTAR) FROM STOKMIK M WHERE M.STOK_NO = S.STOK_NO) AS MIK "
                               "FROM STOK S WHERE ")
                    + where);
    q.bind(K("V"), deger).exec();
    return q.next() ? SatirOku(q) : QVariantMap{};
}
} // namespace

IsDetayBelgesi IsDetayYukle(const Db& db, const SessionContext& ctx, const QString& isEmriNo)
{
    IsDetayBelgesi b;
    static_cast<IsEmriBelgesi&>(b) = IsEmriBelgesiYukle(db, isEmriNo);
    if (!b.yuklu())
        return b;
    b.musteri = MusteriOku(db, b.cariKod());
    if (b.parcalar.isEmpty() && !ctx.AktifKullanici.per_kod.isEmpty()) {
        b.baslikDegisiklikleri.insert(K("YPTESLIMEDEN"), ctx.AktifKullanici.per_kod);
        b.isemri.insert(K("YPTESLIMEDEN"), ctx.AktifKullanici.per_kod);
    }
    return b;
}

bool YPDuzenle(const SessionContext& ctx, IsDetayBelgesi& b)
{
    if (ctx.AktifKullanici.diger20 == QLatin1String("H")) {
        ShowInfo(QStringLiteral("Yedek Parça Düzeltme Yetkiniz Yok..."));
        return false;
    }
    if (!b.yuklu() || b.kapali()) {
        ShowInfo(QStringLiteral("İşemri Kapalı yada Seçilmemiş!"));
        return false;
    }
    const QDate giris = b.girisTarihi();
    if (!giris.isValid() || giris < QDate(1900, 1, 1)) {
        ShowInfo(QStringLiteral("İşemri Açılış Bölümünden Araç Giriş Tarihini Vermeden Yedek Parça Veremezsiniz!"));
        return false;
    }
    bool soruldu = false;
    for (auto& r : b.parcalar) {
        if (num(r, "TESLIM_MIKTAR") == 0)
            continue;
        if (!soruldu) {
            if (!AskYesNo(QStringLiteral("Son Teslim Edilen Miktarlar sıfırlanacaktır,\r\n Değiştirmek İstiyormusunuz?")))
                return false;
            soruldu = true;
        }
        r[K("TESLIM_MIKTAR")] = 0.0;
        if (str(r, "GARANTI_TIPI").isEmpty())
            r[K("GARANTI_TIPI")] = K("M");
    }
    b.duzenleme = true;
    return true;
}

bool ParcaSatirKontrol(const Db& db, const SessionContext& ctx, const IsDetayBelgesi& b, QVariantMap& s,
                       bool kontrol)
{
    const QDateTime teslim = Query::toDateTime(s.value(K("TESLIM_TRH")));
    const QDateTime giris = Query::toDateTime(b.isemri.value(K("ARAC_GIRIS_TRH")));
    if (teslim.isValid() && giris.isValid() && teslim.date() < giris.date()) {
        ShowError(QStringLiteral("Teslim Tarihi Araç Giriş Tarihinden Küçük Olamaz!"));
        return false;
    }
    if (str(s, "DEPO_KODU") == ctx.ServisDepoKodu) {
        ShowInfo(QStringLiteral("Servis Deposunu seçemezsiniz!"));
        return false;
    }
    if (kontrol && num(s, "STOK_MIKTAR") < num(s, "TESLIM_MIKTAR") + num(s, "VERILEN_MIKTAR")) {
        ShowWarning(QStringLiteral("Verilen Miktar Sipariş Miktarından Büyük Olamaz"));
        return false;
    }
    if (s.value(K("TESLIM_MIKTAR")).isNull() || s.value(K("TESLIM_MIKTAR")).toString().isEmpty())
        s[K("TESLIM_MIKTAR")] = num(s, "STOK_MIKTAR") - num(s, "VERILEN_MIKTAR");
    if (str(s, "GARANTI_TIPI").isEmpty())
        s[K("GARANTI_TIPI")] = K("M");
    if (str(s, "GARANTI_TIPI") != QLatin1String("G") && str(s, "EXP") == QLatin1String("R"))
        s[K("EXP")] = QVariant();
    if (!DovizliFiyat(db, ctx, b, s, K("STOK_FIYATI")))
        return false;
    if (!s.value(K("ISK_ORAN")).isNull())
        s[K("ISK_ORAN")] = ParcaIskontoSiniri(num(s, "ISK_ORAN"), ctx, b.kampanyaVar);
    return true;
}

int AlisEkle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, double stokNo)
{
    const QVariantMap st = stokOku(db, QStringLiteral("S.STOK_NO = :V"), stokNo);
    if (st.isEmpty() || !b.yuklu())
        return -1;
    if (!b.duzenleme && b.parcalar.isEmpty() && !YPDuzenle(ctx, b))
        return -1;
    if (!b.duzenleme)
        return -1;
    bool zorla = false;
    for (int i = 0; i < b.parcalar.size(); ++i) {
        QVariantMap& r = b.parcalar[i];
        if (num(r, "STOK_NO") != stokNo)
            continue;
        if (str(r, "EXP") == QLatin1String("E")
            && AskYesNo(QStringLiteral("Bu Parça Kaydı var!, Yeni Kayıt Açmak İstermisiniz?"))) {
            zorla = true;
            break;
        }
        QVariantMap yeni = r;
        yeni[K("STOK_MIKTAR")] = num(r, "STOK_MIKTAR") + 1;
        if (!ParcaSatirKontrol(db, ctx, b, yeni))
            return -1;
        r = yeni;
        return i;
    }
    QVariantMap s;
    if (!zorla) {
        const QString pay = str(st, "PAY");
        const char* kolon = pay == QLatin1String("A")                               ? "IND_YUZ_AKS"
                            : pay == QLatin1String("P")                             ? "IND_YUZ_PAR"
                            : (pay == QLatin1String("S") || pay == QLatin1String("Y")) ? "IND_YUZ_SRF"
                                                                                      : nullptr;
        if (kolon && !b.musteri.value(K(kolon)).isNull())
            s[K("ISK_ORAN")] = num(b.musteri, kolon);
    }
    s[K("ISEMRI_NO")] = b.no();
    s[K("YEDEK_P_ADI")] = st.value(K("STOK_ADI_TR"));
    s[K("STOK_NO")] = stokNo;
    s[K("STOK_KOD_NO")] = st.value(K("STOK_KOD_NO"));
    s[K("FYT_USD")] = st.value(K("SAT_FYT_USD"));
    if (!st.value(K("KRITIK_SEV")).isNull() && num(st, "MIK") < num(st, "KRITIK_SEV"))
        ShowWarning(QStringLiteral("Stok miktarı Kritik seviyenin altında."));
    s[K("STOK_MIKTAR")] = 1.0;
    s[K("STOK_FIYATI")] = num(st, "SAT_FYT_TL");
    const QString kur = str(st, "FYT_KUR");
    if (!kur.isEmpty() && kur != ctx.YerelPara) {
        s[K("FYT_DOVIZ")] = num(st, "SAT_FYT_DOVIZ");
        s[K("DOVIZ_KODU")] = kur;
        s[K("TL_KURDEGER")] = KabulKuru(db, kur, b.girisTarihi());
    }
    s[K("KDV")] = num(st, "KDV");
    s[K("GARANTI_TIPI")] = K("M");
    int sira = 0;
    for (const auto& r : b.parcalar)
        sira = qMax(sira, r.value(K("SIRANO")).toInt());
    b.YENI_KALEM = qMax(sira + 1, b.YENI_KALEM + 1);
    s[K("SIRANO")] = b.YENI_KALEM;
    s[K("VERILEN_MIKTAR")] = 0.0;
    s[K("TESLIM_TRH")] = QDateTime(ServerToday(db), QTime(0, 0));
    s[K("FYILI")] = b.fyili();
    s[K("DEPO_KODU")] = AnaDepoKodu();
    if (OzelFirmaMi(ctx) && str(st, "SERITAKIP") == QLatin1String("E"))
        s[K("SERINO")] = SeriNoGiriniz();
    if (!ParcaSatirKontrol(db, ctx, b, s))
        return -1;
    b.parcalar << s;
    return b.parcalar.size() - 1;
}

int BarkodlaEkle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, const QString& barkod)
{
    const QString yok = QStringLiteral("Aranan Barkod Bir Ürüne Atanmamış.");
    if (barkod.trimmed().isEmpty())
        return -1;
    Query q(db, QStringLiteral("SELECT STOK_NO FROM STOK WHERE BARKOD = :B ORDER BY STOK_NO"));
    q.bind(K("B"), barkod.trimmed()).exec();
    const QString hak = ctx.AktifKullanici.stok;
    if (!q.next() || (hak != QLatin1String("D") && hak != QLatin1String("N") && hak != QLatin1String("Y")))
        throw IslemReddi(yok, MsgIcon::Warning);
    const double stokNo = q.num(K("STOK_NO"));
    q.finish();
    return AlisEkle(db, ctx, b, stokNo);
}

void SeriNoDegisebilir(const IsDetayBelgesi& b, const QVariantMap& satir)
{
    Q_UNUSED(b);
    if (num(satir, "VERILEN_MIKTAR") > 0)
        throw IslemReddi(
            QStringLiteral("Teslim edilen seri/parti mevcut! Bunlar iade edilmeden seri/parti değiştirilemez!"));
}

void SeriNoSecilebilir(const Db& db, const IsDetayBelgesi& b, const QVariantMap& satir)
{
    Query q(db, QStringLiteral("SELECT SERITAKIP FROM STOK WHERE STOK_NO = :SNO"));
    q.bind(K("SNO"), satir.value(K("STOK_NO"))).exec();
    if (!q.next() || q.str(K("SERITAKIP")).trimmed() != QLatin1String("E"))
        throw IslemReddi(QStringLiteral("Bu üründe parti/seri no takibi yok!"), MsgIcon::Information);
    q.finish();
    SeriNoDegisebilir(b, satir);
}

namespace {
// Batches with more in than out; a batch nothing went out of counts too.
const char kPartiKalan[] =
    "SELECT SERINO, SUM(GIRMIK) AS GIRMIK, COALESCE(SUM(CIKMIK), 0) AS CIKMIK, "
    "SUM(GIRMIK) - COALESCE(SUM(CIKMIK), 0) AS KALAN FROM V_SERINO_HRK WHERE STOK_NO = :STOK_NO%1 "
    "GROUP BY SERINO HAVING SUM(GIRMIK) > COALESCE(SUM(CIKMIK), 0)";
} // namespace

Sorgu PartiSeriNoSorgu(double stokNo)
{
    return {QString::fromLatin1(kPartiKalan).arg(QString()) + QStringLiteral(" ORDER BY SERINO"),
            {{K("STOK_NO"), stokNo}}};
}

double PartiSeriKalan(const Db& db, double stokNo, const QString& seriNo)
{
    Query q(db, QString::fromLatin1(kPartiKalan).arg(QStringLiteral(" AND SERINO = :SERINO")));
    q.bind(K("STOK_NO"), stokNo).bind(K("SERINO"), seriNo).exec();
    return q.next() ? q.num(K("KALAN")) : 0.0;
}

bool ParcaSatirSil(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, int idx)
{
    if (!b.duzenleme || idx < 0 || idx >= b.parcalar.size())
        return false;
    const QVariantMap& r = b.parcalar.at(idx);
    if (num(r, "CLAIMNO") != 0) {
        ShowInfo(QStringLiteral("Bu kalemin Garanti Talepi var!"));
        return false;
    }
    if (OzelFirmaMi(ctx) && num(r, "VERILEN_MIKTAR") > 0)
        throw IslemReddi(QStringLiteral("Teslim edilen miktar mevcut! Bunlar iade edilmeden silinemez!"));
    bool siparisVar = false;
    if (db.dialect().tableExists(db, K("VERSIPDE"))) {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM VERSIPDE WHERE IE_SIRANO = :S AND IS_EMRI_NO = :IE"));
        q.bind(K("S"), r.value(K("SIRANO"))).bind(K("IE"), b.no()).exec();
        siparisVar = q.next() && q.value(0).toInt() > 0;
    }
    if (siparisVar) {
        if (ctx.AktifKullanici.diger25 != QLatin1String("E")) {
            ShowInfo(QStringLiteral("Bu kalemin Siparişi var!. Silme yetkiniz yok."));
            return false;
        }
        if (!AskYesNo(QStringLiteral("Bu kalemin Siparişi var!. Yine de silmek istiyor musunuz?")))
            return false;
    } else if (!AskYesNo(QStringLiteral("Kayıt Silinsin mi?"))) {
        return false;
    }
    b.parcalar.removeAt(idx);
    return true;
}

bool YPFiyatGuncelle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b)
{
    if (!b.duzenleme)
        return false;
    for (auto& r : b.parcalar) {
        if (str(r, "EXP") == QLatin1String("E"))
            continue;
        Query q(db, QStringLiteral("SELECT SAT_FYT_TL, SAT_FYT_DOVIZ, FYT_KUR FROM STOK WHERE STOK_KOD_NO = :K"));
        q.bind(K("K"), r.value(K("STOK_KOD_NO"))).exec();
        if (!q.next() || q.isNull(K("SAT_FYT_TL")))
            continue;
        QVariantMap s = r;
        s[K("STOK_FIYATI")] = q.num(K("SAT_FYT_TL"));
        const QString kur = q.str(K("FYT_KUR")).trimmed();
        if (!kur.isEmpty()) {
            s[K("FYT_DOVIZ")] = q.num(K("SAT_FYT_DOVIZ"));
            s[K("DOVIZ_KODU")] = kur;
        } else {
            // the card has left its currency: the old foreign price must not
            // overwrite the new lira price
            s[K("FYT_DOVIZ")] = s[K("DOVIZ_KODU")] = s[K("TL_KURDEGER")] = QVariant();
        }
        q.finish();
        if (ParcaSatirKontrol(db, ctx, b, s, false))
            r = s;
    }
    return true;
}

QString IscilikSecimiMesaji(const QString& iscilikKodu, int eklenenParca)
{
    const QString satir = QStringLiteral("%1 işçiliği iş emrine kaydedildi").arg(iscilikKodu);
    return eklenenParca > 0 ? satir + QStringLiteral(", %1 parçası eklendi.").arg(eklenenParca)
                            : satir + QStringLiteral("; bağlı parça yok.");
}

bool IscilikSatiriKaydet(const Db& db, const SessionContext& ctx, const QString& isEmriNo, const QString& kod,
                         const QString& model)
{
    const QString kapali = QStringLiteral("İşemri Kapalı yada Seçilmemiş!");
    DispozBelgesi d = DispozYukle(db, isEmriNo);
    if (!d.yuklu() || d.kapali())
        throw IslemReddi(kapali);
    for (const QVariantMap& r : d.iscilikler)
        if (str(r, "ARIZA_KODU") == kod && str(r, "EXP") != QLatin1String("E"))
            throw IslemReddi(QStringLiteral("%1 işçiliği bu iş emrinde zaten var.").arg(kod), MsgIcon::Information);
    QVariantMap binds;
    Query q(db, DispozFrtSorgusu({{}, {}, kod}, d.ozel1, binds));
    q.bindAll(binds).exec();
    QVariantMap kart;
    while (q.next()) {
        const QVariantMap r = SatirOku(q);
        if (kart.isEmpty() || str(r, "MODEL_KODU") == model)
            kart = r;
    }
    q.finish();
    if (kart.isEmpty())
        throw IslemReddi(QStringLiteral("%1 işçiliği bu aracın işçilik modeline tanımlı değil.").arg(kod));
    const int yeni = IscilikEkle(db, ctx, d, kart);
    if (yeni < 0)
        return false;
    Transaction tx(db);
    Query kilit(db, QStringLiteral("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :NO") + db.dialect().rowLockSuffix());
    kilit.bind(K("NO"), isEmriNo).exec();
    if (!kilit.next() || kilit.str(K("KAPANDI")) == QLatin1String("E"))
        throw IslemReddi(kapali);
    kilit.finish();
    IsEmriYazimi w;
    w.parcalar = false;
    IsEmriSatirlariYaz(db, ctx, d, w);
    tx.commit();
    return true;
}

int IscilikParcalariEkle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, const QString& kod,
                         const QString& model)
{
    Query q(db, QStringLiteral("SELECT IZP_MALZEME FROM TARIZPAR WHERE IZP_KODU = :K AND IZP_ARAC_TIPI = :M "
                               "ORDER BY IZP_MALZEME"));
    q.bind(K("K"), kod).bind(K("M"), model).exec();
    QStringList kodlar;
    while (q.next())
        if (!q.str(K("IZP_MALZEME")).trimmed().isEmpty())
            kodlar << q.str(K("IZP_MALZEME")).trimmed();
    int eklenen = 0;
    for (const QString& k : kodlar) {
        const QVariantMap st = stokOku(db, QStringLiteral("S.STOK_KOD_NO = :V"), k);
        if (!st.isEmpty() && AlisEkle(db, ctx, b, num(st, "STOK_NO")) >= 0)
            ++eklenen;
    }
    return eklenen;
}

QString StokAramaSorgusu(int mod, const QString& metin, QChar merkez, QVariantMap& binds)
{
    const QString f = merkez == u'M'   ? QStringLiteral(" AND MERKEZ = 1")
                      : merkez == u'O' ? QStringLiteral(" AND (MERKEZ <> 1 OR MERKEZ IS NULL)")
                                       : QString();
    QString sql = QStringLiteral("SELECT STOK_NO, STOK_ADI_TR, STOK_ADI_ING, BARKOD, STOK_KOD_NO, BIRIMI, SAT_FYT_TL, "
                                 "SAT_FYT_DOVIZ, FYT_KUR, SAT_FYT_USD, KDV, PAY, MODEL_NO, KRITIK_SEV, "
                                 "ESKI_PART_NO, YENI_KOD, YENI_KOD_SON, SERITAKIP FROM STOK ");
    binds.clear();
    const QString esc = Dialect::escapeLike(metin);
    if (mod == 1) {
        sql += QStringLiteral("WHERE STOK_ADI_TR LIKE :T ESCAPE '\\'") + f + QStringLiteral(" ORDER BY STOK_ADI_TR");
        binds.insert(K("T"), QLatin1Char('%') + esc + QLatin1Char('%'));
    } else if (mod == 2) {
        sql += QStringLiteral("WHERE BARKOD = :T") + f;
        binds.insert(K("T"), metin);
    } else {
        sql += QStringLiteral("WHERE STOK_KOD_NO IN (SELECT STOK_KOD_NO FROM STOK WHERE STOK_KOD_NO LIKE :T ESCAPE "
                              "'\\'%1 UNION ALL SELECT ESKI_PART_NO FROM STOK WHERE ESKI_PART_NO <> '' AND "
                              "STOK_KOD_NO LIKE :B ESCAPE '\\'%1) ORDER BY STOK_KOD_NO")
                   .arg(f);
        binds.insert(K("T"), QLatin1Char('%') + esc + QLatin1Char('%'));
        binds.insert(K("B"), esc + QLatin1Char('%'));
    }
    return sql;
}

YPKayitSonucu IsDetayKaydet(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, const KayitAdimi& adim)
{
    YPKayitSonucu out;
    if (!b.duzenleme || !b.yuklu())
        return out;
    IsDetayBelgesi kopya = b;
    try {
        Transaction tx(db);
        Query kapali(db, QStringLiteral("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :NO"));
        kapali.bind(K("NO"), b.no()).exec();
        if (!kapali.next() || kapali.str(K("KAPANDI")) == QLatin1String("E"))
            throw std::runtime_error("İşemri Kapalı yada Seçilmemiş!");
        kapali.finish();
        // Demand already placed by earlier lines of the same part and warehouse.
        QMap<QPair<double, QString>, double> kullanilan;
        for (auto& r : kopya.parcalar) {
            const double stokNo = num(r, "STOK_NO");
            QString depo = str(r, "DEPO_KODU");
            if (depo.isEmpty())
                depo = AnaDepoKodu();
            const double ver = num(r, "VERILEN_MIKTAR"), tes = num(r, "TESLIM_MIKTAR");
            Query m(db, QStringLiteral("SELECT MIKTAR FROM STOKMIK WHERE STOK_NO = :S AND DEPO_KOD = :D"));
            m.bind(K("S"), stokNo).bind(K("D"), depo).exec();
            if (m.next()) {
                const double stokta = m.num(K("MIKTAR"));
                m.finish();
                // What this work order's own earlier movements took from the warehouse is available again.
                Query h(db, QStringLiteral("SELECT SUM(GIRMIK - CIKMIK) FROM DEPOHRK WHERE ISEMRINO = :NO AND "
                                           "TIP IN ('I', 'G') AND STOK_NO = :S AND DEPO_KODU = :D"));
                h.bind(K("NO"), b.no()).bind(K("S"), stokNo).bind(K("D"), depo).exec();
                const double kendi = h.next() ? h.value(0).toDouble() : 0;
                h.finish();
                double& onceki = kullanilan[{stokNo, depo}];
                const double mevcut = stokta - kendi - onceki;
                const double n = ver + tes;
                if (n > mevcut + 1e-9 && tes > 0) {
                    out.sorun += QStringLiteral(" %1 .... %2 .. stokta:%3\r\n")
                                     .arg(str(r, "STOK_KOD_NO"), str(r, "YEDEK_P_ADI"), kisa(mevcut - ver));
                    if (!ctx.NegatifStok)
                        r[K("TESLIM_MIKTAR")] = 0.0;
                } else if (n < 0) {
                    out.sorun += QStringLiteral(" %1 .... %2 .. iade miktar teslim miktardan fazla olamaz!")
                                     .arg(str(r, "STOK_KOD_NO"), str(r, "YEDEK_P_ADI"));
                    r[K("TESLIM_MIKTAR")] = 0.0;
                }
                const double t = num(r, "TESLIM_MIKTAR");
                if (t != 0)
                    r[K("VERILEN_MIKTAR")] = ver + t;
                onceki += num(r, "VERILEN_MIKTAR");
            }
            if (num(r, "VERILEN_MIKTAR") < num(r, "STOK_MIKTAR"))
                out.bekleyenVar = true;
        }
        // Tracked parts of the configured company go out only from a batch with
        // enough left.
        if (OzelFirmaMi(ctx)) {
            QString eksik;
            for (const auto& r : kopya.parcalar) {
                if (num(r, "TESLIM_MIKTAR") <= 0)
                    continue;
                Query t(db, QStringLiteral("SELECT SERITAKIP FROM STOK WHERE STOK_NO = :STOK_NO"));
                t.bind(K("STOK_NO"), r.value(K("STOK_NO"))).exec();
                const bool takip = t.next() && t.str(K("SERITAKIP")).trimmed() == QLatin1String("E");
                t.finish();
                if (takip && num(r, "TESLIM_MIKTAR") > PartiSeriKalan(db, num(r, "STOK_NO"), str(r, "SERINO")) + 0.01) {
                    eksik = QStringLiteral(" %1 parti/serili ürün stokta yeterli değil! \r\n").arg(str(r, "STOK_KOD_NO"));
                    break;
                }
            }
            if (!eksik.isEmpty()) {
                out.sorun += eksik;
                throw IslemReddi(QStringLiteral("Parti/Seri yetersiz/tanımsız stok"));
            }
        }
        if (adim)
            adim("kontrol");
        IsEmriYazimi w;
        w.basliklar = b.baslikDegisiklikleri;
        w.iscilikler = false;
        w.adim = adim;
        IsEmriSatirlariYaz(db, ctx, kopya, w);
        tx.commit();
    } catch (const std::exception& e) {
        ShowError(KayitHataMetni(e));
        return out;
    }
    for (auto it = b.baslikDegisiklikleri.cbegin(); it != b.baslikDegisiklikleri.cend(); ++it)
        kopya.isemri.insert(it.key(), it.value());
    kopya.baslikDegisiklikleri.clear();
    kopya.parcalarYuklenen = kopya.parcalar;
    kopya.duzenleme = false;
    b = kopya;
    out.kaydedildi = true;
    if (out.bekleyenVar)
        ShowWarning(QStringLiteral("Bu İşemrine ait Bekleyen Parçalar var."));
    return out;
}

QString SorunPaneliMetni(const SessionContext& ctx, const QString& sorun)
{
    if (sorun.isEmpty())
        return {};
    return sorun + QStringLiteral("\r\n\r\n")
           + (ctx.NegatifStok ? QStringLiteral("STOK MİKTARLARI NEGATİF(-) SEVİYEYE DÜŞTÜ !")
                              : QStringLiteral("STOK MİKTARLARI YETERLİ DEĞİL !"));
}

QString IsciAdi(const Db& db, const QString& kod)
{
    if (kod.trimmed().isEmpty())
        return {};
    Query q(db, QStringLiteral("SELECT ISCI_ADI FROM ISCIUSTA WHERE ISCI_KOD = :K"));
    q.bind(QStringLiteral("K"), kod.trimmed()).exec();
    return q.next() ? q.str(QStringLiteral("ISCI_ADI")).trimmed() : QString();
}

} // namespace tornaly::workshop
