#include "dialogs/MesajInput.h"
#include "guard/FormGuard.h"

#include "dialogs/MesajGoster.h"
#include "messages/Messages.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly {

TFormMesajInput::TFormMesajInput(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMesajInput"));
    setWindowTitle(QStringLiteral("Kullanıcı Giriş"));
    auto* lay = new QVBoxLayout(this);
    cxLabel1 = new QLabel(QStringLiteral("Mesaj"), this);
    cxLabel1->setObjectName(QStringLiteral("cxLabel1"));
    cxLabel1->setWordWrap(true);
    lay->addWidget(cxLabel1);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->viewport()->installEventFilter(this);
    lay->addWidget(Memo1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    BtnOnayla = new QPushButton(QStringLiteral("Onayla"), this);
    BtnOnayla->setObjectName(QStringLiteral("BtnOnayla"));
    BtnOnayla->setDefault(true);
    BtnVazgec = new QPushButton(QStringLiteral("Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    row->addWidget(BtnOnayla);
    row->addWidget(BtnVazgec);
    lay->addLayout(row);
    connect(BtnOnayla, &QPushButton::clicked, this, Guarded(this, &TFormMesajInput::BtnOnaylaClick));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    Memo1->setFocus();
}

void TFormMesajInput::BtnOnaylaClick()
{
    if (Memo1->toPlainText().trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("Lütfen giriş yapınız!"));
        return;
    }
    accept();
}

bool TFormMesajInput::eventFilter(QObject* o, QEvent* e)
{
    if (o == Memo1->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        CopyMemoText(Memo1);
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void AskFreeText(const QString& prompt, TSorgu& sonuc)
{
    TFormMesajInput f(QApplication::activeWindow());
    f.cxLabel1->setText(prompt);
    if (f.exec() == QDialog::Accepted) {
        sonuc.str1 = QStringLiteral("1");
        sonuc.str2 = f.Memo1->toPlainText();
    } else {
        sonuc.str1 = QString();
        sonuc.str2 = QString();
    }
}

} // namespace tornaly
