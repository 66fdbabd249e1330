#include "accounts/cash/MahsupMakbuz.h"
#include "util/Utf8.h"

#include "accounts/ui/ListeModeli.h"
#include "accounts/vouchers/CariHrkYazdir.h"
#include "report/ListReport.h"
#include "sql/SqlHelpers.h"

namespace tornaly::accounts {

using text::S;

report::Report MahsupMakbuzRaporu(const Db& db, const MahsupFisi& fis, const QDate& bugun)
{
    const FirmaBasligi firma = FirmaBasligiOku(db);
    QStringList bas;
    for (const QString& s : {firma.ADI, firma.ADR1, firma.ADR2, firma.ADR3, firma.TLF})
        if (!s.trimmed().isEmpty())
            bas << s.trimmed();
    bas << MahsupFisTipMetni(fis.TIP, false);
    bas << S("Tarih            : ") + TarihYazi(fis.TARIH);
    bas << S("Makbuz No  : ") + DisplayText(fis.HRK_NO, true);
    bas << S("Muh. Ref. No: ") + DisplayText(fis.FIS_NO, true);
    bas << S("Döküm Tarihi : ") + TarihYazi(bugun);
    QVector<QVector<QVariant>> satirlar;
    for (const MahsupSatiri& s : fis.satirlar)
        satirlar << QVector<QVariant>{s.SIRA_NO, s.TIP, s.KOD, s.ACIKLAMA1, s.ACIKLAMA2, s.BORC, s.ALACAK, s.KDV,
                                      s.KDV_TUT};
    report::Report r =
        report::ListReportBuilder(firma.EADI)
            .name(S("QuickRep1"))
            .source(report::RecordsSource({S("SIRA_NO"), S("TIP"), S("KOD"), S("ACIKLAMA1"), S("ACIKLAMA2"),
                                           S("BORC"), S("ALACAK"), S("KDV"), S("KDV_TUT")},
                                          std::move(satirlar)))
            .subtitle(bas.join(QLatin1Char('\n')))
            .number(S("SIRA_NO"), S("No"), 10)
            .text(S("TIP"), S("Tip"), 10)
            .text(S("KOD"), S("Kod"), 25)
            .text(S("ACIKLAMA1"), S("Açıklama"), 45)
            .text(S("ACIKLAMA2"), S("Bilgi"), 35)
            .money(S("BORC"), S("Borç"), 24)
            .money(S("ALACAK"), S("Alacak"), 24)
            .number(S("KDV"), S("Kdv"), 10)
            .money(S("KDV_TUT"), S("Kdv Tutar"), 22, false)
            .summary(S("Toplam"))
            .build();
    return r;
}

} // namespace tornaly::accounts
