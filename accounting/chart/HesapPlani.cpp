#include "accounting/chart/HesapPlani.h"

#include "accounting/transfer/MuhEntegre.h"
#include "sql/SqlHelpers.h"

namespace tornaly::accounting {

namespace {

QVariant bosIseNull(const QString& s) { return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s); }

HesapKaydi satirOku(const Query& q)
{
    HesapKaydi h;
    h.HKOD = q.str(QStringLiteral("HKOD"));
    h.HESAP_ADI = q.str(QStringLiteral("HESAP_ADI"));
    h.KEBIR = int(q.integer(QStringLiteral("KEBIR")));
    h.MUAVIN = q.str(QStringLiteral("MUAVIN"));
    h.TALI = q.str(QStringLiteral("TALI"));
    h.DETAY = q.str(QStringLiteral("DETAY"));
    h.ACIKLAMA = q.str(QStringLiteral("ACIKLAMA"));
    h.BAKIYETIP = q.str(QStringLiteral("BAKIYETIP"));
    h.BILANCOTIP = q.str(QStringLiteral("BILANCOTIP"));
    h.MASRAFM_KOD = q.str(QStringLiteral("MASRAFM_KOD"));
    h.KURFHSP_KOD = q.str(QStringLiteral("KURFHSP_KOD"));
    h.BIRIM = q.str(QStringLiteral("BIRIM"));
    return h;
}

bool onekVar(const Db& db, const QString& onek)
{
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM HSPLAN WHERE SUBSTR(HKOD, 1, :L)=:P"));
    q.bind(QStringLiteral("L"), int(onek.size())).bind(QStringLiteral("P"), onek).exec();
    return q.next() && q.value(0).toLongLong() > 0;
}

} // namespace

HesapParametreleri HesapParametreleriOku(const Db& db)
{
    HesapParametreleri p;
    Query q(db, QStringLiteral("SELECT MUAVIN_HANE, TALI_HANE, DETAY_HANE, SEVIYE, ALFADURUM, AYRAC FROM PARAMETRE"));
    q.exec();
    if (q.next()) {
        p.muavinHane = qMax(0, int(q.integer(QStringLiteral("MUAVIN_HANE"))));
        p.taliHane = qMax(0, int(q.integer(QStringLiteral("TALI_HANE"))));
        p.detayHane = qMax(0, int(q.integer(QStringLiteral("DETAY_HANE"))));
        p.seviye = q.str(QStringLiteral("SEVIYE")).trimmed();
        p.alfaDurum = q.str(QStringLiteral("ALFADURUM")).trimmed();
        p.ayrac = q.str(QStringLiteral("AYRAC"));
    }
    return p;
}

std::optional<HesapKaydi> HesapOku(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT * FROM HSPLAN WHERE HKOD=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (!q.next())
        return std::nullopt;
    return satirOku(q);
}

QString HesapParcasiniDoldur(const QString& parca, int hane)
{
    if (parca.isEmpty() || parca.size() >= hane)
        return parca;
    return QString(hane - parca.size(), QLatin1Char('0')) + parca;
}

bool HesapParcaKarakteri(QChar c, const QString& alfaDurum)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    if (alfaDurum == QLatin1String("A"))
        return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    return false;
}

std::optional<QString> BilancoTipi(int kebir)
{
    if (kebir >= 1 && kebir <= 299)
        return QStringLiteral("A");
    if (kebir >= 300 && kebir <= 599)
        return QStringLiteral("P");
    return std::nullopt;
}

QChar HesapSeviyeHarfi(const HesapKaydi& h)
{
    if (!h.DETAY.isEmpty())
        return QLatin1Char('D');
    if (!h.TALI.isEmpty())
        return QLatin1Char('T');
    if (!h.MUAVIN.isEmpty())
        return QLatin1Char('M');
    return QLatin1Char('K');
}

QString HesapKoduOlustur(const Db& db, const HesapParametreleri& p, const HesapKaydi& h)
{
    const bool m = !h.MUAVIN.isEmpty(), t = !h.TALI.isEmpty(), d = !h.DETAY.isEmpty();
    if (h.KEBIR == 0 && !m && !t && !d)
        return {};
    const QString K = QStringLiteral("%1").arg(h.KEBIR, 3, 10, QLatin1Char('0'));
    const QString& S = p.ayrac;
    QString ust, kod;
    if (h.KEBIR > 0 && !m && !t && !d)
        return K;
    if (h.KEBIR > 0 && m && !t && !d) {
        ust = K;
        kod = K + S + h.MUAVIN;
    } else if (h.KEBIR > 0 && m && t && !d) {
        ust = K + S + h.MUAVIN;
        kod = ust + S + h.TALI;
    } else if (h.KEBIR > 0 && m && t && d) {
        ust = K + S + h.MUAVIN + S + h.TALI;
        kod = ust + S + h.DETAY;
    } else {
        throw HesapHatasi(UstHesapYokText());
    }
    if (!onekVar(db, ust))
        throw HesapHatasi(UstHesapYokText());
    return kod;
}

QString HesapKaydet(const Db& db, const HesapParametreleri& p, HesapKaydi h, bool yeni)
{
    if (h.KEBIR == 0 || h.HESAP_ADI.trimmed().isEmpty())
        throw HesapHatasi(HesapAdiKebirYokText());
    if (yeni) {
        h.MUAVIN = HesapParcasiniDoldur(h.MUAVIN, p.muavinHane);
        h.TALI = HesapParcasiniDoldur(h.TALI, p.taliHane);
        h.DETAY = HesapParcasiniDoldur(h.DETAY, p.detayHane);
        h.HKOD = HesapKoduOlustur(db, p, h);
        if (h.HKOD.isEmpty())
            return {};
    }
    const QString kebir = QString::number(h.KEBIR);
    QVariantMap b{{QStringLiteral("HKOD"), h.HKOD},
                  {QStringLiteral("HESAP_ADI"), h.HESAP_ADI.left(79)},
                  {QStringLiteral("ACIKLAMA"), bosIseNull(h.ACIKLAMA.left(65))},
                  {QStringLiteral("BAKIYETIP"), bosIseNull(h.BAKIYETIP)},
                  {QStringLiteral("BILANCOTIP"), bosIseNull(h.BILANCOTIP)},
                  {QStringLiteral("MASRAFM_KOD"), bosIseNull(h.MASRAFM_KOD)},
                  {QStringLiteral("KURFHSP_KOD"), bosIseNull(h.KURFHSP_KOD)},
                  {QStringLiteral("BIRIM"), bosIseNull(h.BIRIM)}};
    try {
        if (yeni) {
            // The level parts of an existing account never change: its code is made of them.
            b.insert(QStringLiteral("HSINIF"), kebir.left(1).toInt());
            b.insert(QStringLiteral("HGRUBU"), kebir.left(2).toInt());
            b.insert(QStringLiteral("KEBIR"), h.KEBIR);
            b.insert(QStringLiteral("MUAVIN"), bosIseNull(h.MUAVIN));
            b.insert(QStringLiteral("TALI"), bosIseNull(h.TALI));
            b.insert(QStringLiteral("DETAY"), bosIseNull(h.DETAY));
            db.exec(QStringLiteral("INSERT INTO HSPLAN (HKOD, HESAP_ADI, HSINIF, HGRUBU, KEBIR, MUAVIN, TALI, DETAY, "
                                   "ACIKLAMA, BAKIYETIP, BILANCOTIP, MASRAFM_KOD, KURFHSP_KOD, BIRIM) VALUES (:HKOD, "
                                   ":HESAP_ADI, :HSINIF, :HGRUBU, :KEBIR, :MUAVIN, :TALI, :DETAY, :ACIKLAMA, "
                                   ":BAKIYETIP, :BILANCOTIP, :MASRAFM_KOD, :KURFHSP_KOD, :BIRIM)"),
                    b);
        } else {
            db.exec(QStringLiteral("UPDATE HSPLAN SET HESAP_ADI=:HESAP_ADI, ACIKLAMA=:ACIKLAMA, BAKIYETIP=:BAKIYETIP, "
                                   "BILANCOTIP=:BILANCOTIP, MASRAFM_KOD=:MASRAFM_KOD, KURFHSP_KOD=:KURFHSP_KOD, "
                                   "BIRIM=:BIRIM WHERE HKOD=:HKOD"),
                    b);
        }
    } catch (const DbError& e) {
        if (e.isUniqueViolation())
            throw HesapHatasi(AyniKodluKayitText());
        throw;
    }
    return h.HKOD;
}

bool HesapKullaniliyor(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM FISAYR WHERE HSPKODU=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    return q.next() && q.value(0).toLongLong() > 0;
}

QList<HesapKaydi> HesapListesi(const Db& db, const HesapParametreleri& p, int mod, const QString& kodBasi,
                               const QString& adBasi, bool tumu)
{
    QString sql = QStringLiteral("SELECT * FROM HSPLAN WHERE MUAVIN IS NOT NULL AND MUAVIN<>''");
    if (mod == 1 && p.seviye == QLatin1String("T"))
        sql += QStringLiteral(" AND TALI IS NOT NULL AND TALI<>''");
    if (mod == 1 && p.seviye == QLatin1String("D"))
        sql += QStringLiteral(" AND DETAY IS NOT NULL AND DETAY<>''");
    QVariantMap b;
    if (!tumu && !kodBasi.isEmpty()) {
        sql += QStringLiteral(" AND SUBSTR(HKOD, 1, :L)=:P ORDER BY HKOD");
        b = {{QStringLiteral("L"), int(kodBasi.size())}, {QStringLiteral("P"), kodBasi}};
    } else if (!tumu && !adBasi.isEmpty()) {
        sql += QStringLiteral(" AND ") + db.dialect().ciLike(QStringLiteral("HESAP_ADI"), QStringLiteral("A")) +
               QStringLiteral(" ORDER BY KEBIR, HESAP_ADI");
        b = {{QStringLiteral("A"), Dialect::escapeLike(adBasi) + QLatin1Char('%')}};
    } else {
        sql += QStringLiteral(" ORDER BY HKOD");
    }
    Query q(db, sql);
    q.bindAll(b).exec();
    QList<HesapKaydi> out;
    while (q.next())
        out << satirOku(q);
    return out;
}

HesapBakiyesi HesapBakiyesiOku(const Db& db, const QString& kod)
{
    HesapBakiyesi b;
    // A range on the code, over an index holding the amounts: the picker reads it on every row move.
    QVariantMap binds;
    Query q(db, QStringLiteral("SELECT SUM(BORC), SUM(ALACAK) FROM FISAYR WHERE ")
                    + PrefixCondition(db, QStringLiteral("HSPKODU"), kod, QStringLiteral("K"), binds));
    q.bindAll(binds).exec();
    if (q.next()) {
        b.borc = q.value(0).toDouble();
        b.alacak = q.value(1).toDouble();
    }
    const double fark = b.borc - b.alacak;
    if (qRound64(fark * 100) == 0)
        b.bakiyeMetni = QStringLiteral("-");
    else if (fark > 0)
        b.bakiyeMetni = SayiMetni(fark) + QStringLiteral(" (Borç)");
    else
        b.bakiyeMetni = SayiMetni(-fark) + QStringLiteral(" (Alacak)");
    return b;
}

QList<HesapAyi> HesapAylik(const Db& db, const QString& kod)
{
    QList<HesapAyi> aylar(12);
    QVariantMap binds;
    Query q(db, QStringLiteral("SELECT AY, SUM(BORC), SUM(ALACAK), "
                               "SUM(CASE WHEN BORC>0 THEN MIKTAR ELSE 0 END), "
                               "SUM(CASE WHEN ALACAK>0 THEN MIKTAR ELSE 0 END) "
                               "FROM FISAYR WHERE ")
                    + PrefixCondition(db, QStringLiteral("HSPKODU"), kod, QStringLiteral("K"), binds)
                    + QStringLiteral(" GROUP BY AY"));
    q.bindAll(binds).exec();
    while (q.next()) {
        const int ay = q.value(0).toInt();
        if (ay < 1 || ay > 12)
            continue;
        aylar[ay - 1] = {q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toDouble(), q.value(4).toDouble()};
    }
    return aylar;
}

} // namespace tornaly::accounting
