#pragma once
#include <QDialog>

class TFormKart : public QDialog {
public:
    TFormKart();
};
