#include "currency/KurDeger.h"

#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "settings/Settings.h"

#include <QEventLoop>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QXmlStreamReader>

namespace tornaly {

QList<KurDegerSatiri> KurDegerleri(const Db& db, const QString& dovizKodu)
{
    Query q(db, QStringLiteral("SELECT DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS FROM KURDEGER "
                               "WHERE DOVIZ_KODU=:D ORDER BY DOVIZ_KODU, TARIH"));
    q.bind(QStringLiteral("D"), dovizKodu).exec();
    QList<KurDegerSatiri> out;
    while (q.next())
        out.append({q.str(QStringLiteral("DOVIZ_KODU")), q.dateTime(QStringLiteral("TARIH")),
                    q.value(QStringLiteral("TLDEGERI_ALIS")), q.value(QStringLiteral("TLDEGERI_SATIS"))});
    return out;
}

QString KurEksikMesaji()
{
    return QStringLiteral("Alış ve satış TL değerleri girilmeden kur değeri kaydedilmez.");
}

void KurDegerKaydet(const Db& db, const KurDegerSatiri& s, const QDateTime& eskiTarih)
{
    // A rate row without both rates would later read as no rate at all.
    if (s.TLDEGERI_ALIS.isNull() || !s.TLDEGERI_ALIS.isValid() || s.TLDEGERI_SATIS.isNull()
        || !s.TLDEGERI_SATIS.isValid())
        throw IslemReddi(KurEksikMesaji(), MsgIcon::Warning);
    const QVariantMap binds{{QStringLiteral("D"), s.DOVIZ_KODU},
                            {QStringLiteral("T"), s.TARIH},
                            {QStringLiteral("A"), s.TLDEGERI_ALIS.toDouble()},
                            {QStringLiteral("S"), s.TLDEGERI_SATIS.toDouble()},
                            {QStringLiteral("E"), eskiTarih}};
    try {
        Transaction tx(db);
        if (eskiTarih.isValid()) {
            const int changed = db.exec(QStringLiteral("UPDATE KURDEGER SET TARIH=:T, TLDEGERI_ALIS=:A, TLDEGERI_SATIS=:S "
                                                       "WHERE DOVIZ_KODU=:D AND TARIH=:E"),
                                        binds);
            if (changed != 1)
                throw IslemReddi(QStringLiteral("Değiştirilen kur değeri bulunamadı; başka bir kullanıcı silmiş ya da "
                                                "değiştirmiş olabilir. Değişiklik kaydedilmedi."),
                                 MsgIcon::Warning);
        } else
            db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS) "
                                   "VALUES (:D, :T, :A, :S)"),
                    binds);
        tx.commit();
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::UniqueViolation)
            throw;
        throw IslemReddi(QStringLiteral("Aynı Tarihli Döviz Değeri Vardı. Bu Yüzden Kaydedilmedi."), MsgIcon::Warning);
    }
}

void KurDegerSil(const Db& db, const QString& dovizKodu, const QDateTime& tarih)
{
    db.exec(QStringLiteral("DELETE FROM KURDEGER WHERE DOVIZ_KODU=:D AND TARIH=:T"),
            {{QStringLiteral("D"), dovizKodu}, {QStringLiteral("T"), tarih}});
}

namespace {
QVariant sayi(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? QVariant(v) : QVariant(QMetaType(QMetaType::Double));
}
} // namespace

KurBelgesi KurBelgesiOku(const QByteArray& xml)
{
    KurBelgesi b;
    QXmlStreamReader r(xml);
    KurBelgesi::Doviz* cur = nullptr;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            const auto name = r.name();
            if (name == QLatin1String("Tarih_Date")) {
                b.Tarih = QDate::fromString(r.attributes().value(QLatin1String("Tarih")).toString().trimmed(),
                                            QStringLiteral("dd.MM.yyyy"));
            } else if (name == QLatin1String("Currency")) {
                QString kod = r.attributes().value(QLatin1String("Kod")).toString().trimmed();
                if (kod.isEmpty())
                    kod = r.attributes().value(QLatin1String("CurrencyCode")).toString().trimmed();
                b.dovizler.append({kod, {}, {}});
                cur = &b.dovizler.last();
            } else if (cur && name == QLatin1String("BanknoteBuying")) {
                cur->BanknoteBuying = sayi(r.readElementText());
            } else if (cur && name == QLatin1String("BanknoteSelling")) {
                cur->BanknoteSelling = sayi(r.readElementText());
            }
        } else if (r.isEndElement() && r.name() == QLatin1String("Currency")) {
            cur = nullptr;
        }
    }
    if (r.hasError() && b.dovizler.isEmpty())
        b.Tarih = QDate();
    return b;
}

QString KurBelgesiAdresi()
{
    const QString a = ReadSetting(QString(), QStringLiteral("KURLAR"), QStringLiteral("TCMB_ADRES")).trimmed();
    return a.isEmpty() ? QStringLiteral("https://www.tcmb.gov.tr/kurlar/today.xml") : a;
}

QByteArray KurBelgesiGetir(const QString& adres, QString* hata, int zamanAsimiMs)
{
    QNetworkAccessManager nam;
    QNetworkRequest req{QUrl(adres)};
    req.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = nam.get(req);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(zamanAsimiMs);
    if (!reply->isFinished())
        loop.exec();
    QByteArray data;
    if (reply->error() == QNetworkReply::NoError)
        data = reply->readAll();
    else if (hata)
        *hata = reply->errorString();
    reply->deleteLater();
    return data;
}

QStringList KurlariKaydet(const Db& db, const KurBelgesi& belge)
{
    QStringList stored;
    if (!belge.Tarih.isValid())
        return stored;
    const QDateTime gecerli = belge.Tarih.addDays(1).startOfDay();
    Transaction tx(db);
    for (const char* code : {"USD", "GBP", "EUR", "JPY"}) {
        const QString kod = QString::fromLatin1(code);
        const KurBelgesi::Doviz* d = nullptr;
        for (const auto& x : belge.dovizler)
            if (x.kod == kod) {
                d = &x;
                break;
            }
        // A rate the document does not give in full is not stored as empty.
        if (!d || d->BanknoteBuying.isNull() || d->BanknoteSelling.isNull())
            continue;
        Query known(db, QStringLiteral("SELECT DOVIZ_KODU FROM DOVIZ WHERE DOVIZ_KODU=:D"));
        known.bind(QStringLiteral("D"), kod).exec();
        if (!known.next())
            continue;
        Query up(db, db.dialect().upsert(QStringLiteral("KURDEGER"),
                                         {QStringLiteral("DOVIZ_KODU"), QStringLiteral("TARIH")},
                                         {QStringLiteral("DOVIZ_KODU"), QStringLiteral("TARIH"),
                                          QStringLiteral("TLDEGERI_ALIS"), QStringLiteral("TLDEGERI_SATIS")}));
        up.bind(QStringLiteral("DOVIZ_KODU"), kod)
            .bind(QStringLiteral("TARIH"), gecerli)
            .bind(QStringLiteral("TLDEGERI_ALIS"), d->BanknoteBuying)
            .bind(QStringLiteral("TLDEGERI_SATIS"), d->BanknoteSelling)
            .exec();
        stored << kod;
    }
    tx.commit();
    return stored;
}

bool TcmbKurlariAl(const Db& db, const QDate& bugun)
{
    QString hata;
    const QByteArray xml = KurBelgesiGetir(KurBelgesiAdresi(), &hata);
    const KurBelgesi belge = KurBelgesiOku(xml);
    if (!belge.Tarih.isValid()) {
        ShowWarning(QStringLiteral("Kurlara ulaşılamadı. Lütfen internet bağlantınızı kontrol ediniz."));
        return false;
    }
    if (belge.Tarih < bugun.addDays(-1)
        && Messages().show(MsgIcon::Warning, QStringLiteral("TCMB Kurları eski tarihli. Yine de güncellemek istiyor musunuz?"),
                           MsgYes | MsgNo, MsgNo, QString())
               != MsgYes)
        return false;
    if (KurlariKaydet(db, belge).isEmpty()) {
        ShowWarning(QStringLiteral("TCMB kurlarında kaydedilecek döviz bulunamadı. Kur değerleri değişmedi."));
        return false;
    }
    return true;
}

namespace {
QMutex g_stokMutex;
StokFiyatGuncelleyici& stokFiyat()
{
    static StokFiyatGuncelleyici f;
    return f;
}
} // namespace

void SetStokFiyatGuncelleyici(StokFiyatGuncelleyici f)
{
    QMutexLocker l(&g_stokMutex);
    stokFiyat() = std::move(f);
}

bool StokFiyatGuncelleyiciVar()
{
    QMutexLocker l(&g_stokMutex);
    return bool(stokFiyat());
}

int SP_SET_STOKFYT(const Db& db, const QDate& gun, const QString& ASKUR)
{
    StokFiyatGuncelleyici f;
    {
        QMutexLocker l(&g_stokMutex);
        f = stokFiyat();
    }
    if (!f)
        return -1;
    Transaction tx(db);
    const int n = f(db, gun, ASKUR == QLatin1String("A") ? QStringLiteral("A") : QStringLiteral("S"));
    tx.commit();
    return n;
}

bool KurFiyatlarinaGoreStokGuncelle(const Db& db, const QDate& gun, bool alisKuru)
{
    // Without the stock module's routine nothing would change: never report a success then.
    if (!StokFiyatGuncelleyiciVar()) {
        ShowWarning(QStringLiteral("Stok fiyatı güncellemesi bu kurulumda yüklü değil. Stok fiyatları değişmedi."));
        return false;
    }
    if (!gun.isValid()) {
        ShowWarning(QStringLiteral("Lütfen Fiyat Güncellemek için Kur Tarihi Giriniz."));
        return false;
    }
    if (!AskYesNo(QStringLiteral("Tüm Stokların Fiyatlarını Güncellemek İstiyormusunuz?")))
        return false;
    const int n = SP_SET_STOKFYT(db, gun, alisKuru ? QStringLiteral("A") : QStringLiteral("S"));
    if (n <= 0) {
        ShowWarning(QStringLiteral("Kur değerlerine göre güncellenecek stok fiyatı bulunamadı."));
        return false;
    }
    ShowInfo(QStringLiteral("Stok Fiyatları Güncellemesi Tamamlandı"));
    return true;
}

} // namespace tornaly
