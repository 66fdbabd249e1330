#include "accounts/ledger/CariHrkTurleri.h"

namespace tornaly::accounts {

namespace {

// Marks a caption that prints the kind letter itself.
const char* const kHarf = "\x01";

struct TurSatiri {
    char16_t harf;
    const char* fisBasligi;
    const char* fisListesi;
    const char* hareketListesi;
    const char* ekstre;
};

// Cash vouchers and the kinds captioned by their reference are handled in code.
const TurSatiri kTurler[] = {
    {u'N', "", "Nakit", "Nakit", "Nakit"},
    {u'D', "Dekont", "Dekont", "Dekont", "Dekont"},
    {u'V', "Virman", "Virman", "Virman", "Virman"},
    {u'O', "Özel", "Özel", "Verilen Vade Farkı Fat.", kHarf},
    {u'I', "İlk Açılış", "İlk Açılış", "Devir", "Açılış"},
    {u'F', "", "Kur Farkı", "Verilen Vade Farkı Fat.", kHarf},
    {u'S', "Satış Faturası", "Satış Faturası", "Satış Ft.", "Satış Ft."},
    {u'A', "Alış Faturası", "Alış Faturası", "Alış Ft.", "Alış Ft."},
    {u'G', "Gelen Havaleler", "Gelen Havaleler", "Gel.Hvl.", "Gel.Hvl."},
    {u'H', "Gönderilen Havaleler", "Gönderilen Havaleler", "Gönd.Hvl.", "Gönd.Hvl."},
    {u'K', "", "", "Kredi Kartı", "Kredi Kartı"},
    {u'Ç', "Çek", "Çek", "Çek", "Çek"},
    {u'E', "Senet", "Senet", "Senet", "Senet"},
    {u'M', "", "", "Fiş", "Fiş"},
    {u'L', "", "Alınan Vade Farkı Fat.", "", "Araç Al.Ft."},
    {u'T', "", "", "Araç Sat.Ft.", "Araç Sat.Ft."},
    {u'R', "", "Verilen Vade Farkı Fat.", "", "Araç Prim Ft"},
    {u'1', "2.El Araç Alım", "2.El Araç Alış", "Verilen Vade Farkı Fat.", kHarf},
    {u'2', "2.EL Araç Satışı", "2.El Araç Satış", "Verilen Vade Farkı Fat.", kHarf},
};

bool refBos(const QVariant& refNo)
{
    return refNo.isNull() || !refNo.isValid() || refNo.toString().trimmed().isEmpty() || refNo.toDouble() == 0.0;
}

} // namespace

QString CariHrkTurBasligi(CariHrkEkrani ekran, QChar tur, const QVariant& refNo, bool tahsilat)
{
    if (ekran == CariHrkEkrani::HareketListesi) {
        if (tur == QLatin1Char('L'))
            return refBos(refNo) ? QStringLiteral("Alınan Vade Farkı Fat.") : QStringLiteral("Araç Al.Ft.");
        if (tur == QLatin1Char('R'))
            return refBos(refNo) ? QStringLiteral("Araç Prim Ft") : QString();
    }
    if (ekran == CariHrkEkrani::FisBasligi && tur == QLatin1Char('N'))
        return tahsilat ? QStringLiteral("Nakit Tahsilat") : QStringLiteral("Nakit Ödeme");
    for (const TurSatiri& s : kTurler) {
        if (QChar(s.harf) != tur)
            continue;
        const char* c = ekran == CariHrkEkrani::FisBasligi ? s.fisBasligi
                        : ekran == CariHrkEkrani::FisListesi ? s.fisListesi
                        : ekran == CariHrkEkrani::HareketListesi ? s.hareketListesi
                                                                 : s.ekstre;
        return c == kHarf ? QString(tur) : QString::fromUtf8(c);
    }
    switch (ekran) {
    case CariHrkEkrani::HareketListesi:
        return QStringLiteral("Verilen Vade Farkı Fat.");
    case CariHrkEkrani::Ekstre:
        return tur.isNull() ? QString() : QString(tur);
    default:
        return {};
    }
}

QString AltTipBasligi(AltTipEkrani ekran, const QString& altTip, QChar tur)
{
    const bool liste = ekran == AltTipEkrani::HareketListesi;
    if (altTip.size() != 1)
        return altTip;
    switch (altTip.at(0).unicode()) {
    case u'A': return QStringLiteral("İade");
    case u'B': return liste && tur == QLatin1Char('R') ? QStringLiteral("Bonus") : QStringLiteral("Banko");
    case u'D': return QStringLiteral("Diğer");
    case u'E': return QStringLiteral("Hasar");
    case u'F': return liste ? QStringLiteral("Filo") : altTip;
    case u'G': return QStringLiteral("Garanti");
    case u'H': return liste ? QStringLiteral("Personel") : altTip;
    case u'I': return liste ? QStringLiteral("İşEmri") : QStringLiteral("İş Emri");
    case u'K': return QStringLiteral("Kampanya");
    case u'M': return liste ? QStringLiteral("Prim.Srv.") : altTip;
    case u'N': return liste ? QStringLiteral("Prim.St.") : altTip;
    default: return altTip;
    }
}

QString ParaBazBasligi(const QString& paraBaz)
{
    if (paraBaz == QLatin1String("T"))
        return QStringLiteral("TL");
    if (paraBaz == QLatin1String("U"))
        return QStringLiteral("USD");
    if (paraBaz == QLatin1String("D"))
        return QStringLiteral("DÖVİZ");
    return paraBaz;
}

} // namespace tornaly::accounts
