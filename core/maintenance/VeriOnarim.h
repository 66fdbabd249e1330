#pragma once
#include <functional>
#include "db/Database.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace tornaly {

// What a maintenance run did: rows per step, and the steps left out because
// their tables are not in this database (modules not installed).
struct TOnarimSonucu {
    QList<QPair<QString, int>> adimlar; // step -> rows changed
    QStringList atlanan;                // "TABLE: reason"
    int toplam() const;
    // The lines a message shows after the run.
    QString ozet() const;
};

// The message for a maintenance run that failed: a database held by another
// workstation gets its own sentence; in every case nothing was written.
QString OnarimHataMetni(const DbError& e);

// Runs one repair step under the wait cursor; a database failure becomes a
// refusal that says nothing changed (OnarimHataMetni), for the slot's guard.
void OnarimAdimi(const std::function<void()>& adim);

// A column that holds a current-account code; `kosul` limits it to the rows
// whose kind makes the code an account (null: every row).
struct TKodKolonu {
    const char* tablo;
    const char* kolon;
    const char* kosul = nullptr;
};
// Each subsystem declares the account-code columns of its tables in one list
// (from its schema registration); declaring an area again replaces its list.
void CariKodKolonlariTanimla(const QString& alan, const QList<TKodKolonu>& kolonlar);
// Every declared column, area by area.
QList<TKodKolonu> CariKodKolonlari();

// The current-account code rename: checks first, then every column in one
// transaction. `hata` is set (and nothing changes) when refused.
struct TCariKodDegisimi {
    QString hata;
    enum class Odak { Yok, Eski, Yeni } odak = Odak::Yok;
    TOnarimSonucu sonuc;
};
// The checks of "Değiştir" before the question.
TCariKodDegisimi CariKodDegisimKontrol(const Db& db, const QString& eski, const QString& yeni);
// `adim` runs after each column is moved, inside the transaction (tests fail it there).
TCariKodDegisimi CariKodDegistir(const Db& db, const QString& eski, const QString& yeni,
                                 const std::function<void(const QString& adim)>& adim = {});
// Code and name of an account; empty when none.
QPair<QString, QString> CariBul(const Db& db, const QString& kod);

} // namespace tornaly
