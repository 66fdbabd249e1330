#pragma once
#include "browse/BrowseRules.h"
#include "db/Database.h"
#include "sql/SqlHelpers.h"

#include <QDialog>
#include <QHash>
#include <QVariant>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;

namespace tornaly { struct SessionContext; }

namespace tornaly {

struct TypeModal {
    int modalresult = 0;
    QVariant secimresult;
};

// The generic browse form: a grid over a list query whose text is kept as
// lines (line 2 "WHERE 1=1", line 3 the search condition, then the order),
// a search field, pick, print and export. Descendants and openers supply the
// query, the key field and the captions.
class TFormListeBr : public QDialog {
    Q_OBJECT
public:
    explicit TFormListeBr(const Db& db, QWidget* parent = nullptr);
    ~TFormListeBr() override;

    // The list query; binds of fixed conditions go into TableBrSql.binds.
    SqlText TableBrSql;
    // The delete statement; its parameters take the current row's fields of the same name.
    QString QSil;
    BoundQueryModel* TableBr = nullptr;

    int hak_id = 0;
    QString key_field;
    QVariant key_value;
    QVariant secim;
    bool editable = false;
    bool doubleenter = false;
    bool debug = false;

    QLineEdit* Tanim = nullptr;
    QLineEdit* Alan = nullptr;
    QToolButton* Filtre = nullptr;
    QLabel* SortField = nullptr;
    QPushButton* btnSelect = nullptr;
    QTableView* dbgridbr = nullptr;
    QPushButton* btnNew = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnExport = nullptr;
    QPushButton* btnClose = nullptr;
    QMenu* PopupMenuListeBr = nullptr;
    // Footer under the grid: row count and the sums the form asks for.
    QLabel* lblTotals = nullptr;

    // The search column (`Alan.Hint`) and kind (`Alan.Tag`).
    QString aramaKolonu;
    AramaTuru aramaTuru = AramaTuru::Yok;
    // A column's SQL source where it differs from its field name (table-qualified).
    QHash<QString, QString> fieldOrigins;
    // Kinds fixed by the descendant for fields whose type does not tell.
    QHash<QString, AramaTuru> fieldKinds;

    void setrights(int xhak_id) { hak_id = xhak_id; }
    void setkeyfield(const QString& xkf);
    virtual void setsomethings() {}
    QVariant createform(bool modal, bool secaktif, bool tableopen, bool btnvisible, bool tabledit);
    TypeModal showandfree(bool modal);
    void setkeyvalue(const QVariant& xval);
    void locatekeyvalue(const QVariant& xval);
    bool newok() const;
    bool editok() const;
    bool deleteok(bool xdel);
    void tablerefresh();
    // Deletes the current row with the delete statement; false when nothing
    // was deleted (no statement, or the database refused: the message is shown).
    bool deleteselected();
    void disablebuttons();

    // Mode and right letter of a browse form (the convention's rules).
    void applyMode(int mode, const QString& hak);
    // Chooses the search column from a field of the list.
    void setSearchColumn(const QString& field);
    // Runs the search of the typed text (Enter in `Tanim`); false when refused
    // or when the database failed (the message is shown, the form stays usable).
    bool TanimEnter();
    QVariant currentValue(const QString& field) const;
    int currentRow() const;
    // Opens the list query with its current lines.
    void openTable();

    // Numeric fields of the list whose sums the footer shows under the grid,
    // with the row count, over every row the search leaves (not only the
    // rows read so far); money is shown in the session's format.
    void setTotals(const QStringList& fields, const SessionContext& ctx);
    void setTotals(const QStringList& fields, const QString& paraFormat = QStringLiteral(",0.00"));
    // Recomputes the footer (done by every open of the list).
    void refreshTotals();
    const BoundQueryModel::Totals& totals() const { return m_totals; }

public slots:
    void btnSelectClick();
    void btnPrintClick();
    void btnExportClick();
    void FiltreClick();
    // A click on a column's header orders the list by that column (again:
    // the other way round) and shows its caption in `SortField`.
    void SortColumnClick(int column);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // The print preview of a grid's rows (every row, the shown columns).
    void printGrid(QTableView* grid);
    Db m_db;

private:
    bool search();
    void locate(const QVariant& xval);
    void learnKinds();
    QHash<QString, AramaTuru> m_learnedKinds;
    QStringList m_totalFields;
    QString m_paraFormat = QStringLiteral(",0.00");
    bool m_totalsOn = false;
    BoundQueryModel::Totals m_totals;
};

} // namespace tornaly
