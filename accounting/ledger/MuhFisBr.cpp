#include "accounting/ledger/MuhFisBr.h"
#include "accounting/transfer/MuhEntegre.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"
#include "sql/TutarAlanlari.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounting {

namespace {

QTableView* tablo(QWidget* parent, const QString& ad, BoundQueryModel* model)
{
    auto* t = new QTableView(parent);
    t->setObjectName(ad);
    t->setModel(model);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

QDateEdit* tarihKutusu(QWidget* parent, const QString& ad, const QDate& tarih)
{
    auto* e = new QDateEdit(tarih, parent);
    e->setObjectName(ad);
    e->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    e->setCalendarPopup(true);
    return e;
}

} // namespace

TFormMuhFisBr::TFormMuhFisBr(const SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_fisler(new BoundQueryModel(this)), m_satirlar(new BoundQueryModel(this))
{
    setObjectName(QStringLiteral("FormMuhFisBr"));
    setWindowTitle(QStringLiteral("Muhasebe Fişleri"));
    const int yil = m_ctx.CalismaYiliNo > 0 ? m_ctx.CalismaYiliNo : QDate::currentDate().year();
    EditBasTarih = tarihKutusu(this, QStringLiteral("EditBasTarih"), QDate(yil, 1, 1));
    EditBitTarih = tarihKutusu(this, QStringLiteral("EditBitTarih"), QDate(yil, 12, 31));
    BtnListele = new QPushButton(QStringLiteral("&Listele"), this);
    BtnListele->setObjectName(QStringLiteral("BtnListele"));
    BtnSil = new QPushButton(QStringLiteral("Sil"), this);
    BtnSil->setObjectName(QStringLiteral("BtnSil"));
    BtnSil->setEnabled(m_ctx.AktifKullanici.diger10 != QLatin1String("H"));
    GridFis = tablo(this, QStringLiteral("GridFis"), m_fisler);
    GridSatir = tablo(this, QStringLiteral("GridSatir"), m_satirlar);

    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(QStringLiteral("Tarih"), this));
    ust->addWidget(EditBasTarih);
    ust->addWidget(new QLabel(QStringLiteral("-"), this));
    ust->addWidget(EditBitTarih);
    ust->addWidget(BtnListele);
    ust->addStretch(1);
    ust->addWidget(BtnSil);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addWidget(GridFis, 3);
    lay->addWidget(GridSatir, 2);

    connect(BtnListele, &QPushButton::clicked, this, Guarded([this] { BtnListeleClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(GridFis->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded([this] { satirlariGoster(); }));
    resize(1000, 640);
    Guard([this] { BtnListeleClick(); });
}

void TFormMuhFisBr::BtnListeleClick()
{
    // Half-open day range: the last day is whole.
    m_fisler->setStatement(m_ctx.Database1,
                           QStringLiteral("SELECT FISNO, TARIH, TUR, FISNUMARA, YEVMIYE_NO, BELGENO, ACIKLAMA, BORC, "
                                          "ALACAK, ENT_TIP, ENT_REF_NO FROM FIS WHERE TARIH >= :BAS AND TARIH < :BIT "
                                          "ORDER BY TARIH DESC, FISNO DESC"),
                           {{QStringLiteral("BAS"), QDateTime(EditBasTarih->date(), QTime(0, 0))},
                            {QStringLiteral("BIT"), QDateTime(EditBitTarih->date().addDays(1), QTime(0, 0))}});
    m_fisler->setOrderKeys({QStringLiteral("FISNO")});
    SetTutarAlanlari(*m_fisler, {QStringLiteral("BORC"), QStringLiteral("ALACAK")});
    m_fisler->setCaptions({QStringLiteral("Fiş No"), QStringLiteral("Tarih"), QStringLiteral("Tür"),
                           QStringLiteral("Fiş Numara"), QStringLiteral("Yevmiye No"), QStringLiteral("Belge No"),
                           QStringLiteral("Açıklama"), QStringLiteral("Borç"), QStringLiteral("Alacak"),
                           QStringLiteral("Ent.Tip"), QStringLiteral("Ent.Ref.No")});
    m_fisler->open();
    // Newest first: the voucher just posted is the one the user comes to see.
    if (m_fisler->rowCount() > 0)
        GridFis->selectRow(0);
    satirlariGoster();
}

double TFormMuhFisBr::seciliFisNo() const
{
    const QModelIndex i = GridFis->currentIndex();
    if (!i.isValid())
        return 0;
    return m_fisler->record(i.row()).value(QStringLiteral("FISNO")).toDouble();
}

bool TFormMuhFisBr::fiseGit(double fisNo)
{
    Query q(m_ctx.Database1, QStringLiteral("SELECT TARIH FROM FIS WHERE FISNO = :F"));
    q.bind(QStringLiteral("F"), fisNo).exec();
    if (!q.next())
        return false;
    const QDate tarih = q.date(QStringLiteral("TARIH"));
    q.finish();
    if (tarih.isValid() && (tarih < EditBasTarih->date() || tarih > EditBitTarih->date())) {
        EditBasTarih->setDate(QDate(tarih.year(), 1, 1));
        EditBitTarih->setDate(QDate(tarih.year(), 12, 31));
    }
    BtnListeleClick();
    for (int r = 0;; ++r) {
        if (r >= m_fisler->rowCount() && m_fisler->canFetchMore())
            m_fisler->fetchMore();
        if (r >= m_fisler->rowCount())
            return false;
        if (m_fisler->record(r).value(QStringLiteral("FISNO")).toDouble() == fisNo) {
            GridFis->selectRow(r);
            satirlariGoster();
            return true;
        }
    }
}

void TFormMuhFisBr::satirlariGoster()
{
    m_satirlar->setStatement(m_ctx.Database1,
                             QStringLiteral("SELECT SIRANO, HSPKODU, ACIKLAMA, BORC, ALACAK, BELGE_NO FROM FISAYR "
                                            "WHERE FISNO = :F ORDER BY SIRANO"),
                             {{QStringLiteral("F"), seciliFisNo()}});
    SetTutarAlanlari(*m_satirlar, {QStringLiteral("BORC"), QStringLiteral("ALACAK")});
    m_satirlar->setCaptions({QStringLiteral("Sıra"), QStringLiteral("Hesap Kodu"), QStringLiteral("Açıklama"),
                             QStringLiteral("Borç"), QStringLiteral("Alacak"), QStringLiteral("Belge No")});
    m_satirlar->open();
}

void TFormMuhFisBr::BtnSilClick()
{
    const double no = seciliFisNo();
    if (no <= 0)
        return;
    if (!AskYesNo(QStringLiteral("%1 nolu fiş silinsin mi?").arg(SayiMetni(no)), MsgNo))
        return;
    switch (MuhFisSil(m_ctx, m_ctx.Database1, no)) {
    case FisSilmeSonucu::KilitliDonem:
        ShowWarning(QStringLiteral("İlgili tarih için işlem yapılamaz!"));
        return;
    case FisSilmeSonucu::FisYok:
    case FisSilmeSonucu::Silindi:
        break;
    }
    BtnListeleClick();
}

} // namespace tornaly::accounting
