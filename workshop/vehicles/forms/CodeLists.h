#pragma once
#include "workshop/vehicles/forms/VehicleListBase.h"

class QComboBox;
class QLineEdit;

namespace tornaly::workshop {

// "MODEL SEGMENT TİP TANIMLARI": the segments, filtered by brand and labour
// code; Enter in "Aranan Değer" goes to the first segment whose chosen
// column starts with the text.
class TFormTypeBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormTypeBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QLineEdit* EdMarka = nullptr;
    QLineEdit* EdIscilikKod = nullptr;
    QComboBox* CmbAlan = nullptr;
    QLineEdit* EdAranan = nullptr;

    void tablo();
public slots:
    void FiltreleClick();
    void FiltreKaldirClick();
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("MODEL_KOD"); }
    bool eventFilter(QObject* o, QEvent* e) override;
};

// "Taşıt Alım Vergileri": the tariffs.
class TFormTAVBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormTAVBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QComboBox* CmbAlan = nullptr;
    QLineEdit* EdAranan = nullptr;
    void tablo(const QString& goTo = {});
public slots:
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("TARIFE_KOD"); }
    bool eventFilter(QObject* o, QEvent* e) override;
};

// "RENK KAYITLARI": the colours; in the model pickers only those a model
// offers.
class TFormRenkBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormRenkBr(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QLineEdit* EdRenkKod = nullptr;
    QLineEdit* EdRenkAdi = nullptr;
    // The model (and exterior colour) whose colours the list offers.
    void limitToModel(const QString& model, const QString& exterior, bool interior);
    void tablo(const QString& order, const QString& goTo = {});
public slots:
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;

protected:
    QString keyColumn() const override { return QStringLiteral("ARC_RENK_KODU"); }
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString m_limit;
    QVariantMap m_limitBinds;
    QString m_order = QStringLiteral("ARC_RENK_KODU");
};

// The pickers (mode 1 picks; other modes browse). The picked code, empty on cancel.
QString ModelSegmentSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);
QString TAVSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);
QString RenkSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);
QString DisRenkSec(SessionContext& ctx, const QString& model, QWidget* parent = nullptr);
QString IcRenkSec(SessionContext& ctx, const QString& model, const QString& exterior, QWidget* parent = nullptr);

} // namespace tornaly::workshop
