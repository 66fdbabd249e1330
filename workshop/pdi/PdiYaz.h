#pragma once
#include "workshop/pdi/BelgeForm.h"
#include "report/ReportModel.h"

#include <QVariantMap>

namespace tornaly::workshop {

// "PDI Formu": the pre-sale form with a yes and a no box per check point.
report::Report PdiFormuYaz(const QVariantMap& row, const QString& modelAdi, const QString& renkAdi,
                           const QString& teknisyen);

// "SON KONTROL BAKIM FORMU": the check-list document, an X under "TAMAM" or
// "EKSİK" per check point; headings in bold without boxes.
struct BelgeBaskiAdlari {
    QString modelAdi, hazirlayan, onaylayan;
};
BelgeBaskiAdlari BelgeBaskiAdlariOku(const Db& db, const QVariantMap& row);
report::Report SonKontrolYaz(const BelgeFormu& b, const BelgeBaskiAdlari& adlar);

} // namespace tornaly::workshop
