#pragma once
#include "accounting/params/ParaMuhVeri.h"
#include "context/SessionContext.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QButtonGroup;
class QDateEdit;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QPushButton;

namespace tornaly::accounting {

// "Muhasebe Bağlantı Parametreleri": the link parameters PARAMUH and PARAFAT
// on four pages. Account codes and the cash box are filled only through
// their "Seç" buttons.
class TFormParaMuh : public QDialog {
    Q_OBJECT
public:
    explicit TFormParaMuh(const SessionContext& ctx, QWidget* parent = nullptr);

    // Pickers, replaceable in tests: an empty answer changes nothing.
    std::function<QString()> hesapSecici;
    std::function<QString()> kasaSecici;
    std::function<QString()> kdvSetiSecici;

    QTabWidget* PageControl1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // Sakla
    QPushButton* BitBtn2 = nullptr; // Vazgeç

public slots:
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void SpeedBMUH_ELCEKClick(const QString& kolon);
    void SpeedBMUH_CHESClick(const QString& kolon);
    void SpeedBKasaClick();
    void SpeedBMUH_KDV_AClick();

private:
    QWidget* sayfa(const QString& baslik);
    void secenek(QWidget* sayfa, bool paramuh, const QString& kolon, const QString& baslik,
                 const QList<QPair<QString, QString>>& degerler, int kolonSayisi = 3);
    void kodAlani(QWidget* sayfa, const QString& kolon, const QString& baslik, const QString& dugmeAdi,
                  const std::function<void()>& sec);
    void hesap(QWidget* sayfa, const QString& kolon, const QString& baslik, bool bankaGrubu);
    void oran(QWidget* sayfa, const QString& kolon, const QString& baslik, bool tamSayi = false);
    void ekranaYaz();
    void ekrandanOku();

    const SessionContext& m_ctx;
    Db m_db;
    ParaMuhKaydi m_kayit;
    QHash<QString, QButtonGroup*> m_secenekler; // "PARAMUH.A_MUH_KAY" -> group
    QHash<QString, QStringList> m_secenekDegerleri;
    QHash<QString, QLineEdit*> m_kodlar;           // PARAFAT columns shown read-only
    QHash<QString, QDoubleSpinBox*> m_oranlar;
    QHash<QString, QSpinBox*> m_tamSayilar;
    QDateEdit* DBDateEditKILIT_TRH = nullptr;
};

// Opens the window modally (the maintenance window's "Muhasebe Parametreleri").
void ParaMuhAc(const SessionContext& ctx, QWidget* owner);

} // namespace tornaly::accounting
