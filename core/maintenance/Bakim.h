#pragma once
#include "maintenance/VeriOnarim.h"

namespace tornaly {

// "Belge Referans Noları Güncelle": every counter table gets as next number
// 1 + the highest number in use; the series columns of the counter keep
// their highest value. One transaction; counters and documents of modules
// not installed are left out (and named in the result).
TOnarimSonucu BelgeReferansNolariGuncelle(const Db& db);

// The size line of the database's storage for the versions panel, and the
// text for "Veri Tabanı Log Dosyasını Temizle", which has no counterpart on
// these backends.
QString VeriTabaniBoyutu(const Db& db);
QString LogTemizlemeMetni(const Db& db);

} // namespace tornaly
