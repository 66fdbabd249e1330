#include "stock/tools/BarTest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly::stock {

QString TusSatiri(int key, Qt::KeyboardModifiers mods, const QString& text)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F10 && mods == Qt::NoModifier)
        return QStringLiteral("F%1 TUŞU").arg(key - Qt::Key_F1 + 1);
    const bool harfRakam = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    if (!harfRakam)
        return {};
    const QChar c = text.isEmpty() ? QChar(key) : text.at(0);
    if (mods == Qt::AltModifier)
        return QStringLiteral("Alt Tuşu + %1 --- Int Değeri:%2").arg(c).arg(key);
    if (mods == Qt::ControlModifier)
        return QStringLiteral("Ctrl Tuşu + %1 --- Int Değeri:%2").arg(QChar(key)).arg(key);
    if (mods == Qt::ShiftModifier)
        return QStringLiteral("Shift Tuşu + %1--- Int Değeri:%2").arg(c).arg(key);
    return {};
}

TBarTest::TBarTest(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BarTest"));
    setWindowTitle(QStringLiteral("Barkod Okuyucu ve Tuş Takımı Testi"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QStringLiteral("ASCII Tuşlar için Test"), this));
    EditTest = new QLineEdit(this);
    EditTest->setObjectName(QStringLiteral("EditTest"));
    v->addWidget(EditTest);
    v->addWidget(new QLabel(QStringLiteral("Test Sonucu"), this));
    MemoAscii = new QPlainTextEdit(this);
    MemoAscii->setObjectName(QStringLiteral("MemoAscii"));
    MemoAscii->setReadOnly(true);
    v->addWidget(MemoAscii, 1);
    v->addWidget(new QLabel(QStringLiteral("Fonksiyon Tuşları için Test "), this));
    MemoFonksiyon = new QPlainTextEdit(this);
    MemoFonksiyon->setObjectName(QStringLiteral("MemoFonksiyon"));
    MemoFonksiyon->setReadOnly(true);
    v->addWidget(MemoFonksiyon, 1);
    auto* kapat = new QPushButton(QStringLiteral("&Kapat"), this);
    kapat->setAutoDefault(false);
    connect(kapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    v->addWidget(kapat, 0, Qt::AlignRight);
    // The form sees keys before its controls.
    qApp->installEventFilter(this);
    resize(480, 520);
}

bool TBarTest::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && isActiveWindow() && o->isWidgetType()
        && static_cast<QWidget*>(o)->window() == this) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!e->spontaneous() && o != EditTest && o != this)
            return QDialog::eventFilter(o, e);
        const QString satir = TusSatiri(k->key(), k->modifiers(), k->text());
        if (!satir.isEmpty())
            MemoFonksiyon->appendPlainText(satir);
        else if (o == EditTest && !k->text().isEmpty() && k->text().at(0).isPrint())
            MemoAscii->appendPlainText(k->text());
    }
    return QDialog::eventFilter(o, e);
}

} // namespace tornaly::stock
