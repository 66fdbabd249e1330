#include "workshop/labour/Tarizpar.h"
#include "workshop/labour/Frt.h"

#include "guard/IslemReddi.h"
#include "workshop/dispositions/IsEmriSatirlari.h"

namespace tornaly::workshop {

namespace {
const char* const kTarizparKolonlari[] = {"IZP_ARAC_TIPI", "IZP_KODU", "IZP_GRUP", "IZP_MALZEME"};

QString tarizparDegeri(const QVariantMap& r, const char* kolon) { return r.value(QLatin1String(kolon)).toString().trimmed(); }

QList<QVariantMap> tarizparOku(Query& q)
{
    QList<QVariantMap> out;
    while (q.next())
        out << SatirOku(q);
    return out;
}
} // namespace

QList<QVariantMap> ArizaParcalari(const Db& db, const QString& arizaKodu, const QString& model)
{
    Query q(db, QStringLiteral("SELECT IZP_ARAC_TIPI, IZP_KODU, IZP_GRUP, IZP_MALZEME FROM TARIZPAR "
                               "WHERE IZP_KODU = :K AND IZP_ARAC_TIPI = :M ORDER BY IZP_MALZEME"));
    q.bind(QStringLiteral("K"), arizaKodu.trimmed())
        .bind(QStringLiteral("M"), model.trimmed().isEmpty() ? GenelModel() : model.trimmed())
        .exec();
    return tarizparOku(q);
}

ParcaIscilikTanimi ParcaIscilikKodu(const Db& db, const QString& parcaKodu)
{
    Query q(db, QStringLiteral("SELECT MAX(IZP_KODU) AS ISC_KOD, COUNT(*) AS ADET FROM TARIZPAR WHERE IZP_MALZEME = :YPKOD"));
    q.bind(QStringLiteral("YPKOD"), parcaKodu.trimmed()).exec();
    ParcaIscilikTanimi t;
    if (q.next()) {
        t.kod = q.str(QStringLiteral("ISC_KOD")).trimmed();
        t.adet = q.value(1).toInt();
    }
    return t;
}

QList<QVariantMap> TarizparTumu(const Db& db)
{
    Query q(db, QStringLiteral("SELECT IZP_ARAC_TIPI, IZP_KODU, IZP_GRUP, IZP_MALZEME FROM TARIZPAR "
                               "ORDER BY IZP_KODU, IZP_ARAC_TIPI, IZP_MALZEME"));
    q.exec();
    return tarizparOku(q);
}

void TarizparYaz(const Db& db, const QVariantMap& eski, const QVariantMap& yeni)
{
    if (tarizparDegeri(yeni, "IZP_KODU").isEmpty() || tarizparDegeri(yeni, "IZP_ARAC_TIPI").isEmpty() || tarizparDegeri(yeni, "IZP_MALZEME").isEmpty())
        throw IslemReddi(QStringLiteral("Araç Model, İşçilik Kodu ve Parça Kodu boş olamaz."));
    QVariantMap b;
    for (const char* k : kTarizparKolonlari) {
        const QString v = tarizparDegeri(yeni, k);
        b.insert(QLatin1String(k), v.isEmpty() ? QVariant() : QVariant(v));
    }
    if (eski.isEmpty()) {
        db.exec(QStringLiteral("INSERT INTO TARIZPAR (IZP_ARAC_TIPI, IZP_KODU, IZP_GRUP, IZP_MALZEME) "
                               "VALUES (:IZP_ARAC_TIPI, :IZP_KODU, :IZP_GRUP, :IZP_MALZEME)"),
                b);
        return;
    }
    b.insert(QStringLiteral("E_TIP"), tarizparDegeri(eski, "IZP_ARAC_TIPI"));
    b.insert(QStringLiteral("E_KOD"), tarizparDegeri(eski, "IZP_KODU"));
    b.insert(QStringLiteral("E_MAL"), tarizparDegeri(eski, "IZP_MALZEME"));
    db.exec(QStringLiteral("UPDATE TARIZPAR SET IZP_ARAC_TIPI = :IZP_ARAC_TIPI, IZP_KODU = :IZP_KODU, IZP_GRUP = :IZP_GRUP, "
                           "IZP_MALZEME = :IZP_MALZEME "
                           "WHERE IZP_ARAC_TIPI = :E_TIP AND IZP_KODU = :E_KOD AND IZP_MALZEME = :E_MAL"),
            b);
}

void TarizparSil(const Db& db, const QVariantMap& satir)
{
    db.exec(QStringLiteral("DELETE FROM TARIZPAR WHERE IZP_ARAC_TIPI = :T AND IZP_KODU = :K AND IZP_MALZEME = :M"),
            {{QStringLiteral("T"), tarizparDegeri(satir, "IZP_ARAC_TIPI")},
             {QStringLiteral("K"), tarizparDegeri(satir, "IZP_KODU")},
             {QStringLiteral("M"), tarizparDegeri(satir, "IZP_MALZEME")}});
}

} // namespace tornaly::workshop
