#pragma once
#include "db/Database.h"

#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <QVariantMap>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

class FieldPanel;

// "Satış Öncesi Bakımı (PDI) Formu": the pre-sale check list of one vehicle
// on one date.
class TFormPDIFormu : public QDialog {
    Q_OBJECT
public:
    explicit TFormPDIFormu(SessionContext& ctx, QWidget* parent = nullptr);

    // Opens the chassis's form of the date (the latest one for an invalid
    // date); without one a new form starts on the server's date.
    void ac(const QString& sase, const QDateTime& tarih);
    bool yeni() const { return m_yeni; }
    const QVariantMap& row() const { return m_row; }
    QString sonuc() const { return m_sonuc; }
    // The check box of a check-point column.
    QCheckBox* madde(const QString& kolon) const { return m_maddeler.value(kolon); }

    FieldPanel* Alanlar = nullptr;
    QLabel *LblModelAdi = nullptr, *LblRenkAdi = nullptr;
    QComboBox* CmbTeknisyen = nullptr;
    QPushButton *BtnAracSec = nullptr, *BtnSakla = nullptr, *BtnVazgec = nullptr, *BtnYazdir = nullptr;
    std::function<QString()> aracSecici; // in place of the registration list (tests)

public slots:
    void BtnAracSecClick();
    void BtnSaklaClick();
    void BtnVazgecClick();
    void BtnYazdirClick();

protected:
    void reject() override;

private:
    QWidget* kurMaddeler();
    void rowAc(const QVariantMap& row, bool yeni);
    bool oku(QVariantMap& row) const;
    bool degisti() const;

    SessionContext& m_ctx;
    Db m_db;
    QVariantMap m_row;
    bool m_yeni = false;
    bool m_degisti = false;
    bool m_yukleniyor = false;
    QString m_sonuc;
    QHash<QString, QCheckBox*> m_maddeler;
};

// Opens the form for the chassis and date (invalid: its latest form); the
// chassis number last saved when it ends with OK, else empty.
QString ShowPDIFormu(SessionContext& ctx, const QString& sase, const QDateTime& tarih, QWidget* parent = nullptr);

} // namespace tornaly::workshop
