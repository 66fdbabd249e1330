#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace tornaly::stock {

// One row of the quick count list: a part with a STOKMIK row in the count
// warehouse, its card figures and its opening (kind D) figures.
struct SayimSatiri {
    double STOK_NO = 0;
    QString STOK_KOD_NO, STOK_ADI_TR, BARKOD, RAF_YERI, ESKI_PART_NO, YENI_KOD, MODEL_NO;
    double MIKTAR = 0, SAYIM_MIK = 0, SAYIM_FIILI = 0;
    double D_BAS_SRK_MIK = 0, D_BAS_STK_TUT = 0;
    double ALIS_FYT_TL = 0, SAT_FYT_TL = 0, MALIYET_FYT_TL = 0;
};

enum class SayimSirasi { Kod, Ad, Raf };

// What one page shows: the order, an optional search, and where to start.
struct SayimSayfaIstegi {
    QString depo{};
    SayimSirasi sira = SayimSirasi::Kod;
    // Search boxes: part-number prefix, names from the text on, shelf prefix,
    // barcode equal. Empty: no condition.
    QString kod{}, ad{}, raf{}, barkod{};
    // Paging from a row (included) forwards, or up to it backwards.
    std::optional<SayimSatiri> baslangic{};
    bool geri = false;
    bool merkezHaric = false; // brand-dealer mode: no distributor-sourced parts
    int adet = 20;
};
// The page, always in ascending order. Ties of the order are settled by
// STOK_NO, so many equal names or shelves never loop.
QList<SayimSatiri> SayimSayfasi(const Db& db, const SayimSayfaIstegi& istek);
// The page's statement and its values, as SayimSayfasi runs it.
QString SayimSayfaSorgusu(const Db& db, const SayimSayfaIstegi& istek, QVariantMap& binds);

// A pending edit of the list: how much the count changed since the row was
// read, and the new shelf when it was changed. Written as a change, so two
// clerks counting one warehouse at once lose nothing.
struct SayimDegisikligi {
    double STOK_NO = 0;
    double artis = 0;
    std::optional<QString> raf;
};
void SayimDegisiklikleriniYaz(const Db& db, const QString& depo, const QList<SayimDegisikligi>& degisiklikler);
// "Sayım Mik.nı Sıfırla": a new count starts from the current quantities.
void SayimSifirla(const Db& db, const QString& depo);

// The quantity counts are compared with.
enum class SayimKarsilastirma { Secilmedi, Baslangic, Simdiki };

// "Sayım Farkı Listesi": moved or counted parts of the warehouse.
struct SayimFarkSatiri {
    QString STOK_KOD_NO, STOK_ADI_TR, RAF_YERI;
    double MIKTAR = 0, DONEMBASMIK = 0, DBAS_TUT_TL = 0, SAT_FYT_TL = 0, SAYIM_MIK = 0;
};
QList<SayimFarkSatiri> SayimFarkListesi(const Db& db, const QString& depo, bool yalnizFarkli, SayimKarsilastirma k);

// What the count-difference slips would book.
struct SayimFarkOzeti {
    int fazla = 0;       // parts counted above the compared quantity
    int eksik = 0;       // below it
    int sayilmamis = 0;  // of those below: never counted (0), booked as a shortage of all they hold
};
SayimFarkOzeti SayimFarkiOzeti(const Db& db, const QString& depo, SayimKarsilastirma k);

struct SayimFisleri {
    double fazlaFisi = 0; // HRKNO of the T slip, 0 when none
    double eksikFisi = 0; // HRKNO of the Z slip, 0 when none
};
// Writes the T and Z slips (heads with totals, lines, movements) and resets
// the warehouse's counts, all in one transaction, comparing with `k`
// throughout. Lines are priced at the sale price × (100 − yuzde) / 100.
SayimFisleri SayimFarkiFisleriOlustur(const SessionContext& ctx, const Db& db, const QString& depo,
                                      SayimKarsilastirma k, double yuzde, const QString& aciklama);

// Count imports.
struct SayimOkunan {
    QString BARKOD{};   // the code as read
    double MIKTAR = 0;
    QString STOK_KOD{}; // the part number found
    QString SRAF{};     // shelf from the source
    QString RAF{};      // shelf on the card
    QString DIKKAT{};   // "X" when the two shelves differ (mobile import)
    QString HATA{};     // faulty rows: why
};
struct SayimAktarimi {
    QList<SayimOkunan> dogru, hatali;
};
// A terminal or mobile code as a part number: the code itself, or, when it is
// longer than 7 characters, the code without its last 4.
std::optional<QString> SayimKoduCoz(const Db& db, const QString& kod, bool merkezHaric = false);
// The hand-held terminal's text file: fields 1 (code), 2 (quantity, must be
// followed by ";") and 6 (shelf, taken when a ";" follows it).
SayimAktarimi SayimTerminalOku(const Db& db, const QStringList& satirlar, bool merkezHaric = false);
// Excel rows (header left out): barcode, quantity, part number, shelf.
SayimAktarimi SayimExcelOku(const Db& db, const QList<QStringList>& satirlar);
// The mobile terminal's readings (ISLEMLER, TIP 'SS').
SayimAktarimi SayimMobilOku(const Db& db, bool merkezHaric = false);
// "Aktar" (replace: reset first) or "Sayıma İlave Et" (add), in one
// transaction. Returns the number of rows applied.
int SayimAktar(const Db& db, const QString& depo, const QList<SayimOkunan>& satirlar, bool ilaveEt,
               bool rafGuncelle);

} // namespace tornaly::stock
