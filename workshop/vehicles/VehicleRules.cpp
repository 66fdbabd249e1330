#include "workshop/common/RowValues.h"
#include "workshop/vehicles/VehicleRules.h"
#include "db/Database.h"
#include "money/Money.h"

#include <cmath>

namespace tornaly::workshop {

namespace {
using rowvals::num;
} // namespace

QString NormalizeVehicleCode(const QString& typed)
{
    QString out;
    out.reserve(typed.size());
    for (const QChar c : typed) {
        if (c.isSpace())
            continue;
        // Plates and chassis numbers hold Latin letters only: a typed "i"
        // means "I", never the Turkish dotted capital.
        if (c == QChar(0x0131) || c == QLatin1Char('i'))
            out += QLatin1Char('I');
        else
            out += c.toUpper();
    }
    return out;
}

QDateTime DateScaleDay(int day)
{
    return QDateTime(QDate(1899, 12, 30).addDays(day), QTime(0, 0));
}

bool IsEmptyDateSerial(const QVariant& value)
{
    if (value.isNull())
        return true;
    const QDateTime d = Query::toDateTime(value);
    return !d.isValid() || d <= DateScaleDay(100);
}

void ApplyWarrantyDefaults(QVariantMap& arac)
{
    const QString bas = QStringLiteral("GARANTI_BAS");
    const QString bit = QStringLiteral("GARANTI_BIT");
    const QVariant start = arac.value(bas);
    if (start.isNull() || !Query::toDateTime(start).isValid())
        arac.insert(bas, arac.value(QStringLiteral("FAT_TRH")));
    if (IsEmptyDateSerial(arac.value(bit)))
        arac.insert(bit, QVariant(QMetaType(QMetaType::QDateTime)));
}

void ModelUsdCostChanged(QVariantMap& model)
{
    const double cost = num(model, "MALIYET_FYT_USD");
    const double kar = num(model, "KAR_ORANI");
    model.insert(QStringLiteral("D_BASI_STK_DEGERI"), cost);
    model.insert(QStringLiteral("SATIS_FIYAT_USD"), kar * cost / 100 + cost);
}

void ModelRatePicked(QVariantMap& model, double tlRate)
{
    const double costTl = num(model, "MALIYET_FYT_USD") * tlRate;
    const double kar = num(model, "KAR_ORANI");
    model.insert(QStringLiteral("MALIYET_FYT_TL"), costTl);
    model.insert(QStringLiteral("SATIS_FIYAT_TL"), costTl + kar * costTl / 100);
}

QVariantMap NewModelRow()
{
    return {{QStringLiteral("D_BASI_STK_MIK"), 1.0}, {QStringLiteral("SIP_VERILEBILIR"), 0}};
}

BeyanToplam ComputeBeyanToplam(double aracBedel, double otv, double otvIst, double kdv, double masTop)
{
    BeyanToplam t;
    t.otvTut = RoundTo2(otv * aracBedel / 100);
    t.otvNet = std::max(0.0, t.otvTut - otvIst);
    t.kdvSiz = aracBedel + t.otvNet;
    t.kdvTut = kdv * t.kdvSiz / 100;
    t.kdvliTut = t.kdvSiz + t.kdvTut;
    t.atf = masTop + t.kdvliTut;
    return t;
}

BeyanToplam ApplyBeyanToplam(QVariantMap& arac)
{
    const BeyanToplam t = ComputeBeyanToplam(num(arac, "ARAC_BEDEL"), num(arac, "OTV"), num(arac, "OTV_IST"),
                                             num(arac, "KDV"), num(arac, "MAS_TOP"));
    arac.insert(QStringLiteral("OTV_TUT"), t.otvTut);
    arac.insert(QStringLiteral("KDV_SIZ"), t.kdvSiz);
    arac.insert(QStringLiteral("ATF"), t.atf);
    return t;
}

void ApplyBeyanDefaults(QVariantMap& arac, const QVariantMap& model)
{
    if (num(arac, "KDV") > 100)
        arac.insert(QStringLiteral("KDV"), num(model, "KDV"));
    if (num(arac, "OTV") == 0)
        arac.insert(QStringLiteral("OTV"), num(model, "OTV"));
    if (num(arac, "ARAC_BEDEL") == 0)
        arac.insert(QStringLiteral("ARAC_BEDEL"), num(model, "SATIS_FIYAT_TL"));
    ApplyBeyanToplam(arac);
}

QString PaddedWhole(double value, int width)
{
    // printf would round an exact half to even; the declaration wants the
    // amount a clerk would write.
    const double whole = std::round(value);
    return QString::number(whole, 'f', 0).rightJustified(width, QLatin1Char(' '));
}

DateParts SplitDate(const QVariant& value, int minYear)
{
    const QDateTime d = value.isNull() ? QDateTime() : Query::toDateTime(value);
    if (!d.isValid() || d.date().year() < minYear)
        return {QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("0000")};
    const QDate day = d.date();
    return {QStringLiteral("%1").arg(day.day(), 2, 10, QLatin1Char('0')),
            QStringLiteral("%1").arg(day.month(), 2, 10, QLatin1Char('0')),
            QStringLiteral("%1").arg(day.year(), 4, 10, QLatin1Char('0'))};
}

void PrepareBeyanForWrite(QVariantMap& beyan, const QVariantMap& arac)
{
    const DateParts t = SplitDate(beyan.value(QStringLiteral("TARIH")), 1980);
    beyan.insert(QStringLiteral("TRH_GUN"), t.gun);
    beyan.insert(QStringLiteral("TRH_AY"), t.ay);
    beyan.insert(QStringLiteral("TRH_YIL"), t.yil);

    const BeyanToplam top = ComputeBeyanToplam(num(arac, "ARAC_BEDEL"), num(arac, "OTV"), num(arac, "OTV_IST"),
                                               num(arac, "KDV"), num(arac, "MAS_TOP"));
    beyan.insert(QStringLiteral("OTV_MAT"), PaddedWhole(num(arac, "ARAC_BEDEL"), 17));
    beyan.insert(QStringLiteral("OTV_TUT"), PaddedWhole(top.otvTut, 17));
    beyan.insert(QStringLiteral("OTV_IST"), PaddedWhole(num(arac, "OTV_IST"), 17));
    beyan.insert(QStringLiteral("TEXT_4"), PaddedWhole(top.otvNet, 17));
    beyan.insert(QStringLiteral("TEXT_5"), PaddedWhole(num(beyan, "NUM_1"), 17));
    beyan.insert(QStringLiteral("OTV"), PaddedWhole(num(arac, "OTV"), 4));

    const DateParts dt = SplitDate(beyan.value(QStringLiteral("AL_DTAR")), 1900);
    beyan.insert(QStringLiteral("AL_DT_GUN"), dt.gun);
    beyan.insert(QStringLiteral("AL_DT_AY"), dt.ay);
    beyan.insert(QStringLiteral("AL_DT_YIL"), dt.yil);

    const bool arkaPencere = beyan.value(QStringLiteral("TIK_1")).toString() == QLatin1String("X");
    beyan.insert(QStringLiteral("TIK_2"), arkaPencere ? QStringLiteral(" ") : QStringLiteral("X"));
}

} // namespace tornaly::workshop
