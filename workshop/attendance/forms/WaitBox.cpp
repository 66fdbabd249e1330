#include "workshop/attendance/forms/WaitBox.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {

// One filter on the application, held while at least one box is open, so
// that two boxes open at once never release the input early or twice.
class WaitBoxGirisFiltresi : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        default:
            return QObject::eventFilter(o, e);
        }
    }
};

int g_waitBoxAcik = 0;
WaitBoxGirisFiltresi* g_waitBoxFiltre = nullptr;

void waitBoxEngelle()
{
    if (g_waitBoxAcik++ == 0 && qApp) {
        g_waitBoxFiltre = new WaitBoxGirisFiltresi;
        qApp->installEventFilter(g_waitBoxFiltre);
    }
}

void waitBoxBirak()
{
    if (g_waitBoxAcik > 0 && --g_waitBoxAcik == 0 && g_waitBoxFiltre) {
        if (qApp)
            qApp->removeEventFilter(g_waitBoxFiltre);
        delete g_waitBoxFiltre;
        g_waitBoxFiltre = nullptr;
    }
}

} // namespace

TWaitBox::TWaitBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("WaitBox"));
    setWindowTitle(QStringLiteral("Mesaj"));
    setFixedSize(479, 89);
    auto* lay = new QVBoxLayout(this);
    Label = new QLabel(QStringLiteral("Lütfen biraz bekleyin..."), this);
    Label->setObjectName(QStringLiteral("Label"));
    Label->setAlignment(Qt::AlignCenter);
    Label->setWordWrap(true);
    ggeWait = new QProgressBar(this);
    ggeWait->setObjectName(QStringLiteral("ggeWait"));
    lay->addWidget(Label, 1);
    lay->addWidget(ggeWait);
    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(0);
    connect(Timer, &QTimer::timeout, this, &TWaitBox::TimerTimer); // unguarded: ui only
    waitBoxEngelle();
}

TWaitBox::~TWaitBox() { waitBoxBirak(); }

bool TWaitBox::GirisEngelli() { return g_waitBoxAcik > 0; }

QString TWaitBox::Text() const { return Label->text(); }

void TWaitBox::setText(const QString& text)
{
    if (text.isEmpty())
        return;
    Label->setText(text);
    Label->repaint();
}

void TWaitBox::setAutoDestructTime(int seconds)
{
    if (seconds != 0)
        Timer->setInterval(seconds * 1000);
}

int TWaitBox::autoDestructMs() const { return Timer->interval(); }

void TWaitBox::setMinValue(int v)
{
    ggeWait->setMinimum(v);
    ggeWait->repaint();
}

void TWaitBox::setMaxValue(int v)
{
    ggeWait->setMaximum(v);
    ggeWait->repaint();
}

void TWaitBox::setProgress(int v)
{
    if (!m_progressBarEnabled || v == ggeWait->value() || v < ggeWait->minimum() || v > ggeWait->maximum())
        return;
    ggeWait->setValue(v);
    ggeWait->repaint();
}

int TWaitBox::minValue() const { return ggeWait->minimum(); }
int TWaitBox::maxValue() const { return ggeWait->maximum(); }

int TWaitBox::Progress() const { return ggeWait->value(); }

void TWaitBox::Show()
{
    show();
    repaint();
}

void TWaitBox::showEvent(QShowEvent* e)
{
    if (!m_progressBarEnabled) {
        ggeWait->hide();
        setFixedSize(479, 89 - 32);
    }
    if (Timer->interval() != 0)
        Timer->start();
    QDialog::showEvent(e);
}

void TWaitBox::TimerTimer()
{
    Timer->stop();
    deleteLater();
}

TWaitBox* ShowWaitMessage(const QString& text, QWidget* owner, int fontSize, int seconds)
{
    auto* box = new TWaitBox(owner);
    box->setText(text);
    if (fontSize > 0) {
        QFont f = box->Label->font();
        f.setPointSize(fontSize);
        box->Label->setFont(f);
    }
    box->setAutoDestructTime(seconds > 0 ? seconds : 1);
    box->Show();
    return box;
}

} // namespace tornaly::workshop
