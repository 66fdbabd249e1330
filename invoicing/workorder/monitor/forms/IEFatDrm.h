#pragma once
#include "invoicing/workorder/monitor/IEFatDurum.h"
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/forms/VehicleListBase.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace tornaly::invoicing {

// "İŞ EMİRLERİ FATURA DURUMU": each work order's value beside what was billed
// for it. Reads only; opens work orders in the shared card.
class TFormIEFatDrm : public workshop::VehicleListBase {
    Q_OBJECT
public:
    TFormIEFatDrm(SessionContext& ctx, int mode, QWidget* parent = nullptr);

    QLineEdit* EdAraNo = nullptr;
    QLineEdit* EdCari = nullptr;
    QPushButton* BtnCariSec = nullptr;
    QLineEdit* EdPlaka = nullptr;
    QDateEdit* DtGirisBas = nullptr;
    QDateEdit* DtGirisSon = nullptr;
    QDateEdit* DtCikisBas = nullptr;
    QDateEdit* DtCikisSon = nullptr;
    QDateEdit* DtFatBas = nullptr;
    QDateEdit* DtFatSon = nullptr;
    QCheckBox* ChkKapali = nullptr;
    QCheckBox* ChkAcik = nullptr;
    QComboBox* CbFatDurum = nullptr;
    QComboBox* CbSira = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreSil = nullptr;
    QPushButton* BtnAracIE = nullptr;
    QPushButton* BtnAracPrcIsc = nullptr; // "Aracın Parça ve İşçilikleri"

    IEFatDrmFiltre filtre() const;
    workshop::TypeIsEmri secilen() const { return m_secilen; }

public slots:
    void BtnFiltreleClick();
    void BtnFiltreSilClick();
    void CbSiraChange();
    void BtnCariSecClick();
    void BtnAracIEClick();
    void BtnAracPrcIscClick();
    void BtnDuzenleClick() override;
    void BtnSecClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("IS_EMRI_NO"); }
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // The year field is not shown: it holds the working year until the
    // filter is cleared.
    int m_yil = 0;
    workshop::TypeIsEmri m_secilen;
};

// Mode 0 browses (no "&Seç"); other modes pick. Empty IsEmriNo when nothing chosen.
workshop::TypeIsEmri IsemriDurumSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::invoicing
