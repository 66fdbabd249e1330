#pragma once
#include <QList>
#include <QPair>
#include <QString>

namespace tornaly {

// Value letters and their captions, as the forms of every subsystem show them.
using TLookupList = QList<QPair<QString, QString>>;

const TLookupList& imgcombozEvetHayir();
const TLookupList& RepIsemriDurum();
const TLookupList& RepAtolye();
const TLookupList& cxRepAracStatu1();
const TLookupList& cxRepAracStatu2();
const TLookupList& cxRepMesajLog();
const TLookupList& cxRepPrimTip();
const TLookupList& cxPerOrg();
const TLookupList& cxOrgBolum();
const TLookupList& cxPozisyon();
const TLookupList& dxCinsiyet();
const TLookupList& OdemeTipleri();

// The caption of a value; the first caption when a value stands twice.
QString LookupCaption(const TLookupList& list, const QString& value);

} // namespace tornaly
