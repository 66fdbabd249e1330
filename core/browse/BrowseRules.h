#pragma once
#include "db/Dialect.h"

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tornaly {

// Search kinds of a browse column (the `Alan.Tag` values).
enum class AramaTuru { Yok = 0, Sayisal = 1, Tarih = 2, Metin = 3 };

// Kind by the field's type; a field without a declared type (a computed
// column) is taken for what its value holds.
AramaTuru AramaTuruBelirle(QMetaType::Type type, const QVariant& ornek = {});

// The condition a typed search text puts into the reserved line of a list
// query. The text never becomes SQL: it is parsed (numbers, dates) or bound
// as an escaped LIKE pattern. `hata` is the Turkish message for a text that
// does not parse; then nothing is searched.
struct AramaKosulu {
    QString kosul;       // " AND ..." with :ARANAN bound
    QVariantMap binds;
    QString hata;
    bool gecerli() const { return hata.isEmpty(); }
};
AramaKosulu AramaKosuluOlustur(const Dialect& dialect, AramaTuru tur, const QString& kolon, const QString& aranan);

// Parses a date typed as dd.MM.yyyy (or dd.MM.yy, d.M.yyyy, yyyy-MM-dd),
// optionally followed by HH:mm.
QDateTime AramaTarihi(const QString& text);

// What the commands of a browse form allow for a mode (the form's Tag) and
// the user's right letter for its module.
struct BrowseKomutlari {
    int tag = 0;            // mode 2 becomes 1
    bool acilir = true;     // false: right "H", the opener returns its empty result
    bool secGorunur = false;
    bool secEtkin = false;
    bool yeni = false;
    bool duzenle = false;
    bool sil = false;
    bool aramaOdak = false; // mode 5 focuses the number search
};
BrowseKomutlari BrowseKomutlariniBelirle(int mode, const QString& hak);

} // namespace tornaly
