#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace tornaly {
class Db;
} // namespace tornaly

namespace tornaly::accounts {

// Which accounts a debt closing works on, and how far its ledger is read.
struct BorcKapamaFiltresi {
    QString ilkKod, sonKod;  // code range, either end may be empty
    QString grup;            // group letter (K R T D B F S Z), empty: every group
    std::optional<QDate> tarih; // "Tarihine Göre": rows up to the end of that day
    bool vadeSirasi = false; // walk by due date instead of transaction date
};

// "Cari Grup" items with their letters; the first (empty) item sets no group.
const QList<QPair<QString, QString>>& BorcKapamaGruplari();

// " AND CARI_KOD IN (...)" limiting `kolon` to the filter's accounts; binds its values.
QString BorcKapamaCariKosulu(const BorcKapamaFiltresi& f, QVariantMap& b, const QString& kolon = QStringLiteral("CARI_KOD"));
// " AND TARIH < :TRH_SON" for a date filter (the whole of its last day), else empty.
QString BorcKapamaTarihKosulu(const BorcKapamaFiltresi& f, QVariantMap& b);
// The account list: accounts of the filter that have ledger rows, in code order.
QString BorcKapamaCariSql(const BorcKapamaFiltresi& f, QVariantMap& b);
QStringList BorcKapamaCarileri(const Db& db, const BorcKapamaFiltresi& f);

// Movement filter: " Hareketleri  Filtrele ".
enum class HareketSuzgeci { Tumu, Kapanmis, Aciklar };
// One account's movements with their open amounts, in the filter's order.
QString BorcKapamaHareketSql(const BorcKapamaFiltresi& f, HareketSuzgeci s, QVariantMap& b);

// Called before each account as (n, N); the form shows it as "n/N".
using BorcKapamaIlerleme = std::function<void(int, int)>;

// "Borç Kapama Çalıştır": the smaller side of each account closed in full,
// the larger side oldest first up to it. One transaction; with a date, every
// statement stops at it and rows after it are left open. Answers the number
// of accounts processed.
int BorcKapamaCalistir(const Db& db, const BorcKapamaFiltresi& f, const BorcKapamaIlerleme& ilerleme = {});

// "Vadeli Kapat": pairs debits and credits by due date into CHFIFO and writes
// the closed amounts with their mean closing due date. Without date limit, as
// its label says. One transaction; only the listed accounts' pairs are replaced.
int VadeliKapat(const Db& db, const BorcKapamaFiltresi& f, const BorcKapamaIlerleme& ilerleme = {});

// The figures of one account ("Toplam Borç" ... "Tahsilat Vade").
struct BorcKapamaToplami {
    double BORCTUT = 0, ALATUT = 0, KBORCTUT = 0, KALATUT = 0, ABORCTUT = 0, AALATUT = 0;
    std::optional<double> BORCGUN, ALAGUN, KBORCGUN, KALAGUN, ABORCGUN, AALAGUN, KPTBORCGUN, KPTALAGUN;
    double BAKIYE = 0;
    QString BAKIYETIP = QStringLiteral("-");
    QDate BORCVTRH, ALAVTRH, KBORCVTRH, KALAVTRH, ABORCVTRH, AALAVTRH, BAKIYEVTRH;
    std::optional<int> GUN, KGUN, FGUN;
    QDate KAPATANVADE, KAPATANVADE2, KAPATANVADEBORC, KAPATANVADEALACAK;
};
BorcKapamaToplami BorcKapamaToplamiOku(const Db& db, const QString& cariKod, const BorcKapamaFiltresi& f,
                                       const QDate& bugun);

// Day numbers from 2000-01-01, with the time of day as a fraction.
double BorcKapamaGunNo(const QDateTime& t);
QDate BorcKapamaGunTarihi(double gunNo); // halves to even

// The options of the "CARİ HESAP EKSTRESİ" print.
struct BorcKapamaYazdirma {
    enum Bakiye { TumunuYaz, SecileniYaz, BorcBakiyeli, AlacakBakiyeli } bakiye = TumunuYaz;
    double minBakiye = 0; // above 0: accounts with a smaller balance are left out
    enum Hareket { HareketTumu, Hicbiri, Kapanmislar, Aciklar } hareket = HareketTumu;
    bool ileriVade = false; // only movements whose days overdue lie in [gun1, gun2]
    int gun1 = 0, gun2 = 0;
};
// One row per printed movement (a placeholder row, BOS true, for an account
// printed without movements), in account order; the fields are listed in `alanlar`.
struct BorcKapamaEkstresi {
    QStringList alanlar;
    QVector<QVector<QVariant>> satirlar;
};
BorcKapamaEkstresi BorcKapamaEkstresiOku(const Db& db, const BorcKapamaFiltresi& f, const BorcKapamaYazdirma& y,
                                         const QString& seciliCari, const QDate& bugun);

// "Vadesi Olmayan Faturalara Vade Ata".
struct VadesizCari {
    QString CARI_KOD, FIRMA_ADI;
    int VADEGUN = 0;
};
// The listed accounts with ledger rows and no payment term.
QList<VadesizCari> VadesizCariler(const Db& db, const BorcKapamaFiltresi& f);
// Writes the typed payment terms, in one transaction.
void VadeGunleriYaz(const Db& db, const QList<VadesizCari>& cariler);
// Gives invoice rows (A, S) without a due date, or due on their own day, the
// account's payment term; one transaction. Answers the rows changed.
int VadesizFaturalaraVadeAta(const Db& db, const BorcKapamaFiltresi& f);

} // namespace tornaly::accounts
