#pragma once
#include "accounting/chart/HesapPlani.h"
#include "context/SessionContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace tornaly::accounting {

struct MasrafMerkezi {
    QString MASRAFM_KOD, MASRAFM_ADI;
};
QList<MasrafMerkezi> MasrafMerkezleri(const Db& db);

using MasMerHatasi = KartHatasi;
inline QString MasMerKodYokText() { return QStringLiteral("Kod Bilgisini Vermeden Kayıt Saklanamaz."); }
inline QString MasMerKullanimdaText() { return QStringLiteral("Bu Masraf Merkezi ile İlgili İşlem Var.Silinemez!"); }

// Stores a cost centre; throws MasMerHatasi with the card's messages.
void MasrafMerkeziKaydet(const Db& db, const MasrafMerkezi& m, bool yeni);
// Deletes one that no voucher line carries; throws MasMerHatasi otherwise.
void MasrafMerkeziSil(const Db& db, const QString& kod);

// Type-ahead in the list: the search text after `c` is typed and the row to
// stand on. A character that leads to no code beginning with the text is
// dropped again; past 36 characters the search starts anew.
struct MasMerArama {
    QString metin;
    int satir = -1;
};
MasMerArama MasMerTypeAhead(const QStringList& siraliKodlar, const QString& aranan, QChar c);

// The rows of the monthly page: "OCAK" .. "ARALIK" and "TOPLAM", each with
// debit, credit and the remainder written "#,# (Borç)", "#,# (Alacak)" or "-".
QList<QStringList> MasrafMerkeziAylik(const Db& db, const QString& kod);
void MasMerAylikGoster(const SessionContext& ctx, const QString& kod, QWidget* owner = nullptr);

// "Masraf Merkezleri Kayıt": the card of one cost centre.
class TFormMasMerKarti : public QDialog {
    Q_OBJECT
public:
    TFormMasMerKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);
    QString kaydedilenKod;
    QLineEdit* EditKod = nullptr;
    QLineEdit* EditAdi = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;
public slots:
    void BtnSaklaClick();

private:
    Db m_db;
    bool m_yeni;
};
QString MasMerKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* owner = nullptr);

// "MASRAF MERKEZLERİ KAYITLARI": browse and picker with type-ahead on the code.
class TFormMasMerSec : public QDialog {
    Q_OBJECT
public:
    TFormMasMerSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QString secilenKod;
    QLabel* LabelAranan = nullptr;
    QTableView* cxGrid = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnAylik = nullptr;
    QPushButton* BtnKapat = nullptr;
public slots:
    void BtnSecClick();
    void BtnYeniClick();
    void BtnDegistirClick();
    void BtnSilClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void aramaGoster();
    void yenile(const QString& konum);
    QString mevcutKod() const;
    const SessionContext& m_ctx;
    Db m_db;
    int m_mode;
    QStandardItemModel* m_model = nullptr;
    QString m_aranan;
};
QString MasMerSec(const SessionContext& ctx, int mode, QWidget* owner = nullptr);

} // namespace tornaly::accounting
