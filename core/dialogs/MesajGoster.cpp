#include "dialogs/MesajGoster.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly {

namespace {
std::function<void(const QString&)>& panelHook()
{
    static std::function<void(const QString&)> h;
    return h;
}
} // namespace

void CopyMemoText(QPlainTextEdit* memo)
{
    QApplication::clipboard()->setText(memo->toPlainText());
    QTextCursor c = memo->textCursor();
    c.clearSelection();
    memo->setTextCursor(c);
}

TFormMesajGoster::TFormMesajGoster(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMesajGoster"));
    setWindowTitle(QStringLiteral("Mesaj Panosu"));
    auto* lay = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->viewport()->installEventFilter(this);
    lay->addWidget(Memo1);
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    BtnKapat->setDefault(true);
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    lay->addWidget(BtnKapat, 0, Qt::AlignRight);
    resize(640, 420);
}

bool TFormMesajGoster::eventFilter(QObject* o, QEvent* e)
{
    if (o == Memo1->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        CopyMemoText(Memo1);
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void SetTextPanelHook(std::function<void(const QString&)> hook)
{
    panelHook() = std::move(hook);
}

void ShowTextPanel(const QString& text)
{
    if (panelHook()) {
        panelHook()(text);
        return;
    }
    TFormMesajGoster f(QApplication::activeWindow());
    f.Memo1->setPlainText(text);
    f.exec();
}

void ShowTextPanel2(const QString& text)
{
    ShowTextPanel(text);
}

} // namespace tornaly
