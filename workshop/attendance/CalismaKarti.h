#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QTime>

// The daily work control card (PERWORKM) and its lines (PERWORKD).
namespace tornaly::workshop {

// The card's hours from its lines: productive (types beginning with D, G, M
// or P), worked (those and W1-W4, W8, W9) and sold (every line). A paid break
// takes half an hour off the worked hours when some remains.
class CalismaToplami {
public:
    void ekle(const QString& isTip, double fiiliSaat, double satilanSaat);
    void ucretliMola(bool var) { m_mola = var; }
    double verimli() const { return m_verimli; }
    double calisilan() const;
    double satilan() const { return m_satilan; }

private:
    double m_verimli = 0, m_calis = 0, m_satilan = 0;
    bool m_mola = false;
};

// "M" for an empty type; the pick list's text keeps its first two characters, trimmed.
QString CalismaSatirTipi(const QString& secim);
// (end − start) × 24; 0 unless both are set.
double CalismaFiiliSaat(const QTime& bas, const QTime& bit);

struct CalismaKarti {
    double KONT_KART_NO = 0; // 0: not saved yet
    QString PER_KOD;
    QDate TARIH;
    double VERIMLI_SAAT = 0, CALIS_SAAT = 0, SATILAN_SAAT = 0;
    bool UCRETLI_MOLA = true;
};
struct CalismaSatiri {
    int SIRA_NO = 0; // 0: a new line
    QString IS_TIP;
    QString IS_EMRI_NO;
    double SATILAN_SAAT = 0;
    QTime BAS_SAAT, BIT_SAAT;
    double FIILI_SAAT = 0;
};

// Card numbers in date and person order.
QList<double> CalismaKartNolari(const Db& db);
CalismaKarti CalismaKartiOku(const Db& db, double no);
QList<CalismaSatiri> CalismaSatirlari(const Db& db, double no);
// The card of a day and person; 0 when none.
double CalismaKartiBul(const Db& db, const QDate& gun, const QString& perKod);
// The first card of the day, else the nearest later one; 0 when none.
double CalismaKartiIlkGun(const Db& db, const QDate& gun);

// Saves the card (a new one takes the highest number + 1, retried when
// another workstation took it first); AKTARILDI is cleared. Answers the number.
double CalismaKartiKaydet(const Db& db, CalismaKarti& k);
// Saves a line (a new one takes the card's last line number + 1) and the card's totals.
int CalismaSatiriKaydet(const Db& db, double kartNo, CalismaSatiri& s);
void CalismaSatiriSil(const Db& db, double kartNo, int siraNo);
// Deletes the card with its lines.
void CalismaKartiSil(const Db& db, double kartNo);
// "Toplam Saatleri Hesapla": the card's totals from its stored lines.
CalismaKarti CalismaToplamlariniYaz(const Db& db, double kartNo);
// Saves the card as edited and recomputes its totals, in one transaction.
CalismaKarti CalismaKartiHesapla(const Db& db, CalismaKarti k);

} // namespace tornaly::workshop
