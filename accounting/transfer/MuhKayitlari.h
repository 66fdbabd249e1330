#pragma once
#include "accounting/transfer/MuhEntegre.h"

#include <optional>

namespace tornaly::accounting {

inline bool bosKod(const QString& s) { return s.trimmed().isEmpty(); }

// Where a posted document keeps its voucher number. Texts are fixed per
// kind, never built from input.
struct KaynakBelge {
    QString tablo;
    QString kosul; // e.g. "CARI_NO=:N"; the document number is bound to :N
};

// One document read and turned into voucher lines, before anything is written.
struct MuhHazirlik {
    explicit MuhHazirlik(QChar tip, bool iade, double refNo)
        : olusturucu(MuhPolitika::BelgeBazinda(), tip, iade, refNo) {}
    bool bulundu = false;
    bool eksikKod = false;      // found by the kind's control check
    bool pencere = false;       // invoice kinds list the missing codes in the window
    QString uyari;              // shown before the missing-codes message, after the rollback
    EksikMuhKodlari eksikler;
    MuhFisOlusturucu olusturucu;
    KaynakBelge kaynak;
};

MuhHazirlik MuhCariKayit(const SessionContext& ctx, const Db& db, double no);
MuhHazirlik MuhBankaKayit(const SessionContext& ctx, const Db& db, double no, bool birlestir);
MuhHazirlik MuhKasaKayit(const SessionContext& ctx, const Db& db, double no);
// The cash and offset slip (kind X); its voucher is marked ENT_TIP M.
MuhHazirlik MuhMasrafKayit(const SessionContext& ctx, const Db& db, double no);
MuhHazirlik MuhIsEmriKayit(const SessionContext& ctx, const Db& db, double no, bool iade);

// Where each kind keeps its FIS_NO; nullopt for kinds without a routine.
std::optional<KaynakBelge> KaynakBelgesi(QChar tip);

} // namespace tornaly::accounting
