#pragma once
#include <QStringList>

namespace tornaly {

class BoundQueryModel;

// Amount fields of a list: shown with their two decimals ("475,00") even when
// every amount of the first page happens to be whole; other float columns of
// a page of whole numbers (document numbers) stay whole. Takes effect at the
// next open().
void SetTutarAlanlari(BoundQueryModel& model, const QStringList& alanlar);

} // namespace tornaly
