#include "browse/BrowseRules.h"

#include "context/User.h"
#include "money/Money.h"

#include <QDateTime>
#include <QRegularExpression>

namespace tornaly {

AramaTuru AramaTuruBelirle(QMetaType::Type type, const QVariant& ornek)
{
    switch (type) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Double:
    case QMetaType::Float:
        return AramaTuru::Sayisal;
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime:
        return AramaTuru::Tarih;
    case QMetaType::QString: {
        // A computed column has no declared type: its value tells.
        if (ornek.typeId() == QMetaType::QDateTime || ornek.typeId() == QMetaType::QDate)
            return AramaTuru::Tarih;
        if (ornek.typeId() == QMetaType::Double || ornek.typeId() == QMetaType::Int
            || ornek.typeId() == QMetaType::LongLong)
            return AramaTuru::Sayisal;
        return AramaTuru::Metin;
    }
    default:
        return AramaTuru::Metin;
    }
}

QDateTime AramaTarihi(const QString& text)
{
    const QString t = text.trimmed();
    for (const char* f : {"dd.MM.yyyy HH:mm", "d.M.yyyy HH:mm", "dd.MM.yyyy", "d.M.yyyy", "dd.MM.yy", "d.M.yy",
                          "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QString fmt = QString::fromLatin1(f);
        QDateTime dt = QDateTime::fromString(t, fmt);
        if (!dt.isValid()) {
            const QDate d = QDate::fromString(t, fmt);
            if (d.isValid())
                dt = d.startOfDay();
        }
        if (dt.isValid()) {
            if (fmt.contains(QLatin1String("yy")) && !fmt.contains(QLatin1String("yyyy")) && dt.date().year() < 1950)
                dt = dt.addYears(100);
            return dt;
        }
    }
    return {};
}

AramaKosulu AramaKosuluOlustur(const Dialect& dialect, AramaTuru tur, const QString& kolon, const QString& aranan)
{
    AramaKosulu k;
    static const QRegularExpression column(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*(\\.[A-Za-z_][A-Za-z0-9_]*)?$"));
    if (!column.match(kolon).hasMatch()) {
        k.hata = QStringLiteral("Arama yapılacak alan seçilmemiş.");
        return k;
    }
    const QString text = aranan.trimmed();
    switch (tur) {
    case AramaTuru::Sayisal: {
        double v = 0;
        if (!text.isEmpty() && !ParseMoney(text, &v)) {
            k.hata = QStringLiteral("Aranan değer sayı olmalıdır. Lütfen geçerli bir sayı giriniz.");
            return k;
        }
        k.kosul = QStringLiteral(" AND %1>=:ARANAN").arg(kolon);
        k.binds.insert(QStringLiteral("ARANAN"), v);
        return k;
    }
    case AramaTuru::Tarih: {
        if (text.isEmpty()) {
            k.kosul = QStringLiteral(" AND %1 IS NOT NULL").arg(kolon);
            return k;
        }
        const QDateTime dt = AramaTarihi(text);
        if (!dt.isValid()) {
            k.hata = QStringLiteral("Aranan değer tarih olmalıdır. Lütfen tarihi gg.aa.yyyy biçiminde giriniz.");
            return k;
        }
        k.kosul = QStringLiteral(" AND %1>=:ARANAN").arg(kolon);
        k.binds.insert(QStringLiteral("ARANAN"), dt);
        return k;
    }
    case AramaTuru::Metin:
        k.kosul = QStringLiteral(" AND ")
                  + dialect.ciLike(QStringLiteral("CAST(%1 AS VARCHAR(255))").arg(kolon), QStringLiteral(":ARANAN"));
        k.binds.insert(QStringLiteral("ARANAN"),
                       QLatin1Char('%') + Dialect::escapeLike(aranan) + QLatin1Char('%'));
        return k;
    case AramaTuru::Yok:
        break;
    }
    k.hata = QStringLiteral("Arama yapılacak alan seçilmemiş.");
    return k;
}

BrowseKomutlari BrowseKomutlariniBelirle(int mode, const QString& hak)
{
    BrowseKomutlari k;
    k.acilir = RightOpens(hak);
    k.tag = mode == 2 ? 1 : mode;
    k.yeni = RightAdds(hak);
    k.duzenle = RightChanges(hak);
    k.sil = RightDeletes(hak);
    switch (mode) {
    case 0:
        break;
    case 1:
        k.secGorunur = k.secEtkin = true;
        break;
    case 2:
        k.secGorunur = k.secEtkin = true;
        k.yeni = k.duzenle = false;
        break;
    case 5:
        k.secGorunur = true;
        k.secEtkin = false;
        k.aramaOdak = true;
        break;
    default:
        k.secGorunur = k.secEtkin = mode > 0;
        break;
    }
    return k;
}

} // namespace tornaly
