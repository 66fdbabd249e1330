#include "workshop/prints/IsEmriYaz.h"
#include "workshop/common/RowValues.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/workorders/WorkOrders.h"

#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"
#include "report/PageSetup.h"
#include "report/RaporCikti.h"

#include "connection/DialogRunner.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {

// zint's Code 39; the work order's barcode is "I" + its number.
constexpr int kCode39 = 8;

QString tutar(double v)
{
    return FormatMoney(v, QStringLiteral(",0.00"));
}

QString tarih(const QVariant& v) { return rowvals::tarihMetni(v); }
QString saat(const QVariant& v) { return rowvals::saatMetni(v); }

QString sayi(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    return FormatMoney(v.toDouble(), QStringLiteral(",0"));
}

QString varYok(const QVariant& v)
{
    return v.toInt() == 1 ? QStringLiteral("Var") : QStringLiteral("Yok");
}

QVariantMap satirOku(const Db& db, const QString& sql, const QString& ad, const QVariant& deger)
{
    return ReadRow(db, sql, {{ad, deger}});
}

QString ilkDeger(const Db& db, const QString& sql, const QString& ad, const QVariant& deger)
{
    const QVariantMap row = satirOku(db, sql, ad, deger);
    return row.isEmpty() ? QString() : row.constBegin().value().toString();
}

} // namespace

QString IsEmriBaskiVerisi::ieText(const QString& column) const
{
    return ie.value(column).toString().trimmed();
}

QString IsEmriBaskiVerisi::cariText(const QString& column) const
{
    return cari.value(column).toString().trimmed();
}

IsEmriBaskiVerisi IsEmriBaskiOku(const Db& db, const QString& isEmriNo)
{
    IsEmriBaskiVerisi v;
    v.ie = ReadIsEmri(db, isEmriNo);
    if (v.ie.isEmpty())
        return v;
    v.found = true;
    v.baskiTarihi = ServerToday(db);
    v.cari = satirOku(db, QStringLiteral("SELECT * FROM CARI WHERE CARI_KOD=:K"), QStringLiteral("K"), v.ie.value(QStringLiteral("CARI_KOD")));
    const QVariantMap model = satirOku(db, QStringLiteral("SELECT ARC_MODEL_ADI, MARKA, MODEL FROM MODEL WHERE ARC_MODEL_KODU=:K"),
                                       QStringLiteral("K"), v.ie.value(QStringLiteral("ARAC_TIP")));
    v.modelAdi = model.value(QStringLiteral("ARC_MODEL_ADI")).toString();
    v.marka = model.value(QStringLiteral("MARKA")).toString();
    v.renkAdi = ilkDeger(db, QStringLiteral("SELECT ARC_RENK_ADI FROM RENK WHERE ARC_RENK_KODU=:K"), QStringLiteral("K"),
                         v.ie.value(QStringLiteral("RENK_KOD")));
    v.danismanAdi = ilkDeger(db, QStringLiteral("SELECT ISCI_ADI FROM ISCIUSTA WHERE ISCI_KOD=:K"), QStringLiteral("K"),
                             v.ie.value(QStringLiteral("ARAC_TESLIM_ALAN")));
    // An adviser typed by name rather than picked by code prints as typed.
    if (v.danismanAdi.trimmed().isEmpty())
        v.danismanAdi = v.ieText(QStringLiteral("ARAC_TESLIM_ALAN"));
    v.tipAdi = ilkDeger(db, QStringLiteral("SELECT ISEMRI_TIP_ADI FROM ISEMRITIP WHERE ISEMRI_TIP=:K"), QStringLiteral("K"),
                        v.ie.value(QStringLiteral("IE_TIP")));
    {
        Query q(db, QStringLiteral("SELECT EADI, TLF, TLF2, ADR1, ADR2, ADR3, ILI, VERGIDAIRE, VERGINO FROM FIRKIM"));
        q.exec();
        if (q.next()) {
            v.firmaAdi = q.str(QStringLiteral("EADI"));
            v.firmaTel = q.str(QStringLiteral("TLF"));
            v.firmaTel2 = q.str(QStringLiteral("TLF2"));
            QStringList adres;
            for (const char* k : {"ADR1", "ADR2", "ADR3", "ILI"})
                if (!q.str(QLatin1String(k)).trimmed().isEmpty())
                    adres << q.str(QLatin1String(k)).trimmed();
            v.firmaAdres = adres.join(QStringLiteral(" "));
            if (!q.str(QStringLiteral("VERGINO")).trimmed().isEmpty())
                v.firmaVergi = (q.str(QStringLiteral("VERGIDAIRE")).trimmed() + QStringLiteral(" V.D. ")).trimmed()
                               + QLatin1Char(' ') + q.str(QStringLiteral("VERGINO")).trimmed();
        }
    }
    if (db.dialect().columnExists(db, QStringLiteral("PARAMET"), QStringLiteral("ISMR_ACIKLAMA"))) {
        Query q(db, QStringLiteral("SELECT ISMR_ACIKLAMA FROM PARAMET"));
        q.exec();
        if (q.next())
            v.aciklamaParametresi = q.str(QStringLiteral("ISMR_ACIKLAMA"));
    }
    Query q(db, QStringLiteral("SELECT STOK_KOD_NO, YEDEK_P_ADI, STOK_MIKTAR, STOK_FIYATI FROM ISEAYRIN "
                               "WHERE ISEMRI_NO=:NO ORDER BY SIRANO"));
    q.bind(QStringLiteral("NO"), isEmriNo).exec();
    while (q.next()) {
        IsEmriBaskiVerisi::Parca p;
        p.kod = q.str(QStringLiteral("STOK_KOD_NO"));
        p.ad = q.str(QStringLiteral("YEDEK_P_ADI"));
        p.miktar = q.num(QStringLiteral("STOK_MIKTAR"));
        p.fiyat = q.num(QStringLiteral("STOK_FIYATI"));
        p.tutar = p.miktar * p.fiyat;
        v.parcalar.append(p);
    }
    v.parcaToplam = v.ie.value(QStringLiteral("PAR_TOP_TUTAR")).toDouble();
    v.iscilikToplam = v.ie.value(QStringLiteral("IS_TOP_TUTAR")).toDouble();
    v.genelToplam = v.ie.value(QStringLiteral("TOP_TUTAR")).toDouble();
    return v;
}

report::PageSettings IsEmriSayfasi(const report::LayoutRow& row)
{
    const QString ad = row.text(QStringLiteral("SAYFAISIM"));
    auto olcu = [](int mm) { return mm < 15 ? 210 : mm; };
    report::PageSettings p;
    p.marginsMm = {0, 0, 0, 0};
    if (ad.isEmpty()) {
        p.paperId = QPageSize::Custom;
        p.sizeMm = {210, 297};
        return p;
    }
    if (ad == report::PageCustom) {
        p.paperId = QPageSize::Custom;
        p.sizeMm = QSizeF(olcu(row.mm(QStringLiteral("SAYFAGEN"))), olcu(row.mm(QStringLiteral("SAYFAYUK"))));
        // The printer is given at least 150 mm each way.
        const auto yazici = [](int mm) { return mm < 150 ? 210 : mm; };
        p.printerSizeMm = QSizeF(yazici(row.mm(QStringLiteral("SAYFAGEN"))), yazici(row.mm(QStringLiteral("SAYFAYUK"))));
        p.printerPaperCode = 256;
        return p;
    }
    if (ad == report::PageB5)
        p.paperId = QPageSize::B5, p.sizeMm = {182, 257}, p.printerPaperCode = 13;
    else if (ad == report::PageLegal)
        p.paperId = QPageSize::Legal, p.sizeMm = {203.2, 355.6}, p.printerPaperCode = 5;
    else if (ad == report::PageMektup)
        p.paperId = QPageSize::Custom, p.sizeMm = {230.2, 274.9}, p.printerPaperCode = 45;
    else
        p.paperId = QPageSize::A4, p.sizeMm = {210, 297}, p.printerPaperCode = 9;
    return p;
}

namespace {

using report::LayoutRow;
using report::PrePrintedItem;

// The items both pre-printed forms place (4 mm lines, "+n" mm offsets).
QList<PrePrintedItem> ortakKalemler(const LayoutRow& row, const IsEmriBaskiVerisi& v, bool kapanis)
{
    QList<PrePrintedItem> out;
    auto at = [&](const QString& item, const QString& text, double dx = 0, double dy = 0, double width = 60) {
        PrePrintedItem it = report::ItemAt(row, item, text, width);
        it.pos += QPointF(dx, dy);
        if (dx != 0 || dy != 0)
            it.name = item + QStringLiteral("+%1,%2").arg(dx).arg(dy);
        out.append(it);
    };
    at(QStringLiteral("CARIKOD"), v.cariText(QStringLiteral("CARI_KOD")));
    at(QStringLiteral("KR"), v.cariText(QStringLiteral("FIRMA_ADI")), 0, 0, 90);
    at(QStringLiteral("ADR1"), v.cariText(QStringLiteral("ADRES_1")), 0, 0, 90);
    at(QStringLiteral("ADR2"), v.cariText(QStringLiteral("ADRES_2")), 0, 0, 34);
    at(QStringLiteral("ADR2"), v.cariText(QStringLiteral("SEMT")), 35, 0, 14);
    at(QStringLiteral("ADR2"), v.cariText(QStringLiteral("ILI")), 50, 0, 30);
    at(QStringLiteral("VERD"), v.cariText(QStringLiteral("VD")));
    at(QStringLiteral("VERNO"), v.cariText(QStringLiteral("VN")));
    at(QStringLiteral("ADR3"), v.cariText(QStringLiteral("TEL1")), 0, 0, 31);
    if (kapanis)
        at(QStringLiteral("ADR3"), v.cariText(QStringLiteral("TEL2")), 32, 0, 27);
    at(QStringLiteral("ADR3"), v.cariText(QStringLiteral("TEL3")), 60, 0, 30);
    at(QStringLiteral("PLAKA"), v.ieText(QStringLiteral("PLAKA_NO")));
    at(QStringLiteral("RENK"), v.renkAdi);
    at(QStringLiteral("SASE"), v.ieText(QStringLiteral("SASI_NO")));
    at(QStringLiteral("MOTOR"), v.ieText(QStringLiteral("MOTOR_NO")));
    at(QStringLiteral("MODEL"), v.modelAdi);
    at(QStringLiteral("MODYIL"), v.ieText(QStringLiteral("ARAC_MODEL")));
    at(QStringLiteral("IENO"), v.ieText(QStringLiteral("IS_EMRI_NO")), 0, 0, 15);
    at(QStringLiteral("IENO"), QStringLiteral("/"), 16, 0, 2);
    at(QStringLiteral("IENO"), v.ieText(QStringLiteral("IS_ENO")), 18, 0, 20);
    at(QStringLiteral("ACTRH"), tarih(v.ie.value(QStringLiteral("ARAC_GIRIS_TRH"))), 0, 0, 25);
    at(QStringLiteral("OZEL2"), saat(v.ie.value(QStringLiteral("ARAC_GIRIS_SAAT"))), 0, 0, 15);
    at(QStringLiteral("RUHTRH"), tarih(v.ie.value(QStringLiteral("TESLIM_TRH"))), 0, 0, 25);
    at(QStringLiteral("KM"), sayi(v.ie.value(QStringLiteral("KM"))), 0, 0, 25);
    at(QStringLiteral("PERS"), kapanis ? QString() : v.danismanAdi);
    at(QStringLiteral("IMZA"), v.ieText(QStringLiteral("TESLIM_EDEN")));
    if (!kapanis)
        at(QStringLiteral("IMZA"), v.ieText(QStringLiteral("TESLIM_ED_TEL")), 0, 5);
    at(QStringLiteral("OZEL1"), v.ieText(QStringLiteral("GENEL_DUR")), 0, 0, 120);
    at(QStringLiteral("YAKIT"), v.ieText(QStringLiteral("YAKIT_MIK")), 0, 0, 20);
    for (int i = 0; i < 5; ++i) {
        at(QStringLiteral("TALEP1"), v.ieText(QStringLiteral("MUSTALIM_%1").arg(i + 1)), 0, 4 * i, 120);
        at(QStringLiteral("TALEP2"), v.ieText(QStringLiteral("MUSTALIM_%1").arg(i + 6)), 0, 4 * i, 120);
    }
    at(QStringLiteral("TAHTRH"),
       tarih(v.ie.value(kapanis ? QStringLiteral("TAHMINI_TES_TRH") : QStringLiteral("TTT"))), 0, 0, 25);
    at(QStringLiteral("TAHSAAT"), saat(v.ie.value(QStringLiteral("TAH_TES_SAAT"))), 0, 0, 15);
    at(QStringLiteral("ONAYTUT"), tutar(v.ie.value(QStringLiteral("GARANTI_PUANI")).toDouble()), 0, 0, 30);
    for (int i = 1; i <= 3; ++i)
        at(QStringLiteral("SABIT%1").arg(i), row.text(QStringLiteral("SABIT%1").arg(i)), 0, 0, 100);

    // The items left in the vehicle: six captions 3.7 mm apart, values 17 mm to their right.
    const QPointF e = row.at(QStringLiteral("EMANET"));
    const QList<std::pair<QString, QString>> emanetler{
        {QStringLiteral("Rad.Teyp"), QStringLiteral("RADYO_TEYP")}, {QStringLiteral("Çakmak"), QStringLiteral("CAKMAK")},
        {QStringLiteral("Avadan."), QStringLiteral("AVADANLIK")},   {QStringLiteral("Stepne"), QStringLiteral("STEPNE")},
        {QStringLiteral("Kriko"), QStringLiteral("KRIKO")},         {QStringLiteral("Ruhsat"), QStringLiteral("RUHSAT")}};
    for (int i = 0; i < emanetler.size(); ++i) {
        const QPointF p = e + QPointF(0, 3.7 * i);
        out.append({QStringLiteral("EMANET%1").arg(i + 1), p, emanetler.at(i).first, 16});
        out.append({QStringLiteral("EMANET%1_DEGER").arg(i + 1), p + QPointF(17, 0),
                    kapanis ? QString() : varYok(v.ie.value(emanetler.at(i).second)), 12});
    }
    out.append({QStringLiteral("DIGER_EMANET"), e + QPointF(22, 0), v.ieText(QStringLiteral("DIGER_EMANET")), 60});
    // Items left without text print nothing.
    out.erase(std::remove_if(out.begin(), out.end(), [](const PrePrintedItem& it) { return it.text.isEmpty(); }),
              out.end());
    return out;
}

} // namespace

report::PrePrintedForm IsEmriAcilisFormu(const report::LayoutRow& row, const IsEmriBaskiVerisi& v)
{
    report::PrePrintedForm f;
    f.title = QStringLiteral("İş Emri Formu");
    f.page = IsEmriSayfasi(row);
    f.pageStart = row.pageStart();
    f.everyPage = ortakKalemler(row, v, false);
    const int bx = row.mm(QStringLiteral("IEBARKOD_S"));
    const int by = row.mm(QStringLiteral("IEBARKOD_U"));
    if (bx >= 1 && by >= 1) {
        PrePrintedItem b{QStringLiteral("IEBARKOD"), QPointF(bx, by), QStringLiteral("I") + v.ieText(QStringLiteral("IS_EMRI_NO")),
                         45};
        b.barcodeSymbology = kCode39;
        b.height = 10;
        f.everyPage.append(b);
    }
    return f;
}

report::PrePrintedForm IsEmriKapanisFormu(const report::LayoutRow& row, const report::PageSettings& page,
                                          const IsEmriBaskiVerisi& v)
{
    report::PrePrintedForm f;
    f.title = QStringLiteral("İş Emri Kapanış Formu");
    f.page = page;
    f.page.marginsMm = {0, 0, 0, 0};
    f.pageStart = row.pageStart();
    f.everyPage = ortakKalemler(row, v, true);
    // The parts band: code and name widths from the layout, then quantity, price and amount.
    const double gap = 2;
    const QList<report::ColumnSpec> specs{{QStringLiteral("SIRA"), 0, qMax(8, row.mm(QStringLiteral("SIRA_U")))},
                                          {QStringLiteral("URUNAD"), 0, qMax(35, row.mm(QStringLiteral("URUNAD_U")))},
                                          {QStringLiteral("MIK"), 0, 15},
                                          {QStringLiteral("BIRIMF"), 0, 25},
                                          {QStringLiteral("TUTAR"), 0, 28}};
    f.columns = report::PlaceColumns(row.mm(QStringLiteral("SUTB_S")), specs, gap);
    f.columnAlign = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignLeft | Qt::AlignVCenter,
                     Qt::AlignRight | Qt::AlignVCenter, Qt::AlignRight | Qt::AlignVCenter,
                     Qt::AlignRight | Qt::AlignVCenter};
    double top = row.mm(QStringLiteral("SUTB_U"));
    if (top <= 0) {
        for (const PrePrintedItem& it : f.everyPage)
            top = qMax(top, it.pos.y());
        top += 10;
    }
    f.lineHeight = 4.5;
    f.linesTop = top + f.lineHeight; // the titles take the first line
    const QStringList basliklar{QStringLiteral("PARÇA KODU"), QStringLiteral("PARÇA ADI"), QStringLiteral("MİKTAR"),
                                QStringLiteral("FİYAT"), QStringLiteral("TUTAR")};
    for (int i = 0; i < f.columns.size(); ++i) {
        PrePrintedItem t{f.columns.at(i).item + QStringLiteral("_BASLIK"), QPointF(f.columns.at(i).left, top),
                         basliklar.at(i), f.columns.at(i).width, f.columnAlign.at(i), true};
        f.everyPage.append(t);
    }
    for (const IsEmriBaskiVerisi::Parca& p : v.parcalar) {
        f.lines.append({p.kod, p.ad, FormatMoney(p.miktar, QStringLiteral(",0.##")), tutar(p.fiyat), tutar(p.tutar)});
        f.lineAmounts.append(p.tutar);
    }
    f.carriedCaptionColumn = QStringLiteral("URUNAD");
    f.carriedAmountColumn = QStringLiteral("TUTAR");
    f.amountText = tutar;
    // Totals and their captions on the last page.
    const QPointF cap = row.at(QStringLiteral("TOP"));
    const QList<std::tuple<QString, QString, double>> toplamlar{
        {QStringLiteral("ALAN7"), QStringLiteral("PARÇA TOPLAMI"), v.parcaToplam},
        {QStringLiteral("ALAN8"), QStringLiteral("İŞÇİLİK TOPLAMI"), v.iscilikToplam},
        {QStringLiteral("ALAN9"), QStringLiteral("GENEL TOPLAM"), v.genelToplam}};
    for (const auto& [alan, baslik, deger] : toplamlar) {
        const QPointF at = row.at(alan);
        f.lastPage.append({alan, at, tutar(deger), 30, Qt::AlignRight | Qt::AlignVCenter});
        if (cap != QPointF(0, 0))
            f.lastPage.append({alan + QStringLiteral("_BASLIK"), QPointF(cap.x(), at.y()), baslik + QStringLiteral(" :"),
                               40});
    }
    return f;
}

// ---------------------------------------------------------------------------

namespace {

using namespace tornaly::report;

void satir(Band& b, double x, double y, const QString& baslik, const QString& deger, double bw = 38, double w = 52)
{
    b.add(Label(x, y, bw, 4.5, baslik));
    b.add(Bold(Label(x + bw, y, w, 4.5, deger)));
}

} // namespace

report::Report IsmeriFormYaz(const IsEmriBaskiVerisi& v)
{
    Report r;
    r.name = QStringLiteral("IsmeriFormYaz");
    r.title = QStringLiteral("İŞ EMRİ FORMU");
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 8, false, false};
    r.source = RecordsSource({"ID", "BASLIK"}, {{1, QStringLiteral("( MÜŞTERİ )")},
                                                {2, QStringLiteral("( ARAÇ KABUL )")},
                                                {3, QStringLiteral("( ATÖLYE )")}});
    Band& d = r.detail;
    d.height = 276;
    d.add(Sized(Bold(Label(0, 0, 190, 8, QStringLiteral("İŞ EMRİ FORMU"), Qt::AlignHCenter | Qt::AlignVCenter)), 13));
    d.add(Named(Bold(Field(0, 8, 190, 5, QStringLiteral("BASLIK"), {}, Qt::AlignHCenter | Qt::AlignVCenter)),
                QStringLiteral("BASLIK")));
    d.add(Bold(Label(0, 14, 110, 5, v.firmaAdi)));
    d.add(Label(0, 19, 110, 5, QStringList{v.firmaTel, v.firmaTel2}.join(QStringLiteral("  "))));
    d.add(Label(110, 14, 80, 5,
                QStringLiteral("IE Açılış Tarihi / Saat        : ") + tarih(v.ie.value(QStringLiteral("ARAC_GIRIS_TRH"))) +
                    QStringLiteral(" / ") + saat(v.ie.value(QStringLiteral("ARAC_GIRIS_SAAT")))));
    d.add(Label(110, 19, 80, 5, QStringLiteral("IE No / Tip : ") + v.ieText(QStringLiteral("IS_EMRI_NO")) +
                                    QStringLiteral(" / ") + v.tipAdi));
    d.add(BarcodeEl(140, 24, 50, 12, QStringLiteral("I") + v.ieText(QStringLiteral("IS_EMRI_NO")), false, kCode39));

    double y = 40;
    d.add(Bold(Label(0, y, 92, 5, QStringLiteral("MÜŞTERİ BİLGİLERİ"))));
    d.add(Bold(Label(98, y, 92, 5, QStringLiteral("ARAÇ BİLGİLERİ"))));
    d.add(HLine(0, y + 5, 190));
    y += 6;
    const QString adres = QStringList{v.cariText(QStringLiteral("ADRES_1")), v.cariText(QStringLiteral("ADRES_2")),
                                      v.cariText(QStringLiteral("SEMT")), v.cariText(QStringLiteral("ILI"))}
                              .join(QLatin1Char(' '))
                              .simplified();
    const QList<std::pair<QString, QString>> musteri{
        {QStringLiteral("Cari Adı Soyadı / Unvanı"), v.cariText(QStringLiteral("FIRMA_ADI"))},
        {QStringLiteral("Adres"), adres},
        {QStringLiteral("VD / VN"), v.cariText(QStringLiteral("VD")) + QStringLiteral(" / ") + v.cariText(QStringLiteral("VN"))},
        {QStringLiteral("Aracı Getiren / Tel"),
         v.ieText(QStringLiteral("TESLIM_EDEN")) + QStringLiteral(" / ") + v.ieText(QStringLiteral("TESLIM_ED_TEL"))},
        {QStringLiteral("Tel (İŞ)"), v.cariText(QStringLiteral("TEL1"))},
        {QStringLiteral("Tel (GSM)  :"), v.cariText(QStringLiteral("TEL3"))},
        {QStringLiteral("Email"), v.cariText(QStringLiteral("EMAIL"))}};
    const QList<std::pair<QString, QString>> arac{
        {QStringLiteral("Marka"), v.marka},
        {QStringLiteral("Model"), v.modelAdi},
        {QStringLiteral("Km / Yıl"), sayi(v.ie.value(QStringLiteral("KM"))) + QStringLiteral(" / ") + v.ieText(QStringLiteral("ARAC_MODEL"))},
        {QStringLiteral("Plaka No        :"), v.ieText(QStringLiteral("PLAKA_NO"))},
        {QStringLiteral("Şase No         :"), v.ieText(QStringLiteral("SASI_NO"))},
        {QStringLiteral("Motor No        :"), v.ieText(QStringLiteral("MOTOR_NO"))},
        {QStringLiteral("Renk"), v.renkAdi}};
    for (int i = 0; i < musteri.size(); ++i)
        satir(d, 0, y + 5 * i, musteri.at(i).first, musteri.at(i).second, 40, 55);
    for (int i = 0; i < arac.size(); ++i)
        satir(d, 98, y + 5 * i, arac.at(i).first, arac.at(i).second, 32, 60);
    y += 5 * 7 + 3;

    d.add(Bold(Label(0, y, 190, 5, QStringLiteral("MÜŞTERİ BEYANI"))));
    d.add(HLine(0, y + 5, 190));
    y += 6;
    for (int i = 0; i < 10; ++i)
        d.add(Label(i < 5 ? 0 : 98, y + 5 * (i % 5), 92, 5,
                    QStringLiteral("%1. ").arg(i + 1) + v.ieText(QStringLiteral("MUSTALIM_%1").arg(i + 1))));
    y += 5 * 5 + 3;

    d.add(Bold(Label(0, y, 92, 5, QStringLiteral("GENEL DURUM"))));
    d.add(Bold(Label(98, y, 92, 5, QStringLiteral("EMANETLER"))));
    d.add(Box(0, y + 5.5, 190, 32));
    y += 7;
    const QList<std::pair<QString, QString>> durum{
        {QStringLiteral("Vuruk"), varYok(v.ie.value(QStringLiteral("VURUK")))},
        {QStringLiteral("Çizik"), varYok(v.ie.value(QStringLiteral("CIZIK")))},
        {QStringLiteral("Pas"), varYok(v.ie.value(QStringLiteral("PAS")))},
        {QStringLiteral("Yakıt Deposu"), v.ieText(QStringLiteral("YAKIT_MIK"))},
        {QStringLiteral("Hasar"), v.ieText(QStringLiteral("HASAR"))}};
    const QList<std::pair<QString, QString>> emanet{
        {QStringLiteral("Ruhsat"), varYok(v.ie.value(QStringLiteral("RUHSAT")))},
        {QStringLiteral("Radyo Teyp"), varYok(v.ie.value(QStringLiteral("RADYO_TEYP")))},
        {QStringLiteral("Avadanlık"), varYok(v.ie.value(QStringLiteral("AVADANLIK")))},
        {QStringLiteral("Stepne"), varYok(v.ie.value(QStringLiteral("STEPNE")))},
        {QStringLiteral("Kriko"), varYok(v.ie.value(QStringLiteral("KRIKO")))}};
    for (int i = 0; i < durum.size(); ++i)
        satir(d, 2, y + 5 * i, durum.at(i).first, durum.at(i).second, 30, 50);
    for (int i = 0; i < emanet.size(); ++i)
        satir(d, 100, y + 5 * i, emanet.at(i).first, emanet.at(i).second, 30, 50);
    y += 5 * 5 + 8; // below the frame

    d.add(Bold(Label(0, y, 92, 5, QStringLiteral("DANIŞMAN NOTU"))));
    d.add(Memo(0, y + 5, 190, 10, v.ieText(QStringLiteral("GENEL_DUR")), false));
    y += 16;
    d.add(Bold(Label(0, y, 92, 5, QStringLiteral("AÇIKLAMA"))));
    d.add(Memo(0, y + 5, 190, 10, v.ieText(QStringLiteral("DIGER_EMANET")), false));
    y += 16;
    if (!v.aciklamaParametresi.isEmpty()) {
        d.add(Memo(0, y, 190, 15, v.aciklamaParametresi, false));
        y += 16;
    }
    satir(d, 0, y, QStringLiteral("Tah. Teslim Trh  :"), tarih(v.ie.value(QStringLiteral("TAHMINI_TES_TRH"))), 32, 40);
    satir(d, 98, y, QStringLiteral("Tahmini Tutar    :"), tutar(v.ie.value(QStringLiteral("GARANTI_PUANI")).toDouble()),
          32, 40);
    y += 8;
    d.add(Bold(Label(0, y, 190, 5, QStringLiteral("TESLİMAT ONAY"))));
    d.add(HLine(0, y + 5, 190));
    y += 7;
    d.add(Bold(Label(0, y, 92, 5, QStringLiteral("SERVİS DANIŞMANI"))));
    d.add(Bold(Label(98, y, 92, 5, QStringLiteral("MÜŞTERİ ADI / İMZA"))));
    d.add(Label(0, y + 5, 92, 5, v.danismanAdi));
    d.add(Label(98, y + 5, 92, 5, v.ieText(QStringLiteral("TESLIM_EDEN"))));
    d.newPageBefore = false;
    return r;
}

report::Report IsEmriKapaYaz(int mode, const IsEmriBaskiVerisi& v)
{
    QVector<QVector<QVariant>> rows;
    for (const IsEmriBaskiVerisi::Parca& p : v.parcalar)
        rows.append({p.kod, p.ad, p.miktar, p.fiyat, p.tutar});
    if (rows.isEmpty()) // a work order without parts still prints one (empty) line
        rows.append({QString(), QString(), QVariant(), QVariant(), QVariant()});
    Report r;
    r.name = mode == 1 ? QStringLiteral("IE Açılış Tasarım") : QStringLiteral("IE Kapanış Tasarım");
    r.title = r.name;
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 8, false, false};
    r.source = RecordsSource({"KOD", "AD", "MIKTAR", "FIYAT", "TUTAR"}, rows);
    Band& h = r.pageHeader;
    h.height = 93;
    // The company's header, then the form's title, number and dates.
    h.add(Named(Bold(Label(0, 0, 120, 5, v.firmaAdi)), QStringLiteral("FIRMA")));
    h.add(Named(Label(0, 5, 120, 4, QStringList{v.firmaAdres, QStringList{v.firmaTel, v.firmaTel2}.join(QStringLiteral("  ")).trimmed()}
                                         .join(QStringLiteral("  "))
                                         .trimmed()),
                QStringLiteral("FIRMA_ADRES")));
    h.add(Named(Label(120, 0, 70, 5, QStringLiteral("Tarih : ") + v.baskiTarihi.toString(QStringLiteral("dd.MM.yyyy")),
                      Qt::AlignRight | Qt::AlignVCenter),
                QStringLiteral("BASKI_TARIHI")));
    h.add(Sized(Bold(Label(0, 10, 190, 8, mode == 1 ? QStringLiteral("İŞ EMRİ AÇILIŞ FORMU") : QStringLiteral("İŞ EMRİ KAPANIŞ FORMU"),
                           Qt::AlignHCenter | Qt::AlignVCenter)),
                12));
    h.add(Label(0, 19, 95, 5, QStringLiteral("İş Emri No : ") + v.ieText(QStringLiteral("IS_EMRI_NO"))));
    h.add(Named(Label(100, 19, 90, 5,
                      QStringLiteral("Açılış Tarihi / Saat : ") + tarih(v.ie.value(QStringLiteral("ARAC_GIRIS_TRH"))) +
                          QStringLiteral(" / ") + saat(v.ie.value(QStringLiteral("ARAC_GIRIS_SAAT")))),
                QStringLiteral("ACILIS_TARIHI")));
    const QString vdtc = v.cariText(QStringLiteral("VN")).isEmpty() ? v.cariText(QStringLiteral("KIMLIKNO"))
                                                                    : v.cariText(QStringLiteral("VN"));
    const QStringList sol{v.cariText(QStringLiteral("FIRMA_ADI")), v.cariText(QStringLiteral("ADRES_1")),
                          (v.cariText(QStringLiteral("ADRES_2")) + QLatin1Char(' ') + v.cariText(QStringLiteral("SEMT")) +
                           QLatin1Char(' ') + v.cariText(QStringLiteral("ILI")))
                              .simplified(),
                          v.cariText(QStringLiteral("TEL1")), vdtc,
                          v.ieText(QStringLiteral("TESLIM_EDEN")) + QLatin1Char(' ') + v.ieText(QStringLiteral("TESLIM_ED_TEL"))};
    const QStringList sag{QStringLiteral("Plaka : ") + v.ieText(QStringLiteral("PLAKA_NO")),
                          QStringLiteral("Şase : ") + v.ieText(QStringLiteral("SASI_NO")),
                          QStringLiteral("Motor : ") + v.ieText(QStringLiteral("MOTOR_NO")),
                          QStringLiteral("Model : ") + v.modelAdi + QLatin1Char(' ') + v.ieText(QStringLiteral("ARAC_MODEL")),
                          QStringLiteral("Renk : ") + v.renkAdi,
                          QStringLiteral("Km : ") + sayi(v.ie.value(QStringLiteral("KM"))) +
                              QStringLiteral("   Yakıt : ") + v.ieText(QStringLiteral("YAKIT_MIK"))};
    for (int i = 0; i < sol.size(); ++i) {
        h.add(Label(0, 25 + 5 * i, 95, 5, sol.at(i)));
        h.add(Label(100, 25 + 5 * i, 90, 5, sag.at(i)));
    }
    h.add(Named(Label(0, 56, 95, 5, QStringLiteral("Servis Danışmanı : ") + v.danismanAdi), QStringLiteral("DANISMAN")));
    for (int i = 0; i < 5; ++i)
        h.add(Label(0, 62 + 5 * i, 190, 5, QStringLiteral("%1. ").arg(i + 1) + v.ieText(QStringLiteral("MUSTALIM_%1").arg(i + 1))));
    r.columnHeader.height = 6;
    const QList<std::tuple<QString, QString, double, double, bool>> kolonlar{
        {"KOD", "PARÇA KODU", 0, 35, false}, {"AD", "PARÇA ADI", 36, 80, false}, {"MIKTAR", "MİKTAR", 117, 20, true},
        {"FIYAT", "FİYAT", 138, 25, true},   {"TUTAR", "TUTAR", 164, 26, true}};
    r.detail.height = 4.5;
    for (const auto& [alan, baslik, x, w, sag2] : kolonlar) {
        const Qt::Alignment a = (sag2 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        r.columnHeader.add(Bold(Label(x, 0, w, 5, baslik, a)));
        r.detail.add(Named(Field(x, 0, w, 4.5, alan, alan == QLatin1String("KOD") || alan == QLatin1String("AD") ? QString()
                                                       : alan == QLatin1String("MIKTAR") ? QStringLiteral(",0.##")
                                                                                          : QStringLiteral(",0.00"),
                                 a),
                           alan));
    }
    r.columnHeader.add(HLine(0, 5.5, 190));
    return r;
}

report::Report YetkiliServisFormu(const IsEmriBaskiVerisi& v, const QImage& formResmi)
{
    Report r;
    r.name = QStringLiteral("Yetkili Servis Formu");
    r.title = QStringLiteral("MÜŞTERİ İSTEK FORMU");
    r.page.marginsMm = {10, 10, 10, 10};
    r.font = ReportFont{QStringLiteral("DejaVu Sans"), 8, false, false};
    r.source = RecordsSource({"X"}, {{QVariant()}});
    Band& d = r.detail;
    d.height = 250;
    // The dealer's own header and the work order's barcode.
    d.add(Named(Bold(Label(0, 0, 130, 6, v.firmaAdi)), QStringLiteral("FIRMA")));
    d.add(Label(0, 6, 130, 4, v.firmaAdres));
    d.add(Label(0, 10, 130, 4, QStringList{v.firmaTel, v.firmaTel2}.join(QStringLiteral("  ")).trimmed()));
    d.add(Named(BarcodeEl(135, 0, 55, 12, QStringLiteral("I") + v.ieText(QStringLiteral("IS_EMRI_NO")), false),
                QStringLiteral("IEBARKOD")));
    d.add(Sized(Bold(Label(0, 18, 190, 8, QStringLiteral("MÜŞTERİ İSTEK FORMU"), Qt::AlignHCenter | Qt::AlignVCenter)), 12));
    double y = 30;
    const QList<std::pair<QString, QString>> bilgiler{
        {QStringLiteral("ADI SOYADI / ÜNVANI"), v.cariText(QStringLiteral("FIRMA_ADI"))},
        {QStringLiteral("İş Emri No"), v.ieText(QStringLiteral("IS_EMRI_NO"))},
        {QStringLiteral("Plaka / Şase"), v.ieText(QStringLiteral("PLAKA_NO")) + QStringLiteral(" / ") + v.ieText(QStringLiteral("SASI_NO"))},
        {QStringLiteral("Model / Renk"), v.modelAdi + QStringLiteral(" / ") + v.renkAdi},
        {QStringLiteral("Km"), sayi(v.ie.value(QStringLiteral("KM")))},
        {QStringLiteral("ARAÇ SERVİSE TESLİM/KABUL TARİHİ"), tarih(v.ie.value(QStringLiteral("ARAC_GIRIS_TRH")))},
        {QStringLiteral("MÜŞTERİYE TAHMİNİ TESLİM TARİHİ"), tarih(v.ie.value(QStringLiteral("TAHMINI_TES_TRH")))}};
    for (const auto& [baslik, deger] : bilgiler) {
        d.add(Bold(Label(0, y, 70, 5, baslik)));
        d.add(Label(72, y, 118, 5, deger));
        y += 5.5;
    }
    y += 2;
    d.add(Bold(Label(0, y, 190, 5, QStringLiteral("MÜŞTERİ İSTEKLERİ/ŞİKAYETLERİ"))));
    d.add(HLine(0, y + 5, 190));
    y += 6;
    for (int i = 1; i <= 10; ++i, y += 5)
        d.add(Label(0, y, 190, 5, QStringLiteral("%1. ").arg(i) + v.ieText(QStringLiteral("MUSTALIM_%1").arg(i))));
    if (!formResmi.isNull()) {
        d.add(Named(Picture(0, y + 2, 190, 40, formResmi), QStringLiteral("ISEMRIFORM")));
        y += 44;
    }
    y += 3;
    for (const char* metin :
         {"- Bakım/Onarım sonrası çıkan parçaların; geri dönüşüm/atık yönetimi amacıyla sizin adınıza tarafımızdan bertaraf "
          "edilmesini istiyor musunuz? Evet [  ]  Hayır [  ]",
          "- Araç teslimi mesai saatlerinde yapılabilir.",
          "- Bakım ve onarım süresince teşhis ve kalite kontrol amacıyla test sürüşüne çıkılabilir.",
          "- İş emrinin arkasındaki genel şartları okudum, anladım ve yukarıda yazılan işlerin yapılması için servisinizi yetkili "
          "kılıyorum. İş tamamlandığında ödeme tarafım(ız) dan yapılacaktır"}) {
        d.add(Memo(0, y, 190, 8, QString::fromUtf8(metin), false));
        y += 9;
    }
    y += 4;
    d.add(Bold(Label(0, y, 92, 5, QStringLiteral("TESLİM ALAN / SERVİS DANIŞMANI"))));
    d.add(Bold(Label(98, y, 92, 5, QStringLiteral("TESLİM EDEN / MÜŞTERİ"))));
    d.add(Named(Label(0, y + 5, 92, 5, v.danismanAdi), QStringLiteral("DANISMAN")));
    d.add(Label(98, y + 5, 92, 5, v.ieText(QStringLiteral("TESLIM_EDEN"))));
    return r;
}

// ---------------------------------------------------------------------------

namespace {

void goster(const report::PrePrintedResult& r)
{
    if (!r.offPage.isEmpty())
        ShowWarning(report::OffPageMessage(r.offPage));
    report::OutputDocument(r.document, report::OutputPreview);
}

report::PrePrintedResult kapanisMatbu(const Db& db, const IsEmriBaskiVerisi& v)
{
    return report::RenderPrePrinted(IsEmriKapanisFormu(report::ReadLayout(db, report::LayoutWorkOrderClosing),
                                                       report::ReadInvoicePage(db).page, v));
}

// The layout of the pre-printed opening form: the only one at once, else the
// one the clerk picks by name (0 when the panel is closed).
int acilisTasarimi(const Db& db, QWidget* parent)
{
    Query q(db, QStringLiteral("SELECT ID, IEFORM_ADI FROM KOORIE ORDER BY ID"));
    q.exec();
    QList<std::pair<int, QString>> tasarimlar;
    while (q.next())
        tasarimlar.append({q.value(0).toInt(), q.str(QStringLiteral("IEFORM_ADI")).trimmed()});
    if (tasarimlar.size() < 2)
        return tasarimlar.isEmpty() ? 0 : tasarimlar.first().first;
    QDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("PanelIEFormSec"));
    dlg.setWindowTitle(QStringLiteral("İş Emri Formu"));
    auto* lay = new QVBoxLayout(&dlg);
    lay->addWidget(new QLabel(QStringLiteral("Yazdırmak İstediğiniz \r\nİşemri Form Tasarımını Seçiniz !").replace(QStringLiteral("\r\n"), QStringLiteral("\n")), &dlg));
    auto* liste = new QListWidget(&dlg);
    liste->setObjectName(QStringLiteral("ListeIEForm"));
    for (const auto& [id, ad] : tasarimlar) {
        auto* it = new QListWidgetItem(ad, liste);
        it->setData(Qt::UserRole, id);
    }
    liste->setCurrentRow(0);
    lay->addWidget(liste);
    QObject::connect(liste, &QListWidget::itemActivated, &dlg, &QDialog::accept); // unguarded: ui only
    auto* kapat = new QPushButton(QStringLiteral("X"), &dlg);
    kapat->setObjectName(QStringLiteral("BtnKapat"));
    lay->addWidget(kapat);
    QObject::connect(kapat, &QPushButton::clicked, &dlg, &QDialog::reject); // unguarded: ui only
    if (RunModal(dlg) != QDialog::Accepted || !liste->currentItem())
        return -1;
    return liste->currentItem()->data(Qt::UserRole).toInt();
}

IsEmriBaskiVerisi bulunanIsEmri(const Db& db, const QString& isEmriNo)
{
    IsEmriBaskiVerisi v = IsEmriBaskiOku(db, isEmriNo);
    if (!v.found)
        ShowWarning(QStringLiteral("İş emri bulunamadı."));
    return v;
}

} // namespace

void IsEmriKapanisYazdir(const Db& db, const QString& isEmriNo)
{
    const IsEmriBaskiVerisi v = bulunanIsEmri(db, isEmriNo);
    if (v.found)
        goster(kapanisMatbu(db, v));
}

void YetkiliServisFormuYazdir(const Db& db, const QString& isEmriNo)
{
    if (isEmriNo.trimmed().isEmpty())
        return;
    const IsEmriBaskiVerisi v = bulunanIsEmri(db, isEmriNo);
    if (!v.found)
        return;
    QImage resim;
    Query q(db, QStringLiteral("SELECT RESIM FROM RESIMLER WHERE KOD = 'ISEMRIFORM' AND TIP = 'T'"));
    q.exec();
    if (q.next())
        resim.loadFromData(q.value(0).toByteArray());
    report::OutputDocument(report::Render(YetkiliServisFormu(v, resim)), report::OutputPrinter);
}

void IsEmriDigerFormYazdir(const Db& db, int form, const QString& isEmriNo)
{
    if (form == 2) {
        YetkiliServisFormuYazdir(db, isEmriNo);
        return;
    }
    const IsEmriBaskiVerisi v = bulunanIsEmri(db, isEmriNo);
    if (v.found)
        report::OutputDocument(report::Render(IsmeriFormYaz(v)), report::OutputPreview);
}

void IsEmriKapaYazdir(const Db& db, int mode, const QString& isEmriNo)
{
    const IsEmriBaskiVerisi v = bulunanIsEmri(db, isEmriNo);
    if (v.found)
        report::OutputDocument(report::Render(IsEmriKapaYaz(mode, v)), report::OutputPreview);
}

void IsEmriYazdir(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
{
    const Db& db = ctx.Database1;
    const IsEmriBaskiVerisi v = bulunanIsEmri(db, isEmriNo);
    if (!v.found)
        return;
    QDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("FormIsEmriYazSec"));
    dlg.setWindowTitle(QStringLiteral("İş Emri Yazdır"));
    auto* lay = new QVBoxLayout(&dlg);
    auto dugme = [&](const char* ad, const QString& baslik, std::function<void()> is) {
        auto* b = new QPushButton(baslik, &dlg);
        b->setObjectName(QLatin1String(ad));
        b->setAutoDefault(false);
        lay->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &dlg, Guarded([is] { Guard(is); }));
    };
    dugme("BtnMatbuAcilis", QStringLiteral("Açılış Formu (Matbu)"), [&] {
        const int tasarim = acilisTasarimi(db, &dlg);
        if (tasarim >= 0)
            goster(report::RenderPrePrinted(IsEmriAcilisFormu(report::ReadLayout(db, report::LayoutWorkOrder, tasarim), v)));
    });
    dugme("BtnMatbuKapanis", QStringLiteral("Kapanış Formu (Matbu)"), [&] { goster(kapanisMatbu(db, v)); });
    dugme("BtnAcilis", QStringLiteral("Açılış Formu"),
          [&] { report::OutputDocument(report::Render(IsEmriKapaYaz(1, v)), report::OutputPreview); });
    dugme("BtnKapanis", QStringLiteral("Kapanış Formu(Tasarımlı)"),
          [&] { report::OutputDocument(report::Render(IsEmriKapaYaz(2, v)), report::OutputPreview); });
    dugme("BtnA4", QStringLiteral("A4 Standart Form"),
          [&] { report::OutputDocument(report::Render(IsmeriFormYaz(v)), report::OutputPreview); });
    dugme("BtnYetkiliServis", QStringLiteral("Yetkili Servis Formu"), [&] { YetkiliServisFormuYazdir(db, isEmriNo); });
    auto* kapat = new QPushButton(QStringLiteral("&Kapat"), &dlg);
    kapat->setObjectName(QStringLiteral("BtnKapat"));
    lay->addWidget(kapat);
    QObject::connect(kapat, &QPushButton::clicked, &dlg, &QDialog::accept); // unguarded: ui only
    RunModal(dlg);
}

} // namespace tornaly::workshop
