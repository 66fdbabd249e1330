#pragma once
#include "db/Database.h"
#include "report/PrePrinted.h"

#include <QDate>
#include <QVariantMap>

namespace tornaly {
struct SessionContext;
}

namespace tornaly::workshop {

// What the work-order prints read: the work order, its customer, model,
// colour, adviser, type and parts lines, and the company header.
struct IsEmriBaskiVerisi {
    QVariantMap ie;
    QVariantMap cari;
    QString modelAdi, marka, renkAdi, danismanAdi, tipAdi;
    QString firmaAdi, firmaTel, firmaTel2, aciklamaParametresi;
    QString firmaAdres, firmaVergi; // address lines and province; tax office and number
    QDate baskiTarihi;              // the server's day of the print
    struct Parca {
        QString kod, ad;
        double miktar = 0, fiyat = 0, tutar = 0;
    };
    QList<Parca> parcalar;
    double parcaToplam = 0, iscilikToplam = 0, genelToplam = 0;
    bool found = false;

    QString ieText(const QString& column) const;
    QString cariText(const QString& column) const;
};
IsEmriBaskiVerisi IsEmriBaskiOku(const Db& db, const QString& isEmriNo);

// The paper of the opening form from its design's page columns: the five
// page names, a custom size below 15 mm taken as 210 mm, an empty name a
// custom 210 x 297 page. The printer gets the matching paper code.
report::PageSettings IsEmriSayfasi(const report::LayoutRow& row);

// The opening form on pre-printed paper (TIsEmriYaz), from a KOORIE design.
report::PrePrintedForm IsEmriAcilisFormu(const report::LayoutRow& row, const IsEmriBaskiVerisi& v);
// The closing form on pre-printed paper (TIsEmriKapaYaz), from the closing
// layout in use, on the invoice page.
report::PrePrintedForm IsEmriKapanisFormu(const report::LayoutRow& row, const report::PageSettings& page,
                                          const IsEmriBaskiVerisi& v);

// The A4 standard form in three copies ("( MÜŞTERİ )", "( ARAÇ KABUL )", "( ATÖLYE )").
report::Report IsmeriFormYaz(const IsEmriBaskiVerisi& v);
// The opening or closing form with the built-in layout (IsEmriKapaYaz without a stored template).
report::Report IsEmriKapaYaz(int mode, const IsEmriBaskiVerisi& v);

// "Yetkili Servis Formu" ("MÜŞTERİ İSTEK FORMU"): the requests the customer
// signs for, with the dealer's header, the adviser and the form picture.
report::Report YetkiliServisFormu(const IsEmriBaskiVerisi& v, const QImage& formResmi = {});
// Prints it on the default printer (no preview); refuses a work order without a number.
void YetkiliServisFormuYazdir(const Db& db, const QString& isEmriNo);
// "Diğer Formlar" of the card: the A4 standard form (1) in the preview, or the
// authorised-service form (2).
void IsEmriDigerFormYazdir(const Db& db, int form, const QString& isEmriNo);

// The closing form on pre-printed paper ("Yazdır 2 " of the dispositions):
// the closing layout in use on the invoice page, shown in the preview.
void IsEmriKapanisYazdir(const Db& db, const QString& isEmriNo);
// The built-in opening (1) or closing (2) form in the preview.
void IsEmriKapaYazdir(const Db& db, int mode, const QString& isEmriNo);

// The print commands of the work-order card: a small chooser of the forms;
// each form is shown in the preview. Tells the user when the work order is
// missing or a design places items off the paper.
void IsEmriYazdir(SessionContext& ctx, const QString& isEmriNo, QWidget* parent = nullptr);

} // namespace tornaly::workshop
