#pragma once
#include <QObject>
#include <QString>

namespace tornaly {

// The one notice that a save changed a table: sent after the commit of the
// transaction that wrote it (or after a write outside any transaction), once
// per table and commit, so that the open lists of that table read it again.
// Receivers connect queued: the lists read after the user's action is over.
class KayitBildirimi : public QObject {
    Q_OBJECT
public:
    static KayitBildirimi& instance();
    // Sends the notice for `tablo` (upper case); any thread.
    void bildir(const QString& tablo);
    // The number of the last notice sent; a list opened after notice n has
    // read every save up to it.
    static quint64 sonSira();

signals:
    void tabloKaydedildi(const QString& tablo, quint64 sira);
};

// The database layer's part: a write of `tablo` on the connection named
// `baglanti` is told at once outside a transaction, else kept until the
// outermost transaction ends; a commit tells each table once, a rollback none.
void TabloYazildi(const QString& baglanti, bool islemde, const QString& tablo);
void IslemBitti(const QString& baglanti, bool kaydedildi);

// The table an INSERT, UPDATE or DELETE statement writes, upper case; empty
// for any other statement.
QString YazilanTablo(const QString& statement);

} // namespace tornaly
