#pragma once
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/forms/VehicleListBase.h"
#include "workshop/workorders/WorkOrders.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;
class QRadioButton;

namespace tornaly::workshop {

// "İŞ EMİRLERİ": finds, filters, opens, creates and deletes work orders, and
// hands a chosen one to the form that asked.
class TFormIEBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormIEBr(SessionContext& ctx, int mode, const QString& tipFiltre, QWidget* parent = nullptr);

    QLineEdit* EdAraNo = nullptr;
    QLineEdit* EdAraPlaka = nullptr;
    QLineEdit* EdFiltCari = nullptr;
    QLineEdit* EdFiltYil = nullptr;
    QLineEdit* EdFiltPlaka = nullptr;
    QComboBox* CbDurum = nullptr;
    QComboBox* CbTip = nullptr;
    QComboBox* CbSira = nullptr;
    QCheckBox* Chk15Gun = nullptr;
    QCheckBox* ChkBackOrder = nullptr;
    QDateEdit* DtGirisBas = nullptr;
    QDateEdit* DtGirisSon = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltKaldir = nullptr;
    QPushButton* BtnGecmis = nullptr;

    TypeIsEmri secilen() const { return m_secilen; }
    IEBrFiltre filtre() const;
    void setFiltre(const IEBrFiltre& f);

public slots:
    void BtnFiltreleClick();
    void BtnFiltKaldirClick();
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;
    void BtnSecClick() override;
    void BtnGecmisClick();

protected:
    QString keyColumn() const override { return QStringLiteral("IS_EMRI_NO"); }

private:
    TypeIsEmri m_secilen;
    QString m_tipFiltre;
};

// A date edit whose lowest date shows blank and stands for "no date"; the
// work-order lists use it for the ends of their ranges.
QDateEdit* BosTarihEdit(QWidget* parent, const char* name);
QDate BosTarih(const QDateEdit* d);
void BosTarihSil(QDateEdit* d);
// Opens a listed work order in the shared card; a closed one asks first.
void IsEmriKartindaAc(SessionContext& ctx, const QVariantMap& row, QWidget* parent);

// The work-order list: mode 1 picks, 2 picks without new or change, 5 browses,
// 10 picks closed work orders for invoicing. An empty IsEmriNo on cancel.
TypeIsEmri IsemriSec(SessionContext& ctx, int mode, const QString& tipFiltre, QWidget* parent = nullptr);

// "İşemri Tipleri": the types, with the names of C and D editable.
class TFormIsemriTipBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormIsemriTipBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    void tablo();
public slots:
    void BtnDuzenleClick() override;
protected:
    QString keyColumn() const override { return QStringLiteral("ISEMRI_TIP"); }
};
QString IsemriTipSec(SessionContext& ctx, const QString& baslangic, int mode, QWidget* parent = nullptr);

// "Geçmiş İş Emirleri": the past work orders of a chassis or plate.
class TFormIEGecmis : public VehicleListBase {
    Q_OBJECT
public:
    TFormIEGecmis(SessionContext& ctx, const QString& sase, const QString& plaka, QWidget* parent = nullptr);
public slots:
    void BtnSecClick() override;
protected:
    QString keyColumn() const override { return QStringLiteral("IS_EMRI_NO"); }
};
void ShowIEGecmis(SessionContext& ctx, const QString& sase, const QString& plaka, bool secilebilir,
                  QWidget* parent = nullptr);

// "Yedek Parça Garanti Kontrolü": the same parts fitted again within the period.
class TFormYPGarKontrol : public VehicleListBase {
    Q_OBJECT
public:
    TFormYPGarKontrol(SessionContext& ctx, const QString& isEmriNo, QWidget* parent = nullptr);
    QRadioButton* Rb12 = nullptr;
    QRadioButton* Rb24 = nullptr;
    QRadioButton* RbDiger = nullptr;
    QSpinBox* SpAy = nullptr;
public slots:
    void BtnSorgulaClick();
protected:
    QString keyColumn() const override { return QStringLiteral("IS_EMRI_NO"); }
private:
    QString m_isEmriNo;
};
void YPGarKontrolGoster(SessionContext& ctx, const QString& isEmriNo, QWidget* parent = nullptr);

} // namespace tornaly::workshop
