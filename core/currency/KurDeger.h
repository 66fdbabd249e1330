#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QVariant>
#include <functional>

namespace tornaly {

// One rate row of KURDEGER.
struct KurDegerSatiri {
    QString DOVIZ_KODU;
    QDateTime TARIH;
    QVariant TLDEGERI_ALIS, TLDEGERI_SATIS;
};

QList<KurDegerSatiri> KurDegerleri(const Db& db, const QString& dovizKodu);

// Stores a rate row: a new one when `eskiTarih` is invalid, else the row of
// that moment changed. A moment the currency already has is refused with
// "Aynı Tarihli Döviz Değeri Vardı. Bu Yüzden Kaydedilmedi." and nothing
// changes; so are a row without both rates and a change of a row that is no
// longer there (each with its message). Refusals throw IslemReddi.
QString KurEksikMesaji();
void KurDegerKaydet(const Db& db, const KurDegerSatiri& satir, const QDateTime& eskiTarih = {});
void KurDegerSil(const Db& db, const QString& dovizKodu, const QDateTime& tarih);

// The central bank's daily rates document, as far as the program reads it.
struct KurBelgesi {
    QDate Tarih; // invalid when nothing was read
    struct Doviz {
        QString kod;
        QVariant BanknoteBuying, BanknoteSelling;
    };
    QList<Doviz> dovizler;
};
KurBelgesi KurBelgesiOku(const QByteArray& xml);

// The address of the daily document (setting "KURLAR"/"TCMB_ADRES"), with
// the bank's published address as default.
QString KurBelgesiAdresi();
// Fetches a document over HTTP; an empty array and `hata` on failure.
QByteArray KurBelgesiGetir(const QString& adres, QString* hata, int zamanAsimiMs = 20000);

// Stores the rates of USD, GBP, EUR and JPY of a document as valid from
// midnight of the day after its date, one row per currency and day however
// often the document is fetched. Currencies missing from DOVIZ or from the
// document, or without both rates there, are skipped. One transaction.
// Returns the codes stored.
QStringList KurlariKaydet(const Db& db, const KurBelgesi& belge);

// The whole "TCMB'ndan Kurları Al" command: fetch, check, ask about a stale
// document, store. Returns whether rates were stored; a document that gives
// none of the currencies says so.
bool TcmbKurlariAl(const Db& db, const QDate& bugun);

// SP_SET_STOKFYT: recomputes every stock price from the rates valid at the
// end of `gun` (buying rates when `ASKUR` is "A", else selling). The stock
// subsystem installs the routine, which answers how many cards it changed;
// without it nothing is changed and the answer is -1.
using StokFiyatGuncelleyici = std::function<int(const Db&, const QDate& gun, const QString& ASKUR)>;
void SetStokFiyatGuncelleyici(StokFiyatGuncelleyici f);
bool StokFiyatGuncelleyiciVar();
// The number of cards changed; -1 when no routine is installed.
int SP_SET_STOKFYT(const Db& db, const QDate& gun, const QString& ASKUR);

// "Kur Fiyatlarına Göre Stok Fiyatlarını Güncelle": asks, runs, reports; a
// run that changed no card, or one without an installed routine, is reported
// as such, never as done.
bool KurFiyatlarinaGoreStokGuncelle(const Db& db, const QDate& gun, bool alisKuru);

} // namespace tornaly
