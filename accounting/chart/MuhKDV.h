#pragma once
#include "context/SessionContext.h"

#include <QDialog>
#include <functional>

class QPushButton;
class QTableWidget;

namespace tornaly::accounting {

// One rate of a VAT code set with its four accounts.
struct MuhKdvOrani {
    double KDV = 0;
    QString MUH_KDV_A, MUH_KDV_S, MUH_KDV_A_IADE, MUH_KDV_S_IADE;
};
QList<QPair<QString, QString>> MuhKdvSetleri(const Db& db);
QList<MuhKdvOrani> MuhKdvOranlari(const Db& db, const QString& set);
void MuhKdvSetKaydet(const Db& db, const QString& set, const QString& tanim);
void MuhKdvOranKaydet(const Db& db, const QString& set, const MuhKdvOrani& oran, std::optional<double> eskiKdv);

// "KDV Alış-Satış-İade Muhasebe Kodu Tanımlama": the sets and their rates;
// also the set picker.
class TFormMuhKDV : public QDialog {
    Q_OBJECT
public:
    TFormMuhKDV(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    QString secilenKod;
    std::function<QString()> hesapSecici; // the chart picker, replaceable in tests

    QTableWidget* GridSet = nullptr;
    QTableWidget* GridOran = nullptr;
    QPushButton* BtnYeniSet = nullptr;
    QPushButton* BtnYeniOran = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void BtnSecClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setleriOku();
    void oranlariOku();
    void setSakla(int row);
    void oranSakla(int row);
    QString mevcutSet() const;

    const SessionContext& m_ctx;
    Db m_db;
    bool m_yukleniyor = false;
};

} // namespace tornaly::accounting
