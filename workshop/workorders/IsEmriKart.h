#pragma once
#include "workshop/vehicles/Registration.h"
#include "workshop/workorders/WorkOrders.h"

#include <functional>

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// What the work-order card does, without its widgets: the row, the new and
// change states, the vehicle look-up with its warnings, the customer pick and
// the save. The card form only wires its editors to this.
class IsEmriKart {
public:
    explicit IsEmriKart(SessionContext& ctx);

    enum class Durum { Gezinme, Giris };
    Durum durum() const { return m_durum; }
    bool giriste() const { return m_durum == Durum::Giris; }
    bool yeni() const { return m_yeni; }
    double sonKm() const { return m_sonKm; }

    QVariantMap row;
    // The registration list in pick mode 1, started from the record; the
    // chosen vehicle comes back in SasiNo (empty when none).
    std::function<TypeIsEmri(const TypeIsEmri&)> ruhsatSec;
    TypeIsEmri baslangic;
    // The current-account card opened on the code; the saved code comes
    // back (empty when cancelled).
    std::function<QString(const QString&)> cariKartAc;

    // "Yeni Kayıt - F3": a new row with its defaults and proposed numbers.
    bool yeniKayit();
    // isemriac: opens the work order and starts a change when it may be
    // changed. While unsaved input is on the card it is refused.
    bool ac(const QString& isEmriNo);
    // "Değiştir - F7".
    bool degistir();
    // "Sakla - F2".
    KayitSonucu sakla();
    // "İptal - F6": the row as stored (or empty for a new one).
    void iptal();
    // Whether the card may close now (tells the user otherwise).
    bool kapatilabilir() const;

    enum class Bulma { Bos, Kopyalandi, Ayni, Sahipsiz, Yok, Secildi };
    // Enter in the plate, chassis or engine field.
    Bulma aracAra(AracAlani alan, const QString& typed);
    // "Cari Seç": the picked account with the balance the picker computed.
    void cariSecildi(const QString& cariKod);

    // The balance of an account (debits minus credits).
    static double CariBakiye(const Db& db, const QString& cariKod);

private:
    void sonrakiUyarilar();
    void borcUyarisi(const QString& cariKod);
    bool kimlikUygun(const QString& cariKod);

    SessionContext& m_ctx;
    Db m_db;
    Durum m_durum = Durum::Gezinme;
    bool m_yeni = false;
    double m_sonKm = 0;
};

} // namespace tornaly::workshop
