#pragma once
#include <QDialog>

class QLineEdit;
class QTableWidget;
class QPushButton;

namespace tornaly { struct SessionContext; }

namespace tornaly::invoicing {

// "Fatura No Tanım": the letters and next numbers of the invoice series.
class TFormFatTani : public QDialog {
    Q_OBJECT
public:
    TFormFatTani(const SessionContext& ctx, QWidget* parent = nullptr);
public slots:
    void BtnSaklaClick();

private:
    const SessionContext& m_ctx;
    QLineEdit *EditSABITHARF, *EditFATNO, *EditIRS_HARF, *EditIRS_NO, *EditIRS_FAT_HARF, *EditIRS_FAT_NO;
};

// "HAZIR METİNLER": ready texts, edited in the grid; "&Seç" in mode 1.
class TFormHazirMetin : public QDialog {
    Q_OBJECT
public:
    TFormHazirMetin(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QString secilen;
    void yukle();

private:
    const SessionContext& m_ctx;
    QTableWidget* cxGrid1;
    bool m_yukleniyor = false;
};
// The chosen text; empty when cancelled.
QString SelectHazirMetin(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

// "İSKONTO ORANLARI KAYITLARI": discount rates, edited in the grid.
class TFormIskontoBr : public QDialog {
    Q_OBJECT
public:
    TFormIskontoBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    int secilen = -1;
    void yukle();

private:
    const SessionContext& m_ctx;
    QTableWidget* cxGrid1;
    bool m_yukleniyor = false;
};
// The chosen ISK_NO; -1 when nothing was chosen.
int SelectIskonto(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::invoicing
