#include "workshop/vehicles/forms/VehicleCardBase.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly::workshop {

VehicleCardBase::VehicleCardBase(SessionContext& ctx, const QString& caption, const QString& title, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setWindowTitle(caption);
    auto* lay = new QVBoxLayout(this);
    PanelBaslik = new QLabel(title, this);
    PanelBaslik->setObjectName(QStringLiteral("PanelBaslik"));
    QFont f = PanelBaslik->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    PanelBaslik->setFont(f);
    PanelBaslik->setAlignment(Qt::AlignCenter);
    lay->addWidget(PanelBaslik);
    Panel = new FieldPanel(this);
    lay->addWidget(Panel);
    Body = new QVBoxLayout;
    lay->addLayout(Body, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BtnSakla = new QPushButton(QStringLiteral("&Sakla"), this);
    BtnSakla->setObjectName(QStringLiteral("BtnSakla"));
    BtnVazgec = new QPushButton(QStringLiteral("&Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    BtnSakla->setAutoDefault(false);
    BtnVazgec->setAutoDefault(false);
    buttons->addWidget(BtnSakla);
    buttons->addWidget(BtnVazgec);
    lay->addLayout(buttons);
    connect(BtnSakla, &QPushButton::clicked, this, Guarded([this] { BtnSaklaClick(); }));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
}

void VehicleCardBase::open(const QVariantMap& row, bool isNew)
{
    m_row = row;
    m_new = isNew;
    m_row.insert(QStringLiteral("ESKI_KOD"), row.value(keyColumn()));
    Panel->load(m_row);
    Panel->setReadOnly(keyColumn(), !isNew);
    m_extraModified = false;
}

void VehicleCardBase::BtnSaklaClick()
{
    QVariantMap r = m_row;
    if (!Panel->store(r))
        return;
    collect(r);
    // An empty key is refused with its message; otherwise a card with no
    // change has nothing to save and stays open.
    const bool emptyKey = r.value(keyColumn()).toString().trimmed().isEmpty();
    if (!emptyKey && !Panel->isModified() && !m_extraModified)
        return;
    if (!save(r))
        return;
    m_row = r;
    m_result = r.value(keyColumn()).toString().trimmed();
    accept();
}

} // namespace tornaly::workshop
