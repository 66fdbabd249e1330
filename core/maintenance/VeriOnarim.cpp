#include "maintenance/VeriOnarim.h"
#include "guard/IslemReddi.h"
#include "guard/WaitCursor.h"
#include "util/Utf8.h"

#include <QMap>

namespace tornaly {

using text::S;

int TOnarimSonucu::toplam() const
{
    int n = 0;
    for (const auto& a : adimlar)
        n += a.second;
    return n;
}

QString TOnarimSonucu::ozet() const
{
    QStringList satirlar;
    for (const auto& a : adimlar)
        satirlar << S("%1: %2 kayıt").arg(a.first).arg(a.second);
    if (!atlanan.isEmpty()) {
        satirlar << QString() << S("Atlanan adımlar (bu modüller kurulu değil):");
        satirlar << atlanan;
    }
    return satirlar.join(QLatin1Char('\n'));
}

QString OnarimHataMetni(const DbError& e)
{
    if (e.isBusy())
        return S("Veri tabanı şu anda başka bir bilgisayarda yapılan bir kayıt işlemi tarafından kullanılıyor.\n"
                 "İşlem yapılmadı, hiçbir kayıt değişmedi. Diğer bilgisayarlarda programı kapatıp tekrar deneyiniz.");
    return S("İşlem tamamlanamadı, hiçbir kayıt değişmedi.\nHata : ") + e.text();
}

void OnarimAdimi(const std::function<void()>& adim)
{
    WaitCursor wait;
    try {
        adim();
    } catch (const DbError& e) {
        throw IslemReddi(OnarimHataMetni(e));
    }
}

namespace {
QMap<QString, QList<TKodKolonu>>& kodKolonlari()
{
    static QMap<QString, QList<TKodKolonu>> k;
    return k;
}
} // namespace

void CariKodKolonlariTanimla(const QString& alan, const QList<TKodKolonu>& kolonlar)
{
    kodKolonlari().insert(alan, kolonlar);
}

QList<TKodKolonu> CariKodKolonlari()
{
    QList<TKodKolonu> hepsi;
    for (const QList<TKodKolonu>& k : std::as_const(kodKolonlari()))
        hepsi << k;
    return hepsi;
}

QPair<QString, QString> CariBul(const Db& db, const QString& kod)
{
    if (kod.isEmpty() || !db.dialect().tableExists(db, S("CARI")))
        return {};
    Query q(db, S("SELECT CARI_KOD,FIRMA_ADI FROM CARI WHERE CARI_KOD=:CARI_KOD"));
    q.bind(S("CARI_KOD"), kod).exec();
    if (!q.next())
        return {};
    return {q.str(S("CARI_KOD")), q.str(S("FIRMA_ADI"))};
}

TCariKodDegisimi CariKodDegisimKontrol(const Db& db, const QString& eski, const QString& yeni)
{
    TCariKodDegisimi d;
    if (eski.trimmed().isEmpty() || yeni.trimmed().isEmpty()) {
        d.hata = S("Cari kodlar Boş Olamaz!");
        return d;
    }
    if (CariBul(db, eski).first.isEmpty()) {
        d.hata = S("Değiştirilmek İstenen Cari kod Bulunamadı!");
        d.odak = TCariKodDegisimi::Odak::Eski;
        return d;
    }
    if (!CariBul(db, yeni).first.isEmpty()) {
        d.hata = S("Yeni Verilen Kod Kullanımda, Lütfen Kullanılmayan Bir kod Veriniz!");
        d.odak = TCariKodDegisimi::Odak::Yeni;
    }
    return d;
}

TCariKodDegisimi CariKodDegistir(const Db& db, const QString& eski, const QString& yeni,
                                 const std::function<void(const QString&)>& adimBitti)
{
    TCariKodDegisimi d;
    Transaction tr(db);
    // Checked again inside the transaction: the new code may have been taken
    // since the question was asked.
    d = CariKodDegisimKontrol(db, eski, yeni);
    if (!d.hata.isEmpty())
        return d;
    const QVariantMap b{{S("ECARI_KOD"), eski}, {S("YCARI_KOD"), yeni}};
    for (const TKodKolonu& k : CariKodKolonlari()) {
        const QString tablo = S(k.tablo), kolon = S(k.kolon), adim = tablo + QLatin1Char('.') + kolon;
        if (!db.dialect().tableExists(db, tablo)) {
            d.sonuc.atlanan << S("%1: tablo bu veri tabanında yok").arg(adim);
            continue;
        }
        if (!db.dialect().columnExists(db, tablo, kolon)) {
            d.sonuc.atlanan << S("%1: kolon bu veri tabanında yok").arg(adim);
            continue;
        }
        QString sql = S("UPDATE %1 SET %2=:YCARI_KOD").arg(tablo, kolon);
        if (tablo == QLatin1String("CARI") && db.dialect().columnExists(db, tablo, S("AKTARILDI")))
            sql += S(", AKTARILDI=0");
        sql += S(" WHERE %1=:ECARI_KOD").arg(kolon);
        if (k.kosul)
            sql += S(" AND (%1)").arg(QLatin1String(k.kosul));
        d.sonuc.adimlar.append({adim, db.exec(sql, b)});
        if (adimBitti)
            adimBitti(adim);
    }
    tr.commit();
    return d;
}

} // namespace tornaly
