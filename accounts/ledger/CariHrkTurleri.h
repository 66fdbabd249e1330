#pragma once
#include <QChar>
#include <QString>
#include <QVariant>

namespace tornaly::accounts {

// The screens that caption a movement kind letter, each in its own words.
enum class CariHrkEkrani {
    FisBasligi,     // header of the current-account voucher form
    FisListesi,     // current-account voucher browse
    HareketListesi, // an account's movement list
    Ekstre          // printed statement
};

// Caption of a kind letter (CARIHRKM.TIP / CARIHRK.CRHRK_TUR) on a screen.
// `refNo` matters for the vehicle kinds of the movement list; `tahsilat`
// chooses the collection header of a cash voucher.
QString CariHrkTurBasligi(CariHrkEkrani ekran, QChar tur, const QVariant& refNo = {}, bool tahsilat = false);

enum class AltTipEkrani {
    HareketListesi, // "Detay" column of the movement list
    BakiyeDetay     // balance-detail print
};

// Caption of a sub-kind letter (ALT_TIP); unlisted letters are shown unchanged.
QString AltTipBasligi(AltTipEkrani ekran, const QString& altTip, QChar tur = QChar());

// Caption of the PARA_BAZ letter ("TL", "USD", "DÖVİZ").
QString ParaBazBasligi(const QString& paraBaz);

} // namespace tornaly::accounts
