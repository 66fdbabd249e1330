#include "login/BrPass.h"
#include "guard/FormGuard.h"
#include "db/Dialect.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly {

TFormPass::TFormPass(const Db& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("FormPass"));
    setWindowTitle(QStringLiteral("Kullanıcı Bilgileri"));
    EditFiltre = new QLineEdit(this);
    EditFiltre->setObjectName(QStringLiteral("EditFiltre"));
    BtnTemizle = new QPushButton(QStringLiteral("Temizle"), this);
    BtnTemizle->setObjectName(QStringLiteral("BtnTemizle"));
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    m_model = new BoundQueryModel(this);
    m_model->setCaptions({QStringLiteral("Kullanıcı Kodu"), QStringLiteral("Kullanıcı Adı")});
    Grid->setModel(m_model);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Kulllanıcı"), this));
    top->addWidget(EditFiltre);
    top->addWidget(BtnTemizle);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grid);
    connect(EditFiltre, &QLineEdit::returnPressed, this, Guarded(this, &TFormPass::FiltreUygula));
    connect(BtnTemizle, &QPushButton::clicked, this, Guarded(this, &TFormPass::TemizleClick));
    FiltreUygula();
}

void TFormPass::FiltreUygula()
{
    const QString typed = EditFiltre->text().trimmed();
    QString sql = QStringLiteral("SELECT LOGIN_NAME ,USER_NAME FROM RIGHTS");
    QVariantMap binds;
    if (!typed.isEmpty()) {
        sql += QStringLiteral(" WHERE (") + m_db.dialect().ciLike(QStringLiteral("USER_NAME"), QStringLiteral("F"))
             + QStringLiteral(")");
        binds.insert(QStringLiteral("F"), QStringLiteral("%") + Dialect::escapeLike(typed) + QStringLiteral("%"));
    }
    sql += QStringLiteral(" ORDER BY LOGIN_NAME");
    m_model->setStatement(m_db, sql, binds);
    m_model->open();
}

void TFormPass::TemizleClick()
{
    EditFiltre->clear();
    FiltreUygula();
}

void TFormPass::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F11) {
        close();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace tornaly
