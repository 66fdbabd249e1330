#pragma once
#include <QComboBox>
#include <QList>
#include <QString>
#include <QVariant>

namespace tornaly {

// A drop-down of items the user ticks, several at a time (a list filter's
// "work-order types"). Each item has a short description (the code that
// conditions use), a description the user reads and an integer tag. The box
// shows the descriptions of the ticked items; the list stays open while the
// user ticks.
class TCheckComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TCheckComboBox(QWidget* parent = nullptr);

    void addCheckItem(const QString& shortDescription, const QString& description, const QVariant& tag = {});
    void clearItems();
    QString shortDescription(int index) const;
    QVariant tag(int index) const;
    bool isChecked(int index) const;
    void setChecked(int index, bool checked);
    void setAllChecked(bool checked);
    // The descriptions of the ticked items, as the closed box shows them.
    QString checkedText() const;

signals:
    void checkedChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hidePopup() override;

private:
    bool m_keepOpen = false;
};

// Restricts a look-up combo's list to the rows whose fields equal the values
// (one "equal" criterion per field, the value at the same index; a single
// field takes the whole value). The criteria replace any earlier ones; no
// field clears the filter. Fields are the names of the list's columns
// (BoundQueryModel's field names, else its captions); a field the list does
// not have matches no row. Card forms use it when a look-up opens, to show
// only the rows that belong to the record.
void FilterLookupCombo(QComboBox* combo, const QStringList& fields, const QVariant& values);

} // namespace tornaly
