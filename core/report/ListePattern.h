#pragma once
#include "criteria/Sorgu.h"
#include "db/Database.h"
#include "report/ReportModel.h"
#include "sql/SqlHelpers.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QButtonGroup;
class QTableView;

namespace tornaly::report {

// ---------------------------------------------------------------------------
// The criteria dialog every report starts with: "&Tamam" stores the
// controls and sets GeriDon "T", "&Tümü" sets "H" and stores nothing,
// "Vazgeç" (and any other way of closing) sets "0".
class TSorguDlg : public QDialog {
    Q_OBJECT
public:
    TSorguDlg(TSorgu& record, const QString& caption, QWidget* parent = nullptr);

    QPushButton* OKBtn = nullptr;
    QPushButton* LISTEBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public slots:
    void OKBtnClick();
    void LISTEBtnClick();
    void CancelBtnClick();
    void reject() override;

protected:
    // Clears what this dialog owns before the controls are read: the date
    // texts, SorguSecStr, the special codes; SorguSecLInt, SorguSecLInt1 and
    // SorguInt become -1.
    virtual void resetOwnFields(TSorgu& s);
    // Stores the controls; false keeps the dialog open (focus is on the bad control).
    virtual bool readControls(TSorgu& s) = 0;
    // The area above the buttons where a dialog puts its controls.
    QWidget* body() const { return m_body; }

    TSorgu& m_sorgu;

private:
    QWidget* m_body = nullptr;
};

// A date edit with the mask "  .  .    " (day.month.year).
QLineEdit* MakeDateEdit(QWidget* parent, const QString& name);
// A blank date edit passes; otherwise the text must be a date (dd.MM.yyyy).
bool DateEditValid(const QLineEdit* edit);
// A code range with a "Seç" button per end: the first fills both ends, the
// second only the upper one; an empty pick changes nothing.
void BindRangePickers(QPushButton* first, QPushButton* second, QLineEdit* from, QLineEdit* to,
                      std::function<QString()> picker);

// The criteria entry: runs the dialog made by `make` on the unit's record
// and copies that record to the caller's whatever the result.
void RunCriteria(TSorgu& unitRecord, TSorgu& caller, const std::function<TSorguDlg*(TSorgu&)>& make);

// ---------------------------------------------------------------------------
// The list query: a statement kept as lines, each criterion appended as an
// "AND" line with its values bound (typed text never becomes SQL text).
class ListQuery {
public:
    explicit ListQuery(QStringList lines = {}) { m_sql.lines = std::move(lines); }

    ListQuery& line(const QString& text);
    // "AND (field>=:Pn)" / "AND (field<=:Pn)", each only when its end is filled.
    ListQuery& range(const QString& field, const QString& lower, const QString& upper);
    ListQuery& equals(const QString& field, const QVariant& value);
    // Date limits typed as day.month.year; the day range is half-open
    // (>= from 00:00, < day after `to`). False with a Turkish message in
    // `error` when a filled text is no date.
    bool dateRange(const QString& field, const QString& fromText, const QString& toText, QString* error);
    // Lists over current accounts leave out the hidden account groups when
    // the parameter asks for it.
    ListQuery& hiddenGroups(bool diger01, const QStringList& groups);
    // The ORDER BY line stays last: replacing it keeps every criterion.
    ListQuery& orderBy(const QString& orderLine);

    const SqlText& sql() const { return m_sql; }
    QString text() const { return m_sql.text(); }
    const QVariantMap& binds() const { return m_sql.binds; }

private:
    QString bindValue(const QVariant& v);
    SqlText m_sql;
    int m_next = 0;
    bool m_hasOrder = false;
};

// ---------------------------------------------------------------------------
// The list form every report shows its rows in: a grid over the list query,
// the sort choice "Sıralama Değiş", the output choice and "Liste Dökümü".
class TListeForm : public QDialog {
    Q_OBJECT
public:
    TListeForm(const Db& db, const QString& caption, QWidget* parent = nullptr);

    // The query, the ORDER BY lines of "Sıralama Değiş" (item text, line)
    // and the first order; opened by open().
    void setQuery(const ListQuery& q, const QList<QPair<QString, QString>>& orders = {}, int order = 0);
    void open();
    int rowCount() const;
    BoundQueryModel* model() const { return m_model; }
    const ListQuery& query() const { return m_query; }

    // The printed report of this list, built when "Liste Dökümü" is pressed.
    std::function<Report()> reportBuilder;
    QString pageSetupKey;

    QTableView* Grid = nullptr;
    QComboBox* CmbCikti = nullptr;
    QPushButton* BtnListe = nullptr;

public slots:
    void SiralamaClick(int index);
    QString BtnListeClick();

private:
    Db m_db;
    ListQuery m_query;
    QList<QPair<QString, QString>> m_orders;
    BoundQueryModel* m_model = nullptr;
    QButtonGroup* m_sortGroup = nullptr;
    QWidget* m_sortBox = nullptr;
};

// The list entry: opens the form's query; with no row shows `emptyMessage`
// and no form, else shows the form modally. Returns the number of rows.
int RunList(TListeForm& form, const QString& emptyMessage);

} // namespace tornaly::report
