#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace tornaly::accounts {

// The walk-in (cash-sale) customers of earlier cash slips, one per code:
// KOD (tax or identity number), ACIKLAMA (name), MUH_KARSI (accounting code).
QString PesinCariSorgusu();

// One receipt template (MAKBUZTMP).
struct MakbuzSablonu {
    int MAK_ID = 0; // 0 until it is saved
    QString MAK_TANIM;
    QString HSP_GIDER;
    double HSP_KDV_ORAN = 0;
    QString HSP_KDV, HSP_KASA;
    double HSP_STP_ORAN = 0;
    QString HSP_STOPAJ, HSP_STP_KARSI, MAK_ACIKLAMA;
};

QList<MakbuzSablonu> MakbuzSablonlari(const Db& db);
std::optional<MakbuzSablonu> MakbuzSablonOku(const Db& db, int makId);
inline QString MakbuzTanimBosText() { return QStringLiteral("Tanım boş geçilemez."); }
// Saves a template; a new one takes the next free number (two workstations
// adding at once each get their own). Returns MAK_ID. Throws DbError, and
// IslemReddi with MakbuzTanimBosText for a template without a name.
int MakbuzSablonKaydet(const Db& db, MakbuzSablonu& s);
void MakbuzSablonSil(const Db& db, int makId);

// The amounts of a receipt from the typed expense amount G: VAT, cash,
// withholding and net, unrounded.
struct MakbuzTutarlari {
    double G = 0, V = 0, C = 0, W = 0, N = 0;
};
MakbuzTutarlari MakbuzHesapla(double gider, double kdvOran, double stopajOran);
// "KDV Dahilden Hariç Hesapla": the VAT-exclusive amount of a VAT-inclusive one.
double KdvHaricTutar(double kdvDahil, double kdvOran);

// One voucher line prepared by a template.
struct tfistemp {
    QString hesap;    // the code
    QString hes_tur;  // M expense code, K cash box, C current account
    double borc = 0;
    double alacak = 0;
    QString aciklama1; // the name of the code
    QString aciklama2; // the description
};
using tfislist = QList<tfistemp>;

// The lines a template gives for its amounts: one per amount above 0, in the
// order expense, VAT, withholding counter (debits), cash, withholding (credits).
// `ad` names a code of a kind (M, K, C).
tfislist MakbuzSatirlari(const MakbuzSablonu& s, const MakbuzTutarlari& t,
                         const std::function<QString(const QString& tur, const QString& kod)>& ad);
// The names of expense codes, cash boxes and accounts as the database has them.
QString MakbuzHesapAdi(const Db& db, const QString& tur, const QString& kod);

// The lines of the last picked template, for the offset voucher's "Şablon Ekle".
tfislist& SonMakbuzSatirlari();

} // namespace tornaly::accounts
