#include "login/Sifre2.h"
#include "guard/FormGuard.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "history/ChangeLogSchema.h"
#include "login/BrPass.h"
#include "login/Kullanici.h"
#include "messages/Messages.h"
#include "settings/Settings.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly {

namespace {
QString loginKeyOf(const QString& company)
{
    // A slash would open a settings group.
    return QString(company).replace(QLatin1Char('/'), QLatin1Char('_'));
}
} // namespace

QString RememberedLoginName(const QString& company)
{
    if (company.isEmpty())
        return {};
    return ReadSetting({}, QStringLiteral("Login Users"), loginKeyOf(company), StoreRegistry);
}

void RememberLoginName(const QString& company, const QString& loginName)
{
    if (!company.isEmpty())
        WriteSetting({}, QStringLiteral("Login Users"), loginKeyOf(company), loginName, StoreRegistry);
}

QString& ProposedAccountName()
{
    static QString s;
    return s;
}
QString& ProposedAccountCode()
{
    static QString s;
    return s;
}

TPassWordDlg::TPassWordDlg(SessionContext& ctx, bool loggedIn, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_loggedIn(loggedIn)
{
    setObjectName(QStringLiteral("PassWordDlg"));
    setWindowTitle(QStringLiteral("Şifre Onay"));
    EditADI = new QLineEdit(this);
    EditADI->setObjectName(QStringLiteral("EditADI"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Kullanıcı &Adı"), EditADI);
    form->addRow(QStringLiteral("&Kullanıcı Şifresi"), Edit1);
    OKBtn = new QPushButton(QStringLiteral("Tamam"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setAutoDefault(false);
    CancelBtn = new QPushButton(QStringLiteral("Vazgeç"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    auto* userList = new QAction(QStringLiteral("UserGoster"), this);
    userList->setObjectName(QStringLiteral("UserGoster"));
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addAction(userList);
    connect(userList, &QAction::triggered, this, Guarded(this, &TPassWordDlg::UserGosterClick));
    connect(OKBtn, &QPushButton::clicked, this, Guarded(this, &TPassWordDlg::OKBtnClick));
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only

    // Another company's last user is not proposed: each company remembers its own.
    QString remembered = RememberedLoginName(m_ctx.FirmaAdi);
    if (remembered.isEmpty() && m_ctx.FirmaAdi.isEmpty()) {
        remembered = ReadSetting({}, QStringLiteral("Login"), QStringLiteral("User Name"), StoreRegistry);
        if (remembered.isEmpty())
            remembered = ReadSetting({}, QStringLiteral("TPassWordDlg"), QStringLiteral("EditADI_Text"), StoreLegacy);
    }
    EditADI->setText(remembered);
    geldi = false;
    ProposedAccountName().clear();
    ProposedAccountCode().clear();
    if (!remembered.isEmpty())
        Edit1->setFocus();
}

void TPassWordDlg::keyPressEvent(QKeyEvent* e)
{
    // Enter anywhere in the dialog confirms.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        OKBtnClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TPassWordDlg::OKBtnClick()
{
    t_user user = m_ctx.AktifKullanici;
    TLoginSonucu result;
    try {
        result = Kullanici(m_ctx.Database1, EditADI->text(), Edit1->text(), user);
    } catch (const DbError& e) {
        ShowError(e.text());
        return;
    }
    if (!result.ok) {
        ShowWarning(QStringLiteral("Geçersiz Şifre veya Kullanıcı Adı"));
        Edit1->setFocus();
        return;
    }
    m_ctx.AktifKullanici = user;
    m_ctx.GirisKullaniciAdi = EditADI->text().left(255);
    // Change-history rows name the user who made the change.
    try {
        SetChangeLogUser(m_ctx.Database1, user.login);
    } catch (const DbError& e) {
        ShowError(e.text());
        return;
    }
    WriteSetting({}, QStringLiteral("Login"), QStringLiteral("User Name"), EditADI->text(), StoreRegistry);
    RememberLoginName(m_ctx.FirmaAdi, EditADI->text());
    yetkiseviye = result.yetkiseviye;
    login_name = result.login_name;
    geldi = true;
    accept();
}

void TPassWordDlg::UserGosterClick()
{
    if (!CanManageUsers(m_ctx.AktifKullanici, m_loggedIn)) {
        ShowWarning(NoRightText());
        return;
    }
    TFormPass list(m_ctx.Database1, this);
    RunModal(list);
}

} // namespace tornaly
