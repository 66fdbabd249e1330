#pragma once
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDate>
#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace tornaly::accounts {

// The filter of the voucher list; every value is bound.
struct CariHrkFiltresi {
    QString tip;      // empty: all kinds
    QDate ilk, son;   // inclusive days; invalid: open
    QString cariKod;  // vouchers with a line whose account code starts with it
};

// Sort choices of "Sıralama Değiş", each on its own column.
enum class CariHrkSiralama { Tarih, HrkNo, TBorc, TAlacak, MFisNo };

// The list statement of the voucher heads for a filter and a sort.
SqlText CariHrkListeSorgusu(const Db& db, const CariHrkFiltresi& f, CariHrkSiralama s);

// "CARİ HAREKETLER GİRİŞLERİ": voucher heads with the lines of the selected one.
class TFormCariHrkBr : public QDialog {
    Q_OBJECT
public:
    TFormCariHrkBr(const SessionContext& ctx, int mode, const QString& cariKod, const QString& cariAd,
                   QWidget* parent = nullptr);
    ~TFormCariHrkBr() override;

    void listeyiAc(double konum = -1);
    double currentNo() const;
    bool konumlan(double cariNo);
    // The first head whose column satisfies `uyar`, fetching further pages as needed.
    bool konumlanKolon(const QString& kolon, const std::function<bool(const QVariant&)>& uyar);

    ListeModeli* TableBr = nullptr;
    ListeModeli* QAyr = nullptr;
    QTableView* dbgridbr = nullptr;
    QTableView* GridAyr = nullptr;
    QComboBox* CbTipi = nullptr;
    QDateEdit* EditIlk = nullptr;
    QDateEdit* EditSon = nullptr;
    QLineEdit* EditCariKodu = nullptr;
    QComboBox* CbSiralama = nullptr;
    QPushButton* BtnFiltrele = nullptr;
    QPushButton* BtnFiltreKaldir = nullptr;
    QPushButton* btnNew = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* BtnYazdir = nullptr;
    QPushButton* BtnSayfaAyari = nullptr;
    QComboBox* CbYazim = nullptr;      // "Yazım Seçenekleri"
    QCheckBox* CbSeciliSatir = nullptr; // "Seçili Satırı Yaz"
    QMenu* PopupYeni = nullptr;
    QLabel* LblSayi = nullptr;
    QLabel* LblSecilenCari = nullptr;
    QLineEdit* EditAraHrkNo = nullptr;   // "Aranan Hrk. No"
    QLineEdit* EditAraMuhRef = nullptr;  // "Muh.&Ref.No"
    QDateEdit* EditAraTarih = nullptr;   // "Aranan Tarih"
    QPushButton* BtnMuhasebe = nullptr;
    CariHrkFiltresi filtre;
    double SEC = -1;

public slots:
    void btnNewMenu(const QString& tip, const QString& kilit);
    void btnEditClick();
    void btnDeleteClick();
    void BtnFiltreleClick();
    void BtnFiltreKaldirClick();
    void satirlariGoster();
    void BtnYazdirClick();
    void BtnSayfaAyariClick();
    void AraHrkNoEnter();
    void AraMuhRefEnter();
    void AraTarihEnter();
    // "Muhasebe": the current head's accounting voucher in the voucher list.
    void BtnMuhasebeClick();

public:
    // Prints the current voucher to the output named (preview, Word, Excel,
    // Text); the file written, empty for the preview or a cancelled save.
    QString yazdir(const QString& cikti);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    const SessionContext& m_ctx;
    Db m_db;
    QString m_cariKod, m_cariAd;
    CariHrkSiralama m_siralama = CariHrkSiralama::HrkNo;
};

// How many voucher lists are open: the account list opens no second one.
int CariHrkPenceresiAcik();

// Opens the voucher list (mode 0 maintain, 1 pick); the picked number, else -1.
double CariHrkSec(const SessionContext& ctx, int mode, const QString& cariKod, const QString& cariAd,
                  QWidget* parent = nullptr);

} // namespace tornaly::accounts
