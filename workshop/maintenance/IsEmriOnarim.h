#pragma once

namespace tornaly::workshop {

// Registers with "Belge Hareketlerini Düzenle" the removal of work-order
// details, labour lines and parts issues whose work order no longer exists.
void RegisterIsEmriTemizlikleri();

} // namespace tornaly::workshop
