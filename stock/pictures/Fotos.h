#pragma once
#include "context/SessionContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace tornaly::stock {

class BoundQueryModelHolder;
class ResimKutusu;

// The picture library "Stok Resimleri".
class TFormFotos : public QDialog {
    Q_OBJECT
public:
    TFormFotos(const SessionContext& ctx, bool sec, QWidget* parent = nullptr);

    int secilen = -1;
    QLineEdit* EditAra = nullptr;
    QLineEdit* EditResimAdi = nullptr;
    QTableView* GridResim = nullptr;
    ResimKutusu* ImgResim = nullptr;
    QLabel* LblDosyaHatasi = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;

    // Adds the picture of a file (the new-row command after its file dialog).
    void dosyaEkle(const QString& dosya);
    void listele(int git = -1);
    int mevcutNo() const;

public slots:
    void BtnYeniClick();
    void BtnDegistirClick();
    void BtnSilClick();
    void BtnSecClick();

private:
    void resmiGoster();
    SessionContext m_ctx;
    class Model;
    Model* m_model = nullptr;
};

// Opens the library; the chosen RESIM_NO, -1 on "&Kapat" or an empty library.
int StokResimSec(const SessionContext& ctx, bool sec, QWidget* parent = nullptr);

} // namespace tornaly::stock
