#pragma once
#include "accounts/bank/Banka.h"

#include <QDialog>

class QDateEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace tornaly::accounts {

class ListeModeli;

// The statement of one bank account: its rows, the totals by kind, the
// three balances, and the cheques and notes at the bank per currency.
class TFormBHrkBak : public QDialog {
    Q_OBJECT
public:
    TFormBHrkBak(const SessionContext& ctx, const QString& bankaAdi, const QString& bankaKod, const QString& hesapNo,
                 QWidget* parent = nullptr);

    QTabWidget* Sayfalar = nullptr;
    QTableWidget* GridHareket = nullptr;
    QTableWidget* GridTurToplam = nullptr;
    QTableWidget* GridBakiye = nullptr;
    QTableWidget* GridDurum = nullptr;
    QDateEdit* EditTarih1 = nullptr;
    QDateEdit* EditTarih2 = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();

private:
    QWidget* kurHareketler();
    QWidget* kurDurum();
    void yukle();
    void durumYukle();

    const SessionContext& m_ctx;
    Db m_db;
    QString m_bankaKod, m_hesapNo;
    QDate m_bas, m_bit;
};

void BankaHesapEkstre(const SessionContext& ctx, const QString& bankaAdi, const QString& bankaKod,
                      const QString& hesapNo, QWidget* parent = nullptr);

// "Aylık Borç-Alacak Tutarı": one bank's debit and credit per month.
class TFormAylikBank : public QDialog {
    Q_OBJECT
public:
    TFormAylikBank(const SessionContext& ctx, const QString& bankaKod, QWidget* parent = nullptr);
    QTableWidget* Grid = nullptr;
};

void BankaAylikTutar(const SessionContext& ctx, const QString& bankaKod, QWidget* parent = nullptr);

} // namespace tornaly::accounts
