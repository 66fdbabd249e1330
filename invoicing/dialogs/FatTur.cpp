#include "invoicing/dialogs/FatTur.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tornaly::invoicing {

TFormFatTur::TFormFatTur(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFatTur"));
    setWindowTitle(QStringLiteral("Faturalama Türünü Seç"));
    auto* kutu = new QGroupBox(QStringLiteral("Faturalama Türü"), this);
    kutu->setObjectName(QStringLiteral("RadioGroup1"));
    auto* kl = new QVBoxLayout(kutu);
    m_grup = new QButtonGroup(this);
    // The warranty kind is made elsewhere and "Diğer Fatura" is not offered here.
    const QStringList ogeler{QStringLiteral("İşemri Faturası"), QStringLiteral("Ekspertiz Faturası")};
    for (int i = 0; i < ogeler.size(); ++i) {
        auto* r = new QRadioButton(ogeler[i], kutu);
        m_grup->addButton(r, i);
        kl->addWidget(r);
    }
    m_grup->button(0)->setChecked(true);
    auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    bb->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    bb->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(bb, &QDialogButtonBox::accepted, this, &QDialog::accept); // unguarded: ui only
    connect(bb, &QDialogButtonBox::rejected, this, &QDialog::reject); // unguarded: ui only
    auto* l = new QVBoxLayout(this);
    l->addWidget(kutu);
    l->addWidget(bb);
}

int TFormFatTur::secilen() const
{
    return m_grup->checkedId();
}

int SelectFatTur(QWidget* parent)
{
    TFormFatTur d(parent);
    return d.exec() == QDialog::Accepted ? d.secilen() : -1;
}

} // namespace tornaly::invoicing
