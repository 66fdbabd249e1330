#include "PdksFixture.h"

#include <QFile>

namespace tornaly::test {

void PdksTest::SetUp()
{
    WorkOrderTest::SetUp();
    kisi(QStringLiteral("U1"), QStringLiteral("ALİ USTA"), QStringLiteral("1001"));
    kisi(QStringLiteral("U2"), QStringLiteral("VELİ KALFA"), QStringLiteral("1002"));
    if (count(QStringLiteral("SELECT COUNT(*) FROM FIRKIM")) == 0)
        insert(QStringLiteral("FIRKIM"), {{QStringLiteral("ADI"), QStringLiteral("TEST")}});
}

QString PdksTest::satir(int sirano, const QString& kart, const QDate& g, const QTime& t, const QString& tip,
                        const QString& ieno)
{
    return QStringLiteral("%1 %2 %3.%4.%5 %6:%7 %8%9")
        .arg(sirano, 7)
        .arg(kart, -14)
        .arg(g.day(), 2, 10, QLatin1Char('0'))
        .arg(g.month(), 2, 10, QLatin1Char('0'))
        .arg(g.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(tip, ieno);
}

QString PdksTest::dosya(const QStringList& satirlar)
{
    const QString yol = klasor.filePath(QStringLiteral("pdks.txt"));
    QFile f(yol);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QStringList all{QStringLiteral("KAYIT LISTESI"), QStringLiteral("-------------"), QStringLiteral("NO KART")};
    all << satirlar;
    f.write(all.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    f.close();
    db.exec(QStringLiteral("UPDATE FIRKIM SET BBSDIZIN = :Y"), {{QStringLiteral("Y"), yol}});
    return yol;
}

void PdksTest::okuma(int sirano, const QString& kart, const QDate& g, const QTime& t, const QString& tip,
                     const QString& ieno)
{
    insert(QStringLiteral("PEROKU"), {{QStringLiteral("SIRANO"), sirano},
                                      {QStringLiteral("CIHAZ_ID"), kart},
                                      {QStringLiteral("TARIH"), QDateTime(g, QTime(0, 0))},
                                      {QStringLiteral("SAAT"), QDateTime(g, t)},
                                      {QStringLiteral("TIPKOD"), tip},
                                      {QStringLiteral("IENO"), ieno.isEmpty() ? tip : ieno}});
}

void PdksTest::kisi(const QString& kod, const QString& ad, const QString& kart)
{
    insert(QStringLiteral("ISCIUSTA"), {{QStringLiteral("ISCI_KOD"), kod},
                                        {QStringLiteral("ISCI_ADI"), ad},
                                        {QStringLiteral("CIHAZ_ID"), kart}});
}

QStringList PdksTest::araliklar(const QString& tipkod, const QDate& g)
{
    QStringList out;
    Query q(db, QStringLiteral("SELECT SAATBAS, SAATBIT FROM PEROKUM WHERE TIPKOD = :T AND TARIH = :G "
                               "ORDER BY SAATBAS, SIRANO"));
    q.bind(QStringLiteral("T"), tipkod).bind(QStringLiteral("G"), QDateTime(g, QTime(0, 0))).exec();
    while (q.next())
        out << q.dateTime(QStringLiteral("SAATBAS")).toString(QStringLiteral("HH:mm")) + QLatin1Char('-')
                   + q.dateTime(QStringLiteral("SAATBIT")).toString(QStringLiteral("HH:mm"));
    return out;
}

} // namespace tornaly::test
