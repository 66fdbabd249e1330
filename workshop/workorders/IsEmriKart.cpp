#include "workshop/workorders/IsEmriKart.h"

#include "context/SessionContext.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "workshop/vehicles/Vehicles.h"

namespace tornaly::workshop {

namespace {
QString kirpilmis(const QVariant& v) { return v.toString().trimmed(); }
}

IsEmriKart::IsEmriKart(SessionContext& ctx) : m_ctx(ctx), m_db(ctx.Database1) {}

bool IsEmriKart::yeniKayit()
{
    if (!IsEmriYeniHakki(m_ctx.AktifKullanici.isemri))
        return false;
    row = YeniIsEmriSatiri(m_db, m_ctx);
    m_yeni = true;
    m_sonKm = 0;
    m_durum = Durum::Giris;
    return true;
}

bool IsEmriKart::ac(const QString& isEmriNo)
{
    if (giriste()) {
        // Opening another work order would silently drop what was typed.
        ShowWarning(QStringLiteral("Değişikliği Saklayın yada İptal Edin!"));
        return false;
    }
    const QVariantMap r = ReadIsEmri(m_db, IsEmriNoFromSearch(isEmriNo));
    if (r.isEmpty())
        return false;
    row = r;
    m_yeni = false;
    m_sonKm = SonKm(m_db, kirpilmis(row.value(QStringLiteral("SASI_NO"))), kirpilmis(row.value(QStringLiteral("IS_EMRI_NO"))));
    degistir();
    return true;
}

bool IsEmriKart::degistir()
{
    if (row.isEmpty() || giriste())
        return false;
    if (!IsEmriDegistirilebilir(row))
        return false;
    if (!IsEmriDegistirHakki(m_ctx.AktifKullanici.isemri))
        return false;
    m_durum = Durum::Giris;
    return true;
}

KayitSonucu IsEmriKart::sakla()
{
    if (!giriste())
        return KayitSonucu::Reddedildi;
    const KayitSonucu r = IsEmriKaydet(m_db, m_ctx, row, m_yeni, m_sonKm);
    if (r == KayitSonucu::Kaydedildi) {
        m_yeni = false;
        m_durum = Durum::Gezinme;
        row = ReadIsEmri(m_db, kirpilmis(row.value(QStringLiteral("IS_EMRI_NO"))));
    }
    return r;
}

void IsEmriKart::iptal()
{
    if (!giriste())
        return;
    row = m_yeni ? QVariantMap() : ReadIsEmri(m_db, kirpilmis(row.value(QStringLiteral("IS_EMRI_NO"))));
    m_yeni = false;
    m_durum = Durum::Gezinme;
}

bool IsEmriKart::kapatilabilir() const
{
    if (giriste()) {
        ShowWarning(QStringLiteral("Değişikliği Saklayın yada İptal Edin!"));
        return false;
    }
    return true;
}

double IsEmriKart::CariBakiye(const Db& db, const QString& cariKod)
{
    Query q(db, QStringLiteral("SELECT SUM(BORC) AS BORCT, SUM(ALACAK) AS ALAT FROM CARIHRK WHERE CARI_KOD = :CARI_KOD"));
    q.bind(QStringLiteral("CARI_KOD"), cariKod).exec();
    if (!q.next())
        return 0;
    return q.num(QStringLiteral("BORCT")) - q.num(QStringLiteral("ALAT"));
}

void IsEmriKart::borcUyarisi(const QString& cariKod)
{
    const double kalan = CariBakiye(m_db, cariKod);
    if (kalan > 0)
        ShowWarning(QStringLiteral("Seçtiğiniz Carinin ") + FormatMoney(kalan, QStringLiteral(",0.00")) + QLatin1Char(' ')
                    + m_ctx.YerelPara + QStringLiteral(" Borç Bakiyesi Bulunmaktadır!..."));
}

IsEmriKart::Bulma IsEmriKart::aracAra(AracAlani alan, const QString& typed)
{
    if (!giriste() || typed.trimmed().isEmpty())
        return Bulma::Bos;
    const QList<QVariantMap> found = AracAra(m_db, alan, typed);
    QVariantMap arac;
    if (found.size() == 1 || (!found.isEmpty() && alan != AracAlani::Plaka))
        arac = found.first();
    const QString no = kirpilmis(row.value(QStringLiteral("IS_EMRI_NO")));
    bool kopyalandi = false;
    bool sor = false;
    if (found.size() > 1 && alan == AracAlani::Plaka) {
        // Several plates match the pattern: the user picks from the list
        // rather than the first row deciding.
        sor = true;
    } else if (arac.isEmpty()) {
        if (!kirpilmis(row.value(QStringLiteral("CARI_KOD"))).isEmpty()) {
            YeniArac().YeniAracMotorNo = alan == AracAlani::Motor ? typed.trimmed() : kirpilmis(row.value(QStringLiteral("MOTOR_NO")));
            YeniArac().YeniAracSaseNo = alan == AracAlani::Sase ? typed.trimmed() : kirpilmis(row.value(QStringLiteral("SASI_NO")));
            YeniArac().YeniAracPlaka = alan == AracAlani::Plaka ? typed.trimmed() : kirpilmis(row.value(QStringLiteral("PLAKA_NO")));
            YeniArac().YeniAracCariKod = kirpilmis(row.value(QStringLiteral("CARI_KOD")));
            for (const char* c : {"CARI_KOD", "RENK_KOD", "IC_RENK", "SASI_NO", "PLAKA_NO", "MOTOR_NO", "GARANTI_BITIS"})
                row.remove(QString::fromLatin1(c));
        }
        sor = true;
    } else {
        const QString sahip = kirpilmis(arac.value(QStringLiteral("CARI_KOD")));
        if (!sahip.isEmpty()) {
            const bool ayni = sahip == kirpilmis(row.value(QStringLiteral("CARI_KOD")))
                              && kirpilmis(arac.value(QStringLiteral("PLAKA"))) == kirpilmis(row.value(QStringLiteral("PLAKA_NO")))
                              && kirpilmis(arac.value(QStringLiteral("SASE_NO"))) == kirpilmis(row.value(QStringLiteral("SASI_NO")))
                              && kirpilmis(arac.value(QStringLiteral("ARC_MODEL_KODU"))) == kirpilmis(row.value(QStringLiteral("ARAC_TIP")));
            if (!ayni) {
                row[QStringLiteral("CARI_KOD")] = sahip;
                borcUyarisi(sahip);
                row[QStringLiteral("RENK_KOD")] = arac.value(QStringLiteral("ARC_RENK_KODU"));
                row[QStringLiteral("IC_RENK")] = arac.value(QStringLiteral("IC_RENK"));
                row[QStringLiteral("SASI_NO")] = arac.value(QStringLiteral("SASE_NO"));
                row[QStringLiteral("PLAKA_NO")] = arac.value(QStringLiteral("PLAKA"));
                row[QStringLiteral("MOTOR_NO")] = arac.value(QStringLiteral("MOTOR_NO"));
                row[QStringLiteral("TESLIM_TRH")] = arac.value(QStringLiteral("TRF_CIKIS_TRH"));
                row[QStringLiteral("ARAC_TIP")] = arac.value(QStringLiteral("ARC_MODEL_KODU"));
                row[QStringLiteral("ARAC_MODEL")] = kirpilmis(arac.value(QStringLiteral("ARC_MODEL_TRH")));
                row[QStringLiteral("GARANTI_NO")] = arac.value(QStringLiteral("GAR_SERI_NO1"));
                row[QStringLiteral("KAMPANYA")] = arac.value(QStringLiteral("KAMPANYA"));
                const QDateTime gb = Query::toDateTime(arac.value(QStringLiteral("GARANTI_BIT")));
                row[QStringLiteral("GARANTI_BITIS")] = gb.isValid() ? QVariant(gb) : QVariant();
                kopyalandi = true;
            }
        } else {
            sor = true;
        }
        const QString acik = AcikIsEmriVar(m_db, kirpilmis(arac.value(QStringLiteral("SASE_NO"))), no);
        if (!acik.isEmpty())
            ShowWarning(QStringLiteral("Bu aracın açık işemri mevcut !(ieno:") + acik + QLatin1Char(')'));
        if (!sahip.isEmpty() && !kopyalandi)
            return Bulma::Ayni;
    }
    if (sor) {
        if (Messages().show(MsgIcon::Warning, QStringLiteral("Beyan Kaydını Girmek İster misiniz?"), MsgYes | MsgNo, MsgYes,
                            {})
            != MsgYes)
            return arac.isEmpty() ? Bulma::Yok : Bulma::Sahipsiz;
        baslangic = TypeIsEmri();
        baslangic.SasiNo = alan == AracAlani::Sase ? typed.trimmed() : QString();
        baslangic.MotorNo = alan == AracAlani::Motor ? typed.trimmed() : QString();
        baslangic.PlakaNo = alan == AracAlani::Plaka ? typed.trimmed() : QString();
        const TypeIsEmri secilen = ruhsatSec ? ruhsatSec(baslangic) : TypeIsEmri();
        if (secilen.SasiNo.isEmpty())
            return arac.isEmpty() ? Bulma::Yok : Bulma::Sahipsiz;
        row[QStringLiteral("SASI_NO")] = secilen.SasiNo;
        const Bulma tekrar = aracAra(AracAlani::Sase, secilen.SasiNo);
        if (tekrar != Bulma::Kopyalandi)
            sonrakiUyarilar();
        return Bulma::Secildi;
    }
    sonrakiUyarilar();
    return Bulma::Kopyalandi;
}

void IsEmriKart::sonrakiUyarilar()
{
    const QString sase = kirpilmis(row.value(QStringLiteral("SASI_NO")));
    m_sonKm = SonKm(m_db, sase, kirpilmis(row.value(QStringLiteral("IS_EMRI_NO"))));
    row[QStringLiteral("KM")] = m_sonKm;
    const QDateTime gb = row.value(QStringLiteral("GARANTI_BITIS")).toDateTime();
    if (gb.isValid() && gb.date() < QDate::currentDate())
        ShowWarning(QStringLiteral("Bu Aracın Garanti Süresi Dolmuştur !"));
    if (row.value(QStringLiteral("KAMPIE_NO")).toDouble() > 0)
        ShowInfo(QStringLiteral("Servis Kampanyası Mevcut. Lütfen Gerekli İlgiyi Gösteriniz!"));
    if (KampanyaBelgesiVar(m_db, sase))
        ShowInfo(QStringLiteral("Bu Araçla ilgili Mesajlar var !!!"));
    if (RandevuVar(m_db, sase, kirpilmis(row.value(QStringLiteral("PLAKA_NO"))),
                   Query::toDate(row.value(QStringLiteral("ARAC_GIRIS_TRH")))))
        ShowInfo(QStringLiteral("Bu Araca Ait Randevu Kaydı Vardır !"));
}

bool IsEmriKart::kimlikUygun(const QString& cariKod)
{
    const Dialect& d = m_db.dialect();
    const QString cari = QStringLiteral("CARI");
    if (!d.columnExists(m_db, cari, QStringLiteral("CINSIYET")) || !d.columnExists(m_db, cari, QStringLiteral("VN"))
        || !d.columnExists(m_db, cari, QStringLiteral("KIMLIKNO")))
        return true;
    Query q(m_db, QStringLiteral("SELECT CINSIYET, VN, KIMLIKNO FROM CARI WHERE CARI_KOD = :K"));
    q.bind(QStringLiteral("K"), cariKod).exec();
    if (!q.next())
        return false;
    if (q.str(QStringLiteral("CINSIYET")) == QLatin1String("F"))
        return q.str(QStringLiteral("VN")).trimmed().size() == 10;
    return q.str(QStringLiteral("KIMLIKNO")).trimmed().size() == 11;
}

void IsEmriKart::cariSecildi(const QString& cariKod)
{
    if (cariKod.isEmpty())
        return;
    row[QStringLiteral("CARI_KOD")] = cariKod;
    borcUyarisi(cariKod);
    if (!kimlikUygun(cariKod)) {
        // Yes opens the account's card to mend it; the customer stays only
        // when the card comes back with a code. No takes the customer off.
        QString kod;
        if (AskYesNo(QStringLiteral("Lütfen Seçtiğiniz Cari Firma ise Vergi Nosunu, Şahıs ise TC.Kimlik Numarasını "
                                    "Düzgün Giriniz!\r\nŞimdi Girmek İster misiniz?"))
            && cariKartAc)
            kod = cariKartAc(cariKod).trimmed();
        if (kod.isEmpty())
            row.remove(QStringLiteral("CARI_KOD"));
        else
            row[QStringLiteral("CARI_KOD")] = kod;
    }
}

} // namespace tornaly::workshop
