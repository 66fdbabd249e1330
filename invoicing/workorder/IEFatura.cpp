#include "util/Utf8.h"
#include "invoicing/workorder/IEFatura.h"
#include "accounts/ledger/CariHrk.h"
#include "aftersales/calls/AramaPer.h"
#include "company/Kilit.h"
#include "context/SessionContext.h"
#include "counters/Counters.h"
#include "db/BatchInsert.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "accounts/vouchers/CariHrkFis.h"
#include "invoicing/numbering/FatNo.h"
#include "messages/Messages.h"
#include "services/KurBul.h"
#include "services/MuhasebeEntegre.h"
#include "invoicing/print/IEFatExcel.h"
#include "sql/SqlHelpers.h"
#include "stock/ledger/DepoHrk.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>

namespace tornaly::invoicing {

namespace {

using text::S;

double g_sonSatisNo = 0;

const QStringList& serfatKolonlari()
{
    static const QStringList k = {
        S("SATIS_NO"), S("FAT_NO"), S("FAT_TUR"), S("TURU"), S("IS_EMRI_NO"), S("IE_TIP"), S("IE_FAT_SIRA"),
        S("FYILI"), S("MUSTERI_KOD"), S("CARI_KOD"), S("CARI_AD"), S("VDAIRE"), S("VNO"), S("TARIH"), S("SAAT"),
        S("SEVK_TARIH"), S("SEVK_SAAT"), S("VADE_TRH"), S("ODE_KOD"), S("ODE_TIP"), S("ODEME_SEKLI"), S("PER_KOD"),
        S("BRUT_TUTAR"), S("INDIRIM"), S("TOPLAM_TUTAR"), S("KDV_TUTARI"), S("KDVTEV"), S("KDVTEV_TUT"),
        S("NET_TUTAR"), S("GARANTI_TUTAR"), S("IND_TUT_PAR"), S("IND_YUZ_PAR"), S("IND_TUT_ISCI"),
        S("IND_YUZ_ISCI"), S("BRUT_TUTAR_DVZ"), S("INDIRIM_DVZ"), S("TOPLAM_TUTAR_DVZ"), S("KDV_TUTARI_DVZ"),
        S("KDVTEV_TUT_DVZ"), S("IND_TUT_PAR_DVZ"), S("IND_YUZ_PAR_DVZ"), S("IND_TUT_ISCI_DVZ"),
        S("IND_YUZ_ISCI_DVZ"), S("NETTUT_DVZ"), S("DOVIZ_KODU"), S("TL_KURDEGER"), S("USD_KUR"), S("USD_TUTAR"),
        S("FIS_NO"), S("AKTARILDI"), S("ENT_KOD"), S("STATU"), S("EK1"), S("EF_STATU"), S("EF_POSTAKUTUSU"),
        S("EF_GUID"), S("GARANTI_BELGENO"), S("EXTRE_NO"), S("EXCEL_AKTAR")};
    return k;
}

const QStringList& serfatdtKolonlari()
{
    static const QStringList k = {S("SATIS_NO"), S("SIRA"), S("PARCA_ISCILIK"), S("PI_KOD"), S("PI_AD"),
                                  S("BIRIM_FIYAT"), S("MIKTAR"), S("KDV"), S("ISKONTO"), S("GER_TUT"),
                                  S("ISK_TUT"), S("GARANTI_TIP"), S("EXPER"), S("CLAIM_NO"), S("IENO"),
                                  S("REFSIRA"), S("FYT_DOVIZ"), S("DOVIZ_KODU"), S("TL_KURDEGER"), S("PER_KOD")};
    return k;
}

QVariant bosIseNull(const QString& s)
{
    return s.isEmpty() ? QVariant() : QVariant(s);
}

QVariant sifirIseNull(double v)
{
    return v == 0 ? QVariant() : QVariant(v);
}

QDateTime gun(const QDate& d)
{
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

struct CariBilgi {
    bool var = false;
    QString FIRMA_ADI, VD, VN, DOVIZ;
    int VADEGUN = 0;
    double IND_YUZ_PAR = 0, IND_YUZ_ISCI = 0;
    int EF_MUKELLEF = 0;
};

CariBilgi cariOku(const Db& db, const QString& kod)
{
    CariBilgi c;
    Query q(db, S("SELECT FIRMA_ADI, VD, VN, KIMLIKNO, CINSIYET, DOVIZ, VADEGUN, IND_YUZ_PAR, IND_YUZ_ISCI, "
                  "EF_MUKELLEF FROM CARI WHERE CARI_KOD = :K"));
    q.bind(S("K"), kod).exec();
    if (!q.next())
        return c;
    c.var = true;
    c.FIRMA_ADI = q.str(S("FIRMA_ADI"));
    c.VD = q.str(S("VD"));
    // A company is known by its tax number, a person by the identity number.
    c.VN = q.str(S("CINSIYET")) == QLatin1String("F") || q.str(S("KIMLIKNO")).isEmpty() ? q.str(S("VN"))
                                                                                       : q.str(S("KIMLIKNO"));
    c.DOVIZ = q.str(S("DOVIZ")).trimmed();
    c.VADEGUN = int(q.num(S("VADEGUN")));
    c.IND_YUZ_PAR = q.num(S("IND_YUZ_PAR"));
    c.IND_YUZ_ISCI = q.num(S("IND_YUZ_ISCI"));
    c.EF_MUKELLEF = int(q.num(S("EF_MUKELLEF")));
    return c;
}

IEFatSatir satirOku(const Query& q)
{
    IEFatSatir s;
    s.SIRA = int(q.num(S("SIRA")));
    s.PARCA_ISCILIK = q.str(S("PARCA_ISCILIK"));
    s.PI_KOD = q.str(S("PI_KOD"));
    s.PI_AD = q.str(S("PI_AD"));
    s.BIRIM_FIYAT = q.num(S("BIRIM_FIYAT"));
    s.MIKTAR = q.num(S("MIKTAR"));
    s.KDV = q.num(S("KDV"));
    s.ISKONTO = q.num(S("ISKONTO"));
    s.GER_TUT = q.num(S("GER_TUT"));
    s.ISK_TUT = q.num(S("ISK_TUT"));
    s.GARANTI_TIP = q.str(S("GARANTI_TIP"));
    s.EXPER = q.str(S("EXPER"));
    s.CLAIM_NO = q.num(S("CLAIM_NO"));
    s.IENO = q.str(S("IENO"));
    s.REFSIRA = int(q.num(S("REFSIRA")));
    s.FYT_DOVIZ = q.num(S("FYT_DOVIZ"));
    s.DOVIZ_KODU = q.str(S("DOVIZ_KODU")).trimmed();
    s.TL_KURDEGER = q.num(S("TL_KURDEGER"));
    s.PER_KOD = q.str(S("PER_KOD"));
    return s;
}

QList<IEFatSatir> satirlariOku(const Db& db, double satisNo)
{
    QList<IEFatSatir> r;
    Query q(db, S("SELECT * FROM SERFATDT WHERE SATIS_NO = :S ORDER BY SIRA"));
    q.bind(S("S"), satisNo).exec();
    while (q.next())
        r << satirOku(q);
    return r;
}

double kurBul(const SessionContext& ctx, const Db& db, const QString& doviz, const QDate& tarih)
{
    if (YerelParaMi(ctx, doviz))
        return 1.0;
    return GetCurrencyRate(db, doviz, false, tarih.isValid() ? tarih : ServerToday(db));
}

bool parcaStokluSatir(const IEFatSatir& s)
{
    return s.PARCA_ISCILIK == QLatin1String("P") && s.GARANTI_TIP != QLatin1String("G") &&
           s.GARANTI_TIP != QLatin1String("I");
}

bool isaretliSatir(const IEFatSatir& s)
{
    return s.GARANTI_TIP != QLatin1String("G") && s.GARANTI_TIP != QLatin1String("I");
}

void adimBildir(const std::function<void(const QString&)>& adim, const char* ad)
{
    if (adim)
        adim(S(ad));
}

} // namespace

// ---- kinds -------------------------------------------------------------------

QString FatTurHarf(int index)
{
    switch (index) {
    case 0: return S("I");
    case 1: return S("E");
    case 2: return S("G");
    case 3: return S("D");
    default: return {};
    }
}

int FatTurIndex(const QString& harf)
{
    if (harf == QLatin1String("I") || harf.isEmpty())
        return 0;
    if (harf == QLatin1String("E"))
        return 1;
    if (harf == QLatin1String("G"))
        return 2;
    if (harf == QLatin1String("D"))
        return 3;
    return -1;
}

QString FatTurMetni(const QString& harf)
{
    switch (FatTurIndex(harf)) {
    case 0: return S("İŞ EMRİ");
    case 1: return S("EKSPERTİZ");
    case 2: return S("GARANTİ");
    case 3: return S("DİĞER");
    default: return {};
    }
}

double SonIEFatSatisNo()
{
    return g_sonSatisNo;
}

void SetSonIEFatSatisNo(double satisNo)
{
    g_sonSatisNo = satisNo;
}

// ---- the document ------------------------------------------------------------

double IEFatura::satisNo() const
{
    return baslik.value(S("SATIS_NO")).toDouble();
}

QString IEFatura::fatTur() const
{
    const QString t = baslik.value(S("FAT_TUR")).toString();
    return t.isEmpty() ? S("I") : t;
}

QString IEFatura::isEmriNo() const
{
    return baslik.value(S("IS_EMRI_NO")).toString();
}

QDate IEFatura::tarih() const
{
    return Query::toDate(baslik.value(S("TARIH")));
}

IEFatura IEFaturaOku(const Db& db, double satisNo)
{
    IEFatura f;
    Query q(db, S("SELECT * FROM SERFAT WHERE SATIS_NO = :S"));
    q.bind(S("S"), satisNo).exec();
    if (!q.next())
        return f;
    const QSqlRecord r = q.record();
    for (const QString& k : serfatKolonlari()) {
        const int i = r.indexOf(k);
        if (i >= 0)
            f.baslik.insert(k, r.value(i));
    }
    q.finish();
    f.yeni = false;
    f.satirlar = satirlariOku(db, satisNo);
    IEFatToplamGirdisi g;
    g.KDVTEV = f.deger(S("KDVTEV")).toString();
    g.TL_KURDEGER = f.deger(S("TL_KURDEGER")).toDouble();
    f.toplamlar = IEFatToplamHesapla(f.satirlar, g);
    return f;
}

bool IEFaturaVar(const Db& db, double satisNo)
{
    Query q(db, S("SELECT 1 FROM SERFAT WHERE SATIS_NO = :S"));
    q.bind(S("S"), satisNo).exec();
    return q.next();
}

double IsEmriFaturasi(const Db& db, const QString& isEmriNo, const QString& fatTur)
{
    Query q(db, S("SELECT SATIS_NO FROM SERFAT WHERE IS_EMRI_NO = :IE AND FAT_TUR = :T ORDER BY SATIS_NO"));
    q.bind(S("IE"), isEmriNo).bind(S("T"), fatTur).exec();
    return q.next() ? q.num(S("SATIS_NO")) : 0;
}

IEFatura YeniIEFatura(const SessionContext& ctx, const Db& db, const QString& fatTur)
{
    IEFatura f;
    f.yeni = true;
    const QDateTime simdi = ServerNow(db);
    f.set(S("SATIS_NO"), SatisNoAl(db));
    f.set(S("TARIH"), gun(simdi.date()));
    f.set(S("SAAT"), simdi);
    f.set(S("TURU"), S("F"));
    f.set(S("KDVTEV"), S("0"));
    f.set(S("FAT_TUR"), fatTur);
    f.set(S("PER_KOD"), ctx.AktifKullanici.per_kod);
    f.set(S("DOVIZ_KODU"), ctx.YerelPara);
    f.set(S("TL_KURDEGER"), 1.0);
    f.set(S("EF_STATU"), 0);
    if (fatTur == QLatin1String("G")) {
        f.set(S("IS_EMRI_NO"), S("GARANTI"));
        f.set(S("IE_TIP"), S("G"));
        if (!ctx.DistCKod.isEmpty())
            IEFatCariAta(ctx, db, f, ctx.DistCKod);
    }
    return f;
}

void IEFatCariAta(const SessionContext& ctx, const Db& db, IEFatura& f, const QString& cariKod)
{
    f.set(S("CARI_KOD"), cariKod);
    const CariBilgi c = cariOku(db, cariKod);
    if (!c.var) {
        f.set(S("IND_YUZ_PAR"), 0.0);
        f.set(S("IND_YUZ_ISCI"), 0.0);
        f.set(S("INDIRIM"), 0.0);
        return;
    }
    // The currency follows the account; an account without one is billed locally.
    const QString doviz = c.DOVIZ.isEmpty() ? ctx.YerelPara : c.DOVIZ;
    if (f.deger(S("DOVIZ_KODU")).toString() != doviz || f.deger(S("TL_KURDEGER")).toDouble() <= 0) {
        f.set(S("DOVIZ_KODU"), doviz);
        const double kur = kurBul(ctx, db, doviz, f.tarih());
        if (kur > 0 || YerelParaMi(ctx, doviz))
            f.set(S("TL_KURDEGER"), YerelParaMi(ctx, doviz) ? 1.0 : kur);
        else
            f.set(S("TL_KURDEGER"), 0.0);
    }
    f.set(S("IND_YUZ_PAR"), c.IND_YUZ_PAR);
    f.set(S("IND_YUZ_ISCI"), c.IND_YUZ_ISCI);
    f.set(S("CARI_AD"), c.FIRMA_ADI.left(40));
    f.set(S("VDAIRE"), c.VD);
    f.set(S("VNO"), c.VN);
    if (c.EF_MUKELLEF == 1) {
        if (f.deger(S("EF_STATU")).toInt() < 1)
            f.set(S("EF_STATU"), 1);
        const QStringList kutular = CariPostaKutulari(db, cariKod);
        f.set(S("EF_POSTAKUTUSU"), kutular.size() == 1 ? kutular.first() : QString());
    } else if (f.deger(S("EF_STATU")).toInt() == 1) {
        f.set(S("EF_STATU"), 0);
    }
    IEFatVadeHesapla(db, f);
}

void IEFatVadeHesapla(const Db& db, IEFatura& f, bool hesapGunuVarsaHep)
{
    const QDate tarih = f.tarih();
    if (!tarih.isValid())
        return;
    const QDate vade = Query::toDate(f.deger(S("VADE_TRH")));
    const int gunSayisi = cariOku(db, f.deger(S("CARI_KOD")).toString()).VADEGUN;
    if (!vade.isValid() || tarih > vade || (hesapGunuVarsaHep && gunSayisi >= 1))
        f.set(S("VADE_TRH"), gun(tarih.addDays(gunSayisi)));
}

// ---- lines from the work order -------------------------------------------------

bool IsEmriFaturaOlustur(const SessionContext& ctx, const Db& db, IEFatura& f, const QString& isEmriNo, int fyili)
{
    if (ctx.AktifKullanici.iefatura == QLatin1String("K"))
        throw IslemReddi(S("Yalnız fatura kesme yetkiniz vardır!"), MsgIcon::Warning);
    const QString tur = f.fatTur();
    if (tur == QLatin1String("G") || isEmriNo.isEmpty())
        return false;

    Query ie(db, S("SELECT IE_TIP, CARI_KOD, KAPANDI, FYILI FROM ISEMRI WHERE IS_EMRI_NO = :N"));
    ie.bind(S("N"), isEmriNo).exec();
    if (!ie.next())
        throw IslemReddi(S("İş emri bulunamadı!"));
    const QString ieTip = ie.str(S("IE_TIP"));
    const QString cariKod = ie.str(S("CARI_KOD"));
    if (fyili == 0)
        fyili = int(ie.num(S("FYILI")));
    ie.finish();

    if (IsEmriFaturasi(db, isEmriNo, tur) > 0 &&
        !AskYesNo(S("[") + isEmriNo + S("] Bu İşEmrine Fatura Kesilmiş!!! Devam etmek istiyormusunuz?"), MsgNo))
        return false;

    // The lines still open for invoicing; warranty, goodwill and service
    // lines stay selectable after an invoice.
    QString kosul;
    if (tur == QLatin1String("I"))
        kosul = S(" AND (EXP IS NULL OR EXP <> 'E') AND (GARANTI_TIPI IS NULL OR GARANTI_TIPI <> 'D')");
    else if (tur == QLatin1String("D"))
        kosul = S(" AND GARANTI_TIPI = 'D'");
    else
        kosul = S(" AND EXP = 'E'");
    // Lines written before the fiscal year was kept on them (empty FYILI) are offered too.
    const QString acik =
        S(" WHERE   (ISEMRI_NO =:no and (FYILI=:FYili OR FYILI IS NULL)) AND (FATURANO IS NULL OR GARANTI_TIPI IN ('G','I','S'))");

    struct Parca {
        IEFatSatir s;
        double istenen = 0;
    };
    QList<Parca> parcalar;
    {
        Query q(db, S("SELECT SIRANO, YEDEK_P_ADI, STOK_KOD_NO, STOK_MIKTAR, VERILEN_MIKTAR, STOK_FIYATI, KDV, "
                      "GARANTI_TIPI, EXP, ISK_ORAN, FYT_DOVIZ, DOVIZ_KODU, PER_KOD FROM ISEAYRIN") +
                    acik + kosul + S(" ORDER BY SIRANO"));
        q.bind(S("no"), isEmriNo).bind(S("FYili"), fyili).exec();
        while (q.next()) {
            Parca p;
            p.istenen = q.num(S("STOK_MIKTAR"));
            IEFatSatir& s = p.s;
            s.PARCA_ISCILIK = S("P");
            s.PI_KOD = q.str(S("STOK_KOD_NO"));
            s.PI_AD = q.str(S("YEDEK_P_ADI")).left(45);
            s.ISKONTO = q.num(S("ISK_ORAN"));
            s.BIRIM_FIYAT = q.num(S("STOK_FIYATI"));
            s.MIKTAR = q.num(S("VERILEN_MIKTAR"));
            s.KDV = q.num(S("KDV"));
            s.GARANTI_TIP = tur == QLatin1String("D") ? S("M") : q.str(S("GARANTI_TIPI"));
            if (s.GARANTI_TIP.isEmpty())
                s.GARANTI_TIP = S("M");
            s.EXPER = q.str(S("EXP"));
            s.REFSIRA = int(q.num(S("SIRANO")));
            s.IENO = isEmriNo;
            s.PER_KOD = q.str(S("PER_KOD"));
            const QString dvz = q.str(S("DOVIZ_KODU")).trimmed();
            if (!dvz.isEmpty() && !YerelParaMi(ctx, dvz)) {
                s.FYT_DOVIZ = q.num(S("FYT_DOVIZ"));
                s.DOVIZ_KODU = dvz;
            }
            parcalar << p;
        }
    }
    if (parcalar.isEmpty())
        ShowInfo(S("Faturalanacak Parça Yok"));

    bool bekleyen = false;
    for (const Parca& p : parcalar)
        bekleyen = bekleyen || p.s.MIKTAR < p.istenen;
    if (bekleyen) {
        const QString tip = ctx.AktifKullanici.u_type;
        if (tip == QLatin1String("K"))
            throw IslemReddi(S("Bekleyen Parça var Bu Faturayı düzenleyebilmek için Süpervizör Yetkiniz Olmalı!"));
        if ((tip == QLatin1String("S") || tip == QLatin1String("A")) &&
            !AskYesNo(S("Bekleyen Parça var Devam etmek istiyor musunuz?"), MsgNo))
            return false;
    }

    // Header from the work order.
    f.satirlar.clear();
    f.set(S("IE_FAT_SIRA"), 1);
    f.set(S("IS_EMRI_NO"), isEmriNo);
    f.set(S("FYILI"), fyili);
    f.set(S("IE_TIP"), ieTip);
    f.set(S("MUSTERI_KOD"), cariKod);
    IEFatCariAta(ctx, db, f, cariKod);
    if (f.deger(S("EF_STATU")).toInt() < 1) {
        f.onerilenFatNo = FatNoOku(db).numara();
        f.set(S("FAT_NO"), f.onerilenFatNo);
    }

    const auto kur = [&](const QString& d) { return kurBul(ctx, db, d, f.tarih()); };
    int sira = 0;
    for (Parca& p : parcalar) {
        if (!(p.s.MIKTAR > 0))
            continue;
        p.s.SIRA = ++sira;
        SatirHazirla(p.s, ctx.YerelPara, kur);
        f.satirlar << p.s;
    }

    Query q(db, S("SELECT SIRANO, ARIZA_KODU, ARIZA_ADI, ARIZA_GRUP, SURE, QTY, ISCILIK_B_FIYATI, KDV, "
                  "GARANTI_TIPI, EXP, ISK_ORAN, FYT_DOVIZ, DOVIZ_KODU FROM ISCILIK") +
                acik + kosul + S(" ORDER BY SIRANO"));
    q.bind(S("no"), isEmriNo).bind(S("FYili"), fyili).exec();
    int iscilikSayisi = 0;
    while (q.next()) {
        ++iscilikSayisi;
        IEFatSatir s;
        s.SIRA = ++sira;
        s.PARCA_ISCILIK = q.str(S("ARIZA_GRUP")).trimmed() == QLatin1String("A") ? S("A") : S("I");
        s.PI_KOD = q.str(S("ARIZA_KODU"));
        s.ISKONTO = q.num(S("ISK_ORAN"));
        s.PI_AD = q.str(S("ARIZA_ADI")).left(45);
        s.BIRIM_FIYAT = q.num(S("ISCILIK_B_FIYATI"));
        const double adet = q.isNull(S("QTY")) ? 1.0 : q.num(S("QTY"));
        s.MIKTAR = adet * q.num(S("SURE"));
        s.KDV = q.num(S("KDV"));
        s.GARANTI_TIP = tur == QLatin1String("D") ? S("M") : q.str(S("GARANTI_TIPI"));
        if (s.GARANTI_TIP.isEmpty())
            s.GARANTI_TIP = S("M");
        s.EXPER = q.str(S("EXP"));
        s.REFSIRA = int(q.num(S("SIRANO")));
        s.IENO = isEmriNo;
        const QString dvz = q.str(S("DOVIZ_KODU")).trimmed();
        if (!dvz.isEmpty() && !YerelParaMi(ctx, dvz)) {
            s.FYT_DOVIZ = q.num(S("FYT_DOVIZ"));
            s.DOVIZ_KODU = dvz;
        }
        SatirHazirla(s, ctx.YerelPara, kur);
        f.satirlar << s;
    }
    q.finish();
    if (iscilikSayisi == 0)
        ShowInfo(S("Faturalanacak İşçilik Yok"));

    IEFatToplamGuncelle(ctx, db, f);

    const accounts::CariBakiye b = accounts::CariBakiyeOku(db, cariKod);
    if (b.borc > b.alacak)
        ShowInfo(S("Müşterinin Önceki Bakiyesini Kontrol Ediniz!"));
    return true;
}

void IEFatToplamGuncelle(const SessionContext& ctx, const Db& db, IEFatura& f)
{
    const double kur = f.deger(S("TL_KURDEGER")).toDouble();
    if (ctx.AktifKullanici.iefatura != QLatin1String("K"))
        DovizFiyatDoldur(f.satirlar, f.deger(S("DOVIZ_KODU")).toString(), ctx.YerelPara, kur);
    IEFatToplamGirdisi g;
    g.KDVTEV = f.deger(S("KDVTEV")).toString();
    g.FatYuvarTip = ctx.FatYuvarTip;
    g.TL_KURDEGER = kur;
    Query p(db, S("SELECT GARANTI_BEDELSIZ FROM PARAMET"));
    p.exec();
    g.garantiBedelsiz = p.next() && p.str(S("GARANTI_BEDELSIZ")) == QLatin1String("E");
    p.finish();
    f.toplamlar = IEFatToplamHesapla(f.satirlar, g, f.toplamlar);
    const IEFatToplamlar& t = f.toplamlar;
    const std::pair<const char*, double> degerler[] = {
        {"BRUT_TUTAR", t.BRUT_TUTAR}, {"GARANTI_TUTAR", t.GARANTI_TUTAR}, {"INDIRIM", t.INDIRIM},
        {"TOPLAM_TUTAR", t.TOPLAM_TUTAR}, {"KDV_TUTARI", t.KDV_TUTARI}, {"IND_TUT_PAR", t.IND_TUT_PAR},
        {"IND_YUZ_PAR", t.IND_YUZ_PAR}, {"IND_TUT_ISCI", t.IND_TUT_ISCI}, {"IND_YUZ_ISCI", t.IND_YUZ_ISCI},
        {"KDVTEV_TUT", t.KDVTEV_TUT}, {"NET_TUTAR", t.NET_TUTAR}, {"BRUT_TUTAR_DVZ", t.BRUT_TUTAR_DVZ},
        {"INDIRIM_DVZ", t.INDIRIM_DVZ}, {"TOPLAM_TUTAR_DVZ", t.TOPLAM_TUTAR_DVZ},
        {"KDV_TUTARI_DVZ", t.KDV_TUTARI_DVZ}, {"IND_TUT_PAR_DVZ", t.IND_TUT_PAR_DVZ},
        {"IND_YUZ_PAR_DVZ", t.IND_YUZ_PAR_DVZ}, {"IND_TUT_ISCI_DVZ", t.IND_TUT_ISCI_DVZ},
        {"IND_YUZ_ISCI_DVZ", t.IND_YUZ_ISCI_DVZ}, {"KDVTEV_TUT_DVZ", t.KDVTEV_TUT_DVZ},
        {"NETTUT_DVZ", t.NETTUT_DVZ}};
    for (const auto& [ad, deger] : degerler)
        f.set(S(ad), deger);
}

// ---- saving ----------------------------------------------------------------------

namespace {

void kontroller(const SessionContext& ctx, const Db& db, IEFatura& f)
{
    const QDate tarih = f.tarih();
    const QString tur = f.fatTur();
    if (tur == QLatin1String("I") && ctx.DonemBasTarih.isValid() && ctx.DonemBitTarih.isValid() &&
        (!tarih.isValid() || tarih < ctx.DonemBasTarih || tarih > ctx.DonemBitTarih)) {
        throw IslemReddi(S("Lütfen Çalışma Dönemi içinde bir Tarih Yazınız"), MsgIcon::Warning);
    }
    const int ef = f.deger(S("EF_STATU")).toInt();
    if (ef > 0 && f.deger(S("EF_POSTAKUTUSU")).toString().trimmed().isEmpty()) 
        throw IslemReddi(S("Lütfen E-Fatura Posta Kutusunu Seçiniz!"), MsgIcon::Warning);
    const QString fatNo = f.deger(S("FAT_NO")).toString().trimmed();
    if (ef < 1 && fatNo.isEmpty()) 
        throw IslemReddi(S("Fatura No Yazılmadan Kayıt Saklanamaz."), MsgIcon::Warning);
    if (f.deger(S("CARI_KOD")).toString().trimmed().isEmpty()) 
        throw IslemReddi(S("Cari Kodu Verilmeden Satış Saklanmaz."), MsgIcon::Warning);
    if (!tarih.isValid()) 
        throw IslemReddi(S("Lütfen Çalışma Dönemi içinde bir Tarih Yazınız"), MsgIcon::Warning);
    if (IsDateLocked(ctx, false, tarih))
        throw IslemReddi(S("İlgili tarih için işlem yapılamaz!"), MsgIcon::Warning);
    if (ctx.FatKilitTrh.isValid() && tarih < ctx.FatKilitTrh) 
        throw IslemReddi(ctx.FatKilitTrh.toString(S("dd.MM.yyyy")) +
                  S(" Tarihinden önceki Faturalarda değişiklik yapamazsınız !"));
    const QDate vade = Query::toDate(f.deger(S("VADE_TRH")));
    if (!vade.isValid() || tarih > vade)
        f.set(S("VADE_TRH"), gun(tarih));

    IEFatToplamGuncelle(ctx, db, f);
    if (f.toplamlar.nulltoplam) 
        throw IslemReddi(S("Birim Fiyat yada Miktar sıfır olamaz !"));
    // A foreign amount is never booked at a made-up rate.
    const QString doviz = f.deger(S("DOVIZ_KODU")).toString();
    if (!YerelParaMi(ctx, doviz) && !(f.deger(S("TL_KURDEGER")).toDouble() > 0)) 
        throw IslemReddi(KurYokMesaji(doviz, tarih));
    for (const IEFatSatir& s : f.satirlar)
        if (!s.DOVIZ_KODU.isEmpty() && !YerelParaMi(ctx, s.DOVIZ_KODU) && !(s.TL_KURDEGER > 0) && !MetinSatiri(s)) 
        throw IslemReddi(KurYokMesaji(s.DOVIZ_KODU, tarih));

    // A number left as proposed is settled under the series lock at save time
    // (another workstation may have taken it meanwhile); only a typed one is
    // refused here.
    const bool oneriyleAyni = f.yeni && !f.onerilenFatNo.isEmpty() && fatNo == f.onerilenFatNo;
    if (!fatNo.isEmpty() && !oneriyleAyni) {
        const FatNoKullanim k = FatNoKullanimi(db, fatNo, f.satisNo());
        if (k.kullanildi) 
        throw IslemReddi(FatNoKullanimMesaji(k));
    }
    IEFatVadeHesapla(db, f, true);
}

// Under the series lock: a number the user left as proposed that another
// workstation took meanwhile becomes the series' next free number; a number
// typed by the user that is taken refuses the save. The series moves on only
// when its own number is used.
void faturaNumarasi(const Db& db, IEFatura& f)
{
    FatNoSeri seri = FatNoKilitle(db);
    if (f.deger(S("EF_STATU")).toInt() >= 1)
        return;
    QString fatNo = f.deger(S("FAT_NO")).toString().trimmed();
    const bool oneriyleAyni = f.yeni && !f.onerilenFatNo.isEmpty() && fatNo == f.onerilenFatNo;
    FatNoKullanim k = FatNoKullanimi(db, fatNo, f.satisNo());
    if (oneriyleAyni && (k.kullanildi || fatNo != seri.numara())) {
        for (;;) {
            fatNo = seri.numara();
            if (!FatNoKullanimi(db, fatNo, f.satisNo()).kullanildi)
                break;
            FatNoIlerlet(db);
            seri.FATNO += 1;
        }
        f.set(S("FAT_NO"), fatNo);
        k = {};
    }
    if (k.kullanildi)
        throw IslemReddi(FatNoKullanimMesaji(k));
    if (f.yeni && fatNo == seri.numara())
        FatNoIlerlet(db);
}

void aramaTarihleri(const Db& db, const IEFatura& f)
{
    if (!db.dialect().tableExists(db, S("ARAMAPER")))
        return;
    aftersales::ServisAramalariYaz(db, {f.isEmriNo(), f.tarih(), f.deger(S("CARI_KOD")).toString(), f.satisNo()});
}

void claimIsaretle(const Db& db, const QList<IEFatSatir>& satirlar, const QString& deger)
{
    if (!db.dialect().tableExists(db, S("CLAIMM")))
        return;
    QSet<double> claimler;
    for (const IEFatSatir& s : satirlar)
        if (s.CLAIM_NO > 0)
            claimler.insert(s.CLAIM_NO);
    for (double c : claimler)
        db.exec(S("UPDATE CLAIMM SET CL_FATURA = :D WHERE CL_CLAIMNO = :C"), {{S("D"), deger}, {S("C"), c}});
}

// Clears the invoice's marks on the work orders its lines name.
void faturaIsaretleriniKaldir(const Db& db, double satisNo, const QSet<QString>& isEmirleri)
{
    for (const QString& ie : isEmirleri) {
        const QVariantMap b{{S("IE"), ie}, {S("S"), satisNo}};
        db.exec(S("UPDATE ISEAYRIN SET FATURANO = NULL WHERE ISEMRI_NO = :IE AND FATURANO = :S"), b);
        db.exec(S("UPDATE ISCILIK SET FATURANO = NULL WHERE ISEMRI_NO = :IE AND FATURANO = :S"), b);
    }
}

// Locks the work orders the invoice bills, so that two invoices of one work
// order are saved one after the other.
void isEmirleriniKilitle(const Db& db, const QSet<QString>& isEmirleri)
{
    Query q(db, S("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = :IE") + db.dialect().rowLockSuffix());
    for (const QString& ie : isEmirleri) {
        q.bind(S("IE"), ie).exec();
        q.finish();
    }
}

QString baskaFaturaMesaji()
{
    return S("Bu iş emrinin satırları başka bir faturada faturalanmış. Faturayı iş emrinden yeniden oluşturunuz.");
}

// A work-order line is marked only while no other invoice holds it (service
// lines stay open to further invoices); when the mark does not take, another
// workstation billed the line first and the whole save is refused. The lines
// of one work order and kind are marked by one statement that answers with
// the lines it marked.
void faturaIsaretle(const Db& db, const IEFatura& f)
{
    const QVariant fyili = f.deger(S("FYILI"));
    const QString fy = fyili.isNull() || fyili.toInt() == 0 ? QString() : S(" AND FYILI = :FY");
    const QString bos = S(" AND (FATURANO IS NULL OR GARANTI_TIPI = 'S')");
    const auto tablo = [](const IEFatSatir& s) {
        return s.PARCA_ISCILIK == QLatin1String("P") ? S("ISEAYRIN") : S("ISCILIK");
    };
    // (table, work order) -> its lines, each once in the order given
    std::map<std::pair<QString, QString>, QList<int>> gruplar;
    QList<const IEFatSatir*> tekrarlar;
    for (const IEFatSatir& s : f.satirlar) {
        if (!isaretliSatir(s) || s.IENO.isEmpty() || s.REFSIRA == 0)
            continue;
        QList<int>& sira = gruplar[{tablo(s), s.IENO}];
        if (sira.contains(s.REFSIRA))
            tekrarlar << &s;
        else
            sira << s.REFSIRA;
    }
    for (const auto& [anahtar, siralar] : gruplar) {
        QStringList yerler;
        QVariantMap b{{S("S"), f.satisNo()}, {S("IE"), anahtar.second}};
        for (int i = 0; i < siralar.size(); ++i) {
            yerler << S(":R%1").arg(i);
            b.insert(S("R%1").arg(i), siralar.at(i));
        }
        if (!fy.isEmpty())
            b.insert(S("FY"), fyili.toInt());
        Query q(db, S("UPDATE %1 SET FATURANO = :S WHERE ISEMRI_NO = :IE AND SIRANO IN (%2)")
                            .arg(anahtar.first, yerler.join(QLatin1Char(','))) +
                        fy + bos + S(" RETURNING SIRANO"));
        q.bindAll(b).exec();
        QList<int> isaretlenen;
        while (q.next())
            isaretlenen << int(q.integer(S("SIRANO")));
        std::sort(isaretlenen.begin(), isaretlenen.end());
        QList<int> beklenen = siralar;
        std::sort(beklenen.begin(), beklenen.end());
        if (isaretlenen != beklenen)
            throw IslemReddi(baskaFaturaMesaji());
    }
    // A line named twice is marked once more, as one statement per line did.
    for (const IEFatSatir* s : tekrarlar) {
        Query q(db, S("UPDATE %1 SET FATURANO = :S WHERE ISEMRI_NO = :IE AND SIRANO = :R").arg(tablo(*s)) + fy + bos);
        q.bind(S("S"), f.satisNo()).bind(S("IE"), s->IENO).bind(S("R"), s->REFSIRA);
        if (!fy.isEmpty())
            q.bind(S("FY"), fyili.toInt());
        if (q.exec().rowsAffected() != 1)
            throw IslemReddi(baskaFaturaMesaji());
    }
}

void cariHareket(const SessionContext& ctx, const Db& db, const IEFatura& f)
{
    const QString tur = f.fatTur();
    const QString fatNo = f.deger(S("FAT_NO")).toString();
    const QString odeme = f.deger(S("ODEME_SEKLI")).toString();
    QString metin;
    if (tur == QLatin1String("E"))
        metin = fatNo + S(" No.lu Ekspertiz Fat.") + S(" ") + odeme;
    else if (tur == QLatin1String("G"))
        metin = fatNo + S(" No.lu Garanti Fat.");
    else
        metin = fatNo + S(" No.lu Servis Fat.") + S(" ") + odeme;
    const QString turu = f.deger(S("TURU")).toString();
    if (turu == QLatin1String("İ") || turu == QLatin1String("L")) {
        accounts::CariHrkSil(db, QLatin1Char('S'), f.satisNo());
        return;
    }
    accounts::CariHrkYazDegerleri d;
    d.CARI_KOD = f.deger(S("CARI_KOD")).toString();
    d.CRHRK_TUR = QLatin1Char('S');
    d.REF_NO = f.satisNo();
    d.TARIH = f.tarih();
    d.VADE_TRH = f.deger(S("VADE_TRH"));
    d.BORC = f.deger(S("NET_TUTAR"));
    d.BORC_DVZ = f.deger(S("NETTUT_DVZ"));
    d.DOVIZ_KODU = f.deger(S("DOVIZ_KODU")).toString();
    d.PARA_BAZ = S("D");
    d.ACIKLAMA = metin.trimmed().left(60);
    d.TL_KURDEGER = f.deger(S("TL_KURDEGER"));
    d.BELGE_NO = bosIseNull(fatNo);
    d.ALT_TIP = tur;
    accounts::CariHrkYaz(ctx, db, d);
}

// Marks other operations own: the voucher (posting), the e-invoice exchange's
// identifier, the Excel copy and the claim statement. A save never writes
// them from its copy; a new invoice starts them empty.
bool baskasininKolonu(const QString& k)
{
    static const QSet<QString> k_ = {S("FIS_NO"), S("AKTARILDI"), S("EF_GUID"), S("EXCEL_AKTAR"), S("EXTRE_NO"),
                                     S("USD_KUR"), S("USD_TUTAR")};
    return k_.contains(k);
}

// The stored invoice, locked for the rest of the transaction: its marks
// decide whether the copy on screen may still be saved.
void kayitliFaturaKilitle(const Db& db, IEFatura& f)
{
    Query q(db, S("SELECT FIS_NO, AKTARILDI, EF_STATU, EF_GUID, EXCEL_AKTAR FROM SERFAT WHERE SATIS_NO = :S") +
                    db.dialect().rowLockSuffix());
    q.bind(S("S"), f.satisNo()).exec();
    if (!q.next())
        throw IslemReddi(S("Fatura başka bir kullanıcı tarafından silinmiş. Kayıt saklanamaz."));
    if (q.num(S("FIS_NO")) > 0)
        throw IslemReddi(S("Muhasebeleşmiş kayıt değiştirilemez!"));
    if (q.num(S("EF_STATU")) >= 3)
        throw IslemReddi(S("GİB e gönderilmiş E-Fatura üzerinde değişiklik yapılamaz."), MsgIcon::Warning);
    // The form moves the e-invoice state only between none and 1; a later
    // state set meanwhile by the exchange stays.
    if (q.num(S("EF_STATU")) >= 2)
        f.set(S("EF_STATU"), q.value(S("EF_STATU")));
    for (const char* k : {"FIS_NO", "AKTARILDI", "EF_GUID", "EXCEL_AKTAR"})
        f.set(S(k), q.value(S(k)));
}

void basligiYaz(const Db& db, IEFatura& f)
{
    f.set(S("SEVK_TARIH"), f.deger(S("TARIH")));
    f.set(S("SEVK_SAAT"), f.deger(S("SAAT")));
    if (f.deger(S("FAT_NO")).toString().trimmed().isEmpty())
        f.set(S("FAT_NO"), QVariant());
    if (f.yeni) {
        for (const QString& k : serfatKolonlari())
            if (baskasininKolonu(k))
                f.set(k, QVariant());
        f.set(S("AKTARILDI"), false);
    }
    QStringList kolonlar;
    for (const QString& k : serfatKolonlari())
        if (!baskasininKolonu(k) || (f.yeni && k == QLatin1String("AKTARILDI")))
            kolonlar << k;
    QVariantMap b;
    for (const QString& k : kolonlar)
        b.insert(k, f.deger(k));
    if (f.yeni) {
        db.exec(InsertSql(S("SERFAT"), kolonlar), b);
    } else {
        kolonlar.removeAll(S("SATIS_NO"));
        db.exec(S("UPDATE SERFAT SET ") + AssignSql(kolonlar) + S(" WHERE SATIS_NO = :SATIS_NO"), b);
    }
}

void satirlariYaz(const Db& db, const IEFatura& f)
{
    db.exec(S("DELETE FROM SERFATDT WHERE SATIS_NO = :S"), {{S("S"), f.satisNo()}});
    BatchInsert ins(db, S("SERFATDT"), serfatdtKolonlari());
    for (const IEFatSatir& s : f.satirlar) {
        ins.value(f.satisNo()).value(s.SIRA).value(s.PARCA_ISCILIK).value(bosIseNull(s.PI_KOD));
        ins.value(bosIseNull(s.PI_AD)).value(s.BIRIM_FIYAT).value(s.MIKTAR).value(s.KDV).value(s.ISKONTO);
        ins.value(s.GER_TUT).value(s.ISK_TUT).value(bosIseNull(s.GARANTI_TIP)).value(bosIseNull(s.EXPER));
        ins.value(sifirIseNull(s.CLAIM_NO)).value(bosIseNull(s.IENO)).value(s.REFSIRA == 0 ? QVariant() : QVariant(s.REFSIRA));
        ins.value(sifirIseNull(s.FYT_DOVIZ)).value(bosIseNull(s.DOVIZ_KODU)).value(sifirIseNull(s.TL_KURDEGER));
        ins.value(bosIseNull(s.PER_KOD));
        ins.endRow();
    }
    ins.flush();
}

// The part numbers of the lines' codes, read in one statement.
QHash<QString, double> stokNumaralari(const Db& db, const QList<IEFatSatir>& satirlar)
{
    QStringList kodlar;
    for (const IEFatSatir& s : satirlar)
        if (parcaStokluSatir(s) && !s.PI_KOD.isEmpty() && !kodlar.contains(s.PI_KOD))
            kodlar << s.PI_KOD;
    QHash<QString, double> no;
    if (kodlar.isEmpty())
        return no;
    QStringList yerler;
    QVariantMap b;
    for (int i = 0; i < kodlar.size(); ++i) {
        yerler << S(":K%1").arg(i);
        b.insert(S("K%1").arg(i), kodlar.at(i));
    }
    Query q(db, S("SELECT STOK_KOD_NO, STOK_NO FROM STOK WHERE STOK_KOD_NO IN (") + yerler.join(QLatin1Char(',')) +
                    QLatin1Char(')'));
    q.bindAll(b).exec();
    while (q.next())
        no.insert(q.str(S("STOK_KOD_NO")), q.num(S("STOK_NO")));
    return no;
}

void stokCikisi(const SessionContext& ctx, const Db& db, const IEFatura& f)
{
    QList<stock::DepoHrkSatiri> satirlar;
    const QHash<QString, double> stokNo = stokNumaralari(db, f.satirlar);
    const QString cari = f.deger(S("CARI_KOD")).toString();
    const QDateTime tarih = gun(f.tarih());
    for (const IEFatSatir& s : f.satirlar) {
        if (!parcaStokluSatir(s) || !stokNo.contains(s.PI_KOD))
            continue;
        // A zero quantity has no unit price: the row gets 0, not a division by zero.
        const double fiyat = s.MIKTAR != 0 ? s.GER_TUT / s.MIKTAR : 0.0;
        stock::DepoHrkSatiri r = stock::DepoHrkHareket(QLatin1Char('C'), s.SIRA, cari, stokNo.value(s.PI_KOD),
                                                       ctx.ServisDepoKodu, tarih, s.MIKTAR, fiyat, 0.0);
        r.ISEMRINO = f.isEmriNo();
        satirlar << r;
    }
    stock::DepoHrkYaz(db, stock::DepoHrkBelge::Belge(f.satisNo(), QLatin1Char('C')), satirlar);
}

void isEmriKapat(const Db& db, const IEFatura& f)
{
    const QString ie = f.isEmriNo();
    if (ie.isEmpty() || f.fatTur() == QLatin1String("G"))
        return;
    // Closing sets the delivery day; TESLIM_TRH is the vehicle's registration date and stays.
    db.exec(S("UPDATE ISEMRI SET KAPANDI = 'E', TAHMINI_TES_TRH = :T "
              "WHERE IS_EMRI_NO = :IE AND (KAPANDI IS NULL OR KAPANDI <> 'E')"),
            {{S("T"), gun(ServerToday(db))}, {S("IE"), ie}});
}

QSet<QString> isEmirleri(const QList<IEFatSatir>& a, const QList<IEFatSatir>& b)
{
    QSet<QString> r;
    for (const IEFatSatir& s : a)
        if (!s.IENO.isEmpty())
            r.insert(s.IENO);
    for (const IEFatSatir& s : b)
        if (!s.IENO.isEmpty())
            r.insert(s.IENO);
    return r;
}

void muhasebeyeAktar(const SessionContext& ctx, const Db& db, const IEFatura& f)
{
    if (ctx.AktifKullanici.diger10 != QLatin1String("Y"))
        return;
    const MuhasebeAktarimi a = MuhasebeAktarimSecimi(db, QLatin1Char('I'));
    if (a == MuhasebeAktarimi::Aktarma)
        return;
    if (a == MuhasebeAktarimi::Sor && !AskYesNo(S("Muhasebe Kaydı Yapılsın mı?")))
        return;
    MuhasebeEntegreIstegi istek;
    istek.belgeTuru = QLatin1Char('I');
    istek.iade = false;
    istek.mevcutFisNo = f.deger(S("FIS_NO"));
    istek.kaynakNo = f.satisNo();
    MuhasebeEntegre(ctx, db, istek);
}

// The Excel copy of the day's or week's invoices into PARAMET.FILE_PATH;
// only a committed invoice gets here, and its failure leaves the invoice stored.
void faturaExcelKopyasi(const SessionContext& ctx, const Db& db, const IEFatura& f)
{
    QString klasor;
    {
        Query q(db, S("SELECT FILE_PATH FROM PARAMET"));
        q.exec();
        if (q.next())
            klasor = q.str(S("FILE_PATH")).trimmed();
    }
    if (klasor.isEmpty())
        return;
    InvoiceExportExcel(ctx, db, klasor, EFaturaMukellefi(db, f.deger(S("CARI_KOD")).toString()));
}

// The postings of one save, inside its transaction, after the locks.
void kaydet(const SessionContext& ctx, const Db& db, IEFatura& taslak, const QList<IEFatSatir>& eskiSatirlar,
            const IEFatKayitSecenekleri& sec)
{
    const QString tur = taslak.fatTur();
    if (tur == QLatin1String("G"))
        claimIsaretle(db, eskiSatirlar, S("H"));
    if (tur == QLatin1String("I") || tur == QLatin1String("E"))
        aramaTarihleri(db, taslak);
    adimBildir(sec.adim, "arama");
    faturaIsaretleriniKaldir(db, taslak.satisNo(), isEmirleri(eskiSatirlar, taslak.satirlar));
    cariHareket(ctx, db, taslak);
    adimBildir(sec.adim, "cari");
    basligiYaz(db, taslak);
    satirlariYaz(db, taslak);
    adimBildir(sec.adim, "fatura");
    if (tur == QLatin1String("G"))
        claimIsaretle(db, taslak.satirlar, S("E"));
    stokCikisi(ctx, db, taslak);
    adimBildir(sec.adim, "stok");
    faturaIsaretle(db, taslak);
    isEmriKapat(db, taslak);
    adimBildir(sec.adim, "isemri");
}

} // namespace

bool IEFaturaKaydet(const SessionContext& ctx, const Db& db, IEFatura& f, const IEFatKayitSecenekleri& sec)
{
    kontroller(ctx, db, f);
    IEFatura taslak = f;
    try {
        RetryAfterAsking(db, [&] {
            taslak = f;
            Transaction tr(db);
            faturaNumarasi(db, taslak);
            if (!taslak.yeni)
                kayitliFaturaKilitle(db, taslak);
            const QList<IEFatSatir> eskiSatirlar =
                taslak.yeni ? QList<IEFatSatir>() : satirlariOku(db, taslak.satisNo());
            QSet<QString> kilitlenecek = isEmirleri(eskiSatirlar, taslak.satirlar);
            if (!taslak.isEmriNo().isEmpty())
                kilitlenecek.insert(taslak.isEmriNo());
            isEmirleriniKilitle(db, kilitlenecek);
            kaydet(ctx, db, taslak, eskiSatirlar, sec);
            tr.commit();
        });
    } catch (const accounts::CariHrkHatasi& e) {
        // The ledger's refusal is the save's refusal, rolled back by now.
        throw IslemReddi(e.text());
    }
    taslak.yeni = false;
    f = taslak;

    SetSonIEFatSatisNo(f.satisNo());
    // After the commit only, each step on its own: a failure there leaves the
    // stored invoice as it is.
    Guard([&] {
        if (ctx.AktifKullanici.maliyet_uyari == 1 && sec.fiyatKontrolGoster &&
            !FiyatKontrolSatirlari(db, QLatin1Char('I'), f.satisNo()).isEmpty())
            sec.fiyatKontrolGoster(f.satisNo());
    });
    Guard([&] { faturaExcelKopyasi(ctx, db, f); });
    Guard([&] { muhasebeyeAktar(ctx, db, f); });
    return true;
}

// ---- deleting --------------------------------------------------------------------

namespace {

// The refusals of a delete, on the stored row; inside the transaction the row
// is locked, so a posting made meanwhile on another workstation is seen.
void silinebilir(const SessionContext& ctx, const QVariant& fisNo, int efStatu, const QDate& tarih)
{
    if (ctx.FatKilitTrh.isValid() && tarih < ctx.FatKilitTrh)
        throw IslemReddi(ctx.FatKilitTrh.toString(S("dd.MM.yyyy")) +
                             S(" Tarihinden önceki Faturalarda değişiklik yapamazsınız !"),
                         MsgIcon::Warning);
    if (IsDateLocked(ctx, false, tarih))
        throw IslemReddi(S("İlgili tarih için işlem yapılamaz!"), MsgIcon::Warning);
    if (!fisNo.isNull() && fisNo.toDouble() != 0)
        throw IslemReddi(S("Muhasebeleşmiş Kayıt Silinemez !"));
    if (efStatu == 3 || efStatu == 4)
        throw IslemReddi(S("Bu statüdeki E-Faturayı silemezsiniz!"), MsgIcon::Warning);
}

// The cash payments taken on the invoice go with it, each voucher whole (head,
// lines and cash mirrors); a payment posted to accounting refuses the delete.
void odemeFisleriniSil(const SessionContext& ctx, const Db& db, double satisNo)
{
    QList<double> fisler;
    Query q(db, S("SELECT CARI_NO FROM CARIHRKM WHERE REF_NO = :S AND REF_TIP = 'I'"));
    q.bind(S("S"), satisNo).exec();
    while (q.next())
        fisler << q.num(S("CARI_NO"));
    q.finish();
    for (double no : fisler)
        accounts::CariHrkFisSil(ctx, db, no);
}

} // namespace

bool IEFaturaSil(const SessionContext& ctx, const Db& db, double satisNo, const std::function<void(const QString&)>& adim)
{
    const IEFatura f = IEFaturaOku(db, satisNo);
    if (f.baslik.isEmpty())
        return false;
    if (ctx.AktifKullanici.iefatura != QLatin1String("Y"))
        return false;
    silinebilir(ctx, f.deger(S("FIS_NO")), f.deger(S("EF_STATU")).toInt(), f.tarih());
    if (!AskYesNo(S("Satış Silinsin mi?")))
        return false;

    RetryAfterAsking(db, [&] {
        Transaction tr(db);
        {
            Query k(db, S("SELECT FIS_NO, EF_STATU, TARIH FROM SERFAT WHERE SATIS_NO = :S") +
                            db.dialect().rowLockSuffix());
            k.bind(S("S"), satisNo).exec();
            if (!k.next())
                return; // deleted meanwhile elsewhere: nothing left to undo
            silinebilir(ctx, k.value(S("FIS_NO")), int(k.num(S("EF_STATU"))), k.date(S("TARIH")));
        }
        const QString tur = f.fatTur();
        const QString ie = f.isEmriNo();
        if (tur == QLatin1String("G")) {
            claimIsaretle(db, f.satirlar, S("H"));
        } else if (db.dialect().tableExists(db, S("ARAMAPER"))) {
            // The call-backs belong to the work order: they go only with its
            // last work-order or expertise invoice.
            Query q(db, S("SELECT 1 FROM SERFAT WHERE IS_EMRI_NO = :IE AND SATIS_NO <> :S "
                          "AND (FAT_TUR IN ('I','E') OR FAT_TUR IS NULL)"));
            q.bind(S("IE"), ie).bind(S("S"), satisNo).exec();
            const bool baska = q.next();
            q.finish();
            if (!baska)
                db.exec(S("DELETE FROM ARAMAPER WHERE IE_NO = :IE AND MUS_TIP = 'S'"), {{S("IE"), ie}});
        }
        faturaIsaretleriniKaldir(db, satisNo, isEmirleri(f.satirlar, {}));
        stock::DepoHrkSil(db, stock::DepoHrkBelge::Belge(satisNo, QLatin1Char('C')));
        adimBildir(adim, "stok");
        db.exec(S("DELETE FROM SERFATDT WHERE SATIS_NO = :S"), {{S("S"), satisNo}});
        db.exec(S("DELETE FROM SERFAT WHERE SATIS_NO = :S"), {{S("S"), satisNo}});
        odemeFisleriniSil(ctx, db, satisNo);
        accounts::CariHrkSil(db, QLatin1Char('S'), satisNo);
        accounts::CariHrkSil(db, QLatin1Char('N'), satisNo);
        adimBildir(adim, "cari");
        tr.commit();
    });
    return true;
}

// ---- below-cost check ------------------------------------------------------------

QList<MaliyetAltiSatir> FiyatKontrolSatirlari(const Db& db, QChar tur, double satisNo)
{
    QList<MaliyetAltiSatir> r;
    QString sql;
    if (tur == QLatin1Char('I')) {
        // Lines without quantity have no unit price to compare.
        sql = S("SELECT SA.PI_KOD AS STOK_KODU, SA.PI_AD AS STOK_ADI, SA.GER_TUT / SA.MIKTAR AS FIYAT, "
                "ST.MALIYET_FYT_TL FROM SERFATDT SA JOIN STOK ST ON ST.STOK_KOD_NO = SA.PI_KOD "
                "WHERE SA.SATIS_NO = :S AND SA.PARCA_ISCILIK = 'P' AND SA.GARANTI_TIP IN ('M','I','K') "
                "AND SA.MIKTAR > 0 AND SA.GER_TUT / SA.MIKTAR < COALESCE(ST.MALIYET_FYT_TL, 0) ORDER BY SA.SIRA");
    } else if (tur == QLatin1Char('B')) {
        if (!db.dialect().tableExists(db, S("SATISAYR")))
            return r;
        sql = S("SELECT ST.STOK_KOD_NO AS STOK_KODU, ST.STOK_ADI_TR AS STOK_ADI, SA.GER_TUT / SA.MIKTAR AS FIYAT, "
                "ST.MALIYET_FYT_TL FROM SATISAYR SA JOIN STOK ST ON ST.STOK_NO = SA.STOK_NO "
                "WHERE SA.SATIS_NO = :S AND SA.SAT_TIP = 'P' AND SA.MIKTAR > 0 "
                "AND SA.GER_TUT / SA.MIKTAR < COALESCE(ST.MALIYET_FYT_TL, 0)");
    } else {
        return r;
    }
    Query q(db, sql);
    q.bind(S("S"), satisNo).exec();
    while (q.next())
        r << MaliyetAltiSatir{q.str(S("STOK_KODU")).left(15), q.str(S("STOK_ADI")), q.num(S("FIYAT")),
                              q.num(S("MALIYET_FYT_TL"))};
    return r;
}

double KomsuIEFatura(const Db& db, double satisNo, bool sonraki)
{
    Query q(db, sonraki ? S("SELECT SATIS_NO FROM SERFAT WHERE SATIS_NO>:SATIS_NO ORDER BY SATIS_NO ASC")
                        : S("SELECT SATIS_NO FROM SERFAT WHERE SATIS_NO<:SATIS_NO ORDER BY SATIS_NO DESC"));
    q.bind(S("SATIS_NO"), satisNo).exec();
    return q.next() ? q.num(S("SATIS_NO")) : 0;
}

void IEFatKurDegeriSec(const SessionContext& ctx, const Db& db, IEFatura& f)
{
    QString doviz = f.deger(S("DOVIZ_KODU")).toString().trimmed();
    if (doviz.isEmpty() || YerelParaMi(ctx, doviz)) {
        f.set(S("DOVIZ_KODU"), doviz.isEmpty() ? ctx.YerelPara : doviz);
        f.set(S("TL_KURDEGER"), 1.0);
        return;
    }
    const double kur = kurBul(ctx, db, doviz, f.tarih());
    if (kur > 0)
        f.set(S("TL_KURDEGER"), kur);
}

QStringList CariPostaKutulari(const Db& db, const QString& cariKod)
{
    Query pk(db, S("SELECT EF_POSTAKUTUSU FROM CARIPK WHERE CARI_KOD = :K ORDER BY PK_DEFAULT DESC, ID"));
    pk.bind(S("K"), cariKod).exec();
    QStringList kutular;
    while (pk.next())
        kutular << pk.value(0).toString();
    return kutular;
}

QString FaturaSabitMetni(const Db& db)
{
    Query q(db, S("SELECT SABIT1 FROM KOORFAT ORDER BY ID"));
    q.exec();
    return q.next() ? q.str(S("SABIT1")) : QString();
}

QString EfStatuMetni(int statu)
{
    static const char* const metinler[] = {"",        "1:E-Faturaya Tabi", "2:Gönderilmeye Hazır", "3:Beklemede",
                                           "4:Onaylandı", "5:Red",             "6:İptal"};
    return statu >= 1 && statu <= 6 ? S(metinler[statu]) : QString();
}

QStringList IsEmriSikayetleri(const Db& db, const QString& isEmriNo)
{
    QStringList kolonlar;
    for (int i = 1; i <= 10; ++i)
        kolonlar << S("MUSTALIM_%1").arg(i);
    Query q(db, S("SELECT ") + kolonlar.join(S(", ")) + S(" FROM ISEMRI WHERE IS_EMRI_NO = :N"));
    q.bind(S("N"), isEmriNo).exec();
    QStringList r;
    if (q.next())
        for (const QString& k : kolonlar)
            r << q.str(k);
    return r;
}

void IEFatFiyatlariGuncelle(const SessionContext& ctx, const Db& db, IEFatura& f)
{
    Query q(db, S("SELECT SAT_FYT_TL, SAT_FYT_DOVIZ, FYT_KUR FROM STOK WHERE STOK_KOD_NO = :K"));
    const auto kur = [&](const QString& d) { return kurBul(ctx, db, d, f.tarih()); };
    for (IEFatSatir& s : f.satirlar) {
        if (s.PARCA_ISCILIK != QLatin1String("P") || s.EXPER == QLatin1String("E"))
            continue;
        q.bind(S("K"), s.PI_KOD).exec();
        if (q.next()) {
            if (!q.isNull(S("SAT_FYT_TL")))
                s.BIRIM_FIYAT = q.num(S("SAT_FYT_TL"));
            const QString fytKur = q.str(S("FYT_KUR")).trimmed();
            if (!fytKur.isEmpty() && !YerelParaMi(ctx, fytKur)) {
                s.FYT_DOVIZ = q.num(S("SAT_FYT_DOVIZ"));
                s.DOVIZ_KODU = fytKur;
            } else {
                s.FYT_DOVIZ = 0;
                s.DOVIZ_KODU.clear();
            }
            s.TL_KURDEGER = 0;
        }
        q.finish();
        // Posting the line gives a foreign price today's rate and its lira price.
        SatirHazirla(s, ctx.YerelPara, kur);
    }
    IEFatToplamGuncelle(ctx, db, f);
}

IEFatSilme IEFatSatirSilinebilir(const SessionContext& ctx, const IEFatura& f, int satir, bool kaydedilebilir)
{
    if (ctx.AktifKullanici.iefatura == QLatin1String("K"))
        throw IslemReddi(S("Yalnız fatura kesme yetkiniz var!"), MsgIcon::Warning);
    if (satir < 0 || satir >= f.satirlar.size() || !kaydedilebilir)
        return IEFatSilme::Hicbiri;
    if (f.fatTur() == QLatin1String("G")) {
        const double claim = f.satirlar[satir].CLAIM_NO;
        const QString no = claim > 0 ? QString::number(claim, 'f', 0) : QString();
        return AskYesNoCancel(S("'") + no + S("' nolu Garanti Talep Kalemlerinin hepsini silmek istiyor musunuz?")) ==
                       MsgYes
                   ? IEFatSilme::Talep
                   : IEFatSilme::Hicbiri;
    }
    const QString tip = ctx.AktifKullanici.u_type;
    return tip == QLatin1String("S") || tip == QLatin1String("A") ? IEFatSilme::Satir : IEFatSilme::Hicbiri;
}

void IEFatSatirSil(const SessionContext& ctx, const Db& db, IEFatura& f, int satir, bool kaydedilebilir)
{
    const IEFatSilme ne = IEFatSatirSilinebilir(ctx, f, satir, kaydedilebilir);
    if (ne == IEFatSilme::Hicbiri)
        return;
    if (ne == IEFatSilme::Talep) {
        const double claim = f.satirlar[satir].CLAIM_NO;
        f.satirlar.removeIf([claim](const IEFatSatir& s) { return s.CLAIM_NO == claim; });
    } else {
        f.satirlar.removeAt(satir);
    }
    IEFatToplamGuncelle(ctx, db, f);
}

QHash<QString, QString> StokBirimleri(const Db& db, const QList<IEFatSatir>& satirlar)
{
    QHash<QString, QString> birim;
    Query q(db, S("SELECT BIRIMI FROM STOK WHERE STOK_KOD_NO = :K"));
    for (const IEFatSatir& s : satirlar) {
        if (s.PARCA_ISCILIK != QLatin1String("P") || s.PI_KOD.isEmpty() || birim.contains(s.PI_KOD))
            continue;
        q.bind(S("K"), s.PI_KOD).exec();
        birim.insert(s.PI_KOD, q.next() ? q.str(S("BIRIMI")) : QString());
        q.finish();
    }
    return birim;
}

QString SatirBirimi(const IEFatSatir& s, const QHash<QString, QString>& stokBirimleri)
{
    if (s.PARCA_ISCILIK == QLatin1String("P"))
        return stokBirimleri.value(s.PI_KOD);
    return s.PARCA_ISCILIK == QLatin1String("I") ? S("TU") : QString();
}

QString OdemePlaniTipi(const Db& db, const QString& odeKod)
{
    Query q(db, S("SELECT ODE_TIP FROM ODEPLAN WHERE ODE_KOD = :K"));
    q.bind(S("K"), odeKod).exec();
    return q.next() ? q.str(S("ODE_TIP")).trimmed() : QString();
}

QString OdemePlaniHesabi(const Db& db, const QString& odeKod)
{
    Query q(db, S("SELECT HESAP_KOD FROM ODEPLAN WHERE ODE_KOD = :K"));
    q.bind(S("K"), odeKod).exec();
    return q.next() ? q.str(S("HESAP_KOD")).trimmed() : QString();
}

void IEFatKilitKontrol(const Db& db, double satisNo)
{
    Query q(db, S("SELECT FIS_NO, EF_STATU FROM SERFAT WHERE SATIS_NO = :S"));
    q.bind(S("S"), satisNo).exec();
    if (!q.next())
        return;
    if (q.num(S("FIS_NO")) > 0)
        throw IslemReddi(S("Muhasebeleşmiş kayıt değiştirilemez!"));
    const int ef = int(q.num(S("EF_STATU")));
    if (ef == 3 || ef == 4)
        throw IslemReddi(S("GİB e gönderilmiş E-Fatura üzerinde değişiklik yapılamaz."), MsgIcon::Warning);
}

QString OdemeDurumu(double odenen, double net)
{
    const double o = std::round(odenen * 100.0), n = std::round(net * 100.0);
    if (o == n)
        return S("KAPALI");
    if (o == 0)
        return S("AÇIK");
    return S("KISMI ÖDEME");
}

} // namespace tornaly::invoicing
