#pragma once
#include "aftersales/calls/AramaPer.h"
#include "context/SessionContext.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace tornaly::aftersales {

// "Müşteri Arama Periyotları": the service calls of one invoiced work order.
class TFormServisAramaPer : public QDialog {
    Q_OBJECT
public:
    TFormServisAramaPer(const SessionContext& ctx, const ServisAramaBelge& belge, QWidget* parent = nullptr);

    QTableWidget* Grid = nullptr;
    QPushButton* BtnYenidenDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnKapat = nullptr;

public slots:
    void BtnYenidenDuzenleClick();
    void BtnSilClick();

private:
    void ac();
    const SessionContext& m_ctx;
    ServisAramaBelge m_belge;
};

// Shows the work order's service calls modally; returns the modal result.
// A belge without date or customer takes them from the work order's rows.
int ShowServisAramaPer(const SessionContext& ctx, const ServisAramaBelge& belge, QWidget* parent = nullptr);

} // namespace tornaly::aftersales
