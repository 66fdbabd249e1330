#pragma once
#include "accounting/transfer/MuhEntegre.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tornaly::accounting {

// "Eksik Muhasebe Kodları": the header, part rows and labour rows of a
// document whose account codes are missing. It only shows.
class TFormMuhKod : public QDialog {
    Q_OBJECT
public:
    explicit TFormMuhKod(const EksikMuhKodlari& eksikler, QWidget* parent = nullptr);
    QLabel* LabelBaslik = nullptr;
    QTableWidget* GridBaslik = nullptr;
    QTableWidget* GridParca = nullptr;
    QTableWidget* GridIscilik = nullptr;
    QPushButton* BtnKapat = nullptr;
};

// Shows the window modally (what the transfer calls for invoice kinds).
void TFormMuhKodGoster(const EksikMuhKodlari& eksikler);

} // namespace tornaly::accounting
