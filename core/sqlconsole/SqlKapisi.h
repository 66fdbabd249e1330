#pragma once
#include "context/User.h"
#include "db/Database.h"

#include <QList>
#include <QStringList>
#include <QVariantList>
#include <memory>

namespace tornaly {

struct SessionContext;

// Who may use the SQL console: administrators (user type "A") only.
bool SqlKapisiAcabilir(const t_user& user);
QString SqlKapisiYetkiYokMetni();

// The rows a reading statement gave.
struct TSorguSonucu {
    QStringList kolonlar;
    QList<QVariantList> satirlar;
    bool kesildi = false; // more rows than the console shows
};

// The console's work on the company database, on a connection of its own.
// Reading statements run read-only; other statements run in a transaction
// that stays open until the user commits or rolls it back (closing rolls
// back). Every call checks the user's right again, so a console left open
// across a change of login cannot be used by someone else.
class TSqlKapisi {
public:
    explicit TSqlKapisi(const SessionContext& ctx);
    ~TSqlKapisi();
    TSqlKapisi(const TSqlKapisi&) = delete;
    TSqlKapisi& operator=(const TSqlKapisi&) = delete;

    static constexpr int kAzamiSatir = 10000;

    // "Sorgu &Aç": a reading statement; the database refuses any write.
    // Inside an open transaction it reads what that transaction wrote.
    TSorguSonucu sorguAc(const QString& statement);
    // "S&orgu Çalıştır": runs the statements (";" separated) inside the open
    // transaction, starting one when none is open. Returns rows changed.
    int calistir(const QString& statements);
    bool islemAcik() const;
    void onayla();
    void geriAl();
    // "&Raporu Sakla": a new table of the given name with the rows of the
    // reading statement. Refused (message returned) for an unusable name or
    // an existing table.
    QString raporuSakla(const QString& tablo, const QString& statement);

    const Db& db() const { return m_db; }

private:
    void yetkiKontrol() const;
    const SessionContext& m_ctx;
    QString m_name;
    Db m_db;
    std::unique_ptr<Transaction> m_tr;
};

} // namespace tornaly
