#pragma once
#include "connection/DonPara.h"
#include "context/SessionContext.h"

#include <QDialog>
#include <QHash>
#include <QVariantMap>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace tornaly::workshop {

// "RTT TANIM KARTI": one labour operation for one labour model.
class TFormFRTSakla : public QDialog {
    Q_OBJECT
public:
    TFormFRTSakla(SessionContext& ctx, const QString& kod, const QString& model, bool yeni, QWidget* parent = nullptr);
    TDonPara Sonuc;
    QHash<QString, QLineEdit*> Alanlar; // one editor per column, named as the column
    QComboBox* CbModel = nullptr;
    QButtonGroup* RgTur = nullptr;
    QTableWidget* GridParca = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnParcaEkle = nullptr;
    QHash<QString, QPushButton*> MuhSec; // "Seç" of each ledger-code field, by column
    QCheckBox* ChkAktif = nullptr;        // the distributor's active flag (KLEIM_TURU)
public slots:
    void BtnSaklaClick();
    void BtnVazgecClick();
    void BtnParcaEkleClick();
    void MuhKodSec(const QString& kolon);
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
private:
    QWidget* kurMuhKodlari();
    void kurAktiflik(QVBoxLayout* lay);
    void parcalariOku();
    SessionContext& m_ctx;
    QVariantMap m_row;
    bool m_yeni;
    QString m_eskiKod, m_eskiModel;
};

// "RTT": the labour list; mode 1 picks.
class TFormFRTBr1 : public QDialog {
    Q_OBJECT
public:
    TFormFRTBr1(SessionContext& ctx, int mode, QWidget* parent = nullptr);
    TDonPara Sonuc;
    QLineEdit* EdKod = nullptr;
    QLineEdit* EdAd = nullptr;
    QLineEdit* EdModel = nullptr;
    QLineEdit* EdParca = nullptr;
    QTableWidget* Grid = nullptr;
    QLabel* LblSayi = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;
    QPushButton* BtnParcaIscilik = nullptr; // "Parçayla İlgili İşçilikler"
public slots:
    void Ara(int alan);
    void BtnParcaIscilikClick();
    void BtnYeniClick();
    void BtnDuzenleClick();
    void BtnSilClick();
    void BtnSecClick();
private:
    SessionContext& m_ctx;
    int m_mode;
    QList<QVariantMap> m_rows;
    int m_sonAlan = 0;
};

TDonPara FrtKarti(SessionContext& ctx, const QString& kod, const QString& model, bool yeni, QWidget* parent = nullptr);
TDonPara FrtSec(SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::workshop
