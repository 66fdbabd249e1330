#pragma once
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"
#include "stock/common/ListeGorunumu.h"

#include <QDialog>
#include <functional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace tornaly::stock {

// The frame the small code lists of the stock share: a search line, a grid
// over one bound statement (sortable by a click on a header), a row of
// buttons, and in pick mode (Tag 1) the chosen key. Descendants add their
// buttons and the rules of their list.
class KodListeFormu : public QDialog {
    Q_OBJECT
public:
    KodListeFormu(const SessionContext& ctx, const QString& baslik, QWidget* parent = nullptr);

    // The statement (without ORDER BY), the key field and its default order.
    void sorguAyarla(const QString& sql, const QString& anahtar, const QString& siralama,
                     const ListeAyari& ayar = {});
    void listeyiAc();
    // Reopens the list and moves to the row whose key equals `deger` (case ignored).
    void yenileVeGit(const QString& deger);
    // Moves to the first row whose field starts with `metin` (case ignored, Turkish);
    // false when none.
    bool basiylaBul(const QString& alan, const QString& metin);

    QVariant deger(const QString& alan) const;
    int mod() const { return m_mod; }
    void modAyarla(int mod);
    QVariant secim;

    QLineEdit* Aranan = nullptr;
    QLabel* ArananEtiket = nullptr;
    QTableView* DBGrid1 = nullptr;
    BoundQueryModel* Liste = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnKapat = nullptr;

    // A button in the button row (before "Seç" and "Kapat").
    QPushButton* dugme(const QString& ad, const QString& baslik, std::function<void()> tiklama);

    // Called on double click or Enter on a row when the list does not pick.
    std::function<void()> duzenle;

public slots:
    void BtnSecClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    SessionContext m_ctx;
    Db m_db;
    QVBoxLayout* m_ana = nullptr;
    QHBoxLayout* m_dugmeler = nullptr;

private:
    QString m_sql, m_anahtar, m_siralama;
    int m_mod = 0;
};

} // namespace tornaly::stock
