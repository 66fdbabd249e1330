#pragma once
#include "parameters/Parametreler.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tornaly {

struct SessionContext;

// "Parametreler": the general parameters, the work-order number series, the
// working hours and the public holidays.
class TFormParam : public QDialog {
    Q_OBJECT
public:
    explicit TFormParam(SessionContext& ctx, QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnIptal = nullptr;
    QTableWidget* GridTatil = nullptr;
    QPushButton* BtnTatilEkle = nullptr;
    QPushButton* BtnTatilSil = nullptr;

    // The widget of a column ("PARAMET.BEKLE_GUN").
    QWidget* alan(const QString& tabloKolon) const { return m_alanlar.value(tabloKolon); }
    void setDeger(const QString& tabloKolon, const QVariant& v);
    QVariant deger(const QString& tabloKolon) const;

public slots:
    void BtnKaydetClick();
    void BtnIptalClick();
    void BtnTatilEkleClick();
    void BtnTatilSilClick();
    void DosyaSecClick(const QString& tabloKolon);
    void KlasorSecClick();

private:
    void kur();
    void goster(const TParametreler& p);
    TParametreler topla() const;
    SessionContext& m_ctx;
    Db m_db;
    QHash<QString, QWidget*> m_alanlar;
};

} // namespace tornaly
