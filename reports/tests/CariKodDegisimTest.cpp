// The account-code rename on the company database as every area migrates it:
// each column that holds an account code is declared by its area and moved in
// one transaction; a failure half way leaves every code where it was.
#include "maintenance/VeriOnarim.h"
#include "reports/ReportsSchema.h"
#include "testsupport/TestSupport.h"

#include <QRegularExpression>
#include <QSet>

using namespace tornaly;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

class CariKodDegisimTest : public test::DbTest {
protected:
    void registerSchema() override { reports::RegisterSchema(); }

    // Every column of every table (views left out: they are not moved).
    QList<QPair<QString, QString>> kolonlar()
    {
        const QString sql =
            db.backend() == Backend::SQLite
                ? S("SELECT m.name AS T, p.name AS C FROM sqlite_master m JOIN pragma_table_info(m.name) p "
                    "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite_%'")
                : S("SELECT c.table_name AS T, c.column_name AS C FROM information_schema.columns c "
                    "JOIN information_schema.tables t ON t.table_schema = c.table_schema AND t.table_name = c.table_name "
                    "WHERE c.table_schema = current_schema() AND t.table_type = 'BASE TABLE'");
        QList<QPair<QString, QString>> out;
        Query q(db, sql);
        q.exec();
        while (q.next())
            out.append({q.str(S("T")).toUpper(), q.str(S("C")).toUpper()});
        return out;
    }
    qint64 say(const QString& sql) { return scalarCount(sql); }
    qint64 scalarCount(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0).toLongLong() : -1;
    }
    // Where the code of each test row stands, as one text to compare before and after.
    QString yerler()
    {
        QStringList out;
        for (const char* sql :
             {"SELECT CARI_KOD FROM CARI ORDER BY CARI_KOD", "SELECT CARI_KOD FROM CARIHRK ORDER BY CARI_NO",
              "SELECT CP_CARI_KOD FROM CARIPER", "SELECT CARI_KOD FROM CARIBANKA", "SELECT CARI_KOD FROM CARIPK",
              "SELECT KARSIKOD FROM KASAHRKT ORDER BY HRKNO", "SELECT KOD FROM FISGA ORDER BY SIRA_NO",
              "SELECT CARI_KOD || '/' || MUSTERI_KOD FROM SERFAT", "SELECT CARIKOD FROM DEPOHRK"}) {
            Query q(db, S(sql));
            q.exec();
            QStringList r;
            while (q.next())
                r << q.value(0).toString();
            out << r.join(QLatin1Char(','));
        }
        return out.join(QLatin1Char('|'));
    }
};

// Names that look like an account code but are not one, each with its reason.
const QSet<QString>& hesapKoduOlmayanlar()
{
    static const QSet<QString> k{
        S("CARI.CARI_GRP_KOD"),  // the account's group
        S("CARIG.CG_KOD"),       // special-code values
    };
    return k;
}

TEST_F(CariKodDegisimTest, EveryAccountCodeColumnIsDeclared)
{
    QSet<QString> bildirilen;
    for (const TKodKolonu& k : CariKodKolonlari())
        bildirilen.insert(QString::fromLatin1(k.tablo) + QLatin1Char('.') + QString::fromLatin1(k.kolon));
    // Account codes go by these names across the areas.
    static const QRegularExpression ad(
        S("^(.*CARI_?KODU?|.*_CARI|CIRO_CKOD|MUSTERI_KOD|KARSIKOD|MB_KOD|SERVIS_KODU|SIG_ACENTA_KOD)$"));
    QStringList eksik;
    QSet<QString> bulunan;
    for (const auto& [tablo, kolon] : kolonlar()) {
        // The change history keeps the codes as they were when the change was made.
        if (tablo.startsWith(S("CLOG_")))
            continue;
        const QString tam = tablo + QLatin1Char('.') + kolon;
        bulunan.insert(tam);
        if (ad.match(kolon).hasMatch() && !bildirilen.contains(tam) && !hesapKoduOlmayanlar().contains(tam))
            eksik << tam;
    }
    EXPECT_TRUE(eksik.isEmpty()) << "account-code columns the rename would leave behind: "
                                 << eksik.join(S(", ")).toStdString();
    // A declared column of a table this company has must exist (a misspelt one is never moved).
    QStringList yanlis;
    QSet<QString> tablolar;
    for (const QString& t : bulunan)
        tablolar.insert(t.section(QLatin1Char('.'), 0, 0));
    for (const QString& b : bildirilen)
        if (tablolar.contains(b.section(QLatin1Char('.'), 0, 0)) && !bulunan.contains(b))
            yanlis << b;
    EXPECT_TRUE(yanlis.isEmpty()) << yanlis.join(S(", ")).toStdString();
}

TEST_F(CariKodDegisimTest, RenameMovesEveryTableInOneTransaction)
{
    const auto ekle = [&](const char* sql) { db.exec(S(sql)); };
    ekle("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES ('M001', 'Ayşe Işık')");
    ekle("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES ('M002', 'Başka')");
    ekle("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, CRHRK_TUR, BORC) VALUES (1, 1, 'M001', 'S', 10)");
    ekle("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, CRHRK_TUR, BORC) VALUES (2, 1, 'M002', 'S', 20)");
    ekle("INSERT INTO CARIPER (CP_CARI_KOD, CP_PER_AD) VALUES ('M001', 'Ali')");
    ekle("INSERT INTO CARIBANKA (CARI_KOD, CB_NO) VALUES ('M001', 1)");
    ekle("INSERT INTO CARIPK (CARI_KOD, EF_POSTAKUTUSU) VALUES ('M001', 'urn:mail:a')");
    // A cash mirror of a voucher names the account; a bank mirror names a bank that happens to share the code.
    ekle("INSERT INTO KASAHRKT (HRKNO, SIRANO, REF_TIP, KASAKOD, KARSIKOD, TIP) VALUES (1, 1, 'C', 'K01', 'M001', 'B')");
    ekle("INSERT INTO KASAHRKT (HRKNO, SIRANO, REF_TIP, KASAKOD, KARSIKOD, TIP) VALUES (2, 1, 'B', 'K01', 'M001', 'A')");
    // An account line of a cash slip, and a cash line whose box has the same code.
    ekle("INSERT INTO FISGA (HRK_NO, SIRA_NO, TIP, KOD, ACIKLAMA1) VALUES (1, 1, 'C', 'M001', 'Ayşe Işık')");
    ekle("INSERT INTO FISGA (HRK_NO, SIRA_NO, TIP, KOD, ACIKLAMA1) VALUES (1, 2, 'K', 'M001', 'Kasa')");
    ekle("INSERT INTO SERFAT (SATIS_NO, CARI_KOD, MUSTERI_KOD) VALUES (1, 'M001', 'M001')");
    ekle("INSERT INTO DEPOHRK (SATISNO, TIP, SIRANO, CARIKOD, STOK_NO, DEPO_KODU) VALUES (1, 'C', 1, 'M001', 1, '2')");
    const QString once = yerler();

    // A code in use is refused; nothing moves.
    EXPECT_EQ(CariKodDegistir(db, S("M001"), S("M002")).hata,
              S("Yeni Verilen Kod Kullanımda, Lütfen Kullanılmayan Bir kod Veriniz!"));
    EXPECT_EQ(yerler(), once);

    // A failure half way: the columns moved before it move back.
    int adim = 0;
    EXPECT_THROW(CariKodDegistir(db, S("M001"), S("M900"),
                                 [&](const QString&) {
                                     if (++adim == 5) // accounts' columns are moved by then
                                         throw DbError(DbError::Kind::Other, S("kesinti"));
                                 }),
                 DbError);
    EXPECT_EQ(yerler(), once);

    const TCariKodDegisimi d = CariKodDegistir(db, S("M001"), S("M900"));
    ASSERT_TRUE(d.hata.isEmpty()) << d.hata.toStdString();
    EXPECT_EQ(say(S("SELECT COUNT(*) FROM CARI WHERE CARI_KOD = 'M001'")), 0);
    EXPECT_EQ(yerler(), S("M002,M900|M900,M002|M900|M900|M900|M900,M001|M900,M001|M900/M900|M900"));
}

} // namespace
