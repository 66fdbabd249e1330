#pragma once
#include "context/SessionContext.h"
#include "services/MuhasebeEntegre.h"
#include "stock/slips/StokFisi.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTableWidget;

namespace tornaly {
class BoundQueryModel;
class TTarihEdit;
}

namespace tornaly::stock {

// The stock slip window ("Stok Fişi"): head, lines, the part list with its
// search and barcode-reader mode, totals, price refresh, import and print.
// Modeless; frees itself when closed.
class TFormStkFis : public QWidget {
    Q_OBJECT
public:
    // hrkno 0 (or a number not found): a new slip of type `tip`.
    TFormStkFis(SessionContext& ctx, double hrkno, QChar tip, QWidget* parent = nullptr);
    ~TFormStkFis() override;

    // How many slip windows are open (the browse allows two).
    static int AcikPencereSayisi();

    QLabel* LblTip = nullptr;
    QLineEdit* EditHrkNo = nullptr;
    QLineEdit* EditOzelKod = nullptr;
    TTarihEdit* EditTarih = nullptr;
    QLineEdit* EditAciklama1 = nullptr;
    QLineEdit* EditAciklama2 = nullptr;
    QLineEdit* EditAciklama3 = nullptr;
    QLineEdit* EditPerson = nullptr;
    QComboBox* CmbCikDepo = nullptr;
    QComboBox* CmbGirDepo = nullptr;
    QLabel* LblOnay = nullptr;
    QCheckBox* ChkOnay = nullptr;
    QLineEdit* EditFisNo = nullptr;
    QLabel* LblToplam = nullptr;
    QComboBox* CmbYazdir = nullptr;
    QComboBox* CmbFiyat = nullptr;
    QPushButton* BtnExcel = nullptr;
    QPushButton* BtnFiyat = nullptr;
    QPushButton* BtnHesap = nullptr;
    QPushButton* BtnIptal = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnKapat = nullptr;
    QPushButton* BtnYazdir = nullptr;
    QPushButton* BtnMerkez = nullptr;
    QTableWidget* GridSatir = nullptr;
    QLineEdit* EditAra = nullptr;
    QLabel* LblAraAlan = nullptr;
    QTableView* GridStok = nullptr;
    BoundQueryModel* QStok = nullptr;
    QPushButton* BtnStokKarti = nullptr;
    QPushButton* BtnStokHareket = nullptr;
    QPushButton* BtnBarkod = nullptr;
    QLabel* LblMod = nullptr;
    QTableWidget* GridDepo = nullptr;
    QMenu* MenuAra = nullptr;

    // What the window was opened for: a slip number (0: new) and a new slip's type.
    double HRKNOSU = 0;
    QChar TIPSTK;
    // The accounting switch PARAFAT.MUH_KAY as it stood when the window opened.
    MuhasebeAktarimi MuhKytVarmi = MuhasebeAktarimi::Aktarma;

    const StokFisi& fis() const { return m_fis; }
    bool barkodModu() const { return m_barkod; }
    bool kaydedildi() const { return m_kaydedildi; }

public slots:
    void BtnSaklaClick();
    void BtnHesapClick();
    void BtnFiyatClick();
    void BtnIptalClick();
    void BtnYazdirClick();
    void BtnExcelClick();
    void BtnBarkodClick();
    void BtnMerkezClick();
    void EditAraEnter();
    void StokEkle(); // the current row of the part list

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* kurBaslik();
    QWidget* kurSatirlar();
    QWidget* kurStokListesi();
    void kurMenu();
    QLayout* kurDugmeler();
    void fisiYukle(double hrkno, QChar tip);
    void basligiGoster();
    void basligiAl();
    void satirlariGoster(int secili = -1);
    void satirDegisti(int row, int col);
    void toplamlariGoster();
    void stokListesiAc(const QString& alan, const QString& metin);
    void stokKaydiEkle(double stokNo, const StokEkleme& e = {});
    void barkodModuAyarla(bool acik);
    void barkodBitti();
    bool fonksiyonTusu(QKeyEvent* e); // F2 F5 F6 F7 F11 F12, wherever the focus is
    double seciliStokNo() const;
    void depoSeridiGoster(double stokNo);

    SessionContext& m_ctx;
    Db m_db;
    StokFisi m_fis;
    bool m_salt = false;       // date locked: shown only
    bool m_degisti = false;
    bool m_kaydedildi = false;
    bool m_yukleniyor = false;
    bool m_merkezAcik = false;
    QString m_araAlan = QStringLiteral("KOD"); // KOD, AD, BARKOD
    bool m_barkod = false;
    QString ARAKOD;
    bool IlkF2Geldi = false, SonF2Geldi = false;
    bool doubleenter = false;
};

} // namespace tornaly::stock
