#pragma once
#include "accounts/bank/Banka.h"
#include "accounts/bank/BankaHrk.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tornaly::accounts {

// "Banka Hareketleri": one bank voucher with its lines. The lines stay in
// the form until "&Kaydet" writes everything in one transaction.
class TFormBankaHrk : public QDialog {
    Q_OBJECT
public:
    enum Kolon {
        K_SIRANO, K_BANKA_KOD, K_BANKA_ADI, K_HESAP_NO, K_CARI_KOD, K_FIRMA_ADI, K_BORC, K_BORC_USD, K_BORC_DVZ,
        K_ALACAK, K_ALACAK_USD, K_ALACAK_DVZ, K_DOVIZ_KODU, K_PARA_BAZ, K_TL_KURDEGER, K_TL_USDEGER, K_KASAKOD,
        K_MUH_KARSI, K_KOMISYON, K_TAKSIT_SAY, K_BELGE_NO, K_ACIKLAMA, K_SAYI
    };

    TFormBankaHrk(const SessionContext& ctx, const BankaHrkFisi& fis, QWidget* parent = nullptr);

    const BankaHrkFisi& fis() const { return m_fis; }
    double sonuc = 0;

    // Appends a line with the defaults of a new line; returns its row.
    int satirEkle();
    // Writes a typed cell as the user would; false when refused (an amount
    // that does not parse, or the other side of a one-sided line).
    bool hucreYaz(int row, Kolon kolon, const QString& text);
    // The effect of picking an account (bank and account buttons), a current
    // account or a cash box for a line.
    void bankaSecildi(int row, const TBankParam& p, bool aciklamaEkle);
    void cariSecildi(int row, const QString& cariKod);
    void satirSil(int row);

    QLabel* LblTipi = nullptr;
    QDateEdit* EditTarih = nullptr;
    QLabel* LblHrkNo = nullptr;
    QLabel* LblFisNo = nullptr;
    QLabel* LblToplamBorc = nullptr;
    QLabel* LblToplamAlacak = nullptr;
    QTableWidget* GridSatir = nullptr;
    QTableWidget* GridCariToplam = nullptr;
    QCheckBox* CheckBirlestir = nullptr;
    QPushButton* BtnSatirEkle = nullptr;
    QPushButton* BtnSatirSil = nullptr;
    QPushButton* BtnBankaSec = nullptr;
    QPushButton* BtnCariSec = nullptr;
    QPushButton* BtnKasaSec = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnIptal = nullptr;

public slots:
    void BtnKaydetClick();
    void BtnSatirSilClick();
    void BtnBankaSecClick();
    void BtnCariSecClick();
    void BtnKasaSecClick();
    void GridSatirCellDoubleClicked(int row, int col);

private:
    QWidget* kurBaslik();
    QWidget* kurSatirlar();
    QLayout* kurDugmeler();
    void kolonlariAyarla();
    void satirGoster(int row);
    void tumunuGoster();
    void toplamlariGoster();
    void cariToplamGoster();
    int seciliSatir();

    const SessionContext& m_ctx;
    Db m_db;
    BankaHrkFisi m_fis;
    bool m_yukleniyor = false;
};

// Opens a voucher of a kind: a number above 0 changes that voucher,
// otherwise a new one takes its number. Returns the saved number, 0 on cancel.
double BankaHrkGir(const SessionContext& ctx, const QString& tip, double hrkNo, QWidget* parent = nullptr);

// The bank payment of an invoice (source kind I, S or A): the invoice's
// voucher of that kind again, or a new one. Returns the source number on OK.
double BankaHrkFaturaOdeme(const SessionContext& ctx, const QString& refTip, const QString& taraf,
                           const QString& tip, double tutar, const QString& hesapNo, const QString& bankaKod,
                           const QString& cariKod, const QString& belgeNo, double refNo, QWidget* parent = nullptr);

} // namespace tornaly::accounts
