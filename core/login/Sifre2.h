#pragma once
#include "context/User.h"
#include "db/Database.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tornaly {

struct SessionContext;

// "Şifre Onay": the login. On "Tamam" the name and password typed are checked
// against RIGHTS; an accepted login fills the session's user.
class TPassWordDlg : public QDialog {
    Q_OBJECT
public:
    // `loggedIn` tells whether ctx.AktifKullanici is a user who logged in
    // earlier in this session (a change of login), which governs the user list.
    TPassWordDlg(SessionContext& ctx, bool loggedIn, QWidget* parent = nullptr);

    QLineEdit* EditADI;
    QLineEdit* Edit1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    bool geldi = false;
    QString yetkiseviye;
    QString login_name;

public slots:
    void OKBtnClick();
    void UserGosterClick();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    SessionContext& m_ctx;
    bool m_loggedIn;
};

// The login name last accepted for a company, which the dialog proposes when
// that company is opened again; empty when nobody logged in to it yet.
QString RememberedLoginName(const QString& company);
void RememberLoginName(const QString& company, const QString& loginName);

// The texts in which the accounting forms hand over a proposed account name
// and code; the login dialog empties them when it opens.
QString& ProposedAccountName();
QString& ProposedAccountCode();

} // namespace tornaly
