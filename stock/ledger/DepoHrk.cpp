#include "stock/ledger/DepoHrk.h"

#include "db/BatchInsert.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tornaly::stock {

const QList<DepoHrkTuru>& DepoHrkTurleri()
{
    using Y = HareketYonu;
    static const QList<DepoHrkTuru> turler = {
        {u'A', Y::Giris, QStringLiteral("Alış")},
        {u'S', Y::Cikis, QStringLiteral("Satış")},
        {u'C', Y::Cikis, QStringLiteral("İş Emri Faturası")},
        {u'I', Y::Cikis, QStringLiteral("İş Emrine Çıkış")},
        {u'G', Y::Giris, QStringLiteral("Servis Deposuna Giriş")},
        {u'M', Y::GirisCikis, QStringLiteral("Kasa Fişi")},
        {u'D', Y::Giris, QStringLiteral("Dönem Başı Deviri")},
        {u'O', Y::Transfer, QStringLiteral("Depo Transferi")},
        {u'F', Y::Cikis, QStringLiteral("Fire")},
        {u'R', Y::Cikis, QStringLiteral("Sarf")},
        {u'U', Y::Cikis, QStringLiteral("Üretime Gidiş")},
        {u'L', Y::Giris, QStringLiteral("Üretimden Geliş")},
        {u'T', Y::Giris, QStringLiteral("Sayım Fazlası")},
        {u'Z', Y::Cikis, QStringLiteral("Sayım Eksiği")},
    };
    return turler;
}

const DepoHrkTuru* DepoHrkTuruBul(QChar harf)
{
    for (const DepoHrkTuru& t : DepoHrkTurleri())
        if (t.harf == harf)
            return &t;
    return nullptr;
}

QString StokFisiCariKod() { return QStringLiteral("-STOK FİŞİ-"); }
QString KasaFisiCariKod() { return QStringLiteral("-KASA FISI-"); }

DepoHrkBelge DepoHrkBelge::Belge(double satisNo, QChar tip)
{
    DepoHrkBelge b;
    b.SATISNO = satisNo;
    b.TIP = tip;
    return b;
}

DepoHrkBelge DepoHrkBelge::Isemri(const QString& isemriNo)
{
    DepoHrkBelge b;
    b.ISEMRINO = isemriNo.trimmed();
    return b;
}

bool DepoHrkBelge::tipUygun(const QString& tip) const
{
    if (tip.size() != 1)
        return false;
    if (isemri())
        return tip == QLatin1String("I") || tip == QLatin1String("G");
    return tip.at(0) == TIP;
}

DepoHrkSatiri DepoHrkHareket(QChar tip, int sira, const QString& cariKod, double stokNo, const QString& depo,
                             const QDateTime& tarih, double miktar, const QVariant& fiyat, const QVariant& fiyatUsd)
{
    DepoHrkSatiri s;
    s.TIP = QString(tip);
    s.SIRANO = sira;
    s.CARIKOD = cariKod;
    s.STOK_NO = stokNo;
    s.DEPO_KODU = depo;
    s.TARIH = tarih;
    const DepoHrkTuru* t = DepoHrkTuruBul(tip);
    if (t && t->yon == HareketYonu::Giris)
        s.GIRMIK = miktar;
    else
        s.CIKMIK = miktar;
    s.FIYAT = fiyat;
    s.FYT_USD = fiyatUsd;
    return s;
}

DepoHrkSatiri DepoHrkKasa(int sira, bool borc, double stokNo, const QString& depo, const QDateTime& tarih,
                          double miktar, const QVariant& fiyat)
{
    DepoHrkSatiri s;
    s.TIP = QStringLiteral("M");
    s.SIRANO = sira;
    s.CARIKOD = KasaFisiCariKod();
    s.STOK_NO = stokNo;
    s.DEPO_KODU = depo;
    s.TARIH = tarih;
    (borc ? s.GIRMIK : s.CIKMIK) = miktar;
    s.FIYAT = fiyat;
    return s;
}

QList<DepoHrkSatiri> DepoHrkTransfer(int sira, double stokNo, const QString& cikisDepo, const QString& girisDepo,
                                     const QDateTime& tarih, double miktar, const QVariant& fiyat,
                                     const QVariant& fiyatUsd)
{
    DepoHrkSatiri cikis;
    cikis.TIP = QStringLiteral("O");
    cikis.SIRANO = sira;
    cikis.CARIKOD = StokFisiCariKod();
    cikis.STOK_NO = stokNo;
    cikis.DEPO_KODU = cikisDepo;
    cikis.TARIH = tarih;
    cikis.CIKMIK = miktar;
    cikis.FIYAT = fiyat;
    cikis.FYT_USD = fiyatUsd;
    DepoHrkSatiri giris = cikis;
    giris.SIRANO = sira + TransferGirisSiraFarki;
    giris.DEPO_KODU = girisDepo;
    giris.CIKMIK = 0;
    giris.GIRMIK = miktar;
    return {cikis, giris};
}

QVariant StokFisiBirimFiyat(double netTutar, double miktar)
{
    if (miktar == 0)
        return QVariant(QMetaType(QMetaType::Double));
    return netTutar / miktar;
}

QString DepoHrkKuralHatasi(const DepoHrkBelge& belge, const DepoHrkSatiri& s)
{
    const DepoHrkTuru* tur = s.TIP.size() == 1 ? DepoHrkTuruBul(s.TIP.at(0)) : nullptr;
    if (!tur)
        return QStringLiteral("Depo hareketinin türü tanınmıyor: \"%1\".").arg(s.TIP);
    if (!belge.tipUygun(s.TIP))
        return QStringLiteral("\"%1\" türündeki depo hareketi bu belgeye ait değil.").arg(s.TIP);
    if (!(s.STOK_NO > 0))
        return QStringLiteral("Depo hareketinin stok numarası yok (sıra %1).").arg(s.SIRANO);
    if (s.DEPO_KODU.trimmed().isEmpty())
        return QStringLiteral("Depo hareketinin deposu yok (sıra %1).").arg(s.SIRANO);
    if (!s.TARIH.isValid())
        return QStringLiteral("Depo hareketinin tarihi yok (sıra %1).").arg(s.SIRANO);
    if (s.GIRMIK != 0 && s.CIKMIK != 0)
        return QStringLiteral("Bir depo hareketi hem giriş hem çıkış olamaz (sıra %1).").arg(s.SIRANO);
    if (tur->yon == HareketYonu::Giris && s.CIKMIK != 0)
        return QStringLiteral("\"%1\" türü yalnız giriş hareketidir (sıra %2).").arg(s.TIP).arg(s.SIRANO);
    if (tur->yon == HareketYonu::Cikis && s.GIRMIK != 0)
        return QStringLiteral("\"%1\" türü yalnız çıkış hareketidir (sıra %2).").arg(s.TIP).arg(s.SIRANO);
    return {};
}

namespace {

using StokDepo = std::pair<double, QString>;
using Farklar = std::map<StokDepo, double>;

QVariant nullIfEmpty(const QString& s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

} // namespace

// Statements prepared once per writer and reused for every row and document.
struct DepoHrkYazici::Hazir {
    explicit Hazir(const Db& db)
        : silBelge(db), silIsemri(db)
    {
        silBelge.prepare(QStringLiteral(
            "DELETE FROM DEPOHRK WHERE SATISNO = :SATISNO AND TIP = :TIP "
            "RETURNING STOK_NO, DEPO_KODU, GIRMIK, CIKMIK"));
        silIsemri.prepare(QStringLiteral(
            "DELETE FROM DEPOHRK WHERE ISEMRINO = :ISEMRINO AND TIP IN ('I', 'G') "
            "RETURNING STOK_NO, DEPO_KODU, GIRMIK, CIKMIK"));
    }
    Query silBelge, silIsemri;
};

DepoHrkYazici::DepoHrkYazici(const Db& db) : m_db(db) {}
DepoHrkYazici::~DepoHrkYazici() { delete m_hazir; }

void DepoHrkYazici::yaz(const DepoHrkBelge& belge, const QList<DepoHrkSatiri>& satirlar)
{
    for (const DepoHrkSatiri& s : satirlar) {
        const QString hata = DepoHrkKuralHatasi(belge, s);
        if (!hata.isEmpty())
            throw DbError(DbError::Kind::Other, hata);
    }
    degistir(belge, satirlar);
}

void DepoHrkYazici::sil(const DepoHrkBelge& belge)
{
    degistir(belge, {});
}

void DepoHrkYazici::degistir(const DepoHrkBelge& belge, const QList<DepoHrkSatiri>& satirlar)
{
    if (!belge.isemri() && belge.TIP.isNull())
        throw DbError(DbError::Kind::Other, QStringLiteral("Depo hareketlerinin belgesi belirsiz."));
    if (!m_hazir)
        m_hazir = new Hazir(m_db);
    Hazir& h = *m_hazir;
    Transaction tx(m_db);

    // The quantities the old set carried come back from the delete itself, so
    // only rows this transaction really removed are taken off STOKMIK.
    Farklar fark;
    Query& sil = belge.isemri() ? h.silIsemri : h.silBelge;
    if (belge.isemri()) {
        sil.bind(QStringLiteral("ISEMRINO"), belge.ISEMRINO);
    } else {
        sil.bind(QStringLiteral("SATISNO"), belge.SATISNO);
        sil.bind(QStringLiteral("TIP"), QString(belge.TIP));
    }
    sil.exec();
    while (sil.next()) {
        const StokDepo k{sil.value(0).toDouble(), sil.value(1).toString()};
        fark[k] -= sil.value(2).toDouble() - sil.value(3).toDouble();
    }

    // The rows go through the batch path: one kept statement per row on
    // SQLite, one COPY on PostgreSQL.
    const QVariant satisNo = belge.isemri() ? QVariant(QMetaType(QMetaType::Double)) : QVariant(belge.SATISNO);
    const QVariant bosSayi(QMetaType(QMetaType::Double));
    BatchInsert ekle(m_db, QStringLiteral("DEPOHRK"),
                     {QStringLiteral("SATISNO"), QStringLiteral("ISEMRINO"), QStringLiteral("TIP"),
                      QStringLiteral("SIRANO"), QStringLiteral("CARIKOD"), QStringLiteral("STOK_NO"),
                      QStringLiteral("DEPO_KODU"), QStringLiteral("TARIH"), QStringLiteral("AY"), QStringLiteral("YIL"),
                      QStringLiteral("GIRMIK"), QStringLiteral("CIKMIK"), QStringLiteral("FIYAT"),
                      QStringLiteral("FYT_USD"), QStringLiteral("SERINO")});
    for (const DepoHrkSatiri& s : satirlar) {
        ekle.value(satisNo).value(nullIfEmpty(belge.isemri() ? belge.ISEMRINO : s.ISEMRINO)).value(s.TIP).value(s.SIRANO);
        ekle.value(nullIfEmpty(s.CARIKOD)).value(s.STOK_NO).value(s.DEPO_KODU).value(s.TARIH);
        ekle.value(s.TARIH.date().month()).value(s.TARIH.date().year()).value(s.GIRMIK).value(s.CIKMIK);
        ekle.value(s.FIYAT.isValid() ? s.FIYAT : bosSayi).value(s.FYT_USD.isValid() ? s.FYT_USD : bosSayi);
        ekle.value(nullIfEmpty(s.SERINO));
        ekle.endRow();
        fark[{s.STOK_NO, s.DEPO_KODU}] += s.GIRMIK - s.CIKMIK;
    }
    ekle.flush();

    // Quantity rows are changed in one fixed order (part, warehouse), so
    // documents posting at the same moment wait for each other and never
    // deadlock; a part that moves in a warehouse for the first time gets its
    // row. One statement takes a block of rows, in that order.
    std::vector<std::pair<StokDepo, double>> degisen;
    for (const auto& [k, miktar] : fark)
        if (miktar != 0)
            degisen.emplace_back(k, miktar);
    constexpr size_t blok = 64;
    for (size_t ilk = 0; ilk < degisen.size(); ilk += blok) {
        const size_t son = std::min(degisen.size(), ilk + blok);
        QStringList satirlar;
        QVariantMap b;
        for (size_t i = ilk; i < son; ++i) {
            const QString n = QString::number(i - ilk);
            satirlar << QStringLiteral("(:S%1, :D%1, :M%1, %2)").arg(n, m_db.dialect().nowExpr());
            b.insert(QStringLiteral("S") + n, degisen[i].first.first);
            b.insert(QStringLiteral("D") + n, degisen[i].first.second);
            b.insert(QStringLiteral("M") + n, degisen[i].second);
        }
        Query mik(m_db, QStringLiteral("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR, UPDATE_TRH) VALUES %1 "
                                       "ON CONFLICT (STOK_NO, DEPO_KOD) DO UPDATE SET MIKTAR = STOKMIK.MIKTAR + "
                                       "excluded.MIKTAR, UPDATE_TRH = excluded.UPDATE_TRH")
                            .arg(satirlar.join(QStringLiteral(", "))));
        mik.bindAll(b).exec();
    }
    tx.commit();
}

void DepoHrkYaz(const Db& db, const DepoHrkBelge& belge, const QList<DepoHrkSatiri>& satirlar)
{
    DepoHrkYazici(db).yaz(belge, satirlar);
}

void DepoHrkSil(const Db& db, const DepoHrkBelge& belge)
{
    DepoHrkYazici(db).sil(belge);
}

} // namespace tornaly::stock
