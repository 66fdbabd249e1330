#include "stock/catalog/Kodlar.h"

namespace tornaly::stock {

QString AyniKodluKayitMesaji() { return QStringLiteral("Aynı Kodlu Kayıt Var."); }

namespace {
bool varMi(const Db& db, const QString& sql, const QVariantMap& binds)
{
    Query q(db, sql);
    q.bindAll(binds).exec();
    return q.next();
}

QVariant nullable(const QString& s)
{
    const QString t = s.trimmed();
    return t.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(t);
}

// Runs a write; a refused duplicate becomes the list's message.
template <class F>
QString yazVeyaAyniKod(const Db& db, F&& f)
{
    try {
        Transaction tx(db);
        f();
        tx.commit();
    } catch (const DbError& e) {
        if (e.isUniqueViolation())
            return AyniKodluKayitMesaji();
        throw;
    }
    return {};
}
} // namespace

QString GrupKaydet(const Db& db, const QString& eskiKod, const QString& kod, const QString& ad)
{
    const QString k = kod.trimmed();
    if (k.isEmpty())
        return QStringLiteral("Grup Kodu Bilgisini Vermeden Kayıt Saklanamaz.");
    const QVariantMap b = {{QStringLiteral("KOD"), k}, {QStringLiteral("AD"), nullable(ad)},
                           {QStringLiteral("ESKI"), eskiKod.trimmed()}};
    return yazVeyaAyniKod(db, [&] {
        if (eskiKod.trimmed().isEmpty()) {
            db.exec(QStringLiteral("INSERT INTO GRUP (GRUP_KODU, GRUP_ADI) VALUES (:KOD, :AD)"), b);
            return;
        }
        db.exec(QStringLiteral("UPDATE GRUP SET GRUP_KODU = :KOD, GRUP_ADI = :AD WHERE GRUP_KODU = :ESKI"), b);
        if (eskiKod.trimmed() != k) {
            db.exec(QStringLiteral("UPDATE ALTGRUP SET GRUP_KODU = :KOD WHERE GRUP_KODU = :ESKI"), b);
            db.exec(QStringLiteral("UPDATE STOK SET GRUP_NO = :KOD WHERE GRUP_NO = :ESKI"), b);
        }
    });
}

QString GrupSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    if (varMi(db, QStringLiteral("SELECT GRUP_NO FROM STOK WHERE GRUP_NO = :grno"), {{QStringLiteral("grno"), kod}}))
        return QStringLiteral("Bu Grup Ürün Listesine İşlenmiş.Silinemez!");
    db.exec(QStringLiteral("DELETE FROM GRUP WHERE GRUP_KODU = :KOD"), {{QStringLiteral("KOD"), kod}});
    tx.commit();
    return {};
}

QString AltGrupKaydet(const Db& db, bool yeni, const QString& grup, const QString& kod, const QString& ad, bool ozel)
{
    if (grup.trimmed().isEmpty())
        return QStringLiteral("Grup Seçmeden Kayıt Saklanamaz.");
    if (kod.trimmed().isEmpty())
        return QStringLiteral("Alt Grup Kodu Bilgisini Vermeden Kayıt Saklanamaz.");
    if (ad.trimmed().isEmpty())
        return QStringLiteral("Alt Grup Adı Bilgisini Vermeden Kayıt Saklanamaz.");
    const QVariantMap b = {{QStringLiteral("G"), grup.trimmed()}, {QStringLiteral("K"), kod.trimmed()},
                           {QStringLiteral("A"), ad.trimmed()}, {QStringLiteral("O"), ozel ? 1 : 0}};
    return yazVeyaAyniKod(db, [&] {
        if (yeni)
            db.exec(QStringLiteral("INSERT INTO ALTGRUP (GRUP_KODU, ALT_GRUP_KODU, GRUP_ADI, OZEL_GRUP) "
                                   "VALUES (:G, :K, :A, :O)"), b);
        else
            db.exec(QStringLiteral("UPDATE ALTGRUP SET GRUP_KODU = :G, GRUP_ADI = :A, OZEL_GRUP = :O "
                                   "WHERE ALT_GRUP_KODU = :K"), b);
    });
}

QString AltGrupSil(const Db& db, const QString& grup, const QString& kod)
{
    Transaction tx(db);
    if (varMi(db, QStringLiteral("SELECT STOK.ALTGRUP_NO FROM STOK WHERE ALTGRUP_NO = :grno"),
              {{QStringLiteral("grno"), kod}}))
        return QStringLiteral("Bu Grup Stok Listesine İşlenmiş.Silinemez!");
    db.exec(QStringLiteral("DELETE FROM ALTGRUP WHERE GRUP_KODU = :G AND ALT_GRUP_KODU = :K"),
            {{QStringLiteral("G"), grup}, {QStringLiteral("K"), kod}});
    tx.commit();
    return {};
}

QString MarkaKaydet(const Db& db, const QString& eskiKod, const QString& kod, const QString& uretici,
                    const QString& distributor)
{
    const QString k = kod.trimmed();
    if (k.isEmpty())
        return QStringLiteral("Araç Marka Bilgisini Vermeden Kayıt Saklanamaz.");
    const QVariantMap b = {{QStringLiteral("K"), k}, {QStringLiteral("U"), nullable(uretici)},
                           {QStringLiteral("D"), nullable(distributor)}, {QStringLiteral("E"), eskiKod.trimmed()}};
    return yazVeyaAyniKod(db, [&] {
        if (eskiKod.trimmed().isEmpty())
            db.exec(QStringLiteral("INSERT INTO MARKALAR (MARKA_KOD, URETICI, DISTRIBUTOR) VALUES (:K, :U, :D)"), b);
        else
            db.exec(QStringLiteral("UPDATE MARKALAR SET MARKA_KOD = :K, URETICI = :U, DISTRIBUTOR = :D "
                                   "WHERE MARKA_KOD = :E"), b);
    });
}

QString MarkaSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    if (varMi(db, QStringLiteral("SELECT MARKAKOD FROM STOK WHERE MARKAKOD = :K"), {{QStringLiteral("K"), kod}}))
        return QStringLiteral("Bu Marka Stok Listesine İşlenmiş.Silinemez!");
    db.exec(QStringLiteral("DELETE FROM MARKALAR WHERE MARKA_KOD = :K"), {{QStringLiteral("K"), kod}});
    tx.commit();
    return {};
}

QString ServisDeposuMesaji(const SessionContext& ctx)
{
    return ctx.ServisDepoKodu + QStringLiteral(": Kodlu Depo Servis Depodur. Değiştirilemez.");
}

QString DepoGuncelle(const Db& db, const SessionContext& ctx, const QString& kod, const QString& ad,
                     const QString& yer)
{
    if (kod.trimmed() == ctx.ServisDepoKodu.trimmed())
        return ServisDeposuMesaji(ctx);
    db.exec(QStringLiteral("UPDATE DEPO SET DEPO_ADI = :A, DEPO_YERI = :Y WHERE DEPO_KODU = :K"),
            {{QStringLiteral("A"), nullable(ad)}, {QStringLiteral("Y"), nullable(yer)}, {QStringLiteral("K"), kod}});
    return {};
}

QString AmbalajKaydet(const Db& db, const QString& eskiKod, const Ambalaj& a)
{
    const QString k = a.AMBALAJ_KOD.trimmed();
    if (k.isEmpty())
        return QStringLiteral("Ambalaj Kodu Bilgisini Vermeden Kayıt Saklanamaz.");
    const QVariantMap b = {{QStringLiteral("K"), k}, {QStringLiteral("AD"), a.AMBALAJ_ADET},
                           {QStringLiteral("B"), a.AMBALAJ_BOY}, {QStringLiteral("AG"), a.AMBALAJ_AGIR},
                           {QStringLiteral("BA"), a.BIRIM_AGIR}, {QStringLiteral("E"), eskiKod.trimmed()}};
    return yazVeyaAyniKod(db, [&] {
        if (eskiKod.trimmed().isEmpty())
            db.exec(QStringLiteral("INSERT INTO AMBALAJ (AMBALAJ_KOD, AMBALAJ_ADET, AMBALAJ_BOY, AMBALAJ_AGIR, "
                                   "BIRIM_AGIR) VALUES (:K, :AD, :B, :AG, :BA)"), b);
        else
            db.exec(QStringLiteral("UPDATE AMBALAJ SET AMBALAJ_KOD = :K, AMBALAJ_ADET = :AD, AMBALAJ_BOY = :B, "
                                   "AMBALAJ_AGIR = :AG, BIRIM_AGIR = :BA WHERE AMBALAJ_KOD = :E"), b);
    });
}

QString AmbalajSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    if (varMi(db, QStringLiteral("SELECT AMBALAJ_NO FROM STOK WHERE AMBALAJ_NO = :K"), {{QStringLiteral("K"), kod}}))
        return QStringLiteral("Bu Ambalaj Stok Listesine İşlenmiş.Silinemez!");
    db.exec(QStringLiteral("DELETE FROM AMBALAJ WHERE AMBALAJ_KOD = :K"), {{QStringLiteral("K"), kod}});
    tx.commit();
    return {};
}

Ambalaj AmbalajOku(const Db& db, const QString& kod)
{
    Ambalaj a;
    Query q(db, QStringLiteral("SELECT AMBALAJ_KOD, AMBALAJ_ADET, AMBALAJ_BOY, AMBALAJ_AGIR, BIRIM_AGIR FROM AMBALAJ "
                               "WHERE AMBALAJ_KOD = :K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (q.next()) {
        a.AMBALAJ_KOD = q.value(0).toString();
        a.AMBALAJ_ADET = q.value(1).toDouble();
        a.AMBALAJ_BOY = q.value(2).toDouble();
        a.AMBALAJ_AGIR = q.value(3).toDouble();
        a.BIRIM_AGIR = q.value(4).toDouble();
    }
    return a;
}

QString AksesuarKaydet(const Db& db, const QString& eskiKod, const Aksesuar& a)
{
    const QString k = a.AKSESUAR_KODU.trimmed();
    if (k.isEmpty())
        return QStringLiteral("Aksesuar Kodu Bilgisini Vermeden Kayıt Saklanamaz.");
    const QVariantMap b = {{QStringLiteral("K"), k}, {QStringLiteral("A"), nullable(a.AKSESUAR_ADI)},
                           {QStringLiteral("KK"), nullable(a.AKS_KISA_KOD)}, {QStringLiteral("AL"), a.ALIS_TL},
                           {QStringLiteral("S"), a.SATIS_TL}, {QStringLiteral("KDV"), a.KDV},
                           {QStringLiteral("E"), eskiKod.trimmed()}};
    return yazVeyaAyniKod(db, [&] {
        if (eskiKod.trimmed().isEmpty())
            db.exec(QStringLiteral("INSERT INTO AKSESUAR (AKSESUAR_KODU, AKSESUAR_ADI, AKS_KISA_KOD, ALIS_TL, "
                                   "SATIS_TL, KDV, SEC) VALUES (:K, :A, :KK, :AL, :S, :KDV, 0)"), b);
        else
            db.exec(QStringLiteral("UPDATE AKSESUAR SET AKSESUAR_KODU = :K, AKSESUAR_ADI = :A, AKS_KISA_KOD = :KK, "
                                   "ALIS_TL = :AL, SATIS_TL = :S, KDV = :KDV, SEC = 0 WHERE AKSESUAR_KODU = :E"), b);
    });
}

QString AksesuarSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    const Dialect& d = db.dialect();
    for (const char* t : {"MODELAKS", "ARCAKS"}) {
        const QString tablo = QString::fromLatin1(t);
        if (d.tableExists(db, tablo)
            && varMi(db, QStringLiteral("SELECT 1 FROM %1 WHERE AKS_KOD = :AKSESUAR_KODU").arg(tablo),
                     {{QStringLiteral("AKSESUAR_KODU"), kod}}))
            return QStringLiteral("Bu Aksesuar Model Kayıtlarına yada Araç a İşlenmiş.Silinemez!");
    }
    db.exec(QStringLiteral("DELETE FROM AKSESUAR WHERE AKSESUAR_KODU = :AKSESUAR_KODU"),
            {{QStringLiteral("AKSESUAR_KODU"), kod}});
    tx.commit();
    return {};
}

} // namespace tornaly::stock
