#pragma once
#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace tornaly::stock {

// "Barkod Okuyucu ve Tuş Takımı Testi": shows what a keyboard or a barcode
// reader (which types like a keyboard) sends.
class TBarTest : public QDialog {
    Q_OBJECT
public:
    explicit TBarTest(QWidget* parent = nullptr);
    QLineEdit* EditTest = nullptr;
    QPlainTextEdit* MemoAscii = nullptr;
    QPlainTextEdit* MemoFonksiyon = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

// The line the function-key memo gets for a key with one modifier; empty
// for any other key.
QString TusSatiri(int key, Qt::KeyboardModifiers mods, const QString& text);

} // namespace tornaly::stock
