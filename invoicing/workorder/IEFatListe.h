#pragma once
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// The filters of the work-order invoice lists; every typed value is bound.
struct IEFatListeFiltre {
    QString satisNo;          // typed internal number: invoices from it on, newest first
    QString fatNo, isEmriNo;  // "starts with"
    QString cariKod;
    QString cariKodAdi;       // "Cari Kod/Adı": the code itself or a name containing the text
    QString plaka;            // invoices of the work orders of a plate (any case)
    int fatTur = 0;           // 0 all, 1 I (or empty), 2 E, 3 G, 4 D
    int muhasebe = 0;         // 0 all, 1 transferred, 2 not
    int dokum = 0;            // 0 all, 1 printed, 2 not
    QDate ilkTarih, sonTarih; // whole days, both included
    // Hidden account groups (Diger01 with GizliCariGruplari): invoices of
    // accounts in these groups are left out.
    QStringList gizliGruplar;
};

struct IEFatListeSatiri {
    double SATIS_NO = 0;
    QString FAT_NO, FAT_TUR, IS_EMRI_NO, CARI_KOD, CARI_AD, ODE_TIP;
    QDate TARIH, VADE_TRH;
    QTime SAAT;
    QString IE_TIP;
    int FYILI = 0;
    double TOPLAM_TUTAR = 0, KDV_TUTARI = 0, NET_TUTAR = 0;
    bool muhasebelesmis = false;
    int EF_STATU = 0;
    QString ODEMEDRM; // "KAPALI", "AÇIK", "KISMI ÖDEME"
};

// The invoices a filter finds, newest first. A typed number that is not a
// number finds nothing. A user whose diger27 is not "H" sees only his own.
QList<IEFatListeSatiri> IEFatListe(const SessionContext& ctx, const Db& db, const IEFatListeFiltre& f);

// "Açık Hesap", "Banka", "Diğer", "Nakit Ödeme", "Çek/Senet"; empty for any other letter.
QString OdemeTipiMetni(const QString& harf);

// The e-invoice state commands: 1 -> 2 and 2 -> 1 (5 and 6 ask first and
// clear the number). Returns the message to show when refused, empty when done.
QString EFaturaDurumDegistir(const Db& db, double satisNo, int yeniDurum,
                             const std::function<bool(const QString&)>& sor);

// The bulk e-invoice commands over the listed invoices: every one in state 1
// goes to 2 (`yeniDurum` 2), or every one in state 2 to 1; the number changed.
int EFaturaTopluDurum(const Db& db, const QList<double>& satisNolari, int yeniDurum);

} // namespace tornaly::invoicing
