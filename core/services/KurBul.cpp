#include "services/KurBul.h"

namespace tornaly {

bool YerelParaMi(const SessionContext& ctx, const QString& dovizKodu)
{
    const QString code = dovizKodu.trimmed();
    return code.isEmpty() || code.compare(ctx.YerelPara, Qt::CaseInsensitive) == 0;
}

std::optional<KurKaydi> SonKurKaydi(const Db& db, const QString& doviz, const QDateTime& sinir, bool sinirDahil)
{
    Query q(db, QStringLiteral("SELECT TLDEGERI_SATIS, TLDEGERI_ALIS, TARIH\n"
                               "FROM KURDEGER\n"
                               "WHERE (DOVIZ_KODU=:dvz) AND (TARIH%1:trh)\n"
                               "ORDER BY TARIH DESC\n"
                               "LIMIT 1")
                    .arg(sinirDahil ? QStringLiteral("<=") : QStringLiteral("<")));
    q.bind(QStringLiteral("dvz"), doviz.trimmed()).bind(QStringLiteral("trh"), sinir).exec();
    if (!q.next())
        return std::nullopt;
    return KurKaydi{q.num(QStringLiteral("TLDEGERI_SATIS")), q.num(QStringLiteral("TLDEGERI_ALIS")),
                    q.dateTime(QStringLiteral("TARIH"))};
}

std::optional<double> KurBul(const SessionContext& ctx, const Db& db, const QString& DoviziNe, int AlisTanmi,
                             const QDate& TarihiNe)
{
    if (DoviziNe.trimmed().compare(ctx.YerelPara, Qt::CaseInsensitive) == 0)
        return 1.0;
    // Every rate entered during the day counts: the day ends before midnight of the next.
    const auto kayit = SonKurKaydi(db, DoviziNe, TarihiNe.addDays(1).startOfDay(), false);
    if (!kayit)
        return std::nullopt;
    const double rate = AlisTanmi == 1 ? kayit->alis : kayit->satis;
    if (rate == 0.0)
        return std::nullopt;
    return rate;
}

double KurBulDeger(const SessionContext& ctx, const Db& db, const QString& DoviziNe, int AlisTanmi,
                   const QDate& TarihiNe, bool* bulundu)
{
    const auto rate = KurBul(ctx, db, DoviziNe, AlisTanmi, TarihiNe);
    if (bulundu)
        *bulundu = rate.has_value();
    return rate.value_or(1.0);
}

QString KurYokMesaji(const QString& dovizKodu, const QDate& tarih)
{
    return QStringLiteral("%1 için %2 tarihinde geçerli bir kur bulunamadı. Lütfen önce kur değerini giriniz.")
        .arg(dovizKodu.trimmed(), tarih.toString(QStringLiteral("dd.MM.yyyy")));
}

} // namespace tornaly
