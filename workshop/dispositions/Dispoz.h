#pragma once
#include <functional>
#include "workshop/dispositions/IsEmriSatirlari.h"

namespace tornaly::workshop {

// An attendance reading chosen for a labour line, kept until the save
// writes it into PEROKUM.
struct PdksSecimi {
    QString ISEMERINO;
    int SIRANO = 0;          // labour line
    QString ARIZA_KODU;
    double SURE = 0;         // sold time
    double FIILISURE = 0;
    QString IS_TIP;
    QString PER_KOD;
    int DOSYASIRANO = 0;     // PEROKUM.SIRANO of the reading
};

// The dispositions of one work order as the form holds them.
struct DispozBelgesi : IsEmriBelgesi {
    QList<PdksSecimi> pdks;
    QVariantMap musteri;
    QVariantMap baslikDegisiklikleri; // header columns changed on the form (KM_RESET, notes)
};

DispozBelgesi DispozYukle(const Db& db, const QString& isEmriNo);

// ---- Labour lines -------------------------------------------------------
// The labour search: active cards other than kind H, for the vehicle's labour
// model and "ZZ" (only "ZZ" when the vehicle has none). The typed text matches
// anywhere in the code or name (LIKE escaped); `kodTam` matches the code exactly.
struct FrtAramaDispoz {
    QString kod, ad, kodTam;
};
QString DispozFrtSorgusu(const FrtAramaDispoz& a, const QString& ozel1, QVariantMap& binds);

// Adds a labour card as a line (FRTEkle). Answers the new line's index, or -1
// when nothing was added (same code already there, the question answered No,
// a closed work order, a card of another labour model or an inactive card).
// `parcadan`: the parts-to-labour commands always append a line of their own.
int IscilikEkle(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const QVariantMap& frt, bool parcadan = false);
// Adds the active card of the code for the vehicle's labour model (or "ZZ");
// "Parçaya tanımlı işçilik kodu bulunamadı!" when none.
int IscilikEkleKod(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const QString& kod, bool parcadan = false);

// Picks one of several labour codes tied to a part code; empty when cancelled.
using IscilikKoduSecici = std::function<QString(const QString& parcaKodu)>;
// "Parçaya İşçilik Seç" (F6): the labour tied to the parts line's part code is
// added and the parts lines `atanacak` are tied to it. Answers the new labour
// line's index, or -1 (with the message why).
int ParcayaIscilikSec(const Db& db, const SessionContext& ctx, DispozBelgesi& b, int parcaIdx,
                      const QList<int>& atanacak, const IscilikKoduSecici& secici);
// "Parçalara İşçilik Seç" (Ctrl+F6): the same for every parts line from the
// first, each tied to its own labour line. Lines already tied are left as
// they are, so that a second press adds nothing. Answers the lines added.
int ParcalaraIscilikSec(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const IscilikKoduSecici& secici);

// The rules applied when a labour line is posted. `sonGtip` is the kind the
// line had when its edit began (a space for a new line), `onceki` the line
// before the edit (empty for a new line). False: the post is refused.
bool IscilikSatirKontrol(const Db& db, const SessionContext& ctx, const DispozBelgesi& b, QVariantMap& satir,
                         const QString& sonGtip, const QVariantMap& onceki, bool aktarim = false);
// A parts line posted on the dispositions form: EXP "R" only on kind G; a
// line taken by a warranty claim is refused with its message.
bool DispozParcaKontrol(const SessionContext& ctx, const DispozBelgesi& b, QVariantMap& satir);

// Ties the parts lines `parcaIdx` to the labour line (F9) / unties one (Ctrl+F9).
void ParcayaIscilikAta(DispozBelgesi& b, const QList<int>& parcaIdx, int iscilikIdx);
void ParcaIscilikAtamaSil(DispozBelgesi& b, int parcaIdx);

// "Fiyatları Güncelle": each parts line takes the card's sale price (users
// with the price right only). "Fiyatları TL ye Sabitle" drops the currency.
bool DispozFiyatGuncelle(const Db& db, const SessionContext& ctx, DispozBelgesi& b);
bool FiyatlariTLyeSabitle(DispozBelgesi& b);

// ---- Totals and save ----------------------------------------------------
bool IscilikAtamaYok(const DispozBelgesi& b);
bool BekleyenYPvar(const QList<QVariantMap>& parcalar);

// "Sakla": pending-parts message, the question about warranty parts without
// labour, then one transaction: header changes, totals with DISPOZ_YAP = 'E',
// the parts and labour lines, the warehouse movements and the attendance
// assignments. On failure the database is as before and "Hata:" + text is
// shown; the document keeps its changes. True when saved (the caller reloads).
bool DispozKaydet(const Db& db, const SessionContext& ctx, DispozBelgesi& b, const KayitAdimi& adim = {});

// ---- Close and reopen ---------------------------------------------------
bool IsEmriKapat(const Db& db, const SessionContext& ctx, const QString& isEmriNo);
bool IsEmriTekrarAc(const Db& db, const SessionContext& ctx, const QString& isEmriNo);

// ---- Attendance readings ------------------------------------------------
// The readings of type I of the work order for one person, with the sum of
// their actual times; `secilen` (PEROKUM.SIRANO) picks some, empty picks all.
struct PdksSonuc {
    QString per_kod;
    double zaman = 0;
};
PdksSonuc CihazdanGelenSec(const Db& db, DispozBelgesi& b, int iscilikIdx, const QString& perKod,
                           const QList<int>& secilen);

} // namespace tornaly::workshop
