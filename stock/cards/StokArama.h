#pragma once
#include "db/Database.h"
#include "sql/SqlHelpers.h"

#include <QList>
#include <QString>

namespace tornaly::stock {

// The search boxes of the stock browse.
enum class StokAramaKutusu { Yok, Kod, Ad, Muadil, Barkod, Raf };

// What the browse searches for: the box used with its text, and the filters
// that apply to every search.
struct StokAramaKriteri {
    StokAramaKutusu kutu = StokAramaKutusu::Yok;
    QString metin;
    QString model, pay, grup, altGrup;
    bool ilkAcilis = false;   // the first opening lists at most 50 parts
    QString siralama;         // a column of the list chosen by the user; empty: the box's own order
    bool azalan = false;
};

// Columns of the list, in the grid's order of fields (computed ones last).
const QStringList& StokListeKolonlari();

// The list statement with every typed value bound. Texts fold Turkish case;
// "starts with" boxes (code, old/new/equivalent code) add the trailing
// wildcard, the name box searches anywhere in either name; a "%" the user
// types stays a wildcard, other LIKE characters are taken literally.
SqlText StokListeSorgusu(const Dialect& dialect, const StokAramaKriteri& k);

// A typed text as a LIKE pattern: escaped, the user's own "%" kept.
QString KullaniciDeseni(const QString& typed);

// Quantities of a part per warehouse for the browse's detail strip (rows
// whose quantity is not 0), with the shelf when one is kept.
struct StokDepoMiktari {
    QString DEPO_KOD, DEPO_ADI;
    double DEPO_MIK = 0;
};
QList<StokDepoMiktari> StokDepoMiktarlari(const Db& db, double stokNo);

// The STOKKOD pairs either side of a part number.
QList<QPair<QString, QString>> MuadilCiftleri(const Db& db, const QString& parcaNo);

} // namespace tornaly::stock
