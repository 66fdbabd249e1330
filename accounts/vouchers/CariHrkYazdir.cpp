#include "util/Utf8.h"
#include "accounts/vouchers/CariHrkYazdir.h"

#include "accounts/ledger/CariHrkTurleri.h"
#include "money/Money.h"
#include "words/AmountWords.h"

#include <cmath>

namespace tornaly::accounts {

using namespace report;

namespace {
using text::S;

// Caption at x, value from the row beside it.
void satir(Band& b, double x, double y, double capW, double valW, const QString& caption, const QString& field,
           const QString& format = {})
{
    b.add(Label(x, y, capW, 5, caption));
    b.add(Named(Field(x + capW, y, valW, 5, field, format), field));
}

void firmaBasligi(Band& b, const FirmaBasligi& f, double genislik)
{
    b.add(Bold(Sized(Named(Label(0, 0, genislik, 6, f.EADI), S("FirmaAdi")), 11)));
    double y = 6;
    for (const QString& s : {f.ADI, f.ADR1, f.ADR2, f.ADR3, f.TLF}) {
        if (s.trimmed().isEmpty())
            continue;
        b.add(Label(0, y, genislik, 4.5, s));
        y += 4.5;
    }
}

QString adresSatiri(const QString& semt, const QString& il)
{
    return semt + S(" / ") + il;
}
} // namespace

FirmaBasligi FirmaBasligiOku(const Db& db)
{
    FirmaBasligi f;
    Query q(db, S("SELECT EADI, ADI, ADR1, ADR2, ADR3, TLF FROM FIRKIM"));
    q.exec();
    if (q.next())
        f = {q.str(S("EADI")), q.str(S("ADI")), q.str(S("ADR1")), q.str(S("ADR2")), q.str(S("ADR3")), q.str(S("TLF"))};
    return f;
}

QString CariHrkFisBasligi(const QString& tip, double alacak)
{
    if (tip != QLatin1String("N"))
        return {};
    return alacak > 0 ? S(" T A H S İ L A T    M A K B U Z U") : S(" T E D İ Y E    M A K B U Z U");
}

report::Report CariMakbuzRaporu(const SessionContext& ctx, const Db& db, const CariHrkFisi& fis, int satirNo)
{
    const CariHrkFisSatiri& s = fis.satirlar.at(satirNo);
    const double borc = s.BORC.toDouble(), alacak = s.ALACAK.toDouble();
    const double tutar = alacak >= borc ? alacak : borc;
    const QString yazi = S("Yalnız ") + AmountToWords(db, ctx, ctx.YerelPara, tutar);

    QString firmaAdi, adres2, semt, il, tel1, tel2;
    Query q(db, S("SELECT FIRMA_ADI, ADRES_2, SEMT, ILI, TEL1, TEL2 FROM CARI WHERE CARI_KOD=:K"));
    q.bind(S("K"), s.CARI_KOD).exec();
    if (q.next()) {
        firmaAdi = q.str(S("FIRMA_ADI"));
        adres2 = q.str(S("ADRES_2"));
        semt = q.str(S("SEMT"));
        il = q.str(S("ILI"));
        tel1 = q.str(S("TEL1"));
        tel2 = q.str(S("TEL2"));
    }
    const QStringList alanlar = {S("MAKBUZ_TIP"), S("TARIH"), S("BELGE_NO"), S("FIS_NO"), S("ACIKLAMA"),
                                 S("CARI_KOD"), S("FIRMA_ADI"), S("ADRES"), S("TELEFON"), S("NAKIT"), S("CARI_NO")};
    const QVector<QVariant> deger = {
        CariHrkTurBasligi(CariHrkEkrani::FisBasligi, QLatin1Char('N'), {}, fis.ALACAK > 0),
        fis.TARIH,
        fis.BELGE_NO,
        fis.FIS_NO,
        s.ACIKLAMA,
        s.CARI_KOD,
        firmaAdi,
        adres2 + S("  ") + adresSatiri(semt, il),
        tel1 + S("  ") + tel2,
        yazi + S("  ") + FormatMoney(tutar, S(",0.00")) + S(" ") + ctx.YerelPara,
        fis.CARI_NO};

    Report r;
    r.name = S("MAKBUZ");
    r.title = S("Makbuz");
    r.font.pointSize = 10;
    r.source = RecordsSource(alanlar, {deger});
    const double w = r.page.sizeMm.width() - r.page.marginsMm.left() - r.page.marginsMm.right();
    Band& d = r.detail;
    d.height = 120;
    firmaBasligi(d, FirmaBasligiOku(db), w * 0.6);
    d.add(PrintDateEl(w * 0.6, 0, w * 0.4, 5));
    d.add(Bold(Sized(Named(Field(w * 0.6, 8, w * 0.4, 7, S("MAKBUZ_TIP"), {}, Qt::AlignRight | Qt::AlignVCenter),
                           S("MAKBUZ_TIP")),
                     12)));
    d.add(Label(w * 0.6, 16, 20, 5, S("Tarih :")));
    d.add(Named(Field(w * 0.6 + 20, 16, w * 0.4 - 20, 5, S("TARIH"), S("dd.MM.yyyy")), S("TARIH")));
    const double y0 = 36;
    satir(d, 0, y0, 30, 60, S("Makbuz No  : "), S("BELGE_NO"));
    satir(d, 95, y0, 28, 50, S("Muh. Ref. No:"), S("FIS_NO"), S("#"));
    satir(d, 0, y0 + 7, 30, w - 30, S("Açıklama     :"), S("ACIKLAMA"));
    satir(d, 0, y0 + 14, 30, w - 30, S("Cari Kod      :"), S("CARI_KOD"));
    satir(d, 0, y0 + 21, 30, w - 30, S("Cari Adı       :"), S("FIRMA_ADI"));
    satir(d, 0, y0 + 28, 30, w - 30, S("Adres          :"), S("ADRES"));
    satir(d, 0, y0 + 35, 30, w - 30, S("Telefon        :"), S("TELEFON"));
    d.add(HLine(0, y0 + 43, w));
    d.add(Label(0, y0 + 46, 30, 5, S("Nakit          :")));
    d.add(Bold(Named(Field(30, y0 + 46, w - 30, 10, S("NAKIT")), S("NAKIT"))));
    d.elements.last().wordWrap = true;
    satir(d, 0, y0 + 60, 20, 40, S("İşlem No:"), S("CARI_NO"), S("#"));
    return r;
}

report::Report CariHrkFisRaporu(const SessionContext& ctx, const Db& db, double cariNo, const QString& cariKod)
{
    const auto fis = CariHrkFisOku(db, cariNo);
    const CariHrkFisi f = fis.value_or(CariHrkFisi{});
    QString sql = S("SELECT CARIHRK.CARI_NO, CARIHRK.CARI_KOD, CARIHRK.SIRANO, CARIHRK.BORC, CARIHRK.ALACAK, "
                    "CARIHRK.ACIKLAMA, CARI.FIRMA_ADI, CARI.ADRES_1, CARI.ADRES_2, CARI.SEMT, CARI.ILI, CARI.TEL1\n"
                    "FROM CARIHRK, CARI\nWHERE (CARIHRK.CARI_NO=:CARI_NO) AND (CARIHRK.CARI_KOD = CARI.CARI_KOD)");
    QVariantMap binds{{S("CARI_NO"), cariNo}};
    if (!cariKod.isEmpty()) {
        sql += S(" AND (CARIHRK.CARI_KOD=:KOD)");
        binds.insert(S("KOD"), cariKod);
    }
    sql += S("\nORDER BY CARIHRK.CARI_KOD, CARIHRK.SIRANO");

    Report r;
    r.name = S("QuickRep1");
    r.title = S("Cari Hareket Fişi");
    r.font.pointSize = 9;
    r.source = QuerySource(db, sql, binds);
    const double w = r.page.sizeMm.width() - r.page.marginsMm.left() - r.page.marginsMm.right();

    Band& ph = r.pageHeader;
    ph.height = 50;
    firmaBasligi(ph, FirmaBasligiOku(db), w * 0.6);
    ph.add(PrintDateEl(w * 0.6, 0, w * 0.4, 5));
    ph.add(Bold(Sized(Named(Label(w * 0.45, 8, w * 0.55, 7, CariHrkFisBasligi(f.TIP, f.ALACAK),
                                  Qt::AlignRight | Qt::AlignVCenter),
                            S("Baslik")),
                      12)));
    const QChar tur = f.TIP.isEmpty() ? QChar() : f.TIP.at(0);
    const auto bilgi = [&](double y, const QString& caption, const QString& text, const QString& ad) {
        ph.add(Label(w * 0.55, y, 28, 5, caption));
        ph.add(Named(Label(w * 0.55 + 28, y, w * 0.45 - 28, 5, text), ad));
    };
    bilgi(18, S("Fiş Türü"), CariHrkTurBasligi(CariHrkEkrani::FisBasligi, tur, {}, f.ALACAK > 0), S("FisTuru"));
    bilgi(23, S("Tarih"), FormatValue(f.TARIH, S("dd.MM.yyyy")), S("Tarih"));
    bilgi(28, S("Referans No"), FormatValue(f.CARI_NO, S("#")), S("ReferansNo"));
    bilgi(33, S("Muh. Ref. No"), FormatValue(f.FIS_NO, S("#")), S("MuhRefNo"));

    Group g;
    g.name = S("Cari");
    g.keyField = S("CARI_KOD");
    g.header = Band{BandKind::GroupHeader, S("CariBaslik"), 30};
    satir(g.header, 0, 1, 25, w - 25, S("Cari Kod"), S("CARI_KOD"));
    satir(g.header, 0, 6, 25, w - 25, S("Cari Adı"), S("FIRMA_ADI"));
    g.header.add(Label(0, 11, 25, 5, S("Adres")));
    g.header.add(Named(Expr(25, 11, w - 25, 5, [](const RenderContext& c) {
                           return QVariant(c.str(S("ADRES_1")) + S(" ") + c.str(S("ADRES_2")));
                       }),
                       S("Adres")));
    g.header.add(Named(Expr(25, 16, w - 25, 5, [](const RenderContext& c) {
                           return QVariant(adresSatiri(c.str(S("SEMT")), c.str(S("ILI"))));
                       }),
                       S("Adres2")));
    satir(g.header, 0, 21, 25, w - 25, S("Tel."), S("TEL1"));
    g.header.add(Bold(Label(0, 26, 35, 4.5, S("Tutarı"), Qt::AlignRight | Qt::AlignVCenter)));
    g.header.add(Bold(Label(40, 26, w - 40, 4.5, S("Açıklama"))));

    Aggregate fark;
    fark.name = S("FARK");
    fark.scope = AggScope::Group;
    fark.group = g.name;
    fark.value = [](const RenderContext& c) { return c.num(S("BORC")) - c.num(S("ALACAK")); };
    r.aggregates.append(fark);

    const SessionContext* ctxp = &ctx;
    const Db dbc = db;
    g.footer = Band{BandKind::GroupFooter, S("CariToplam"), 22};
    g.footer.add(HLine(0, 1, w));
    g.footer.add(Bold(Named(Expr(0, 2, w, 10, [ctxp, dbc](const RenderContext& c) {
                                const double t = std::fabs(c.total(S("FARK")));
                                return QVariant(S("Toplam :") + FormatMoney(t, S(",0.00")) + S(" Yanlız ") +
                                                AmountToWords(dbc, *ctxp, ctxp->YerelPara, t));
                            }),
                            S("Toplam"))));
    g.footer.elements.last().wordWrap = true;
    g.footer.add(Label(w - 50, 14, 50, 5, S("Teslim Alan"), Qt::AlignCenter));
    r.groups.append(g);

    Band& d = r.detail;
    d.height = 5;
    d.add(Named(Expr(0, 0, 35, 5, [](const RenderContext& c) {
                    return QVariant(std::max(c.num(S("BORC")), c.num(S("ALACAK"))));
                }, S(",0.00"), Qt::AlignRight | Qt::AlignVCenter),
                S("Tutari")));
    d.add(Named(Field(40, 0, w - 40, 5, S("ACIKLAMA")), S("ACIKLAMA")));
    return r;
}

} // namespace tornaly::accounts
