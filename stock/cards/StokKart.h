#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariantMap>

namespace tornaly::stock {

// The columns of STOK the card form reads and writes (never MIKTAR, the
// opening columns or RAF_YERI).
const QStringList& StokKartKolonlari();
// Columns the copy rule takes from the source card.
const QStringList& StokKopyaKolonlari();

// Messages of the card, as the user sees them.
QString ParcaNoVarMesaji();     // "Bu parçano-ya sahip bir stok var. ..."
QString StokAdiYokMesaji();     // "Stok Adı Bilgisini Vermeden Kayıt Saklanamaz."
QString DovizKoduYokMesaji();   // "Döviz Kodu Bilgisini Vermeden Kayıt Saklanamaz."
QString BarkodVarMesaji();      // "Bu borkodlu kayıt var"
QString HareketliStokMesaji();  // "Bu Stokğun Hareket Kaydı var. Silinemez!"

// Main groups (PAY) with their captions on the card and in the browse.
struct AnaGrup {
    QString harf, kartAdi, listeAdi;
};
const QList<AnaGrup>& AnaGruplar();
QString AnaGrupListeAdi(const QString& harf);

// Takes the next STOK_NO from NEWSTOK (under its lock, committed at once; a
// cancelled card leaves a gap).
double YeniStokNo(const Db& db);

// A card being edited: the STOK row as column -> value, whether it is new
// (or a copy), and the shelves typed per warehouse.
struct StokKarti {
    QVariantMap alan;
    bool yeni = false;
    QMap<QString, QString> raflar; // DEPO_KODU -> RAF_YERI, only changed ones

    double stokNo() const { return alan.value(QStringLiteral("STOK_NO")).toDouble(); }
    QString parcaNo() const { return alan.value(QStringLiteral("STOK_KOD_NO")).toString(); }
};

// A new card: defaults of a new card and a number from NEWSTOK.
StokKarti YeniStokKarti(const Db& db, const SessionContext& ctx, const QDate& bugun);
// The card of a number; nullopt-like: alan empty when there is none.
StokKarti StokKartiOku(const Db& db, double stokNo);
// A new card filled as a copy of `kaynak` (the copy rule): part number with
// "*" appended for a central card, opening date today, MERKEZ 0.
StokKarti StokKartiKopyala(const Db& db, const SessionContext& ctx, const StokKarti& kaynak, const QDate& bugun);

// Checks and saves a card with its shelves in one transaction. Returns the
// message that refused it (nothing written), or an empty text when saved.
// Part numbers are compared trimmed; a part number that another workstation
// saved at the same moment is refused by the unique index with the same message.
QString StokKartiKaydet(const Db& db, StokKarti& kart);

// Whether another card carries `barkod` (letter case ignored).
bool BarkodBaskaKartta(const Db& db, const QString& barkod, double stokNo);

// Deletes a card that has no movement; returns the refusal text or empty.
QString StokKartiSil(const Db& db, double stokNo);

// Values shown on the card and never stored.
struct StokHesapliFiyatlar {
    double ISKLI1 = 0, ISKLI2 = 0, SATIS_KDVLI = 0, SAT_KDVLI_USD = 0, SAT_KDVLI_DVZ = 0, SONALISFYT_USD = 0;
};
StokHesapliFiyatlar StokHesapliFiyatlariBul(const Db& db, const SessionContext& ctx, const QVariantMap& kart);
// "KDV Hariç Fiyatı Hesapla": SAT_FYT_DOVIZ / (KDV / 100 + 1).
void KdvHaricFiyatHesapla(QVariantMap& kart);
// When the price currency is the local one and the currency sale price is
// above 0, the local sale price follows it.
void YerelSatisFiyatiniEsitle(QVariantMap& kart, const SessionContext& ctx);

// Opening figures from the part's kind D rows.
struct DonemBasi {
    double miktar = 0, tutarTL = 0, tutarUSD = 0, birimTL = 0, birimUSD = 0;
};
DonemBasi DonemBasiBul(const Db& db, double stokNo);

// One line of the warehouse page: every warehouse in display order with the
// part's movement sums and its shelf there.
struct DepoSatiri {
    QString DEPO_KODU, DEPO_ADI, RAF_YERI;
    double GIRMIK = 0, CIKMIK = 0, MIK = 0;
    bool mikSatiriVar = false; // a shelf is stored only where STOKMIK has a row
};
QList<DepoSatiri> StokDepoSatirlari(const Db& db, double stokNo);

// Equivalent codes of a part number (pairs it owns).
QStringList MuadilKodlar(const Db& db, const QString& parcaNo);
// Adds an equivalent code, or puts it in place of `degisenKod`; false (nothing
// written) without a part number.
bool MuadilKoduYaz(const Db& db, const QString& parcaNo, const QString& eskiKod, const QString& degisenKod = {});
void MuadilKoduSil(const Db& db, const QString& parcaNo, const QString& kod);

} // namespace tornaly::stock
