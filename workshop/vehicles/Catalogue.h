#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QVariantMap>

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// The vehicle catalogue: segments (MODELKOD), purchase-tax tariffs
// (TAVERGI), colours (RENK) and models (MODEL) with the accessories and
// colours offered with them. Saves and deletes show their refusals through
// the message service before any write begins and answer false; a write
// runs in one transaction. A key another workstation saved meanwhile is
// refused by throwing IslemReddi.

// Segments.
QStringList SegmentColumns();
bool SaveSegment(const Db& db, QVariantMap row, bool isNew);
// Asks, checks the models, deletes; true when the row is gone.
bool DeleteSegment(const Db& db, const QString& code);
// The segments a model of `marka` may take: the brand's own and those of
// no brand, "ZZ" or "DIGER", ordered by brand and name.
QList<QVariantMap> SegmentsOfBrand(const Db& db, const QString& marka);

// Purchase-tax tariffs.
QStringList TariffColumns();
bool SaveTariff(const Db& db, QVariantMap row, bool isNew);
bool DeleteTariff(const Db& db, const QString& code);

// Colours.
QStringList ColourColumns();
bool SaveColour(const Db& db, QVariantMap row, bool isNew);
bool DeleteColour(const Db& db, const QString& code);

// Models.
QStringList ModelColumns();
// Segment chosen on the card: the model follows the segment's brand and
// labour code. Brand changed: a segment the brand does not offer is cleared.
void ModelSegmentChosen(QVariantMap& model, const QVariantMap& segment);
void ModelBrandChanged(QVariantMap& model, const QList<QVariantMap>& brandSegments);
bool SaveModel(const Db& db, QVariantMap row, bool isNew);
bool DeleteModel(const Db& db, const QString& code);

// One line of a check list: code, text shown ("%-8s-name") and the tick.
struct CheckItem {
    QString code;
    QString text;
    bool checked = false;
};
QList<CheckItem> ModelAccessoryItems(const Db& db, const QString& model);
void SaveModelAccessories(const Db& db, const QString& model, const QList<CheckItem>& items);
QList<CheckItem> ModelExteriorItems(const Db& db, const QString& model, bool markaBayiModu);
// Adds the ticked colours the model lacks and removes the unticked ones it
// has, each with its interior colours; kept colours keep theirs.
void SaveModelExteriors(const Db& db, const QString& model, const QList<CheckItem>& items);
QList<CheckItem> ModelInteriorItems(const Db& db, const QString& model, const QString& exterior);
void SaveModelInteriors(const Db& db, const QString& model, const QString& exterior, const QList<CheckItem>& items);
// The model's picture (RESIMLER, TIP "M"); refuses bytes that are no image.
bool SaveModelPicture(const Db& db, const QString& model, const QByteArray& bytes);
QByteArray ModelPicture(const Db& db, const QString& model);

// The brand-dealer switch: on in the session, or by the setting
// "MarkaBayiModu" of the workstation (the distributor's own installations).
bool MarkaBayiModuAcik(const SessionContext& ctx);

} // namespace tornaly::workshop
