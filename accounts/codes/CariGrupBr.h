#pragma once
#include "accounts/ui/SecimListesi.h"

class QLineEdit;

namespace tornaly::accounts {

// "Cari Grup Tanımları": the account groups; only the names of groups that
// are not fixed can be changed.
class TFormCariGrupBr : public SecimListesi {
    Q_OBJECT
public:
    TFormCariGrupBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
public slots:
    void btnEditClick() override;
};

// "Cari Grup Kartı": the name of one group, its letter read only.
class TFormCarigrupSakla : public QDialog {
    Q_OBJECT
public:
    TFormCarigrupSakla(const SessionContext& ctx, const QString& kod, const QString& ad, QWidget* parent = nullptr);

    QLineEdit* EditKod = nullptr;
    QLineEdit* EditAd = nullptr;
    QPushButton* BtnKaydet = nullptr;
    QPushButton* BtnVazgec = nullptr;

public slots:
    void BtnKaydetClick();

private:
    Db m_db;
};

// Mode 1 waits and returns the picked group letter (empty when none); other
// modes show the list without waiting and return empty at once.
QString CariGrupSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
// Opens the group card on a group; true when the name was saved.
bool CariGrupKarti(const SessionContext& ctx, const QString& kod, QWidget* parent = nullptr);

} // namespace tornaly::accounts
