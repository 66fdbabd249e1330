#pragma once
#include "criteria/Sorgu.h"
#include "db/Database.h"
#include "report/ReportEngine.h"
#include "sql/SqlHelpers.h"

#include <QDate>
#include <QDateTime>
#include <QVector>
#include <memory>

namespace tornaly::reports {

// The choices of the current-account movement criteria, parsed from the
// criteria record. Dates are whole days.
struct CariHrkKriter {
    QString grup;                    // CARI_GRP_KOD
    QString ozelKod[3];              // OZEL_KOD_1..3 (movement list only)
    QString kodBas, kodSon;          // account range
    QDate trhBas, trhSon;            // movement dates
    QDate vadeBas, vadeSon;          // due dates
    int odeme = -1;                  // 0 paid, 1 unpaid, else both
    int borcAlacak = -1;             // 0 debit rows, 1 credit rows, else both
    int hrkTuru = -1;                // 1..11 a kind of the list, else all
    bool hepsi = false;              // "&Tümü": no limits
};
// Reads the record; false (and a message text) when a date text is no date.
bool KriterOku(const TSorgu& s, CariHrkKriter* k, QString* hata);
// The kind letters of the "Cari Hrk Türü" items 1..11.
QChar HrkTuruHarfi(int item);

struct CariHrkListeSatiri {
    QString CARI_KOD, FIRMA_ADI, CRHRK_TUR, ALT_TIP, ACIKLAMA, DOVIZ_KODU, PARA_BAZ, ODENDI_MI, CARI_GRP_KOD;
    QString OZEL_KOD_1, OZEL_KOD_2, OZEL_KOD_3;
    double CARI_NO = 0, REF_NO = 0;
    int SIRANO = 0;
    QDateTime TARIH, VADE_TRH, KTARIH;
    double BORC = 0, ALACAK = 0, BORC_USD = 0, ALACAK_USD = 0, BORC_DVZ = 0, ALACAK_DVZ = 0;
};

// Movement list orders ("Sıralama Değiş").
QStringList SiralamaSecenekleri();

// The movement list read a page at a time in its order, each page starting
// after the last row read, so that the first page shows at once however many
// rows match. Throws DbError.
class CariHrkListesi {
public:
    CariHrkListesi(const Db& db, const CariHrkKriter& k, const QString& siralama = QStringLiteral("Cari Kod"));
    ~CariHrkListesi();
    CariHrkListesi(const CariHrkListesi&) = delete;
    CariHrkListesi& operator=(const CariHrkListesi&) = delete;
    // The next rows in order; empty at the end.
    QVector<CariHrkListeSatiri> sonrakiSayfa();
    // Every row not given yet (print, totals of the whole list).
    QVector<CariHrkListeSatiri> kalanlar();
    bool bitti() const;

private:
    QVector<CariHrkListeSatiri> verilmeyenler();
    std::unique_ptr<BoundQueryModel> m_liste;
    int m_verilen = 0;
};
// The whole list at once.
QVector<CariHrkListeSatiri> CariHrkListesiOku(const Db& db, const CariHrkKriter& k,
                                              const QString& siralama = QStringLiteral("Cari Kod"));

// The balance each account carries into the statement: its rows before the
// start day (credit minus debit); nothing without a start day. `dovizKodu`
// limits the currency balance to one currency.
struct AcilisBakiyesi {
    double alacakEksiBorc = 0, usd = 0, doviz = 0;
};
QHash<QString, AcilisBakiyesi> AcilisBakiyeleri(const Db& db, const QStringList& hesaplar, const QDate& bas,
                                                const QString& dovizKodu = {});

// The account's balance up to and including a movement: every earlier day,
// and on its own day the movements numbered up to it.
struct KumulatifBakiye {
    double bakiye = 0, usd = 0, doviz = 0; // credit minus debit
};
KumulatifBakiye KumulatifBakiyeOku(const Db& db, const QString& cariKod, const QDateTime& tarih, double cariNo);

// Credit-minus-debit balance texts: ",0.00" with " (A)" / " (B)", zero "---   ".
QString ListeBakiye(double alacakEksiBorc);

// The running balance of each row: its account's opening balance plus the
// account's rows up to it in date order (date, movement number, line), so a
// row's balance is the same in every order the list is sorted by. With a
// currency only that currency's rows count (others get 0).
QVector<double> CariHrkYuruyenBakiyeler(const QVector<CariHrkListeSatiri>& rows,
                                        const QHash<QString, AcilisBakiyesi>& acilis, const QString& dovizKodu = {});

// "CARİ HAREKET LİSTESİ" (or, with a currency, the currency statement): the
// running balance of each account starts from its opening balance.
report::Report CariHrkListeRaporu(const QVector<CariHrkListeSatiri>& rows, const QHash<QString, AcilisBakiyesi>& acilis,
                                  const CariHrkKriter& k, bool usd, const QString& dovizKodu);

// Totals per account.
struct CariHrkToplamSatiri {
    QString CARI_KOD, F_ADI, DOVIZ_KOD;
    double T_BORC = 0, T_ALACAK = 0, T_BORC_USD = 0, T_ALACAK_USD = 0, T_BORC_DVZ = 0, T_ALACAK_DVZ = 0;
    double KALAN() const { return T_ALACAK - T_BORC; }
};
QStringList ToplamSiralamaSecenekleri();
QStringList ToplamFiltreSecenekleri();
QVector<CariHrkToplamSatiri> CariHrkToplamlariOku(const Db& db, const CariHrkKriter& k, const QString& siralama,
                                                  const QString& dovizKodu = {});
// Whether a totals row passes "Toplamlar Dökümü Filtresi" with its minimum.
bool ToplamFiltredenGecer(const CariHrkToplamSatiri& r, int filtre, double minimum);
report::Report CariHrkToplamRaporu(const QVector<CariHrkToplamSatiri>& rows, const CariHrkKriter& k, bool usd,
                                   const QString& dovizKodu, int filtre, double minimum);

} // namespace tornaly::reports
