#include "aftersales/calls/AramaPer.h"

#include "messages/Messages.h"

#include <QTime>

namespace tornaly::aftersales {

namespace {

QString aramaS(const char* s) { return QString::fromUtf8(s); }

QDateTime aramaGunu(const QDate& d) { return QDateTime(d, QTime(0, 0)); }

struct HarfAdi {
    const char* harf;
    const char* ad;
};

QString harfAdi(const HarfAdi* tablo, int n, const QString& harf)
{
    for (int i = 0; i < n; ++i)
        if (harf == QLatin1String(tablo[i].harf))
            return aramaS(tablo[i].ad);
    return harf;
}

const HarfAdi kSatSer[] = {{"B", "Satış"}, {"S", "Servis"}};
const HarfAdi kAraTip[] = {{"T", "Telefon"}, {"M", "Mektup"},  {"F", "Faks"},  {"O", "Sigorta"},
                           {"U", "Muayene"}, {"K", "Kasko"}, {"E", "Eksoz"}};
const HarfAdi kDurum[] = {{"G", "Sonuçlandı"},  {"A", "Anket Yapıldı"}, {"U", "Ulaşılamıyor"},
                          {"Y", "Tel. Yanlış"}, {"R", "Görüşme Red."},  {"S", "Sms Gönderildi"}};
const HarfAdi kIeTip[] = {{"B", "PBakım"},  {"A", "Arıza"},   {"E", "PB/Arıza"}, {"H", "Hasar"},
                          {"P", "PDI"},     {"Y", "Yol Yrd"}, {"K", "Kontrol"},  {"M", "Muhtelif"},
                          {"G", "Garanti"}, {"Z", "Kamp"},    {"2", "2.El"},     {"F", "Kampanya/P.Bakım"}};

int insertFromPeriods(const Db& db, const ServisAramaBelge& b)
{
    struct Per {
        QVariant araTip, anket;
        int gun = 0;
    };
    QList<Per> liste;
    {
        Query p(db, QStringLiteral("SELECT ARA_TIP, PER_GUN, ANKET_ID FROM PERIYOT WHERE SAT_SER = 'S' ORDER BY PER_GUN, PER_ID"));
        p.exec();
        while (p.next())
            liste << Per{p.value(QStringLiteral("ARA_TIP")), p.value(QStringLiteral("ANKET_ID")),
                         int(p.integer(QStringLiteral("PER_GUN")))};
    }
    for (const Per& per : liste)
        db.exec(QStringLiteral("INSERT INTO ARAMAPER (MUS_TIP, ARA_TIP, IE_NO, SATIS_NO, PERIYOT, REF_TRH, ARAMA_TRH, "
                               "CARI_KOD, ANKET_ID) VALUES ('S', :AT, :IE, :SN, :P, :R, :A, :C, :AN)"),
                {{QStringLiteral("AT"), per.araTip},
                 {QStringLiteral("IE"), b.ieNo},
                 {QStringLiteral("SN"), b.satisNo},
                 {QStringLiteral("P"), per.gun},
                 {QStringLiteral("R"), aramaGunu(b.tarih)},
                 {QStringLiteral("A"), aramaGunu(b.tarih.addDays(per.gun))},
                 {QStringLiteral("C"), b.cariKod},
                 {QStringLiteral("AN"), per.anket}});
    return int(liste.size());
}

} // namespace

QList<AramaPeriyot> AramaPeriyotlari(const Db& db)
{
    QList<AramaPeriyot> out;
    Query q(db, QStringLiteral("SELECT PER_ID, SAT_SER, ARA_TIP, PER_GUN, PER_AD, ANKET_ID FROM PERIYOT "
                               "ORDER BY SAT_SER, PER_GUN, PER_ID"));
    q.exec();
    while (q.next()) {
        AramaPeriyot p;
        p.PER_ID = q.integer(QStringLiteral("PER_ID"));
        p.SAT_SER = q.str(QStringLiteral("SAT_SER"));
        p.ARA_TIP = q.str(QStringLiteral("ARA_TIP"));
        p.PER_GUN = int(q.integer(QStringLiteral("PER_GUN")));
        p.PER_AD = q.str(QStringLiteral("PER_AD"));
        p.ANKET_ID = q.value(QStringLiteral("ANKET_ID"));
        out << p;
    }
    return out;
}

QString AramaPeriyotEngel(const AramaPeriyot& p)
{
    // A period of no days would call on the invoice day itself, a negative one
    // before the service happened.
    if (p.PER_GUN <= 0)
        return kPeriyotGunMesaj;
    if (p.SAT_SER != QLatin1String("B") && p.SAT_SER != QLatin1String("S"))
        return QStringLiteral("Satış/Servis seçiniz.");
    if (p.ARA_TIP != QLatin1String("T") && p.ARA_TIP != QLatin1String("M"))
        return QStringLiteral("Arama Şekli seçiniz.");
    return {};
}

namespace {
void periyotYaz(const Db& db, AramaPeriyot& p)
{
    QVariantMap b{{QStringLiteral("SS"), p.SAT_SER},
                  {QStringLiteral("AT"), p.ARA_TIP},
                  {QStringLiteral("G"), p.PER_GUN},
                  {QStringLiteral("AD"), p.PER_AD.left(10)},
                  {QStringLiteral("AN"), p.ANKET_ID}};
    if (p.PER_ID > 0) {
        b.insert(QStringLiteral("ID"), p.PER_ID);
        db.exec(QStringLiteral("UPDATE PERIYOT SET SAT_SER = :SS, ARA_TIP = :AT, PER_GUN = :G, PER_AD = :AD, "
                               "ANKET_ID = :AN WHERE PER_ID = :ID"),
                b);
        return;
    }
    Query q(db, QStringLiteral("INSERT INTO PERIYOT (SAT_SER, ARA_TIP, PER_GUN, PER_AD, ANKET_ID) "
                               "VALUES (:SS, :AT, :G, :AD, :AN) RETURNING PER_ID"));
    q.bindAll(b).exec();
    if (q.next())
        p.PER_ID = q.value(0).toLongLong();
}
} // namespace

bool AramaPeriyotKaydet(const Db& db, AramaPeriyot& p)
{
    QList<AramaPeriyot> tek{p};
    if (!AramaPeriyotlariKaydet(db, tek, {}))
        return false;
    p = tek.first();
    return true;
}

bool AramaPeriyotlariKaydet(const Db& db, QList<AramaPeriyot>& satirlar, const QList<qint64>& silinenler, int* hatali)
{
    for (int i = 0; i < satirlar.size(); ++i) {
        const QString engel = AramaPeriyotEngel(satirlar[i]);
        if (!engel.isEmpty()) {
            if (hatali)
                *hatali = i;
            ShowWarning(engel);
            return false;
        }
    }
    Transaction tr(db);
    for (qint64 id : silinenler)
        AramaPeriyotSil(db, id);
    QList<AramaPeriyot> yazilan = satirlar;
    for (AramaPeriyot& p : yazilan)
        periyotYaz(db, p);
    tr.commit();
    satirlar = yazilan;
    return true;
}

void AramaPeriyotSil(const Db& db, qint64 perId)
{
    db.exec(QStringLiteral("DELETE FROM PERIYOT WHERE PER_ID = :ID"), {{QStringLiteral("ID"), perId}});
}

QString SatSerAdi(const QString& harf) { return harfAdi(kSatSer, int(std::size(kSatSer)), harf); }
QString AraTipAdi(const QString& harf) { return harfAdi(kAraTip, int(std::size(kAraTip)), harf); }
QString DurumAdi(const QString& harf) { return harfAdi(kDurum, int(std::size(kDurum)), harf); }
QString IeTipAdi(const QString& harf) { return harfAdi(kIeTip, int(std::size(kIeTip)), harf); }

QString PeriyotAdi(const QVariant& gun)
{
    if (gun.isNull())
        return {};
    switch (gun.toInt()) {
    case 3: return aramaS("3 Gün");
    case 7: return aramaS("1 Hafta");
    case 30: return aramaS("1 Ay");
    case 90: return aramaS("3 Ay");
    case 180: return aramaS("6 Ay");
    case 365: return aramaS("1 Yıl");
    case 730: return aramaS("2 Yıl");
    case 1095: return aramaS("3 Yıl");
    default: return QString::number(gun.toInt());
    }
}

int ServisAramalariYaz(const Db& db, const ServisAramaBelge& b)
{
    struct Satir {
        qint64 id;
        int gun;
    };
    QList<Satir> satirlar;
    {
        Query q(db, QStringLiteral("SELECT ARAMA_ID, PERIYOT FROM ARAMAPER WHERE MUS_TIP = 'S' AND IE_NO = :IE"));
        q.bind(QStringLiteral("IE"), b.ieNo).exec();
        while (q.next())
            satirlar << Satir{q.integer(QStringLiteral("ARAMA_ID")), int(q.integer(QStringLiteral("PERIYOT")))};
    }
    if (satirlar.isEmpty())
        return insertFromPeriods(db, b);
    for (const Satir& s : satirlar)
        db.exec(QStringLiteral("UPDATE ARAMAPER SET REF_TRH = :R, ARAMA_TRH = :A, CARI_KOD = :C WHERE ARAMA_ID = :ID"),
                {{QStringLiteral("R"), aramaGunu(b.tarih)},
                 {QStringLiteral("A"), aramaGunu(b.tarih.addDays(s.gun))},
                 {QStringLiteral("C"), b.cariKod},
                 {QStringLiteral("ID"), s.id}});
    return int(satirlar.size());
}

int ServisAramalariYenidenDuzenle(const Db& db, const ServisAramaBelge& b)
{
    Transaction tr(db);
    db.exec(QStringLiteral("DELETE FROM ARAMAPER WHERE MUS_TIP = 'S' AND IE_NO = :IE"), {{QStringLiteral("IE"), b.ieNo}});
    const int n = insertFromPeriods(db, b);
    tr.commit();
    return n;
}

ServisAramaBelge ServisAramaBelgesi(const Db& db, const QString& ieNo)
{
    ServisAramaBelge b;
    b.ieNo = ieNo;
    Query q(db, QStringLiteral("SELECT REF_TRH, CARI_KOD, SATIS_NO FROM ARAMAPER WHERE MUS_TIP = 'S' AND IE_NO = :IE "
                               "ORDER BY ARAMA_ID"));
    q.bind(QStringLiteral("IE"), ieNo).exec();
    if (q.next()) {
        b.tarih = q.date(QStringLiteral("REF_TRH"));
        b.cariKod = q.str(QStringLiteral("CARI_KOD"));
        b.satisNo = q.value(QStringLiteral("SATIS_NO"));
    }
    return b;
}

void AramaSil(const Db& db, qint64 aramaId)
{
    db.exec(QStringLiteral("DELETE FROM ARAMAPER WHERE ARAMA_ID = :ID"), {{QStringLiteral("ID"), aramaId}});
}

AramaDonem AramaDonemi(const QDate& bugun)
{
    return {bugun.dayOfWeek() == Qt::Monday ? bugun.addDays(-1) : bugun, bugun};
}

namespace {

// The conditions shared by the count and the list; `A` is ARAMAPER.
QString aramaKosul(const AramaFiltre& f)
{
    // The list keeps to its own period: a call due before it shows only when
    // the clerk moves the period back.
    QString k = QStringLiteral(" WHERE A.MUS_TIP = :MT AND A.ARAMA_TRH >= :BAS AND A.ARAMA_TRH < :BIT");
    k += f.sonuclananlar ? QStringLiteral(" AND A.DURUM IN ('A','G','R','Y','S')")
                         : QStringLiteral(" AND (A.DURUM IS NULL OR A.DURUM = '' OR A.DURUM IN ('U'))");
    if (f.sadeceMektup)
        k += QStringLiteral(" AND A.ARA_TIP = 'M'");
    return k;
}

} // namespace

QString AramaListeSql(const AramaFiltre& f)
{
    return QStringLiteral(
               "SELECT A.ARAMA_ID, A.MUS_TIP, A.ARA_TIP, A.IE_NO, I.IE_TIP, A.REF_TRH, U.ISCI_ADI AS DANISMAN, "
               "A.ARAMA_TRH, A.DURUM, A.ACIKLAMA, C.FIRMA_ADI, C.YETKILI_ADI, C.YETKILI_SOYAD, C.TEL1, C.TEL2, "
               "C.TEL3, C.ADRES_1, C.ADRES_2, C.PK, C.SEMT, C.ILI, C.FAKS, C.EMAIL, V.ARC_MODEL_KODU, MK.MODEL_AD, "
               "V.ARC_MODEL_TRH, V.SASE_NO, V.MOTOR_NO, V.PLAKA, V.ARC_RENK_KODU, A.RAP_NO, A.ANKET_ID, "
               "A.CARI_KOD, A.SATIS_NO, C.FIRMA_ADI2 "
               "FROM ARAMAPER A "
               "LEFT OUTER JOIN ISEMRI I ON I.IS_EMRI_NO = A.IE_NO "
               "LEFT OUTER JOIN ISCIUSTA U ON U.ISCI_KOD = I.ARAC_TESLIM_ALAN "
               "LEFT OUTER JOIN ARAC V ON V.SASE_NO = I.SASI_NO "
               "LEFT OUTER JOIN CARI C ON C.CARI_KOD = A.CARI_KOD "
               "LEFT OUTER JOIN MODEL M ON M.ARC_MODEL_KODU = V.ARC_MODEL_KODU "
               "LEFT OUTER JOIN MODELKOD MK ON MK.MODEL_KOD = M.MODEL") +
           aramaKosul(f) + QStringLiteral(" ORDER BY A.ARAMA_TRH, A.ARAMA_ID");
}

QVariantMap AramaListeBinds(const AramaFiltre& f)
{
    return {{QStringLiteral("MT"), f.musteriTip},
            {QStringLiteral("BAS"), aramaGunu(f.begdate)},
            {QStringLiteral("BIT"), aramaGunu(f.enddate.addDays(1))}};
}

int AramaSayisi(const Db& db, const AramaFiltre& f)
{
    Query q(db, QStringLiteral("SELECT COUNT(*) AS ARAMA_CNT FROM ARAMAPER A") + aramaKosul(f));
    q.bindAll(AramaListeBinds(f)).exec();
    return q.next() ? int(q.value(0).toLongLong()) : 0;
}

void AramaSonucYaz(const Db& db, qint64 aramaId, const QString& durum, const QVariant& rapNo)
{
    db.exec(QStringLiteral("UPDATE ARAMAPER SET DURUM = :DRM, RAP_NO = :RAP WHERE ARAMA_ID = :ID"),
            {{QStringLiteral("DRM"), durum},
             {QStringLiteral("RAP"), rapNo},
             {QStringLiteral("ID"), aramaId}});
}

} // namespace tornaly::aftersales
