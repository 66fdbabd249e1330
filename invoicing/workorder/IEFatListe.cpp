#include "util/Utf8.h"
#include "invoicing/workorder/IEFatListe.h"
#include "context/SessionContext.h"
#include "db/Dialect.h"
#include "invoicing/workorder/IEFatura.h"

namespace tornaly::invoicing {

namespace {
using text::S;
} // namespace

QList<IEFatListeSatiri> IEFatListe(const SessionContext& ctx, const Db& db, const IEFatListeFiltre& f)
{
    QString odenen = S("SELECT REF_NO, SUM(ALACAK) AS T FROM CARIHRK WHERE REF_TIP = 'I' GROUP BY REF_NO");
    if (db.dialect().tableExists(db, S("BANKHRK")))
        odenen += S(" UNION ALL SELECT REF_NO, SUM(BORC) AS T FROM BANKHRK WHERE REF_TIP = 'I' GROUP BY REF_NO");
    if (db.dialect().tableExists(db, S("CSBORDRO")))
        odenen += S(" UNION ALL SELECT REF_NO, SUM(TUTAR_T) AS T FROM CSBORDRO WHERE REF_TIP = 'I' GROUP BY REF_NO");
    QString sql = S("SELECT F.SATIS_NO, F.FAT_NO, F.FAT_TUR, F.IS_EMRI_NO, F.CARI_KOD, F.CARI_AD, F.ODE_TIP, F.TARIH, "
                    "F.TOPLAM_TUTAR, F.KDV_TUTARI, F.NET_TUTAR, F.FIS_NO, F.EF_STATU, F.SAAT, F.IE_TIP, F.VADE_TRH, F.FYILI, "
                    "O.ODENEN "
                    "FROM SERFAT F LEFT JOIN (SELECT REF_NO, SUM(T) AS ODENEN FROM (") +
                  odenen + S(") P GROUP BY REF_NO) O ON O.REF_NO = F.SATIS_NO WHERE F.SATIS_NO >= 0");
    QVariantMap b;
    if (!f.satisNo.trimmed().isEmpty()) {
        bool ok = false;
        const double no = f.satisNo.trimmed().toDouble(&ok);
        if (!ok)
            return {};
        sql += S(" AND F.SATIS_NO >= :SN");
        b.insert(S("SN"), no);
    }
    const auto basliyor = [&](const QString& kolon, const QString& deger, const char* ad) {
        if (deger.trimmed().isEmpty())
            return;
        sql += S(" AND ") + db.dialect().ciLike(kolon, S(ad));
        b.insert(S(ad), Dialect::escapeLike(deger.trimmed()) + QLatin1Char('%'));
    };
    basliyor(S("F.FAT_NO"), f.fatNo, "FN");
    basliyor(S("F.IS_EMRI_NO"), f.isEmriNo, "IE");
    if (!f.cariKodAdi.trimmed().isEmpty()) {
        sql += S(" AND (F.CARI_KOD = :CKA OR ") + db.dialect().ciLike(S("F.CARI_AD"), S("CAD")) + S(")");
        b.insert(S("CKA"), f.cariKodAdi.trimmed());
        b.insert(S("CAD"), QLatin1Char('%') + Dialect::escapeLike(f.cariKodAdi.trimmed()) + QLatin1Char('%'));
    }
    if (!f.plaka.trimmed().isEmpty()) {
        sql += S(" AND F.SATIS_NO IN (SELECT D.SATIS_NO FROM SERFATDT D JOIN ISEMRI I ON I.IS_EMRI_NO = D.IENO WHERE ") +
               db.dialect().ciLike(S("I.PLAKA_NO"), S("PL")) + S(")");
        b.insert(S("PL"), Dialect::escapeLike(f.plaka.trimmed()));
    }
    if (const QStringList& gizli = f.gizliGruplar; !gizli.isEmpty()) {
        QStringList adlar;
        for (int i = 0; i < gizli.size(); ++i) {
            adlar << S(":GG%1").arg(i);
            b.insert(S("GG%1").arg(i), gizli[i]);
        }
        sql += S(" AND F.CARI_KOD NOT IN (SELECT CARI_KOD FROM CARI WHERE CARI_GRP_KOD IN (") + adlar.join(S(", ")) +
               S("))");
    }
    if (!f.cariKod.trimmed().isEmpty()) {
        sql += S(" AND F.CARI_KOD = :CK");
        b.insert(S("CK"), f.cariKod.trimmed());
    }
    switch (f.fatTur) {
    case 1: sql += S(" AND (F.FAT_TUR = 'I' OR F.FAT_TUR IS NULL)"); break;
    case 2: sql += S(" AND F.FAT_TUR = 'E'"); break;
    case 3: sql += S(" AND F.FAT_TUR = 'G'"); break;
    case 4: sql += S(" AND F.FAT_TUR = 'D'"); break;
    default: break;
    }
    if (f.muhasebe == 1)
        sql += S(" AND F.FIS_NO IS NOT NULL");
    else if (f.muhasebe == 2)
        sql += S(" AND F.FIS_NO IS NULL");
    if (f.dokum == 1)
        sql += S(" AND F.STATU = 1");
    else if (f.dokum == 2)
        sql += S(" AND (F.STATU = 0 OR F.STATU IS NULL)");
    // Whole days: from the first day's start to before the day after the last.
    if (f.ilkTarih.isValid()) {
        sql += S(" AND F.TARIH >= :T1");
        b.insert(S("T1"), QDateTime(f.ilkTarih, QTime(0, 0)));
    }
    if (f.sonTarih.isValid()) {
        sql += S(" AND F.TARIH < :T2");
        b.insert(S("T2"), QDateTime(f.sonTarih.addDays(1), QTime(0, 0)));
    }
    if (ctx.AktifKullanici.diger27 != QLatin1String("H")) {
        sql += S(" AND F.PER_KOD = :PK");
        b.insert(S("PK"), ctx.AktifKullanici.per_kod);
    }
    sql += S(" ORDER BY F.SATIS_NO DESC");
    Query q(db, sql);
    q.bindAll(b).exec();
    QList<IEFatListeSatiri> r;
    while (q.next()) {
        IEFatListeSatiri s;
        s.SATIS_NO = q.num(S("SATIS_NO"));
        s.FAT_NO = q.str(S("FAT_NO"));
        s.FAT_TUR = q.str(S("FAT_TUR"));
        s.IS_EMRI_NO = q.str(S("IS_EMRI_NO"));
        s.CARI_KOD = q.str(S("CARI_KOD"));
        s.CARI_AD = q.str(S("CARI_AD"));
        s.ODE_TIP = q.str(S("ODE_TIP"));
        s.TARIH = q.date(S("TARIH"));
        s.SAAT = q.dateTime(S("SAAT")).time();
        s.IE_TIP = q.str(S("IE_TIP"));
        s.VADE_TRH = q.date(S("VADE_TRH"));
        s.FYILI = int(q.num(S("FYILI")));
        s.TOPLAM_TUTAR = q.num(S("TOPLAM_TUTAR"));
        s.KDV_TUTARI = q.num(S("KDV_TUTARI"));
        s.NET_TUTAR = q.num(S("NET_TUTAR"));
        s.muhasebelesmis = !q.isNull(S("FIS_NO"));
        s.EF_STATU = int(q.num(S("EF_STATU")));
        s.ODEMEDRM = OdemeDurumu(q.num(S("ODENEN")), s.NET_TUTAR);
        r << s;
    }
    return r;
}

QString OdemeTipiMetni(const QString& harf)
{
    if (harf == QLatin1String("A"))
        return S("Açık Hesap");
    if (harf == QLatin1String("B"))
        return S("Banka");
    if (harf == QLatin1String("D"))
        return S("Diğer");
    if (harf == QLatin1String("N"))
        return S("Nakit Ödeme");
    if (harf == S("Ç"))
        return S("Çek/Senet");
    return {};
}

QString EFaturaDurumDegistir(const Db& db, double satisNo, int yeniDurum, const std::function<bool(const QString&)>& sor)
{
    Query q(db, S("SELECT EF_STATU FROM SERFAT WHERE SATIS_NO = :S"));
    q.bind(S("S"), satisNo).exec();
    if (!q.next())
        return {};
    const int durum = int(q.num(S("EF_STATU")));
    q.finish();
    const int beklenen = yeniDurum == 2 ? 1 : 2;
    if (durum == beklenen) {
        db.exec(S("UPDATE SERFAT SET EF_STATU = :D WHERE SATIS_NO = :S"), {{S("D"), yeniDurum}, {S("S"), satisNo}});
        return {};
    }
    if (durum == 5 || durum == 6) {
        const QString hedef = yeniDurum == 2 ? S("Gönderilmeye Hazır") : S("Hazır Değil");
        if (sor(S("Bu E-Fatura \"İptal\" yada \"Red\" edilmiş. Fatura numarasının silinip yeniden \"") + hedef +
                S("\" duruma getirlmesini ister misiniz?")))
            db.exec(S("UPDATE SERFAT SET EF_STATU = :D, FAT_NO = NULL, EF_GUID = NULL WHERE SATIS_NO = :S"),
                    {{S("D"), yeniDurum}, {S("S"), satisNo}});
        return {};
    }
    return yeniDurum == 2
        ? S("Sadece \"E-Faturaya Tabi\" Statüsündeki Faturaları \"Gönderilmeye Hazır\" hale getirebilirsiniz.")
        : S("Sadece \"Gönderilmeye Hazır\" Statüsündeki Faturaları \"E-Faturaya Tabi\" statüsüne çevirebilirsiniz..");
}

int EFaturaTopluDurum(const Db& db, const QList<double>& satisNolari, int yeniDurum)
{
    const int beklenen = yeniDurum == 2 ? 1 : 2;
    int degisen = 0;
    Transaction tr(db);
    Query q(db, S("UPDATE SERFAT SET EF_STATU = :D WHERE SATIS_NO = :S AND EF_STATU = :B"));
    for (double no : satisNolari) {
        q.bind(S("D"), yeniDurum).bind(S("S"), no).bind(S("B"), beklenen).exec();
        degisen += q.rowsAffected();
    }
    tr.commit();
    return degisen;
}

} // namespace tornaly::invoicing
