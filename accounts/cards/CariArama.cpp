#include "accounts/cards/CariArama.h"

#include "accounts/ledger/CariHrk.h"
#include "db/Dialect.h"

#include <cmath>

namespace tornaly::accounts {

namespace {

// Byte order on PostgreSQL, so that a prefix is a range whatever the
// database's collation (the indexes are built the same way).
QString byteSirasi(const Db& db, const QString& expr)
{
    return db.backend() == Backend::PostgreSQL ? expr + QStringLiteral(" COLLATE \"C\"") : expr;
}

// The first text above every text that begins with `onek` in code-point order;
// empty when none can be formed.
QString ustSinir(const QString& onek)
{
    if (onek.isEmpty())
        return {};
    QString s = onek;
    const QChar son = s.back();
    if (son.isSurrogate() || son.unicode() >= 0xFFFD)
        return {};
    s.back() = QChar(ushort(son.unicode() + 1));
    return s;
}

} // namespace

CariAramaKosulu CariAramaKosuluOlustur(const Db& db, CariAramaAlani alan, const QString& aranan, bool icerir)
{
    CariAramaKosulu k;
    QString kolon;
    switch (alan) {
    case CariAramaAlani::Kod:
        kolon = QStringLiteral("CARI_KOD");
        k.siralama = QStringLiteral("CARI_KOD");
        break;
    case CariAramaAlani::Ad:
        kolon = QStringLiteral("FIRMA_ADI");
        k.siralama = QStringLiteral("FIRMA_ADI, CARI_KOD");
        break;
    case CariAramaAlani::YetkiliAdi:
        kolon = QStringLiteral("YETKILI_ADI");
        k.siralama = QStringLiteral("FIRMA_ADI, CARI_KOD");
        break;
    case CariAramaAlani::YetkiliSoyadi:
        kolon = QStringLiteral("YETKILI_SOYAD");
        k.siralama = QStringLiteral("FIRMA_ADI, CARI_KOD");
        break;
    }
    const QString katli = Dialect::turkishUpper(aranan);
    if (aranan.isEmpty())
        return k;
    const bool indeksli = alan == CariAramaAlani::Kod || alan == CariAramaAlani::Ad;
    if (icerir || !indeksli) {
        k.kosul = db.dialect().ciLike(kolon, QStringLiteral("ARANAN"));
        k.binds.insert(QStringLiteral("ARANAN"),
                       (icerir ? QStringLiteral("%") : QString()) + Dialect::escapeLike(aranan) + QLatin1Char('%'));
        return k;
    }
    const QString ifade = byteSirasi(db, db.dialect().upperExpr(kolon));
    // Ordered by the folded value the index holds, so the first page comes
    // straight from the index; the code settles ties.
    k.siralama = ifade + QStringLiteral(", CARI_KOD");
    k.kosul = QStringLiteral("%1 >= :ALT").arg(ifade);
    k.binds.insert(QStringLiteral("ALT"), katli);
    const QString ust = ustSinir(katli);
    if (!ust.isEmpty()) {
        k.kosul += QStringLiteral(" AND %1 < :UST").arg(ifade);
        k.binds.insert(QStringLiteral("UST"), ust);
    }
    return k;
}

double CariToplamlari::kalan() const
{
    const double b = std::round(BORCT * 100), a = std::round(ALAT * 100);
    if (b > a)
        return BORCT - ALAT;
    if (a > b)
        return ALAT - BORCT;
    return 0;
}

QString CariToplamlari::kalanBasligi() const
{
    return BakiyeBasligi(BORCT - ALAT);
}

CariToplamlari CariToplamlariOku(const Db& db, const QString& kod)
{
    const CariBakiye b = CariBakiyeOku(db, kod);
    return CariToplamlari{b.borc, b.alacak, b.borcUsd, b.alacakUsd};
}

TypeCari TypeCariOlustur(const QString& kod, const QString& ad, const QString& tel, const QString& fax,
                         const QString& muh, const QString& dvz)
{
    return TypeCari{kod.left(15), ad.left(40), tel.left(20), fax.left(20), muh.left(30), dvz.left(5)};
}

TypeCari TypeCariOku(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT CARI_KOD, FIRMA_ADI, TEL1, FAKS, MUH_KOD, DOVIZ FROM CARI WHERE CARI_KOD=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (!q.next())
        return {};
    return TypeCariOlustur(q.str(QStringLiteral("CARI_KOD")), q.str(QStringLiteral("FIRMA_ADI")),
                           q.str(QStringLiteral("TEL1")), q.str(QStringLiteral("FAKS")),
                           q.str(QStringLiteral("MUH_KOD")), q.str(QStringLiteral("DOVIZ")));
}

} // namespace tornaly::accounts
