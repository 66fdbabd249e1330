#pragma once
#include <QChar>
#include <QVariant>
#include <functional>

namespace tornaly {

class Db;
struct SessionContext;

// One document handed to the accounting transfer. Named fields, so that the
// voucher number already made and the document's own number cannot be
// swapped at a call.
struct MuhasebeEntegreIstegi {
    QChar belgeTuru;       // C account voucher, B bank, P cash transfer, X offset slip, E cheque slip, ...
    bool iade = false;     // a return document
    QVariant mevcutFisNo;  // the document's FIS_NO as it stands; null or 0 when not posted yet
    double kaynakNo = 0;   // the document's own number (CARI_NO, HRKNO, ...)
};

// What a document's transfer switch says: post without asking, ask first, or never.
enum class MuhasebeAktarimi { Aktar, Sor, Aktarma };

// The accounting library installs the transfer and the reading of the
// switches; until it does, nothing is posted and every switch says never.
using MuhasebeEntegreFn = std::function<void(const SessionContext&, const Db&, const MuhasebeEntegreIstegi&)>;
using MuhasebeAnahtariFn = std::function<MuhasebeAktarimi(const Db&, QChar belgeTuru)>;
void SetMuhasebeEntegre(MuhasebeEntegreFn transfer, MuhasebeAnahtariFn anahtar);

// Posts one document to accounting; runs only after the document's own
// transaction has committed.
void MuhasebeEntegre(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek);
// The transfer switch of a document kind.
MuhasebeAktarimi MuhasebeAktarimSecimi(const Db& db, QChar belgeTuru);

} // namespace tornaly
