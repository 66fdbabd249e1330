#include "connection/VeriTabLogin.h"
#include "guard/FormGuard.h"
#include "connection/DialogRunner.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "messages/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

namespace tornaly {

std::optional<QString> TestServerConnection(const TConnectionSettings& s, const QString& database)
{
    if (s.Surucu == Backend::SQLite) {
        QDir().mkpath(s.SunucuAdi);
        const QFileInfo fi(s.SunucuAdi);
        if (!fi.isDir() || !fi.isWritable())
            return QStringLiteral("Sunucu Bağlantı Hatası :Veri klasörüne yazılamıyor: %1 [0]").arg(s.SunucuAdi);
        return std::nullopt;
    }
    const QString name = QStringLiteral("baglanti_testi_") + QUuid::createUuid().toString(QUuid::Id128);
    std::optional<QString> error;
    try {
        Db db = Db::open(ProfileFor(s, database), name);
    } catch (const DbError& e) {
        error = QStringLiteral("Sunucu Bağlantı Hatası :") + e.text() + QStringLiteral(" [")
              + (e.nativeCode().isEmpty() ? QStringLiteral("0") : e.nativeCode()) + QStringLiteral("]");
    }
    Db::close(name);
    return error;
}

bool ServerFitsBackend(const QString& server, Backend backend)
{
    const QString s = server.trimmed();
    if (s.isEmpty())
        return true;
    const bool path = s.contains(QLatin1Char('/')) || s.contains(QLatin1Char('\\'));
    if (backend == Backend::SQLite)
        return path;
    // A PostgreSQL server is a host name, or the folder of its local socket.
    return !path || s.startsWith(QLatin1String("/run/postgresql")) ||
           s.startsWith(QLatin1String("/var/run/postgresql")) || s == QLatin1String("/tmp");
}

QStringList BrowseSqlServers(Backend backend)
{
    QStringList out;
    if (backend == Backend::SQLite) {
        out << EmbeddedDataFolder();
    } else {
        out << QStringLiteral("localhost");
        const QString host = QHostInfo::localHostName();
        if (!host.isEmpty() && host != QLatin1String("localhost"))
            out << host;
    }
    // The names confirmed before are of both kinds: offer each only its own.
    for (const QString& s : PreviousServers())
        if (!out.contains(s) && ServerFitsBackend(s, backend))
            out << s;
    return out;
}

TFormVeriTabLogin::TFormVeriTabLogin(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormVeriTabLogin"));
    setWindowTitle(QStringLiteral("Sunucu Bağlantı Ayarları"));
    auto* form = new QFormLayout;
    EditTur = new QComboBox(this);
    EditTur->setObjectName(QStringLiteral("EditTur"));
    EditTur->addItem(QStringLiteral("Gömülü Veri Tabanı (SQLite)"));
    EditTur->addItem(QStringLiteral("PostgreSQL Sunucusu"));
    EditServer = new QComboBox(this);
    EditServer->setObjectName(QStringLiteral("EditServer"));
    EditServer->setEditable(true);
    EditDatabase = new QLineEdit(this);
    EditDatabase->setObjectName(QStringLiteral("EditDatabase"));
    EditDatabase->setReadOnly(true);
    EditAdi = new QLineEdit(this);
    EditAdi->setObjectName(QStringLiteral("EditAdi"));
    EditSifre = new QLineEdit(this);
    EditSifre->setObjectName(QStringLiteral("EditSifre"));
    EditSifre->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Veri Tabanı Türü"), EditTur);
    form->addRow(QStringLiteral("Sunucu (Ana Bilgisayar) Adı"), EditServer);
    form->addRow(QStringLiteral("Veri Tabanı Adı"), EditDatabase);
    form->addRow(QStringLiteral("Veri Tabanı &Kullanıcı Adı"), EditAdi);
    form->addRow(QStringLiteral("Veri Tabanı Şifresi"), EditSifre);

    Panel2 = new QLabel(QStringLiteral("Ana Bilgisayar Aranıyor Lütfen Bekleyiniz ...."), this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->hide();

    OKBtn = new QPushButton(QStringLiteral("Tamam"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Vazgeç"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Panel2);
    layout->addLayout(buttons);

    // The database name is fixed unless the user asks to change it.
    auto* dbNameAction = new QAction(QStringLiteral("Veri Tabanı Adı"), this);
    dbNameAction->setObjectName(QStringLiteral("VeriTabaniAdi"));
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addAction(dbNameAction);
    connect(dbNameAction, &QAction::triggered, this, Guarded(this, &TFormVeriTabLogin::VeriTabaniAdiClick));

    connect(OKBtn, &QPushButton::clicked, this, Guarded(this, &TFormVeriTabLogin::OKBtnClick));
    connect(CancelBtn, &QPushButton::clicked, this, Guarded(this, &TFormVeriTabLogin::CancelBtnClick));
    connect(EditTur, &QComboBox::currentIndexChanged, this, Guarded([this] { fillServerList(); }));
    connect(EditAdi, &QLineEdit::returnPressed, EditSifre, qOverload<>(&QWidget::setFocus)); // unguarded: ui only
    connect(EditDatabase, &QLineEdit::returnPressed, EditAdi, qOverload<>(&QWidget::setFocus)); // unguarded: ui only
}

Backend TFormVeriTabLogin::backend() const
{
    return EditTur->currentIndex() == 1 ? Backend::PostgreSQL : Backend::SQLite;
}

void TFormVeriTabLogin::setBackend(Backend b) { EditTur->setCurrentIndex(b == Backend::PostgreSQL ? 1 : 0); }

void TFormVeriTabLogin::fillServerList()
{
    QString typed = EditServer->currentText();
    // A data folder of the embedded kind means nothing to a server, and a
    // host name nothing to the embedded kind: a change of kind drops it.
    if (!ServerFitsBackend(typed, backend()))
        typed.clear();
    EditServer->clear();
    const QStringList found = BrowseSqlServers(backend());
    EditServer->addItems(found);
    if (!typed.isEmpty())
        EditServer->setCurrentText(typed);
    else
        EditServer->setCurrentText(found.size() == 1 ? found.first() : QString());
}

void TFormVeriTabLogin::VeriTabaniAdiClick()
{
    EditDatabase->setReadOnly(false);
    EditServer->setEnabled(true);
}

void TFormVeriTabLogin::OKBtnClick()
{
    const QString server = EditServer->currentText().trimmed();
    const QString user = EditAdi->text().trimmed();
    if (server.isEmpty() || user.isEmpty()) {
        ShowWarning(QStringLiteral(" %1 alanı devam etmek için gereklidir.")
                        .arg(QStringLiteral("Sunucu Adı") + QStringLiteral("/") + QStringLiteral("Kullanıcı Adı")));
        return;
    }
    TConnectionSettings s;
    s.Surucu = backend();
    s.SunucuAdi = server;
    s.DbKullaniciAdi = user;
    s.DbSifre = EditSifre->text();
    if (const auto error = TestServerConnection(s, EditDatabase->text())) {
        ShowError(*error);
        return;
    }
    DonPara.IlkStr = user;
    DonPara.SonStr = EditSifre->text();
    DonPara.str1 = server;
    DonPara.str2 = EditDatabase->text();
    DonPara.KodStr = QStringLiteral("1");
    accept();
}

void TFormVeriTabLogin::CancelBtnClick()
{
    DonPara.IlkStr.clear();
    DonPara.SonStr.clear();
    DonPara.KodStr = QStringLiteral("0");
    accept();
}

void SunucuAyarlariSor(int mode, const QString& user, const QString& caption, const TConnectionSettings& current,
                       TDonPara& result, Backend* chosenBackend)
{
    TFormVeriTabLogin dlg;
    dlg.DonPara = TDonPara();
    dlg.DonPara.KodStr = QStringLiteral("0");
    if (mode == 1) {
        dlg.EditAdi->setText(user);
        if (!caption.isEmpty())
            dlg.setWindowTitle(caption);
        dlg.setBackend(current.Surucu);
        dlg.fillServerList();
        if (!current.SunucuAdi.isEmpty())
            dlg.EditServer->setCurrentText(current.SunucuAdi);
        dlg.EditDatabase->setText(FirmalarVeritabani);
    }
    RunModal(dlg);
    result = dlg.DonPara;
    if (chosenBackend)
        *chosenBackend = dlg.backend();
}

} // namespace tornaly
