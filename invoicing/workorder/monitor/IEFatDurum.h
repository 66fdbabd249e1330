#pragma once
#include "db/Database.h"
#include "workshop/workorders/WorkOrders.h"

#include <QDate>
#include <QString>

namespace tornaly::invoicing {

// What the invoice-status monitor selects. Dates left invalid do not limit.
struct IEFatDrmFiltre {
    QString cariKod;
    int yil = 0; // 0: every year
    QString plaka;
    QDate girisBas, girisSon, cikisBas, cikisSon, faturaBas, faturaSon;
    bool kapali = false, acik = false; // both or neither: every state
    enum class FatDurum { Tumu, Kesilmis, Kesilmemis } fatDurum = FatDurum::Tumu;
    workshop::IEBrFiltre::Sira sira = workshop::IEBrFiltre::Sira::No;
};

// One row per work order: its value worked out from its lines beside what its
// customer invoices and the warranty invoices of its claims bill. Several
// invoices of one work order are summed, never listed twice. The guarantee
// factor table `GT`, the part/labour table `PI` and the claims `CLAIMM` are
// read when the company database has them; without `GT` the letters M, K and
// D are the customer's and every other letter the warranty's, without `PI`
// the line's own kind splits, and without `CLAIMM` nothing is warranty-billed.
workshop::Sorgu IEFatDrmSorgu(const Db& db, const IEFatDrmFiltre& f);

} // namespace tornaly::invoicing
