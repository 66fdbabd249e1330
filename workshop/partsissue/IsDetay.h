#pragma once
#include "workshop/workorders/WorkOrders.h"
#include "workshop/dispositions/IsEmriSatirlari.h"

namespace tornaly::workshop {

// The parts counter's view of one work order: its parts lines and whether a
// delivery is being typed ("&Düzenle" ... "&Kaydet").
struct IsDetayBelgesi : IsEmriBelgesi {
    QVariantMap musteri;
    QVariantMap baslikDegisiklikleri; // YP_TESLIM_ALAN, YPTESLIMEDEN
    bool duzenleme = false;
    int YENI_KALEM = 0;
};

// Loads the work order; one with no parts lines gets the user as parts issuer.
IsDetayBelgesi IsDetayYukle(const Db& db, const SessionContext& ctx, const QString& isEmriNo);

// "&Düzenle": rights, open work order, reception date, then clears the last
// delivery's quantities (asking once). True when the delivery may be typed.
bool YPDuzenle(const SessionContext& ctx, IsDetayBelgesi& b);

// The checks of a posted line. `kontrol` off: the quantity check is skipped
// (during "&Düzenle" and the save). False: the post is refused (message shown).
bool ParcaSatirKontrol(const Db& db, const SessionContext& ctx, const IsDetayBelgesi& b, QVariantMap& satir,
                       bool kontrol = true);

// Adds a part (AlisEkle): the same part raises its line's quantity by one,
// unless that line came from the expert's list (then asks). Answers the index
// of the line added or changed, -1 when nothing changed.
int AlisEkle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, double stokNo);

// Batch/serial numbers. A tracked part added for the configured company gets
// this placeholder until its number is chosen.
inline QString SeriNoGiriniz() { return QStringLiteral("SERI/PARTI NO GIRINIZ"); }
// Whether the line's SERINO may be typed or picked now: a line with delivered
// quantity refuses (IslemReddi); the picker also refuses a part without
// batch tracking.
void SeriNoDegisebilir(const IsDetayBelgesi& b, const QVariantMap& satir);
void SeriNoSecilebilir(const Db& db, const IsDetayBelgesi& b, const QVariantMap& satir);
// The part's batches and serial numbers that still have stock.
Sorgu PartiSeriNoSorgu(double stokNo);
// The remaining quantity of one batch of a part (0 when unknown).
double PartiSeriKalan(const Db& db, double stokNo, const QString& seriNo);

// F9 in the stock search box: the part whose barcode is exactly the text is
// added (AlisEkle); an unknown barcode, or a user without the stock right to
// add, is refused with "Aranan Barkod Bir Ürüne Atanmamış.".
int BarkodlaEkle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, const QString& barkod);

// Deletes a line (kept until the save). Asks and refuses as the rules say.
bool ParcaSatirSil(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, int idx);

// "Fiyatları Güncelle": each line not from the expert's list takes the card's
// prices; a card with no currency clears the line's currency fields.
bool YPFiyatGuncelle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b);

// What the parts counter is told after "İşçilik Seç": the labour line was
// kept on the work order, and how many of the labour's parts were added.
QString IscilikSecimiMesaji(const QString& iscilikKodu, int eklenenParca);
// "İşçilik Seç": the picked labour card (`kod` of labour model `model`) goes
// on the work order as a labour line at once, in its own transaction, as the
// closing form adds it (this form keeps parts only). Throws IslemReddi when
// it cannot: a closed work order, a code already on it, a card that is not
// for the vehicle. False when the clerk declined the repeat question.
bool IscilikSatiriKaydet(const Db& db, const SessionContext& ctx, const QString& isEmriNo, const QString& kod,
                         const QString& model);
// "&İşçilik Seç": adds every part the labour operation may use.
int IscilikParcalariEkle(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, const QString& kod,
                         const QString& model);

// The stock search (StokFilter): 0 code (contains, plus old numbers of codes
// that start with the text), 1 name (contains), 2 barcode (exact). `merkez`
// T all, M central-sourced, O not. Values are bound.
QString StokAramaSorgusu(int mod, const QString& metin, QChar merkez, QVariantMap& binds);

// The save ("&Kaydet"). Works on a copy of the lines: the delivered
// quantities are checked against the stock of each line's warehouse (the
// demand of every line of the same part and warehouse counted together),
// short or over-returned lines are not delivered and listed in `sorun`; then
// one transaction writes the lines, the totals and the movements. The
// document takes the saved lines only after the commit.
struct YPKayitSonucu {
    bool kaydedildi = false;
    bool bekleyenVar = false;
    QString sorun;          // the problem panel's text (empty: none)
};
YPKayitSonucu IsDetayKaydet(const Db& db, const SessionContext& ctx, IsDetayBelgesi& b, const KayitAdimi& adim = {});
// The problem panel's full text for a result.
QString SorunPaneliMetni(const SessionContext& ctx, const QString& sorun);

// The name of a person of the personnel list; empty for an unknown code.
QString IsciAdi(const Db& db, const QString& kod);

} // namespace tornaly::workshop
