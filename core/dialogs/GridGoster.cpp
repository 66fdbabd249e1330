#include "dialogs/GridGoster.h"

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly {

QPointer<TFormGridGoster> FormGridGoster;

TFormGridGoster::TFormGridGoster(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormGridGoster"));
    auto* lay = new QVBoxLayout(this);
    cxGrid = new QTableView(this);
    cxGrid->setObjectName(QStringLiteral("cxGrid"));
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lay->addWidget(cxGrid);
    BtnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    lay->addWidget(BtnKapat, 0, Qt::AlignRight);
    setAttribute(Qt::WA_DeleteOnClose);
}

TFormGridGoster* ShowDataGrid(QAbstractItemModel* model, const QString& caption)
{
    if (!FormGridGoster)
        FormGridGoster = new TFormGridGoster(QApplication::activeWindow());
    FormGridGoster->cxGrid->setModel(model);
    FormGridGoster->setWindowTitle(caption);
    FormGridGoster->show();
    if (FormGridGoster->isMinimized())
        FormGridGoster->showNormal();
    FormGridGoster->raise();
    return FormGridGoster;
}

} // namespace tornaly
