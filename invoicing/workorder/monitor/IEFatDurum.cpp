#include "invoicing/workorder/monitor/IEFatDurum.h"

#include "db/Dialect.h"

#include <QDateTime>

namespace tornaly::invoicing {

namespace {

// The customer and warranty factor of a work-order line's guarantee letter.
struct GarantiCarpan {
    QString join, tm, tg;
};
GarantiCarpan garantiCarpani(const Db& db, const QString& alias)
{
    if (db.dialect().tableExists(db, QStringLiteral("GT")))
        return {QStringLiteral(" LEFT OUTER JOIN GT ON (GT.G_T = %1.GARANTI_TIPI)").arg(alias),
                QStringLiteral("COALESCE(GT.TM, 0)"), QStringLiteral("COALESCE(GT.TG, 0)")};
    // The same rule the work-order totals use: M, K and D are paid by the customer.
    const QString musteri = QStringLiteral("(CASE WHEN %1.GARANTI_TIPI IN ('M', 'K', 'D') THEN 1 ELSE 0 END)").arg(alias);
    return {QString(), musteri, QStringLiteral("(1 - %1)").arg(musteri)};
}

QString tutarSutunu(const QString& ifade, const QString& ad)
{
    return QStringLiteral("(%1) AS %2").arg(ifade, ad);
}

} // namespace

workshop::Sorgu IEFatDrmSorgu(const Db& db, const IEFatDrmFiltre& f)
{
    const bool claimVar = db.dialect().tableExists(db, QStringLiteral("CLAIMM"));
    const bool piVar = db.dialect().tableExists(db, QStringLiteral("PI"));
    const GarantiCarpan gp = garantiCarpani(db, QStringLiteral("A"));
    const GarantiCarpan gi = garantiCarpani(db, QStringLiteral("L"));

    const QString parca = QStringLiteral("(SELECT SUM(COALESCE(A.VERILEN_MIKTAR, 0) * COALESCE(A.STOK_FIYATI, 0) * %1) "
                                         "FROM ISEAYRIN A%2 WHERE A.ISEMRI_NO = ISEMRI.IS_EMRI_NO AND A.FYILI = ISEMRI.FYILI)");
    const QString iscilik = QStringLiteral("(SELECT SUM(COALESCE(L.QTY, 0) * COALESCE(L.SURE, 0) * COALESCE(L.ISCILIK_B_FIYATI, 0) * %1) "
                                           "FROM ISCILIK L%2 WHERE L.ISEMRI_NO = ISEMRI.IS_EMRI_NO AND L.FYILI = ISEMRI.FYILI)");
    const QString parTut = parca.arg(gp.tm, gp.join), gParTut = parca.arg(gp.tg, gp.join);
    const QString iscTut = iscilik.arg(gi.tm, gi.join), gIscTut = iscilik.arg(gi.tg, gi.join);

    // Warranty invoice lines reach the work order through their claim.
    QString gfParTut = QStringLiteral("CAST(NULL AS DOUBLE PRECISION)"), gfIscTut = gfParTut;
    if (claimVar) {
        const QString tutar = QStringLiteral(
            "COALESCE(D.BIRIM_FIYAT, 0) * COALESCE(D.MIKTAR, 0) * (100 - COALESCE(D.ISKONTO, 0)) / 100");
        const QString piJoin = piVar ? QStringLiteral(" LEFT OUTER JOIN PI ON (PI.P_I = D.PARCA_ISCILIK)") : QString();
        const QString kaynak = QStringLiteral(
            "FROM SERFATDT D INNER JOIN SERFAT GF ON (GF.SATIS_NO = D.SATIS_NO AND GF.FAT_TUR = 'G') "
            "INNER JOIN CLAIMM ON (CLAIMM.CL_CLAIMNO = D.CLAIM_NO)%1 WHERE CLAIMM.CL_ISEMRI = ISEMRI.IS_EMRI_NO")
                                   .arg(piJoin);
        const QString pCarpan = piVar ? QStringLiteral("COALESCE(PI.P, 0)")
                                      : QStringLiteral("(CASE WHEN D.PARCA_ISCILIK = 'P' THEN 1 ELSE 0 END)");
        const QString iCarpan = piVar ? QStringLiteral("COALESCE(PI.I, 0)")
                                      : QStringLiteral("(CASE WHEN D.PARCA_ISCILIK = 'I' THEN 1 ELSE 0 END)");
        gfParTut = QStringLiteral("(SELECT SUM(%1 * %2) %3)").arg(tutar, pCarpan, kaynak);
        gfIscTut = QStringLiteral("(SELECT SUM(%1 * %2) %3)").arg(tutar, iCarpan, kaynak);
    }
    auto sifir = [](const QString& e) { return QStringLiteral("COALESCE(%1, 0)").arg(e); };

    // The customer invoices are summed per work order in their own subquery,
    // so a second invoice adds to the row instead of repeating it.
    QString sql = QStringLiteral(
        "SELECT ISEMRI.IS_EMRI_NO, ISEMRI.IE_TIP, ISEMRI.IS_ENO, ISEMRI.CARI_KOD, CARI.FIRMA_ADI, ISEMRI.ARAC_TIP, "
        "ISEMRI.ARAC_MODEL, ISEMRI.SASI_NO, ISEMRI.KM, ISEMRI.TESLIM_TRH, ISEMRI.PLAKA_NO, ISEMRI.ARAC_GIRIS_TRH, "
        "ISEMRI.TAHMINI_TES_TRH, ISEMRI.KAPANDI, ISEMRI.FYILI, ISEMRI.MUSTALIM_1, ISEMRI.MUSTALIM_2, ISEMRI.MUSTALIM_3, ");
    sql += QStringList{tutarSutunu(parTut, QStringLiteral("PAR_TUT")), tutarSutunu(gParTut, QStringLiteral("G_PAR_TUT")),
                       tutarSutunu(iscTut, QStringLiteral("ISC_TUT")), tutarSutunu(gIscTut, QStringLiteral("G_ISC_TUT")),
                       QStringLiteral("SF.SF_PAR_TUT, SF.SF_PAR_ISK, SF.SF_ISC_TUT, SF.SF_ISC_ISK, SF.SF_TOP_TUT"),
                       tutarSutunu(gfParTut, QStringLiteral("GF_PAR_TUT")), tutarSutunu(gfIscTut, QStringLiteral("GF_ISC_TUT")),
                       tutarSutunu(QStringList{sifir(parTut), sifir(gParTut), sifir(iscTut), sifir(gIscTut)}.join(QStringLiteral(" + ")),
                                   QStringLiteral("IE_TOP")),
                       tutarSutunu(sifir(gfParTut) + QStringLiteral(" + ") + sifir(gfIscTut), QStringLiteral("GF_TOP")),
                       tutarSutunu(QStringLiteral("COALESCE(SF.SF_TOP_TUT, 0) + ") + sifir(gfParTut) + QStringLiteral(" + ")
                                       + sifir(gfIscTut),
                                   QStringLiteral("FAT_TOP"))}
               .join(QStringLiteral(", "));
    sql += QStringLiteral(
        " FROM ISEMRI LEFT OUTER JOIN CARI ON (CARI.CARI_KOD = ISEMRI.CARI_KOD) "
        "LEFT OUTER JOIN (SELECT IS_EMRI_NO, SUM(IND_TUT_PAR) AS SF_PAR_TUT, MAX(IND_YUZ_PAR) AS SF_PAR_ISK, "
        "SUM(IND_TUT_ISCI) AS SF_ISC_TUT, MAX(IND_YUZ_ISCI) AS SF_ISC_ISK, SUM(TOPLAM_TUTAR) AS SF_TOP_TUT "
        "FROM SERFAT WHERE FAT_TUR = 'I' GROUP BY IS_EMRI_NO) SF ON (SF.IS_EMRI_NO = ISEMRI.IS_EMRI_NO) WHERE 1=1");

    QVariantMap b;
    if (!f.cariKod.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ISEMRI.CARI_KOD = :CARI");
        b[QStringLiteral("CARI")] = f.cariKod.trimmed();
    }
    if (f.yil != 0) {
        sql += QStringLiteral(" AND ISEMRI.FYILI = :YIL");
        b[QStringLiteral("YIL")] = f.yil;
    }
    if (!f.plaka.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db.dialect().ciLike(QStringLiteral("ISEMRI.PLAKA_NO"), QStringLiteral(":PLAKA"));
        b[QStringLiteral("PLAKA")] = QStringLiteral("%") + Dialect::escapeLike(f.plaka.trimmed()) + QStringLiteral("%");
    }
    // Day ranges are half-open at the next midnight, so the whole last day counts.
    auto aralik = [&](const QString& col, const QDate& bas, const QDate& son, const QString& pb, const QString& ps) {
        QString s;
        if (bas.isValid()) {
            s += QStringLiteral(" AND %1 >= :%2").arg(col, pb);
            b[pb] = QDateTime(bas, QTime(0, 0));
        }
        if (son.isValid()) {
            s += QStringLiteral(" AND %1 < :%2").arg(col, ps);
            b[ps] = QDateTime(son.addDays(1), QTime(0, 0));
        }
        return s;
    };
    sql += aralik(QStringLiteral("ISEMRI.ARAC_GIRIS_TRH"), f.girisBas, f.girisSon, QStringLiteral("ftrhb"),
                  QStringLiteral("ftrhs"));
    sql += aralik(QStringLiteral("ISEMRI.TAHMINI_TES_TRH"), f.cikisBas, f.cikisSon, QStringLiteral("trhb"),
                  QStringLiteral("trhs"));
    if (f.faturaBas.isValid() || f.faturaSon.isValid()) {
        QString s = QStringLiteral(" AND (EXISTS (SELECT 1 FROM SERFAT FI WHERE FI.IS_EMRI_NO = ISEMRI.IS_EMRI_NO "
                                   "AND FI.FAT_TUR = 'I'%1)")
                        .arg(aralik(QStringLiteral("FI.TARIH"), f.faturaBas, f.faturaSon, QStringLiteral("fatb"),
                                    QStringLiteral("fats")));
        if (claimVar)
            s += QStringLiteral(" OR EXISTS (SELECT 1 FROM CLAIMM C INNER JOIN SERFATDT CD ON (CD.CLAIM_NO = C.CL_CLAIMNO) "
                                "INNER JOIN SERFAT FG ON (FG.SATIS_NO = CD.SATIS_NO AND FG.FAT_TUR = 'G') "
                                "WHERE C.CL_ISEMRI = ISEMRI.IS_EMRI_NO%1)")
                     .arg(aralik(QStringLiteral("FG.TARIH"), f.faturaBas, f.faturaSon, QStringLiteral("gfatb"),
                                 QStringLiteral("gfats")));
        sql += s + QLatin1Char(')');
    }
    if (f.kapali != f.acik)
        sql += f.kapali ? QStringLiteral(" AND ISEMRI.KAPANDI = 'E'") : QStringLiteral(" AND ISEMRI.KAPANDI = 'H'");
    if (f.fatDurum != IEFatDrmFiltre::FatDurum::Tumu) {
        // EXISTS and not NOT IN: one invoice without a work-order number must
        // not make every work order look unbilled.
        QString kesilmis = QStringLiteral("EXISTS (SELECT 1 FROM SERFAT FK WHERE FK.IS_EMRI_NO = ISEMRI.IS_EMRI_NO)");
        if (claimVar)
            kesilmis += QStringLiteral(" OR EXISTS (SELECT 1 FROM CLAIMM CK WHERE CK.CL_ISEMRI = ISEMRI.IS_EMRI_NO "
                                       "AND CK.CL_FATURA = 'E')");
        sql += f.fatDurum == IEFatDrmFiltre::FatDurum::Kesilmis ? QStringLiteral(" AND (%1)").arg(kesilmis)
                                                                : QStringLiteral(" AND NOT (%1)").arg(kesilmis);
    }
    sql += workshop::IEBrSiraSql(f.sira);
    return {sql, b};
}

} // namespace tornaly::invoicing
