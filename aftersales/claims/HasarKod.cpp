#include "aftersales/claims/HasarKod.h"

#include "guard/IslemReddi.h"
#include "messages/Messages.h"

namespace tornaly::aftersales {

QString HasarKodBaslik(int tip)
{
    switch (tip) {
    case 1: return QStringLiteral("Kleym Tipleri");
    case 2: return QStringLiteral("Onay");
    case 3: return QStringLiteral("Müşteri Şikayet (N Kodları)");
    case 4: return QStringLiteral("Arıza Sebepleri (C Kodları)");
    case 5: return QStringLiteral("Harici Onarım");
    case 6: return QStringLiteral("Boya Arıza");
    case 7: return QStringLiteral("Geri Dönüş");
    case 8: return QStringLiteral("Üretici Firma");
    default: return {};
    }
}

QString HasarKodCaption(int tip)
{
    return HasarKodBaslik(tip) + QStringLiteral(" Tanımları");
}

QString HasarKodSakla(const Db& db, int tip, const QString& kod, const QString& ad, bool yeni)
{
    const QString k = kod.trimmed();
    if (k.isEmpty())
        throw IslemReddi(QStringLiteral(" %s alanı devam etmek için gereklidir.").replace(QStringLiteral("%s"), QStringLiteral("Kod")),
                         MsgIcon::Information);
    const QVariantMap b{{QStringLiteral("TIP"), tip}, {QStringLiteral("KOD"), k},
                        {QStringLiteral("AD"), ad.trimmed().isEmpty() ? QVariant() : QVariant(ad)}};
    try {
        if (yeni)
            db.exec(QStringLiteral("INSERT INTO CLKODTIP (CC_TIP, CC_KOD, CC_AD) VALUES (:TIP, :KOD, :AD)"), b);
        else
            db.exec(QStringLiteral("UPDATE CLKODTIP SET CC_AD = :AD WHERE CC_TIP = :TIP AND CC_KOD = :KOD"), b);
    } catch (const DbError& e) {
        if (!e.isUniqueViolation())
            throw;
        throw IslemReddi(QStringLiteral("Aynı Kodlu Kayıt Var."), MsgIcon::Warning);
    }
    return k;
}

bool HasarKodSil(const Db& db, int tip, const QString& kod)
{
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return false;
    db.exec(QStringLiteral("DELETE FROM CLKODTIP WHERE CC_TIP = :TIP AND CC_KOD = :KOD"),
            {{QStringLiteral("TIP"), tip}, {QStringLiteral("KOD"), kod}});
    return true;
}

} // namespace tornaly::aftersales
