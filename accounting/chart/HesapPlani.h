#pragma once
#include "db/Database.h"
#include "guard/IslemReddi.h"

#include <QChar>
#include <QList>
#include <QString>
#include <optional>
#include <stdexcept>

namespace tornaly::accounting {

// The chart's level settings (PARAMETRE), read again each time a card opens.
struct HesapParametreleri {
    int muavinHane = 0, taliHane = 0, detayHane = 0;
    QString seviye;    // M two levels, T three, D four
    QString alfaDurum; // S or empty: digits only; A: letters and digits
    QString ayrac;     // written between the parts of a code
};
HesapParametreleri HesapParametreleriOku(const Db& db);

// One HSPLAN row.
struct HesapKaydi {
    QString HKOD, HESAP_ADI;
    int KEBIR = 0;
    QString MUAVIN, TALI, DETAY;
    QString ACIKLAMA;
    QString BAKIYETIP = QStringLiteral("I");
    QString BILANCOTIP = QStringLiteral("-");
    QString MASRAFM_KOD, KURFHSP_KOD, BIRIM;
};
std::optional<HesapKaydi> HesapOku(const Db& db, const QString& kod);

// A card refused with the message the user is shown; the form's guard shows it.
class KartHatasi : public IslemReddi {
public:
    explicit KartHatasi(const QString& text, MsgIcon icon = MsgIcon::Warning) : IslemReddi(text, icon) {}
};
using HesapHatasi = KartHatasi;

inline QString UstHesapYokText() { return QStringLiteral("Lütfen önce üst hesap kodunu tanımlayın"); }
inline QString HesapAdiKebirYokText() { return QStringLiteral("Hesap Adı ve Kebir Bilgisi Verilmeden Kayıt Saklanamaz."); }
inline QString AyniKodluKayitText() { return QStringLiteral("Aynı Kodlu Kayıt Var."); }
inline QString HesapKullanimdaText() { return QStringLiteral("Bu Hesap Kodu ile ilgili işlem var.Silinemez!"); }

// A level part padded with leading zeros to its digit count.
QString HesapParcasiniDoldur(const QString& parca, int hane);
// Whether a typed character is allowed in a level part.
bool HesapParcaKarakteri(QChar c, const QString& alfaDurum);
// The balance-sheet side a main account implies: A for 1-299, P for 300-599.
std::optional<QString> BilancoTipi(int kebir);
// The level letter of a row: K main, M, T, D by the deepest filled part.
QChar HesapSeviyeHarfi(const HesapKaydi& h);

// The code of a new account from its parts; throws HesapHatasi with
// UstHesapYokText() when the parent is missing or the parts skip a level;
// an empty code (no message) for a main account 0 without parts.
QString HesapKoduOlustur(const Db& db, const HesapParametreleri& p, const HesapKaydi& h);

// Stores a card; a new one gets its code built. Returns the code. Throws
// HesapHatasi with the card's messages.
QString HesapKaydet(const Db& db, const HesapParametreleri& p, HesapKaydi h, bool yeni);

bool HesapKullaniliyor(const Db& db, const QString& kod);

// The picker's list: mode 1 posting-level accounts, 99 every account below the main level.
QList<HesapKaydi> HesapListesi(const Db& db, const HesapParametreleri& p, int mod, const QString& kodBasi,
                               const QString& adBasi, bool tumu);

// The balance strip: sums over the lines of the code and its sub-accounts.
struct HesapBakiyesi {
    double borc = 0, alacak = 0;
    QString bakiyeMetni; // "#,# (Borç)", "#,# (Alacak)" or "-"
};
HesapBakiyesi HesapBakiyesiOku(const Db& db, const QString& kod);

// One month of the monthly page.
struct HesapAyi {
    double borc = 0, alacak = 0, giren = 0, cikan = 0;
};
// Months 1..12 of the lines of the code and its sub-accounts.
QList<HesapAyi> HesapAylik(const Db& db, const QString& kod);

} // namespace tornaly::accounting
