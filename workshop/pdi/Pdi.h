#pragma once
#include "db/Database.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// Pre-delivery inspections: one record per new vehicle (`PDIMAST`) with the
// faults found (`PDIDET`), each an error place and an error code. Refusals
// throw IslemReddi with the user's message; nothing is written then.

// One fault line, with the names the grid shows beside the codes.
struct PdiHata {
    int SIRA_NO = 0;
    QString HATA_YERI_KODU, HATA_YERI_ADI;
    QString HATA_ADI_KODU, PDI_HATA_ADI;
};

struct PdiKaydi {
    QVariantMap row; // the PDIMAST columns
    QList<PdiHata> hatalar;
};

QStringList PdiKolonlari();
// 42 -> "000042".
QString PdiNoBicim(double yeniNo);
// "Yeni Kayıt": takes the next number from NEWPDI at once (a cancelled record
// leaves a gap) and gives the new row its number and the server's day.
PdiKaydi PdiYeni(const Db& db);
PdiKaydi PdiOku(const Db& db, const QString& pdiNo);
// The PDI numbers in order, for the navigator: the first, the last, and the
// neighbours of a number (empty when there is none).
QString PdiIlk(const Db& db);
QString PdiSon(const Db& db);
QString PdiSonraki(const Db& db, const QString& pdiNo);
QString PdiOnceki(const Db& db, const QString& pdiNo);

// The two chassis checks of a save: "Şase 17 hane olmalı!", then
// "ŞASE' de Hatalı yada Boşluklu Karakter kullandınız." (both warnings).
void PdiSaseKontrol(const QString& sase);
// Saves the record and its fault lines in one transaction (lines renumbered
// from 1 in their order). A chassis that another record holds is refused with
// "Bu Aracın PDI ı var!". AKTARILDI is cleared on every save.
void PdiKaydet(const Db& db, PdiKaydi& k, bool yeni);
// Deletes the record with its fault lines.
void PdiSil(const Db& db, const QString& pdiNo);
// The number of a new fault line: one past the last.
int PdiYeniSiraNo(const QList<PdiHata>& hatalar);
// Whether another PDI record than `haricPdiNo` holds the chassis.
bool PdiSaseVar(const Db& db, const QString& sase, const QString& haricPdiNo = {});

// "Aranan Şa&si": the records whose chassis matches the typed text, where a
// typed `%` is a wildcard; ordered by chassis. The literal text before the
// first `%` bounds the search so that the chassis index serves it.
struct PdiSaseSonucu {
    QString PDI_NO, SASE_NO, MODEL_KODU, RENK_KODU;
};
QList<PdiSaseSonucu> PdiSaseAra(const Db& db, const QString& typed);
// The statement and values of that search (the benchmark runs it as well).
QString PdiSaseAraSql(const Db& db, const QString& typed, QVariantMap& binds);

// Enter in the chassis or engine field: the vehicle card found by the field
// that has the focus. Not found: "Bu Araç Kayıtlı değil" (warning) and the
// model and colour emptied. The model and colour names follow either way.
enum class PdiAracAlani { Sase, Motor };
bool PdiAracBul(const Db& db, QVariantMap& row, PdiAracAlani alan, const QString& typed);
QString PdiModelAdi(const Db& db, const QString& model);
QString PdiRenkAdi(const Db& db, const QString& renk);
QString PdiHataYeriAdi(const Db& db, const QString& kod);
QString PdiHataAdi(const Db& db, const QString& kod);

// "İşemri Aç": makes or updates the type-P work order of the stored record in
// one transaction. A new one takes PARAMSER.SERI_NO through the card's locked
// numbering, six digits without the series letter, and MODEL_SERISI holds it.
// The fault lines become the complaints (ten at most); later complaint
// columns are cleared. `oncesiCommit` runs just before the commit (tests use
// it to fail there). Returns the work-order number.
QString PdiIsemriAc(const Db& db, const SessionContext& ctx, const QString& pdiNo,
                    const std::function<void()>& oncesiCommit = {});
} // namespace tornaly::workshop
