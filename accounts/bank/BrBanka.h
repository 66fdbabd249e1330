#pragma once
#include "accounts/bank/Banka.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tornaly::accounts {

// "BANKA KAYITLARI": the banks, their accounts with their ledger codes and
// balances, and (mode 1) the picker of an account.
class TFormBankaBr : public QDialog {
    Q_OBJECT
public:
    TFormBankaBr(const SessionContext& ctx, int mode, const QString& tipUyumu, const QString& tipDoviz,
                 QWidget* parent = nullptr);

    QString TipUYUMU, TipDOVIZ;
    TBankParam secim;

    QLineEdit* EditArananKod = nullptr;
    QLineEdit* EditArananAd = nullptr;
    QTableWidget* GridBanka = nullptr;
    QTableWidget* GridHesap = nullptr;
    QTableWidget* GridBankaToplam = nullptr;
    QTableWidget* GridDovizToplam = nullptr;
    QTabWidget* Sayfalar = nullptr;
    QLineEdit* MuhKodlari[9] = {};
    QPushButton* BtnBankaEkle = nullptr;
    QPushButton* BtnBankaDuzelt = nullptr;
    QPushButton* BtnBankaSil = nullptr;
    QPushButton* BtnHesapEkle = nullptr;
    QPushButton* BtnHesapDuzelt = nullptr;
    QPushButton* BtnHesapSil = nullptr;
    QPushButton* BtnMuhKodSakla = nullptr;
    QPushButton* BtnHesapHareketleri = nullptr;
    QPushButton* BtnAylikRapor = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;

    // Moves to a bank and an account of it (tests and callers).
    void konumlan(const QString& bankaKod, const QString& hesapNo = {});
    QString bankaKod() const;
    QString hesapNo() const;

public slots:
    void BtnBankaEkleClick();
    void BtnBankaDuzeltClick();
    void BtnBankaSilClick();
    void BtnHesapEkleClick();
    void BtnHesapDuzeltClick();
    void BtnHesapSilClick();
    void BtnMuhKodSaklaClick();
    void BtnHesapHareketleriClick();
    void BtnAylikRaporClick();
    void BtnSecClick();

private:
    void muhKoduSec(int i);
    QWidget* kurArama();
    QWidget* kurBankalar();
    QWidget* kurHesaplar();
    QLayout* kurDugmeler();
    void bankalariYukle(const QString& konum = {});
    void hesaplariYukle(const QString& konum = {});
    void toplamlariYukle();

    const SessionContext& m_ctx;
    Db m_db;
    int m_mode;
    QList<BankaKaydi> m_bankalar;
    QList<BankaHesabi> m_hesaplar;
};

// The browse convention: mode 0 maintains, 1 also picks an account; the
// filters restrict what may be picked. An empty BanKodu: nothing chosen.
TBankParam BankaSec(const SessionContext& ctx, int mode, const QString& tipUyumu = {}, const QString& tipDoviz = {},
                    QWidget* parent = nullptr);

} // namespace tornaly::accounts
