#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"

#include <QList>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace tornaly::accounts {

// One account card as the card form edits it: the CARI row and the rows of
// its companion tables, all written together by CariKartKaydet.
struct CariKartKaydi {
    QVariantMap cari;                 // CARI columns by name
    QList<QVariantMap> personel;      // CARIPER rows
    QList<QVariantMap> bankalar;      // CARIBANKA rows
    QList<QVariantMap> postaKutulari; // CARIPK rows (without ID)

    QString kod() const { return cari.value(QStringLiteral("CARI_KOD")).toString().trimmed(); }
    QString str(const char* alan) const { return cari.value(QLatin1String(alan)).toString(); }
};

// Every column of CARI the card reads or writes.
const QStringList& CariKolonlari();
// The columns a copy takes over from its source account.
const QStringList& CariKopyaKolonlari();

// A new, empty card: local currency, not a web customer.
CariKartKaydi YeniCariKart(const SessionContext& ctx);
// The card of an account with its companion rows; nullopt when none.
std::optional<CariKartKaydi> CariKartOku(const Db& db, const QString& kod);
// A new card prefilled from account `kaynakKod` (no companion rows). The code
// stays the source's until the user gives the copy its own.
CariKartKaydi CariKartKopyala(const SessionContext& ctx, const Db& db, const QString& kaynakKod);

// A refused save: the Turkish text, how it is shown, and the field (a CARI
// column name) that gets the focus.
struct CariKartUyari {
    QString mesaj;
    QString alan;
    MsgIcon ikon = MsgIcon::Warning;
};

// The field checks of a save, in the card's order. A company's tax number
// longer than 10 characters is cut to 10 first (this changes `kayit`).
// `eksikAlanUyari` is the parameter EKSIK_ALAN_UYARI switched on.
std::optional<CariKartUyari> CariKartKontrol(CariKartKaydi& kayit, bool eksikAlanUyari);

// Writes the card and its companion rows in one transaction. A new card whose
// code already exists is refused (the existing account is never overwritten).
// Returns the saved code. Throws CariKartHatasi or DbError.
QString CariKartKaydet(const Db& db, const CariKartKaydi& kayit, bool yeni);

class CariKartHatasi : public IslemReddi {
public:
    explicit CariKartHatasi(const QString& text, MsgIcon icon = MsgIcon::Warning) : IslemReddi(text, icon) {}
};

inline QString CariKoduKullanilmisText() { return QStringLiteral("Bu Cari Kodu Başka Bir Cari Kartta Kullanılmış!"); }

// "Son Cari Kodu Getir": the highest code beginning with the typed prefix
// (the prefix is bound, its wildcards taken literally); nullopt when none.
std::optional<QString> SonCariKodu(const Db& db, const QString& onek);
inline QString SonCariKoduYokText() { return QStringLiteral("Verilen Ana Hesap Ait Alt Hesap Bulunamadı!"); }

// The first other account that carries `numara` as tax or identity number.
std::optional<QString> NumarayiKullananCari(const Db& db, const QString& numara, const QString& kod);
QString KimlikNoKullanilmisText(const QString& kod);
QString VergiNoKullanilmisText(const QString& kod);

// The account that already carries a dealer code; nullopt when none.
std::optional<QString> MerkezBayiKullanan(const Db& db, const QString& bayiKod, const QString& kod);
QString MerkezBayiSoruText(const QString& firmaAdi);

// The area code of a province as the phones take it: "(" + code + ")" with one
// leading 0 dropped, padded to three characters; empty when the province has none.
QString AlanKoduOneki(const Db& db, const QString& sehir);
// Puts the area-code prefix over the first five characters of a phone.
QString TelefonaAlanKodu(const QString& onek, const QString& telefon);

// Deleting an account: refused while any document refers to it.
std::optional<QString> CariSilKontrol(const Db& db, const QString& kod);
inline QString CariHareketVarText() { return QStringLiteral("Bu Cari ile ilgili Hareket var.Silinemez!"); }
// Removes the account and its companion rows in one transaction; throws
// CariKartHatasi when a document refers to it.
void CariSil(const Db& db, const QString& kod);

// ---- edit masks --------------------------------------------------------------

// The masks of the card as the original platform wrote them; "0" is a
// required digit and "9" an optional one there, the other way round in Qt.
inline QString TelefonMaskesi() { return QStringLiteral("!\\(999\\)000 0000-999;1;_"); }
inline QString GsmMaskesi() { return QStringLiteral("!\\(999\\)000 0000;1;_"); }
inline QString SahisVergiNoMaskesi() { return QStringLiteral("00000000009;0;_"); }
inline QString FirmaVergiNoMaskesi() { return QStringLiteral("0000000009;0;_"); }
inline QString KimlikNoMaskesi() { return QStringLiteral("00000000000"); }

// The same mask for QLineEdit::setInputMask.
QString QtMaskesi(const QString& orijinalMaske);
// Whether the mask stores its literal characters (the second part "1").
bool MaskeLiteralSaklar(const QString& orijinalMaske);
// Every required position of the mask holds a digit in `deger`, the value as
// stored (literals in place when the mask stores them, unfilled places blank).
bool MaskeTamam(const QString& orijinalMaske, const QString& deger);

// The stored value of a masked edit from its displayed text: blanks become
// spaces, trailing blanks go, literals stay only when the mask stores them.
QString MaskeliDeger(const QString& orijinalMaske, const QString& gosterilen);

// Collection methods of the card, caption and stored letter.
const QList<QPair<QString, QString>>& TahsilSekilleri();
// The profession list of the card, in its order.
const QStringList& Meslekler();

} // namespace tornaly::accounts
