#pragma once
#include "db/Database.h"
#include "invoicing/workorder/IEFatToplam.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <functional>

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// Invoice kinds (SERFAT.FAT_TUR) and the index the kind chooser gives them.
QString FatTurHarf(int index);      // 0 I, 1 E, 2 G, 3 D; "" for any other
int FatTurIndex(const QString& harf); // I 0, E 1, G 2, D 3; -1 otherwise
QString FatTurMetni(const QString& harf); // "İŞ EMRİ", "EKSPERTİZ", "GARANTİ", "DİĞER"

// SATIS_NO of the work-order invoice saved last (0 until one is saved).
double SonIEFatSatisNo();
void SetSonIEFatSatisNo(double satisNo);

// One work-order invoice being edited: the header row of SERFAT (column
// names as keys) and its lines, kept in memory until the save.
struct IEFatura {
    QVariantMap baslik;
    QList<IEFatSatir> satirlar;
    bool yeni = true;            // the header is not stored yet
    QString onerilenFatNo;       // the printed number proposed for it, if any
    IEFatToplamlar toplamlar;

    double satisNo() const;
    QString fatTur() const;
    QString isEmriNo() const;
    QDate tarih() const;
    QVariant deger(const QString& kolon) const { return baslik.value(kolon); }
    void set(const QString& kolon, const QVariant& v) { baslik.insert(kolon, v); }
};

// The stored invoice; an invoice without header when the number is unknown.
IEFatura IEFaturaOku(const Db& db, double satisNo);
bool IEFaturaVar(const Db& db, double satisNo);
// SATIS_NO of the invoice of a kind for a work order; 0 when none.
double IsEmriFaturasi(const Db& db, const QString& isEmriNo, const QString& fatTur);

// A new invoice of a kind: SATIS_NO drawn from NEWSATIS, header defaults.
IEFatura YeniIEFatura(const SessionContext& ctx, const Db& db, const QString& fatTur);

// Billed account and its currency; the invoice rate follows the account's
// currency on the invoice date.
void IEFatCariAta(const SessionContext& ctx, const Db& db, IEFatura& f, const QString& cariKod);
// Due date: invoice date + the account's payment days when the due date is
// empty or before the invoice date.
void IEFatVadeHesapla(const Db& db, IEFatura& f, bool hesapGunuVarsaHep = false);

// Fills header and lines from a work order (lines not invoiced yet, by the
// invoice kind). Asks its questions through the message service (false when
// one is declined); refusals throw IslemReddi. Lines of warranty claims are not offered:
// the claims are not part of this system yet.
bool IsEmriFaturaOlustur(const SessionContext& ctx, const Db& db, IEFatura& f, const QString& isEmriNo, int fyili);

// Recomputes the totals into the header.
void IEFatToplamGuncelle(const SessionContext& ctx, const Db& db, IEFatura& f);

// Saving. Checks first (message, false, nothing written); then one
// transaction posts the invoice, its current-account row, the stock issue,
// the invoiced marks, the call-back dates and closes the work order. After a
// commit come the below-cost check and the accounting hand-over.
struct IEFatKayitSecenekleri {
    // Called after each posting step inside the transaction (tests throw here).
    std::function<void(const QString& adim)> adim;
    // Shows the below-cost lines (the form opens its dialog); none by default.
    std::function<void(double satisNo)> fiyatKontrolGoster;
};
// Refusals throw IslemReddi, database failures DbError; true when saved.
bool IEFaturaKaydet(const SessionContext& ctx, const Db& db, IEFatura& f, const IEFatKayitSecenekleri& s = {});

// Deleting a saved invoice undoes every posting of the save in one
// transaction, the cash payments taken on it included. Refusals throw
// IslemReddi; false when the confirmation was not given.
bool IEFaturaSil(const SessionContext& ctx, const Db& db, double satisNo,
                 const std::function<void(const QString& adim)>& adim = {});

// The part lines of an invoice sold below their cost price (customer,
// goodwill and campaign lines).
struct MaliyetAltiSatir {
    QString STOK_KODU, STOK_ADI;
    double FIYAT = 0, MALIYET_FYT_TL = 0;
};
QList<MaliyetAltiSatir> FiyatKontrolSatirlari(const Db& db, QChar tur, double satisNo);

// "Önceki Kayıt" / "Sonraki Kayıt": the nearest lower or higher SATIS_NO; 0 at either end.
double KomsuIEFatura(const Db& db, double satisNo, bool sonraki);
// "Kur Değeri Seç": the day's selling rate of the invoice currency (kept when
// there is none); 1 for the local currency.
void IEFatKurDegeriSec(const SessionContext& ctx, const Db& db, IEFatura& f);

// The account's e-invoice mailboxes (CARIPK), the default first.
QStringList CariPostaKutulari(const Db& db, const QString& cariKod);
// SABIT1 of the first layout design: the explanation an empty EK1 takes.
QString FaturaSabitMetni(const Db& db);
// The e-invoice state as the forms show it ("1:E-Faturaya Tabi" .. "6:İptal"); empty for none.
QString EfStatuMetni(int statu);
// The ten customer complaints MUSTALIM_1..MUSTALIM_10 of a work order (empty when none).
QStringList IsEmriSikayetleri(const Db& db, const QString& isEmriNo);

// "&Fiyatlari Güncelle": part lines not marked for expertise take the stock
// card's selling price (and its currency), then the totals are recomputed.
void IEFatFiyatlariGuncelle(const SessionContext& ctx, const Db& db, IEFatura& f);

// Deleting a line from the grid. A K user is refused (IslemReddi); on a
// warranty invoice the clerk is asked to delete every line of the line's
// claim; otherwise only S and A users delete, and only while the invoice can
// be saved; anything else is dropped without a word.
enum class IEFatSilme { Hicbiri, Satir, Talep };
IEFatSilme IEFatSatirSilinebilir(const SessionContext& ctx, const IEFatura& f, int satir, bool kaydedilebilir);
void IEFatSatirSil(const SessionContext& ctx, const Db& db, IEFatura& f, int satir, bool kaydedilebilir);

// The unit column: the stock card's BIRIMI for part lines, "TU" for labour.
QHash<QString, QString> StokBirimleri(const Db& db, const QList<IEFatSatir>& satirlar);
QString SatirBirimi(const IEFatSatir& s, const QHash<QString, QString>& stokBirimleri);

// The plan's type letter (ODE_TIP) and its cash box or bank account (HESAP_KOD).
QString OdemePlaniTipi(const Db& db, const QString& odeKod);
QString OdemePlaniHesabi(const Db& db, const QString& odeKod);

// Refuses (IslemReddi) an invoice whose stored row is posted to accounting
// or sent as an e-invoice (state 3 or 4): it is neither changed nor printed.
void IEFatKilitKontrol(const Db& db, double satisNo);

// Payment status of an invoice in the lists: "KAPALI", "AÇIK" or "KISMI ÖDEME".
QString OdemeDurumu(double odenen, double net);

} // namespace tornaly::invoicing
