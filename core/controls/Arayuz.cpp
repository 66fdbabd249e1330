#include "controls/Arayuz.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTranslator>

namespace tornaly {

namespace {

// Qt's own dialogs keep their own default buttons (a message box answers Enter).
bool kendiDialogumuz(const QObject* o)
{
    const auto* d = qobject_cast<const QDialog*>(o);
    return d && d->isWindow() && !qobject_cast<const QMessageBox*>(d) && !qobject_cast<const QFileDialog*>(d)
           && !qobject_cast<const QInputDialog*>(d) && !qobject_cast<const QColorDialog*>(d)
           && !qobject_cast<const QFontDialog*>(d) && !qobject_cast<const QProgressDialog*>(d);
}

class EnterSuzgeci : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        // A dialog picks its first auto-default button as default right after
        // its Show event, so the buttons are changed here, before that.
        if (e->type() == QEvent::Show && kendiDialogumuz(o)) {
            VarsayilanDugmeleriKapat(static_cast<QWidget*>(o));
        } else if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            auto* b = qobject_cast<QPushButton*>(o);
            if (b && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !b->autoDefault()
                && !b->isDefault() && kendiDialogumuz(b->window())) {
                b->click();
                return true;
            }
        }
        return false;
    }
};

} // namespace

void VarsayilanDugmeleriKapat(QWidget* dialog)
{
    if (!dialog)
        return;
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->window() == dialog && !b->isDefault())
            b->setAutoDefault(false);
}

bool QtCevirisiniYukle(QApplication& app, const QString& klasor)
{
    const QString yer = klasor.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : klasor;
    auto* ceviri = new QTranslator(&app);
    if (!ceviri->load(QStringLiteral("qtbase_tr"), yer)) {
        delete ceviri;
        return false;
    }
    QApplication::installTranslator(ceviri);
    return true;
}

void ArayuzuHazirla(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QtCevirisiniYukle(app);
    app.installEventFilter(new EnterSuzgeci(&app));
}

} // namespace tornaly
