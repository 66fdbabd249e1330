#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace tornaly::accounts {

// ---- banks and their accounts ---------------------------------------------------

struct BankaKaydi {
    QString BANKA_KOD{}, BANKA_ADI{}, BANKA_SUBE{};
};

struct BankaHesabi {
    QString BANKA_KOD{}, HESAP_ADI{}, HESAR_TURU{}, HESAP_NO{}, DOVIZ_KODU{}, IBAN{};
    int VALOR = 0;
    double KOMISYON = 0;
    QString MUH_CHES{}, MUH_TAHSEN{}, MUH_KESCEK{}, MUH_TAKCEK{}, MUH_TEMSEN{}, MUH_SENKRED{}, MUH_TEMCEK{},
        MUH_CEKREDI{}, MUH_KOMISYON{};
};

// The ledger-code columns of an account, in the order of its "Seç" buttons.
const QStringList& BankaMuhKodKolonlari();

QList<BankaKaydi> Bankalar(const Db& db);
std::optional<BankaKaydi> BankaOku(const Db& db, const QString& kod);
QList<BankaHesabi> BankaHesaplari(const Db& db, const QString& bankaKod);
std::optional<BankaHesabi> BankaHesabiOku(const Db& db, const QString& bankaKod, const QString& hesapNo);

// Saves a bank; a saved bank keeps its code.
void BankaKaydet(const Db& db, const BankaKaydi& b, bool yeni);
// Saves an account. A new account of type 1 or 2 holds the local currency
// whatever was chosen; a saved one keeps its number, type and currency.
void BankaHesabiKaydet(const SessionContext& ctx, const Db& db, BankaHesabi h, bool yeni);
// Writes one ledger code of a saved account (the "Seç" buttons).
void BankaHesabiMuhKoduYaz(const Db& db, const QString& bankaKod, const QString& hesapNo, const QString& kolon,
                           const QString& kod);
// A bank with accounts, or an account with any bank row, is refused.
void BankaSil(const Db& db, const QString& kod);
void BankaHesabiSil(const Db& db, const QString& bankaKod, const QString& hesapNo);
inline QString BankaHesabiVarText() { return QStringLiteral("Bu Banka ile Hesapları Var.Silinemez!"); }
inline QString BankaHesapHareketVarText() { return QStringLiteral("Bu Banka Hesap No ile İlgili İşlem Var.Silinemez!"); }

// "1.Ticari Hesap" ... "6.Kredi Kartı Komisyon Hesabı"; empty for other letters.
QString HesapTuruMetni(const QString& tur);
QStringList HesapTurleri();

// What the picker returns; an empty BanKodu means nothing was chosen.
struct TBankParam {
    QString BanKodu, BankAd, BankHspNo;
    double Komisyonu = 0;
    QString HTur, DvzKod, BSubesi, HspMuhKod;
};

// The picker's checks on the chosen account, in order; the message, or none.
std::optional<QString> BankaHesapSecKontrol(const BankaHesabi* hesap, const QString& tipUyumu,
                                            const QString& tipDoviz);

// ---- balances ------------------------------------------------------------------

// Sums of one account's rows in one currency (or over all currencies).
struct BankaToplami {
    QString doviz;
    double borc = 0, alacak = 0, borcUsd = 0, alacakUsd = 0, borcDvz = 0, alacakDvz = 0;
    // Credit less debit: money in the account gives a negative balance, a "B".
    double bakiye() const { return alacak - borc; }
    double bakiyeUsd() const { return alacakUsd - borcUsd; }
    double bakiyeDvz() const { return alacakDvz - borcDvz; }
    void ekle(const BankaToplami& t);
};

// The three balances of an account, per currency and in total: the current
// account without cheques and notes, the cash balance that counts the papers
// already collected, and the general balance that adds the papers still in
// clearing or at collection at this account. Nothing is stored: every
// reader (bank form, picker, statement) asks here. With an end date only the
// rows up to that day count.
struct BankaBakiyeleri {
    QList<BankaToplami> cariHesap, nakit, genel;
    BankaToplami cariHesapToplam, nakitToplam, genelToplam;
};
BankaBakiyeleri BankaBakiyeleriOku(const Db& db, const QString& bankaKod, const QString& hesapNo,
                                   const QDate& bitis = {});
// A bank's sums over all its accounts and rows, without restriction.
BankaToplami BankaToplamiOku(const Db& db, const QString& bankaKod);

// The cash-balance rule as a condition on BANKHRKA rows aliased A.
QString NakitBakiyeKosulu();

// "---   " for zero, else the value with " (A)" or, negated, " (B)".
QString BankaBakiyeMetni(double bakiye, const QString& format = QStringLiteral(",0.00"));

} // namespace tornaly::accounts
