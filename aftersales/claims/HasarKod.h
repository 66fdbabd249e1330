#pragma once
#include "db/Database.h"

#include <QString>

namespace tornaly::aftersales {

// The title of a claim code type (1..8), the first part of the list's caption.
QString HasarKodBaslik(int tip);
// "<title> Tanımları"
QString HasarKodCaption(int tip);

// Stores one code of a type from the card. A new code that exists for the
// type is refused with "Aynı Kodlu Kayıt Var."; a changed code keeps its
// code and takes the new name. Returns the saved code; a refusal (an empty
// code too) throws IslemReddi.
QString HasarKodSakla(const Db& db, int tip, const QString& kod, const QString& ad, bool yeni);

// Deletes a code after the question; true when deleted.
bool HasarKodSil(const Db& db, int tip, const QString& kod);

} // namespace tornaly::aftersales
