#pragma once
#include "report/ReportModel.h"

#include <QImage>
#include <QSizeF>

namespace tornaly::report {

// A chart drawn into an image of the given size (mm) at print resolution.
QImage ChartImage(const ChartSpec& spec, const QSizeF& sizeMm, double dpi = 200);

} // namespace tornaly::report
