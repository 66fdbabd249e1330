#pragma once
#include "criteria/Sorgu.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tornaly {

// "Kullanıcı Giriş": a prompt and a free text.
class TFormMesajInput : public QDialog {
    Q_OBJECT
public:
    explicit TFormMesajInput(QWidget* parent = nullptr);
    QLabel* cxLabel1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BtnOnayla = nullptr;
    QPushButton* BtnVazgec = nullptr;

public slots:
    void BtnOnaylaClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

// Asks for a free text: on "Onayla" sonuc.str1 = "1" and str2 = the text
// (never empty); on "Vazgeç" or closing both are emptied.
void AskFreeText(const QString& prompt, TSorgu& sonuc);

} // namespace tornaly
