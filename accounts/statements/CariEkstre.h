#pragma once
#include "db/Database.h"
#include "report/ReportEngine.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

namespace tornaly {
struct SessionContext;
}

namespace tornaly::accounts {

// The filter of the movement form ("FİLTRE"). Days are whole: an end date
// takes in every movement of that day.
struct CariHrkFiltre {
    QDate bas, son;         // "Tarih Aralığı"
    QDate vadeBas, vadeSon; // "Vade Tarihi Aralığı"
    enum Odeme { Hepsi, Odenmisler, Odenmemisler } odeme = Hepsi;

    bool bos() const { return !bas.isValid() && !son.isValid() && !vadeBas.isValid() && !vadeSon.isValid() && odeme == Hepsi; }
    // The readable description printed on statements (DispFlt); empty when no filter is set.
    QString aciklama() const;
};

// Sums of an account's rows (the totals grid and the carried balance).
struct CariToplam {
    double borc = 0, alacak = 0;
    double borcUsd = 0, alacakUsd = 0;
    double borcDvz = 0, alacakDvz = 0;
    double bakiye() const { return borc - alacak; }
    double bakiyeDvz() const { return borcDvz - alacakDvz; }
};

// One row of the movement list.
struct CariHrkSatiri {
    double CARI_NO = 0;
    int SIRANO = 0;
    QDateTime TARIH;
    QDateTime VADE_TRH;
    QString CRHRK_TUR;
    QString ALT_TIP;
    QVariant REF_NO;
    double BORC = 0, ALACAK = 0, BORC_USD = 0, ALACAK_USD = 0, BORC_DVZ = 0, ALACAK_DVZ = 0;
    double KAPANANB = 0, KAPANANA = 0;
    double TL_KURDEGER = 0, TL_USDEGER = 0;
    double PORTFOYNO = 0;
    QString DOVIZ_KODU, PARA_BAZ, ACIKLAMA, BELGE_NO, ODE_KOD, ODENDI_MI;
    QString PLAKA_NO;   // the vehicle of a work-order invoice's sales row
    QString SON_DURUMU; // the present status of a cheque or note row
    QString Aciklama2;
};

// The movements of an account in the list's order (date, kind, reference,
// line), with the plate and cheque status where their tables exist.
QVector<CariHrkSatiri> CariHareketleri(const Db& db, const QString& cariKod);
// The rows the filter lets through; an empty filter lets all through.
QVector<CariHrkSatiri> Filtrele(const QVector<CariHrkSatiri>& rows, const CariHrkFiltre& filtre);

// "PLAKA Plakalı, AÇIKLAMA" when the trimmed plate has six characters or more.
QString Aciklama2(const QString& plaka, const QString& aciklama);

CariToplam CariToplamOku(const Db& db, const QString& cariKod);
// The balance carried into a statement: the rows dated before the start day.
// Without a start day nothing is carried, since the statement then shows every row.
CariToplam CariDevirOku(const Db& db, const QString& cariKod, const QDate& bas);

// The due-date figures of an account (weighted mean due dates of debits and
// credits, counted in days from 2000-01-01).
struct VadeToplamlari {
    double borc = 0, borcGun = 0;     // BORCTUT, BORCGUN
    double alacak = 0, alacakGun = 0; // ALATUT, ALAGUN
    double kBorc = 0, kBorcGun = 0;   // closed debits
    double kAlacak = 0, kAlacakGun = 0;
    double aBorc = 0, aBorcGun = 0;   // open debits
    double aAlacak = 0, aAlacakGun = 0;
};
struct CariVadeOzeti {
    double BAKIYE = 0;
    QChar BAKIYETIP = QLatin1Char('-'); // A credit, B debit, - none
    QDate BORCVTRH, ALAVTRH, KBORCVTRH, KALAVTRH, ABORCVTRH, AALAVTRH;
    QDate BAKIYEVTRH;
    QVariant GUN;  // days since BAKIYEVTRH; null when that is not set
    QVariant KGUN; // KBORCVTRH - KALAVTRH; null unless both are set
    QDate KAPATANVADE;
};
VadeToplamlari VadeToplamlariHesapla(const QVector<CariHrkSatiri>& rows);
CariVadeOzeti VadeOzeti(const VadeToplamlari& t, const QDate& bugun);

// Residual balance per kind and sub-kind (groups above 0.1 in absolute value).
struct BakiyeDetaySatiri {
    QString CRHRK_TUR, ALT_TIP;
    double BAKIYE = 0;
};
QVector<BakiyeDetaySatiri> BakiyeDetay(const QVector<CariHrkSatiri>& rows);

// A balance as the statements print it: the absolute amount in 12 positions
// with Turkish separators and " (B)" for debit or " (A)" for credit; zero "0,00".
QString EkstreBakiye(double borcEksiAlacak, int decimals = 2);

// The SMS text of the balance.
QString BakiyeSmsMetni(const QString& firmaAdi, const QDate& bugun, double borcEksiAlacak);

// What the statement prints.
struct EkstreSecenekleri {
    bool yerelPara = true;        // "TL. Ekstresi": local-currency statement, else the currency one
    bool detayli = false;         // "Detaylı Ekstre"
    bool bakiyeDetay = false;     // "Bakiye Detay"
    bool baslikBirKez = false;    // "Başlık ve Toplamları Gösterme"
    bool belgeNo = false;         // "Belge No Alanı Görünsün"
};

struct EkstreVerisi {
    QString cariKod, cariAd;
    CariHrkFiltre filtre;
    QVector<CariHrkSatiri> satirlar; // already filtered
    CariToplam devir;                // carried into the local-currency statement
    CariToplam hesapToplami;         // every row of the account
    QVector<BakiyeDetaySatiri> bakiyeDetay;
    QDateTime dokumZamani;
};

// Reads what a statement of the account needs.
EkstreVerisi EkstreVerisiOku(const Db& db, const QString& cariKod, const QString& cariAd, const CariHrkFiltre& filtre,
                              const EkstreSecenekleri& secenek);

// The laid-out statement ("Cari Hesap Ekstresi" or the currency statement),
// with "Bakiye Detayı" after it when asked.
report::Document EkstreBelgesi(const EkstreVerisi& veri, const EkstreSecenekleri& secenek);

} // namespace tornaly::accounts
