#pragma once
#include "accounting/chart/HesapPlani.h"
#include "context/SessionContext.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tornaly::accounting {

// "Hesap Kodları Tanımı": a new account built from its parts, or the name and
// settings of an existing one (whose parts stay as they are).
class TFormHesapKarti : public QDialog {
    Q_OBJECT
public:
    TFormHesapKarti(const SessionContext& ctx, const QString& kod, int kebir, const QString& muavin,
                    const QString& tali, bool yeni, QWidget* parent = nullptr);

    QString kaydedilenKod;

    QLineEdit* EditKebir = nullptr;
    QLineEdit* EditMuavin = nullptr;
    QLineEdit* EditTali = nullptr;
    QLineEdit* EditDetay = nullptr;
    QLineEdit* EditHesapAdi = nullptr;
    QLineEdit* EditAciklama = nullptr;
    QLineEdit* EditMasrafM = nullptr;
    QLineEdit* EditBirim = nullptr;
    QComboBox* ComboKurFark = nullptr;
    QButtonGroup* RGBakiyeTip = nullptr;
    QButtonGroup* RGBilancoTip = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;

public slots:
    void BtnSaklaClick();
    void EditKebirExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const SessionContext& m_ctx;
    Db m_db;
    bool m_yeni;
    HesapParametreleri m_param;
    HesapKaydi m_kayit;
};

// Returns the saved code, empty when cancelled.
QString HesapKarti(const SessionContext& ctx, const QString& kod, int kebir, const QString& muavin,
                   const QString& tali, bool yeni, QWidget* owner = nullptr);

} // namespace tornaly::accounting
