#include "accounts/vouchers/CariHrkExcel.h"

#include "money/Money.h"

#include <QRegularExpression>

namespace tornaly::accounts {

namespace {
QString hucre(const QStringList& satir, int i)
{
    return i < satir.size() ? satir.at(i).trimmed() : QString();
}

// A number cell comes as the reader writes numbers ("1500.75"); a text cell
// as the user typed it ("1.500,75").
bool sayiOku(const QString& metin, double* v)
{
    static const QRegularExpression duz(QStringLiteral("^[+-]?\\d+(\\.\\d+)?([eE][+-]?\\d+)?$"));
    if (duz.match(metin).hasMatch()) {
        bool ok = false;
        *v = metin.toDouble(&ok);
        return ok;
    }
    return ParseMoney(metin, v);
}

// An empty cell is 0; false for text that is no number.
bool tutarOku(const QString& metin, double* v)
{
    *v = 0;
    return metin.isEmpty() || sayiOku(metin, v);
}
} // namespace

bool CariHrkExcelKullanilabilir(const SheetTable& sayfa)
{
    return !sayfa.rows.isEmpty() && sayfa.columns.size() > 1;
}

CariHrkExcelSonucu CariHrkExceldenSatirlar(const SessionContext& ctx, const Db& db, const SheetTable& sayfa)
{
    CariHrkExcelSonucu out;
    Query var(db, QStringLiteral("SELECT 1 FROM CARI WHERE CARI_KOD=:K"));
    for (const QStringList& satir : sayfa.rows) {
        const QString kod = hucre(satir, 1);
        if (kod.isEmpty())
            continue;
        var.bind(QStringLiteral("K"), kod).exec();
        if (!var.next()) {
            out.reddedilen << kod;
            continue;
        }
        double borc = 0, alacak = 0;
        if (!tutarOku(hucre(satir, 3), &borc) || !tutarOku(hucre(satir, 4), &alacak)) {
            out.reddedilen << kod + QStringLiteral(" (Geçersiz tutar)");
            continue;
        }
        const QString dvz = hucre(satir, 6).toUpper();
        double kur = 1;
        if (!sayiOku(hucre(satir, 7), &kur) || kur <= 0)
            kur = 1;
        CariHrkFisSatiri s;
        s.CARI_KOD = kod;
        if (!dvz.isEmpty() && dvz != ctx.YerelPara) {
            s.PARA_BAZ = QLatin1Char('D');
            s.DOVIZ_KODU = dvz;
            if (borc > 0)
                s.BORC_DVZ = borc;
            if (alacak > 0)
                s.ALACAK_DVZ = alacak;
        } else {
            s.PARA_BAZ = QLatin1Char('T');
            s.DOVIZ_KODU = ctx.YerelPara;
            if (borc > 0)
                s.BORC = borc;
            if (alacak > 0)
                s.ALACAK = alacak;
        }
        if (kur > 0)
            s.TL_KURDEGER = kur;
        s.ACIKLAMA = hucre(satir, 5);
        out.satirlar << s;
    }
    return out;
}

} // namespace tornaly::accounts
