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

// The tables and columns that hold a current-account code.
struct TKodKolonu {
    const char* tablo;
    const char* kolon;
};
const QList<TKodKolonu>& CariKodKolonlari();

// The current-account code rename: checks first, then every column in one
// transaction. `hata` is set (and nothing changes) when refused.
struct TCariKodDegisimi {
    QString hata;
    enum class Odak { Yok, Eski, Yeni } odak = Odak::Yok;
    TOnarimSonucu sonuc;
};
// The checks of "Değiştir" before the question.
TCariKodDegisimi CariKodDegisimKontrol(const Db& db, const QString& eski, const QString& yeni);
TCariKodDegisimi CariKodDegistir(const Db& db, const QString& eski, const QString& yeni);
// Code and name of an account; empty when none.
QPair<QString, QString> CariBul(const Db& db, const QString& kod);

} // namespace tornaly
