#pragma once
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QVariant>

class QAbstractItemModel;

namespace tornaly {

// The amount a money edit's text stands for: thousands dots dropped, the
// decimal comma read; a minus sign is dropped, so "-5" is 5.
// Empty text is null; text that is no amount gives false.
bool CurrencyEditTextToValue(const QString& text, QVariant* value);

// A right-aligned money edit bound to one field of a row (a model index):
// shows the display text when not focused, the edit text while focused,
// and writes the typed amount back when left.
class TDBCurrencyEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QVariant value READ value WRITE setValue USER true)
public:
    explicit TDBCurrencyEdit(QWidget* parent = nullptr);

    QString DisplayFormat = QStringLiteral("#,###00000");
    // The bound field; an invalid index leaves the edit empty.
    void setDataField(QAbstractItemModel* model, const QModelIndex& index);
    QVariant value() const { return m_value; }
    void setValue(const QVariant& v);
    // Writes the text back to the value and the field; false (and the text
    // selected) when the text is no amount.
    bool writeBack();

signals:
    void valueChanged(const QVariant& v);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void showValue(bool editing);
    QAbstractItemModel* m_model = nullptr;
    QPersistentModelIndex m_index;
    QVariant m_value;
};

} // namespace tornaly
