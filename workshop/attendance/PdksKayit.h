#pragma once
#include "db/Database.h"
#include "workshop/attendance/Pdks.h"

#include <functional>

namespace tornaly {
struct SessionContext;
}

// Reading and writing the attendance tables PEROKU and PEROKUM.
namespace tornaly::workshop {

// ---- Device file import ------------------------------------------------------
struct PdksDosyaSonucu {
    int okunanSatir = 0;       // lines read, the header lines included
    int yazilan = 0;           // readings written or updated
    int yenidenNumarali = 0;   // readings at or below the stored record number that were new
    QStringList hataliSatirlar; // lines whose record number or date did not convert
    QDateTime dosyaZamani;
};

// The device file of FIRKIM.BBSDIZIN; empty when none is set.
QString PdksDosyaYolu(const Db& db);

// Reads the device file into PEROKU in one transaction. Lines above the
// highest stored record number are written or update the stored reading of
// the same badge, day, minute and code; with `tumu` every line with a number
// above 0 is. A line at or below that number whose reading is not stored
// (a file whose numbering restarted) is added too, without changing stored
// readings. A line whose record number does not convert is skipped; one
// whose date does not convert is stored with `simdi`, once. Both are listed.
// Throws IslemReddi with the Part's text when the file cannot be read.
PdksDosyaSonucu CihazDosyasiOku(const Db& db, const QString& yol, bool tumu, const QDateTime& simdi,
                                const std::function<void(int)>& ilerleme = {});

// ---- Pairing -------------------------------------------------------------------
struct PdksEslemeAyari {
    QDate ilkGun;
    QDateTime dosyaZamani; // presence intervals only for days whose working time ended before it
    QTime mesaiBitis;      // FIRKIM.MESAIBIT; 18:00 when invalid
};
// FIRKIM.MESAIBIT, invalid when empty.
QTime PdksMesaiBitisi(const Db& db);

// Pairs the readings of every day and badge from `ilkGun` on into PEROKUM,
// in one transaction with a savepoint per day and badge (a group that fails
// leaves none of its rows, ends the run and keeps the groups before it;
// the error is thrown on): intervals are found again by their key
// and updated, new ones added, and the unlocked intervals of an earlier
// pairing that no longer match are removed. The columns the dispositions
// write are never touched. `adim` runs inside each group's transaction after
// its stored intervals were read (tests use it). Returns the intervals written.
int PdksEsle(const Db& db, const PdksEslemeAyari& ayar, const std::function<void(int)>& ilerleme = {},
             const std::function<void(const QDate&, const QString&)>& adim = {});

// "Hesapla": pairs the hand-entered readings from three days before the
// latest interval day on (from the start when there is none). A day and badge
// that fails is rolled back alone; the failures are returned as texts.
QStringList PdksHesapla(const Db& db);

// ---- Hand entry of readings -------------------------------------------------------
// Whether readings are entered at the workstation: PEROKU.SIRANO is an
// identity column (PostgreSQL), or the setting [PDKS] ElleGiris=E (SQLite).
bool PdksGirisModu(const Db& db);

struct PdksOkumaGirisi {
    int SIRANO = 0; // 0: a new reading
    QString CIHAZ_ID;
    QDate TARIH;
    QTime SAAT;
    QString TIPKOD;
    QString IENO;
};
// The "&Sakla" checks and the save; answers the reading's SIRANO. Throws
// IslemReddi with the Part's messages.
int PdksOkumaKaydet(const Db& db, const SessionContext& ctx, const PdksOkumaGirisi& g);
PdksOkumaGirisi PdksOkumaOku(const Db& db, int sirano);

// ---- Intervals by hand (overtime and leave) ----------------------------------------
// A PEROKUM interval is locked once the dispositions assigned it to a labour line.
QString KilitsizAralikKosulu();
bool AralikKilitli(const Db& db, int sirano);

struct PdksAralikGirisi {
    int SIRANO = 0; // 0: new
    QString PER_KOD;
    QDate TARIH;
    QTime SAATBAS, SAATBIT;
    QString IS_TIP;
    QString IENO;
};
PdksAralikGirisi PdksAralikOku(const Db& db, int sirano);
// The "&Kaydet" checks and the save; answers the interval's SIRANO. Throws
// IslemReddi (the Part's messages; a locked interval is refused).
int PdksAralikKaydet(const Db& db, const PdksAralikGirisi& g);
// Deletes an unlocked interval; refused with the Part's text when locked.
void PdksAralikSil(const Db& db, int sirano);

// The intervals browse filter ("Filtrele").
struct PdksAralikFiltresi {
    QString isTip;        // "" = "Tümü", else the leading code of the choice ("W1", "WW2", "I")
    QDate bas, bit;       // invalid = not given
    QString perKod;
    bool perKodSirali = false; // "Pers.Kod" ordering
};
QString PdksAralikSorgusu(const PdksAralikFiltresi& f, QVariantMap& binds);

} // namespace tornaly::workshop
