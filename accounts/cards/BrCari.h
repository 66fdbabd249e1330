#pragma once
#include "accounts/cards/CariArama.h"
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly::accounts {

// The balance of the account picked last in the full account list.
extern double SecilenCariBakiye;

// "CARİ KAYITLARI": the full account list, its maintenance and the account
// picker of the documents. The list query is kept as lines: 2 the search,
// 3 the dealer limit, 4 the group limit (kept across searches), 5 the order.
class TFormCariBr : public QDialog {
    Q_OBJECT
public:
    TFormCariBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    // Limits the list to one group letter / one dealer's accounts.
    void grupSinirla(const QString& harf);
    void bayiSinirla(const QString& bayiKod);
    // Runs the list with its present lines.
    void listeyiAc();
    // Enter in a search edit; false when nothing was searched.
    bool aramaYap(CariAramaAlani alan, const QString& text);
    QString currentKod() const;
    bool selectKod(const QString& kod);

    SqlText TableBrSql;
    ListeModeli* TableBr = nullptr;
    QString sonuc;
    TypeCari secilen;

    QLineEdit* EditKod = nullptr;
    QLineEdit* EditAd = nullptr;
    QLineEdit* EditYetkili = nullptr;
    QLineEdit* EditYetkiliSoyad = nullptr;
    QComboBox* cxGrupFiltre = nullptr;
    QTableView* cxGrid = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnKopyala = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnHareketIzle = nullptr;
    QPushButton* BtnHareketGiris = nullptr;
    QPushButton* BtnGecmis = nullptr;
    QPushButton* BtnBorcKapama = nullptr;
    QPushButton* BtnAylik = nullptr;
    QPushButton* BtnBanka = nullptr;
    QPushButton* BtnSms = nullptr;
    QPushButton* BtnKapat = nullptr;
    QWidget* PanelToplam = nullptr;
    QLabel* LblBorc = nullptr;
    QLabel* LblAlacak = nullptr;
    QLabel* LblKalanBaslik = nullptr;
    QLabel* LblKalan = nullptr;

public slots:
    void BtnSecClick();
    void BtnYeniClick();
    void BtnKopyalaClick();
    void BtnDuzenleClick();
    void BtnSilClick();
    void BtnHareketGirisClick();
    void BtnGecmisClick();
    void BtnBorcKapamaClick();
    // "Cari Hareketleri İzle": the movements and statement of the current account.
    void BtnHareketIzleClick();
    // "Aylık Toplamları": the account's debits and credits per month.
    void BtnAylikClick();
    // "Banka İşlemleri": the bank voucher list.
    void BtnBankaClick();
    // "Sms &Gönder": the SMS form with the account's phones.
    void BtnSmsClick();
    // Pop-up "Görünümü Sakla": the grid's columns as they stand, for the next opening.
    void GorunumuSaklaClick();
    void cxGrupFiltrePropertiesCloseUp();
    void toplamlariGoster();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    const SessionContext& m_ctx;
    Db m_db;
    bool m_doubleEnter = false;
    bool m_gorunumYuklendi = false;
    QHash<QString, QString> m_grupAdlari;
};

// Opens the account list; mode 0 maintain, 1 pick, 2 pick only, 5 look up.
// Returns the picked code, empty on cancel.
QString CariSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
// Mode 1 with a group letter, mode 2 with a dealer code; the list opens at once.
TypeCari CariSecKayit(const SessionContext& ctx, int mode, const QString& deger, QWidget* parent = nullptr);

} // namespace tornaly::accounts
