#pragma once
#include "aftersales/calls/AramaPer.h"
#include "context/SessionContext.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace tornaly::aftersales {

// "Müşteri Arama Periyotları Tanımlama": the call periods in a grid.
class TFormAraPeriyotTanim : public QDialog {
    Q_OBJECT
public:
    explicit TFormAraPeriyotTanim(SessionContext& ctx, QWidget* parent = nullptr);

    QTableWidget* DBGrid1 = nullptr;
    QPushButton* BtnEkle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnIptal = nullptr;
    QPushButton* BtnKapat = nullptr;

    // The rows as the grid holds them.
    QList<AramaPeriyot> satirlar() const;
    // Sets one cell as a user would: column 0 and 1 take the pick-list text.
    void setCell(int row, int column, const QString& text);

public slots:
    void BtnEkleClick();
    void BtnSilClick();
    bool BtnKaydetClick();
    void BtnIptalClick();

private:
    void ac();
    void satirEkle(const AramaPeriyot& p);
    SessionContext& m_ctx;
    QList<qint64> m_silinenler;
};

void AraPeriyotGoster(SessionContext& ctx, QWidget* parent = nullptr);

} // namespace tornaly::aftersales
