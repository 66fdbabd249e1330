#pragma once
#include "connection/ConnectionSettings.h"
#include "connection/DonPara.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QLabel;

namespace tornaly {

// Tries the values typed: opens and closes a connection to `database` (for
// the embedded kind: checks that the folder can be written). The error text
// for the user, or nothing when the connection works.
std::optional<QString> TestServerConnection(const TConnectionSettings& s, const QString& database);

// Machine names to offer: this machine and the names confirmed before. The
// network of the old platform cannot be searched here; a typed name is
// always accepted.
QStringList BrowseSqlServers(Backend backend);
// Whether a server field's text is of the kind: a folder for the embedded
// database, a host name (or a local socket folder) for PostgreSQL.
bool ServerFitsBackend(const QString& server, Backend backend);

// "Sunucu Bağlantı Ayarları": where the catalogue and company databases are.
class TFormVeriTabLogin : public QDialog {
    Q_OBJECT
public:
    explicit TFormVeriTabLogin(QWidget* parent = nullptr);

    QComboBox* EditTur;
    QComboBox* EditServer;
    QLineEdit* EditDatabase;
    QLineEdit* EditAdi;
    QLineEdit* EditSifre;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QLabel* Panel2;

    TDonPara DonPara;
    Backend backend() const;
    void setBackend(Backend b);

public slots:
    void OKBtnClick();
    void CancelBtnClick();
    void VeriTabaniAdiClick();
    void fillServerList();
};

// Shows the settings dialog (mode 1: user, caption, known server and the
// catalogue database filled in) and returns what it handed back.
void SunucuAyarlariSor(int mode, const QString& user, const QString& caption, const TConnectionSettings& current,
                       TDonPara& result, Backend* chosenBackend = nullptr);

} // namespace tornaly
