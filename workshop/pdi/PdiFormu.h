#pragma once
#include "db/Database.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace tornaly::workshop {

// The pre-sale PDI form (`PDIFORMU`): one numbered check list per vehicle
// and date, 24 yes/no check points under five headings.

struct PdiFormuMaddesi {
    QString kolon;
    QString baslik; // the caption with its number
    int bolum = 0;  // index into PdiFormuBolumleri()
};
const QList<PdiFormuMaddesi>& PdiFormuMaddeleri();
const QStringList& PdiFormuBolumleri();
QStringList PdiFormuKolonlari();

// The date of the vehicle's latest form; invalid when it has none.
QDateTime PdiFormuSonTarih(const Db& db, const QString& sase);
// The form of the chassis on the date; empty when there is none.
QVariantMap PdiFormuOku(const Db& db, const QString& sase, const QDateTime& tarih);

// What the vehicle look-up shows beside the form.
struct PdiFormuArac {
    QString modelAdi, renkAdi;
    bool bulundu = false;
};
// Reads the vehicle card of the form's chassis; with `doldur` the form takes
// its model code, engine number, model segment and brand.
PdiFormuArac PdiFormuAracOku(const Db& db, QVariantMap& row, bool doldur);

// "&Sakla": the chassis checks ("Şase 17 hane olmalı!", "ŞASE de Hatalı yada
// Boşluklu Karakter kullandınız.", "Şase ve Tarih Yazılmadan Kayıt
// Saklanamaz"), then the row under its key (chassis and date).
void PdiFormuKaydet(const Db& db, const QVariantMap& row, bool yeni);

} // namespace tornaly::workshop
