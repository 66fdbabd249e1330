#pragma once
#include <QDialog>

class TFormKart : public QDialog {
public:
    TFormKart();
    void BtnSaklaClick();
};

// Derived from a form: a form too.
class TFormKart2 : public TFormKart {
};
