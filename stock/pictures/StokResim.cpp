#include "stock/pictures/StokResim.h"

#include "counters/Counters.h"

#include <QImage>

namespace tornaly::stock {

QString DosyaHatasiMesaji() { return QStringLiteral("Dosya Hatası !!!"); }
QString ResimHatasiEtiketi() { return QStringLiteral("Hata !!!"); }

bool ResimGecerli(const QByteArray& bytes)
{
    return !bytes.isEmpty() && !QImage::fromData(bytes).isNull();
}

int ResimEkle(const Db& db, const QString& ad, const QByteArray& bytes, QString* hata)
{
    if (!ResimGecerli(bytes)) {
        if (hata)
            *hata = DosyaHatasiMesaji();
        return -1;
    }
    // Numbers come from a counter: a deleted picture's number is never given
    // again, so a card that still points to it cannot show another picture.
    int no = -1;
    RetryAfterAsking(db, [&] {
        Transaction tx(db);
        no = int(TakeCounterNumber(db, QStringLiteral("NEWRESIM")));
        Query ekle(db, QStringLiteral("INSERT INTO STOKRESM (RESIM_NO, RESIM_ADI, RESIM_BIN) VALUES (:N, :A, :B)"));
        ekle.bind(QStringLiteral("N"), no).bind(QStringLiteral("A"), ad.left(40));
        ekle.bind(QStringLiteral("B"), bytes).exec();
        tx.commit();
    });
    return no;
}

bool ResimDegistir(const Db& db, int resimNo, const QByteArray& bytes, QString* hata)
{
    if (!ResimGecerli(bytes)) {
        if (hata)
            *hata = DosyaHatasiMesaji();
        return false;
    }
    db.exec(QStringLiteral("UPDATE STOKRESM SET RESIM_BIN = :B WHERE RESIM_NO = :N"),
            {{QStringLiteral("B"), bytes}, {QStringLiteral("N"), resimNo}});
    return true;
}

void ResimAdiDegistir(const Db& db, int resimNo, const QString& ad)
{
    db.exec(QStringLiteral("UPDATE STOKRESM SET RESIM_ADI = :A WHERE RESIM_NO = :N"),
            {{QStringLiteral("A"), ad.left(40)}, {QStringLiteral("N"), resimNo}});
}

QString ResimSil(const Db& db, int resimNo)
{
    Transaction tx(db);
    Query q(db, QStringLiteral("SELECT STOK_NO FROM STOK WHERE RESIM_NO = :N"));
    q.bind(QStringLiteral("N"), resimNo).exec();
    if (q.next())
        return QStringLiteral("Bu Resim Stok Listesine İşlenmiş.Silinemez!");
    q.finish();
    db.exec(QStringLiteral("DELETE FROM STOKRESM WHERE RESIM_NO = :N"), {{QStringLiteral("N"), resimNo}});
    tx.commit();
    return {};
}

QByteArray ResimOku(const Db& db, int resimNo)
{
    Query q(db, QStringLiteral("SELECT RESIM_BIN FROM STOKRESM WHERE RESIM_NO = :N"));
    q.bind(QStringLiteral("N"), resimNo).exec();
    return q.next() ? q.value(0).toByteArray() : QByteArray();
}

QPoint ResimNoktasi(const QPoint& tik, const QSize& cerceve, const QSize& resim, bool sigdir)
{
    if (!sigdir || cerceve.width() <= 0 || cerceve.height() <= 0)
        return tik;
    return {qRound(double(resim.width()) / cerceve.width() * tik.x()),
            qRound(double(resim.height()) / cerceve.height() * tik.y())};
}

QPoint CerceveNoktasi(const QPoint& nokta, const QSize& cerceve, const QSize& resim, bool sigdir)
{
    if (!sigdir || resim.width() <= 0 || resim.height() <= 0)
        return nokta;
    return {qRound(double(cerceve.width()) / resim.width() * nokta.x()),
            qRound(double(cerceve.height()) / resim.height() * nokta.y())};
}

} // namespace tornaly::stock
