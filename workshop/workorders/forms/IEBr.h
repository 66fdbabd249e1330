#pragma once
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/forms/VehicleListBase.h"
#include "workshop/workorders/WorkOrders.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QRadioButton;
class QToolButton;

namespace tornaly::workshop {

// "İŞ EMİRLERİ": finds, filters, opens, creates and deletes work orders, and
// hands a chosen one to the form that asked.
class TFormIEBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormIEBr(SessionContext& ctx, int mode, const QString& tipFiltre, QWidget* parent = nullptr);

    QLineEdit* EdAraNo = nullptr;
    QLineEdit* EdAraCari = nullptr;
    QLineEdit* EdAraPlaka = nullptr;
    QDateEdit* DtAraGiris = nullptr;
    QLineEdit* EdFiltCari = nullptr;
    QLineEdit* EdFiltYil = nullptr;
    QLineEdit* EdFiltPlaka = nullptr;
    QComboBox* CbDurum = nullptr;
    QToolButton* CbTip = nullptr;     // multiple choice over the work-order types
    QComboBox* CbFatura = nullptr;
    QComboBox* CbPlan = nullptr;
    QComboBox* CbSira = nullptr;
    QCheckBox* Chk15Gun = nullptr;
    QCheckBox* ChkBackOrder = nullptr;
    QDateEdit* DtGirisBas = nullptr;
    QDateEdit* DtGirisSon = nullptr;
    QDateEdit* DtCikisBas = nullptr;
    QDateEdit* DtCikisSon = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltKaldir = nullptr;
    QPushButton* BtnGecmis = nullptr;
    QPushButton* BtnAracPrcIsc = nullptr;
    QPushButton* BtnYedekParca = nullptr;
    QPushButton* BtnIEKapama = nullptr;
    QPushButton* BtnSipOneri = nullptr;
    QPushButton* BtnKayitGecmisi = nullptr;
    QPushButton* BtnIsPlan = nullptr;
    QAction* ActBarkodlaAra = nullptr;
    // "İş Emri Kalem/Fatura Edilen Kalem Adetleri"
    QGroupBox* PnlFatura = nullptr;
    QLabel* LblMusIs = nullptr;
    QLabel* LblMusFt = nullptr;
    QLabel* LblHsrIs = nullptr;
    QLabel* LblHsrFt = nullptr;
    QLabel* LblGrnIs = nullptr;
    QLabel* LblGrnFt = nullptr;

    TypeIsEmri secilen() const { return m_secilen; }
    IEBrFiltre filtre() const;
    void setFiltre(const IEBrFiltre& f);
    QStringList seciliTipler() const;
    void tipleriSec(const QStringList& tipler);

public slots:
    void BtnFiltreleClick();
    void BtnFiltKaldirClick();
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;
    void BtnSecClick() override;
    void BtnGecmisClick();
    void BtnAracPrcIscClick();
    void BtnYedekParcaClick();
    void BtnIEKapamaClick();
    void BtnSipOneriClick();
    void BtnKayitGecmisiClick();
    void BtnIsPlanClick();
    void BarkodlaAraClick();
    void DtAraGirisChange();

protected:
    QString keyColumn() const override { return QStringLiteral("IS_EMRI_NO"); }

private:
    void kurFiltreler();
    void kurKomutlar();
    void faturaPaneli();
    void tipYazisi();
    void satirGuncelle();
    // Reopens the list after a follow-on form and returns to the work order.
    void yenileVeDon(const QString& isEmriNo);

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

// "Geçmiş İş Emirlerinde Kullanılan Parça ve İşçiliklerin Tümü": every work
// order, part and labour line of a chassis or plate.
class TFormIEGecmisPrcIsc : public QDialog {
    Q_OBJECT
public:
    TFormIEGecmisPrcIsc(SessionContext& ctx, const QString& sase, const QString& plaka, QWidget* parent = nullptr);
    BoundQueryModel* IsEmirleri = nullptr;
    BoundQueryModel* Parcalar = nullptr;
    BoundQueryModel* Iscilikler = nullptr;
};
// Without a chassis: "Lütfen Şasesi Olan Bir Araç Seçin".
void ShowIEGecmisPrcIsc(SessionContext& ctx, const QString& sase, const QString& plaka, QWidget* parent = nullptr);

// "YEDEK PARÇA SİPARİŞ ÖNERİLERİ" of a work order; a warning when it has none.
void SipOneriGoster(SessionContext& ctx, const QString& isEmriNo, QWidget* parent = nullptr);

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
