#include "company/Kilit.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"

namespace tornaly {

namespace {
bool lockedOn(const SessionContext& ctx, const QDate& date)
{
    return ctx.KilitTarihi.isValid() && date.isValid() && date <= ctx.KilitTarihi;
}
} // namespace

bool IsDateLocked(const SessionContext& ctx, bool warn, const QDate& date)
{
    if (!lockedOn(ctx, date))
        return false;
    if (warn)
        ShowWarning(QStringLiteral("İlgili tarih için işlem yapılamaz!"));
    return true;
}

bool IsDocDateLocked(const SessionContext& ctx, const QString& docType, bool warn, InvoiceDate invoice,
                     DeliveryNoteDate deliveryNote)
{
    const QChar first = docType.isEmpty() ? QChar() : docType.at(0);
    const bool deliveryKind = first == QLatin1Char('K') || first == QLatin1Char('L') || first == QChar(0x0130);
    const QDate date = deliveryKind ? deliveryNote.value : invoice.value;
    if (!lockedOn(ctx, date))
        return false;
    if (warn)
        ShowWarning(deliveryKind ? QStringLiteral("İlgili irsaliye tarihi için işlem yapılamaz!")
                                 : QStringLiteral("İlgili fatura tarihi için işlem yapılamaz!"));
    return true;
}

QString BuildSessionInfoText(const SessionContext& ctx)
{
    const QString empty = QStringLiteral("¢");
    QString out = QStringLiteral(" ") + ctx.FirmaAlias;
    const QString values[] = {ctx.GirisKullaniciAdi, QString(), ctx.DbKullaniciAdi, QString(),
                              ctx.CalismaYili,       ctx.FirmaVeritabani, ctx.FirmaAdi, ctx.SunucuAdi};
    for (const QString& v : values)
        out += QLatin1Char(' ') + (v.isEmpty() ? empty : v);
    return out;
}

bool IsUpperAlnumCode(const QString& code)
{
    for (const QChar c : code) {
        const ushort u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z')))
            return false;
    }
    return true;
}

} // namespace tornaly
