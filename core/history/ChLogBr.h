#pragma once
#include "browse/brListe.h"
#include "context/SessionContext.h"

#include <QStringList>

class QAction;
class QPushButton;
class QTableView;

namespace tornaly {

// One kind of record whose history the lists show.
struct ChangeLogKind {
    QString keyType;      // "ALIS", "CARI", ...
    QString caption;      // window caption
    QString masterTable;  // CLOG_... read for the records
    QString keyField;
    QStringList masterLines; // five lines: columns, FROM, WHERE key, search line, ORDER BY
    QString lineQuery;       // empty when the kind has no line history
    QStringList truncateTables;
    QStringList masterCaptions, lineCaptions;
};
// The kind of a key type; nullptr for an unknown one.
const ChangeLogKind* FindChangeLogKind(const QString& keyType);
// "Yeni", "Değiştirildi", "Silindi".
QString LogStateText(int state);

// The history viewer: the records' history in the browse grid, the line
// history of the current record below it, and for administrators the
// command that empties the history of the kind.
class TFormChLogBr : public TFormListeBr {
    Q_OBJECT
public:
    TFormChLogBr(const SessionContext& ctx, const ChangeLogKind& kind, QWidget* parent = nullptr);

    QString scr_id;
    BoundQueryModel* QAyr = nullptr;
    BoundQueryModel* Qiscillik = nullptr;
    QTableView* GridAyr = nullptr;
    QTableView* GridIscilik = nullptr;
    QPushButton* cxButton1 = nullptr;
    QPushButton* BtnDeleteAll = nullptr;
    // Drop-down entries of "Yazdır" and "Excele Aktar" for kinds with line history.
    QAction* DetayYazdir = nullptr;
    QAction* DetayAktar = nullptr;

    void setKeyValue(const QVariant& value);
    void openLines();

public slots:
    void cxButton1Click();
    void BtnDeleteAllClick();
    void DetayAktarClick();

private:
    void openLineQueries();
    SessionContext m_ctx;
    ChangeLogKind m_kind;
};

// Opens the history of one record (all records of the kind when the key is
// empty or "0"), non-modally; nullptr when the user may not see history or
// the database keeps none for the kind.
TFormChLogBr* ShowChangeLog(const SessionContext& ctx, const QString& keyType, const QVariant& keyValue);

} // namespace tornaly
