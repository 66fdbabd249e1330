#pragma once
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace tornaly::stock {

// The list printed before a stock count: what to list.
struct SayimListeKriteri {
    QString depo;          // required
    QString grup;          // empty: every group
    enum class Raf { Hepsi, Olanlar, Olmayanlar } raf = Raf::Hepsi;
    bool hareketGorenler = false;
    int siralama = 0;      // 0 shelf+code, 1 shelf+name, 2 code, 3 name
};
SqlText SayimOncesiSorgu(const SayimListeKriteri& k);

// "Sayım Öncesi Ürün Listesi Dökümü".
class TQRListForm : public QDialog {
    Q_OBJECT
public:
    TQRListForm(const SessionContext& ctx, QWidget* parent = nullptr);
    QComboBox* CmbDepo = nullptr;
    QComboBox* CmbGrup = nullptr;
    QComboBox* CmbRaf = nullptr;
    QCheckBox* ChkHareket = nullptr;
    QComboBox* CmbSiralama = nullptr;
    QLabel* LblBaslik = nullptr;
    QTableView* GridListe = nullptr;
    BoundQueryModel* QListe = nullptr;
    QPushButton* BtnYazdir = nullptr;
    QPushButton* BtnExcel = nullptr;
public slots:
    void BtnListeleClick();
    void BtnYazdirClick(); // preview of "SAYIM ÖNCESİ DÖKÜM"
private:
    SessionContext m_ctx;
};
void ShowQRListForm(const SessionContext& ctx, QWidget* parent = nullptr);

} // namespace tornaly::stock
