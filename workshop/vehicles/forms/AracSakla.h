#pragma once
#include "workshop/vehicles/forms/VehicleCardBase.h"
#include "workshop/vehicles/forms/VehicleListBase.h"
#include "connection/DonPara.h"

class QLabel;
class QLineEdit;
class QTabWidget;

namespace tornaly::workshop {

// "Araç Kayıt": one vehicle's identity, dates and purchase and sale data.
class TFormAracSakla : public VehicleCardBase {
    Q_OBJECT
public:
    TFormAracSakla(SessionContext& ctx, QWidget* parent = nullptr);
    ~TFormAracSakla() override;

    QLabel* LblSaseSayac = nullptr;
    QLabel* LblModelAdi = nullptr;
    QLabel* LblDisRenkAdi = nullptr;
    QLabel* LblIcRenkAdi = nullptr;
    QTabWidget* Sayfalar = nullptr;
    FieldPanel* Garanti = nullptr;
    FieldPanel* Teknik = nullptr;
    FieldPanel* AlisSatis = nullptr;
    FieldPanel* Kiralama = nullptr;
    FieldPanel* ModelBilgi = nullptr;
    class QPushButton* BtnSaseDegis = nullptr;
    class QPushButton* BtnMerkezdenCek = nullptr;

    void loadArac(const QVariantMap& row, bool isNew);

public slots:
    void ModelSecClick();
    void DisRenkClick();
    void IcRenkClick();
    void MerkezdenCekClick();

protected:
    bool save(QVariantMap& row) override;
    QString keyColumn() const override { return QStringLiteral("SASE_NO"); }
    void collect(QVariantMap& row) override;

private:
    void showModel();
    void showColours();
};

// "ARAÇ  KAYITLARI": the first 50 vehicles, or those whose chassis, engine
// number or plate contains the typed text.
class TFormAracBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormAracBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QLineEdit* EdSase = nullptr;
    QLineEdit* EdMotor = nullptr;
    QLineEdit* EdPlaka = nullptr;
    // Lists the first 50, or what the statement given asks for.
    void tablo();
    void tabloSorgu(const QString& statement, const QVariantMap& binds);
    TDonPara secim() const { return m_secim; }

public slots:
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;
    void BtnSecClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("SASE_NO"); }
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void search(QLineEdit* field);
    bool m_searched = false;
    QObject* m_searchedField = nullptr;
    TDonPara m_secim;
    QString m_statement;
    QVariantMap m_binds;
};

// The card on a vehicle, or a new one with the presets. The saved chassis
// number, empty on cancel.
QString AracKartGir(SessionContext& ctx, const QString& saseNo, bool isNew, QWidget* parent = nullptr);
QString AracKartGirSasePlaka(SessionContext& ctx, const QString& saseNo, const QString& presetSase,
                             const QString& presetPlaka, bool isNew, QWidget* parent = nullptr);
// The vehicle list; mode 1 picks. The chassis number, empty otherwise.
QString AracSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);
// The list to pick a vehicle, filtered by the chassis text.
TDonPara AracSaseSec(SessionContext& ctx, const QString& saseNo, QWidget* parent = nullptr);

} // namespace tornaly::workshop
