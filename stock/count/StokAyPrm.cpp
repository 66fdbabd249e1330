#include "stock/count/StokAyPrm.h"
#include "util/Utf8.h"

#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "money/Money.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
using text::S;

QPushButton* matrisDugmesi(QWidget* parent, const char* ad, const QString& baslik, const QString& ipucu)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QString::fromLatin1(ad));
    b->setToolTip(ipucu);
    return b;
}

QString sayiMetni(const QVariant& v)
{
    return v.isNull() || !v.isValid() ? QString() : FormatMoney(v.toDouble(), S(",0.####"));
}
} // namespace

SipMatrisi SipMatrisiOku(const Db& db)
{
    SipMatrisi m;
    // Headings from the heading row, or without one from the first row.
    Query b(db, S("SELECT A1, A2, A3, A4, A5, A6, A7 FROM SIPMTRX ORDER BY FIYAT"));
    b.exec();
    if (b.next())
        for (int i = 0; i < 7; ++i)
            m.basliklar << (b.value(i).isNull() ? QString() : QString::number(b.value(i).toDouble()));
    else
        for (int i = 1; i <= 7; ++i)
            m.basliklar << S("A%1").arg(i);
    b.finish();
    Query q(db, S("SELECT FIYAT, A1, A2, A3, A4, A5, A6, A7 FROM SIPMTRX WHERE FIYAT<>0 ORDER BY FIYAT"));
    q.exec();
    while (q.next()) {
        SipMatrisSatiri r;
        r.FIYAT = q.num(S("FIYAT"));
        for (int i = 0; i < 7; ++i)
            r.A[i] = q.value(i + 1);
        m.satirlar << r;
    }
    return m;
}

void SipMatrisiYaz(const Db& db, const QList<SipMatrisSatiri>& satirlar)
{
    Transaction tx(db);
    db.exec(S("DELETE FROM SIPMTRX WHERE FIYAT <> 0"));
    Query ekle(db, S("INSERT INTO SIPMTRX (FIYAT, A1, A2, A3, A4, A5, A6, A7) VALUES (:F, :A1, :A2, :A3, :A4, :A5, :A6, :A7)"));
    for (const SipMatrisSatiri& r : satirlar) {
        if (r.FIYAT == 0)
            throw IslemReddi(S("Fiyat 0 olan satır başlık satırıdır; lütfen fiyat giriniz."), MsgIcon::Warning);
        ekle.bind(S("F"), r.FIYAT);
        for (int i = 0; i < 7; ++i)
            ekle.bind(S("A%1").arg(i + 1), r.A[i].isValid() ? r.A[i] : QVariant(QMetaType(QMetaType::Double)));
        ekle.exec();
    }
    tx.commit();
}

TFormStokAyPrm::TFormStokAyPrm(SessionContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormStokAyPrm"));
    setWindowTitle(S("Stok/Ay Parametre Matrisi"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* lay = new QVBoxLayout(this);
    auto* d = new QHBoxLayout;
    BtnEkle = matrisDugmesi(this, "BtnEkle", S("+"), S("Ekle"));
    BtnSil = matrisDugmesi(this, "BtnSil", S("-"), S("Sil"));
    BtnSakla = matrisDugmesi(this, "BtnSakla", S("✓"), S("Sakla"));
    BtnVazgec = matrisDugmesi(this, "BtnVazgec", S("✗"), S("Vazgeç"));
    BtnYenile = matrisDugmesi(this, "BtnYenile", S("↻"), S("Yenile"));
    for (QPushButton* b : {BtnEkle, BtnSil, BtnSakla, BtnVazgec, BtnYenile})
        d->addWidget(b);
    d->addStretch();
    lay->addLayout(d);
    Grid = new QTableWidget(0, 8, this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->verticalHeader()->hide();
    lay->addWidget(Grid, 1);
    const bool salt = ctx.MarkaBayiModu;
    for (QPushButton* b : {BtnEkle, BtnSil, BtnSakla})
        b->setEnabled(!salt);
    if (salt)
        Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(BtnEkle, &QPushButton::clicked, this, [this] {
        Grid->insertRow(Grid->rowCount());
        Grid->setCurrentCell(Grid->rowCount() - 1, 0);
    });
    connect(BtnSil, &QPushButton::clicked, this, [this] {
        if (Grid->currentRow() >= 0)
            Grid->removeRow(Grid->currentRow());
    });
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormStokAyPrm::BtnSaklaClick));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded(this, &TFormStokAyPrm::Yukle));
    connect(BtnYenile, &QPushButton::clicked, this, Guarded(this, &TFormStokAyPrm::Yukle));
    resize(760, 420);
}

void TFormStokAyPrm::showEvent(QShowEvent* e)
{
    // The headings are read anew every time the form is shown.
    Guard([this] { Yukle(); });
    QWidget::showEvent(e);
}

void TFormStokAyPrm::Yukle()
{
    const SipMatrisi m = SipMatrisiOku(m_db);
    Grid->setHorizontalHeaderLabels(QStringList{S("Fiyat")} + m.basliklar);
    Grid->setRowCount(int(m.satirlar.size()));
    for (int r = 0; r < m.satirlar.size(); ++r) {
        Grid->setItem(r, 0, new QTableWidgetItem(FormatMoney(m.satirlar[r].FIYAT, S(",0")) + S(" TL")));
        for (int i = 0; i < 7; ++i)
            Grid->setItem(r, i + 1, new QTableWidgetItem(sayiMetni(m.satirlar[r].A[i])));
    }
    Grid->resizeColumnsToContents();
}

void TFormStokAyPrm::BtnSaklaClick()
{
    QList<SipMatrisSatiri> satirlar;
    for (int r = 0; r < Grid->rowCount(); ++r) {
        SipMatrisSatiri s;
        auto metin = [&](int c) { return Grid->item(r, c) ? Grid->item(r, c)->text().trimmed() : QString(); };
        QString f = metin(0);
        f.remove(S("TL")).remove(QLatin1Char(' '));
        double v = 0;
        if (!ParseMoney(f, &v))
            throw IslemReddi(S("Geçersiz fiyat: ") + metin(0), MsgIcon::Warning);
        s.FIYAT = v;
        for (int i = 0; i < 7; ++i) {
            const QString t = metin(i + 1);
            if (t.isEmpty())
                continue;
            if (!ParseMoney(t, &v))
                throw IslemReddi(S("Geçersiz değer: ") + t, MsgIcon::Warning);
            s.A[i] = v;
        }
        satirlar << s;
    }
    SipMatrisiYaz(m_db, satirlar);
    Yukle();
}

} // namespace tornaly::stock
