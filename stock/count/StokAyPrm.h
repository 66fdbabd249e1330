#pragma once
#include "context/SessionContext.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <array>

class QPushButton;
class QTableWidget;

namespace tornaly::stock {

// The price-band matrix SIPMTRX: the row with FIYAT 0 holds the headings.
struct SipMatrisSatiri {
    double FIYAT = 0;
    std::array<QVariant, 7> A;
};
struct SipMatrisi {
    QStringList basliklar;        // the seven column headings
    QList<SipMatrisSatiri> satirlar; // the rows shown
};
// Headings from the heading row (or, without one, the first row's values),
// and every row but the heading row.
SipMatrisi SipMatrisiOku(const Db& db);
// Replaces the shown rows (the heading row stays) in one transaction.
void SipMatrisiYaz(const Db& db, const QList<SipMatrisSatiri>& satirlar);

// "Stok/Ay Parametre Matrisi".
class TFormStokAyPrm : public QWidget {
    Q_OBJECT
public:
    explicit TFormStokAyPrm(SessionContext& ctx, QWidget* parent = nullptr);
    QTableWidget* Grid = nullptr;
    QPushButton* BtnEkle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnYenile = nullptr;
public slots:
    void Yukle();
    void BtnSaklaClick();
protected:
    void showEvent(QShowEvent* e) override;
private:
    SessionContext& m_ctx;
    Db m_db;
};

} // namespace tornaly::stock
