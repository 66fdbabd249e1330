#pragma once
#include "accounts/cards/CariArama.h"
#include "accounts/ui/ListeModeli.h"
#include "context/SessionContext.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly::accounts {

// The light account picker of the report criteria and debt closing.
class TFormCariBr2 : public QDialog {
    Q_OBJECT
public:
    TFormCariBr2(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    // The radio group's filter: a group letter, or empty for "Tümü".
    void grupFiltresi(const QString& harf);
    bool aramaYap(CariAramaAlani alan, const QString& text);
    void listeyiAc();

    ListeModeli* TableBr = nullptr;
    TypeCari secilen;
    QLineEdit* EditKod = nullptr;
    QLineEdit* EditAd = nullptr;
    QLineEdit* EditYetkili = nullptr;
    QLineEdit* EditYetkiliSoyad = nullptr;
    QButtonGroup* RgGrup = nullptr;
    QTableView* cxGrid = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;

    // Radio items in order: caption and group letter ("" = all).
    static const QList<QPair<QString, QString>>& GrupSecenekleri();

public slots:
    void BtnSecClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    Db m_db;
    QString m_kosul, m_siralama, m_grup;
    QVariantMap m_binds;
};

QString CariSec2(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
TypeCari CariSec2Grup(const SessionContext& ctx, int mode, const QString& grup, QWidget* parent = nullptr);

} // namespace tornaly::accounts
