#include "workshop/common/RowValues.h"
#include "workshop/dispositions/Dispoz.h"

#include "context/SessionContext.h"
#include "db/DbError.h"
#include "messages/Messages.h"
#include "services/CentralServices.h"
#include "services/KurBul.h"
#include "workshop/labour/Frt.h"
#include "workshop/labour/Tarizpar.h"

#include <stdexcept>

namespace tornaly::workshop {

namespace {
using rowvals::K;
using rowvals::str;
using rowvals::num;
using rowvals::musteriOder;

int sonrakiSira(const QList<QVariantMap>& satirlar)
{
    int m = 0;
    for (const auto& r : satirlar)
        m = qMax(m, r.value(K("SIRANO")).toInt());
    return m + 1;
}
} // namespace

DispozBelgesi DispozYukle(const Db& db, const QString& isEmriNo)
{
    DispozBelgesi b;
    static_cast<IsEmriBelgesi&>(b) = IsEmriBelgesiYukle(db, isEmriNo);
    if (b.yuklu())
        b.musteri = MusteriOku(db, b.cariKod());
    return b;
}

QString DispozFrtSorgusu(const FrtAramaDispoz& a, const QString& ozel1, QVariantMap& binds)
{
    QString sql = QStringLiteral("SELECT FRT_KODU, FRT_ADI, FRT_ING_ADI, MODEL_KODU, FRT_GRP_KODU, FRT_ZAMAN, "
                                 "BIRIM_FIYAT_TL, KDV, KBMY, ALT_GRUP, ALTER_KOD, LOKAS_KOD, PREW_KOD1, PREW_KOD2, "
                                 "ACIKLAMA1, ACIKLAMA2, ACIKLAMA3, DOVIZ_KODU, BIRIM_FIYAT_DVZ, KLEIM_TURU FROM FRT "
                                 "WHERE KLEIM_TURU = 'A' AND (KBMY IS NULL OR KBMY <> 'H')");
    binds.clear();
    if (!a.kodTam.isEmpty()) {
        sql += QStringLiteral(" AND FRT_KODU = :KOD");
        binds.insert(K("KOD"), a.kodTam);
    } else if (!a.kod.isEmpty()) {
        sql += QStringLiteral(" AND FRT_KODU LIKE :KOD ESCAPE '\\'");
        binds.insert(K("KOD"), QLatin1Char('%') + Dialect::escapeLike(a.kod) + QLatin1Char('%'));
    } else if (!a.ad.isEmpty()) {
        sql += QStringLiteral(" AND FRT_ADI LIKE :AD ESCAPE '\\'");
        binds.insert(K("AD"), QLatin1Char('%') + Dialect::escapeLike(a.ad) + QLatin1Char('%'));
    }
    if (!ozel1.isEmpty() && ozel1 != GenelModel()) {
        sql += QStringLiteral(" AND MODEL_KODU IN (:MODEL, 'ZZ')");
        binds.insert(K("MODEL"), ozel1);
    } else {
        sql += QStringLiteral(" AND MODEL_KODU = 'ZZ'");
    }
    return sql + QStringLiteral(" ORDER BY FRT_KODU, MODEL_KODU");
}

int IscilikEkle(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const QVariantMap& frt, bool parcadan)
{
    if (!b.yuklu() || b.kapali() || frt.isEmpty())
        return -1;
    const QString model = str(frt, "MODEL_KODU");
    const bool modelUygun = model == GenelModel() || (!b.ozel1.isEmpty() && model == b.ozel1);
    if (!modelUygun || str(frt, "KLEIM_TURU") != QLatin1String("A"))
        return -1;
    const QString kod = str(frt, "FRT_KODU");
    bool soruldu = false;
    for (const auto& r : b.iscilikler) {
        if (parcadan || str(r, "ARIZA_KODU") != kod)
            continue;
        if (str(r, "EXP") != QLatin1String("E"))
            return -1;
        if (!AskYesNo(QStringLiteral("Bu İşçilik Kaydı var!, Yeni Kayıt Açmak İstermisiniz?")))
            return -1;
        soruldu = true;
        break;
    }
    QVariantMap s;
    s[K("ISEMRI_NO")] = b.no();
    s[K("FYILI")] = b.fyili();
    s[K("SIRANO")] = sonrakiSira(b.iscilikler);
    if (!soruldu) {
        const QString tip = str(b.isemri, "IE_TIP");
        const char* kolon = nullptr;
        if (tip == QLatin1String("A") || tip == QLatin1String("E") || tip == QLatin1String("Y"))
            kolon = "IND_YUZ_ARZ";
        else if (tip == QLatin1String("B"))
            kolon = "IND_YUZ_BKM";
        else if (tip == QLatin1String("H"))
            kolon = "IND_YUZ_HSR";
        if (kolon && !b.musteri.value(K(kolon)).isNull())
            s[K("ISK_ORAN")] = num(b.musteri, kolon);
    }
    s[K("ARIZA_KODU")] = kod;
    s[K("ARIZA_ADI")] = frt.value(K("FRT_ADI"));
    s[K("SURE")] = num(frt, "FRT_ZAMAN");
    s[K("ISCILIK_B_FIYATI")] = num(frt, "BIRIM_FIYAT_TL");
    s[K("QTY")] = 1;
    s[K("GARANTI_TIPI")] = K("M");
    s[K("KDV")] = num(frt, "KDV");
    if (!soruldu && str(b.isemri, "IE_TIP") == QLatin1String("H") && db.dialect().tableExists(db, K("EXPERISC"))) {
        Query q(db, QStringLiteral("SELECT SURE, BRFIYAT FROM EXPERISC WHERE IS_EMRI_NO = :NO AND ISCILIK_KOD = :K"));
        q.bind(K("NO"), b.no()).bind(K("K"), kod).exec();
        if (q.next()) {
            s[K("EXP")] = K("E");
            s[K("SURE")] = q.num(K("SURE"));
            s[K("ISCILIK_B_FIYATI")] = q.num(K("BRFIYAT"));
        }
    }
    // A card priced in a currency but without a currency price keeps its
    // lira price: a rate times nothing would zero the line.
    const QString dvz = str(frt, "DOVIZ_KODU");
    if (!dvz.isEmpty() && dvz != ctx.YerelPara && num(frt, "BIRIM_FIYAT_DVZ") > 0) {
        s[K("FYT_DOVIZ")] = num(frt, "BIRIM_FIYAT_DVZ");
        s[K("DOVIZ_KODU")] = dvz;
        s[K("TL_KURDEGER")] = KabulKuru(db, dvz, b.girisTarihi());
    }
    if (!IscilikSatirKontrol(db, ctx, b, s, QStringLiteral(" "), {}))
        return -1;
    b.iscilikler << s;
    const int idx = b.iscilikler.size() - 1;
    if (!soruldu && kod == QLatin1String("DIS01")) {
        for (const char* c : {"ACIKLAMA1", "ACIKLAMA2", "ACIKLAMA3"}) {
            const QString not_ = str(frt, c);
            if (not_.isEmpty())
                continue;
            QVariantMap n{{K("ISEMRI_NO"), b.no()}, {K("FYILI"), b.fyili()}, {K("SIRANO"), sonrakiSira(b.iscilikler)},
                          {K("ARIZA_KODU"), QString()}, {K("ARIZA_ADI"), not_}, {K("ARIZA_GRUP"), K("A")}};
            IscilikSatirKontrol(db, ctx, b, n, QStringLiteral(" "), {});
            b.iscilikler << n;
        }
    }
    return idx;
}

int IscilikEkleKod(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const QString& kod, bool parcadan)
{
    QVariantMap binds;
    Query q(db, DispozFrtSorgusu({{}, {}, kod}, b.ozel1, binds));
    q.bindAll(binds).exec();
    QVariantMap secilen;
    while (q.next()) {
        const QVariantMap r = SatirOku(q);
        // the vehicle's own labour model wins over "ZZ"
        if (secilen.isEmpty() || str(r, "MODEL_KODU") != GenelModel())
            secilen = r;
    }
    if (secilen.isEmpty()) {
        ShowInfo(QStringLiteral("Parçaya tanımlı işçilik kodu bulunamadı!"));
        return -1;
    }
    return IscilikEkle(db, ctx, b, secilen, parcadan);
}

namespace {
int parcaIscilikEkle(const Db& db, const SessionContext& ctx, DispozBelgesi& b, int parcaIdx, const QList<int>& atanacak,
                     const IscilikKoduSecici& secici)
{
    const QString parca = str(b.parcalar.at(parcaIdx), "STOK_KOD_NO");
    const ParcaIscilikTanimi t = ParcaIscilikKodu(db, parca);
    if (t.adet == 0) {
        ShowInfo(QStringLiteral("Parçanın işçilik tanımı mevcut değil"));
        return -1;
    }
    const QString kod = t.adet == 1 ? t.kod : (secici ? secici(parca).trimmed() : QString());
    if (kod.isEmpty())
        return -1;
    const int i = IscilikEkleKod(db, ctx, b, kod, true);
    if (i >= 0)
        ParcayaIscilikAta(b, atanacak, i);
    return i;
}
} // namespace

int ParcayaIscilikSec(const Db& db, const SessionContext& ctx, DispozBelgesi& b, int parcaIdx, const QList<int>& atanacak,
                      const IscilikKoduSecici& secici)
{
    if (!b.yuklu() || b.kapali() || parcaIdx < 0 || parcaIdx >= b.parcalar.size())
        return -1;
    if (!str(b.parcalar.at(parcaIdx), "ARIZA_KODU").isEmpty()) {
        ShowInfo(QStringLiteral("İşçilik seçilmiş!"));
        return -1;
    }
    return parcaIscilikEkle(db, ctx, b, parcaIdx, atanacak.isEmpty() ? QList<int>{parcaIdx} : atanacak, secici);
}

int ParcalaraIscilikSec(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const IscilikKoduSecici& secici)
{
    if (!b.yuklu() || b.kapali())
        return 0;
    int eklenen = 0;
    for (int i = 0; i < b.parcalar.size(); ++i)
        if (str(b.parcalar.at(i), "ARIZA_KODU").isEmpty() && parcaIscilikEkle(db, ctx, b, i, {i}, secici) >= 0)
            ++eklenen;
    return eklenen;
}

bool IscilikSatirKontrol(const Db& db, const SessionContext& ctx, const DispozBelgesi& b, QVariantMap& s,
                         const QString& sonGtip, const QVariantMap& onceki, bool aktarim)
{
    const bool yorum = str(s, "ARIZA_GRUP") == QLatin1String("A");
    if (!yorum && str(s, "ARIZA_KODU").isEmpty())
        return false;
    if (yorum) {
        s[K("ARIZA_KODU")] = QString();
        for (const char* c : {"ISCILIK_B_FIYATI", "QTY", "SURE", "KDV"})
            s[K(c)] = 0;
        s[K("GARANTI_TIPI")] = K("M");
    }
    QString tur = str(s, "GARANTI_TIPI");
    if (tur.isEmpty())
        s[K("GARANTI_TIPI")] = tur = K("M");
    if (!yorum) {
        const double fiyat = num(s, "ISCILIK_B_FIYATI");
        if (sonGtip == QLatin1String("M") || sonGtip == QLatin1String("K") || sonGtip == QLatin1String("D")) {
            if (!musteriOder(tur)) {
                const double g = GarantiSaatFiyati(db);
                if (g > 0 && g != fiyat)
                    s[K("ISCILIK_B_FIYATI")] = g;
            }
        } else if (str(s, "EXP") != QLatin1String("E") && musteriOder(tur) && !aktarim) {
            const double l = FrtListeFiyati(db, str(s, "ARIZA_KODU"), b.ozel1);
            if (l > 0 && l != fiyat)
                s[K("ISCILIK_B_FIYATI")] = l;
        }
    }
    const QString at = str(s, "A_T");
    if (at != QLatin1String("A") && at != QLatin1String("T"))
        s[K("A_T")] = QVariant();
    if (tur != QLatin1String("G") && str(s, "EXP") == QLatin1String("R"))
        s[K("EXP")] = QVariant();
    if (!onceki.isEmpty() && num(s, "SURE") == 0)
        s[K("SURE")] = onceki.value(K("SURE"));
    if (!DovizliFiyat(db, ctx, b, s, K("ISCILIK_B_FIYATI")))
        return false;
    if (!s.value(K("ISK_ORAN")).isNull())
        s[K("ISK_ORAN")] = IscilikIskontoSiniri(num(s, "ISK_ORAN"), ctx, b.kampanyaVar);
    s[K("TOPLAM")] = num(s, "ISCILIK_B_FIYATI") * num(s, "SURE") * num(s, "QTY");
    return true;
}

bool DispozParcaKontrol(const SessionContext& ctx, const DispozBelgesi& b, QVariantMap& s)
{
    if (str(s, "GARANTI_TIPI") != QLatin1String("G") && str(s, "EXP") == QLatin1String("R"))
        s[K("EXP")] = QVariant();
    if (!s.value(K("ISK_ORAN")).isNull())
        s[K("ISK_ORAN")] = ParcaIskontoSiniri(num(s, "ISK_ORAN"), ctx, b.kampanyaVar);
    return true;
}

void ParcayaIscilikAta(DispozBelgesi& b, const QList<int>& parcaIdx, int iscilikIdx)
{
    if (iscilikIdx < 0 || iscilikIdx >= b.iscilikler.size() || b.kapali())
        return;
    const auto& i = b.iscilikler.at(iscilikIdx);
    for (int p : parcaIdx)
        if (p >= 0 && p < b.parcalar.size()) {
            b.parcalar[p][K("ARIZA_KODU")] = i.value(K("ARIZA_KODU"));
            b.parcalar[p][K("ISC_SIRANO")] = i.value(K("SIRANO"));
        }
}

void ParcaIscilikAtamaSil(DispozBelgesi& b, int p)
{
    if (p < 0 || p >= b.parcalar.size() || b.kapali())
        return;
    b.parcalar[p][K("ARIZA_KODU")] = QVariant();
    b.parcalar[p][K("ISC_SIRANO")] = QVariant();
}

bool DispozFiyatGuncelle(const Db& db, const SessionContext& ctx, DispozBelgesi& b)
{
    if (b.kapali())
        return false;
    if (!ctx.AktifKullanici.ie_yp_fyt) {
        ShowInfo(NoRightText());
        return false;
    }
    for (auto& r : b.parcalar) {
        Query q(db, QStringLiteral("SELECT SAT_FYT_TL FROM STOK WHERE STOK_KOD_NO = :K"));
        q.bind(K("K"), r.value(K("STOK_KOD_NO"))).exec();
        if (q.next() && !q.isNull(K("SAT_FYT_TL")))
            r[K("STOK_FIYATI")] = q.num(K("SAT_FYT_TL"));
    }
    return true;
}

bool FiyatlariTLyeSabitle(DispozBelgesi& b)
{
    if (AskYesNoCancel(QStringLiteral("Fiyatları TL ye dönüştürmek istiyor musunuz?")) != MsgYes)
        return false;
    for (auto& r : b.parcalar)
        for (const char* c : {"DOVIZ_KODU", "TL_KURDEGER", "FYT_DOVIZ"})
            r[K(c)] = QVariant();
    return true;
}

bool IscilikAtamaYok(const DispozBelgesi& b)
{
    for (const auto& r : b.parcalar)
        if (str(r, "GARANTI_TIPI") == QLatin1String("G") && str(r, "ARIZA_KODU").isEmpty())
            return true;
    return false;
}

bool BekleyenYPvar(const QList<QVariantMap>& parcalar)
{
    for (const auto& r : parcalar)
        if (num(r, "VERILEN_MIKTAR") < num(r, "STOK_MIKTAR"))
            return true;
    return false;
}

namespace {
bool kapaliMi(const Db& db, const QString& no, bool kilitle = false)
{
    Query q(db, QStringLiteral("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :NO") +
                    (kilitle ? db.dialect().rowLockSuffix() : QString()));
    q.bind(K("NO"), no).exec();
    return !q.next() || q.str(K("KAPANDI")) == QLatin1String("E");
}
} // namespace

bool DispozKaydet(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const KayitAdimi& adim)
{
    if (!b.yuklu() || kapaliMi(db, b.no())) {
        ShowError(QStringLiteral("İşemri Kapalı yada Seçilmemiş!"));
        return false;
    }
    if (BekleyenYPvar(b.parcalar))
        ShowInfo(QStringLiteral("Bu İşemrine ait Bekleyen Parçalar var."));
    if (IscilikAtamaYok(b)
        && Messages().show(MsgIcon::Warning,
                           QStringLiteral("İşçilik Ataması Yapılmamış Garantili Ürünler Var.Yine de Kayıt Saklansın mı?"),
                           MsgYes | MsgNo, MsgYes, {}) != MsgYes)
        return false;
    try {
        Transaction tx(db);
        // An invoice may have closed the work order since it was loaded.
        if (kapaliMi(db, b.no(), true)) {
            tx.rollback();
            ShowError(QStringLiteral("İşemri Kapalı yada Seçilmemiş!"));
            return false;
        }
        IsEmriYazimi w;
        w.basliklar = b.baslikDegisiklikleri;
        w.basliklar.insert(K("DISPOZ_YAP"), K("E"));
        w.adim = adim;
        IsEmriSatirlariYaz(db, ctx, b, w);
        const QVariantMap ie{{K("IENO"), b.no()}, {K("IENOS"), b.no()}};
        db.exec(QStringLiteral("UPDATE PEROKUM SET ARIZA_KODU = NULL, IS_TIP = 'I', SATILAN_SURE = 0, "
                               "IE_SIRANO = NULL WHERE IENO = :IENO AND TIPKOD = 'I' AND IE_SIRANO NOT IN "
                               "(SELECT SIRANO FROM ISCILIK WHERE ISEMRI_NO = :IENOS AND ONARAN_KISI IS NOT NULL "
                               "AND ONARAN_KISI <> '')"),
                ie);
        for (const PdksSecimi& p : b.pdks)
            db.exec(QStringLiteral("UPDATE PEROKUM SET ARIZA_KODU = :A, IE_SIRANO = :S, IS_TIP = :T, "
                                   "SATILAN_SURE = :SS WHERE IENO = :IENO AND SIRANO = :B AND PER_KOD = :P"),
                    {{K("A"), p.ARIZA_KODU}, {K("S"), p.SIRANO}, {K("T"), p.IS_TIP}, {K("SS"), p.SURE},
                     {K("IENO"), p.ISEMERINO}, {K("B"), p.DOSYASIRANO}, {K("P"), p.PER_KOD}});
        if (adim)
            adim("pdks");
        tx.commit();
    } catch (const std::exception& e) {
        ShowError(KayitHataMetni(e));
        return false;
    }
    b.pdks.clear();
    return true;
}

bool IsEmriKapat(const Db& db, const SessionContext& ctx, const QString& no)
{
    if (ctx.AktifKullanici.ie_ackapat == QLatin1String("H")) {
        ShowInfo(NoRightText());
        return false;
    }
    if (no.isEmpty() || kapaliMi(db, no))
        return false;
    if (!AskYesNo(QStringLiteral("İş Emrini Kapatmak İstedeğinizden Emin misiniz?")))
        return false;
    const QDateTime an = SunucuTarihSaat(db);
    const QTime t = an.time();
    try {
        Transaction tx(db);
        db.exec(QStringLiteral("UPDATE ISEMRI SET ONARIM_BELGE = 0 WHERE IS_EMRI_NO = :NO"), {{K("NO"), no}});
        db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI = :Durum, TAHMINI_TES_TRH = :TTT, TAH_TES_SAAT = :TTS "
                               "WHERE IS_EMRI_NO = :NO"),
                {{K("Durum"), K("E")},
                 {K("TTT"), Query::toDbValue(QDateTime(an.date(), QTime(0, 0)), db.backend())},
                 {K("TTS"), Query::toDbValue(QDateTime(QDate(1899, 12, 30), QTime(t.hour(), t.minute(), t.second())),
                                             db.backend())},
                 {K("NO"), no}});
        tx.commit();
    } catch (const std::exception& e) {
        ShowError(KayitHataMetni(e));
        return false;
    }
    return true;
}

bool IsEmriTekrarAc(const Db& db, const SessionContext& ctx, const QString& no)
{
    if (ctx.AktifKullanici.ie_ackapat == QLatin1String("H")) {
        ShowInfo(NoRightText());
        return false;
    }
    Query q(db, QStringLiteral("SELECT FYILI, KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :NO"));
    q.bind(K("NO"), no).exec();
    if (!q.next() || q.str(K("KAPANDI")) != QLatin1String("E"))
        return false;
    const int fyili = int(q.integer(K("FYILI")));
    q.finish();
    if (fyili != ctx.CalismaYiliNo) {
        ShowError(QStringLiteral("Geçmiş Yılın İş Emrini Açamazsınız!"));
        return false;
    }
    if (db.dialect().tableExists(db, K("SERFAT"))) {
        Query f(db, QStringLiteral("SELECT COUNT(*) FROM SERFAT WHERE IS_EMRI_NO = :NO"));
        f.bind(K("NO"), no).exec();
        if (f.next() && f.value(0).toInt() > 0) {
            f.finish();
            ShowWarning(QStringLiteral("Bu İşemrine Fatura Kesilmiş.Lütfen Fatura Değerlerini Değiştirmeden "
                                       "Düzeltme Yapınız. !"));
            return false;
        }
    }
    if (!AskYesNo(QStringLiteral("İş Emrini Tekrar Açmak İstediğinizden Emin misiniz?")))
        return false;
    // Only the state changes: the closing moment stays as the record of the last close.
    db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI = 'H' WHERE IS_EMRI_NO = :NO AND KAPANDI = 'E'"),
            {{K("NO"), no}});
    return true;
}

PdksSonuc CihazdanGelenSec(const Db& db, DispozBelgesi& b, int idx, const QString& perKod, const QList<int>& secilen)
{
    PdksSonuc out;
    if (idx < 0 || idx >= b.iscilikler.size() || perKod.isEmpty())
        return out;
    QVariantMap& s = b.iscilikler[idx];
    Query q(db, QStringLiteral("SELECT SIRANO, FIILISURE FROM PEROKUM WHERE IENO = :IENO AND PER_KOD = :P "
                               "AND TIPKOD = 'I' ORDER BY SIRANO"));
    q.bind(K("IENO"), b.no()).bind(K("P"), perKod).exec();
    const double satilan = num(s, "QTY") * num(s, "SURE");
    const QString tur = str(s, "GARANTI_TIPI");
    const QString isTip = str(b.isemri, "IE_TIP") == QLatin1String("P") ? K("P")
                          : tur == QLatin1String("G")                   ? K("GA")
                                                                         : K("M");
    bool ilk = true;
    while (q.next()) {
        const int sira = int(q.integer(K("SIRANO")));
        if (!secilen.isEmpty() && !secilen.contains(sira))
            continue;
        PdksSecimi p;
        p.ISEMERINO = b.no();
        p.SIRANO = s.value(K("SIRANO")).toInt();
        p.ARIZA_KODU = str(s, "ARIZA_KODU");
        p.SURE = ilk ? satilan : 0;
        p.FIILISURE = q.num(K("FIILISURE"));
        p.IS_TIP = isTip;
        p.PER_KOD = perKod;
        p.DOSYASIRANO = sira;
        b.pdks << p;
        out.zaman += p.FIILISURE;
        ilk = false;
    }
    out.per_kod = perKod;
    if (out.zaman > 0) {
        s[K("FIILISURE")] = out.zaman;
        if (str(s, "ONARAN_KISI").isEmpty())
            s[K("ONARAN_KISI")] = perKod;
    }
    return out;
}

} // namespace tornaly::workshop
