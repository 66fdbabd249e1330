#include "workshop/attendance/PdksKayit.h"
#include "context/SessionContext.h"
#include "guard/IslemReddi.h"
#include "settings/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

namespace tornaly::workshop {


namespace {

QVariant pdksNull(const QString& s) { return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s); }

// The device software writes the Windows Turkish code page; a UTF-8 file is read as such.
QStringList pdksDosyaSatirlari(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    if (utf8.hasError()) {
        QStringDecoder tr("windows-1254");
        text = tr.isValid() ? tr(data) : QString::fromLatin1(data);
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return lines;
}

} // namespace

QString PdksDosyaYolu(const Db& db)
{
    Query q(db, QStringLiteral("SELECT BBSDIZIN FROM FIRKIM"));
    q.exec();
    return q.next() ? q.str(pdks::U("BBSDIZIN")).trimmed() : QString();
}

QTime PdksMesaiBitisi(const Db& db)
{
    Query q(db, QStringLiteral("SELECT MESAIBIT FROM FIRKIM"));
    q.exec();
    if (!q.next() || q.isNull(pdks::U("MESAIBIT")))
        return {};
    return q.dateTime(pdks::U("MESAIBIT")).time();
}

PdksDosyaSonucu CihazDosyasiOku(const Db& db, const QString& yol, bool tumu, const QDateTime& simdi,
                                const std::function<void(int)>& ilerleme)
{
    QFile f(yol);
    if (yol.isEmpty() || !QFileInfo(yol).isFile() || !f.open(QIODevice::ReadOnly))
        throw IslemReddi(pdks::U("Dosyaya Ulaşılamadı!, Parametrelerden PDKS Dosyası Yolunu Kontrol Ediniz!"));
    PdksDosyaSonucu r;
    r.dosyaZamani = QFileInfo(yol).lastModified();
    const QStringList lines = pdksDosyaSatirlari(f.readAll());
    f.close();

    Transaction tx(db);
    int esik = 0;
    if (!tumu) {
        Query m(db, QStringLiteral("SELECT MAX(SIRANO) AS SONNO FROM PEROKU"));
        m.exec();
        esik = m.next() ? int(m.integer(pdks::U("SONNO"))) : 0;
    }
    {
    Query yaz(db, QStringLiteral("INSERT INTO PEROKU (IENO, CIHAZ_ID, TARIH, SAAT, TIPKOD, SIRANO) "
                                 "VALUES (:ieno, :cid, :trh, :houru, :tipKodu, :sirano) "
                                 "ON CONFLICT (CIHAZ_ID, TARIH, SAAT, IENO) DO UPDATE SET "
                                 "TIPKOD = excluded.TIPKOD, SIRANO = excluded.SIRANO"));
    // A line at or below the stored number is added only when its reading is
    // missing: stored readings keep what a later file wrote into them.
    Query ekle(db, QStringLiteral("INSERT INTO PEROKU (IENO, CIHAZ_ID, TARIH, SAAT, TIPKOD, SIRANO) "
                                  "VALUES (:ieno, :cid, :trh, :houru, :tipKodu, :sirano) "
                                  "ON CONFLICT (CIHAZ_ID, TARIH, SAAT, IENO) DO NOTHING"));
    // A line without a usable date is stored with the moment of its first import only.
    Query onceden(db, QStringLiteral("SELECT COUNT(*) FROM PEROKU WHERE SIRANO = :sirano AND CIHAZ_ID = :cid "
                                     "AND IENO = :ieno AND TIPKOD = :tipKodu"));
    int satirNo = 0;
    for (const QString& line : lines) {
        ++satirNo;
        r.okunanSatir = satirNo;
        if (ilerleme)
            ilerleme(satirNo);
        if (satirNo <= 3)
            continue;
        const pdks::CihazSatiri s = pdks::CihazSatiriOku(line, simdi);
        if (s.siraGecersiz) {
            r.hataliSatirlar << pdks::U("%1. satır (kayıt no okunamadı): %2").arg(satirNo).arg(line);
            continue;
        }
        if (s.SIRANO <= 0)
            continue;
        const auto bagla = [&](Query& q) {
            q.bind(pdks::U("ieno"), s.IENO)
                .bind(pdks::U("cid"), s.CIHAZ_ID)
                .bind(pdks::U("trh"), pdks::GunBasi(s.TARIH))
                .bind(pdks::U("houru"), s.SAAT)
                .bind(pdks::U("tipKodu"), s.TIPKOD)
                .bind(pdks::U("sirano"), s.SIRANO);
        };
        if (s.tarihGecersiz) {
            r.hataliSatirlar << pdks::U("%1. satır (tarih/saat okunamadı): %2").arg(satirNo).arg(line);
            onceden.bind(pdks::U("sirano"), s.SIRANO)
                .bind(pdks::U("cid"), s.CIHAZ_ID)
                .bind(pdks::U("ieno"), s.IENO)
                .bind(pdks::U("tipKodu"), s.TIPKOD)
                .exec();
            const bool var = onceden.next() && onceden.value(0).toInt() > 0;
            onceden.finish();
            if (var)
                continue;
        }
        if (s.SIRANO > esik) {
            bagla(yaz);
            yaz.exec();
            ++r.yazilan;
        } else {
            bagla(ekle);
            ekle.exec();
            if (ekle.rowsAffected() > 0) {
                ++r.yazilan;
                ++r.yenidenNumarali;
            }
        }
    }
    }
    tx.commit();
    return r;
}

// ---- Pairing ------------------------------------------------------------------

namespace {

struct PdksGrup {
    QDate gun;
    QString cihaz;
    QList<pdks::Okuma> okumalar;
};

QList<PdksGrup> pdksGruplar(const Db& db, const QDate& ilkGun, bool hepsi)
{
    QList<PdksGrup> out;
    Query q(db, hepsi ? QStringLiteral("SELECT TARIH, CIHAZ_ID, SIRANO, SAAT, TIPKOD, IENO FROM PEROKU "
                                       "ORDER BY TARIH, CIHAZ_ID, SAAT, SIRANO")
                      : QStringLiteral("SELECT TARIH, CIHAZ_ID, SIRANO, SAAT, TIPKOD, IENO FROM PEROKU "
                                       "WHERE TARIH >= :trh ORDER BY TARIH, CIHAZ_ID, SAAT, SIRANO"));
    if (!hepsi)
        q.bind(pdks::U("trh"), pdks::GunBasi(ilkGun));
    q.exec();
    while (q.next()) {
        const QDate gun = q.date(pdks::U("TARIH"));
        const QString cihaz = q.str(pdks::U("CIHAZ_ID"));
        if (out.isEmpty() || out.last().gun != gun || out.last().cihaz != cihaz)
            out << PdksGrup{gun, cihaz, {}};
        out.last().okumalar << pdks::Okuma{int(q.integer(pdks::U("SIRANO"))), q.dateTime(pdks::U("SAAT")), q.str(pdks::U("TIPKOD")),
                                     q.str(pdks::U("IENO"))};
    }
    return out;
}

QHash<QString, QString> pdksPersonelKodlari(const Db& db)
{
    QHash<QString, QString> out;
    Query q(db, QStringLiteral("SELECT CIHAZ_ID, ISCI_KOD FROM ISCIUSTA WHERE CIHAZ_ID IS NOT NULL "
                               "ORDER BY ISCI_KOD"));
    q.exec();
    while (q.next())
        if (!out.contains(q.str(pdks::U("CIHAZ_ID"))))
            out.insert(q.str(pdks::U("CIHAZ_ID")), q.str(pdks::U("ISCI_KOD")));
    return out;
}

const QString kPdksKilitsiz = QStringLiteral("(ARIZA_KODU IS NULL OR ARIZA_KODU = '') AND COALESCE(SATILAN_SURE, 0) <= 0");

// Writes the group's intervals and removes its earlier, unlocked ones that no
// longer match. Only the pairing's own columns are written: the person code,
// the labour assignment and a work type already set stay.
int pdksGrubuYaz(const Db& db, const PdksGrup& g, const QString& perKod, const QList<pdks::Aralik>& araliklar,
             const std::function<void(const QDate&, const QString&)>& adim)
{
    Transaction tx(db);
    const QVariantMap grup{{pdks::U("T"), pdks::GunBasi(g.gun)}, {pdks::U("C"), g.cihaz}};
    QHash<QPair<QString, int>, int> eskiler;
    {
        Query q(db, QStringLiteral("SELECT SIRANO, TIPKOD, ESLEME_NO FROM PEROKUM WHERE TARIH = :T AND CIHAZ_ID = :C "
                                   "AND ESLEME_NO IS NOT NULL"));
        q.bindAll(grup).exec();
        while (q.next())
            eskiler.insert({q.str(pdks::U("TIPKOD")), int(q.integer(pdks::U("ESLEME_NO")))}, int(q.integer(pdks::U("SIRANO"))));
    }
    if (adim)
        adim(g.gun, g.cihaz);
    {
    Query yaz(db, QStringLiteral(
                      "INSERT INTO PEROKUM (TARIH, CIHAZ_ID, PER_KOD, SAATBAS, SAATBIT, SIRANO_BAS, SIRANO_SON, "
                      "TIPKOD, IENO, IS_TIP, FIILISURE, ESLEME_NO) VALUES (:TARIH, :CIHAZ_ID, :PER_KOD, :SAATBAS, "
                      ":SAATBIT, :SIRANO_BAS, :SIRANO_SON, :TIPKOD, :IENO, :IS_TIP, :FIILISURE, :ESLEME_NO) "
                      "ON CONFLICT (CIHAZ_ID, TARIH, TIPKOD, ESLEME_NO) DO UPDATE SET SAATBAS = excluded.SAATBAS, "
                      "SAATBIT = excluded.SAATBIT, SIRANO_BAS = excluded.SIRANO_BAS, SIRANO_SON = excluded.SIRANO_SON, "
                      "IENO = excluded.IENO, FIILISURE = excluded.FIILISURE, IS_TIP = CASE WHEN :KORU = 1 AND "
                      "PEROKUM.IS_TIP IS NOT NULL AND PEROKUM.IS_TIP <> '' THEN PEROKUM.IS_TIP ELSE excluded.IS_TIP END"));
    for (const pdks::Aralik& a : araliklar) {
        eskiler.remove({a.TIPKOD, a.ESLEME_NO});
        yaz.bind(pdks::U("TARIH"), pdks::GunBasi(g.gun))
            .bind(pdks::U("CIHAZ_ID"), g.cihaz)
            .bind(pdks::U("PER_KOD"), perKod)
            .bind(pdks::U("SAATBAS"), a.SAATBAS)
            .bind(pdks::U("SAATBIT"), a.SAATBIT)
            .bind(pdks::U("SIRANO_BAS"), a.SIRANO_BAS)
            .bind(pdks::U("SIRANO_SON"), a.SIRANO_SON)
            .bind(pdks::U("TIPKOD"), a.TIPKOD)
            .bind(pdks::U("IENO"), a.IENO)
            .bind(pdks::U("IS_TIP"), pdksNull(a.IS_TIP))
            .bind(pdks::U("FIILISURE"), a.FIILISURE)
            .bind(pdks::U("ESLEME_NO"), a.ESLEME_NO)
            .bind(pdks::U("KORU"), a.isTipKoru ? 1 : 0)
            .exec();
    }
    }
    // The dispositions may have assigned one of them meanwhile: the lock is
    // tested by the DELETE itself.
    for (int sirano : std::as_const(eskiler))
        db.exec(QStringLiteral("DELETE FROM PEROKUM WHERE SIRANO = :S AND ") + kPdksKilitsiz, {{pdks::U("S"), sirano}});
    tx.commit();
    return int(araliklar.size());
}

} // namespace

int PdksEsle(const Db& db, const PdksEslemeAyari& ayar, const std::function<void(int)>& ilerleme,
             const std::function<void(const QDate&, const QString&)>& adim)
{
    const QHash<QString, QString> kisiler = pdksPersonelKodlari(db);
    int yazilan = 0;
    // One transaction for the run, each day and badge in a savepoint of its
    // own: a commit per group would pay a disk sync per group. A failing group
    // is undone alone and ends the run; the groups paired before it are kept.
    Transaction calisma(db);
    try {
        for (const PdksGrup& g : pdksGruplar(db, ayar.ilkGun, false)) {
            const bool varlik = pdks::VarlikAraligiYapilir(g.gun, ayar.mesaiBitis, ayar.dosyaZamani);
            yazilan += pdksGrubuYaz(db, g, kisiler.value(g.cihaz), pdks::BasBitZamanHesapla(g.okumalar, varlik), adim);
            if (ilerleme)
                ilerleme(yazilan);
        }
    } catch (...) {
        try {
            calisma.commit();
        } catch (...) {
            // The connection broke too: the error that ended the run is the one to show.
        }
        throw;
    }
    calisma.commit();
    return yazilan;
}

QStringList PdksHesapla(const Db& db)
{
    QDate ilk;
    {
        Query q(db, QStringLiteral("SELECT MAX(TARIH) AS SON FROM PEROKUM"));
        q.exec();
        if (q.next() && !q.isNull(pdks::U("SON")))
            ilk = q.date(pdks::U("SON")).addDays(-3);
    }
    const QHash<QString, QString> kisiler = pdksPersonelKodlari(db);
    QStringList hatalar;
    for (const PdksGrup& g : pdksGruplar(db, ilk, !ilk.isValid())) {
        try {
            pdksGrubuYaz(db, g, kisiler.value(g.cihaz), pdks::ElleGirilenleriEsle(g.okumalar), {});
        } catch (const std::exception& e) {
            hatalar << pdks::U("%1 %2: %3").arg(g.gun.toString(QStringLiteral("dd.MM.yyyy")), g.cihaz.trimmed(),
                                         QString::fromUtf8(e.what()));
        }
    }
    return hatalar;
}

// ---- Hand entry of readings -------------------------------------------------------

bool PdksGirisModu(const Db& db)
{
    if (db.backend() == Backend::PostgreSQL) {
        Query q(db, QStringLiteral("SELECT is_identity FROM information_schema.columns WHERE "
                                   "lower(table_name) = 'peroku' AND lower(column_name) = 'sirano' "
                                   "AND table_schema = current_schema()"));
        q.exec();
        return q.next() && q.value(0).toString().compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0;
    }
    return ReadSetting(pdks::U("Kalvesa.ini"), pdks::U("PDKS"), pdks::U("ElleGiris")).trimmed().toUpper() == QLatin1String("E");
}

PdksOkumaGirisi PdksOkumaOku(const Db& db, int sirano)
{
    PdksOkumaGirisi g;
    Query q(db, QStringLiteral("SELECT * FROM PEROKU WHERE SIRANO = :SIRANO"));
    q.bind(pdks::U("SIRANO"), sirano).exec();
    if (q.next()) {
        g.SIRANO = sirano;
        g.CIHAZ_ID = q.str(pdks::U("CIHAZ_ID"));
        g.TARIH = q.date(pdks::U("TARIH"));
        const QTime t = q.dateTime(pdks::U("SAAT")).time();
        g.SAAT = QTime(t.hour(), t.minute());
        g.TIPKOD = q.str(pdks::U("TIPKOD"));
        g.IENO = q.str(pdks::U("IENO"));
    }
    return g;
}

int PdksOkumaKaydet(const Db& db, const SessionContext& ctx, const PdksOkumaGirisi& g)
{
    const auto red = [](const char* t) { return IslemReddi(QString::fromUtf8(t), MsgIcon::None); };
    if (g.CIHAZ_ID.trimmed().isEmpty())
        throw red("Lütfen personel seçiniz!");
    if (!g.TARIH.isValid() || g.TARIH < QDate(1902, 9, 26) || !g.SAAT.isValid())
        throw red("Lütfen tarih/saat giriniz!");
    const bool kodlu = g.TIPKOD == QLatin1String("I") || g.TIPKOD == QLatin1String("M");
    if (g.TIPKOD.isEmpty() || (kodlu && g.IENO.trimmed().isEmpty()))
        throw red("Lütfen İş tipi/İşemri/Mazeret kodunu giriniz!");
    if (g.TIPKOD == QLatin1String("I")) {
        Query q(db, QStringLiteral("SELECT IS_EMRI_NO FROM ISEMRI WHERE IS_EMRI_NO = :IS_EMRI_NO AND FYILI = :YIL"));
        q.bind(pdks::U("IS_EMRI_NO"), g.IENO.trimmed()).bind(pdks::U("YIL"), ctx.CalismaYiliNo).exec();
        if (!q.next())
            throw red("İş emri no sistemde mevcut değil!");
    }
    const QString ieno = kodlu ? g.IENO.trimmed() : g.TIPKOD;
    const QVariantMap b{{pdks::U("CIHAZ_ID"), g.CIHAZ_ID},     {pdks::U("TARIH"), pdks::GunBasi(g.TARIH)},
                        {pdks::U("SAAT"), QDateTime(g.TARIH, QTime(g.SAAT.hour(), g.SAAT.minute()))},
                        {pdks::U("TIPKOD"), g.TIPKOD},         {pdks::U("IENO"), ieno}};
    Transaction tx(db);
    int sirano = g.SIRANO;
    if (sirano > 0) {
        QVariantMap u = b;
        u.insert(pdks::U("SIRANO"), sirano);
        db.exec(QStringLiteral("UPDATE PEROKU SET CIHAZ_ID = :CIHAZ_ID, TARIH = :TARIH, SAAT = :SAAT, "
                               "TIPKOD = :TIPKOD, IENO = :IENO WHERE SIRANO = :SIRANO"),
                u);
    } else if (db.backend() == Backend::PostgreSQL) {
        Query q(db, QStringLiteral("INSERT INTO PEROKU (CIHAZ_ID, TARIH, SAAT, TIPKOD, IENO, PORTNO) "
                                   "VALUES (:CIHAZ_ID, :TARIH, :SAAT, :TIPKOD, :IENO, 99) RETURNING SIRANO"));
        q.bindAll(b).exec();
        q.next();
        sirano = int(q.integer(pdks::U("SIRANO")));
    } else {
        // SQLite numbers the reading itself; its write transaction keeps other workstations out.
        Query m(db, QStringLiteral("SELECT COALESCE(MAX(SIRANO), 0) + 1 FROM PEROKU"));
        m.exec();
        m.next();
        sirano = m.value(0).toInt();
        m.finish();
        QVariantMap i = b;
        i.insert(pdks::U("SIRANO"), sirano);
        db.exec(QStringLiteral("INSERT INTO PEROKU (SIRANO, CIHAZ_ID, TARIH, SAAT, TIPKOD, IENO, PORTNO) "
                               "VALUES (:SIRANO, :CIHAZ_ID, :TARIH, :SAAT, :TIPKOD, :IENO, 99)"),
                i);
    }
    tx.commit();
    return sirano;
}

// ---- Intervals by hand --------------------------------------------------------------

QString KilitsizAralikKosulu() { return kPdksKilitsiz; }

bool AralikKilitli(const Db& db, int sirano)
{
    Query q(db, QStringLiteral("SELECT COUNT(*) FROM PEROKUM WHERE SIRANO = :S AND NOT (") + kPdksKilitsiz
                    + QLatin1Char(')'));
    q.bind(pdks::U("S"), sirano).exec();
    return q.next() && q.value(0).toInt() > 0;
}

PdksAralikGirisi PdksAralikOku(const Db& db, int sirano)
{
    PdksAralikGirisi g;
    Query q(db, QStringLiteral("SELECT * FROM PEROKUM WHERE SIRANO = :SIRANO"));
    q.bind(pdks::U("SIRANO"), sirano).exec();
    if (!q.next())
        return g;
    g.SIRANO = sirano;
    g.PER_KOD = q.str(pdks::U("PER_KOD"));
    g.TARIH = q.date(pdks::U("TARIH"));
    g.SAATBAS = q.dateTime(pdks::U("SAATBAS")).time();
    g.SAATBIT = q.dateTime(pdks::U("SAATBIT")).time();
    g.IS_TIP = q.str(pdks::U("IS_TIP"));
    g.IENO = q.str(pdks::U("IENO"));
    return g;
}

int PdksAralikKaydet(const Db& db, const PdksAralikGirisi& g)
{
    const auto red = [](const char* t) { return IslemReddi(QString::fromUtf8(t), MsgIcon::Warning); };
    if (g.PER_KOD.trimmed().isEmpty())
        throw red("Lütfen Personel Seçiniz!..");
    if (g.IS_TIP.trimmed().isEmpty())
        throw red("Lütfen İş Tipini Seçiniz!..");
    if (!g.TARIH.isValid())
        throw red("Lütfen İşlem Tarihini Giriniz!..");
    if (!g.SAATBAS.isValid())
        throw red("Lütfen Başlama Saatini Giriniz!..");
    if (!g.SAATBIT.isValid())
        throw red("Lütfen Bitiş Saatini Giriniz!..");
    const bool isEmirli = pdks::IsEmriGerekir(g.IS_TIP);
    if (isEmirli) {
        Query q(db, QStringLiteral("SELECT COUNT(IS_EMRI_NO) SAY FROM ISEMRI WHERE IS_EMRI_NO = :NO AND FYILI = :Y"));
        q.bind(pdks::U("NO"), g.IENO.trimmed()).bind(pdks::U("Y"), g.TARIH.year()).exec();
        if (!q.next() || q.value(0).toInt() == 0)
            throw red("Kayıtlı İş Emri Bulunamadı!..");
    }
    // Hand intervals carry their day, and an end before the start lies on the next day.
    const QDateTime bas(g.TARIH, g.SAATBAS);
    const QDateTime bit = pdks::ElleBitis(bas, g.SAATBIT);
    QVariantMap b{{pdks::U("PER_KOD"), g.PER_KOD},
                  {pdks::U("TARIH"), pdks::GunBasi(g.TARIH)},
                  {pdks::U("SAATBAS"), bas},
                  {pdks::U("SAATBIT"), bit},
                  {pdks::U("IS_TIP"), g.IS_TIP},
                  {pdks::U("TIPKOD"), g.IS_TIP == QLatin1String("WW2") ? pdks::U("I") : pdks::U("M")},
                  {pdks::U("FIILISURE"), pdks::ElleFiiliSure(bas, bit)},
                  {pdks::U("IENO"), isEmirli ? QVariant(g.IENO.trimmed()) : QVariant(QString())}};
    Transaction tx(db);
    QString cihaz;
    bool kisiVar = false;
    {
        Query q(db, QStringLiteral("SELECT CIHAZ_ID FROM ISCIUSTA WHERE ISCI_KOD = :K"));
        q.bind(pdks::U("K"), g.PER_KOD).exec();
        if (q.next()) {
            kisiVar = true;
            cihaz = q.str(pdks::U("CIHAZ_ID"));
        }
    }
    int sirano = g.SIRANO;
    if (sirano > 0) {
        b.insert(pdks::U("SIRANO"), sirano);
        QString set = QStringLiteral("PER_KOD = :PER_KOD, TARIH = :TARIH, SAATBAS = :SAATBAS, SAATBIT = :SAATBIT, "
                                     "IS_TIP = :IS_TIP, TIPKOD = :TIPKOD, FIILISURE = :FIILISURE, IENO = :IENO");
        if (kisiVar) {
            set += QStringLiteral(", CIHAZ_ID = :CIHAZ_ID");
            b.insert(pdks::U("CIHAZ_ID"), cihaz);
        }
        // The dispositions may have assigned the interval since it was opened.
        if (db.exec(QStringLiteral("UPDATE PEROKUM SET ") + set + QStringLiteral(" WHERE SIRANO = :SIRANO AND ")
                        + kPdksKilitsiz,
                    b)
            != 1)
            throw red("Arıza Kodu atanmış işlem üzerinde değişiklik yapılamaz!..");
    } else {
        b.insert(pdks::U("CIHAZ_ID"), cihaz);
        Query q(db, db.backend() == Backend::PostgreSQL
                        ? QStringLiteral("INSERT INTO PEROKUM (PER_KOD, CIHAZ_ID, TARIH, SAATBAS, SAATBIT, IS_TIP, "
                                         "TIPKOD, FIILISURE, IENO) VALUES (:PER_KOD, :CIHAZ_ID, :TARIH, :SAATBAS, "
                                         ":SAATBIT, :IS_TIP, :TIPKOD, :FIILISURE, :IENO) RETURNING SIRANO")
                        : QStringLiteral("INSERT INTO PEROKUM (PER_KOD, CIHAZ_ID, TARIH, SAATBAS, SAATBIT, IS_TIP, "
                                         "TIPKOD, FIILISURE, IENO) VALUES (:PER_KOD, :CIHAZ_ID, :TARIH, :SAATBAS, "
                                         ":SAATBIT, :IS_TIP, :TIPKOD, :FIILISURE, :IENO)"));
        q.bindAll(b).exec();
        if (db.backend() == Backend::PostgreSQL) {
            q.next();
            sirano = int(q.integer(pdks::U("SIRANO")));
        } else {
            q.finish();
            Query id(db, QStringLiteral("SELECT last_insert_rowid()"));
            id.exec();
            id.next();
            sirano = id.value(0).toInt();
        }
    }
    tx.commit();
    return sirano;
}

void PdksAralikSil(const Db& db, int sirano)
{
    if (db.exec(QStringLiteral("DELETE FROM PEROKUM WHERE SIRANO = :S AND ") + kPdksKilitsiz, {{pdks::U("S"), sirano}}) != 1)
        throw IslemReddi(pdks::U("Arıza Kodu atanmış işlem silinemez!.."), MsgIcon::Warning);
}

QString PdksAralikSorgusu(const PdksAralikFiltresi& f, QVariantMap& binds)
{
    QStringList kosul;
    if (!f.isTip.isEmpty()) {
        if (f.isTip == QLatin1String("WW2")) {
            kosul << QStringLiteral("(IS_TIP = 'WW2')");
        } else if (f.isTip == QLatin1String("I")) {
            kosul << QStringLiteral("(IS_TIP IN ('I', 'M', 'GA'))");
        } else {
            kosul << QStringLiteral("(IS_TIP = :IT1 OR IS_TIP = :IT2)");
            binds.insert(pdks::U("IT1"), f.isTip);
            binds.insert(pdks::U("IT2"), QStringLiteral("%1").arg(f.isTip.mid(1).toInt(), 3, 10, QLatin1Char('0')));
        }
    }
    // Days are half-open, so the last day counts whole.
    if (f.bas.isValid()) {
        kosul << QStringLiteral("(PEROKUM.TARIH >= :TB)");
        binds.insert(pdks::U("TB"), pdks::GunBasi(f.bas));
    }
    if (f.bit.isValid()) {
        kosul << QStringLiteral("(PEROKUM.TARIH < :TS)");
        binds.insert(pdks::U("TS"), pdks::GunBasi(f.bit.addDays(1)));
    }
    if (!f.perKod.isEmpty()) {
        kosul << QStringLiteral("(PER_KOD = :PK)");
        binds.insert(pdks::U("PK"), f.perKod);
    }
    QString sql = QStringLiteral("SELECT PEROKUM.*, ISCI_ADI FROM PEROKUM LEFT OUTER JOIN ISCIUSTA ON "
                                 "(PER_KOD = ISCI_KOD AND PEROKUM.CIHAZ_ID = ISCIUSTA.CIHAZ_ID)");
    if (!kosul.isEmpty())
        sql += QStringLiteral(" WHERE ") + kosul.join(QStringLiteral(" AND "));
    sql += f.perKodSirali ? QStringLiteral(" ORDER BY PER_KOD, PEROKUM.TARIH DESC, PEROKUM.SAATBAS DESC, PEROKUM.SIRANO DESC")
                          : QStringLiteral(" ORDER BY PEROKUM.TARIH DESC, PER_KOD, PEROKUM.SAATBAS DESC, PEROKUM.SIRANO DESC");
    return sql;
}

} // namespace tornaly::workshop
