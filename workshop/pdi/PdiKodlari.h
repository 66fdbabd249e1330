#pragma once
#include "db/Database.h"

#include <QString>

namespace tornaly::workshop {

// The two code tables of the PDI faults, error codes (`PDIHATAD`) and error
// places (`PDIHYER`), described once each so that one list, one card and one
// pair of services serve both.
struct PdiKodTablosu {
    QString tablo, kodKolonu, adKolonu;
    QString detayKolonu;      // the PDIDET column that refers to the code
    QString listeBasligi, kartBasligi;
    QString kodBasligi, tanimBasligi; // grid columns and search choices
    QString kartKodBasligi, kartAdBasligi;
    QString kullanimdaMesaji, bosKodMesaji;
    bool artimliArama = false; // typing in the grid searches the code
};
const PdiKodTablosu& PdiHataKodlari();
const PdiKodTablosu& PdiHataYerleri();

// Whether a fault line of a PDI record refers to the code.
bool PdiKodKullanimda(const Db& db, const PdiKodTablosu& t, const QString& kod);
// Saves a code and its name. An empty code is refused with the table's
// message; a code that exists already with "Aynı Kodlu Kayıt Var." (the
// table's key decides, so two workstations cannot both add it).
void PdiKodKaydet(const Db& db, const PdiKodTablosu& t, const QString& kod, const QString& ad, bool yeni,
                  const QString& eskiKod = {});
// Deletes a code; a code in use is refused with the table's message (and
// the fault lines' key refuses it in the database as well).
void PdiKodSil(const Db& db, const PdiKodTablosu& t, const QString& kod);

} // namespace tornaly::workshop
