#pragma once
#include "workshop/vehicles/forms/VehicleCardBase.h"

class QComboBox;
class QRadioButton;

namespace tornaly::workshop {

// "Model Segmenti Tip Kayıt": one segment of MODELKOD.
class TFormTypeSakla : public VehicleCardBase {
    Q_OBJECT
public:
    TFormTypeSakla(SessionContext& ctx, QWidget* parent = nullptr);
    QComboBox* CmbMarka = nullptr;

protected:
    bool save(QVariantMap& row) override;
    QString keyColumn() const override { return QStringLiteral("MODEL_KOD"); }
    void collect(QVariantMap& row) override;
};

// "Araç Alım Vergilendirme Tarifeleri": one tariff of TAVERGI.
class TFormTAVSakla : public VehicleCardBase {
    Q_OBJECT
public:
    TFormTAVSakla(SessionContext& ctx, QWidget* parent = nullptr);

protected:
    bool save(QVariantMap& row) override;
    QString keyColumn() const override { return QStringLiteral("TARIFE_KOD"); }
};

// "Renk Kayıt": one colour of RENK.
class TFormRenkSakla : public VehicleCardBase {
    Q_OBJECT
public:
    TFormRenkSakla(SessionContext& ctx, QWidget* parent = nullptr);
    QRadioButton* RbDis = nullptr;
    QRadioButton* RbIc = nullptr;

protected:
    bool save(QVariantMap& row) override;
    QString keyColumn() const override { return QStringLiteral("ARC_RENK_KODU"); }
    void collect(QVariantMap& row) override;
};

// The openers: the card on a code (or a new row); the saved code, empty on cancel.
QString ModelSegmentKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent = nullptr);
QString TAVKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent = nullptr);
QString RenkKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent = nullptr);

// The brands of the shared brand list, for drop-downs.
QStringList BrandCodes(const Db& db);

} // namespace tornaly::workshop
