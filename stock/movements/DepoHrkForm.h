#pragma once
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"
#include "stock/movements/Hareketler.h"

#include <QDateTime>
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly::stock {

// What the date-range dialog fills.
struct TQtrhDlg {
    QDateTime BasZaman, SonZaman;
    int Sonuc = 0;
};

// "Tarih Aralığı Belirleyin": two dates typed dd.MM.yyyy.
class TTarihQueryDlg : public QDialog {
    Q_OBJECT
public:
    TTarihQueryDlg(const TQtrhDlg& ilk, const QString& mesaj, QWidget* parent = nullptr);
    TQtrhDlg sonuc;
    QLineEdit* EditBas = nullptr;
    QLineEdit* EditSon = nullptr;
    QPushButton* BtnTamam = nullptr;
    QPushButton* BtnVazgec = nullptr;
public slots:
    void BtnTamamClick();
    void BtnVazgecClick();
};
void TarihAraligiSor(const TQtrhDlg& ilk, const QString& mesaj, TQtrhDlg& sonuc, QWidget* parent = nullptr);
// A date typed dd.MM.yyyy; invalid when it is none.
QDate TarihMetni(const QString& text);

// "Stok Depo Hareketleri" of one part.
class TFormDepoHrk : public QDialog {
    Q_OBJECT
public:
    TFormDepoHrk(const SessionContext& ctx, const QString& stokAdi, double stokNo, QWidget* parent = nullptr);

    HareketFiltresi filtre;
    QLabel* LblBaslik = nullptr;
    QTableView* GridHareket = nullptr;
    QTableView* GridDepo = nullptr;
    QTableView* GridCari = nullptr;
    QLabel* LblBelge = nullptr;
    QCheckBox* ChkDepoFiltre = nullptr;
    BoundQueryModel* QHareket = nullptr;
    BoundQueryModel* QDepoToplam = nullptr;
    BoundQueryModel* QCariToplam = nullptr;
    QPushButton* BtnTarih = nullptr;
    QPushButton* BtnAylik = nullptr;
    QPushButton* BtnKapat = nullptr;

    void ac();

public slots:
    void BtnTarihClick();
    void BtnAylikClick();

private:
    void belgeGoster();
    SessionContext m_ctx;
};
void DepoHareketleri(const SessionContext& ctx, const QString& stokAdi, double stokNo, QWidget* parent = nullptr);

// "Aylık Giriş-Çıkış Mik." of one part.
class TFormAylik : public QDialog {
    Q_OBJECT
public:
    TFormAylik(const SessionContext& ctx, double stokNo, QWidget* parent = nullptr);
    QTableView* GridAylik = nullptr;
};
void AylikGirisCikis(const SessionContext& ctx, double stokNo, QWidget* parent = nullptr);

} // namespace tornaly::stock
