#include "company/FirmaKatalog.h"
#include "context/SessionContext.h"
#include "settings/Settings.h"

namespace tornaly {

QStringList TFirmaKatalog::companies(bool includeHidden) const
{
    QString sql = QStringLiteral("SELECT DISTINCT FIRMA_ADI FROM FIRMALAR");
    if (!includeHidden)
        sql += QStringLiteral("\nWHERE FIRMA_NO IS NULL OR FIRMA_NO<>'X'");
    sql += QStringLiteral("\nORDER BY FIRMA_ADI");
    Query q(m_db, sql);
    q.exec();
    QStringList out;
    while (q.next())
        out << q.str(QStringLiteral("FIRMA_ADI"));
    return out;
}

QList<TFirmaYili> TFirmaKatalog::years(const QString& company) const
{
    Query q(m_db, QStringLiteral("SELECT FIRMA_ADI, FIRMA_NO, YILI, ALIASADI, DATABASE_NAME, FIRMA_ID "
                                 "FROM FIRMALAR WHERE FIRMA_ADI = :FIRMA_ADI ORDER BY YILI"));
    q.bind(QStringLiteral("FIRMA_ADI"), company).exec();
    QList<TFirmaYili> out;
    while (q.next())
        out.append({q.str(QStringLiteral("FIRMA_ADI")), q.str(QStringLiteral("FIRMA_NO")),
                    q.str(QStringLiteral("YILI")), q.str(QStringLiteral("ALIASADI")),
                    q.str(QStringLiteral("DATABASE_NAME")), q.str(QStringLiteral("FIRMA_ID"))});
    return out;
}

QString RememberedCompany()
{
    QString name = ReadSetting({}, QStringLiteral("Login"), QStringLiteral("Company Name"), StoreRegistry);
    if (name.isEmpty())
        name = ReadSetting({}, QStringLiteral("TFormFirmaSec"), QStringLiteral("Label3_Caption"), StoreLegacy);
    return name;
}

QString RememberedYear()
{
    return ReadSetting({}, QStringLiteral("Login"), QStringLiteral("Company Year"), StoreRegistry);
}

void RememberCompanyChoice(const QString& company, const QString& year)
{
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("Company Name"), company, StoreRegistry);
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("Company Year"), year, StoreRegistry);
}

FirmaSecimSonucu ApplyCompanyChoice(const TFirmaYili& row, const TConnectionSettings& settings,
                                    SessionContext& ctx, TDbParamLists& lists)
{
    const QString year = row.YILI.trimmed();
    bool ok = true;
    const int yearNo = year.isEmpty() ? ctx.CalismaYiliNo : year.toInt(&ok);
    if (!ok)
        return FirmaSecimSonucu::YearNotNumber;
    ctx.FirmaAdi = row.FIRMA_ADI;
    ctx.FirmaVeritabani = row.DATABASE_NAME;
    RememberCompanyChoice(row.FIRMA_ADI, row.YILI);
    ctx.CalismaYili = year;
    ctx.FirmaId = row.FIRMA_ID.trimmed().toInt();
    ctx.CalismaYiliNo = yearNo;
    ctx.FirmaAlias = row.DATABASE_NAME + QStringLiteral("MS");
    ctx.DonemBasTarih = QDate(yearNo, 1, 1);
    ctx.DonemBitTarih = QDate(yearNo, 12, 31);
    ctx.SunucuAdi = settings.SunucuAdi;
    ctx.DbKullaniciAdi = settings.DbKullaniciAdi;
    if (ctx.FirmaVeritabani.isEmpty())
        return FirmaSecimSonucu::NoDatabase;
    lists.FirmaDbParams = MakeDbParams(settings, ctx.FirmaVeritabani);
    return FirmaSecimSonucu::Ok;
}

} // namespace tornaly
