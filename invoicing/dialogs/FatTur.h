#pragma once
#include <QDialog>

class QButtonGroup;

namespace tornaly::invoicing {

// "Faturalama Türünü Seç": work-order or expertise invoice.
class TFormFatTur : public QDialog {
public:
    explicit TFormFatTur(QWidget* parent = nullptr);
    int secilen() const;

private:
    QButtonGroup* m_grup;
};

// The chosen index (0 work-order invoice, 1 expertise invoice), -1 when cancelled.
int SelectFatTur(QWidget* parent = nullptr);

} // namespace tornaly::invoicing
