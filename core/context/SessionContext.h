#pragma once
#include "context/User.h"
#include "db/Database.h"

#include <QDate>
#include <QString>

namespace tornaly {

// What the running program knows about its company, year, user and
// parameters. Services take it as an argument; tests build their own.
// Member names are those the rest of the system uses for these values.
struct SessionContext {
    // Company and working year.
    QString CalismaYili;   // the working year, four digits
    int FirmaId = 0;
    QString FirmaAdi;
    QString FirmaEAdi;
    QString UretBKod;      // dealer code given by the manufacturer
    QDate KilitTarihi;     // closed-period lock date; invalid when none

    // Local currency.
    QString YerelPara = QStringLiteral("TL");
    QString YerelKurus = QStringLiteral("KR");
    QString DovizSecenekleri;

    // Money formats of the working year.
    QString ParaFormat = QStringLiteral(",0.00");
    QString ParaEditFormat = QStringLiteral("#.##");
    int ParaOndalik = 2;
    QString ParaFormat4 = QStringLiteral(",0.00");
    QString ParaEditFormat4 = QStringLiteral("#.##");
    bool KurusVar = true;

    QString FatYuvarTip;   // invoice rounding letter: Y up, A down, other truncate

    t_user AktifKullanici;

    // Start-up: company choice, connection and the central data module.
    QString FirmaVeritabani;     // database of the chosen company and year
    QString FirmaAlias;          // FirmaVeritabani + "MS"
    int CalismaYiliNo = 0;
    QDate DonemBasTarih, DonemBitTarih;
    QString SunucuAdi;           // server (or embedded data folder) of the session
    QString DbKullaniciAdi;      // database login
    QString GirisKullaniciAdi;   // login name as typed at the last accepted login
    QString OturumBilgisi;       // login text handed to separate programs
    QString VeritabaniAdi;       // database name as the server reports it
    QString SunucuTamAdi;        // the server's own name
    QDateTime SunucuTarihi;      // server time when the data module started
    QDate BazTarih = QDate(2000, 1, 1);
    QString ServisDepoKodu = QStringLiteral("2");
    bool MarkaBayiModu = false, MarkaBayiModu2 = false, MarkaBayiModu3 = false;

    // Company record (FIRKIM).
    QString DistBKod, TedBKod, UretCKod, DistCKod, TedCKod;
    double ClaimKodNo = 0;
    bool EkKontrolModu = false;

    // Chart-of-accounts parameters (PARAMETRE).
    QString HspKdvKod, IndirKdvKod;
    double DfKdv = 0;
    int MuavinHane = 0, TaliHane = 0, DetayHane = 0;
    QString HesapSeviye, AlfaDurum, HesapAyrac;

    // General parameters (PARAMET).
    int DovizliBky = 0;
    double ClaimPrcIsk = 0, ClaimIscIsk = 0, StokIskonto = 0, AcilIskonto = 0;
    QDate FatKilitTrh;           // invoice lock date; invalid when none
    QString CariMsgVar;
    int SatSipAciklama = 0;
    int ModulSevk = 0;
    bool NegatifStok = false;
    QString IscMark;

    // The company database of this session.
    Db Database1;
};

} // namespace tornaly
