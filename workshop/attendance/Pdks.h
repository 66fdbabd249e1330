#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// Attendance (PDKS): the device file's lines, the pairing of one badge's
// readings of one day into intervals, and the code tables. Nothing here
// touches the database.
namespace tornaly::workshop::pdks {

// Texts of the attendance units are UTF-8 literals.
inline QString U(const char* s) { return QString::fromUtf8(s); }
// A day as the attendance tables store it: midnight of the day.
inline QDateTime GunBasi(const QDate& d) { return QDateTime(d, QTime(0, 0)); }

// ---- The device file ----------------------------------------------------
// One line of the device file, read by its fixed positions.
struct CihazSatiri {
    int SIRANO = 0;            // 0 when the record number does not convert
    bool siraGecersiz = false; // the record number held something other than an integer
    QString CIHAZ_ID; // trailing blanks dropped, leading ones kept
    QDate TARIH;
    QDateTime SAAT;
    QString TIPKOD;
    QString IENO;
    bool tarihGecersiz = false; // stored with `simdi`: the day or time did not convert
};

// Reads a line after the three header lines. A day or time that does not
// convert gives `simdi` (and its day) and sets `tarihGecersiz`.
CihazSatiri CihazSatiriOku(const QString& satir, const QDateTime& simdi);
// The record number conversion: leading blanks and a sign allowed, anything
// else (trailing blanks included) gives nullopt-like `ok` false.
int KayitNoCevir(const QString& alan, bool* ok);

// ---- Codes ---------------------------------------------------------------
// "Giriş", "Çıkış", "İş Emri", "Mazeret" for G, C, I, M; the letter otherwise.
QString OkumaTipiAdi(const QString& tipkod);
// The work type texts of the interval screens ("W1" "Atölye İşleri", "001" ...).
QString IsTipiAdi(const QString& isTip);
// The excuse codes "001".."013" with their texts.
const QList<QPair<QString, QString>>& MazeretKodlari();

// ---- Pairing ---------------------------------------------------------------
struct Okuma {
    int SIRANO = 0;
    QDateTime SAAT;
    QString TIPKOD;
    QString IENO;
};

// An interval as the pairing makes it. ESLEME_NO finds it again on the next
// run: the number of the reading it is keyed by (-1 for the day-wide
// presence interval of a day without entry/exit readings).
struct Aralik {
    QString TIPKOD;
    QString IENO;
    QDateTime SAATBAS, SAATBIT;
    int SIRANO_BAS = -1;
    int SIRANO_SON = -1;
    int ESLEME_NO = -1;
    double FIILISURE = 0;
    QString IS_TIP;       // what the interval's work type becomes ...
    bool isTipKoru = false; // ... unless it already holds one (work-order and entry intervals)

    bool operator==(const Aralik&) const = default;
};

// Hundredths of an hour between two moments: whole minutes less whole days,
// sign kept, times 100 / 60 truncated toward zero.
double FiiliSure(const QDateTime& bas, const QDateTime& bit);
// IS_TIP of a saved interval: M readings map their excuse code to W0..W10,
// C gives "C", I keeps a set type and is "I" otherwise, others keep theirs.
void IsTipiBelirle(Aralik& a);

// Pairs the readings of one badge on one day (any order; they are taken by
// time, then record number). `varlik` says whether presence intervals are made
// for the day; work intervals are made always.
QList<Aralik> BasBitZamanHesapla(QList<Okuma> okumalar, bool varlik);

// Whether the day gets presence intervals: its working time ended before the
// device file was written (`mesaiBitis` 18:00 when invalid).
bool VarlikAraligiYapilir(const QDate& gun, QTime mesaiBitis, const QDateTime& dosyaZamani);

// The simple pairing of hand-entered readings ("Hesapla"): every reading but
// G and C starts an interval that ends at the next reading of the day, the
// last at the day's last time with number -1.
QList<Aralik> ElleGirilenleriEsle(QList<Okuma> okumalar);

// ---- Hand-entered intervals --------------------------------------------------
// Work types that need a work order on the overtime/leave entry.
bool IsEmriGerekir(const QString& isTip);
// FIILISURE of an interval entered by hand: hours between the moments × 100,
// not rounded. An end earlier than the start on the same day is on the next day.
QDateTime ElleBitis(const QDateTime& bas, const QTime& bitSaat);
double ElleFiiliSure(const QDateTime& bas, const QDateTime& bit);

} // namespace tornaly::workshop::pdks
