#pragma once
#include "accounts/cards/CariKart.h"
#include "context/SessionContext.h"

#include <QDialog>
#include <QHash>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace tornaly::accounts {

// "Cari Kayıt": creates, copies and changes one account card with its
// contact persons, bank accounts and e-invoice mailboxes. Every field widget
// carries its CARI column name as objectName.
class TFormCariSakla : public QDialog {
    Q_OBJECT
public:
    // mode 0 change (a missing code starts a new row), 1 new (copy of `kod` when given).
    TFormCariSakla(const SessionContext& ctx, const QString& kod, int mode, QWidget* parent = nullptr);

    // The card as the widgets hold it.
    CariKartKaydi kayit() const;
    void kayitYukle(const CariKartKaydi& k);
    QWidget* alan(const QString& kolon) const { return m_alanlar.value(kolon); }
    void setText(const QString& kolon, const QString& deger);
    QString text(const QString& kolon) const;

    bool yeniKayit() const { return m_yeni; }
    QString sonuc;

    QTabWidget* PageControl = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnIptal = nullptr;
    QPushButton* BtnSonKod = nullptr;
    QPushButton* BtnMerkezBayi = nullptr;
    QPushButton* BtnMuhKod = nullptr; // "Seç" beside "Muhasebe Kodu"
    QLabel* LblVnUzunluk = nullptr;
    QTableWidget* GridPersonel = nullptr;
    QTableWidget* GridBanka = nullptr;
    QTableWidget* GridPostaKutusu = nullptr;
    QPushButton* BtnPersonelEkle = nullptr;
    QPushButton* BtnBankaEkle = nullptr;
    QPushButton* BtnPostaKutusuEkle = nullptr;
    QPushButton* BtnDokuman = nullptr;

public slots:
    void BtnSaklaClick();
    void BtnIptalClick();
    void BtnSonKodClick();
    void BtnMuhKodClick();
    void BtnPersonelEkleClick();
    void BtnBankaEkleClick();
    void BtnPostaKutusuEkleClick();
    void BtnDokumanClick();
    void VNExit();
    void KIMLIKNOExit();
    void ILIExit();
    void CINSIYETChange();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* alanEkle(QWidget* sayfa, QGridLayout* lay, int row, int col, const QString& kolon,
                      const QString& baslik, int uzunluk, bool zorunlu = false);
    QComboBox* secimEkle(QWidget* sayfa, QGridLayout* lay, int row, int col, const QString& kolon,
                         const QString& baslik, bool duzenlenir, bool zorunlu = false);
    void maskele(const QString& kolon, const QString& maske);
    void ilceleriDoldur(const QString& ilKolon, const QString& ilceKolon);

    const SessionContext& m_ctx;
    Db m_db;
    bool m_yeni = false;
    QHash<QString, QWidget*> m_alanlar;
    QHash<QString, QString> m_maskeler; // column -> original mask
    QVariantMap m_tasinan;              // columns kept but not shown
    QString m_girisIli;
};

// Opens the card modally; the saved code, or empty when cancelled or refused.
QString CariKartAc(const SessionContext& ctx, const QString& kod, int mode, QWidget* parent = nullptr);
inline QString CariKartYetkiYokText() { return QStringLiteral("Cari Kart Açmaya Yetkiniz Yok!"); }

} // namespace tornaly::accounts
