#include "sqlconsole/SqlKapisi.h"
#include "util/Utf8.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "messages/Messages.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

namespace tornaly {

namespace {

using text::S;

void calistirVeyaAt(QSqlQuery& q, const QString& statement, Backend backend)
{
    if (!q.exec(statement))
        throwDbError(q.lastError(), backend, statement.left(200));
}

} // namespace

bool SqlKapisiAcabilir(const t_user& user) { return user.u_type == QLatin1String("A"); }

QString SqlKapisiYetkiYokMetni()
{
    return S("SQL Kapısını yalnızca yönetici (A tipi) kullanıcılar açabilir.");
}

TSqlKapisi::TSqlKapisi(const SessionContext& ctx) : m_ctx(ctx)
{
    yetkiKontrol();
    m_name = S("FormSQL_") + QUuid::createUuid().toString(QUuid::Id128);
    m_db = Db::open(ctx.Database1.profile(), m_name);
}

TSqlKapisi::~TSqlKapisi()
{
    m_tr.reset();
    m_db = Db();
    Db::close(m_name);
}

void TSqlKapisi::yetkiKontrol() const
{
    if (!SqlKapisiAcabilir(m_ctx.AktifKullanici))
        throw DbError(DbError::Kind::Other, SqlKapisiYetkiYokMetni());
}

bool TSqlKapisi::islemAcik() const { return bool(m_tr); }

TSorguSonucu TSqlKapisi::sorguAc(const QString& statement)
{
    yetkiKontrol();
    const Backend b = m_db.backend();
    TSorguSonucu sonuc;
    const bool kendiIslemi = !m_tr;
    QSqlQuery q(m_db.sql());
    q.setForwardOnly(true);
    if (kendiIslemi) {
        // A transaction of its own that the database keeps read-only, so no
        // statement of "Sorgu Aç" can change data whatever it is called.
        if (b == Backend::PostgreSQL) {
            calistirVeyaAt(q, S("BEGIN READ ONLY"), b);
        } else {
            calistirVeyaAt(q, S("PRAGMA query_only=ON"), b);
            calistirVeyaAt(q, S("BEGIN"), b);
        }
    }
    const auto bitir = [&] {
        QSqlQuery k(m_db.sql());
        if (kendiIslemi) {
            k.exec(S("ROLLBACK"));
            if (b == Backend::SQLite)
                k.exec(S("PRAGMA query_only=OFF"));
        }
    };
    try {
        // Prepared, so that the text is one statement: a second one after a
        // ";" (for example a COMMIT ending the read-only transaction) is refused.
        if (!q.prepare(statement) || !q.exec())
            throwDbError(q.lastError(), b, statement.left(200));
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            sonuc.kolonlar << r.fieldName(i).toUpper();
        while (q.next()) {
            if (sonuc.satirlar.size() >= kAzamiSatir) {
                sonuc.kesildi = true;
                break;
            }
            QVariantList satir;
            for (int i = 0; i < r.count(); ++i)
                satir << q.value(i);
            sonuc.satirlar << satir;
        }
        q.finish();
    } catch (...) {
        q.finish();
        bitir();
        throw;
    }
    bitir();
    return sonuc;
}

int TSqlKapisi::calistir(const QString& statements)
{
    yetkiKontrol();
    const QStringList parcalar = splitSqlScript(statements);
    if (!m_tr)
        m_tr = std::make_unique<Transaction>(m_db);
    int n = 0;
    // A failing statement leaves the transaction open with what ran before
    // it; the user decides to commit or roll back. On PostgreSQL a failed
    // statement spoils the transaction, so a savepoint keeps the earlier ones.
    for (const QString& s : parcalar) {
        QSqlQuery q(m_db.sql());
        const bool pg = m_db.backend() == Backend::PostgreSQL;
        if (pg) {
            QSqlQuery sp(m_db.sql());
            calistirVeyaAt(sp, S("SAVEPOINT sqlkapisi"), m_db.backend());
        }
        if (!q.exec(s)) {
            const QSqlError e = q.lastError();
            if (pg)
                QSqlQuery(m_db.sql()).exec(S("ROLLBACK TO SAVEPOINT sqlkapisi"));
            throwDbError(e, m_db.backend(), s.left(200));
        }
        n += std::max(0, q.numRowsAffected());
        if (pg) {
            QSqlQuery r(m_db.sql());
            calistirVeyaAt(r, S("RELEASE SAVEPOINT sqlkapisi"), m_db.backend());
        }
    }
    return n;
}

void TSqlKapisi::onayla()
{
    yetkiKontrol();
    if (m_tr) {
        m_tr->commit();
        m_tr.reset();
    }
}

void TSqlKapisi::geriAl()
{
    if (m_tr) {
        m_tr->rollback();
        m_tr.reset();
    }
}

QString TSqlKapisi::raporuSakla(const QString& tablo, const QString& statement)
{
    yetkiKontrol();
    const QString ad = tablo.trimmed().toUpper();
    if (!Dialect::isPlainIdentifier(ad) || ad.isEmpty() || ad.at(0).isDigit())
        return S("Tablo adı yalnızca harf, rakam ve _ içerebilir ve harfle başlamalıdır.");
    if (m_db.dialect().tableExists(m_db, ad))
        return S("%1 tablosu zaten var; başka bir ad veriniz.").arg(ad);
    calistir(S("CREATE TABLE %1 AS %2").arg(ad, statement.trimmed().remove(QRegularExpression(S(";\\s*$")))));
    return {};
}

} // namespace tornaly
