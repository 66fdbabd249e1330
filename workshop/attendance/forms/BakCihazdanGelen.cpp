#include "workshop/attendance/forms/BakCihazdanGelen.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "workshop/attendance/forms/PdksIzgara.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

namespace tornaly::workshop {

namespace {
QString pdksSatirAlani(const QVariantMap& m, const char* k) { return m.value(QString::fromLatin1(k)).toString(); }
} // namespace

TFormBakCihazdanGelen::TFormBakCihazdanGelen(SessionContext& ctx, DispozBelgesi& belge, int idx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_belge(belge), m_idx(idx)
{
    setObjectName(QStringLiteral("FormBakCihazdanGelen"));
    setWindowTitle(pdks::U("Cihazdan Okunan Çalışma Saatleri"));
    const QVariantMap satir = idx >= 0 && idx < belge.iscilikler.size() ? belge.iscilikler[idx] : QVariantMap{};
    m_usta = pdksSatirAlani(satir, "ONARAN_KISI");
    auto* lay = new QVBoxLayout(this);
    LblIscilik = new QLabel(pdksSatirAlani(satir, "ARIZA_KODU") + QStringLiteral(" / ") + pdksSatirAlani(satir, "ARIZA_ADI"), this);
    LblIscilik->setObjectName(QStringLiteral("LblIscilik"));
    lay->addWidget(LblIscilik);
    lay->addWidget(new QLabel(pdks::U("PERSONEL"), this));
    GridPersonel = PdksIzgara(this, "GridPersonel", {pdks::U("Personel Kodu"), pdks::U("Personel Adı")});
    lay->addWidget(GridPersonel, 1);
    lay->addWidget(new QLabel(pdks::U("YAPILAN İŞÇİLİKLER"), this));
    GridOkuma = PdksIzgara(this, "GridOkuma",
                           {pdks::U("Tarih"), pdks::U("Baş.Saati"), pdks::U("Bit.Saati"), pdks::U("Top.Süre (Dakika)"), pdks::U("Fiili Süre"),
                            pdks::U("Atanmışİşç.Kodu"), pdks::U("KartNo"), pdks::U("Sıra No")},
                           true);
    lay->addWidget(GridOkuma, 2);
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    auto* sec = new QPushButton(pdks::U("&Seç"), this);
    sec->setObjectName(QStringLiteral("BtnSec"));
    auto* kapat = new QPushButton(pdks::U("Kapat"), this);
    kapat->setObjectName(QStringLiteral("BtnKapat"));
    alt->addWidget(sec);
    alt->addWidget(kapat);
    lay->addLayout(alt);

    QString sql = QStringLiteral("SELECT PEROKUP.PER_KOD, ISCI_ADI FROM (SELECT DISTINCT PER_KOD FROM PEROKUM "
                                 "WHERE IENO = :ieno AND TIPKOD = 'I'");
    QVariantMap b{{pdks::U("ieno"), belge.no()}};
    if (!m_usta.isEmpty()) {
        sql += QStringLiteral(" AND PER_KOD = :ikod");
        b.insert(pdks::U("ikod"), m_usta);
    }
    sql += QStringLiteral(") PEROKUP LEFT OUTER JOIN ISCIUSTA ON (PEROKUP.PER_KOD = ISCI_KOD) ORDER BY PEROKUP.PER_KOD");
    Query q(ctx.Database1, sql);
    q.bindAll(b).exec();
    int r = 0;
    while (q.next()) {
        GridPersonel->insertRow(r);
        PdksHucre(GridPersonel, r, 0, q.str(pdks::U("PER_KOD")));
        PdksHucre(GridPersonel, r, 1, q.str(pdks::U("ISCI_ADI")));
        ++r;
    }
    PdksIzgaraBoyutla(GridPersonel);
    connect(GridPersonel, &QTableWidget::currentCellChanged, this, Guarded(this, &TFormBakCihazdanGelen::kisiDegisti));
    connect(GridOkuma, &QTableWidget::cellDoubleClicked, this, Guarded(this, &TFormBakCihazdanGelen::SecClick));
    connect(sec, &QPushButton::clicked, this, Guarded(this, &TFormBakCihazdanGelen::SecClick));
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    if (r > 0)
        GridPersonel->selectRow(0);
    kisiDegisti();
    resize(820, 560);
}

void TFormBakCihazdanGelen::kisiDegisti()
{
    GridOkuma->setRowCount(0);
    const int p = GridPersonel->currentRow();
    if (p < 0)
        return;
    Query q(m_ctx.Database1,
            QStringLiteral("SELECT TARIH, SAATBAS, SAATBIT, FIILISURE, SIRANO, SIRANO_BAS, SIRANO_SON, ARIZA_KODU, "
                           "PEROKUM.CIHAZ_ID, ISCI_ADI FROM PEROKUM INNER JOIN ISCIUSTA ON (PER_KOD = ISCI_KOD AND "
                           "PEROKUM.CIHAZ_ID = ISCIUSTA.CIHAZ_ID) WHERE IENO = :ieno AND PER_KOD = :ikod AND "
                           "TIPKOD = 'I' ORDER BY SAATBAS, SIRANO"));
    q.bind(pdks::U("ieno"), m_belge.no()).bind(pdks::U("ikod"), GridPersonel->item(p, 0)->text()).exec();
    int r = 0;
    while (q.next()) {
        GridOkuma->insertRow(r);
        const double fs = q.num(pdks::U("FIILISURE"));
        PdksHucre(GridOkuma, r, 0, PdksTarih(q.dateTime(pdks::U("TARIH"))), int(q.integer(pdks::U("SIRANO"))));
        PdksHucre(GridOkuma, r, 1, PdksSaat(q.dateTime(pdks::U("SAATBAS")), true));
        PdksHucre(GridOkuma, r, 2, PdksSaat(q.dateTime(pdks::U("SAATBIT")), true));
        PdksHucre(GridOkuma, r, 3, QString::number(qint64(fs * 60 / 100)));
        PdksHucre(GridOkuma, r, 4, PdksSayi(fs, 2));
        PdksHucre(GridOkuma, r, 5, q.str(pdks::U("ARIZA_KODU")));
        PdksHucre(GridOkuma, r, 6, q.str(pdks::U("CIHAZ_ID")));
        PdksHucre(GridOkuma, r, 7, QString::number(q.integer(pdks::U("SIRANO"))));
        ++r;
    }
    PdksIzgaraBoyutla(GridOkuma);
    if (r > 0)
        GridOkuma->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
}

void TFormBakCihazdanGelen::SecClick()
{
    const int p = GridPersonel->currentRow();
    if (p < 0 || GridOkuma->rowCount() == 0)
        return;
    std::set<int> satirlar;
    for (const QModelIndex& i : GridOkuma->selectionModel()->selectedRows())
        satirlar.insert(i.row());
    if (satirlar.empty() && GridOkuma->currentRow() >= 0)
        satirlar.insert(GridOkuma->currentRow());
    QList<int> secilen;
    for (int r : satirlar)
        secilen << GridOkuma->item(r, 0)->data(Qt::UserRole).toInt();
    const QString kisi = m_usta.isEmpty() ? GridPersonel->item(p, 0)->text() : m_usta;
    const PdksSonuc s = CihazdanGelenSec(m_ctx.Database1, m_belge, m_idx, kisi, secilen);
    m_sonuc = {s.per_kod, s.zaman};
    accept();
}

TypePDKS ShowCihazdanGelen(SessionContext& ctx, DispozBelgesi& belge, int iscilikIdx, QWidget* parent)
{
    TFormBakCihazdanGelen f(ctx, belge, iscilikIdx, parent);
    return RunModal(f) == QDialog::Accepted ? f.sonuc() : TypePDKS{};
}

} // namespace tornaly::workshop
