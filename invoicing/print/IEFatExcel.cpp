#include "invoicing/print/IEFatExcel.h"

#include "context/SessionContext.h"
#include "export/SafeFile.h"
#include "util/Utf8.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <stdexcept>
#include <xlsxwriter.h>

namespace tornaly::invoicing {

namespace {

using text::S;

QDateTime excelGunu(const QDate& d)
{
    return QDateTime(d, QTime(0, 0));
}

bool excelEFaturaHesabi(const QVariant& v)
{
    return !v.isNull() && v.toInt() == 1;
}

// The days a copy looks at: today and the five days before it for e-invoice
// accounts, the server's week of today otherwise.
GunAraligi excelAraligi(bool eFatura, const QDate& bugun)
{
    if (eFatura)
        return {bugun.addDays(-5), bugun.addDays(1)};
    return HaftaAraligi(bugun);
}

bool excelSecilir(bool eFatura, const QDate& bugun, const QDate& tarih, const QVariant& hesapEf,
                  const QVariant& aktarildi)
{
    if (excelEFaturaHesabi(hesapEf) != eFatura)
        return false;
    if (!eFatura)
        return true;
    return tarih == bugun || aktarildi.isNull() || aktarildi.toInt() == 0;
}

bool excelYaz(const QList<FaturaExcelSatiri>& satirlar, const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new(file.constData());
    if (!wb)
        return false;
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* kalin = workbook_add_format(wb);
    format_set_bold(kalin);
    lxw_format* tarih = workbook_add_format(wb);
    format_set_num_format(tarih, "dd.mm.yyyy");
    lxw_format* para = workbook_add_format(wb);
    format_set_num_format(para, "#,##0.00");
    const QStringList basliklar = FaturaExcelBasliklari();
    for (int c = 0; c < basliklar.size(); ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), basliklar.at(c).toUtf8().constData(), kalin);
    lxw_row_t r = 1;
    auto yazi = [&](lxw_col_t c, const QString& t) {
        if (!t.isEmpty())
            worksheet_write_string(ws, r, c, t.toUtf8().constData(), nullptr);
    };
    for (const FaturaExcelSatiri& s : satirlar) {
        lxw_datetime d{s.TARIH.year(), s.TARIH.month(), s.TARIH.day(), 0, 0, 0};
        worksheet_write_datetime(ws, r, 0, &d, tarih);
        yazi(1, s.FATURA_NO);
        yazi(2, s.CARI_KODU);
        yazi(3, s.CARI_UNVANI);
        worksheet_write_number(ws, r, 4, s.GENEL_IND, para);
        yazi(5, s.STOK_KODU);
        yazi(6, s.STOK_CINSI);
        worksheet_write_number(ws, r, 7, s.MIKTAR, nullptr);
        worksheet_write_number(ws, r, 8, s.FIYAT, para);
        worksheet_write_number(ws, r, 9, s.TUTAR, para);
        worksheet_write_number(ws, r, 10, s.KDV, para);
        worksheet_write_number(ws, r, 11, s.IND1, para);
        ++r;
    }
    worksheet_set_column(ws, 0, 0, 11, nullptr);
    worksheet_set_column(ws, 3, 3, 35, nullptr);
    worksheet_set_column(ws, 6, 6, 35, nullptr);
    return workbook_close(wb) == LXW_NO_ERROR;
}

} // namespace

int SunucuHaftasi(const QDate& d)
{
    const QDate ocak1(d.year(), 1, 1);
    const int ocak1Gun = ocak1.dayOfWeek() % 7; // Sunday 0 ... Saturday 6
    return (d.dayOfYear() - 1 + ocak1Gun) / 7 + 1;
}

GunAraligi HaftaAraligi(const QDate& d)
{
    QDate bas = d.addDays(-(d.dayOfWeek() % 7));
    QDate son = bas.addDays(7);
    // The server starts week 1 again on 1 January.
    if (bas.year() != d.year())
        bas = QDate(d.year(), 1, 1);
    if (son.year() != d.year())
        son = QDate(d.year() + 1, 1, 1);
    return {bas, son};
}

QString DosyaAdiTemizle(const QString& ad)
{
    QString out;
    for (const QChar c : ad) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    out = out.trimmed();
    // ".." or a name of dots alone would point at a folder.
    while (out.startsWith(QLatin1Char('.')))
        out.remove(0, 1);
    return out;
}

QString FaturaExcelDosyaAdi(const QString& firmaAdi, bool eFatura, const QDate& bugun)
{
    QString firma = DosyaAdiTemizle(firmaAdi);
    if (firma.isEmpty())
        firma = S("Fatura");
    const QString ek = eFatura ? S(".einv-") + bugun.toString(S("dd.MM.yyyy"))
                               : S(".Inv-%1-%2").arg(SunucuHaftasi(bugun)).arg(bugun.year());
    // The copy is an Office Open XML workbook; its name says so, so that Excel opens it without a warning.
    return DosyaAdiTemizle(firma + ek) + S(".xlsx");
}

QStringList FaturaExcelBasliklari()
{
    return {S("TARİH"), S("Fatura No"), S("CARİ KODU"), S("CARİ ÜNVANI"), S("GENEL İND.%"), S("STOK KODU"),
            S("STOK CİNSİ"), S("MİKTAR"), S("FİYAT"), S("TUTAR"), S("KDV %"), S("İND1 %")};
}

FaturaExcelSecimi FaturaExcelSatirlari(const Db& db, bool eFatura, const QDate& bugun)
{
    FaturaExcelSecimi out;
    const GunAraligi a = excelAraligi(eFatura, bugun);
    {
        Query q(db, S("SELECT F.SATIS_NO, F.TARIH, F.FAT_NO, F.CARI_KOD, C.FIRMA_ADI, F.INDIRIM, F.BRUT_TUTAR, "
                      "C.EF_MUKELLEF, F.EXCEL_AKTAR, D.PI_KOD, D.PI_AD, D.MIKTAR, D.BIRIM_FIYAT, D.KDV, D.ISKONTO "
                      "FROM SERFAT F JOIN SERFATDT D ON D.SATIS_NO = F.SATIS_NO "
                      "LEFT JOIN CARI C ON C.CARI_KOD = F.CARI_KOD "
                      "WHERE F.TARIH >= :BAS AND F.TARIH < :SON AND (D.GARANTI_TIP IS NULL OR D.GARANTI_TIP <> 'G') "
                      "ORDER BY F.TARIH, F.SATIS_NO, D.SIRA"));
        q.bind(S("BAS"), excelGunu(a.bas)).bind(S("SON"), excelGunu(a.son)).exec();
        while (q.next()) {
            const QDate tarih = q.date(S("TARIH"));
            if (!excelSecilir(eFatura, bugun, tarih, q.value(S("EF_MUKELLEF")), q.value(S("EXCEL_AKTAR"))))
                continue;
            FaturaExcelSatiri s;
            s.TARIH = tarih;
            s.FATURA_NO = q.str(S("FAT_NO")).trimmed();
            s.CARI_KODU = q.str(S("CARI_KOD")).trimmed();
            s.CARI_UNVANI = q.str(S("FIRMA_ADI")).trimmed();
            const double brut = q.num(S("BRUT_TUTAR"));
            if (!eFatura && brut > 0)
                s.GENEL_IND = std::round(q.num(S("INDIRIM")) * 100.0 / brut * 100.0) / 100.0;
            s.STOK_KODU = q.str(S("PI_KOD")).trimmed();
            s.STOK_CINSI = q.str(S("PI_AD")).trimmed();
            s.MIKTAR = q.num(S("MIKTAR"));
            s.FIYAT = q.num(S("BIRIM_FIYAT"));
            s.TUTAR = s.MIKTAR * s.FIYAT;
            s.KDV = q.num(S("KDV"));
            s.IND1 = q.num(S("ISKONTO"));
            out.satirlar.append(s);
        }
    }
    Query q(db, S("SELECT F.SATIS_NO, F.TARIH, C.EF_MUKELLEF, F.EXCEL_AKTAR FROM SERFAT F "
                  "LEFT JOIN CARI C ON C.CARI_KOD = F.CARI_KOD WHERE F.TARIH >= :BAS AND F.TARIH < :SON "
                  "ORDER BY F.SATIS_NO"));
    q.bind(S("BAS"), excelGunu(a.bas)).bind(S("SON"), excelGunu(a.son)).exec();
    while (q.next())
        if (excelSecilir(eFatura, bugun, q.date(S("TARIH")), q.value(S("EF_MUKELLEF")), q.value(S("EXCEL_AKTAR"))))
            out.isaretlenecek.append(q.num(S("SATIS_NO")));
    return out;
}

QString InvoiceExportExcel(const SessionContext& ctx, const Db& db, const QString& folder, bool eFatura,
                           const QDate& bugun)
{
    if (folder.trimmed().isEmpty())
        return {};
    const QDir dir(folder.trimmed());
    if (!dir.exists())
        throw std::runtime_error(S("Fatura Excel klasörü bulunamadı: %1").arg(QDir::toNativeSeparators(dir.path()))
                                     .toStdString());
    const QString path = dir.filePath(FaturaExcelDosyaAdi(ctx.FirmaAdi, eFatura, bugun));
    const FaturaExcelSecimi secim = FaturaExcelSatirlari(db, eFatura, bugun);
    QString yazilan;
    if (secim.satirlar.isEmpty()) {
        QFile::remove(path);
    } else {
        // Written beside the target and moved over it, so a failure leaves the older copy whole.
        SaveThroughTemporary(path, [&](const QString& gecici) { return excelYaz(secim.satirlar, gecici); });
        yazilan = path;
    }
    if (!secim.isaretlenecek.isEmpty()) {
        Transaction tr(db);
        for (double no : secim.isaretlenecek)
            db.exec(S("UPDATE SERFAT SET EXCEL_AKTAR = 1 WHERE SATIS_NO = :S"), {{S("S"), no}});
        tr.commit();
    }
    return yazilan;
}

bool EFaturaMukellefi(const Db& db, const QString& cariKod)
{
    Query q(db, S("SELECT EF_MUKELLEF FROM CARI WHERE CARI_KOD = :K"));
    q.bind(S("K"), cariKod).exec();
    return q.next() && excelEFaturaHesabi(q.value(S("EF_MUKELLEF")));
}

} // namespace tornaly::invoicing
