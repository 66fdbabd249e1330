#include "report/ReportChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QValueAxis>

namespace tornaly::report {

QImage ChartImage(const ChartSpec& spec, const QSizeF& sizeMm, double dpi)
{
    const double pxPerMm = dpi / 25.4;
    const QSize px(std::max(1, int(sizeMm.width() * pxPerMm)), std::max(1, int(sizeMm.height() * pxPerMm)));
    QImage img(px, QImage::Format_ARGB32_Premultiplied);
    img.setDotsPerMeterX(int(dpi / 0.0254));
    img.setDotsPerMeterY(int(dpi / 0.0254));
    img.fill(Qt::white);

    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(spec.title);
    chart->setBackgroundRoundness(0);
    chart->setTheme(QChart::ChartThemeLight);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(8, int(3.0 * pxPerMm)));
    chart->setTitleFont(f);
    if (spec.kind == ChartSpec::Pie) {
        auto* pie = new QPieSeries;
        if (!spec.series.isEmpty()) {
            const auto& values = spec.series.first().second;
            for (int i = 0; i < values.size(); ++i)
                pie->append(i < spec.categories.size() ? spec.categories[i] : QString::number(i + 1), values[i]);
        }
        chart->addSeries(pie);
    } else if (spec.kind == ChartSpec::Bar) {
        auto* bars = new QBarSeries;
        for (const auto& s : spec.series) {
            auto* set = new QBarSet(s.first);
            for (double v : s.second)
                *set << v;
            bars->append(set);
        }
        chart->addSeries(bars);
        auto* ax = new QBarCategoryAxis;
        ax->append(spec.categories);
        ax->setLabelsFont(f);
        chart->addAxis(ax, Qt::AlignBottom);
        bars->attachAxis(ax);
        auto* ay = new QValueAxis;
        ay->setLabelsFont(f);
        chart->addAxis(ay, Qt::AlignLeft);
        bars->attachAxis(ay);
    } else {
        auto* ax = new QValueAxis;
        auto* ay = new QValueAxis;
        chart->addAxis(ax, Qt::AlignBottom);
        chart->addAxis(ay, Qt::AlignLeft);
        for (const auto& s : spec.series) {
            auto* line = new QLineSeries;
            line->setName(s.first);
            for (int i = 0; i < s.second.size(); ++i)
                line->append(i + 1, s.second[i]);
            chart->addSeries(line);
            line->attachAxis(ax);
            line->attachAxis(ay);
        }
    }
    chart->legend()->setFont(f);
    chart->legend()->setVisible(spec.series.size() > 1 || spec.kind == ChartSpec::Pie);

    QGraphicsScene scene;
    scene.addItem(chart); // the scene owns the chart
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(px)));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    scene.render(&p, QRectF(QPointF(0, 0), QSizeF(px)), QRectF(QPointF(0, 0), QSizeF(px)));
    p.end();
    return img;
}

} // namespace tornaly::report
