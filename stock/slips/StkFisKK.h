#pragma once
#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tornaly {
struct SessionContext;
}

namespace tornaly::stock {

// The key code read to the distributor: dealer, a random six-digit part,
// the document-type letter and the document number.
struct AnahtarKodu {
    QString bayi;
    QString rastgele; // six digits
    QChar tip;
    qint64 no = 0;
    QString metin() const;
    static std::optional<AnahtarKodu> coz(const QString& metin);
};
// A new key with a fresh random part.
AnahtarKodu YeniAnahtarKodu(const QString& bayi, QChar tip, qint64 no);
// The counter code the distributor issues for a key: an HMAC-SHA256 of the
// key's text under the secret both sides share, cut to eight digits.
QString KarsiKodHesapla(const AnahtarKodu& anahtar, const QByteArray& sir);
// The shared secret kept in the settings file (section "Distributor", key "KarsiKodSirri").
QByteArray KarsiKodSirri();

// "Stok Fişi Karşıkod Modülü" and the other modes (20, 30, 40, 50, 60).
class TFormStkFisKK : public QDialog {
    Q_OBJECT
public:
    TFormStkFisKK(const SessionContext& ctx, int mode, qint64 no, QChar tip, QWidget* parent = nullptr);
    int tag = 0;
    qint64 StkFisNo = 0;
    QChar StkFisTip;
    QLabel* LblBaslik = nullptr;
    QLineEdit* EditAnahtar = nullptr;
    QLineEdit* EditKarsiKod = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
public slots:
    void BtnOKClick();
private:
    QString m_bayi;
};

// Shows the dialog for one operation; true when a matching counter code was typed.
bool StkFisKarsiKod(const SessionContext& ctx, int mode, qint64 no, QChar tip, QWidget* parent = nullptr);

} // namespace tornaly::stock
