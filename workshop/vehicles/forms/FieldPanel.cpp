#include "workshop/vehicles/forms/FieldPanel.h"
#include "controls/SayiAlani.h"
#include "guard/FormGuard.h"
#include "db/Database.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tornaly::workshop {

QString FormatDateTr(const QVariant& value)
{
    if (value.isNull())
        return {};
    const QDateTime d = Query::toDateTime(value);
    return d.isValid() ? d.date().toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

bool ParseDateTr(const QString& text, QVariant* value)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *value = QVariant(QMetaType(QMetaType::QDateTime));
        return true;
    }
    for (const char* f : {"dd.MM.yyyy", "d.M.yyyy", "dd.MM.yy", "d.M.yy"}) {
        QDate d = QDate::fromString(t, QString::fromLatin1(f));
        if (d.isValid()) {
            if (d.year() < 1950)
                d = d.addYears(100);
            *value = QDateTime(d, QTime(0, 0));
            return true;
        }
    }
    return false;
}

FieldPanel::FieldPanel(QWidget* parent, int columns) : QWidget(parent), m_grid(new QGridLayout(this)), m_columns(columns)
{
    m_grid->setContentsMargins(4, 4, 4, 4);
    m_grid->setHorizontalSpacing(8);
}

QLineEdit* FieldPanel::add(const QString& column, const QString& caption, Kind kind, int maxLength)
{
    auto* label = new QLabel(caption, this);
    auto* ed = new QLineEdit(this);
    ed->setObjectName(QStringLiteral("Ed") + column);
    if (maxLength > 0)
        ed->setMaxLength(maxLength);
    if (kind != Text)
        ed->setAlignment(Qt::AlignRight);
    if (kind == Date)
        ed->setPlaceholderText(QStringLiteral("gg.aa.yyyy"));
    label->setBuddy(ed);
    const int row = m_count / m_columns;
    const int col = (m_count % m_columns) * 2;
    m_grid->addWidget(label, row, col);
    m_grid->addWidget(ed, row, col + 1);
    ++m_count;
    m_editors.insert(column, ed);
    m_kinds.insert(column, kind);
    m_order << column;
    connect(ed, &QLineEdit::textEdited, this, Guarded([this, column] {
        if (m_loading)
            return;
        m_modified = true;
        emit edited(column);
    }));
    ed->installEventFilter(this);
    return ed;
}

bool FieldPanel::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::FocusOut)
        for (auto it = m_editors.cbegin(); it != m_editors.cend(); ++it)
            if (it.value() == o)
                emit left(it.key());
    return QWidget::eventFilter(o, e);
}

void FieldPanel::addWidget(const QString& caption, QWidget* w)
{
    const int row = m_count / m_columns;
    const int col = (m_count % m_columns) * 2;
    m_grid->addWidget(new QLabel(caption, this), row, col);
    m_grid->addWidget(w, row, col + 1);
    ++m_count;
}

void FieldPanel::setReadOnly(const QString& column, bool on)
{
    if (QLineEdit* e = m_editors.value(column))
        e->setReadOnly(on);
}

void FieldPanel::setAllReadOnly(bool on)
{
    for (QLineEdit* e : std::as_const(m_editors))
        e->setReadOnly(on);
}

void FieldPanel::load(const QVariantMap& row)
{
    m_loading = true;
    for (const QString& c : std::as_const(m_order)) {
        const QVariant v = row.value(c);
        QString text;
        switch (m_kinds.value(c)) {
        case Text:
            text = v.toString().trimmed();
            break;
        case Number:
            text = v.isNull() ? QString() : FormatMoney(v.toDouble(), QStringLiteral(",0.00"));
            break;
        case Integer:
            text = v.isNull() ? QString() : QString::number(v.toLongLong());
            break;
        case Date:
            text = FormatDateTr(v);
            break;
        }
        m_editors.value(c)->setText(text);
    }
    m_loading = false;
    m_modified = false;
}

bool FieldPanel::store(QVariantMap& row) const
{
    for (const QString& c : m_order) {
        const QString text = m_editors.value(c)->text();
        switch (m_kinds.value(c)) {
        case Text:
            row.insert(c, text.trimmed());
            break;
        case Number: {
            double v = 0;
            if (text.trimmed().isEmpty())
                row.insert(c, QVariant(QMetaType(QMetaType::Double)));
            else if (ParseMoney(text, &v))
                row.insert(c, v);
            else {
                ShowWarning(SayiDegilMesaji(text));
                m_editors.value(c)->setFocus();
                return false;
            }
            break;
        }
        case Integer: {
            bool ok = false;
            const int v = text.trimmed().toInt(&ok);
            if (text.trimmed().isEmpty())
                row.insert(c, QVariant(QMetaType(QMetaType::Int)));
            else if (ok)
                row.insert(c, v);
            else {
                ShowWarning(SayiDegilMesaji(text));
                m_editors.value(c)->setFocus();
                return false;
            }
            break;
        }
        case Date: {
            QVariant v;
            if (!ParseDateTr(text, &v)) {
                ShowWarning(QStringLiteral("\"%1\" geçerli bir tarih değil (gg.aa.yyyy).").arg(text));
                m_editors.value(c)->setFocus();
                return false;
            }
            row.insert(c, v);
            break;
        }
        }
    }
    return true;
}

} // namespace tornaly::workshop
