#include "accounting/transfer/MuhKayitlari.h"

#include "context/SessionContext.h"

namespace tornaly::accounting {

namespace {

// One slip row with the accounts its card gives.
struct MasrafSatiri {
    QString tip, kod, aciklama1, aciklama2, karsi;
    double borc = 0, alacak = 0, kdvTut = 0, isin = 0, vergi = 0;
    QString muhA, muhS, kdvA, kdvS; // card accounts (muhA also the account of K, C, P and B rows)
};

QString masrafKodu(const Query& q, const char* kolon) { return q.str(QLatin1String(kolon)).trimmed(); }

} // namespace

MuhHazirlik MuhMasrafKayit(const SessionContext&, const Db& db, double no)
{
    MuhHazirlik h(QLatin1Char('X'), false, no);
    h.kaynak = *KaynakBelgesi(QLatin1Char('X'));
    Query bas(db, QStringLiteral("SELECT TARIH, TIP, FIS_NO FROM FISG WHERE HRK_NO=:N"));
    bas.bind(QStringLiteral("N"), no).exec();
    if (!bas.next())
        return h;
    h.bulundu = true;
    const double eskiFisNo = bas.num(QStringLiteral("FIS_NO"));
    const QString tip = bas.str(QStringLiteral("TIP"));
    auto& fis = h.olusturucu.fis;
    fis.TARIH = bas.date(QStringLiteral("TARIH"));
    bas.finish();
    // A voucher another document owns is never rebuilt from this slip.
    if (eskiFisNo > 0) {
        Query f(db, QStringLiteral("SELECT ENT_REF_NO FROM FIS WHERE FISNO=:F"));
        f.bind(QStringLiteral("F"), eskiFisNo).exec();
        if (f.next() && qRound64(f.num(QStringLiteral("ENT_REF_NO"))) != qRound64(no)) {
            h.eksikKod = true;
            h.uyari = QStringLiteral("İlgili Muhasebe Fişi üzerinde değişiklik yapılamaz!");
            return h;
        }
    }
    fis.ENT_TIP = QLatin1Char('M');
    QString baslik;
    if (tip == QLatin1String("A") || tip == QLatin1String("M")) {
        baslik = QStringLiteral("Tediye");
        fis.TUR = QLatin1Char('E');
        fis.BELGENO = QString::number(qRound64(no));
        fis.BELGE_TUR = QStringLiteral("MF");
    } else if (tip == QLatin1String("N")) {
        baslik = QStringLiteral("Tahsil");
        fis.TUR = QLatin1Char('C');
        fis.BELGENO = QString::number(qRound64(no));
        fis.BELGE_TUR = QStringLiteral("KS");
    } else if (tip == QLatin1String("V")) {
        baslik = QStringLiteral("Mahsup");
        fis.TUR = QLatin1Char('M');
    }
    fis.ACIKLAMA = SayiMetni(no) + QStringLiteral(" No.lu Kasa ") + baslik + QStringLiteral(" Fişi");

    Query q(db, QStringLiteral(
                    "SELECT A.TIP, A.KOD, A.ACIKLAMA1, A.ACIKLAMA2, A.MUH_KARSI, A.BORC, A.ALACAK, A.KDV_TUT, "
                    "A.ISIN_TUTARI, A.VERGI_TUTARI, K.MUH_KOD AS KASA_MUH, C.MUH_KOD AS CARI_MUH, "
                    "F.MUH_A AS FRT_A, F.MUH_S AS FRT_S, S.MUH_A AS STOK_A, S.MUH_S AS STOK_S, "
                    "VF.MUH_KDV_A AS F_KDV_A, VF.MUH_KDV_S AS F_KDV_S, VS.MUH_KDV_A AS S_KDV_A, "
                    "VS.MUH_KDV_S AS S_KDV_S, VP.MUH_KDV_A AS P_KDV_A, VP.MUH_KDV_S AS P_KDV_S "
                    "FROM FISGA A "
                    "LEFT JOIN KASA K ON A.TIP='K' AND K.KASAKOD=A.KOD "
                    "LEFT JOIN CARI C ON A.TIP IN ('C', 'P') AND C.CARI_KOD=A.KOD "
                    "LEFT JOIN FRT F ON A.TIP IN ('M', 'G') AND F.FRT_KODU=A.KOD AND F.MODEL_KODU="
                    "(SELECT MAX(F2.MODEL_KODU) FROM FRT F2 WHERE F2.FRT_KODU=A.KOD) "
                    "LEFT JOIN STOK S ON A.TIP='S' AND S.STOK_NO=A.STOK_NO "
                    "LEFT JOIN MUHKDVAYR VF ON VF.MUHKDV_KOD=F.MUH_KDV_A AND VF.KDV=A.KDV "
                    "LEFT JOIN MUHKDVAYR VS ON VS.MUHKDV_KOD=S.MUH_KDV_A AND VS.KDV=A.KDV "
                    "LEFT JOIN PARAFAT P ON A.TIP IN ('C', 'P') "
                    "LEFT JOIN MUHKDVAYR VP ON VP.MUHKDV_KOD=P.MUH_KDV_A AND VP.KDV=A.KDV "
                    "WHERE A.HRK_NO=:N ORDER BY A.SIRA_NO"));
    q.bind(QStringLiteral("N"), no).exec();
    QList<MasrafSatiri> satirlar;
    while (q.next()) {
        MasrafSatiri s;
        s.tip = q.str(QStringLiteral("TIP"));
        s.kod = q.str(QStringLiteral("KOD"));
        s.aciklama1 = q.str(QStringLiteral("ACIKLAMA1"));
        s.aciklama2 = q.str(QStringLiteral("ACIKLAMA2"));
        s.karsi = masrafKodu(q, "MUH_KARSI");
        s.borc = q.num(QStringLiteral("BORC"));
        s.alacak = q.num(QStringLiteral("ALACAK"));
        s.kdvTut = q.num(QStringLiteral("KDV_TUT"));
        s.isin = q.num(QStringLiteral("ISIN_TUTARI"));
        s.vergi = q.num(QStringLiteral("VERGI_TUTARI"));
        if (s.tip == QLatin1String("K")) {
            s.muhA = s.karsi.isEmpty() ? masrafKodu(q, "KASA_MUH") : s.karsi;
        } else if (s.tip == QLatin1String("M") || s.tip == QLatin1String("G")) {
            s.muhA = masrafKodu(q, "FRT_A");
            s.muhS = masrafKodu(q, "FRT_S");
            s.kdvA = masrafKodu(q, "F_KDV_A");
            s.kdvS = masrafKodu(q, "F_KDV_S");
        } else if (s.tip == QLatin1String("S")) {
            s.muhA = masrafKodu(q, "STOK_A");
            s.muhS = masrafKodu(q, "STOK_S");
            s.kdvA = masrafKodu(q, "S_KDV_A");
            s.kdvS = masrafKodu(q, "S_KDV_S");
        } else if (s.tip == QLatin1String("C") || s.tip == QLatin1String("P")) {
            s.muhA = s.karsi.isEmpty() ? masrafKodu(q, "CARI_MUH") : s.karsi;
            s.kdvA = masrafKodu(q, "P_KDV_A");
            s.kdvS = masrafKodu(q, "P_KDV_S");
        } else if (s.tip == QLatin1String("B")) {
            s.muhA = s.karsi;
        }
        satirlar << s;
    }
    auto& o = h.olusturucu;
    const QChar B = QLatin1Char('B'), A = QLatin1Char('A');
    const auto turdeki = [&](const QStringList& turler, const std::function<void(const MasrafSatiri&, const QString&)>& f) {
        for (const auto& s : satirlar)
            if (turler.contains(s.tip))
                f(s, s.kod + QStringLiteral(" ") + s.aciklama1 + QStringLiteral(" ") + s.aciklama2);
    };
    turdeki({QStringLiteral("K")}, [&](const MasrafSatiri& s, const QString& d) {
        if (s.alacak > 0)
            o.AyrHesapGir(s.muhA, s.alacak, A, d);
        else if (s.borc > 0)
            o.AyrHesapGir(s.muhA, s.borc, B, d);
    });
    // Expenses, stock and bank rows: the net amount to the card (or the row's
    // own counter account), the VAT to the account of its rate.
    const auto netVeKdv = [&](const MasrafSatiri& s, const QString& d, const QString& alis, const QString& satis) {
        if (s.borc > 0) {
            o.AyrHesapGir(alis, (s.tip == QLatin1String("G") ? s.isin : s.borc) - s.kdvTut, B, d + QStringLiteral(" Alış"));
            if (s.kdvTut > 0)
                o.AyrHesapGir(s.kdvA, s.kdvTut, B, d + QStringLiteral(" Alış KDV"));
        } else if (s.alacak > 0) {
            o.AyrHesapGir(satis, (s.tip == QLatin1String("G") ? s.isin : s.alacak) - s.kdvTut, A, d + QStringLiteral(" Satış"));
            if (s.kdvTut > 0)
                o.AyrHesapGir(s.kdvS, s.kdvTut, A, d + QStringLiteral(" Satış KDV"));
        }
    };
    turdeki({QStringLiteral("M")}, [&](const MasrafSatiri& s, const QString& d) {
        netVeKdv(s, d, s.karsi.isEmpty() ? s.muhA : s.karsi, s.karsi.isEmpty() ? s.muhS : s.karsi);
    });
    turdeki({QStringLiteral("G")}, [&](const MasrafSatiri& s, const QString& d) {
        netVeKdv(s, d, s.muhA, s.muhS);
        if (!s.karsi.isEmpty() && s.vergi != 0)
            o.AyrHesapGir(s.karsi, s.vergi, A, d + QStringLiteral(" Vergi"));
    });
    turdeki({QStringLiteral("B")}, [&](const MasrafSatiri& s, const QString& d) { netVeKdv(s, d, s.muhA, s.muhA); });
    turdeki({QStringLiteral("S")}, [&](const MasrafSatiri& s, const QString& d) {
        netVeKdv(s, d, s.karsi.isEmpty() ? s.muhA : s.karsi, s.karsi.isEmpty() ? s.muhS : s.karsi);
    });
    turdeki({QStringLiteral("C"), QStringLiteral("P")}, [&](const MasrafSatiri& s, const QString& d) {
        if (s.alacak > 0) {
            o.AyrHesapGir(s.muhA, s.alacak - s.kdvTut, A, d + QStringLiteral(" Tahsilatı"));
            if (s.kdvTut > 0)
                o.AyrHesapGir(s.kdvS, s.kdvTut, A, d + QStringLiteral(" Satış KDV"));
        } else if (s.borc > 0) {
            o.AyrHesapGir(s.muhA, s.borc - s.kdvTut, B, d + QStringLiteral(" Ödemesi"));
            if (s.kdvTut > 0)
                o.AyrHesapGir(s.kdvA, s.kdvTut, B, d + QStringLiteral(" Alış KDV"));
        }
    });
    // An empty code does not stop the builder here: the voucher's save check
    // refuses it with its own message.
    o.HalaEksikMuhKodVar = false;
    return h;
}

} // namespace tornaly::accounting
