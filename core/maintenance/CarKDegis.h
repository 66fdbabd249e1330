#pragma once
#include "maintenance/VeriOnarim.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tornaly {

struct SessionContext;

// "Cari Kodu Değiştirme".
class TFormCarKDegis : public QDialog {
    Q_OBJECT
public:
    explicit TFormCarKDegis(SessionContext& ctx, QWidget* parent = nullptr);
    QLineEdit* EditESKI = nullptr;
    QLineEdit* EditYENI = nullptr;
    QLabel* LblEskiAd = nullptr;
    QPushButton* BtnCariSec = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnKapat = nullptr;
public slots:
    void EditESKIEnter();
    void BtnCariSecClick();
    void BtnDegistirClick();
private:
    SessionContext& m_ctx;
    Db m_db;
};

} // namespace tornaly
