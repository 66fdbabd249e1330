#pragma once
#include "db/Database.h"
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/forms/FieldPanel.h"
#include "workshop/vehicles/forms/VehicleListBase.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// Picks a current account for the registration form; the account code, or
// empty when none was picked. The accounts library installs its picker.
using CariSecici = std::function<QString(SessionContext&, QWidget*)>;
void SetCariSecici(CariSecici picker);
// Runs the installed picker (the registration form and the work-order card).
QString CariSecimi(SessionContext& ctx, QWidget* parent);

// "Beyanname Formu": a sold vehicle's owner, plate, sale price and taxes,
// and its tax declaration row.
class TFormBeyan : public QDialog {
    Q_OBJECT
public:
    TFormBeyan(SessionContext& ctx, QWidget* parent = nullptr);

    FieldPanel* Arac = nullptr;     // the vehicle's columns the form edits
    FieldPanel* Sahibi = nullptr;   // the owner, read only
    FieldPanel* ModelBilgi = nullptr;
    FieldPanel* Vergi = nullptr;    // price and taxes
    QLabel* LblOtvNet = nullptr;
    QLabel* LblKdvTut = nullptr;
    QLabel* LblKdvli = nullptr;
    QLabel* LblAtf = nullptr;
    QLineEdit* EdNum1 = nullptr;
    QPushButton* BtnAracSec = nullptr;
    QPushButton* BtnAracKarti = nullptr;
    QPushButton* BtnCariSec = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnIptal = nullptr;
    QPushButton* BtnKapat = nullptr;

    // Opens the form on a vehicle; false when there is none.
    bool openVehicle(const QString& saseNo);
    QString result() const { return m_result; }
    bool isEditing() const;

public slots:
    void BtnKaydetClick();
    void BtnIptalClick();
    void BtnKapatClick();
    void BtnCariSecClick();
    void BtnAracSecClick();
    void Hesapla();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    bool gather(QVariantMap& arac);
    void showOwner();
    SessionContext& m_ctx;
    Db m_db;
    QVariantMap m_arac;
    QVariantMap m_beyan;
    QString m_previousPlate;
    bool m_ownerChanged = false;
    bool m_editBegun = false;
    bool m_readOnly = false;
    QString m_result;
};

// The registration form on a vehicle, or (no chassis number) on a new
// vehicle made first with the presets. The chassis number it held when
// closed with "Kapat", else empty.
QString BeyanAc(SessionContext& ctx, const QString& saseNo, const QString& presetSase, const QString& presetPlaka,
                QWidget* parent = nullptr);
QString BeyanAracAc(SessionContext& ctx, const QString& saseNo, QWidget* parent = nullptr);

// "Araç Ruhsat Listesi": vehicles with their owners.
class TFrmBeyanList : public VehicleListBase {
    Q_OBJECT
public:
    TFrmBeyanList(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QLineEdit* EdPlaka = nullptr;
    QLineEdit* EdCariAd = nullptr;
    QLineEdit* EdSase = nullptr;
    QLineEdit* EdMotor = nullptr;
    TypeIsEmri secim() const { return m_secim; }
    void tablo(bool ilk50);

public slots:
    void FiltreleClick();
    void FiltreKaldirClick();
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;
    void BtnSecClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("SASE_NO"); }
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLineEdit* m_active = nullptr;
    TypeIsEmri m_secim;
};

// "Beyan Listesi": the light list of the chassis change; empty until searched.
class TFrmBeyanList2 : public VehicleListBase {
    Q_OBJECT
public:
    TFrmBeyanList2(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QLineEdit* EdPlaka = nullptr;
    QLineEdit* EdCariAd = nullptr;
    QLineEdit* EdSase = nullptr;
    QLineEdit* EdMotor = nullptr;
    TypeIsEmri secim() const { return m_secim; }

public slots:
    void AraClick();
    void BtnSecClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("SASE_NO"); }
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLineEdit* m_active = nullptr;
    TypeIsEmri m_secim;
};

// Mode 0 browses, 1 picks a vehicle with an owner and a plate, 2 any vehicle.
TypeIsEmri AracRuhsatSec(SessionContext& ctx, const TypeIsEmri& start, int mode, QWidget* parent = nullptr);
TypeIsEmri BeyanListesiSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::workshop
