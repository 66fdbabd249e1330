#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"
#include "stock/ledger/DepoHrk.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <optional>

namespace tornaly::stock {

// One slip type: its letter, how the slip form and the browse word it, and
// which warehouses it moves stock out of and into.
struct StokFisTipi {
    QChar harf;
    QString fisBasligi;   // caption on the slip form
    QString listeBasligi; // caption in the browse list
    bool cikis = false;   // uses the out-warehouse
    bool giris = false;   // uses the in-warehouse
};
const QList<StokFisTipi>& StokFisTipleri();
const StokFisTipi* StokFisTipiBul(QChar harf);

struct StokFisSatiri {
    int SIRANO = 0;
    double STOK_NO = 0;
    QString STOK_KOD_NO;
    QString STOK_ADI;
    double MIKTAR = 0;
    double FIYAT = 0;
    double KDV = 0;
    double FYT_USD = 0;
    double FYT_DOVIZ = 0;
    QString DOVIZ_KODU;
    double TL_KURDEGER = 1;
    QString PARA_BAZ = QStringLiteral("T");
    QString KDV_DAHIL = QStringLiteral("D");
    QString DEPO_KODU;
    QString SERINO;
    QString ACIKLAMA;

    double KDVSIZFYT() const { return FIYAT; }
    double KDVLIFYT() const { return (KDV + 100) * FIYAT / 100; }
    double KDVSIZTUT() const { return FIYAT * MIKTAR; }
    double KDVSIZTUT_USD() const { return FYT_USD * MIKTAR; }
    double NetKDVsizTut() const { return KDVSIZTUT(); }
    double NetKDVsizTutUSD() const { return KDVSIZTUT_USD(); }
    double KDV_TUT() const { return KDV * KDVSIZTUT() / 100; }
    double KDV_TUT_USD() const { return KDV * KDVSIZTUT_USD() / 100; }
    double AsilKDV() const { return KDV * NetKDVsizTut() / 100; }
    double AsilKDV_USD() const { return KDV * NetKDVsizTutUSD() / 100; }
    double KDVLI_TUT() const { return KDVSIZTUT() + KDV_TUT(); }
};

struct StokFisi {
    double HRKNO = 0;
    QChar TIP;
    QDateTime TARIH;
    QString OZELKOD, ACIKLAMA1, ACIKLAMA2, ACIKLAMA3;
    QString KULLANICI, PERSON_KOD;
    QString CIKDEPO, GIRDEPO;
    double BRUTTUT = 0, KDVTUT = 0, NETTUT = 0, BRUT_USD = 0, KDV_USD = 0, NET_USD = 0;
    bool ONAY = false;
    QVariant FIS_NO;     // written by the accounting transfer; read only here
    QString HRKDURUM;    // read only here
    QList<StokFisSatiri> satirlar;

    bool kayitli = false;   // read from the database (not a new slip)
    QString eskiGirDepo;    // the in-warehouse as the slip was read
};

// The warehouses a slip or a count may use: every one but the service
// warehouse, in display order, as (code, name).
QList<QPair<QString, QString>> FisDepolari(const SessionContext& ctx, const Db& db);

// A new slip of a type: HRKNO from NEWSATIS (taken now, used even when the
// slip is never saved), today, the user as clerk and responsible person.
StokFisi YeniStokFisi(const SessionContext& ctx, const Db& db, QChar tip);
// The slip and its lines; nullopt when there is no such slip.
std::optional<StokFisi> StokFisiOku(const Db& db, double hrkno);

// Sums the lines into the head's totals (no rounding).
void StokFisiToplamlari(StokFisi& fis);
// The DEPOHRK rows the slip's lines make for its type and warehouses.
QList<DepoHrkSatiri> StokFisiHareketleri(const StokFisi& fis);

// The checks of a save, in order; throws IslemReddi (nothing is written).
void StokFisiKontrol(const SessionContext& ctx, const StokFisi& fis);
// Saves head, lines and movements in one transaction (movements only for a
// non-transfer or an approved transfer; an unapproved transfer has none),
// checks batch stock, and for an opening slip rebuilds the opening month of
// the old and the new in-warehouse. Marks the slip as saved.
void StokFisiKaydet(const SessionContext& ctx, const Db& db, StokFisi& fis);
// The writing part of a save, without its checks, inside the caller's
// transaction (or one of its own); for slips the program makes itself.
void StokFisiYaz(const SessionContext& ctx, const Db& db, StokFisi& fis);
// The checks of a delete before the question is asked; throws IslemReddi.
void StokFisiSilinebilir(const SessionContext& ctx, const Db& db, double hrkno);
// Deletes a slip with its movements and lines in one transaction; refuses
// one with an accounting voucher or a locked date.
void StokFisiSil(const SessionContext& ctx, const Db& db, double hrkno);
// Whether a saved slip of this type is handed to accounting (kind H).
bool StokFisiMuhasebeyeGider(QChar tip);

// Month 12 of the year before the working year, for one warehouse, rebuilt
// from every opening (D) ledger row of that warehouse.
void AcilisAyiniYenidenKur(const SessionContext& ctx, const Db& db, const QString& depo);

// "Fiyatları Güncelle": the choices and the new unit price of every line.
enum class FiyatKaynagi { AlislarinOrtalamasi, AylikMaliyetAnalizi, SatisFiyati, AlisFiyati };
void StokFisiFiyatlariniGuncelle(const SessionContext& ctx, const Db& db, StokFisi& fis, FiyatKaynagi kaynak);

// A part as a slip line takes it from its card.
struct StokKartOzeti {
    double STOK_NO = 0;
    QString STOK_KOD_NO, STOK_ADI_TR, SERITAKIP;
    double KDV = 0, ALIS_FYT_TL = 0;
};
std::optional<StokKartOzeti> StokKartiOzeti(const Db& db, double stokNo);
std::optional<StokKartOzeti> StokKoduOzeti(const Db& db, const QString& stokKodNo);

// Adds a part to the slip. A part already on an untracked line (no batch
// number): an import adds its quantity there (and its cost when given); a
// pick leaves the slip as it is. Returns the index of the line.
struct StokEkleme {
    double miktar = 1;
    std::optional<double> maliyet; // the imported cost, when "Maliyeti Aktar" is ticked
    bool aktarim = false;          // from an import rather than a pick
};
int StokFisineEkle(const SessionContext& ctx, StokFisi& fis, const StokKartOzeti& stok, const StokEkleme& e = {});

// The Excel lines of "Excelden Aktar": part number, quantity, cost.
struct FisAktarimSatiri {
    QString stokKod;
    double miktar = 0;
    double maliyet = 0;
    QString hata;
};
struct FisAktarimi {
    QList<FisAktarimSatiri> dogru, hatali;
};
FisAktarimi StokFisiExcelOku(const Db& db, const QList<QVariantList>& satirlar);

} // namespace tornaly::stock
