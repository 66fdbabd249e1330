#pragma once
#include "accounts/vouchers/CariHrkFis.h"
#include "export/SpreadsheetReader.h"
#include "context/SessionContext.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tornaly::accounts {

// "Cari Hareketler Girişi": one current-account voucher with its lines. The
// lines stay in the form until "&Sakla" writes everything in one transaction.
class TFormCariHarek : public QDialog {
    Q_OBJECT
public:
    // Line grid columns, in order.
    enum Kolon {
        K_CARI_KOD, K_CARI_AD, K_BORC, K_BORC_USD, K_BORC_DVZ, K_ALACAK, K_ALACAK_USD, K_ALACAK_DVZ, K_PARA_BAZ,
        K_DVZ_KOD, K_KASAKOD, K_TL_USDEGER, K_TL_KURDEGER, K_ODE_KOD, K_BELGE_NO, K_VADE_TRH, K_ACIKLAMA, K_SIRANO,
        K_SAYI
    };

    TFormCariHarek(const SessionContext& ctx, const CariHrkFisi& fis, const QString& kilitTipi,
                   const QString& cariKod, const QString& cariAd, QWidget* parent = nullptr);

    const CariHrkFisi& fis() const { return m_fis; }
    QString KILITLETIP;
    double A_KODU = 0;

    // Appends a line with the defaults of a new line; returns its row.
    int satirEkle(const QString& cariKod = {});
    // Writes a typed cell value as the user would; false when it is refused
    // (an amount that does not parse, or the side lock).
    bool hucreYaz(int row, Kolon kolon, const QString& text);
    void satirSil(int row);
    bool kaydet(); // "&Sakla" without the closing question
    // Appends the lines of a sheet ("Excelden Al" after the file and the
    // question); the refused rows are shown in the text window.
    void exceldenAl(const SheetTable& sayfa);
    // True while lines or the head hold changes not saved yet.
    bool degisti() const { return m_degisti; }

    QLabel* LblTipi = nullptr;
    QDateEdit* EditTarih = nullptr;
    QLabel* LblFisNo = nullptr;
    QLabel* LblCariNo = nullptr;
    QLineEdit* EditBelgeNo = nullptr;
    QLabel* LblBelgeNo = nullptr;
    QLabel* LblToplamBorc = nullptr;
    QLabel* LblToplamBorcUsd = nullptr;
    QLabel* LblToplamAlacak = nullptr;
    QLabel* LblToplamAlacakUsd = nullptr;
    QLabel* LblSecilenCari = nullptr;
    QLineEdit* EditKodAra = nullptr;
    QTableWidget* cxGrid = nullptr;
    QPushButton* BtnSatirEkle = nullptr;
    QPushButton* BtnSatirSil = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnMakbuzYaz = nullptr;
    QPushButton* BtnExceldenAl = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QLabel* LblKalanBaslik = nullptr;
    QLabel* LblKalan = nullptr;

public slots:
    void BtnSaklaClick();
    void BtnVazgecClick();
    void cxGridCellDoubleClicked(int row, int col);
    void EditKodAraEnter();
    void BtnMakbuzYazClick();
    void BtnExceldenAlClick();

private:
    void satirGoster(int row);
    void tumunuGoster();
    void toplamlariGoster();
    void bakiyeGoster();
    void satirHesapla(int row);

    const SessionContext& m_ctx;
    Db m_db;
    CariHrkFisi m_fis;
    QString m_secilenKod, m_secilenAd, m_sonCari, m_defKasa;
    bool m_yukleniyor = false;
    bool m_degisti = false;
};

// Opens a voucher: `cariNo` > 0 changes it, else a new one of kind `tip`.
// Returns the saved voucher's number, 0 when cancelled or refused.
double CariHrkGir(const SessionContext& ctx, const QString& tip, const QString& kilitTipi, const QString& cariKod,
                  const QString& cariAd, double cariNo, QWidget* parent = nullptr);
// The cash payment of an invoice: its own voucher again, or a new one with
// one line of the amount.
double CariHrkFaturaOdeme(const SessionContext& ctx, const QString& refTip, const QString& tip,
                          const QString& kilitTipi, double tutar, const QString& cariAd, const QString& kasaKod,
                          const QString& cariKod, const QString& belgeNo, double refNo, QWidget* parent = nullptr);

// Whether the user may open a voucher: new ones need diger09 N/D/Y, a saved
// one D/Y and a date after the lock date ("İlgili tarih için işlem
// yapılamaz!" is shown then).
bool CariHrkAcilabilir(const SessionContext& ctx, const CariHrkFisi& fis, bool yeni);

} // namespace tornaly::accounts
