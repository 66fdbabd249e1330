#pragma once
#include "db/Database.h"

#include <QDialog>
#include <QPointer>

class QAbstractItemView;
class QLabel;
class QTableView;

namespace tornaly {
class BoundQueryModel;
struct SessionContext;
}

namespace tornaly::workshop {

// "FormPAracTip": the vehicle models and types one part fits. It follows the
// current part of the list that opened it while both are open.
class TFormPAracTip : public QDialog {
    Q_OBJECT
public:
    TFormPAracTip(SessionContext& ctx, QWidget* parent = nullptr);

    QLabel* LblStokKod = nullptr;
    QLabel* LblStokAdi = nullptr;
    QTableView* Grid = nullptr;
    BoundQueryModel* Liste = nullptr;

    // Binds the window to a caller's list (kinds 1 to 5) or shows every fit
    // row (any other kind).
    void bindTo(int kind, QAbstractItemView* source);
    void showPart(const QString& stokKod, const QString& stokAdi);

private:
    QString columnText(int column) const;
    Db m_db;
    QPointer<QAbstractItemView> m_source;
    QMetaObject::Connection m_follow;
};

// Opens (or reuses) the part-fit window for the caller's list, which must
// carry the columns STOK_KOD_NO and STOK_ADI_TR.
TFormPAracTip* ParcaAracTipGoster(SessionContext& ctx, int kind, QAbstractItemView* source);

} // namespace tornaly::workshop
