#pragma once
#include "db/Database.h"

#include <QChar>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace tornaly {
struct SessionContext;
}

namespace tornaly::accounting {

// An amount inside the ledger engine, in millionths: sums of many lines and
// of rate products stay exact, and the balance tolerance is compared exactly.
class MuhTutar {
public:
    constexpr MuhTutar() = default;
    static MuhTutar fromDouble(double v);
    static constexpr MuhTutar fromMillionths(qint64 v) { MuhTutar t; t.m_v = v; return t; }
    double toDouble() const { return double(m_v) / 1e6; }
    qint64 millionths() const { return m_v; }
    bool isPositive() const { return m_v > 0; }
    MuhTutar& operator+=(MuhTutar o) { m_v += o.m_v; return *this; }
    friend MuhTutar operator+(MuhTutar a, MuhTutar b) { return fromMillionths(a.m_v + b.m_v); }
    friend MuhTutar operator-(MuhTutar a, MuhTutar b) { return fromMillionths(a.m_v - b.m_v); }
    friend bool operator==(MuhTutar a, MuhTutar b) { return a.m_v == b.m_v; }

private:
    qint64 m_v = 0;
};

// Balanced means within a thousandth.
inline constexpr qint64 FisToleransi = 1000; // millionths

// Chart rows the lines copy their level parts from.
struct HesapSeviyesi {
    QString HKOD;
    int HSINIF = 0, HGRUBU = 0, KEBIR = 0;
    QString MUAVIN, TALI, DETAY;
};
struct MuhFisSatiri {
    QString HSPKODU;
    QString ACIKLAMA;
    QString BELGE_NO;
    MuhTutar BORC;
    MuhTutar ALACAK;
    double ENT_REF_NO = 0;
    QChar ENT_REF_TIP;
};

struct MuhFisi {
    double FISNO = 0;
    QDate TARIH;
    int AY = 0;
    QChar TUR = QLatin1Char('M');
    QChar ENT_TIP;
    double ENT_REF_NO = 0;
    double YEVMIYE_NO = 0;
    QString FISNUMARA;
    QString ACIKLAMA;
    QString MASRAFM_KOD;
    QString BELGENO;
    QString BELGE_TUR;
    QList<MuhFisSatiri> satirlar;
    // The chart rows of the line codes, as the save check found them.
    QHash<QString, HesapSeviyesi> hesaplar;

    MuhTutar borc() const;
    MuhTutar alacak() const;
};

// What the per-document transfer and the bulk transfer of a day do
// differently; one engine serves both.
struct MuhPolitika {
    // Whether an amount joins an earlier line of the same account and side.
    std::function<bool(QChar tip, bool iade, const QString& kod)> birlestir;
    bool bosKodIsaretle = true;   // an empty code blocks the voucher
    bool yilaZorla = true;        // the date is moved into the working year
    bool kullaniciDamgasi = true; // INS_USER / UPD_USER

    static MuhPolitika BelgeBazinda();
};

// The per-document merge rule: never for current-account and cheque slips,
// bank slips only on request, cash/offset slips not for VAT accounts.
bool BelgeBazindaBirlestir(QChar tip, bool iade, const QString& kod);

// Builds the lines of one voucher in memory.
class MuhFisOlusturucu {
public:
    MuhFisOlusturucu(MuhPolitika politika, QChar tipEntegre, bool iadeMi, double bRefNo);

    void AyrHesapGir(const QString& MuhKodu, double Tutar, QChar B_ATip, const QString& AciklaYaz,
                     const QString& BelgeNo = {});
    void AyrHesapGir(const QString& MuhKodu, MuhTutar Tutar, QChar B_ATip, const QString& AciklaYaz,
                     const QString& BelgeNo = {});

    MuhFisi fis;
    bool HalaEksikMuhKodVar = false;
    const MuhPolitika& politika() const { return m_politika; }

private:
    MuhPolitika m_politika;
    QChar m_tip;
    bool m_iade;
    double m_refNo;
};

QHash<QString, HesapSeviyesi> HesapSeviyeleri(const Db& db, const QStringList& kodlar);

// True when the chart holds exactly this code (at any level).
bool SeviyeKontroluYap(const Db& db, const QString& kod);

// The printed voucher number: prefix, zeros up to eight characters, number.
QString FisNumarasiBicimle(const QString& onek, qint64 no);

enum class FisKontrolSonucu { Kabul, Dengesiz, HataliKod, KilitliDonem, GecersizTarih };

// The save check (FisTabBeforePost) without the numbering: date into the
// working year, month, totals, balance and codes, and the lock date. Numbers
// are drawn only when the voucher is written, so a refused voucher takes none.
FisKontrolSonucu FisTabBeforePost(const SessionContext& ctx, const Db& db, MuhFisi& fis,
                                  const MuhPolitika& politika);
// Shows the refusal of a check (outside any transaction).
void FisKontrolMesaji(FisKontrolSonucu sonuc, const MuhFisi& fis);

// The accounting lock date: PARAMUH.KILIT_TRH as stored now, else the session's.
QDate MuhasebeKilitTarihi(const SessionContext& ctx, const Db& db);

// Writes an accepted voucher inside the caller's transaction. A voucher
// numbered `mevcutFisNo` that exists is rebuilt in place (its numbers kept);
// otherwise a new one takes FISNO, YEVMIYE_NO and FISNUMARA from NEWFIS under
// its row lock. Returns FISNO.
double MuhFisYaz(const SessionContext& ctx, const Db& db, MuhFisi& fis, double mevcutFisNo);

// Removes a voucher's header and lines inside the caller's transaction; the
// documents pointing to it are the caller's business (the user's delete is
// MuhFisSil of the transfer, which clears them too).
void MuhFisKaydiniSil(const Db& db, double fisNo);

} // namespace tornaly::accounting
