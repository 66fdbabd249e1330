#pragma once
#include <QString>

namespace tornaly {

// Right letters: H no access (also when empty), O read only, N add only,
// D add and change, Y add, change and delete, E yes on yes/no rights,
// K invoicing only (sales and work-order invoices).
inline bool RightOpens(const QString& letter) { return !letter.isEmpty() && letter != QLatin1String("H"); }
inline bool RightAdds(const QString& letter)
{
    return letter == QLatin1String("N") || letter == QLatin1String("D") || letter == QLatin1String("Y");
}
inline bool RightChanges(const QString& letter) { return letter == QLatin1String("D") || letter == QLatin1String("Y"); }
inline bool RightDeletes(const QString& letter) { return letter == QLatin1String("Y"); }

// The logged-in user, filled from table RIGHTS by the login (one-letter
// rights default to "H", the user type to "K").
struct t_user {
    QString name;
    QString login;
    QString password; // the typed login, in memory only while logged in; never stored or shown
    QString per_kod;
    QString per_name;
    QString u_type = QStringLiteral("K");
    QString beyan = QStringLiteral("H");
    QString alis = QStringLiteral("H");
    QString satis = QStringLiteral("H");
    QString al_sip = QStringLiteral("H");
    QString ver_sip = QStringLiteral("H");
    QString stok = QStringLiteral("H");
    QString cari = QStringLiteral("H");
    QString maliyet = QStringLiteral("H");
    QString arac_al = QStringLiteral("H");
    QString arac_sat = QStringLiteral("H");
    QString isemri = QStringLiteral("H");
    QString dispoz = QStringLiteral("H");
    QString claim = QStringLiteral("H");
    QString pdi = QStringLiteral("H");
    QString ser_stok = QStringLiteral("H");
    QString depo_stok = QStringLiteral("H");
    QString personel = QStringLiteral("H");
    QString barkod = QStringLiteral("H");
    QString exper = QStringLiteral("H");
    QString frtfct = QStringLiteral("H");
    QString dial_up = QStringLiteral("H");
    QString parametre = QStringLiteral("H");
    QString fat_tanim = QStringLiteral("H");
    int frt_fiyat = 0;
    int stok_fiyat = 0;
    QString dov_kur = QStringLiteral("H");
    QString ie_aktar = QStringLiteral("H");
    QString diger01 = QStringLiteral("H"), diger02 = QStringLiteral("H"), diger03 = QStringLiteral("H"),
            diger04 = QStringLiteral("H"), diger05 = QStringLiteral("H"), diger06 = QStringLiteral("H"),
            diger07 = QStringLiteral("H"), diger08 = QStringLiteral("H"), diger09 = QStringLiteral("H"),
            diger10 = QStringLiteral("H"), diger11 = QStringLiteral("H"), diger12 = QStringLiteral("H"),
            diger13 = QStringLiteral("H"), diger14 = QStringLiteral("H"), diger15 = QStringLiteral("H"),
            diger16 = QStringLiteral("H"), diger17 = QStringLiteral("H"), diger18 = QStringLiteral("H"),
            diger19 = QStringLiteral("H"), diger20 = QStringLiteral("H"), diger21 = QStringLiteral("H"),
            diger22 = QStringLiteral("H"), diger23 = QStringLiteral("H"), diger24 = QStringLiteral("H"),
            diger25 = QStringLiteral("H"), diger26 = QStringLiteral("H"), diger27 = QStringLiteral("H");
    QString depo;
    QString iefatura;
    bool ie_yp_ad = false, ie_yp_fyt = false, ie_yp_isk = false;
    bool ie_is_ad = false, ie_is_fyt = false, ie_is_isk = false;
    bool ief_yp_ad = false, ief_yp_fyt = false, ief_yp_isk = false;
    bool ief_is_ad = false, ief_is_fyt = false, ief_is_isk = false;
    int ft_isk_tip = 0;
    int maliyet_uyari = 0;
    int sat_yetki = 0;
    bool DepoTransferOnayi = false;
    QString carihrk;
    QString caribakiye;
    QString carichodekapa;
    QString carihrkizle;
    QString iki_zarar_sat;
    QString iki_satis_onay;
    QString arac_beyan_sil;
    QString iki_el_oku, iki_el_ekle, iki_el_degis, iki_el_sil;
    QString ie_ackapat;
    QString arac_gecmis;
    QString teklif = QStringLiteral("H");
    int stok_adi = 0;
    int frt_adi = 0;
    double max_isk_prc = 0;
    double max_isk_isc = 0;
};

// The administrator (user type "A"): the one user who may back up the whole
// database, repair it and open the system management window.
inline bool IsAdministrator(const t_user& user) { return user.u_type == QLatin1String("A"); }


} // namespace tornaly
