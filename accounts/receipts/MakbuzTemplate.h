#pragma once
#include "accounts/receipts/MakbuzSablon.h"
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace tornaly::accounts {

// The receipt templates: a fee with VAT and withholding turned into ready
// voucher lines for the offset voucher.
class TFormMakbuzTemplate : public QDialog {
    Q_OBJECT
public:
    TFormMakbuzTemplate(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    void listeyiAc(int konum = 0);
    int seciliNo() const;
    // The amounts of the panel from the typed fields.
    MakbuzTutarlari tutarlar() const;
    // Edits a template in a small dialog; true when saved.
    bool sablonDuzenle(bool yeni);

    ListeModeli* TableBr = nullptr;
    QTableView* cxGrid = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;
    QWidget* PanelTutar = nullptr;
    QLineEdit* EditGider = nullptr;
    QLineEdit* EditKdvOran = nullptr;
    QLineEdit* EditStopajOran = nullptr;
    QLabel* LblKdv = nullptr;
    QLabel* LblKasa = nullptr;
    QLabel* LblStopaj = nullptr;
    QLabel* LblNet = nullptr;
    QPushButton* BtnKdvHaric = nullptr;
    QPushButton* BtnAktar = nullptr;
    QPushButton* BtnIptal = nullptr;
    int secilen = 0;

public slots:
    void BtnSecClick();
    void BtnAktarClick();
    void BtnIptalClick();
    void BtnKdvHaricClick();
    void BtnSilClick();
    void tutarlariGoster();

private:
    const SessionContext& m_ctx;
    Db m_db;
    MakbuzSablonu m_sablon;
};

// Mode 1 picks: the chosen template's number (0 on cancel); on a pick the
// lines of SonMakbuzSatirlari() are refilled.
int MakbuzSablonSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
