#pragma once
#include "maintenance/VeriOnarim.h"

#include <functional>

namespace tornaly {

// "Belge Referans Noları Güncelle": every counter table gets as next number
// 1 + the highest number in use; the series columns of the counter keep
// their highest value. One transaction; counters and documents of modules
// not installed are left out (and named in the result).
TOnarimSonucu BelgeReferansNolariGuncelle(const Db& db);

// "Başlangıç Maliyeti Olmayan Stoklara Alış Stok Fiyatını Yaz": the cost of
// items without an opening value becomes the sales price less the purchase
// discount percent.
TOnarimSonucu BaslangicMaliyetiYaz(const Db& db, double stokIskonto);
// "Stok Maliyeti Hesapla": the weighted mean unit price of the opening
// movements and purchase lines; items with neither keep their cost.
TOnarimSonucu StokMaliyetiHesapla(const Db& db);
// "Anagrubu olmayan stoklara YP grubunu ata".
TOnarimSonucu AnagrupAta(const Db& db);
// "Stok Yeni Kodlarını Güncelle": the newest code at the end of each
// replacement chain (a cycle ends where a code repeats). `ilerleme` is told
// every 100 items while the chains are followed, before the writing
// transaction opens.
TOnarimSonucu StokYeniKodlariniGuncelle(const Db& db, const std::function<void(int)>& ilerleme = {});

// The newest code reached from `yeniKod` by following the replacement codes.
QString EnYeniKod(const std::function<QString(const QString&)>& yeniKodu, const QString& stokKod,
                  const QString& yeniKod);

// The size line of the database's storage for the versions panel, and the
// text for "Veri Tabanı Log Dosyasını Temizle", which has no counterpart on
// these backends.
QString VeriTabaniBoyutu(const Db& db);
QString LogTemizlemeMetni(const Db& db);

} // namespace tornaly
