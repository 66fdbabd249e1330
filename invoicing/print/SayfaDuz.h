#pragma once
#include "db/Database.h"

#include <QDialog>

class QComboBox;
class QSpinBox;
class QLineEdit;
class QRadioButton;
class QCheckBox;
class QPushButton;
class QFrame;

namespace tornaly {
struct SessionContext;
}

namespace tornaly::invoicing {

// The row of SAYFA as the invoice page-setup form edits it.
struct SayfaDegerleri {
    QString FONTADI;
    QString FONTSTYLE;
    int FONTSIZE = 0;
    QString FONTRENK;
    int SAYFAGEN = 0;
    int SAYFAYUK = 0;
    QString SAYFAISIM;
    int PRBICIMI = 0; // 0 "Dikey", 1 "Yatay"
    int FONT_AYAR = 0;
    int MATBU_BILGI_BASMA = 0;
    bool found = false;
};

// Leaves SAYFA with exactly one row. A table of several rows keeps its first
// row whole (every column, the fonts included), in one transaction.
void SayfaDuzenTopla(const Db& db);
SayfaDegerleri SayfaOku(const Db& db);
// Writes the one row; an empty table gets it inserted.
void SayfaSakla(const Db& db, const SayfaDegerleri& v);

// Width and height a page name sets (by its first letter); false for
// "Kullanıcı Tanımlasın", whose size the user types.
bool SayfaBoyutu(const QString& pageName, int* width, int* height);
// The largest font size a font allows: 14 for "Courier New", else 11.
int EnBuyukYaziBoyutu(const QString& fontName);

class TSayfaDuzForm : public QDialog {
    Q_OBJECT
public:
    TSayfaDuzForm(SessionContext& ctx, QWidget* parent = nullptr);

    QComboBox* CBFontAdi = nullptr;
    QComboBox* CBFontStil = nullptr;
    QSpinBox* SEFontSize = nullptr;
    QComboBox* CBSayfa = nullptr;
    QSpinBox* SESayfaGen = nullptr;
    QSpinBox* SESayfaYuk = nullptr;
    QComboBox* RGYazBicim = nullptr;
    QComboBox* CBFontAyar = nullptr;
    QCheckBox* CBMatbu = nullptr;
    QLineEdit* EditOrnek = nullptr;
    QFrame* PanelSayfa = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void SayfaDegFat();
    void BtnSaklaClick();
    void CBFontAdiChange();
    void CBFontStilChange();
    void SEFontSizeChange();
    void CBSayfaChange();
    void SayfaOlcuChange();

private:
    SessionContext& m_ctx;
};

// Opens the invoice page setup modally.
void SayfaDuzeniGoster(SessionContext& ctx, QWidget* parent = nullptr);

} // namespace tornaly::invoicing
