#pragma once
#include "db/Database.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

namespace tornaly::stock {

// Which way a kind letter moves stock.
enum class HareketYonu {
    Giris,     // A G D L T: into the row's warehouse
    Cikis,     // S C I F R U Z: out of the row's warehouse
    GirisCikis,// M: in on a debit line, out on a credit line
    Transfer   // O: two rows, out of one warehouse and into another
};

struct DepoHrkTuru {
    QChar harf;
    HareketYonu yon;
    QString ad; // the caption lists show for the kind
};

// Every kind letter of the ledger, in the order lists offer them.
const QList<DepoHrkTuru>& DepoHrkTurleri();
// The kind of a letter; nullptr for a letter the ledger does not know.
const DepoHrkTuru* DepoHrkTuruBul(QChar harf);

// Counterparty texts of rows that have no current account.
QString StokFisiCariKod();  // "-STOK FİŞİ-"
QString KasaFisiCariKod();  // "-KASA FISI-"

// The in-row of a transfer line carries the line number plus this.
constexpr int TransferGirisSiraFarki = 100000;

// One ledger row. AY and YIL are not given: the writer takes them from TARIH.
struct DepoHrkSatiri {
    QString TIP;
    int SIRANO = 0;
    QString CARIKOD;
    double STOK_NO = 0;
    QString DEPO_KODU;
    QDateTime TARIH;
    double GIRMIK = 0;
    double CIKMIK = 0;
    QVariant FIYAT;   // null: no unit value (a slip row of quantity 0)
    QVariant FYT_USD;
    QString SERINO;   // batch/serial number of tracked parts
    QString ISEMRINO; // the work order a document's row serves (work-order invoice)
};

// The document that owns a set of rows: (SATISNO, TIP), or for parts issue
// the work order (ISEMRINO) with the kinds I and G together.
struct DepoHrkBelge {
    static DepoHrkBelge Belge(double satisNo, QChar tip);
    static DepoHrkBelge Isemri(const QString& isemriNo);

    double SATISNO = 0;
    QChar TIP;
    QString ISEMRINO;
    bool isemri() const { return !ISEMRINO.isEmpty(); }
    // Whether a row of kind `tip` belongs to such a document.
    bool tipUygun(const QString& tip) const;
};

// Row builders that keep the kind table's direction rules.
// A line of an in-kind (A G D L T) or out-kind (S C I F R U Z).
DepoHrkSatiri DepoHrkHareket(QChar tip, int sira, const QString& cariKod, double stokNo, const QString& depo,
                             const QDateTime& tarih, double miktar, const QVariant& fiyat,
                             const QVariant& fiyatUsd = {});
// A cash-slip stock line: in when `borc`, out otherwise.
DepoHrkSatiri DepoHrkKasa(int sira, bool borc, double stokNo, const QString& depo, const QDateTime& tarih,
                          double miktar, const QVariant& fiyat);
// A transfer line: the out-row with the line number, the in-row with
// the line number + 100000, the same unit value on both.
QList<DepoHrkSatiri> DepoHrkTransfer(int sira, double stokNo, const QString& cikisDepo, const QString& girisDepo,
                                     const QDateTime& tarih, double miktar, const QVariant& fiyat,
                                     const QVariant& fiyatUsd = {});
// Unit value of a slip row: net value / quantity, null when the quantity is 0.
QVariant StokFisiBirimFiyat(double netTutar, double miktar);

// The one writer of the ledger. Replaces the document's whole set of rows
// with `satirlar` (rows are never updated in place) and keeps STOKMIK equal
// to the ledger sum of every part and warehouse it touches. Runs inside the
// caller's transaction (or one of its own when none is open). Refuses rows
// that break the ledger's rules (wrong kind for the document, no part or
// warehouse, both quantities set, no date) before it writes anything.
class DepoHrkYazici {
public:
    explicit DepoHrkYazici(const Db& db);
    ~DepoHrkYazici();
    DepoHrkYazici(const DepoHrkYazici&) = delete;
    DepoHrkYazici& operator=(const DepoHrkYazici&) = delete;

    void yaz(const DepoHrkBelge& belge, const QList<DepoHrkSatiri>& satirlar);
    void sil(const DepoHrkBelge& belge);

private:
    struct Hazir;
    void degistir(const DepoHrkBelge& belge, const QList<DepoHrkSatiri>& satirlar);
    Db m_db;
    Hazir* m_hazir = nullptr;
};

// Short forms for a single call.
void DepoHrkYaz(const Db& db, const DepoHrkBelge& belge, const QList<DepoHrkSatiri>& satirlar);
void DepoHrkSil(const Db& db, const DepoHrkBelge& belge);

// The text of a refused row (shown by the document that tried to post it).
QString DepoHrkKuralHatasi(const DepoHrkBelge& belge, const DepoHrkSatiri& satir);

} // namespace tornaly::stock
