#pragma once
#include "db/Database.h"

#include <QDialog>
#include <QVariantMap>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;

namespace tornaly {
class BoundQueryModel;
struct SessionContext;
}

namespace tornaly::workshop {

// The lists of the vehicle catalogue share this frame: search fields on
// top (the descendant's), a read-only grid with its row count below, and the
// buttons "&Yeni", "&Düzenle", "&Sil", "&Seç" (pick modes), "Excele Aktar"
// and "&Kapat". A double click or Enter in the grid picks when "&Seç" is
// shown and edits otherwise.
class VehicleListBase : public QDialog {
    Q_OBJECT
public:
    VehicleListBase(SessionContext& ctx, int mode, QWidget* parent = nullptr);

    int mode() const { return m_mode; }
    BoundQueryModel* Liste = nullptr;
    QTableView* Grid = nullptr;
    QLabel* LblSayi = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnSec = nullptr;
    QPushButton* BtnExcel = nullptr;
    QPushButton* BtnKapat = nullptr;

    // The current row as a map of upper-case columns; empty when none.
    QVariantMap currentRow() const;
    // Runs a list statement and shows its rows and count.
    void runList(const QString& statement, const QVariantMap& binds, const QStringList& captions);
    // Goes to the first row whose column starts with `text` (Turkish case
    // folded); false when none does.
    bool locate(const QString& column, const QString& text);
    // The picked key (set by "&Seç").
    QString result() const { return m_result; }

public slots:
    virtual void BtnYeniClick() {}
    virtual void BtnDuzenleClick() {}
    virtual void BtnSilClick() {}
    virtual void BtnSecClick();
    void BtnExcelClick();

protected:
    // The key column "&Seç" returns.
    virtual QString keyColumn() const = 0;
    bool eventFilter(QObject* o, QEvent* e) override;
    QHBoxLayout* SearchRow = nullptr;
    SessionContext& m_ctx;
    Db m_db;
    int m_mode;
    QString m_result;
    QStringList m_captions;
};

} // namespace tornaly::workshop
