#pragma once
#include "reports/finance/CariHrkListe.h"
#include "reports/menu/ReportRegistry.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace tornaly::reports {

// "Cari Hareket Listesi Sorgusu": the criteria of the movement list.
class THarekSorDlg : public QDialog {
    Q_OBJECT
public:
    THarekSorDlg(SessionContext& ctx, TSorgu& sorgu, QWidget* parent = nullptr);

    QComboBox* LCGrup = nullptr;
    QLineEdit* EditOzel[3] = {};
    QLineEdit* EditKod1 = nullptr;
    QLineEdit* EditKod2 = nullptr;
    QLineEdit* EditTrh1 = nullptr;
    QLineEdit* EditTrh2 = nullptr;
    QLineEdit* EditVade1 = nullptr;
    QLineEdit* EditVade2 = nullptr;
    QComboBox* RGOdeme = nullptr;
    QComboBox* RGBorcAlacak = nullptr;
    QComboBox* CBHrkTuru = nullptr;
    QPushButton* BtnTamam = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnTumu = nullptr;

public slots:
    void BtnTamamClick();
    void BtnVazgecClick();
    void BtnTumuClick();

private:
    TSorgu& m_sorgu;
};

// "Cari Hrk.Listesi": the chosen movements, the statement and the totals.
class TFormCHrkList : public QDialog {
    Q_OBJECT
public:
    // `rows` are the rows shown first; `kalan` reads the rest of the list as
    // the grid scrolls to its end (none: `rows` are the whole list).
    TFormCHrkList(SessionContext& ctx, const CariHrkKriter& kriter, QVector<CariHrkListeSatiri> rows,
                  std::unique_ptr<CariHrkListesi> kalan = {}, QWidget* parent = nullptr);
    ~TFormCHrkList() override;

    QTableView* Grid = nullptr;
    QLabel* LabelKumulatif = nullptr;
    QComboBox* CBSiralama = nullptr;
    QCheckBox* CBUsd = nullptr;
    QCheckBox* CBDovizli = nullptr;
    QComboBox* LCDoviz = nullptr;
    QComboBox* CBToplamSira = nullptr;
    QComboBox* CBToplamFiltre = nullptr;
    QDoubleSpinBox* EditMinBakiye = nullptr;
    QComboBox* CBCikti = nullptr;
    QPushButton* BtnListe = nullptr;
    QPushButton* BtnToplam = nullptr;
    QPushButton* BtnKapat = nullptr;

    // The rows read so far.
    const QVector<CariHrkListeSatiri>& satirlar() const { return m_rows; }
    // Reads the next page of the list into the grid; false at the end.
    bool sonrakiSayfa();

public slots:
    // Each returns the file a file output wrote.
    QString BtnListeClick();
    QString BtnToplamClick();
    void CBSiralamaChange();

private:
    void doldur();
    void satirlariEkle(const QVector<CariHrkListeSatiri>& rows);
    void tumunuOku();
    void kumulatifGoster();

    SessionContext& m_ctx;
    CariHrkKriter m_kriter;
    QVector<CariHrkListeSatiri> m_rows;
    std::unique_ptr<CariHrkListesi> m_kalan;
    QStandardItemModel* m_model = nullptr;
};

void CariHrkSorgula(ReportMenuEnv& env, TSorgu& sorgu);
void CariHrkListele(ReportMenuEnv& env, const TSorgu& sorgu);

} // namespace tornaly::reports
