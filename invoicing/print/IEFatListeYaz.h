#pragma once
#include "db/Database.h"
#include "invoicing/workorder/IEFatListe.h"
#include "report/ReportModel.h"

namespace tornaly::invoicing {

// "AYRINTILI İŞ EMRİ FATURASI LİSTESİ": each listed invoice with its account,
// date, number, amount and work order, then its lines.
report::Report AyrintiliIEFatListesi(const Db& db, const QList<IEFatListeSatiri>& liste);

} // namespace tornaly::invoicing
