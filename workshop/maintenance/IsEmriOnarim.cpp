#include "workshop/maintenance/IsEmriOnarim.h"

#include "stock/maintenance/StokOnarim.h"
#include "util/Utf8.h"

namespace tornaly::workshop {

using text::S;

void RegisterIsEmriTemizlikleri()
{
    // A line's work order is looked for with NOT EXISTS, so a work-order
    // number left empty never hides every orphan.
    stock::RegisterBelgeTemizligi(
        {S("İş emri ayrıntıları"), {S("ISEAYRIN"), S("ISEMRI")},
         S("DELETE FROM ISEAYRIN WHERE NOT EXISTS (SELECT 1 FROM ISEMRI WHERE ISEMRI.IS_EMRI_NO=ISEAYRIN.ISEMRI_NO)")});
    stock::RegisterBelgeTemizligi(
        {S("İş emri işçilikleri"), {S("ISCILIK"), S("ISEMRI")},
         S("DELETE FROM ISCILIK WHERE NOT EXISTS (SELECT 1 FROM ISEMRI WHERE ISEMRI.IS_EMRI_NO=ISCILIK.ISEMRI_NO)")});
    stock::RegisterBelgeTemizligi(
        {S("İş emri stok hareketleri"), {S("DEPOHRK"), S("ISEMRI")},
         S("DELETE FROM DEPOHRK WHERE TIP IN ('I','G') AND NOT EXISTS (SELECT 1 FROM ISEMRI "
           "WHERE ISEMRI.IS_EMRI_NO=DEPOHRK.ISEMRINO)")});
}

} // namespace tornaly::workshop
