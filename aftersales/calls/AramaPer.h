#pragma once
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tornaly::aftersales {

// ---------------------------------------------------------------------------
// Call periods (PERIYOT)

struct AramaPeriyot {
    qint64 PER_ID = 0; // 0: not stored yet
    QString SAT_SER = QStringLiteral("S"); // "B" after a sale, "S" after a service
    QString ARA_TIP = QStringLiteral("T"); // "T" telephone, "M" letter
    int PER_GUN = 0;
    QString PER_AD;
    QVariant ANKET_ID;
};

inline const QString kPeriyotGunMesaj = QStringLiteral("Periyot(Gün) sıfırdan büyük olmalıdır.");

QList<AramaPeriyot> AramaPeriyotlari(const Db& db);
// Why a period cannot be stored; empty when it can.
QString AramaPeriyotEngel(const AramaPeriyot& p);
// Stores a new or changed period. A refused one gets its warning and nothing
// is written; false then.
bool AramaPeriyotKaydet(const Db& db, AramaPeriyot& p);
void AramaPeriyotSil(const Db& db, qint64 perId);
// The period editor's save: every row is checked first; the first refused
// one gets its warning and nothing is written (its index in `hatali`).
// Otherwise the removed periods go and the rows are stored, in one transaction.
bool AramaPeriyotlariKaydet(const Db& db, QList<AramaPeriyot>& satirlar, const QList<qint64>& silinenler,
                            int* hatali = nullptr);

// Texts the grids and the printout show for the one-letter columns.
QString SatSerAdi(const QString& harf);  // "Satış", "Servis"
QString AraTipAdi(const QString& harf);  // "Telefon", "Mektup", "Faks", "Sigorta", ...
QString DurumAdi(const QString& harf);   // "Sonuçlandı", "Anket Yapıldı", ...
QString IeTipAdi(const QString& harf);   // "PBakım", "Arıza", ...
QString PeriyotAdi(const QVariant& gun); // "3 Gün", "1 Hafta", "1 Ay", ...

// ---------------------------------------------------------------------------
// Service call rows of a work order (ARAMAPER kind "S")

// What an invoice of the work order hands over.
struct ServisAramaBelge {
    QString ieNo;
    QDate tarih;      // the invoice date: the reference of every period
    QString cariKod;  // the invoice's customer
    QVariant satisNo; // the invoice's number
};

// The invoice's save: when the work order has no service call row yet, one
// row per service period; otherwise every service row of the work order moves
// to the new date and customer, keeping its outcome and report. Runs in the
// caller's transaction. Returns the rows written.
int ServisAramalariYaz(const Db& db, const ServisAramaBelge& b);
// "Yeniden Düzenle": the work order's service rows are made again from the
// periods, in one transaction (outcomes are dropped with the old rows).
int ServisAramalariYenidenDuzenle(const Db& db, const ServisAramaBelge& b);
// The work order's service rows, with the invoice's date and customer taken
// from them (empty values when there is none).
ServisAramaBelge ServisAramaBelgesi(const Db& db, const QString& ieNo);
void AramaSil(const Db& db, qint64 aramaId);

// ---------------------------------------------------------------------------
// The due list

// Monday also shows Sunday's calls; the period always ends today.
struct AramaDonem {
    QDate begdate, enddate;
};
AramaDonem AramaDonemi(const QDate& bugun);

struct AramaFiltre {
    QString musteriTip = QStringLiteral("S");
    QDate begdate, enddate;  // whole days, both inclusive
    bool sonuclananlar = false; // closed rows in place of open ones
    bool sadeceMektup = false;  // letter rows only (address labels)
    // Today: a period that reaches it also lists the open calls whose day has
    // already passed, so that no unanswered call drops out of sight.
    QDate bugun;
};

// The list's statement (QAraList) and the count of due rows (QKontrol).
QString AramaListeSql(const AramaFiltre& f);
QVariantMap AramaListeBinds(const AramaFiltre& f);
int AramaSayisi(const Db& db, const AramaFiltre& f);

// Outcome letters the commands write.
inline const QString kDurumSonuclandi = QStringLiteral("G");
inline const QString kDurumUlasilamadi = QStringLiteral("U");
inline const QString kDurumTelYanlis = QStringLiteral("Y");
inline const QString kDurumRed = QStringLiteral("R");
inline const QString kDurumSms = QStringLiteral("S");

// Sets the outcome and the report number of one call row.
void AramaSonucYaz(const Db& db, qint64 aramaId, const QString& durum, const QVariant& rapNo = {});

} // namespace tornaly::aftersales
