#pragma once
#include "connection/DonPara.h"
#include "context/SessionContext.h"

#include <QDialog>
#include <QVariantMap>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tornaly::workshop {

// "Arızaya Göre Yedek Parça": the parts allowed for a labour code on the
// vehicle's labour model, or on the general operations.
class TFormSecFrt : public QDialog {
    Q_OBJECT
public:
    TFormSecFrt(SessionContext& ctx, const QString& arizaKodu, const QString& model, QWidget* parent = nullptr);
    TDonPara Sonuc;
    QString SEC; // the chosen row's part code; the callers do not use it
    QLineEdit* EdModel = nullptr;
    QCheckBox* CbGenel = nullptr;
    QLineEdit* EdAriza = nullptr;
    QPushButton* BtnArizaSec = nullptr;
    QTableWidget* Grid = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnIptal = nullptr;
public slots:
    void listele();
    void BtnArizaSecClick();
    void BtnSecClick();
private:
    QString aranacakModel() const;
    SessionContext& m_ctx;
    QList<QVariantMap> m_rows;
    // The labour picked through "Seç", so a labour without a parts list can still be chosen.
    QString m_secilenKod, m_secilenModel;
};

// "FormFRTSTK": every row of the parts per labour code, edited in place.
class TFormFRTSTK : public QDialog {
    Q_OBJECT
public:
    explicit TFormFRTSTK(SessionContext& ctx, QWidget* parent = nullptr);
    QTableWidget* Grid = nullptr;
public slots:
    void yenile();
    void ekle();
    void sil();
    void hucreDegisti(int row, int col);
private:
    SessionContext& m_ctx;
    QList<QVariantMap> m_rows; // the stored row behind each grid row; empty for a row not yet written
    bool m_dolduruluyor = false;
};

// Opens the picker with the labour code and model; on cancel KodStr is empty.
void ArizaParcaSec(SessionContext& ctx, const QString& arizaKodu, const QString& model, TDonPara& sonuc,
                   QWidget* parent = nullptr);
void ShowFRTSTK(SessionContext& ctx, QWidget* parent = nullptr);

} // namespace tornaly::workshop
