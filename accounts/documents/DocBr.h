#pragma once
#include "accounts/documents/Dokuman.h"
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDialog>

class QHBoxLayout;
class QPushButton;
class QTableWidget;

namespace tornaly::accounts {

// "Dökümanlar": the files attached to one record, or a general folder.
class TFormDocBr : public QDialog {
    Q_OBJECT
public:
    TFormDocBr(const SessionContext& ctx, int grup, const QVariant& anahtar, int dokumanId, QWidget* parent = nullptr);

    void listeyiAc();
    qint64 seciliRowId() const;

    QTableWidget* cxGrid = nullptr;
    QPushButton* BtnDokumanEkle = nullptr;
    QPushButton* BtnResimEkle = nullptr;
    QPushButton* BtnAc = nullptr;
    QPushButton* BtnFarkliKaydet = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnCikis = nullptr;

public slots:
    void BtnDokumanEkleClick();
    void BtnResimEkleClick();
    void BtnAcClick();
    void BtnFarkliKaydetClick();
    void BtnSilClick();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void kurDugmeler(QHBoxLayout* h);
    void dosyaEkle(const QString& yol);
    void tanimDegisti(int row, int column);
    bool duzenleniyor() const;

    const SessionContext& m_ctx;
    Db m_db;
    int m_grup;
    QVariant m_anahtar;
    int m_dokumanId;
    bool m_yukleniyor = false;
};

// Opens the documents of a record (group, key); a record without a key has none yet.
void DokumanlarAc(const SessionContext& ctx, int grup, const QVariant& anahtar, int dokumanId = 0,
                  QWidget* parent = nullptr);

} // namespace tornaly::accounts
