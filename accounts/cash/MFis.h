#pragma once
#include "accounts/cash/MahsupFis.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tornaly::accounts {

// "Mahsup Fişi Girişi": one cash or offset slip with its lines, held in the
// form until "&Sakla" writes everything in one transaction.
class TFormMFis : public QDialog {
    Q_OBJECT
public:
    enum Kolon {
        K_SIRA_NO, K_TIP, K_KOD, K_ACIKLAMA1, K_ACIKLAMA2, K_MIKTAR, K_KDV, K_KDV_TUT, K_BORC, K_ALACAK, K_BORC_USD,
        K_ALACAK_USD, K_BORC_DVZ, K_ALACAK_DVZ, K_PARA_BAZ, K_DOVIZ_CINS, K_KUR_BAZ, K_KUR_DVZ, K_ISIN_TUTARI,
        K_VERGI_TUTARI, K_MUH_KARSI, K_SAYI
    };

    TFormMFis(const SessionContext& ctx, const MahsupFisi& fis, const QString& cariKod, const QString& cariAd,
              QWidget* parent = nullptr);

    const MahsupFisi& fis() const { return m_fis; }
    double sonuc = 0;

    // Appends a line of a kind (K, C, S, M, G, B, P); returns its row.
    int satirEkle(const QString& tip);
    // Writes a typed cell as the user would; false when refused.
    bool hucreYaz(int row, Kolon kolon, const QString& text);
    // The values a picker gives a line: code, name, and for some kinds the
    // account, currency, stock number, VAT, price or bank account.
    void kodSecildi(int row, const QString& kod, const QString& ad, const QString& muhKarsi = {},
                    const QString& doviz = {}, double stokNo = 0, const QString& bankaHesap = {});
    void satirSil(int row);
    // "Şablon Ekle": one line per prepared receipt line.
    void sablonEkle();

    QLabel* LblTipi = nullptr;
    QLabel* LblSecilenCari = nullptr;
    QDateEdit* EditTarih = nullptr;
    QLabel* LblHrkNo = nullptr;
    QLabel* LblToplam = nullptr;
    QTableWidget* GridSatir = nullptr;
    QComboBox* CbSatirTipi = nullptr;
    QPushButton* BtnSatirEkle = nullptr;
    QPushButton* BtnSatirSil = nullptr;
    QPushButton* BtnKodSec = nullptr;
    QPushButton* BtnKdvEkle = nullptr;
    QPushButton* BtnSablon = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnMakbuz = nullptr;
    QPushButton* BtnSayfaAyari = nullptr;

public slots:
    void BtnSaklaClick();
    void BtnVazgecClick();
    void BtnMakbuzClick();
    void BtnSayfaAyariClick();
    void BtnKodSecClick();
    void BtnKdvEkleClick();
    void BtnSablonClick();

protected:
    // Closing the window with unsaved lines is refused: save or cancel first.
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* kurBaslik(const QString& cariKod, const QString& cariAd);
    QWidget* kurSatirlar();
    QLayout* kurDugmeler();
    void satirGoster(int row);
    void tumunuGoster();
    void toplamlariGoster();

    const SessionContext& m_ctx;
    Db m_db;
    MahsupFisi m_fis;
    bool m_yukleniyor = false;
    bool m_yeni = true;
    bool m_degisti = false;
};

// Opens a slip: a number above 0 changes it, otherwise a new slip of the
// kind takes its number. Returns the slip number after a save, 0 on cancel.
double MahsupFisiGir(const SessionContext& ctx, const QString& tip, const QString& cariKod, const QString& cariAd,
                     double hrkNo, QWidget* parent = nullptr);

} // namespace tornaly::accounts
