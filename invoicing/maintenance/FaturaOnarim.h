#pragma once

namespace tornaly::invoicing {

// Registers with "Belge Hareketlerini Düzenle" the removal of the lines and
// stock movements of sales, work-order invoices and purchases whose document
// no longer exists. They run before the work orders' and the stock slips'.
void RegisterFaturaTemizlikleri();

} // namespace tornaly::invoicing
