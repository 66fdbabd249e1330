#pragma once
#include "db/Database.h"
#include "sql/SqlHelpers.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace tornaly {

struct SessionContext;

// A personnel card as column -> value of ISCIUSTA.
using TPersonelKart = QVariantMap;

// The columns of ISCIUSTA the card edits.
const QStringList& PersonelKolonlari();
// The columns a copy takes over from the card it copies.
const QStringList& PersonelKopyaKolonlari();

// A new card: active, list order 999, single; with `kopyaKod` the copied
// fields of that card (never its code, leaving date or list order).
TPersonelKart YeniPersonelKarti(const Db& db, const QString& kopyaKod = {});
// The stored card; empty when there is none.
TPersonelKart PersonelOku(const Db& db, const QString& kod);

// One training line of a person (PEREGIT).
struct TPerEgitim {
    double SIRA_NO = 0;
    QString KURS_KOD, KURS_AD;
    QDateTime BAS_TARIH, BIT_TARIH;
    double TOPLAM_SAAT = 0;
};
QList<TPerEgitim> PersonelEgitimleri(const Db& db, const QString& kod);
// The number the next training line gets.
double SonrakiEgitimSiraNo(const QList<TPerEgitim>& satirlar);

// One curriculum vitae line (PERCV). ROW_ID 0: a line not stored yet.
struct TPerCV {
    qint64 ROW_ID = 0;
    int BOLUM = 10;     // 10 Eğitim, 20 Yabancı Dil, 30 İş Tecrübesi, 40 Referanslar
    QDate TARIH1, TARIH2;
    QString BILGI_TXT1, BILGI_TXT2, BILGI_TXT3, BILGI_TXT4;
    int BILGI_INT1 = 0; // language level: 0 Zayıf, 1 Orta, 2 İyi, 3 Çok İyi
    bool degisti = false;
};
QList<TPerCV> PersonelOzgecmisi(const Db& db, const QString& kod);
// The curriculum vitae as the card saves it: the lines shown (new and
// changed ones are written), the stored lines removed, and the stamp of a
// changed line ("dealer code;login", the login cut to 15 letters).
struct TOzgecmisKaydi {
    QList<TPerCV> satirlar;
    QList<qint64> silinen;
    QString kullanici;
};
QString OzgecmisKullanicisi(const QString& bayiKodu, const QString& login);

// The card rules applied before a save: a leaving date makes the card
// passive, military service only for men and its deferment year only when
// deferred. Returns the message that refuses the save, or an empty text.
QString PersonelKartiHazirla(TPersonelKart& kart);

// Saves the card, its training lines and (unless nullopt) its photo in one
// transaction; an empty photo removes it. A new card's code must be free; a
// stored card keeps its code. Returns the refusal message, or an empty text
// when saved.
QString PersonelKaydet(const Db& db, TPersonelKart kart, bool yeni, const QList<TPerEgitim>& egitimler,
                       const std::optional<QByteArray>& foto = std::nullopt,
                       const std::optional<TOzgecmisKaydi>& ozgecmis = std::nullopt);

// Deletes the card with its training, curriculum vitae and photo. A person
// named by a user login is refused with a message (returned).
QString PersonelSil(const Db& db, const QString& kod);

// Photo: the file scaled to fit 320 by 320 as JPEG; the refusal in `hata`.
inline constexpr int kFotoAzamiBayt = 51200;
QByteArray PersonelFotoHazirla(const QString& dosya, QString* hata);
void PersonelFotoYaz(const Db& db, const QString& kod, const QByteArray& jpeg);
void PersonelFotoSil(const Db& db, const QString& kod);
QByteArray PersonelFotoOku(const Db& db, const QString& kod);

// The filters of the personnel list.
struct TPersonelFiltre {
    QString bolum;                  // department letter; empty: all
    bool ayrilanlariGizle = true;   // "İşten Ayrılanları Gösterme"
    int durum = 0;                  // 0 all, 1 active, 2 passive
    QString arananKod, arananAd;    // the search lines (Enter in the search edits)
    QString siraMetni;              // "Sıraya Göre"; not a number: ignored
    QDate bugun;
};
// The filters go into reserved line 2 of the list query (lines 2 and 4 are
// emptied first), the search edits into line 3.
void PersonelFiltreUygula(SqlText& sql, const TPersonelFiltre& f);
void PersonelAramaUygula(SqlText& sql, const Dialect& dialect, const TPersonelFiltre& f);
QStringList PersonelListeSatirlari();

} // namespace tornaly
