#include "invoicing/maintenance/FaturaOnarim.h"

#include "stock/maintenance/StokOnarim.h"
#include "util/Utf8.h"

namespace tornaly::invoicing {

using text::S;

void RegisterFaturaTemizlikleri()
{
    // A sale's or purchase's movement stays only while its document exists
    // with one of the kinds İ, R, L, E.
    const stock::BelgeTemizligi adimlar[] = {
        {S("Satış kalemleri"), {S("SATISAYR"), S("SATIS")},
         S("DELETE FROM SATISAYR WHERE NOT EXISTS (SELECT 1 FROM SATIS WHERE SATIS.SATIS_NO=SATISAYR.SATIS_NO)")},
        {S("Satış stok hareketleri"), {S("DEPOHRK"), S("SATIS")},
         S("DELETE FROM DEPOHRK WHERE TIP='S' AND NOT EXISTS (SELECT 1 FROM SATIS WHERE SATIS.SATIS_NO=DEPOHRK.SATISNO "
           "AND SATIS.TIP IN ('İ','R','L','E'))")},
        {S("İş emri fatura kalemleri"), {S("SERFATDT"), S("SERFAT")},
         S("DELETE FROM SERFATDT WHERE NOT EXISTS (SELECT 1 FROM SERFAT WHERE SERFAT.SATIS_NO=SERFATDT.SATIS_NO)")},
        {S("İş emri fatura stok hareketleri"), {S("DEPOHRK"), S("SERFAT")},
         S("DELETE FROM DEPOHRK WHERE TIP='C' AND NOT EXISTS (SELECT 1 FROM SERFAT WHERE SERFAT.SATIS_NO=DEPOHRK.SATISNO)")},
        {S("Alış kalemleri"), {S("ALISAYR"), S("ALIS")},
         S("DELETE FROM ALISAYR WHERE NOT EXISTS (SELECT 1 FROM ALIS WHERE ALIS.ALIS_NO=ALISAYR.ALIS_NO)")},
        {S("Alış stok hareketleri"), {S("DEPOHRK"), S("ALIS")},
         S("DELETE FROM DEPOHRK WHERE TIP='A' AND NOT EXISTS (SELECT 1 FROM ALIS WHERE ALIS.ALIS_NO=DEPOHRK.SATISNO "
           "AND ALIS.TIP IN ('İ','R','L','E'))")},
    };
    for (const stock::BelgeTemizligi& a : adimlar)
        stock::RegisterBelgeTemizligi(a);
}

} // namespace tornaly::invoicing
