#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace tornaly {
struct SessionContext;
class TTarihEdit;
} // namespace tornaly

namespace tornaly::workshop {

// "Cihazdan Çalışma Saatlerini Okutma": reads the attendance device's file
// into the readings and pairs them into intervals.
class TFormCihazdanGelenm : public QDialog {
    Q_OBJECT
public:
    explicit TFormCihazdanGelenm(SessionContext& ctx, QWidget* parent = nullptr);

    TTarihEdit* DateEditOku = nullptr;
    QPushButton* BtnYENIBIL = nullptr;
    QPushButton* BtnTUM = nullptr;
    QPushButton* BitBtnKapat = nullptr;
    QLabel* LabelLSAY = nullptr;

    // Both buttons: `tumu` for "Cihazdan Tüm Bilgileri Oku  ve Yaz".
    void BtnYENIBILClick(bool tumu);
    void BasBitZamanHesapla();

private:
    SessionContext& m_ctx;
    QDateTime m_dosyaZamani;
};

void CihazdanOkutGoster(SessionContext& ctx, QWidget* parent = nullptr);

} // namespace tornaly::workshop
