#pragma once
#include "accounting/ledger/MuhFis.h"
#include "services/MuhasebeEntegre.h"

#include <QStringList>
#include <functional>

namespace tornaly::accounting {

// What the missing-codes window lists: the document header, its part rows
// and its labour rows whose account codes are not defined.
struct EksikMuhKodlari {
    struct Tablo {
        QStringList basliklar;
        QList<QStringList> satirlar;
    };
    Tablo baslik, parcalar, iscilikler;
};
// The window (TFormMuhKod) is installed by the forms; tests put a recorder in.
using EksikMuhKodGostericiFn = std::function<void(const EksikMuhKodlari&)>;
void SetEksikMuhKodGosterici(EksikMuhKodGostericiFn fn);
void EksikMuhKodGoster(const EksikMuhKodlari& eksikler);

QString EksikMuhKodMesaji();

enum class MuhasebeSonucu {
    Yazildi,     // the voucher was written (or rebuilt) and the document points to it
    TurYok,      // a kind without a posting routine: nothing done
    BelgeYok,    // the document was not found
    EksikKod,    // missing account codes: nothing written
    Reddedildi,  // the save check refused the voucher: nothing written
    SatirYok,    // the document gives no line: no voucher, no mark
};
struct MuhasebeKaydiSonucu {
    MuhasebeSonucu sonuc = MuhasebeSonucu::TurYok;
    double fisNo = 0;
};

// Transfers one document into its voucher (MuhasebeKayit of the data module):
// builds the lines, checks them, then writes voucher, lines, numbers and the
// document's FIS_NO in one transaction. A document that already points to a
// voucher gets that voucher rebuilt; the document row is locked first, so
// workstations posting it at once end with one voucher.
MuhasebeKaydiSonucu MuhasebeKayit(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek);

enum class FisSilmeSonucu {
    Silindi,      // the voucher is gone and no document points to it any more
    FisYok,       // no voucher with that number
    KilitliDonem, // dated on or before the accounting lock date: nothing deleted
};
// The accounting side's delete of a voucher: its lines, its header and the
// mark (FIS_NO) of the documents posted into it go in one transaction, so
// that such a document can be changed, deleted or posted again. A voucher in
// a closed period is refused with the lock message.
FisSilmeSonucu MuhFisSil(const SessionContext& ctx, const Db& db, double fisNo);

// The transfer switch of a document kind (post / ask / never).
MuhasebeAktarimi MuhasebeAnahtari(const Db& db, QChar belgeTuru);

// Puts the engine and the switches behind the core's transfer hook.
void MuhasebeBaglantisiniKur();

// Text of a number as "#,#" writes it (thousands with dots; nothing for 0).
QString SayiMetni(double v);

} // namespace tornaly::accounting
