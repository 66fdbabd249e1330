#include "accounting/ledger/MuhFis.h"

#include "context/SessionContext.h"
#include "db/BatchInsert.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QSet>
#include <cmath>

namespace tornaly::accounting {

namespace {

QString kisalt(const QString& s, int n) { return s.size() > n ? s.left(n) : s; }

QVariant metinVeyaNull(const QString& s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

// A letter column: NULL for no letter (a NUL character is not text).
QVariant harf(QChar c)
{
    return c.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(QString(c));
}

QVariant tutarVeyaNull(MuhTutar t)
{
    return t.isPositive() ? QVariant(t.toDouble()) : QVariant(0.0);
}

QString kullanici(const SessionContext& ctx)
{
    return kisalt(ctx.AktifKullanici.name.isEmpty() ? ctx.AktifKullanici.login : ctx.AktifKullanici.name, 32);
}

struct Numaralar {
    double fisNo = 0;
    double yevmiyeNo = 0;
    QString fisNumara;
};

// Takes FISNO, the journal number and the printed number in one locked edit of
// the counter row, inside the voucher's transaction: a voucher that is not
// written gives its numbers back, so accepted vouchers number without gaps.
Numaralar yeniNumaralar(const Db& db, QChar tur)
{
    db.exec(QStringLiteral("UPDATE NEWFIS SET YENINO=COALESCE(YENINO,1)+1, "
                           "YEVMIYE_NO=COALESCE(YEVMIYE_NO,1)+1 WHERE ID=1"));
    Query q(db, QStringLiteral("SELECT * FROM NEWFIS WHERE ID=1"));
    q.exec();
    if (!q.next())
        throw DbError(DbError::Kind::Other, QStringLiteral("Fiş numarası sayacı (NEWFIS) bulunamadı."));
    Numaralar n;
    n.fisNo = q.num(QStringLiteral("YENINO")) - 1;
    n.yevmiyeNo = q.num(QStringLiteral("YEVMIYE_NO")) - 1;
    const QString tip = q.str(QStringLiteral("TIP"));
    struct Seri { const char* onek; const char* no; };
    std::optional<Seri> seri;
    if (tip == QLatin1String("A")) {
        switch (tur.unicode()) {
        case 'C': seri = Seri{"TAHSIL_SB", "TAHSILNO1"}; break;
        case 'E': seri = Seri{"TEDIYE_SB", "TEDIYENO1"}; break;
        case 'M': seri = Seri{"MAHSUP_SB", "MAHSUPNO1"}; break;
        case 'O': seri = Seri{"OZEL_SB", "OZEL1"}; break;
        default: break;
        }
    } else if (tip == QLatin1String("O")) {
        seri = Seri{"ORTAK_SB", "ORTAK_NO"};
    }
    if (seri) {
        const QString kolon = QLatin1String(seri->no);
        const qint64 no = q.isNull(kolon) ? 1 : qRound64(q.num(kolon));
        n.fisNumara = FisNumarasiBicimle(q.str(QLatin1String(seri->onek)).trimmed(), no);
        q.finish();
        db.exec(QStringLiteral("UPDATE NEWFIS SET %1=:N WHERE ID=1").arg(kolon), {{QStringLiteral("N"), double(no + 1)}});
    }
    return n;
}

// Line ids for `adet` lines, from the line counter under its row lock.
qint64 satirNumaralari(const Db& db, int adet)
{
    db.exec(QStringLiteral("UPDATE NEWFISAYR SET YENINO=COALESCE(YENINO,1)+:N"), {{QStringLiteral("N"), adet}});
    Query q(db, QStringLiteral("SELECT YENINO FROM NEWFISAYR"));
    q.exec();
    if (!q.next())
        throw DbError(DbError::Kind::Other, QStringLiteral("Fiş satırı sayacı (NEWFISAYR) bulunamadı."));
    return qRound64(q.value(0).toDouble()) - adet;
}

QString tamSayi(double v) { return QString::number(qRound64(v)); }

} // namespace

MuhTutar MuhTutar::fromDouble(double v) { return fromMillionths(std::llround(v * 1e6)); }

MuhTutar MuhFisi::borc() const
{
    MuhTutar t;
    for (const auto& s : satirlar)
        t += s.BORC;
    return t;
}

MuhTutar MuhFisi::alacak() const
{
    MuhTutar t;
    for (const auto& s : satirlar)
        t += s.ALACAK;
    return t;
}

bool BelgeBazindaBirlestir(QChar tip, bool iade, const QString& kod)
{
    switch (tip.unicode()) {
    case 'C':
    case 'E':
        return false;
    case 'B':
        return iade;
    case 'X':
        return !kod.startsWith(QLatin1String("191")) && !kod.startsWith(QLatin1String("391"));
    default:
        return true;
    }
}

MuhPolitika MuhPolitika::BelgeBazinda()
{
    MuhPolitika p;
    p.birlestir = &BelgeBazindaBirlestir;
    return p;
}

MuhFisOlusturucu::MuhFisOlusturucu(MuhPolitika politika, QChar tipEntegre, bool iadeMi, double bRefNo)
    : m_politika(std::move(politika)), m_tip(tipEntegre), m_iade(iadeMi), m_refNo(bRefNo)
{
    fis.ENT_TIP = tipEntegre;
    fis.ENT_REF_NO = bRefNo;
}

void MuhFisOlusturucu::AyrHesapGir(const QString& MuhKodu, double Tutar, QChar B_ATip, const QString& AciklaYaz,
                                   const QString& BelgeNo)
{
    AyrHesapGir(MuhKodu, MuhTutar::fromDouble(Tutar), B_ATip, AciklaYaz, BelgeNo);
}

void MuhFisOlusturucu::AyrHesapGir(const QString& MuhKodu, MuhTutar Tutar, QChar B_ATip, const QString& AciklaYaz,
                                   const QString& BelgeNo)
{
    // An empty code blocks the voucher even for a zero amount.
    if (MuhKodu.trimmed().isEmpty() && m_politika.bosKodIsaretle)
        HalaEksikMuhKodVar = true;
    if (!Tutar.isPositive())
        return;
    const bool alacak = B_ATip == QLatin1Char('A');
    MuhFisSatiri* satir = nullptr;
    if (m_politika.birlestir && m_politika.birlestir(m_tip, m_iade, MuhKodu)) {
        for (auto& s : fis.satirlar)
            if (s.HSPKODU == MuhKodu && (alacak ? s.ALACAK : s.BORC).isPositive()) {
                satir = &s;
                break;
            }
    }
    if (!satir) {
        MuhFisSatiri yeni;
        yeni.HSPKODU = MuhKodu;
        yeni.ENT_REF_NO = m_refNo;
        yeni.ENT_REF_TIP = m_tip;
        fis.satirlar << yeni;
        satir = &fis.satirlar.last();
    }
    (alacak ? satir->ALACAK : satir->BORC) += Tutar;
    satir->ACIKLAMA = kisalt(AciklaYaz, 95);
    if (!BelgeNo.isEmpty())
        satir->BELGE_NO = kisalt(BelgeNo, 25);
}

QHash<QString, HesapSeviyesi> HesapSeviyeleri(const Db& db, const QStringList& kodlar)
{
    QHash<QString, HesapSeviyesi> out;
    QStringList farkli;
    for (const QString& k : kodlar)
        if (!k.isEmpty() && !farkli.contains(k))
            farkli << k;
    // Codes are looked up sixteen at a time through one kept statement.
    constexpr int kParca = 16;
    QString sql = QStringLiteral("SELECT HKOD, HSINIF, HGRUBU, KEBIR, MUAVIN, TALI, DETAY FROM HSPLAN WHERE HKOD IN (");
    for (int i = 0; i < kParca; ++i)
        sql += (i ? QStringLiteral(", :K") : QStringLiteral(":K")) + QString::number(i);
    sql += QLatin1Char(')');
    for (int bas = 0; bas < farkli.size(); bas += kParca) {
        Query q(db, sql);
        for (int i = 0; i < kParca; ++i)
            q.bind(QStringLiteral("K") + QString::number(i), farkli.at(qMin(bas + i, int(farkli.size()) - 1)));
        q.exec();
        // The code must match exactly, case included, whatever the collation says.
        while (q.next()) {
            const QString kod = q.str(QStringLiteral("HKOD"));
            if (!farkli.contains(kod))
                continue;
            HesapSeviyesi h;
            h.HKOD = kod;
            h.HSINIF = int(q.integer(QStringLiteral("HSINIF")));
            h.HGRUBU = int(q.integer(QStringLiteral("HGRUBU")));
            h.KEBIR = int(q.integer(QStringLiteral("KEBIR")));
            h.MUAVIN = q.str(QStringLiteral("MUAVIN"));
            h.TALI = q.str(QStringLiteral("TALI"));
            h.DETAY = q.str(QStringLiteral("DETAY"));
            out.insert(kod, h);
        }
    }
    return out;
}

bool SeviyeKontroluYap(const Db& db, const QString& kod)
{
    return HesapSeviyeleri(db, {kod}).contains(kod);
}

QString FisNumarasiBicimle(const QString& onek, qint64 no)
{
    const QString sayi = QString::number(no);
    const int sifir = 8 - int(onek.size() + sayi.size());
    return onek + QString(qMax(0, sifir), QLatin1Char('0')) + sayi;
}

QDate MuhasebeKilitTarihi(const SessionContext& ctx, const Db& db)
{
    Query q(db, QStringLiteral("SELECT KILIT_TRH FROM PARAMUH"));
    q.exec();
    if (q.next() && !q.isNull(QStringLiteral("KILIT_TRH")))
        return q.date(QStringLiteral("KILIT_TRH"));
    return ctx.KilitTarihi;
}

FisKontrolSonucu FisTabBeforePost(const SessionContext& ctx, const Db& db, MuhFisi& fis, const MuhPolitika& politika)
{
    if (politika.yilaZorla) {
        const int yil = ctx.CalismaYili.toInt();
        if (yil > 0 && fis.TARIH.isValid() && fis.TARIH.year() != yil) {
            const QDate tasinan(yil, fis.TARIH.month(), fis.TARIH.day());
            if (!tasinan.isValid())
                return FisKontrolSonucu::GecersizTarih;
            fis.TARIH = tasinan;
        }
    }
    fis.AY = fis.TARIH.month();
    const QDate kilit = MuhasebeKilitTarihi(ctx, db);
    if (kilit.isValid() && fis.TARIH.isValid() && fis.TARIH <= kilit)
        return FisKontrolSonucu::KilitliDonem;

    QStringList kodlar;
    for (const auto& s : fis.satirlar)
        kodlar << s.HSPKODU;
    fis.hesaplar = HesapSeviyeleri(db, kodlar);
    const auto& plan = fis.hesaplar;
    bool hatali = false;
    for (const auto& s : fis.satirlar)
        if (s.HSPKODU.isEmpty() || !plan.contains(s.HSPKODU))
            hatali = true;
    if (hatali)
        return FisKontrolSonucu::HataliKod;
    if (std::llabs((fis.borc() - fis.alacak()).millionths()) > FisToleransi)
        return FisKontrolSonucu::Dengesiz;
    return FisKontrolSonucu::Kabul;
}

void FisKontrolMesaji(FisKontrolSonucu sonuc, const MuhFisi& fis)
{
    switch (sonuc) {
    case FisKontrolSonucu::Kabul:
        return;
    case FisKontrolSonucu::Dengesiz:
        Messages().show(MsgIcon::Warning,
                        QStringLiteral("Fiş Borç-Alacak Tutarı Birbirine Eşit Değil.Dengesiz Fiş Kaydı Yapılamaz"),
                        MsgCancel, MsgCancel, {});
        ShowInfo(QStringLiteral("Borç : ") + FormatMoney(fis.borc().toDouble(), QStringLiteral(",0.##")) +
                 QStringLiteral("  Alacak : ") + FormatMoney(fis.alacak().toDouble(), QStringLiteral(",0.##")));
        return;
    case FisKontrolSonucu::HataliKod:
        Messages().show(MsgIcon::Warning, QStringLiteral("Hatalı Hesap Kodları Var. Fiş Kaydı Yapılamaz"), MsgCancel,
                        MsgCancel, {});
        return;
    case FisKontrolSonucu::KilitliDonem:
        ShowWarning(QStringLiteral("İlgili tarih için işlem yapılamaz!"));
        return;
    case FisKontrolSonucu::GecersizTarih:
        ShowWarning(QStringLiteral("Belge tarihi (%1) çalışma yılında bulunmuyor. Fiş Kaydı Yapılamaz")
                        .arg(fis.TARIH.toString(QStringLiteral("dd.MM.yyyy"))));
        return;
    }
}

double MuhFisYaz(const SessionContext& ctx, const Db& db, MuhFisi& fis, double mevcutFisNo)
{
    bool mevcut = false;
    if (mevcutFisNo > 0) {
        Query q(db, QStringLiteral("SELECT FISNO, YEVMIYE_NO, FISNUMARA FROM FIS WHERE FISNO=:F"));
        q.bind(QStringLiteral("F"), mevcutFisNo).exec();
        if (q.next()) {
            mevcut = true;
            fis.FISNO = mevcutFisNo;
            fis.YEVMIYE_NO = q.num(QStringLiteral("YEVMIYE_NO"));
            fis.FISNUMARA = q.str(QStringLiteral("FISNUMARA"));
        }
    }
    const QString user = kullanici(ctx);
    QVariantMap b{{QStringLiteral("TARIH"), QDateTime(fis.TARIH, QTime(0, 0))},
                  {QStringLiteral("TUR"), harf(fis.TUR)},
                  {QStringLiteral("BORC"), fis.borc().toDouble()},
                  {QStringLiteral("ALACAK"), fis.alacak().toDouble()},
                  {QStringLiteral("AY"), fis.AY},
                  {QStringLiteral("ENT_REF_NO"), fis.ENT_REF_NO},
                  {QStringLiteral("ENT_TIP"), harf(fis.ENT_TIP)},
                  {QStringLiteral("ACIKLAMA"), metinVeyaNull(kisalt(fis.ACIKLAMA, 95))},
                  {QStringLiteral("MASRAFM_KOD"), metinVeyaNull(fis.MASRAFM_KOD)},
                  {QStringLiteral("BELGENO"), metinVeyaNull(kisalt(fis.BELGENO, 25))},
                  {QStringLiteral("BELGE_TUR"), metinVeyaNull(fis.BELGE_TUR)},
                  {QStringLiteral("USR"), user}};
    if (mevcut) {
        b.insert(QStringLiteral("FISNO"), fis.FISNO);
        db.exec(QStringLiteral("DELETE FROM FISAYR WHERE FISNO=:F"), {{QStringLiteral("F"), fis.FISNO}});
        db.exec(QStringLiteral("UPDATE FIS SET TARIH=:TARIH, TUR=:TUR, BORC=:BORC, ALACAK=:ALACAK, AY=:AY, "
                               "ENT_REF_NO=:ENT_REF_NO, ENT_TIP=:ENT_TIP, ACIKLAMA=:ACIKLAMA, "
                               "MASRAFM_KOD=:MASRAFM_KOD, BELGENO=:BELGENO, BELGE_TUR=:BELGE_TUR, UPD_USER=:USR "
                               "WHERE FISNO=:FISNO"),
                b);
    } else {
        const Numaralar n = yeniNumaralar(db, fis.TUR);
        fis.FISNO = n.fisNo;
        fis.YEVMIYE_NO = n.yevmiyeNo;
        fis.FISNUMARA = n.fisNumara;
        b.insert(QStringLiteral("FISNO"), fis.FISNO);
        b.insert(QStringLiteral("YEVMIYE_NO"), fis.YEVMIYE_NO);
        b.insert(QStringLiteral("FISNUMARA"), metinVeyaNull(fis.FISNUMARA));
        db.exec(QStringLiteral("INSERT INTO FIS (FISNO, TARIH, TUR, BORC, ALACAK, AY, ENT_REF_NO, ENT_TIP, "
                               "YEVMIYE_NO, ACIKLAMA, MASRAFM_KOD, FISNUMARA, BELGENO, BELGE_TUR, INS_USER) "
                               "VALUES (:FISNO, :TARIH, :TUR, :BORC, :ALACAK, :AY, :ENT_REF_NO, :ENT_TIP, "
                               ":YEVMIYE_NO, :ACIKLAMA, :MASRAFM_KOD, :FISNUMARA, :BELGENO, :BELGE_TUR, :USR)"),
                b);
    }
    if (fis.satirlar.isEmpty())
        return fis.FISNO;

    QStringList kodlar;
    for (const auto& s : fis.satirlar)
        if (!fis.hesaplar.contains(s.HSPKODU))
            kodlar << s.HSPKODU;
    if (!kodlar.isEmpty())
        fis.hesaplar.insert(HesapSeviyeleri(db, kodlar));
    const auto& plan = fis.hesaplar;
    qint64 id = satirNumaralari(db, int(fis.satirlar.size()));
    const bool belgeNoDoldur = fis.BELGE_TUR == QLatin1String("BN") || fis.BELGE_TUR == QLatin1String("MF") ||
                               fis.BELGE_TUR == QLatin1String("KS");
    BatchInsert ins(db, QStringLiteral("FISAYR"),
                    {QStringLiteral("FISNO"), QStringLiteral("FA_ID"), QStringLiteral("SIRANO"),
                     QStringLiteral("HSPKODU"), QStringLiteral("ACIKLAMA"), QStringLiteral("BORC"),
                     QStringLiteral("ALACAK"), QStringLiteral("DOVIZ_KOD"), QStringLiteral("TARIH"),
                     QStringLiteral("AY"), QStringLiteral("ENT_REF_NO"), QStringLiteral("ENT_REF_TIP"),
                     QStringLiteral("HSINIF"), QStringLiteral("HGRUBU"), QStringLiteral("KEBIR"),
                     QStringLiteral("MUAVIN"), QStringLiteral("TALI"), QStringLiteral("DETAY"),
                     QStringLiteral("YEVMIYE_NO"), QStringLiteral("MASRAFM_KOD"), QStringLiteral("FISNUMARA"),
                     QStringLiteral("TUR"), QStringLiteral("BELGE_TUR"), QStringLiteral("BELGE_NO")});
    const QString doviz = ctx.YerelPara.isEmpty() ? QStringLiteral("TL") : ctx.YerelPara;
    const QDateTime tarih(fis.TARIH, QTime(0, 0));
    const QVariant nullInt(QMetaType(QMetaType::Int));
    int sira = 0;
    for (const auto& s : fis.satirlar) {
        QString belgeNo = s.BELGE_NO.isEmpty() ? fis.BELGENO : s.BELGE_NO;
        if (belgeNo.isEmpty() && belgeNoDoldur)
            belgeNo = tamSayi(fis.ENT_REF_NO);
        const auto h = plan.value(s.HSPKODU);
        const bool seviyeli = plan.contains(s.HSPKODU) && h.KEBIR > 0;
        ins.value(fis.FISNO).value(id++).value(++sira).value(s.HSPKODU).value(metinVeyaNull(s.ACIKLAMA))
            .value(tutarVeyaNull(s.BORC)).value(tutarVeyaNull(s.ALACAK)).value(doviz).value(tarih).value(fis.AY)
            .value(s.ENT_REF_NO).value(harf(s.ENT_REF_TIP.isNull() ? fis.ENT_TIP : s.ENT_REF_TIP))
            .value(seviyeli ? QVariant(h.HSINIF) : nullInt).value(seviyeli ? QVariant(h.HGRUBU) : nullInt)
            .value(seviyeli ? QVariant(h.KEBIR) : nullInt).value(seviyeli ? metinVeyaNull(h.MUAVIN) : metinVeyaNull({}))
            .value(seviyeli ? metinVeyaNull(h.TALI) : metinVeyaNull({}))
            .value(seviyeli ? metinVeyaNull(h.DETAY) : metinVeyaNull({}))
            .value(fis.YEVMIYE_NO).value(metinVeyaNull(fis.MASRAFM_KOD)).value(metinVeyaNull(fis.FISNUMARA))
            .value(harf(fis.TUR)).value(metinVeyaNull(fis.BELGE_TUR)).value(metinVeyaNull(belgeNo));
        ins.endRow();
    }
    ins.flush();
    return fis.FISNO;
}

void MuhFisKaydiniSil(const Db& db, double fisNo)
{
    db.exec(QStringLiteral("DELETE FROM FISAYR WHERE FISNO=:F"), {{QStringLiteral("F"), fisNo}});
    db.exec(QStringLiteral("DELETE FROM FIS WHERE FISNO=:F"), {{QStringLiteral("F"), fisNo}});
}

} // namespace tornaly::accounting
