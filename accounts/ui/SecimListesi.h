#pragma once
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly::accounts {

// The small code lists of this area (cash boxes, payment plans, groups):
// a list, a search that moves to the first row starting with the typed text,
// and the commands the mode and the right letter allow.
class SecimListesi : public QDialog {
    Q_OBJECT
public:
    SecimListesi(const SessionContext& ctx, int mode, const QString& hak, const QString& baslik,
                 QWidget* parent = nullptr);

    // The list statement, captions and key field; then listeyiAc().
    void tanimla(const QString& sql, const QStringList& basliklar, const QString& anahtar,
                 const QList<QPair<QString, QString>>& aramaKolonlari);
    void listeyiAc(const QVariant& konum = {});
    QVariant anahtar() const;
    QVariant deger(const QString& alan) const;
    // Moves to the first row whose column starts with the text, folded.
    bool konumlan(const QString& aranan);

    ListeModeli* TableBr = nullptr;
    QComboBox* CbArama = nullptr;
    QLineEdit* EditAranan = nullptr;
    QTableView* dbgridbr = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnNew = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* LblSayi = nullptr;
    QVariant secim;

public slots:
    void btnSelectClick();
    virtual void btnNewClick() {}
    virtual void btnEditClick() {}
    virtual void btnDeleteClick() {}

protected:
    const SessionContext& m_ctx;
    Db m_db;

private:
    QString m_sql, m_anahtar;
    QList<QPair<QString, QString>> m_aramaKolonlari;
};

} // namespace tornaly::accounts
