#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <vector>

namespace tornaly::aftersales {

// One labour row of a claim (CLAIMDI).
struct ClaimIscilik {
    int CS_SIRANO = 1;
    QString CS_ISCILIK;
    double CS_MIKTAR = 0, CS_SURE = 0, CS_FIYAT = 0, CS_ISKONTO = 0;
    int CS_REFSIRA = 0;
    QString CS_HARICI, CS_HARICIKOD, CS_BOYAKOD;
    int CS_STATU = 0; // 1: added to a stored claim and not saved yet

    double tutar() const { return CS_FIYAT * CS_MIKTAR * CS_SURE * (100 - CS_ISKONTO) / 100; }
    double fiyatNet() const { return (100 - CS_ISKONTO) * CS_FIYAT / 100; }
    QString islemKod() const
    {
        return CS_HARICI == QLatin1String("E") ? CS_ISCILIK : CS_ISCILIK.left(5) + CS_HARICIKOD;
    }
};

// One part row of a claim (CLAIMDP).
struct ClaimParca {
    int CS_SIRANO = 1;
    QString CS_PARCA;
    double CS_MIKTAR = 0, CS_FIYAT = 0, CS_ISKONTO = 0;
    int CS_REFSIRA = 0;
    QVariant CS_VERILEN, CS_METCOST;
    int CS_STATU = 0;

    double tutar() const { return CS_FIYAT * CS_MIKTAR * (100 - CS_ISKONTO) / 100; }
    double fiyatNet() const { return (100 - CS_ISKONTO) * CS_FIYAT / 100; }
};

// One damage row of a claim (CLAIMD).
struct ClaimHata {
    int CD_SIRANO = 1;
    QString CD_HATAKOD, CD_IMALATCI = QStringLiteral("XXX"), CD_ISLEMTIP = QStringLiteral("1");
    QString CD_HATAACIK, CD_TAMIRKOD, CD_ONARKOD;
    QVariant CD_TPLISCILIK, CD_TPLPARCA;
};

// A claim as the claim form holds it until it is saved. The header keeps
// the CLAIMM columns by name; a claim not stored yet has no CL_CLAIMNO.
struct Claim {
    QVariantMap m;
    std::vector<ClaimHata> hatalar;
    std::vector<ClaimIscilik> iscilik;
    std::vector<ClaimParca> parcalar;
    int fyili = 0; // working year of the work order, for adding free lines

    bool stored() const { return m.value(QStringLiteral("CL_CLAIMNO")).toDouble() > 0; }
    double no() const { return m.value(QStringLiteral("CL_CLAIMNO")).toDouble(); }
    QString isemri() const { return m.value(QStringLiteral("CL_ISEMRI")).toString(); }
    bool faturali() const { return m.value(QStringLiteral("CL_FATURA")).toString() == QLatin1String("E"); }
    double tplAra() const;
    double tplKdv(double kdvOrani) const { return tplAra() * kdvOrani / 100; }
    double tpl(double kdvOrani) const { return tplAra() * (100 + kdvOrani) / 100; }
};

// The first column of the first row with named values bound; `def` when none or null.
QVariant Deger(const Db& db, const QString& statement, const QVariantMap& binds = {}, const QVariant& def = {});

// The VAT rate the claim's printed totals use.
constexpr double kClaimKdvOrani = 18;

// The work order's warranty lines ("G" or "I") that no claim holds yet, as
// claim rows of damage row `hataSira`. `statu` marks rows added to a stored claim.
void BostakiKalemler(const SessionContext& ctx, const Db& db, const QString& isemri, int fyili, int hataSira,
                     int statu, std::vector<ClaimIscilik>& iscilik, std::vector<ClaimParca>& parcalar);

// Count of a work order's unclaimed warranty lines (all years, as the choice dialog counts them).
int BostakiKalemSayisi(const Db& db, const QString& isemri);

// A new claim for the work order, filled from it and its free warranty lines.
// Without free lines shows the warning and returns nothing.
std::optional<Claim> ClaimYeni(const SessionContext& ctx, const Db& db, const QString& isemri);

// Adds the free lines of the claim's work order to an open claim ("Boştaki
// Kalemleri Ekle"). The working year comes from the work order itself.
bool ClaimBostakiEkle(const SessionContext& ctx, const Db& db, Claim& c);

// Recomputes the claim's totals; while saving, the new-row marks are cleared.
void ClaimToplamHesapla(Claim& c, bool saklarken);

// Reads a stored claim; nothing when there is none under the number.
std::optional<Claim> ClaimOku(const Db& db, double claimNo);

// Stores the claim (header with its service approval, damage row, labour and
// part rows) and re-stamps its work order's lines, in one transaction. A new
// claim draws its number here. A database error rolls back and reaches the
// window's guard; the claim is kept as it was. `adim` is called after each
// table is written (tests break the save there).
bool ClaimSakla(const SessionContext& ctx, const Db& db, Claim& c,
                const std::function<void(const QString&)>& adim = {});

// The customer's card as the claim's customer tab shows it (name, addresses,
// phone, district, city); empty when the code is unknown.
QVariantMap ClaimCariBilgi(const Db& db, const QString& cariKod);

// The operation types of damage rows (`CLHATTIP`): code and name.
QList<QPair<QString, QString>> ClaimIslemTipleri(const Db& db);

// "Onayla" / "Red" / "Beklemede": O, R or B, saved at once. An invoiced claim is left alone.
bool ClaimDurumVer(const SessionContext& ctx, const Db& db, Claim& c, const QString& durum);

// Deletes the claim and frees its work order's lines, after the question.
// `faturaMesaj` is the refusal text for an invoiced claim (the form and the list word it apart).
bool ClaimSil(const Db& db, double claimNo, const QString& faturaMesaj = QStringLiteral("Faturalanmış Kayıt Silinemez!"));

// Why the claim form refuses a renumbering; empty when it may go ahead.
QString ClaimNoDegistirEngel(const Claim& c);

// Gives the claim a new number in every table that carries it, the work
// order's line stamps included, all in one transaction or none. A number
// in use is refused with the message and nothing is written. `adim` is
// called between the statements (tests break the batch there).
bool ClaimNoDegis(const Db& db, double eskiNo, double yeniNo, const std::function<void(int)>& adim = {});

} // namespace tornaly::aftersales
