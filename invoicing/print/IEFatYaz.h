#pragma once
#include "db/Database.h"
#include "invoicing/workorder/IEFatura.h"
#include "report/PrePrinted.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// The check boxes of the invoice form that change the printout.
struct IEFatBaskiSecenekleri {
    bool dovizli = false;  // "Dövizli Döküm": amounts in the invoice currency
    bool plaka = true;     // "Faturada Plaka Göster"
    bool aciklama = false; // "Faturada Açiklamayi Göster": EK1
};

// One printed line (customer, goodwill and campaign lines only), or the
// claim heading a warranty invoice prints above the lines of each claim.
struct IEFatBaskiSatiri {
    bool claimBasligi = false;
    QString claimSase;
    double claimNo = 0;

    int sira = 0;
    QString kod, ad, olcu, aciklama;
    bool metin = false, iscilik = false;
    double miktar = 0, fiyat = 0, iskonto = 0, kdv = 0, tutar = 0;
    // The dispositions form's amounts with VAT.
    double fiyatKdvli = 0, tutarKdvli = 0;
    QString garantiTip;
};

struct KdvMatrahi {
    double oran = 0;
    double matrah = 0;
    double kdv() const { return matrah * oran / 100.0; }
};

// Everything the three printouts of a work-order invoice read.
struct IEFatBaskiVerisi {
    bool found = false;
    IEFatura fatura;
    QVariantMap cari;   // CARI row of the billed account
    QVariantMap isEmri; // ISEMRI row; empty when the invoice has no work order
    QList<IEFatBaskiSatiri> satirlar;    // the printed lines (M, I, K) with claim headings
    QList<IEFatBaskiSatiri> tumSatirlar; // every line (the dispositions form)
    QList<KdvMatrahi> kdvMatrahlari; // by rate, every rate
    double borcToplam = 0, alacakToplam = 0;
    QString firmaAdi, firmaOzel1; // FIRKIM.EADI, OZEL1
    QByteArray logo;              // RESIMLER 'LOGO' / 'L'
    QString tevkifatBasligi;      // "1/2" ...
    QString yaziIle;              // the amount in words (without "YALNIZ ")
    bool dovizli = false;
    QString paraBirimi;           // the currency the amounts are printed in
    QString iscMark;              // PARAMET.ISC_MARK: the mark printed before labour lines
    int ondalik = 2;

    // A header amount in the printed currency, by its lira column
    // (BRUT_TUTAR, INDIRIM, TOPLAM_TUTAR, KDV_TUTARI, KDVTEV_TUT, NET_TUTAR,
    // IND_TUT_PAR, IND_YUZ_PAR, IND_TUT_ISCI, IND_YUZ_ISCI, GARANTI_TUTAR,
    // TEVSIZ_TUTAR).
    double tutar(const QString& liraKolonu) const;
    QString cariText(const QString& column) const;
    QString ieText(const QString& column) const;
    double oncekiBakiye() const;
    double sonBakiye() const;
};

IEFatBaskiVerisi IEFatBaskiOku(const SessionContext& ctx, const Db& db, double satisNo,
                               const IEFatBaskiSecenekleri& secenek = {});

// "%18       1.000,00        180,00": a "%", the rate in two places, the
// base in fifteen and the VAT in fourteen, Turkish separators.
QString KdvSatiri(const KdvMatrahi& m, int ondalik = 2);
// "Önc.Bakiye :(B)  1.234,56" / "Son.Bakiye :(A)  ..."; the amount alone when
// the captions are switched off.
QString BakiyeMetni(const QString& baslik, double bakiye, bool basliksiz);

// The invoice on pre-printed paper at the positions of a KOORFAT design.
report::PrePrintedForm IEFatMatbuFormu(const report::LayoutRow& row, const report::InvoicePage& sayfa,
                                       const IEFatBaskiVerisi& v, const IEFatBaskiSecenekleri& secenek);
// The self-contained A4 invoice (logo and company header unless the page
// setup leaves them out).
report::Report IEFatA4Raporu(const IEFatBaskiVerisi& v, bool firmaBasligiYok);
// "DİSPOZİSYON FORMU" of the invoice's work order.
report::Report DispozisyonRaporu(const IEFatBaskiVerisi& v);

// The refusals before any printout: e-invoices (pre-printed only), unsaved
// changes, an invoice of amount 0 the user does not want. Messages go
// through the message service; false stops the print.
bool IEFatYazdirilabilir(const IEFatura& f, bool degisiklikVar, bool matbu);

// The three print commands of the invoice form. Each opens the preview.
// Printing on pre-printed paper closes the invoice's open work order.
void IEFaturaMatbuYazdir(const SessionContext& ctx, const Db& db, double satisNo, int tasarimId,
                         const IEFatBaskiSecenekleri& secenek);
void IEFaturaA4Yazdir(const SessionContext& ctx, const Db& db, double satisNo, const IEFatBaskiSecenekleri& secenek);
void IEFatDispozisyonYazdir(const SessionContext& ctx, const Db& db, double satisNo);

// The designs of KOORFAT for the drop-down of "Fa&tura Kes": (ID, name).
QList<QPair<int, QString>> FaturaTasarimlari(const Db& db);

} // namespace tornaly::invoicing
