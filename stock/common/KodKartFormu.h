#pragma once
#include <QDialog>
#include <QHash>
#include <functional>

class QFormLayout;
class QLineEdit;
class QPushButton;

namespace tornaly::stock {

// The small card of a code list: labelled boxes, "&Kaydet" and "&Vazgeç".
// `kaydet` returns the refusal message (shown, the card stays open) or an
// empty text, which closes the card.
class KodKartFormu : public QDialog {
    Q_OBJECT
public:
    KodKartFormu(const QString& baslik, QWidget* parent = nullptr);

    QLineEdit* kutu(const QString& ad, const QString& etiket, const QString& deger = {}, int uzunluk = 0);
    void satirEkle(const QString& etiket, QWidget* w);
    QString metin(const QString& ad) const;
    // A number typed the Turkish way; false (and the message shown) when it does not parse.
    bool sayi(const QString& ad, double* out) const;

    std::function<QString()> kaydet;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnVazgec = nullptr;

public slots:
    void BtnKaydetClick();

private:
    QFormLayout* m_form = nullptr;
    QHash<QString, QLineEdit*> m_kutular;
};

} // namespace tornaly::stock
