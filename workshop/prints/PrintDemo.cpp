#include "workshop/prints/PrintDemo.h"
#include "report/PageSetup.h"

namespace tornaly::workshop {

namespace {

// Positions shared by both designs: item, left, top (mm from the page start).
const struct {
    const char* item;
    int left, top;
} kYerler[] = {
    {"IENO", 150, 12},   {"ACTRH", 150, 18},  {"OZEL2", 178, 18},  {"TAHTRH", 150, 24}, {"TAHSAAT", 178, 24},
    {"CARIKOD", 25, 40}, {"KR", 25, 46},      {"ADR1", 25, 52},    {"ADR2", 25, 58},    {"ADR3", 25, 64},
    {"VERD", 25, 70},    {"VERNO", 80, 70},   {"PLAKA", 130, 40},  {"SASE", 130, 46},   {"MOTOR", 130, 52},
    {"MODEL", 130, 58},  {"MODYIL", 185, 58}, {"RENK", 130, 64},   {"KM", 130, 70},     {"RUHTRH", 170, 70},
    {"YAKIT", 185, 64},  {"TALEP1", 15, 88},  {"TALEP2", 110, 88}, {"EMANET", 15, 118}, {"OZEL1", 60, 118},
    {"ONAYTUT", 150, 145}, {"PERS", 25, 265}, {"IMZA", 130, 265},
};

void yerlestir(const Db& db, const QString& table, const QString& where, const QVariantMap& key)
{
    QStringList sets;
    for (const auto& y : kYerler)
        sets.append(QStringLiteral("%1_S=%2, %1_U=%3").arg(QLatin1String(y.item)).arg(y.left).arg(y.top));
    db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(table, sets.join(QStringLiteral(", ")), where), key);
}

} // namespace

void SeedPrintDemo(const Db& db)
{
    db.exec(QStringLiteral("INSERT INTO KOORIE (IEFORM_ADI, SAYFAISIM, SAYFAGEN, SAYFAYUK, SAYFA_S, SAYFA_U, "
                           "IEBARKOD_S, IEBARKOD_U, SABIT1, SABIT1_S, SABIT1_U, SUTB_S, SUTB_U, SIRA_U, URUNAD_U) "
                           "VALUES (:AD, :SAYFA, 210, 297, 5, 5, 15, 8, :SABIT, 15, 275, 10, 160, 25, 70)"),
            {{QStringLiteral("AD"), QStringLiteral("Standart İş Emri Formu")},
             {QStringLiteral("SAYFA"), report::PageA4},
             {QStringLiteral("SABIT"), QStringLiteral("Aracımı yukarıdaki şartlarla teslim ettim.")}});
    yerlestir(db, QStringLiteral("KOORIE"), QStringLiteral("IEFORM_ADI=:AD"),
              {{QStringLiteral("AD"), QStringLiteral("Standart İş Emri Formu")}});
    for (int satir : {1, 2}) {
        db.exec(QStringLiteral("INSERT INTO KOORIEKAPA (SATIR, SAYFA_S, SAYFA_U, SUTB_S, SUTB_U, SIRA_U, URUNAD_U, "
                               "TOP_S, TOP_U, ALAN7_S, ALAN7_U, ALAN8_S, ALAN8_U, ALAN9_S, ALAN9_U) "
                               "VALUES (:S, 5, 5, 15, 150, 25, 70, 110, 0, 150, 240, 150, 246, 150, 252)"),
                {{QStringLiteral("S"), satir}});
        yerlestir(db, QStringLiteral("KOORIEKAPA"), QStringLiteral("SATIR=:S"), {{QStringLiteral("S"), satir}});
    }
}

} // namespace tornaly::workshop
