#pragma once
#include <QHash>
#include <QVariantMap>
#include <QWidget>

class QGridLayout;
class QLineEdit;

namespace tornaly::workshop {

// A panel of captioned fields bound to the columns of one row. Text fields
// keep their column's length; numbers are shown and read in the Turkish
// format ("1.234.567,89"); dates as "31.12.2026", empty for none. Each
// editor carries its column name as object name, with the prefix "Ed".
class FieldPanel : public QWidget {
    Q_OBJECT
public:
    enum Kind { Text, Number, Integer, Date };
    explicit FieldPanel(QWidget* parent = nullptr, int columns = 2);

    QLineEdit* add(const QString& column, const QString& caption, Kind kind = Text, int maxLength = 0);
    // Any other control under a caption (drop-downs, buttons).
    void addWidget(const QString& caption, QWidget* w);
    QLineEdit* editor(const QString& column) const { return m_editors.value(column); }
    void setReadOnly(const QString& column, bool on);
    void setAllReadOnly(bool on);

    void load(const QVariantMap& row);
    // Writes the edited values into `row`; false (with the Turkish message
    // shown) when a number or date does not parse.
    bool store(QVariantMap& row) const;
    // True once the user typed into a field since the last load().
    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }

signals:
    void edited(const QString& column);
    void left(const QString& column);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QGridLayout* m_grid;
    int m_columns;
    int m_count = 0;
    QHash<QString, QLineEdit*> m_editors;
    QHash<QString, Kind> m_kinds;
    QStringList m_order;
    bool m_modified = false;
    bool m_loading = false;
};

QString FormatDateTr(const QVariant& value);
// Parses "31.12.2026", "31.12.26" or "1.2.2026"; an empty text is a null date.
bool ParseDateTr(const QString& text, QVariant* value);

} // namespace tornaly::workshop
