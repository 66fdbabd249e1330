#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace tornaly::invoicing {

// One line of a work-order invoice as the totals see it (SERFATDT).
struct IEFatSatir {
    QString PARCA_ISCILIK = QStringLiteral("P"); // P part, I labour, A text
    QString PI_KOD, PI_AD;
    double BIRIM_FIYAT = 0;
    double MIKTAR = 0;
    double KDV = 0;
    double ISKONTO = 0;
    double GER_TUT = 0;
    double ISK_TUT = 0;
    QString GARANTI_TIP = QStringLiteral("M");
    QString EXPER;
    double CLAIM_NO = 0;
    QString IENO;
    int REFSIRA = 0;
    double FYT_DOVIZ = 0;
    QString DOVIZ_KODU;
    double TL_KURDEGER = 0;
    QString PER_KOD;
    int SIRA = 0;
};

// M, I, K and D are billed to the invoice's account; G and S are listed at 0.
bool MusteriOdemeli(const QString& garantiTip);
bool MetinSatiri(const IEFatSatir& s);

// Line amount and VAT as the grid shows them; the VAT rate counts as a whole number.
double SatirTutar(const IEFatSatir& s);
double SatirKdvTutar(const IEFatSatir& s);
QString SatirAciklama(const IEFatSatir& s);
double SatirFiyatKdvli(const IEFatSatir& s);
double SatirTutarKdvli(const IEFatSatir& s);

// What posting a line does to it: text lines are emptied, a foreign line gets
// its lira price from its rate, and GER_TUT / ISK_TUT follow the price,
// quantity and discount. `kur` gives a currency's rate when the line has none.
template <typename KurFn>
void SatirHazirla(IEFatSatir& s, const QString& yerelPara, KurFn kur);
void SatirTutarlariniHesapla(IEFatSatir& s);

// The header amounts (SERFAT), each lira value with its currency twin.
struct IEFatToplamlar {
    double BRUT_TUTAR = 0, INDIRIM = 0, TOPLAM_TUTAR = 0, KDV_TUTARI = 0, KDVTEV_TUT = 0, NET_TUTAR = 0;
    double GARANTI_TUTAR = 0, IND_TUT_PAR = 0, IND_YUZ_PAR = 0, IND_TUT_ISCI = 0, IND_YUZ_ISCI = 0;
    double BRUT_TUTAR_DVZ = 0, INDIRIM_DVZ = 0, TOPLAM_TUTAR_DVZ = 0, KDV_TUTARI_DVZ = 0, KDVTEV_TUT_DVZ = 0;
    double IND_TUT_PAR_DVZ = 0, IND_YUZ_PAR_DVZ = 0, IND_TUT_ISCI_DVZ = 0, IND_YUZ_ISCI_DVZ = 0, NETTUT_DVZ = 0;
    // A billed line without quantity or amount (refused at saving unless
    // zero-priced lines are allowed).
    bool nulltoplam = false;
};

struct IEFatToplamGirdisi {
    QString KDVTEV = QStringLiteral("0");
    QString FatYuvarTip;
    double TL_KURDEGER = 1;
    bool garantiBedelsiz = false; // PARAMET.GARANTI_BEDELSIZ = "E"
};

// The invoice totals. `onceki` carries the twins of the last run: a lira value
// of 0 or less leaves its twin as it was.
IEFatToplamlar IEFatToplamHesapla(const QList<IEFatSatir>& satirlar, const IEFatToplamGirdisi& g,
                                  const IEFatToplamlar& onceki = {});

// Currency fill before the sums: lines of a foreign invoice without their own
// currency price get BIRIM_FIYAT / rate in the invoice currency.
void DovizFiyatDoldur(QList<IEFatSatir>& satirlar, const QString& faturaDoviz, const QString& yerelPara,
                      double kur);

// The user's discount cap of a line kind; 0 means none. Returns the allowed
// percent and, when it had to be cut, the message to show.
struct IskontoSonucu {
    double oran = 0;
    QString mesaj;
};
IskontoSonucu IskontoSiniri(const IEFatSatir& s, double yeniOran, double maxIskPrc, double maxIskIsc);

// "Yuvarla": new discounts of the M, K and D lines so that the net becomes
// `hedef`. Returns false (nothing changed) when the target is not positive or
// the current net is 0, which would divide by zero.
bool Yuvarla(QList<IEFatSatir>& satirlar, double hedef, double netTutar);

// "Satir.Isk.Uygula": the same percent on every line that is not a text line.
void SatirIskontoUygula(QList<IEFatSatir>& satirlar, double oran);

// The withholding codes (KDVTEV) in the order of the form's list, and their captions ("1/2").
const QStringList& TevkifatKodlari();
const QStringList& TevkifatBasliklari();
// The caption of a withholding code; empty for none.
QString TevkifatBasligi(const QString& kod);

// ---- template body ----
template <typename KurFn>
void SatirHazirla(IEFatSatir& s, const QString& yerelPara, KurFn kur)
{
    if (MetinSatiri(s)) {
        s.PI_KOD.clear();
        s.BIRIM_FIYAT = 0;
        s.MIKTAR = 0;
        s.KDV = 0;
        s.ISKONTO = 0;
        s.GARANTI_TIP = QStringLiteral("M");
    }
    if (!s.DOVIZ_KODU.isEmpty() && s.DOVIZ_KODU != yerelPara) {
        if (s.TL_KURDEGER == 0 || s.TL_KURDEGER == 1)
            s.TL_KURDEGER = kur(s.DOVIZ_KODU);
        s.BIRIM_FIYAT = s.TL_KURDEGER * s.FYT_DOVIZ;
    } else {
        s.TL_KURDEGER = 0;
    }
    SatirTutarlariniHesapla(s);
}

} // namespace tornaly::invoicing
