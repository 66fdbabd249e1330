// The account picker over 50,000 accounts (first page, "starts with" on the
// code and on the folded name) against the same statements run bare (plain
// Qt, and the engine's own client), and the save of a 20-line cash voucher
// against its rows written by prepared statements in one transaction (plain
// Qt, and the engine's own client). `uses_index` tells whether the plan of the
// search reads the folded index.
#include "EngineRef.h"
#include "accounts/AccountsSchema.h"
#include "accounts/cards/CariArama.h"
#include "accounts/cash/Kasa.h"
#include "accounts/ui/ListeModeli.h"
#include "accounts/vouchers/CariHrkFis.h"
#include "context/SessionContext.h"
#include "counters/Counters.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <memory>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

constexpr int kAccounts = 50000;
const QString kColumns = QStringLiteral(
    "SELECT CARI_KOD, FIRMA_ADI, YETKILI_ADI, YETKILI_SOYAD, SEMT, ILI, TEL1, TEL2, TEL3,  TEL4, FAKS, CARI_GRP_KOD, "
    "MUH_KOD, DOVIZ FROM CARI WHERE 1=1");

ConnectionProfile benchProfile(const QString& dir, const QString& tag)
{
    if (qEnvironmentVariable("TORNALY_TEST_BACKEND") == QLatin1String("postgres")) {
        const QString name = QStringLiteral("bench_") + tag + QUuid::createUuid().toString(QUuid::Id128).left(10);
        return ConnectionProfile::postgres(qEnvironmentVariable("TORNALY_TEST_PGHOST"),
                                           qEnvironmentVariableIntValue("TORNALY_TEST_PGPORT"), name,
                                           qEnvironmentVariable("TORNALY_TEST_PGUSER"));
    }
    return ConnectionProfile::sqlite(dir + QStringLiteral("/") + tag + QStringLiteral(".sqlite"));
}

struct AccountsDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = QStringLiteral("accounts_bench");
    Db db;
    SessionContext ctx;
    AccountsDb()
    {
        accounts::RegisterSchema();
        profile = benchProfile(dir.path(), name);
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        if (db.backend() == Backend::SQLite) {
            for (const char* t : {"CLOG_CARI_INS", "CLOG_CARI_UPD", "CLOG_CARI_DEL"})
                db.exec(QStringLiteral("DROP TRIGGER %1").arg(QLatin1String(t)));
        } else {
            db.exec(QStringLiteral("DROP TRIGGER CLOG_CARI_TRG ON CARI"));
        }
        Query q(db, QStringLiteral(
                        "INSERT INTO CARI (CARI_KOD, FIRMA_ADI, ILI, TEL1, CARI_GRP_KOD, DOVIZ, VADEGUN) "
                        "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :N) "
                        "SELECT '120.' || CAST(100000 + I AS VARCHAR(10)), "
                        "CASE I % 6 WHEN 0 THEN 'İSTANBUL OTO ' WHEN 1 THEN 'ışık ticaret ' WHEN 2 THEN 'Çağdaş ' "
                        "WHEN 3 THEN 'ANKARA FİLO ' WHEN 4 THEN 'Öztürk ' ELSE 'Yılmaz ' END || CAST(I AS VARCHAR(10)), "
                        "'İSTANBUL', '(212)555 1234', 'K', 'TL', 30 FROM N"));
        q.bind(QStringLiteral("N"), kAccounts).exec();
        db.exec(QStringLiteral("ANALYZE"));
        ctx.Database1 = db;
        KasaKaydi k;
        k.KASAKOD = QStringLiteral("MERKEZ");
        KasaKaydet(db, k, true);
    }
    ~AccountsDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

AccountsDb& adb()
{
    static std::unique_ptr<AccountsDb> p;
    if (!p)
        p = std::make_unique<AccountsDb>();
    return *p;
}

// The first page of the picker through the list model the forms use.
int layerFirstPage(const Db& db, const QString& where, const QString& order, const QVariantMap& binds)
{
    ListeModeli m;
    m.setOrderKeys({QStringLiteral("CARI_KOD")});
    m.setStatement(db, kColumns + where + QStringLiteral("\nORDER BY ") + order, binds);
    m.open();
    return m.rowCount();
}

// The same rows by hand: one prepared statement, first page, no model.
int bareFirstPage(const Db& db, const QString& where, const QString& order, const QVariantMap& binds)
{
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    q.prepare(kColumns + where + QStringLiteral(" ORDER BY ") + order + QStringLiteral(" LIMIT 256"));
    for (auto it = binds.cbegin(); it != binds.cend(); ++it)
        q.bindValue(QLatin1Char(':') + it.key(), it.value());
    q.exec();
    int n = 0;
    const int columns = q.record().count();
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        for (int c = 0; c < columns; ++c)
            row << q.value(c);
        rows << row;
        ++n;
    }
    benchmark::DoNotOptimize(rows);
    return n;
}

bool usesIndex(const Db& db, const QString& where, const QString& order, const QVariantMap& binds, const QString& index)
{
    QString sql = kColumns + where + QStringLiteral(" ORDER BY ") + order + QStringLiteral(" LIMIT 256");
    if (db.backend() == Backend::PostgreSQL) {
        // Show the plan for the values, as the server plans the bound statement.
        for (auto it = binds.cbegin(); it != binds.cend(); ++it)
            sql.replace(QLatin1Char(':') + it.key(), QLatin1Char('\'') + it.value().toString() + QLatin1Char('\''));
    }
    QSqlQuery q(db.sql());
    if (db.backend() == Backend::SQLite) {
        q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        for (auto it = binds.cbegin(); it != binds.cend(); ++it)
            q.bindValue(QLatin1Char(':') + it.key(), it.value());
        q.exec();
    } else {
        q.exec(QStringLiteral("EXPLAIN ") + sql);
    }
    QString plan;
    while (q.next())
        plan += q.value(q.record().count() - 1).toString() + QLatin1Char('\n');
    return plan.contains(index, Qt::CaseInsensitive);
}

struct Search {
    QString where, order;
    QVariantMap binds;
    QString index;
};

Search search(int which)
{
    const Db& db = adb().db;
    if (which == 0)
        return {QString(), QStringLiteral("CARI_KOD"), {}, db.backend() == Backend::SQLite ? QStringLiteral("INDEX")
                                                                                          : QStringLiteral("cari_pkey")};
    const CariAramaKosulu k = CariAramaKosuluOlustur(db, which == 1 ? CariAramaAlani::Kod : CariAramaAlani::Ad,
                                                     which == 1 ? QStringLiteral("120.1234") : QStringLiteral("ist"));
    return {QStringLiteral(" AND ") + k.kosul, k.siralama, k.binds,
            which == 1 ? QStringLiteral("IX_CARI_KOD_TR") : QStringLiteral("IX_CARI_ADI_TR")};
}

const char* kSearchNames[] = {"first_page", "code_starts_with", "name_starts_with"};

void BM_AccountPicker(benchmark::State& state)
{
    const Search s = search(int(state.range(0)));
    int rows = 0;
    for (auto _ : state)
        rows = layerFirstPage(adb().db, s.where, s.order, s.binds);
    state.SetLabel(kSearchNames[state.range(0)]);
    state.counters["rows"] = rows;
    state.counters["uses_index"] = usesIndex(adb().db, s.where, s.order, s.binds, s.index) ? 1 : 0;
}
BENCHMARK(BM_AccountPicker)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_AccountPickerBare(benchmark::State& state)
{
    const Search s = search(int(state.range(0)));
    int rows = 0;
    for (auto _ : state)
        rows = bareFirstPage(adb().db, s.where, s.order, s.binds);
    state.SetLabel(kSearchNames[state.range(0)]);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_AccountPickerBare)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The same first page on the engine's own client, prepared once.
void BM_AccountPickerEngine(benchmark::State& state)
{
    const Search s = search(int(state.range(0)));
    Engine e(adb().db);
    EngineQuery q(e, kColumns + s.where + QStringLiteral(" ORDER BY ") + s.order + QStringLiteral(" LIMIT 256"));
    int rows = 0;
    for (auto _ : state) {
        q.bindAll(s.binds);
        q.exec();
        rows = q.readAll();
    }
    state.SetLabel(kSearchNames[state.range(0)]);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_AccountPickerEngine)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

CariHrkFisi voucher()
{
    CariHrkFisi f;
    f.TIP = QStringLiteral("N");
    f.TARIH = QDate(2026, 5, 4);
    for (int i = 1; i <= 20; ++i) {
        CariHrkFisSatiri s;
        s.SIRANO = i;
        s.CARI_KOD = QStringLiteral("120.%1").arg(100000 + i * 37);
        s.ALACAK = 100.0 + i;
        s.KASAKOD = QStringLiteral("MERKEZ");
        s.TL_USDEGER = 40;
        s.ACIKLAMA = QStringLiteral("Tahsilat %1").arg(i);
        f.satirlar << s;
    }
    return f;
}

void BM_VoucherSave20Lines(benchmark::State& state)
{
    AccountsDb& a = adb();
    for (auto _ : state) {
        // The form takes the number when the voucher is opened, not at the save.
        state.PauseTiming();
        CariHrkFisi f = voucher();
        f.CARI_NO = double(TakeCounterNumber(a.db, QStringLiteral("NEWCARI")));
        state.ResumeTiming();
        benchmark::DoNotOptimize(CariHrkFisKaydet(a.ctx, a.db, f));
    }
    state.counters["rows_per_save"] = 1 + 20 + 20;
}
BENCHMARK(BM_VoucherSave20Lines)->Unit(benchmark::kMicrosecond);

// The rows of the same voucher by prepared statements (prepared before the
// timed loop): the head, 20 lines and 20 cash rows, in one transaction,
// through plain Qt and through the engine's own client (libpq in one pipeline).
template <class Side>
void voucherBare(benchmark::State& state)
{
    AccountsDb& a = adb();
    Side side(a.db);
    typename Side::Query h(side), l(side), k(side);
    h.prepare(QStringLiteral("INSERT INTO CARIHRKM (CARI_NO, TARIH, TIP, BORC, ALACAK) VALUES (?, ?, 'N', 0, ?)"));
    l.prepare(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, VADE_TRH, CRHRK_TUR, ALACAK, "
                             "ALACAK_USD, ALACAK_DVZ, DOVIZ_KODU, PARA_BAZ, TL_KURDEGER, TL_USDEGER, ACIKLAMA, "
                             "KASAKOD, AY, YIL) VALUES (?, ?, ?, ?, ?, 'N', ?, ?, ?, 'TL', 'T', 1, 40, ?, "
                             "'MERKEZ', 5, 2026)"));
    k.prepare(QStringLiteral("INSERT INTO KASAHRKT (TARIH, REF_TIP, HRKNO, SIRANO, HRK_TURU, REFAYRTIP, KASAKOD, "
                             "KARSIKOD, TIP, TUTAR, TUTAR_USD, TUTAR_DVZ, TL_KURDEGER, TL_USDEGER, PARA_BAZ, "
                             "DOVIZ_KOD, ACIKLAMA, AY, YIL) VALUES (?, 'C', ?, ?, 'w', 'N', 'MERKEZ', ?, 'B', ?, "
                             "?, ?, 1, 40, 'T', 'TL', ?, 5, 2026)"));
    static qint64 bareNo = 0;
    for (auto _ : state) {
        const double no = 1e7 + double(++bareNo);
        typename Side::Tx tx(side);
        h.addBindValue(no);
        h.addBindValue(QStringLiteral("2026-05-04 00:00:00.000"));
        h.addBindValue(2210.0);
        h.exec();
        for (int i = 1; i <= 20; ++i) {
            const QString kod = QStringLiteral("120.%1").arg(100000 + i * 37);
            const double t = 100.0 + i;
            const QString aciklama = QStringLiteral("Tahsilat %1").arg(i);
            l.addBindValue(no);
            l.addBindValue(i);
            l.addBindValue(kod);
            l.addBindValue(QStringLiteral("2026-05-04 00:00:00.000"));
            l.addBindValue(QStringLiteral("2026-06-03 00:00:00.000"));
            l.addBindValue(t);
            l.addBindValue(t / 40);
            l.addBindValue(t);
            l.addBindValue(aciklama);
            l.exec();
            k.addBindValue(QStringLiteral("2026-05-04 00:00:00.000"));
            k.addBindValue(no);
            k.addBindValue(i);
            k.addBindValue(kod);
            k.addBindValue(t);
            k.addBindValue(t / 40);
            k.addBindValue(t);
            k.addBindValue(aciklama);
            k.exec();
        }
        tx.commit();
    }
    state.counters["rows_per_save"] = 1 + 20 + 20;
}
void BM_VoucherSave20LinesBare(benchmark::State& state) { voucherBare<QtSide>(state); }
void BM_VoucherSave20LinesEngine(benchmark::State& state) { voucherBare<Engine>(state); }
BENCHMARK(BM_VoucherSave20LinesBare)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VoucherSave20LinesEngine)->Unit(benchmark::kMicrosecond);

} // namespace
