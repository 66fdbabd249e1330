#include "accounting/chart/HesapAylik.h"

#include "accounting/chart/HesapPlani.h"

#include <QHeaderView>
#include <cmath>
#include <QLocale>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounting {

namespace {

const QStringList ayAdlari = {QStringLiteral("OCAK"),    QStringLiteral("ŞUBAT"),  QStringLiteral("MART"),
                              QStringLiteral("NİSAN"),   QStringLiteral("MAYIS"),  QStringLiteral("HAZİRAN"),
                              QStringLiteral("TEMMUZ"),  QStringLiteral("AĞUSTOS"), QStringLiteral("EYLÜL"),
                              QStringLiteral("EKİM"),    QStringLiteral("KASIM"),  QStringLiteral("ARALIK")};

// Whole numbers with thousands separators.
QString sayi(double v) { return QLocale(QLocale::Turkish, QLocale::Turkey).toString(qRound64(v)); }

QTableWidget* izgara(QWidget* parent, const QStringList& basliklar, const QList<QList<double>>& satirlar)
{
    auto* t = new QTableWidget(13, int(basliklar.size()), parent);
    t->setHorizontalHeaderLabels(basliklar);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < 13; ++r) {
        t->setItem(r, 0, new QTableWidgetItem(r < 12 ? ayAdlari.at(r) : QStringLiteral("TOPLAM")));
        for (int c = 1; c < basliklar.size(); ++c) {
            const double v = satirlar.at(r).value(c - 1);
            auto* it = new QTableWidgetItem(r == 12 && std::isnan(v) ? QString() : sayi(v));
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(r, c, it);
        }
    }
    t->resizeColumnsToContents();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

} // namespace

TFormHesapAylik::TFormHesapAylik(const SessionContext& ctx, const QString& kod, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormHesapAylik"));
    setWindowTitle(kod + QStringLiteral(" Kodlu Hesabın Aylık Dağılımı"));
    const QList<HesapAyi> aylar = HesapAylik(ctx.Database1, kod);
    QList<QList<double>> yerel, birimli;
    QList<double> tYerel(4, 0), tBirimli(4, 0);
    double kumulatif = 0;
    for (const auto& a : aylar) {
        const double fark = a.borc - a.alacak;
        const QList<double> y = {a.borc, a.alacak, fark > 0 ? fark : 0, fark < 0 ? -fark : 0};
        yerel << y;
        for (int i = 0; i < 4; ++i)
            tYerel[i] += y.at(i);
        const double kalan = a.giren - a.cikan;
        kumulatif += kalan;
        birimli << QList<double>{a.giren, a.cikan, kalan, kumulatif};
        tBirimli[0] += a.giren;
        tBirimli[1] += a.cikan;
        tBirimli[3] += kalan;
    }
    yerel << tYerel;
    tBirimli[2] = std::nan("");
    birimli << tBirimli;

    PageControl1 = new QTabWidget(this);
    GridYerel = izgara(PageControl1, {QStringLiteral("AYLAR"), QStringLiteral("BORÇ"), QStringLiteral("ALACAK"),
                                      QStringLiteral("BAKİYE BORÇ"), QStringLiteral("BAKİYE ALACAK")},
                       yerel);
    GridYerel->setObjectName(QStringLiteral("GridYerel"));
    GridBirimli = izgara(PageControl1, {QStringLiteral("AYLAR"), QStringLiteral("GİREN"), QStringLiteral("ÇIKAN"),
                                        QStringLiteral("KALAN"), QStringLiteral("KÜM.KALAN")},
                         birimli);
    GridBirimli->setObjectName(QStringLiteral("GridBirimli"));
    PageControl1->addTab(GridYerel, QStringLiteral("Yerel Para Birimi"));
    PageControl1->addTab(GridBirimli, QStringLiteral("Birimli"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(PageControl1);
    resize(640, 480);
}

void HesapAylikGoster(const SessionContext& ctx, const QString& kod, QWidget* owner)
{
    TFormHesapAylik f(ctx, kod, owner);
    f.exec();
}

} // namespace tornaly::accounting
