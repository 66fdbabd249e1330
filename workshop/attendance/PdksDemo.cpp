#include "workshop/attendance/PdksDemo.h"
#include "settings/Settings.h"
#include "sql/SqlHelpers.h"

#include <QDir>
#include <QFile>

namespace tornaly::workshop {

namespace {

QString pdksDemoSatiri(int no, const QString& kart, const QDateTime& t, const QString& tip, const QString& ieno)
{
    return QStringLiteral("%1 %2 %3 %4 %5%6")
        .arg(no, 7)
        .arg(kart, -14)
        .arg(t.toString(QStringLiteral("dd.MM.yy")), t.toString(QStringLiteral("HH:mm")), tip, ieno);
}

} // namespace

void SeedPdksDemo(const Db& db)
{
    Query f(db, QStringLiteral("SELECT COUNT(*) FROM FIRKIM WHERE BBSDIZIN IS NOT NULL AND BBSDIZIN <> ''"));
    f.exec();
    if (f.next() && f.value(0).toInt() > 0)
        return;
    f.finish();
    QStringList isEmirleri;
    {
        Query q(db, QStringLiteral("SELECT IS_EMRI_NO FROM ISEMRI WHERE KAPANDI = 'H' ORDER BY IS_EMRI_NO"));
        q.exec();
        while (q.next())
            isEmirleri << q.str(QStringLiteral("IS_EMRI_NO"));
    }
    const QDate bugun = ServerToday(db);
    QStringList lines{QStringLiteral("PDKS KAYIT DOSYASI"), QStringLiteral("NO      KART           TARIH    SAAT  TIP"),
                      QStringLiteral("----------------------------------------------")};
    int no = 0;
    for (int gunOnce = 4; gunOnce >= 1; --gunOnce) {
        const QDate gun = bugun.addDays(-gunOnce);
        if (gun.dayOfWeek() == 7)
            continue;
        for (const char* kart : {"1004", "1005", "1006"}) {
            const QString k = QString::fromLatin1(kart);
            const int kay = k.right(1).toInt() * 3 + gunOnce; // a few minutes apart per person and day
            const auto at = [&](int h, int m) { return QDateTime(gun, QTime(h, m)).addSecs(60 * (kay % 10)); };
            lines << pdksDemoSatiri(++no, k, at(8, 0), QStringLiteral("C"), {});
            if (!isEmirleri.isEmpty()) {
                const QString ie = isEmirleri.value((no + gunOnce) % isEmirleri.size());
                lines << pdksDemoSatiri(++no, k, at(8, 30), QStringLiteral("I"), ie);
                lines << pdksDemoSatiri(++no, k, at(11, 45), QStringLiteral("I"), ie);
            }
            lines << pdksDemoSatiri(++no, k, at(12, 0), QStringLiteral("C"), {});
            lines << pdksDemoSatiri(++no, k, at(13, 0), QStringLiteral("C"), {});
            lines << pdksDemoSatiri(++no, k, at(15, 0), QStringLiteral("M"), QStringLiteral("009"));
            lines << pdksDemoSatiri(++no, k, at(16, 0), QStringLiteral("M"), QStringLiteral("009"));
            lines << pdksDemoSatiri(++no, k, at(17, 30), QStringLiteral("C"), {});
        }
    }
    const QString yol = QDir(SettingsFolder()).filePath(QStringLiteral("pdks-ornek.txt"));
    QFile out(yol);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    out.write(lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    out.close();
    db.exec(QStringLiteral("UPDATE FIRKIM SET BBSDIZIN = :Y"), {{QStringLiteral("Y"), yol}});
}

} // namespace tornaly::workshop
