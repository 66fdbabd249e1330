#include "accounting/transfer/MuhKayitlari.h"

#include "context/SessionContext.h"
#include "messages/Messages.h"

namespace tornaly::accounting {

namespace {

QString kod(const Query& q, const QString& kolon) { return q.str(kolon).trimmed(); }
QChar ilkHarf(const QString& s) { return s.isEmpty() ? QChar() : s.at(0); }

QString cariBaslik(QChar tip)
{
    switch (tip.unicode()) {
    case 'D': return QStringLiteral("Dekont");
    case 'E': return QStringLiteral("Senet");
    case 'G': return QStringLiteral("Gelen Havaleler");
    case 'H': return QStringLiteral("Gönderilen Havaleler");
    case 'I': return QStringLiteral("İlk Açılış");
    case 'N': return QStringLiteral("Nakit");
    case 'V': return QStringLiteral("Virman");
    case 0x00C7: return QStringLiteral("Çek");
    default: return {};
    }
}

QString bankaBaslik(QChar tip)
{
    switch (tip.unicode()) {
    case 'A': return QStringLiteral("Açılış");
    case 'E': return QStringLiteral("Teminat Senetleri");
    case 'G': return QStringLiteral("Gelen Havaleler");
    case 'H': return QStringLiteral("Gönderilen Havaleler");
    case 'I': return QStringLiteral("Banka-Kasa İşlemleri");
    case 'K': return QStringLiteral("Kredi Kartı İşlemleri");
    case 'M': return QStringLiteral("Diğer Banka İşlemleri");
    case 'R': return QStringLiteral("Kredi Kartı Transferi");
    case 'T': return QStringLiteral("Teminat Çekleri");
    case 'V': return QStringLiteral("Banka Virman");
    default: return {};
    }
}

QString kasaBaslik(QChar tip)
{
    switch (tip.unicode()) {
    case 'A': return QStringLiteral("Kasa Açılış (Alacak)");
    case 'B': return QStringLiteral("Kasa Virman (Borç)");
    case 'I': return QStringLiteral("Kasa Açılış (Borç)");
    case 'V': return QStringLiteral("Kasa Virman (Alacak)");
    default: return {};
    }
}

const QChar B = QLatin1Char('B');
const QChar A = QLatin1Char('A');

} // namespace

std::optional<KaynakBelge> KaynakBelgesi(QChar tip)
{
    switch (tip.unicode()) {
    case 'C': return KaynakBelge{QStringLiteral("CARIHRKM"), QStringLiteral("CARI_NO=:N")};
    case 'B': return KaynakBelge{QStringLiteral("BANKHRK"), QStringLiteral("HRK_NO=:N")};
    case 'P': return KaynakBelge{QStringLiteral("KASAHRKT"), QStringLiteral("HRKNO=:N AND REF_TIP='w'")};
    case 'I': return KaynakBelge{QStringLiteral("SERFAT"), QStringLiteral("SATIS_NO=:N")};
    // The slip posts as X and marks its voucher M.
    case 'X':
    case 'M': return KaynakBelge{QStringLiteral("FISG"), QStringLiteral("HRK_NO=:N")};
    default: return std::nullopt;
    }
}

MuhHazirlik MuhCariKayit(const SessionContext&, const Db& db, double no)
{
    MuhHazirlik h(QLatin1Char('C'), false, no);
    h.kaynak = *KaynakBelgesi(QLatin1Char('C'));
    Query bas(db, QStringLiteral("SELECT TARIH, TIP FROM CARIHRKM WHERE CARI_NO=:N"));
    bas.bind(QStringLiteral("N"), no).exec();
    if (!bas.next())
        return h;
    h.bulundu = true;
    const QChar tip = ilkHarf(bas.str(QStringLiteral("TIP")));
    const bool nakit = tip == QLatin1Char('N');
    const QString baslik = cariBaslik(tip);
    const QString noMetni = SayiMetni(no);
    auto& fis = h.olusturucu.fis;
    fis.TARIH = bas.date(QStringLiteral("TARIH"));
    fis.TUR = QLatin1Char('M');
    fis.ACIKLAMA = noMetni + QStringLiteral(" No.lu Cari Hrk. ") + baslik + QStringLiteral(" Fişi");
    if (nakit) {
        fis.BELGE_TUR = QStringLiteral("CR");
        fis.BELGENO = QString::number(qRound64(no));
    }
    Query q(db, QStringLiteral("SELECT H.SIRANO, H.ALACAK, H.BORC, H.ACIKLAMA, C.MUH_KOD, C.FIRMA_ADI, "
                               "K.MUH_KOD AS KASA_MUH_KOD FROM CARIHRK H "
                               "LEFT JOIN CARI C ON C.CARI_KOD=H.CARI_KOD "
                               "LEFT JOIN KASA K ON K.KASAKOD=H.KASAKOD "
                               "WHERE H.CARI_NO=:N ORDER BY H.SIRANO"));
    q.bind(QStringLiteral("N"), no).exec();
    struct Satir { QString muh, kasa, aciklama; double alacak, borc; };
    QList<Satir> satirlar;
    while (q.next()) {
        Satir s{kod(q, QStringLiteral("MUH_KOD")), kod(q, QStringLiteral("KASA_MUH_KOD")),
                q.str(QStringLiteral("ACIKLAMA")), q.num(QStringLiteral("ALACAK")), q.num(QStringLiteral("BORC"))};
        if (s.aciklama.isEmpty())
            s.aciklama = q.str(QStringLiteral("FIRMA_ADI"));
        if (bosKod(s.muh) || (nakit && bosKod(s.kasa)))
            h.eksikKod = true;
        satirlar << s;
    }
    if (h.eksikKod)
        return h;
    for (const auto& s : satirlar) {
        const QString r = noMetni + QStringLiteral(" Ref. ") + baslik + QStringLiteral(" ") + s.aciklama;
        if (!nakit) {
            if (s.alacak > 0)
                h.olusturucu.AyrHesapGir(s.muh, s.alacak, A, r);
            if (s.borc > 0)
                h.olusturucu.AyrHesapGir(s.muh, s.borc, B, r);
            continue;
        }
        if (s.alacak > 0) {
            h.olusturucu.AyrHesapGir(s.muh, s.alacak, A, r);
            h.olusturucu.AyrHesapGir(s.kasa, s.alacak, B, r);
            fis.TUR = QLatin1Char('C');
            fis.ACIKLAMA = noMetni + QStringLiteral(" No.lu Cari Hrk.Fişi Nakit Tahsilat");
        }
        if (s.borc > 0) {
            h.olusturucu.AyrHesapGir(s.muh, s.borc, B, r);
            h.olusturucu.AyrHesapGir(s.kasa, s.borc, A, r);
            fis.TUR = QLatin1Char('E');
            fis.ACIKLAMA = noMetni + QStringLiteral(" No.lu Cari Hrk.Fişi Nakit Ödeme");
        }
    }
    return h;
}

MuhHazirlik MuhBankaKayit(const SessionContext&, const Db& db, double no, bool birlestir)
{
    MuhHazirlik h(QLatin1Char('B'), birlestir, no);
    h.kaynak = *KaynakBelgesi(QLatin1Char('B'));
    Query bas(db, QStringLiteral("SELECT TARIH, TIP FROM BANKHRK WHERE HRK_NO=:N"));
    bas.bind(QStringLiteral("N"), no).exec();
    if (!bas.next())
        return h;
    h.bulundu = true;
    const QChar tip = ilkHarf(bas.str(QStringLiteral("TIP")));
    const QString noMetni = SayiMetni(no);
    const QString H = noMetni + QStringLiteral(" No.lu Banka Hrk.") + bankaBaslik(tip) + QStringLiteral(" ");
    auto& fis = h.olusturucu.fis;
    fis.TARIH = bas.date(QStringLiteral("TARIH"));
    fis.TUR = QLatin1Char('M');
    fis.BELGE_TUR = QStringLiteral("BN");
    fis.BELGENO = QString::number(qRound64(no));
    fis.ACIKLAMA = H;

    Query q(db, QStringLiteral("SELECT A.SIRANO, A.ALACAK, A.BORC, A.ACIKLAMA, A.BELGE_NO, A.MUH_KARSI, A.KOMISYON, "
                               "B.MUH_CHES AS B_MUH_CHES, B.MUH_KOMISYON, C.MUH_KOD AS C_MUH_KOD, "
                               "K.MUH_KOD AS KASA_MUH_KOD FROM BANKHRKA A "
                               "LEFT JOIN BANKAYR B ON B.BANKA_KOD=A.BANKA_KOD AND B.HESAP_NO=A.HESAP_NO "
                               "LEFT JOIN CARI C ON C.CARI_KOD=A.CARI_KOD "
                               "LEFT JOIN KASA K ON K.KASAKOD=A.KASAKOD "
                               "WHERE A.HRK_NO=:N ORDER BY A.SIRANO"));
    q.bind(QStringLiteral("N"), no).exec();
    struct Satir {
        double sira, alacak, borc, komisyon;
        QString aciklama, belgeNo, karsi, banka, komisyonHsp, cari, kasa;
    };
    QList<Satir> satirlar;
    while (q.next()) {
        Satir s{q.num(QStringLiteral("SIRANO")), q.num(QStringLiteral("ALACAK")), q.num(QStringLiteral("BORC")),
                q.num(QStringLiteral("KOMISYON")), q.str(QStringLiteral("ACIKLAMA")), q.str(QStringLiteral("BELGE_NO")),
                kod(q, QStringLiteral("MUH_KARSI")), kod(q, QStringLiteral("B_MUH_CHES")),
                kod(q, QStringLiteral("MUH_KOMISYON")), kod(q, QStringLiteral("C_MUH_KOD")),
                kod(q, QStringLiteral("KASA_MUH_KOD"))};
        switch (tip.unicode()) {
        case 'R': h.eksikKod |= bosKod(s.komisyonHsp); break;
        case 'G':
        case 'H':
        case 'K': h.eksikKod |= bosKod(s.banka) || bosKod(s.cari); break;
        case 'I': h.eksikKod |= bosKod(s.kasa); break;
        default: h.eksikKod |= bosKod(s.banka); break;
        }
        satirlar << s;
    }
    if (h.eksikKod)
        return h;
    auto& o = h.olusturucu;
    for (const auto& s : satirlar) {
        const QString satirNo = SayiMetni(s.sira) + QStringLiteral(" No.lu Satır");
        const QString r = s.aciklama.isEmpty() ? H + satirNo : s.aciklama;
        switch (tip.unicode()) {
        case 'G':
            o.AyrHesapGir(s.banka, s.borc, B, r, s.belgeNo);
            o.AyrHesapGir(s.cari, s.borc, A, r, s.belgeNo);
            break;
        case 'H':
            o.AyrHesapGir(s.banka, s.alacak, A, r, s.belgeNo);
            o.AyrHesapGir(s.cari, s.alacak, B, r, s.belgeNo);
            break;
        case 'K':
            if (s.borc > 0 && s.alacak == 0) {
                o.AyrHesapGir(s.banka, s.borc, B, r, s.belgeNo);
                o.AyrHesapGir(s.cari, s.borc, A, r, s.belgeNo);
            } else if (s.alacak > 0 && s.borc == 0) {
                o.AyrHesapGir(s.banka, s.alacak, A, r, s.belgeNo);
                o.AyrHesapGir(s.cari, s.alacak, B, r, s.belgeNo);
            }
            break;
        case 'V':
        case 'R':
        case 'M':
            for (const auto& [tutar, yan, karsiYan] : {std::tuple{s.alacak, A, B}, std::tuple{s.borc, B, A}}) {
                if (tutar <= 0)
                    continue;
                if (tip == QLatin1Char('R')) {
                    // The commission part and the bank part are computed from one
                    // exact amount so that they add up to the row.
                    const MuhTutar tum = MuhTutar::fromDouble(tutar);
                    const MuhTutar kom = MuhTutar::fromDouble(tutar * s.komisyon / 100.0);
                    if (s.komisyon > 0)
                        o.AyrHesapGir(s.komisyonHsp, kom, yan, r, s.belgeNo);
                    o.AyrHesapGir(s.banka, s.komisyon > 0 ? tum - kom : tum, yan, r, s.belgeNo);
                } else {
                    o.AyrHesapGir(s.banka, tutar, yan, r, s.belgeNo);
                    if (tip == QLatin1Char('M'))
                        o.AyrHesapGir(s.karsi, tutar, karsiYan, r, s.belgeNo);
                }
            }
            break;
        case 'I':
            if (s.alacak > 0) {
                o.AyrHesapGir(s.kasa, s.alacak, B, H, s.belgeNo);
                o.AyrHesapGir(s.banka, s.alacak, A, H + satirNo, s.belgeNo);
                fis.TUR = QLatin1Char('C');
            }
            if (s.borc > 0) {
                o.AyrHesapGir(s.kasa, s.borc, A, H, s.belgeNo);
                o.AyrHesapGir(s.banka, s.borc, B, H + satirNo, s.belgeNo);
                fis.TUR = QLatin1Char('E');
            }
            break;
        default:
            break;
        }
    }
    return h;
}

MuhHazirlik MuhKasaKayit(const SessionContext&, const Db& db, double no)
{
    MuhHazirlik h(QLatin1Char('P'), false, no);
    h.kaynak = *KaynakBelgesi(QLatin1Char('P'));
    // A transfer between boxes is stored as two rows; the one of kind "B"
    // (SIRANO 0) is read, both give the same voucher.
    Query q(db, QStringLiteral("SELECT T.TARIH, T.HRK_TURU, T.TUTAR, T.BELGE_NO, T.KARSIKOD, K.MUH_KOD, "
                               "KK.MUH_KOD AS KARSI_MUH_KOD FROM KASAHRKT T "
                               "LEFT JOIN KASA K ON K.KASAKOD=T.KASAKOD "
                               "LEFT JOIN KASA KK ON KK.KASAKOD=T.KARSIKOD "
                               "WHERE T.HRKNO=:N AND T.REF_TIP='w' ORDER BY T.SIRANO DESC"));
    q.bind(QStringLiteral("N"), no).exec();
    if (!q.next())
        return h;
    h.bulundu = true;
    const QChar tur = ilkHarf(q.str(QStringLiteral("HRK_TURU")));
    const bool virman = tur == QLatin1Char('B') || tur == QLatin1Char('V');
    const QString kasa = kod(q, QStringLiteral("MUH_KOD"));
    const QString karsi = kod(q, QStringLiteral("KARSI_MUH_KOD"));
    // Openings have no counter box; only a transfer needs its account.
    if (bosKod(kasa) || (virman && bosKod(karsi))) {
        h.eksikKod = true;
        return h;
    }
    const QString noMetni = SayiMetni(no);
    auto& fis = h.olusturucu.fis;
    fis.TARIH = q.date(QStringLiteral("TARIH"));
    fis.TUR = QLatin1Char('M');
    fis.ACIKLAMA = noMetni + QStringLiteral(" No.lu Kasa Hrk.Fişi");
    fis.BELGE_TUR = QStringLiteral("KS");
    fis.BELGENO = q.str(QStringLiteral("BELGE_NO"));
    if (fis.BELGENO.isEmpty())
        fis.BELGENO = QString::number(qRound64(no));
    const QString r = noMetni + QStringLiteral(" Ref ") + kasaBaslik(tur);
    const double tutar = q.num(QStringLiteral("TUTAR"));
    if (tur == QLatin1Char('B')) {
        h.olusturucu.AyrHesapGir(kasa, tutar, B, r);
        h.olusturucu.AyrHesapGir(karsi, tutar, A, r);
    } else if (tur == QLatin1Char('V')) {
        h.olusturucu.AyrHesapGir(kasa, tutar, A, r);
        h.olusturucu.AyrHesapGir(karsi, tutar, B, r);
    }
    return h;
}

} // namespace tornaly::accounting
