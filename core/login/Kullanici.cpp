#include "login/Kullanici.h"
#include "login/PasswordHash.h"

namespace tornaly {

namespace {
// A one-letter right: the column with its default appended, first letter kept,
// so that an empty or null column yields the default.
QString letter(const Query& q, const char* column, const QString& def = QStringLiteral("H"))
{
    return (q.str(QString::fromLatin1(column)).trimmed() + def).left(1);
}
QString shortText(const Query& q, const char* column, int length)
{
    return q.str(QString::fromLatin1(column)).left(length);
}
int number(const Query& q, const char* column) { return int(q.integer(QString::fromLatin1(column))); }
} // namespace

void UserFromRightsRow(Query& q, t_user& u)
{
    u.name = shortText(q, "USER_NAME", 32);
    u.login = shortText(q, "LOGIN_NAME", 32);
    // The row's hash is no password: Kullanici keeps the one typed.
    u.password.clear();
    u.per_kod = shortText(q, "PERSONEL_KOD", 32);
    u.u_type = letter(q, "SUPERVIZOR", QStringLiteral("K"));
    u.beyan = letter(q, "BEYAN");
    u.alis = letter(q, "ALIS");
    u.satis = letter(q, "SATIS");
    u.al_sip = letter(q, "AL_SIP");
    u.ver_sip = letter(q, "VER_SIP");
    u.stok = letter(q, "STOK");
    u.cari = letter(q, "CARI");
    u.maliyet = letter(q, "MALIYET");
    u.arac_al = letter(q, "ARAC_AL");
    u.arac_sat = letter(q, "ARAC_SAT");
    u.isemri = letter(q, "IS_EMRI");
    u.dispoz = letter(q, "DISPOZ");
    u.claim = letter(q, "CLAIM");
    u.pdi = letter(q, "PDI");
    u.ser_stok = letter(q, "SER_STOK");
    u.depo_stok = letter(q, "SEPO_STOK");
    u.personel = letter(q, "PERSONEL");
    u.barkod = letter(q, "BARKOD");
    u.exper = letter(q, "EXPER");
    u.frtfct = letter(q, "FRTFCT");
    u.dial_up = letter(q, "DIALUP");
    u.parametre = letter(q, "PARAM");
    u.fat_tanim = letter(q, "FAT_TANIM");
    u.frt_fiyat = number(q, "FRT_FIYAT");
    u.stok_fiyat = number(q, "STOK_FIYAT");
    u.dov_kur = letter(q, "DOVIZ_KUR");
    u.ie_aktar = letter(q, "IE_AKTAR");
    QString* diger[] = {&u.diger01, &u.diger02, &u.diger03, &u.diger04, &u.diger05, &u.diger06, &u.diger07,
                        &u.diger08, &u.diger09, &u.diger10, &u.diger11, &u.diger12, &u.diger13, &u.diger14,
                        &u.diger15, &u.diger16, &u.diger17, &u.diger18, &u.diger19, &u.diger20, &u.diger21,
                        &u.diger22, &u.diger23, &u.diger24, &u.diger25, &u.diger26, &u.diger27};
    for (int i = 0; i < 27; ++i)
        *diger[i] = letter(q, QStringLiteral("DIGER%1").arg(i + 1, 2, 10, QLatin1Char('0')).toLatin1().constData());
    u.depo = shortText(q, "DEPO", 11);
    u.iefatura = shortText(q, "IEFATURA", 1);
    u.DepoTransferOnayi = number(q, "DEPTRANS") != 0;
    u.carihrk = q.str(QStringLiteral("CHRK"));
    u.caribakiye = q.str(QStringLiteral("CARIBA"));
    u.carichodekapa = q.str(QStringLiteral("CHODEKAPAC"));
    u.carihrkizle = q.str(QStringLiteral("CHIZLE"));
    u.iki_zarar_sat = q.str(QStringLiteral("IKI_ZARAR_SAT"));
    u.iki_satis_onay = q.str(QStringLiteral("IKI_ELSATIS_ONAY"));
    u.arac_beyan_sil = shortText(q, "ARAC_BEYAN_SIL", 1);
    u.iki_el_oku = q.str(QStringLiteral("IKI_EL_OKU"));
    u.iki_el_ekle = q.str(QStringLiteral("IKI_EL_EKLE"));
    u.iki_el_degis = q.str(QStringLiteral("IKI_EL_DEGIS"));
    u.iki_el_sil = q.str(QStringLiteral("IKI_EL_SIL"));
    u.ie_ackapat = q.str(QStringLiteral("IE_ACKAPA"));
    u.arac_gecmis = q.str(QStringLiteral("ARC_GECMISSRG"));
    u.teklif = q.str(QStringLiteral("TEKLIF")) + QStringLiteral("H");
    u.stok_adi = number(q, "STOK_ADI");
    u.frt_adi = number(q, "FRT_ADI");
    u.max_isk_prc = q.num(QStringLiteral("MAX_ISK_PRC"));
    u.max_isk_isc = q.num(QStringLiteral("MAX_ISK_ISC"));

    const QString isciAdi = q.str(QStringLiteral("ISCI_ADI"));
    u.per_name = (isciAdi.isEmpty() ? u.name : isciAdi).left(32);

    u.ie_yp_ad = (u.stok_adi & 32) != 0;
    u.ie_yp_fyt = (u.stok_fiyat & 32) != 0;
    u.ie_is_ad = (u.frt_adi & 32) != 0;
    u.ie_is_fyt = (u.frt_fiyat & 32) != 0;
    u.ief_yp_ad = (u.stok_adi & 64) != 0;
    u.ief_yp_fyt = (u.stok_fiyat & 64) != 0;
    u.ief_is_ad = (u.frt_adi & 64) != 0;
    u.ief_is_fyt = (u.frt_fiyat & 64) != 0;

    const QString grubu = q.str(QStringLiteral("GRUBU"));
    if (u.u_type == QLatin1String("A"))
        u.sat_yetki = 1;
    else if (q.str(QStringLiteral("ISCI_TIP")) == QLatin1String("M") && !q.isNull(QStringLiteral("GRUBU"))
             && (grubu.startsWith(QLatin1Char('A')) || grubu.startsWith(QLatin1Char('G'))))
        u.sat_yetki = 1;
    else if (!u.per_kod.isEmpty())
        u.sat_yetki = 2;
    else
        u.sat_yetki = 0;
}

TLoginSonucu Kullanici(const Db& db, const QString& loginName, const QString& password, t_user& user)
{
    TLoginSonucu result;
    if (password.isEmpty())
        return result;
    Query q(db, QStringLiteral("SELECT RIGHTS.*  , GRUBU, ISCI_TIP, ISCIUSTA.BOLUMU AS PER_BOLUMU, ISCI_ADI\n"
                               "FROM RIGHTS  LEFT OUTER JOIN ISCIUSTA ON (ISCI_KOD=PERSONEL_KOD)\n"
                               "WHERE  LOGIN_NAME = :LOGIN_NAME "));
    q.bind(QStringLiteral("LOGIN_NAME"), loginName).exec();
    if (!q.next())
        return result;
    const QString stored = q.str(QStringLiteral("USER_PASS"));
    if (!VerifyPassword(password, stored))
        return result;
    UserFromRightsRow(q, user);
    // Kept for the session: the separate programs and the dealer's web pages
    // log in with it.
    user.password = password;
    result.ok = true;
    result.yetkiseviye = user.u_type;
    result.login_name = user.login;
    if (PasswordNeedsRehash(stored)) {
        // Only when nobody changed the row since it was read.
        Query up(db, QStringLiteral("UPDATE RIGHTS SET USER_PASS = :H WHERE LOGIN_NAME = :L AND USER_PASS = :OLD"));
        up.bind(QStringLiteral("H"), HashPassword(password))
            .bind(QStringLiteral("L"), user.login)
            .bind(QStringLiteral("OLD"), stored)
            .exec();
    }
    return result;
}

bool CanManageUsers(const t_user& user, bool loggedIn)
{
    return loggedIn && (user.u_type == QLatin1String("A") || user.u_type == QLatin1String("S"));
}

} // namespace tornaly
