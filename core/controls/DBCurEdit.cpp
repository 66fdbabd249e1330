#include "controls/DBCurEdit.h"

#include "messages/Messages.h"
#include "money/Money.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QKeyEvent>

namespace tornaly {

bool CurrencyEditTextToValue(const QString& text, QVariant* value)
{
    QString t = text.trimmed();
    if (t.isEmpty()) {
        *value = QVariant(QMetaType(QMetaType::Double));
        return true;
    }
    // Only digits and the decimal comma are written back: a minus sign is dropped.
    if (t.startsWith(QLatin1Char('-')) || t.endsWith(QLatin1Char('-')))
        t.remove(QLatin1Char('-'));
    QString digits;
    bool comma = false;
    for (const QChar c : t) {
        if (c.isDigit())
            digits += c;
        else if (c == QLatin1Char(',') && !comma) {
            digits += QLatin1Char('.');
            comma = true;
        } else if (c == QLatin1Char('.') || c.isSpace())
            continue;
        else
            return false;
    }
    if (digits.isEmpty() || digits == QLatin1String("."))
        return false;
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok)
        return false;
    *value = v;
    return true;
}

TDBCurrencyEdit::TDBCurrencyEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TDBCurrencyEdit::setDataField(QAbstractItemModel* model, const QModelIndex& index)
{
    m_model = model;
    m_index = index;
    setValue(index.isValid() ? index.data(Qt::EditRole) : QVariant());
}

void TDBCurrencyEdit::setValue(const QVariant& v)
{
    m_value = v;
    showValue(hasFocus());
}

void TDBCurrencyEdit::showValue(bool editing)
{
    if (m_value.isNull() || !m_value.isValid()) {
        setText(QString());
        return;
    }
    const double v = m_value.toDouble();
    setText(editing ? FormatMoney(v, QStringLiteral("#.##")) : FormatMoney(v, QStringLiteral(",0.00")));
}

bool TDBCurrencyEdit::writeBack()
{
    QVariant v;
    if (!CurrencyEditTextToValue(text(), &v)) {
        selectAll();
        return false;
    }
    m_value = v;
    if (m_model && m_index.isValid())
        m_model->setData(m_index, v, Qt::EditRole);
    emit valueChanged(v);
    return true;
}

void TDBCurrencyEdit::focusInEvent(QFocusEvent* e)
{
    showValue(true);
    QLineEdit::focusInEvent(e);
}

void TDBCurrencyEdit::focusOutEvent(QFocusEvent* e)
{
    if (!writeBack()) {
        ShowError(QStringLiteral("'%1' geçerli bir tutar değil.").arg(text()));
        setFocus();
        return;
    }
    showValue(false);
    QLineEdit::focusOutEvent(e);
}

void TDBCurrencyEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        showValue(true);
        selectAll();
        return;
    }
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint()) {
        const QChar c = t.at(0);
        if (!c.isDigit() && c != QLatin1Char(',') && c != QLatin1Char('.') && c != QLatin1Char('-')) {
            QApplication::beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

} // namespace tornaly
