#include "reports/ReportsSchema.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornaly Servis Yazılımı"));
    QApplication::setOrganizationName(QStringLiteral("Dolmavik"));
    tornaly::reports::RegisterSchema();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tornaly Servis Yazılımı"));
    auto* label = new QLabel(QStringLiteral("Tornaly Servis Yazılımı"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
