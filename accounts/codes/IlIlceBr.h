#pragma once
#include "accounts/codes/CariKodlari.h"
#include "accounts/ui/ListeModeli.h"
#include "browse/brListe.h"
#include "context/SessionContext.h"

class QLineEdit;

namespace tornaly::accounts {

// The provinces with the districts of the current one beside them.
class TFormIlIlceBr : public TFormListeBr {
    Q_OBJECT
public:
    TFormIlIlceBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

    // Writes a province from the province dialog's fields; the message of a
    // refusal, or none.
    std::optional<QString> sehirKaydet(const Sehir& s, bool yeni);
    void ilceleriAc();

    ListeModeli* QIlce = nullptr;
    QTableView* GridIlce = nullptr;
    QLineEdit* EditIlce = nullptr;
    QPushButton* BtnIlceEkle = nullptr;
    QPushButton* BtnIlceSil = nullptr;

public slots:
    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();
    void BtnIlceEkleClick();
    void BtnIlceSilClick();

private:
    void sehirDuzenle(bool yeni);
    const SessionContext& m_ctx;
};

// Modal when the mode is above 0; there is no pick, so nothing is returned.
void IlIlceSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

} // namespace tornaly::accounts
