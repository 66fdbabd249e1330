#pragma once
#include "accounts/cash/Kasa.h"
#include "accounts/ui/SecimListesi.h"

class QLineEdit;
class QPushButton;

namespace tornaly::accounts {

// "Kasa Tanım Kayıt": one cash box.
class TFormKasaSakla : public QDialog {
    Q_OBJECT
public:
    TFormKasaSakla(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);
    QLineEdit* KASAKOD = nullptr;
    QLineEdit* ADI = nullptr;
    QLineEdit* ACIKLAMA1 = nullptr;
    QLineEdit* ACIKLAMA2 = nullptr;
    QLineEdit* ACIKLAMA3 = nullptr;
    QLineEdit* MUH_KOD = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QString sonuc;

public slots:
    void BtnSaklaClick();

private:
    Db m_db;
    bool m_yeni;
};

// "KASA TANIM KAYITLARI": the cash boxes and their picker.
class TFormKasaBr : public SecimListesi {
    Q_OBJECT
public:
    TFormKasaBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
public slots:
    void btnNewClick() override;
    void btnEditClick() override;
    void btnDeleteClick() override;
};

QString KasaKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);
QString KasaSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
