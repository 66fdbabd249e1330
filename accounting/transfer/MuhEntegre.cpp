#include "accounting/transfer/MuhEntegre.h"
#include "accounting/transfer/MuhKayitlari.h"

#include "context/SessionContext.h"
#include "counters/Counters.h"
#include "messages/Messages.h"

#include <QLocale>
#include <optional>

namespace tornaly::accounting {

namespace {

EksikMuhKodGostericiFn& gosterici()
{
    static EksikMuhKodGostericiFn fn;
    return fn;
}

// A refusal found inside the write transaction; the message is shown after
// the rollback.
struct YazmaReddi {
    FisKontrolSonucu sonuc;
    bool eksikKod = false;
};

MuhHazirlik hazirla(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek)
{
    switch (istek.belgeTuru.unicode()) {
    case 'C': return MuhCariKayit(ctx, db, istek.kaynakNo);
    case 'B': return MuhBankaKayit(ctx, db, istek.kaynakNo, istek.iade);
    case 'P': return MuhKasaKayit(ctx, db, istek.kaynakNo);
    default: return MuhIsEmriKayit(ctx, db, istek.kaynakNo, istek.iade);
    }
}

QString anahtarOku(const Db& db, const QString& tablo, const QString& kolon)
{
    Query q(db, QStringLiteral("SELECT %1 FROM %2").arg(kolon, tablo));
    q.exec();
    return q.next() ? q.str(kolon).trimmed() : QString();
}

} // namespace

QString SayiMetni(double v)
{
    const qint64 n = qRound64(v);
    return n == 0 ? QString() : QLocale(QLocale::Turkish, QLocale::Turkey).toString(n);
}

QString EksikMuhKodMesaji()
{
    return QStringLiteral("Eksik Muhasebe Kodları Var. Öncelikle Kodları Kartlardan Tanımlayın. Aksi Takdirde "
                          "Muhasabe Fişi Oluşturulamaz.");
}

void SetEksikMuhKodGosterici(EksikMuhKodGostericiFn fn) { gosterici() = std::move(fn); }

void EksikMuhKodGoster(const EksikMuhKodlari& eksikler)
{
    if (gosterici())
        gosterici()(eksikler);
}

MuhasebeKaydiSonucu MuhasebeKayit(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek)
{
    const auto kaynak = KaynakBelgesi(istek.belgeTuru);
    if (!kaynak)
        return {MuhasebeSonucu::TurYok};

    const QVariantMap anahtar{{QStringLiteral("N"), istek.kaynakNo}};
    MuhasebeKaydiSonucu sonuc{MuhasebeSonucu::Yazildi};
    std::optional<MuhHazirlik> h;
    try {
        RetryAfterAsking(db, [&] {
            sonuc = {MuhasebeSonucu::Yazildi};
            Transaction tx(db);
            // The document row is locked before its voucher number is read:
            // a second workstation waits here and then rebuilds this voucher.
            const int adet = db.exec(QStringLiteral("UPDATE %1 SET FIS_NO=FIS_NO WHERE %2").arg(kaynak->tablo, kaynak->kosul),
                                     anahtar);
            // Built under the lock and again on every attempt, so the voucher
            // always shows the document as it is stored now.
            h.emplace(hazirla(ctx, db, istek));
            if (!h->bulundu && !h->eksikKod)
                throw YazmaReddi{FisKontrolSonucu::Kabul};
            if (h->eksikKod || h->olusturucu.HalaEksikMuhKodVar)
                throw YazmaReddi{FisKontrolSonucu::Kabul, true};
            MuhFisi& fis = h->olusturucu.fis;
            const auto kontrol = FisTabBeforePost(ctx, db, fis, h->olusturucu.politika());
            if (kontrol != FisKontrolSonucu::Kabul)
                throw YazmaReddi{kontrol};
            if (adet == 0)
                throw YazmaReddi{FisKontrolSonucu::Kabul};
            double mevcut = 0;
            {
                Query q(db, QStringLiteral("SELECT MAX(FIS_NO) FROM %1 WHERE %2").arg(kaynak->tablo, kaynak->kosul));
                q.bindAll(anahtar).exec();
                if (q.next())
                    mevcut = q.value(0).toDouble();
            }
            if (mevcut > 0) {
                Query q(db, QStringLiteral("SELECT TARIH FROM FIS WHERE FISNO=:F"));
                q.bind(QStringLiteral("F"), mevcut).exec();
                if (q.next()) {
                    const QDate kilit = MuhasebeKilitTarihi(ctx, db);
                    if (kilit.isValid() && q.date(QStringLiteral("TARIH")) <= kilit)
                        throw YazmaReddi{FisKontrolSonucu::KilitliDonem};
                }
            }
            double fisNo = 0;
            if (fis.satirlar.isEmpty()) {
                // A document that gives no line is not marked as posted: a
                // header-only voucher would hide it from every later transfer.
                if (mevcut > 0)
                    MuhFisKaydiniSil(db, mevcut);
                sonuc.sonuc = MuhasebeSonucu::SatirYok;
            } else {
                fisNo = MuhFisYaz(ctx, db, fis, mevcut);
            }
            QVariantMap b = anahtar;
            b.insert(QStringLiteral("F"), fisNo > 0 ? QVariant(fisNo) : QVariant(QMetaType(QMetaType::Double)));
            const int yazilan = db.exec(
                QStringLiteral("UPDATE %1 SET FIS_NO=:F WHERE %2").arg(kaynak->tablo, kaynak->kosul), b);
            if (yazilan != adet)
                throw DbError(DbError::Kind::Other,
                              QStringLiteral("Muhasebe fiş numarası belgeye yazılamadı (%1/%2 satır).")
                                  .arg(yazilan)
                                  .arg(adet));
            tx.commit();
            sonuc.fisNo = fisNo;
        });
    } catch (const YazmaReddi& r) {
        // The transaction is rolled back by now: the messages may be shown.
        if (r.eksikKod) {
            if (!h->uyari.isEmpty())
                ShowWarning(h->uyari);
            Messages().show(MsgIcon::Warning, EksikMuhKodMesaji(), MsgOk, MsgOk, {});
            if (h->pencere)
                EksikMuhKodGoster(h->eksikler);
            return {MuhasebeSonucu::EksikKod};
        }
        if (r.sonuc == FisKontrolSonucu::Kabul)
            return {MuhasebeSonucu::BelgeYok};
        FisKontrolMesaji(r.sonuc, h ? h->olusturucu.fis : MuhFisi{});
        return {MuhasebeSonucu::Reddedildi};
    }
    return sonuc;
}

FisSilmeSonucu MuhFisSil(const SessionContext& ctx, const Db& db, double fisNo)
{
    FisSilmeSonucu sonuc = FisSilmeSonucu::Silindi;
    const QVariantMap f{{QStringLiteral("F"), fisNo}};
    RetryAfterAsking(db, [&] {
        sonuc = FisSilmeSonucu::Silindi;
        Transaction tx(db);
        // The header is locked first: a posting that rebuilds this voucher at
        // the same moment waits, and then finds it gone.
        if (db.exec(QStringLiteral("UPDATE FIS SET FISNO=FISNO WHERE FISNO=:F"), f) == 0) {
            sonuc = FisSilmeSonucu::FisYok;
            return;
        }
        Query q(db, QStringLiteral("SELECT TARIH, ENT_TIP FROM FIS WHERE FISNO=:F"));
        q.bindAll(f).exec();
        q.next();
        const QDate tarih = q.date(QStringLiteral("TARIH"));
        const QString entTip = q.str(QStringLiteral("ENT_TIP")).trimmed();
        q.finish();
        const QDate kilit = MuhasebeKilitTarihi(ctx, db);
        if (kilit.isValid() && tarih.isValid() && tarih <= kilit) {
            sonuc = FisSilmeSonucu::KilitliDonem;
            return;
        }
        // Every document of the kind that points to this voucher loses its
        // mark, whatever its own number: a voucher may be shared.
        if (const auto kaynak = entTip.isEmpty() ? std::nullopt : KaynakBelgesi(entTip.at(0))) {
            Query say(db, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE FIS_NO=:F").arg(kaynak->tablo));
            say.bindAll(f).exec();
            const qint64 isaretli = say.next() ? say.value(0).toLongLong() : 0;
            say.finish();
            const int temizlenen =
                db.exec(QStringLiteral("UPDATE %1 SET FIS_NO=NULL WHERE FIS_NO=:F").arg(kaynak->tablo), f);
            if (temizlenen != isaretli)
                throw DbError(DbError::Kind::Other,
                              QStringLiteral("Muhasebe fiş numarası belgeden silinemedi (%1/%2 satır).")
                                  .arg(temizlenen)
                                  .arg(isaretli));
        }
        MuhFisKaydiniSil(db, fisNo);
        tx.commit();
    });
    if (sonuc == FisSilmeSonucu::KilitliDonem)
        FisKontrolMesaji(FisKontrolSonucu::KilitliDonem, MuhFisi{});
    return sonuc;
}

MuhasebeAktarimi MuhasebeAnahtari(const Db& db, QChar belgeTuru)
{
    QString deger;
    switch (belgeTuru.unicode()) {
    case 'A': deger = anahtarOku(db, QStringLiteral("PARAMUH"), QStringLiteral("A_MUH_KAY")); break;
    case 'L': deger = anahtarOku(db, QStringLiteral("PARAMUH"), QStringLiteral("AA_MUH_KAY")); break;
    case 'S': deger = anahtarOku(db, QStringLiteral("PARAMUH"), QStringLiteral("S_MUH_KAY")); break;
    case 'R': deger = anahtarOku(db, QStringLiteral("PARAMUH"), QStringLiteral("SA_MUH_KAY")); break;
    case 'I': deger = anahtarOku(db, QStringLiteral("PARAMUH"), QStringLiteral("IE_MUH_KAY")); break;
    case 'C':
    case 'P':
    case 'X': deger = anahtarOku(db, QStringLiteral("PARAMUH"), QStringLiteral("C_MUH_KAY")); break;
    case 'B':
    case 'H': deger = anahtarOku(db, QStringLiteral("PARAFAT"), QStringLiteral("MUH_KAY")); break; // bank rows, stock slips
    case 'E': deger = anahtarOku(db, QStringLiteral("PARAFAT"), QStringLiteral("C_MUH_KAY")); break;
    default: break;
    }
    if (deger == QLatin1String("O") || deger == QLatin1String("E"))
        return MuhasebeAktarimi::Aktar;
    if (deger == QLatin1String("S"))
        return MuhasebeAktarimi::Sor;
    return MuhasebeAktarimi::Aktarma;
}

void MuhasebeBaglantisiniKur()
{
    SetMuhasebeEntegre([](const SessionContext& ctx, const Db& db,
                          const MuhasebeEntegreIstegi& istek) { MuhasebeKayit(ctx, db, istek); },
                       &MuhasebeAnahtari);
}

} // namespace tornaly::accounting
