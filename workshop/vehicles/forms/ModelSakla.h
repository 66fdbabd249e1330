#pragma once
#include "workshop/vehicles/Catalogue.h"
#include "workshop/vehicles/forms/VehicleCardBase.h"
#include "workshop/vehicles/forms/VehicleListBase.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QTabWidget;

namespace tornaly::workshop {

// "Araç Model-Tip Kayıt": one model with its prices, colours, accessories,
// picture and accounting codes.
class TFormModelSakla : public VehicleCardBase {
    Q_OBJECT
public:
    TFormModelSakla(SessionContext& ctx, QWidget* parent = nullptr);

    QComboBox* CmbMarka = nullptr;
    QComboBox* CmbSegment = nullptr;
    QComboBox* CmbIscilik = nullptr;
    QTabWidget* Sayfalar = nullptr;
    FieldPanel* Teknik = nullptr;
    FieldPanel* Fiyatlar = nullptr;
    FieldPanel* MuhKodlari = nullptr;
    QTableWidget* GridDisRenk = nullptr;
    QTableWidget* GridIcRenk = nullptr;
    QTableWidget* GridAksesuar = nullptr;
    QLabel* Resim = nullptr;
    QCheckBox* ChkSigdir = nullptr;

    void loadModel(const QVariantMap& row, bool isNew);

public slots:
    void SegmentSecildi();
    void MarkaDegisti();
    void UsdMaliyetCikis();
    void KurSecClick(double tlRate);
    void ResimYukleClick();
    void AksesuarSecClick();
    void DisRenkSecClick();
    void IcRenkSecClick();

protected:
    bool save(QVariantMap& row) override;
    QString keyColumn() const override { return QStringLiteral("ARC_MODEL_KODU"); }
    void collect(QVariantMap& row) override;

private:
    void fillSegments();
    void refreshLinks();
    void showPicture();
    // The check-list dialog; false on cancel.
    bool runCheckList(const QString& caption, const QString& label, QList<CheckItem>& items);
    QList<QVariantMap> m_segments;
};

// "ARAÇ MODEL KAYITLARI": the first 500 models, or those whose code starts
// with, or whose name contains, the typed text.
class TFormModelBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormModelBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QLineEdit* EdModelKod = nullptr;
    QLineEdit* EdModelAdi = nullptr;
    void tablo(const QString& field = {}, const QString& text = {});
public slots:
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("ARC_MODEL_KODU"); }
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString m_field, m_text;
    bool m_searched = false;
};

// The card on a model (or a new one): the saved code, empty on cancel.
QString ModelKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent = nullptr);
// The model list; mode 1 picks. The picked code, empty otherwise.
QString ModelSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::workshop
