#pragma once
#include <functional>
#include "connection/ConnectionModule.h"
#include "db/Database.h"
#include "dm/LookupLists.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace tornaly {

struct SessionContext;
class BoundQueryModel;
class TDBConn;

// The one-row company table used by report headers.
struct TFirmaKaydi {
    QString KOD, FIRMA_ADI, UNVAN, ADRES1, ADRES2, ADRES3, TEL1, TEL2, FAX, VD, VN, TED_BKOD, KISA_ADI,
        TAM_FIRMA_ADI, TAM_ADRES, MAIL, WEB;
};

// What is known of the storage that holds the company database. -1: not measured.
struct TDiskDurumu {
    qint64 dataFreeMb = -1;
    QString dataDrive;
    qint64 logFreeMb = -1;
    QString logDrive;
    qint64 logFileKb = -1;
    QString logPath;
};

// Measures what the backend can tell: the free space of the volume holding
// an embedded database file. What cannot be measured stays -1 (no warning):
// neither backend has a log file of its own to measure.
TDiskDurumu MeasureStorage(const Db& db);
// The low-disk warning and the large-log note, from the measured values.
void DiskUyarilari(const TDiskDurumu& d, const QString& sunucuTamAdi);

// The start-up writes the due vehicle reminders into the call list. Vehicles
// and the call list belong to later subsystems, so the one that owns them
// registers the writer; with none registered nothing is written. The writer
// returns the number of rows inserted.
using VehicleReminderWriter = std::function<int(const Db&, const QDateTime& now)>;
void SetVehicleReminderWriter(VehicleReminderWriter writer);
int RunVehicleReminders(const Db& db, const QDateTime& now);

// The central data module: opens the company database of the session, loads
// the company, accounting and general parameters, checks the working year and
// opens the shared look-up lists.
class TDM1;
// TanimlariYenile on the program's data module; nothing when none is open.
void TanimlariYenile(const QString& name);
// The company's name and its dealer and customer codes from a FIRKIM row
// (`column` gives a column's text, empty when there is no row).
void FirmaKodlariniAl(SessionContext& ctx, const std::function<QString(const char*)>& column);

class TDM1 : public QObject {
    Q_OBJECT
public:
    TDM1(SessionContext& ctx, const TConnectionSettings& settings, const TDbParamLists& lists,
         QObject* parent = nullptr);
    ~TDM1() override;

    // False when start-up must end (its message has been shown).
    bool DM1Create();
    bool isOpen() const { return m_open; }

    void getfirmaparams();
    void getMuhasebeParam();
    void getParams();

    TFirmaKaydi TFirma;
    QStringList RepIsemriTip; // "TIP=ADI" lines of the work-order types
    // The work-order types as the drop-downs and the list filter offer them.
    TLookupList RepIsemriTipChk;
    // When the company database was last backed up, or "Yedek Alınmamış".
    QString SonYedek;

    BoundQueryModel* QMarka;
    BoundQueryModel* TModel;
    BoundQueryModel* QDoviz;
    BoundQueryModel* QKur;
    BoundQueryModel* QSatisPer;
    BoundQueryModel* QModelKod;
    BoundQueryModel* QSehir;
    BoundQueryModel* TPersonel;
    BoundQueryModel* QOdemeTip;
    BoundQueryModel* QDepo;
    BoundQueryModel* QCariozel;
    BoundQueryModel* QCari; // the customer look-up: CARI_KOD, FIRMA_ADI, ACIKLAMA

    // Reopens a shared look-up after its cards changed: "CARI" the customer
    // list, "ISCIUSTA" the personnel list, an empty name both; others nothing.
    void TanimlariYenile(const QString& name);
    // The module opened last by DM1Create (the program's), or nullptr.
    static TDM1* current();

private:
    void openCompanyDatabase();
    void openLookups();

    SessionContext& m_ctx;
    TConnectionSettings m_settings;
    TDbParamLists m_lists;
    bool m_open = false;
};

} // namespace tornaly
