#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// Check-list documents (`BELGEFORM`): a numbered form about one vehicle or
// work order whose body answers the questions the dealer keeps per document
// type (`BELGEFORMSORU`), each passed or failed with a note (`BELGEFORMCEVAP`).

struct BelgeSoru {
    int BS_ID = 0;
    int BS_SORU_NO = 0;
    QString BS_SORU_TEXT;
    bool baslik = false; // a heading row: shown, never answered
    QVariant BS_DEGER;   // null: not answered; 1 passed, 0 failed
    QString BS_BILGI;
};

struct BelgeFormu {
    QVariantMap row;      // the BELGEFORM columns
    QList<BelgeSoru> sorular;
    bool kayitli = false; // the row is stored
};

// The next document id (the counter behind SP_NEW_BELGEFORM).
int SP_NEW_BELGEFORM(const Db& db);
// The stored document of this type for the work order or the chassis (the
// lowest id); -1 when there is none or neither is given.
int BelgeFormBul(const Db& db, int tip, const QString& isEmriNo, const QString& sase);
// A new document: its id, type, preparer and the server's day; no questions
// answered yet.
BelgeFormu BelgeFormYeni(const Db& db, const SessionContext& ctx, int tip);
BelgeFormu BelgeFormOku(const Db& db, int belId, int tip);
// The questions a document shows: while it has no answers, the type's active
// questions; once it has, the questions it answered and every heading of the
// type, whatever their BS_AKTIF. In BS_SIRA_NO order.
QList<BelgeSoru> BelgeSorulari(const Db& db, int belId, int tip);

// "İş Emri Seç": the vehicle and customer of the work order; refused with
// "İş Emri Bulunamadı!" and nothing changed.
void BelgeIsemriDoldur(const Db& db, QVariantMap& row, const QString& isEmriNo);
// "Araç Seç": the vehicle card and its owner; refused with "Araç Bulunamadı!".
void BelgeAracDoldur(const Db& db, QVariantMap& row, const QString& sase);
// "Merkezden Sorgula": whether the vehicle card still agrees with the model
// and first-registration date on the document.
bool BelgeAracUyumlu(const Db& db, const QVariantMap& row);

// "&Kaydet": every check point answered ("Lütfen kontrol noktalarını
// doldurunuz"), then the document and all its answers in one transaction.
// A first save takes BEL_SIRA_NO from its counter and stamps INS_*; a later
// one stamps UPD_* (the company server's clock).
void BelgeFormKaydet(const Db& db, const SessionContext& ctx, BelgeFormu& b);

} // namespace tornaly::workshop
