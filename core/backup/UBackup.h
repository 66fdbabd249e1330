#pragma once
#include "backup/DatabaseBackup.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tornaly {

struct SessionContext;

// "Ye&dek Al" without the form: checks the folder (offering to create it),
// backs up the company database and packs it when asked, with the form's
// messages. A server dump is waited for behind a dialog over `parent` that
// can stop it. The result when a backup was written.
std::optional<BackupResult> YedekAl(const Db& db, BackupOptions options, bool bayiServis, QWidget* parent = nullptr);

// The backup form ("Yedek"), opened from the system management window.
class TFormBackup : public QDialog {
    Q_OBJECT
public:
    explicit TFormBackup(const Db& db, QWidget* parent = nullptr);
    ~TFormBackup() override;

    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* DirectoryEdit1 = nullptr;
    QLabel* Label5 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* cbTarih = nullptr;
    QCheckBox* cbZip = nullptr;
    QLineEdit* DirectoryEdit2 = nullptr;
    QCheckBox* cbziptrh = nullptr;
    QCheckBox* cbzipover = nullptr;
    QPushButton* BtnYedekAl = nullptr;

    BackupOptions options() const;

public slots:
    void BtnYedekAlClick();
    void cbZipClick();

private:
    void restoreSettings();
    void saveSettings() const;

    Db m_db;
};

// Creates the form, shows it modally and frees it.
void ShowBackupForm(const Db& db, QWidget* owner = nullptr);
// Registers the routine the system management window calls ("Yedek Al").
void RegisterBackupEntryPoints();

} // namespace tornaly
