#pragma once
#include "db/Database.h"
#include "workshop/pdi/BelgeForm.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

class FieldPanel;

// "FormBelgeForm": one check-list document, its vehicle and customer and the
// answers to the questions of its type.
class TFormBelgeForm : public QDialog {
    Q_OBJECT
public:
    TFormBelgeForm(SessionContext& ctx, int tip, QWidget* parent = nullptr);

    // Opens the stored document of the type for the work order or chassis,
    // else starts a new one filled from them.
    void ac(const QString& isEmriNo, const QString& sase);
    const BelgeFormu& belge() const { return m_b; }
    bool degisiyor() const { return m_degisiyor; }
    int sonuc() const;

    FieldPanel* Alanlar = nullptr;
    QLabel* LblModelAdi = nullptr;
    QComboBox *CmbHazirlayan = nullptr, *CmbOnaylayan = nullptr;
    QTableWidget* GridSoru = nullptr;
    QPlainTextEdit* MemoNotlar = nullptr;
    QPushButton *BtnIsEmriSec = nullptr, *BtnAracSec = nullptr, *BtnMerkez = nullptr, *BtnKaydet = nullptr,
                *BtnVazgec = nullptr, *BtnKapat = nullptr, *BtnYazdir = nullptr;
    // In place of the pickers (tests): the chosen number, empty when cancelled.
    std::function<QString()> isEmriSecici;
    std::function<QString()> aracSecici;
    // Sets the answer of a question row (1 passed, 0 failed, -1 none).
    void cevapla(int satir, int deger, const QString& bilgi = {});

public slots:
    void BtnIsEmriSecClick();
    void BtnAracSecClick();
    void BtnMerkezClick();
    void BtnKaydetClick();
    void BtnVazgecClick();
    void BtnKapatClick();
    void BtnYazdirClick();

protected:
    void reject() override;

private:
    QWidget* kurBaslik();
    QWidget* kurSorular();
    QLayout* kurDugmeler();
    void goster();
    void sorulariGoster();
    bool oku();
    void degisti();

    SessionContext& m_ctx;
    Db m_db;
    int m_tip;
    BelgeFormu m_b;
    bool m_degisiyor = false;   // being added or changed
    bool m_baslatildi = false;  // started in this opening
    bool m_degistiSonra = false; // changed since started or first saved
    bool m_yukleniyor = false;
};

// Opens the document of the type for the work order or chassis (a new one
// when there is none); its id when the form ends with OK, else -1.
int ShowBelgeForm(SessionContext& ctx, int tip, const QString& isEmriNo, const QString& sase, QWidget* parent = nullptr);

} // namespace tornaly::workshop
