#include "accounts/documents/Dokuman.h"
#include "util/Utf8.h"

#include "context/SessionContext.h"
#include "db/Database.h"
#include "export/SafeFile.h"
#include "guard/IslemReddi.h"
#include "sql/SqlHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace tornaly::accounts {

using text::S;

namespace {

QString anahtarMetni(const QVariant& anahtar)
{
    return anahtar.isNull() ? QString() : anahtar.toString().trimmed();
}

} // namespace

bool DokumanMetinAnahtarli(int grup)
{
    return (grup >= 1 && grup <= 3) || grup == 102;
}

bool DokumanKaydinListesi(int grup, int dokumanId)
{
    return dokumanId <= 0 && grup > 0 && grup <= 110;
}

QString DokumanGrupAdi(int grup)
{
    switch (grup) {
    case DokGenel:
        return S("Genel");
    case DokSatis:
        return S("Satış");
    case DokServis:
        return S("Servis");
    default:
        return QString::number(grup);
    }
}

QString DokumanKosulu(int grup, const QVariant& anahtar, int dokumanId, QVariantMap& b)
{
    if (dokumanId > 0) {
        b.insert(S("ROW_ID"), dokumanId);
        return S("ROW_ID=:ROW_ID");
    }
    if (grup == 0)
        return S("DOC_GRP>=111");
    b.insert(S("DOC_GRP"), grup);
    if (grup > 110 || grup < 0)
        return S("DOC_GRP=:DOC_GRP");
    if (DokumanMetinAnahtarli(grup)) {
        b.insert(S("KEY"), anahtarMetni(anahtar));
        return S("DOC_GRP=:DOC_GRP AND DOC_REF_ID2=:KEY");
    }
    b.insert(S("KEY"), std::nearbyint(anahtar.toDouble()));
    return S("DOC_GRP=:DOC_GRP AND DOC_REF_ID=:KEY");
}

QList<DokumanSatiri> DokumanListesi(const Db& db, int grup, const QVariant& anahtar, int dokumanId)
{
    QVariantMap b;
    Query q(db, S("SELECT ROW_ID, DOC_GRP, DOC_NAME, DOC_DESC, DOC_DATE, DOC_USER FROM BINDOC WHERE ")
                    + DokumanKosulu(grup, anahtar, dokumanId, b) + S(" ORDER BY ROW_ID"));
    q.bindAll(b).exec();
    QList<DokumanSatiri> l;
    while (q.next())
        l << DokumanSatiri{q.integer(S("ROW_ID")), int(q.integer(S("DOC_GRP"))), q.str(S("DOC_NAME")),
                           q.str(S("DOC_DESC")), q.str(S("DOC_USER")), q.dateTime(S("DOC_DATE"))};
    return l;
}

qint64 DokumanEkle(const SessionContext& ctx, const Db& db, int grup, const QVariant& anahtar, const QString& ad,
                   const QByteArray& veri)
{
    if (veri.size() > kDokumanSiniri)
        throw IslemReddi(DokumanBuyukText(), MsgIcon::Error);
    const QString kod = anahtarMetni(anahtar);
    const QVariant bosMetin(QMetaType(QMetaType::QString));
    const QVariant bosSayi(QMetaType(QMetaType::Double));
    QVariant ref2 = bosMetin, ref = bosSayi;
    int g = grup;
    if (kod.isEmpty())
        g = 0;
    else if (DokumanMetinAnahtarli(grup))
        ref2 = kod;
    else
        ref = std::nearbyint(anahtar.toDouble());
    const QString isim = QFileInfo(ad).fileName().left(100);
    const QString kullanici = ctx.UretBKod.isEmpty() && ctx.AktifKullanici.name.isEmpty()
                                  ? QString()
                                  : (ctx.UretBKod + QLatin1Char('/') + ctx.AktifKullanici.name).left(32);
    Query q(db, S("INSERT INTO BINDOC (DOC_GRP, DOC_REF_ID2, DOC_REF_ID, DOC_NAME, DOC_DESC, DOC_DATE, DOC_USER, DOC_BIN)"
                  " VALUES (:DOC_GRP, :DOC_REF_ID2, :DOC_REF_ID, :DOC_NAME, :DOC_DESC, :DOC_DATE, :DOC_USER, :DOC_BIN)"
                  " RETURNING ROW_ID"));
    q.bind(S("DOC_GRP"), g)
        .bind(S("DOC_REF_ID2"), ref2)
        .bind(S("DOC_REF_ID"), ref)
        .bind(S("DOC_NAME"), isim)
        .bind(S("DOC_DESC"), isim)
        .bind(S("DOC_DATE"), ServerNow(db))
        .bind(S("DOC_USER"), kullanici)
        .bind(S("DOC_BIN"), veri)
        .exec();
    return q.next() ? q.integer(S("ROW_ID")) : 0;
}

qint64 DokumanDosyasiEkle(const SessionContext& ctx, const Db& db, int grup, const QVariant& anahtar,
                          const QString& yol)
{
    QString dosya = yol;
    if (QFileInfo(yol).suffix().toUpper().startsWith(S("TIF")))
        dosya = ResimBoyutla(yol, {}, 1600, 80, 1600);
    // Refused before the file is read whole.
    if (QFileInfo(dosya).size() > kDokumanSiniri)
        throw IslemReddi(DokumanBuyukText(), MsgIcon::Error);
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly))
        throw IslemReddi(dosya + S(" dosyası okunamadı."), MsgIcon::Error);
    return DokumanEkle(ctx, db, grup, anahtar, QFileInfo(dosya).fileName(), f.readAll());
}

QByteArray DokumanOku(const Db& db, qint64 rowId)
{
    Query q(db, S("SELECT DOC_BIN FROM BINDOC WHERE ROW_ID=:ROW_ID"));
    q.bind(S("ROW_ID"), rowId).exec();
    return q.next() ? q.value(S("DOC_BIN")).toByteArray() : QByteArray();
}

void DokumanTanimiYaz(const Db& db, qint64 rowId, const QString& tanim)
{
    db.exec(S("UPDATE BINDOC SET DOC_DESC=:D WHERE ROW_ID=:R"), {{S("D"), tanim.left(100)}, {S("R"), rowId}});
}

void DokumanSil(const Db& db, qint64 rowId)
{
    db.exec(S("DELETE FROM BINDOC WHERE ROW_ID=:R"), {{S("R"), rowId}});
}

QString DokumanDosyayaYaz(const Db& db, qint64 rowId, const QString& ad, const QString& klasor)
{
    // Only the name: a stored name never leads the file out of the folder.
    const QString yol = QDir(klasor).filePath(QFileInfo(ad).fileName());
    SaveFileData(yol, DokumanOku(db, rowId));
    return yol;
}

QString ResimBoyutla(const QString& dosya, const QString& baslik, int maxGenislik, int kalite, int maxYukseklik)
{
    QImage resim(dosya);
    if (resim.isNull())
        throw IslemReddi(dosya + S(" resim olarak açılamadı."), MsgIcon::Error);
    const int w0 = resim.width(), h0 = resim.height();
    int W = maxGenislik == 0 ? w0 : std::min(maxGenislik, w0);
    int H = maxYukseklik == 0 ? h0 : std::min(maxYukseklik, h0);
    const double oranW = double(w0) / W, oranH = double(h0) / H;
    if (oranW > oranH)
        H = int(std::nearbyint(h0 / oranW));
    else
        W = int(std::nearbyint(w0 / oranH));
    QImage hedef(W, H, QImage::Format_RGB888);
    {
        QPainter p(&hedef);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, 0, W, H), resim);
        if (!baslik.isEmpty()) {
            p.fillRect(QRect(0, 0, 111, 16), QColor(0xEE, 0xEE, 0xEE));
            p.setPen(Qt::black);
            p.drawText(QRect(5, 0, 106, 16), Qt::AlignLeft | Qt::AlignVCenter, baslik);
        }
    }
    const QString cikti = dosya + S("_resized.jpg");
    if (!hedef.save(cikti, "JPG", kalite))
        throw IslemReddi(cikti + S(" yazılamadı."), MsgIcon::Error);
    return cikti;
}

const QStringList& DokumanTanimOnerileri()
{
    static const QStringList l = {S("Proforma Fatura"), S("Fatura"), S("Nüfus Cüzdanı"), S("Gelir Beyanı"),
                                  S("İmza Beyanı"), S("Vergi Levhası"), S("İmza Sirküleri"),
                                  S("Ticari Sicil Gazetesi"), S("Faaliyet Belgesi"), S("Onaylı Bilanço")};
    return l;
}

} // namespace tornaly::accounts
