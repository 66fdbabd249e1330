#pragma once
#include "maintenance/VeriOnarim.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

namespace tornaly::stock {

// One clean-up statement of "Belge Hareketlerini Düzenle": it deletes the
// lines or stock movements whose document no longer exists. The subsystem
// that owns the document registers it; a step whose tables are missing is
// left out and named in the result.
struct BelgeTemizligi {
    QString adim;         // shown in the result
    QStringList tablolar; // every table the statement reads
    QString sql;
};
// Adds a step, or replaces the step of the same name. Steps run in the order
// they were first registered, before the stock slips' own steps.
void RegisterBelgeTemizligi(const BelgeTemizligi& t);
void UnregisterBelgeTemizlikleri(); // tests

// "Belge Hareketlerini Düzenle": the registered steps, the stock slips' own,
// then the kept quantities recounted from the movements (SP_STOKMIK_UPDATE).
// One transaction: either all of it or nothing.
TOnarimSonucu BelgeHareketleriniDuzenle(const Db& db);

// An item whose kept quantity in a depot differs by more than 0.01 from the
// sum of its movements there (a missing quantity row counts as 0).
struct TUyusmayanStok {
    double STOK_NO = 0;
    QString STOK_KOD_NO, STOK_ADI_TR;
    double HRKMIK = 0, MIKTAR = 0;
};
QList<TUyusmayanStok> StokMiktariUyusmayanlar(const Db& db, const QString& depoKodu);
// The depots to choose from (code, name).
QList<QPair<QString, QString>> SayimDepolari(const Db& db);

// "Başlangıç Maliyeti Olmayan Stoklara Alış Stok Fiyatını Yaz": the cost of
// items without an opening value becomes the sales price less the purchase
// discount percent.
TOnarimSonucu BaslangicMaliyetiYaz(const Db& db, double stokIskonto);
// "Anagrubu olmayan stoklara YP grubunu ata".
TOnarimSonucu AnagrupAta(const Db& db);
// "Stok Yeni Kodlarını Güncelle": the newest code at the end of each
// replacement chain (a cycle ends where a code repeats). `ilerleme` is told
// every 100 items; it must not run the event loop, the transaction is open.
TOnarimSonucu StokYeniKodlariniGuncelle(const Db& db, const std::function<void(int)>& ilerleme = {});

// The newest code reached from `yeniKod` by following the replacement codes.
QString EnYeniKod(const std::function<QString(const QString&)>& yeniKodu, const QString& stokKod,
                  const QString& yeniKod);

} // namespace tornaly::stock
