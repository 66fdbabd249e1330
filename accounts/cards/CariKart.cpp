#include "accounts/cards/CariKart.h"

#include "db/Dialect.h"

namespace tornaly::accounts {

namespace {

QStringList kolonlar(std::initializer_list<const char*> adlar)
{
    QStringList l;
    for (const char* a : adlar)
        l << QLatin1String(a);
    return l;
}

bool firma(const CariKartKaydi& k)
{
    return k.str("CINSIYET") == QLatin1String("F");
}

QVariantMap satirOku(Query& q)
{
    QVariantMap m;
    const QSqlRecord r = q.record();
    for (int i = 0; i < r.count(); ++i)
        m.insert(r.fieldName(i).toUpper(), q.value(i));
    return m;
}

QList<QVariantMap> satirlar(const Db& db, const QString& sql, const QString& kod)
{
    QList<QVariantMap> out;
    Query q(db, sql);
    q.bind(QStringLiteral("K"), kod).exec();
    while (q.next())
        out << satirOku(q);
    return out;
}

// Writes the given columns of one row; the column names come from our own
// lists, never from typed text.
void satirEkle(const Db& db, const QString& tablo, const QStringList& izinli, const QVariantMap& satir)
{
    QStringList cols, params;
    QVariantMap binds;
    for (const QString& c : izinli) {
        if (!satir.contains(c))
            continue;
        cols << c;
        params << QLatin1Char(':') + c;
        binds.insert(c, satir.value(c));
    }
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tablo, cols.join(QLatin1String(", ")),
                                                                  params.join(QLatin1String(", "))),
            binds);
}

const QStringList& personelKolonlari()
{
    static const QStringList l = kolonlar({"CP_CARI_KOD", "CP_PER_AD", "CP_GOREV", "CP_TEL_DAHILI", "CP_GSM1",
                                           "CP_GSM2", "CP_PLAKA", "CP_ACIKLAMA"});
    return l;
}

const QStringList& bankaKolonlari()
{
    static const QStringList l = kolonlar({"CARI_KOD", "CB_NO", "CB_BANKA", "CB_SUBE", "CB_HESAP_NO",
                                           "CB_HESAP_DVZ", "CB_HESAP_TUR", "CB_IBAN", "CB_ACIKLAMA"});
    return l;
}

const QStringList& postaKutusuKolonlari()
{
    static const QStringList l = kolonlar({"ID", "CARI_KOD", "EF_POSTAKUTUSU", "PK_ISIM", "PK_DEFAULT"});
    return l;
}

bool varMi(const Db& db, const QString& sql, const QString& kod)
{
    Query q(db, sql);
    q.bind(QStringLiteral("K"), kod).exec();
    return q.next();
}

struct MaskeKonumu {
    enum Tur { Literal, Zorunlu, Istege } tur;
    QChar karakter;
};

// Positions of an original-platform mask: "0" required digit, "9" optional
// digit, "\" quotes the next character; "!" and the case marks take no place.
QList<MaskeKonumu> maskeKonumlari(const QString& orijinal)
{
    const QString govde = orijinal.section(QLatin1Char(';'), 0, 0);
    QList<MaskeKonumu> out;
    for (int i = 0; i < govde.size(); ++i) {
        const QChar c = govde.at(i);
        if (c == QLatin1Char('\\') && i + 1 < govde.size()) {
            out.append({MaskeKonumu::Literal, govde.at(++i)});
        } else if (c == QLatin1Char('!') || c == QLatin1Char('>') || c == QLatin1Char('<')) {
            continue;
        } else if (c == QLatin1Char('0')) {
            out.append({MaskeKonumu::Zorunlu, c});
        } else if (c == QLatin1Char('9')) {
            out.append({MaskeKonumu::Istege, c});
        } else {
            out.append({MaskeKonumu::Literal, c});
        }
    }
    return out;
}

} // namespace

const QStringList& CariKolonlari()
{
    static const QStringList l = kolonlar(
        {"CARI_KOD",    "FIRMA_ADI",   "FIRMA_ADI2",  "YETKILI_ADI",  "YETKILI_SOYAD", "ADRES_1",      "ADRES_2",
         "PK",          "SEMT",        "ILI",         "ULKE",         "TEL1",          "TEL2",         "TEL3",
         "TEL4",        "FAKS",        "EMAIL",       "URL",          "MESLEK_KOD",    "VD",           "VN",
         "KIMLIKNO",    "CINSIYET",    "CARI_GRP_KOD", "OZEL_KOD_1",  "OZEL_KOD_2",    "OZEL_KOD_3",   "MUH_KOD",
         "MERKEZ_BAYI", "PER_KOD",     "DOVIZ",       "RISK_LIMITI",  "VADEGUN",       "TAH_SEKLI",    "IND_YUZ_PAR",
         "IND_YUZ_AKS", "IND_YUZ_SRF", "IND_YUZ_ISCI", "IND_YUZ_HSR", "IND_YUZ_BKM",   "IND_YUZ_ARZ",  "SERMAYE",
         "TEMINAT_1",   "TEMINAT_2",   "TEM_BANK_1",  "TEM_BANK_2",   "BANKA_1",       "BANKA_2",      "ACIKLAMA",
         "DOGUM_YERI",  "DOGUM_TRH",   "BABA_ADI",    "ANA_ADI",      "DOGUM_YIL",     "N_SERI",       "N_NO",
         "N_IL",        "N_ILCE",      "N_CILTNO",    "N_AILESIRANO", "N_SIRANO",      "KANGRUBU",     "SIGORTA",
         "WEB_AKTAR",   "EF_MUKELLEF", "EF_UNVAN",    "SOKAK",        "KAPI_NO",       "DAIRE_NO",     "AKTARILDI",
         "PMNO"});
    return l;
}

const QStringList& CariKopyaKolonlari()
{
    static const QStringList l = kolonlar(
        {"CARI_KOD",    "FIRMA_ADI",   "YETKILI_ADI", "YETKILI_SOYAD", "ADRES_1",     "ADRES_2",     "PK",
         "SEMT",        "ILI",         "ULKE",        "TEL1",          "TEL2",        "TEL3",        "FAKS",
         "EMAIL",       "URL",         "MESLEK_KOD",  "VD",            "VN",          "CINSIYET",    "BANKA_1",
         "BANKA_2",     "SERMAYE",     "TEMINAT_1",   "TEMINAT_2",     "TEM_BANK_1",  "TEM_BANK_2",  "CARI_GRP_KOD",
         "RISK_LIMITI", "ACIKLAMA",    "IND_YUZ_PAR", "IND_YUZ_AKS",   "IND_YUZ_SRF", "IND_YUZ_ISCI", "IND_YUZ_HSR",
         "IND_YUZ_BKM", "IND_YUZ_ARZ", "DOVIZ",       "BABA_ADI",      "DOGUM_YERI",  "DOGUM_YIL",   "DOGUM_TRH",
         "MUH_KOD",     "VADEGUN",     "SIGORTA",     "TAH_SEKLI",     "TEL4",        "KIMLIKNO",    "PMNO",
         "FIRMA_ADI2",  "OZEL_KOD_1",  "OZEL_KOD_2",  "OZEL_KOD_3"});
    return l;
}

CariKartKaydi YeniCariKart(const SessionContext& ctx)
{
    CariKartKaydi k;
    k.cari.insert(QStringLiteral("DOVIZ"), ctx.YerelPara);
    k.cari.insert(QStringLiteral("WEB_AKTAR"), 0);
    return k;
}

std::optional<CariKartKaydi> CariKartOku(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT * FROM CARI WHERE CARI_KOD=:K"));
    q.bind(QStringLiteral("K"), kod).exec();
    if (!q.next())
        return std::nullopt;
    CariKartKaydi k;
    k.cari = satirOku(q);
    k.personel = satirlar(db, QStringLiteral("SELECT * FROM CARIPER WHERE CP_CARI_KOD=:K ORDER BY CP_PER_AD"), kod);
    k.bankalar = satirlar(db, QStringLiteral("SELECT * FROM CARIBANKA WHERE CARI_KOD=:K ORDER BY CB_NO"), kod);
    k.postaKutulari = satirlar(db, QStringLiteral("SELECT * FROM CARIPK WHERE CARI_KOD=:K ORDER BY ID"), kod);
    return k;
}

CariKartKaydi CariKartKopyala(const SessionContext& ctx, const Db& db, const QString& kaynakKod)
{
    CariKartKaydi yeni = YeniCariKart(ctx);
    const auto kaynak = CariKartOku(db, kaynakKod);
    if (!kaynak)
        return yeni;
    for (const QString& c : CariKopyaKolonlari())
        yeni.cari.insert(c, kaynak->cari.value(c));
    return yeni;
}

std::optional<CariKartUyari> CariKartKontrol(CariKartKaydi& k, bool eksikAlanUyari)
{
    const auto uyari = [](const char* mesaj, const char* alan, MsgIcon ikon = MsgIcon::Warning) {
        return std::optional<CariKartUyari>(CariKartUyari{QString::fromUtf8(mesaj), QLatin1String(alan), ikon});
    };
    if (firma(k) && k.str("VN").size() > 10)
        k.cari.insert(QStringLiteral("VN"), k.str("VN").trimmed().left(10));

    if (k.str("ULKE").trimmed().isEmpty() && k.str("ILI").trimmed().isEmpty())
        return uyari("İli Alanı Boş Geçilemez.", "ILI");

    const QString tel1 = k.str("TEL1"), tel2 = k.str("TEL2"), tel3 = k.str("TEL3");
    const bool tel1Tam = MaskeTamam(TelefonMaskesi(), tel1), tel3Tam = MaskeTamam(GsmMaskesi(), tel3);
    if ((tel1.size() < 13 && tel3.size() < 13) || (!tel1Tam && !tel3Tam))
        return uyari("Lütfen Telefon 1 veya GSM 1 Alanlarından Birini Giriniz.", "TEL1");
    const auto alanKoduDogru = [](const QString& t) {
        return t.size() < 2 || QStringLiteral("234").contains(t.at(1));
    };
    if (!alanKoduDogru(tel1))
        return uyari("Lütfen Telefon 1 Alanını Düzgün Giriniz.", "TEL1");
    if (!alanKoduDogru(tel2))
        return uyari("Lütfen Telefon 2 Alanını Düzgün Giriniz.", "TEL2");

    if (eksikAlanUyari) {
        if (!firma(k) && k.str("KIMLIKNO").size() != 11)
            return uyari("TC Kimlik No Alanı boş geçilemez.", "KIMLIKNO");
        if (!k.str("VN").trimmed().isEmpty() && k.str("VD").trimmed().isEmpty())
            return uyari("Vergi Dairesi Alanı boş geçilemez.", "VD");
        if (firma(k) && k.str("VN").trimmed().size() != 10)
            return uyari("Vergi No Alanı 10 haneli olmalı.", "VN");
        if (k.str("ADRES_1").size() < 10)
            return uyari("Adres Satır 1 alanı en az 10 karakter olmalıdır.", "ADRES_1");
    }
    if (k.kod().isEmpty())
        return uyari("Cari Kodu Bilgisini Vermeden Kayıt Saklanamaz.", "CARI_KOD", MsgIcon::Information);
    return std::nullopt;
}

QString CariKartKaydet(const Db& db, const CariKartKaydi& k, bool yeni)
{
    const QString kod = k.kod();
    if (kod.isEmpty())
        throw CariKartHatasi(QStringLiteral("Cari Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    Transaction tx(db);
    const bool mevcut = varMi(db, QStringLiteral("SELECT 1 FROM CARI WHERE CARI_KOD=:K"), kod);
    if (yeni && mevcut)
        throw CariKartHatasi(CariKoduKullanilmisText());

    QVariantMap cari = k.cari;
    cari.insert(QStringLiteral("CARI_KOD"), kod);
    cari.insert(QStringLiteral("AKTARILDI"), 0);
    if (mevcut) {
        QStringList sets;
        QVariantMap binds;
        for (const QString& c : CariKolonlari()) {
            if (c == QLatin1String("CARI_KOD") || !cari.contains(c))
                continue;
            sets << QStringLiteral("%1=:%1").arg(c);
            binds.insert(c, cari.value(c));
        }
        binds.insert(QStringLiteral("CARI_KOD"), kod);
        db.exec(QStringLiteral("UPDATE CARI SET %1 WHERE CARI_KOD=:CARI_KOD").arg(sets.join(QLatin1String(", "))),
                binds);
    } else {
        satirEkle(db, QStringLiteral("CARI"), CariKolonlari(), cari);
    }

    const QVariantMap kodBind{{QStringLiteral("K"), kod}};
    db.exec(QStringLiteral("DELETE FROM CARIPER WHERE CP_CARI_KOD=:K"), kodBind);
    for (QVariantMap p : k.personel) {
        p.insert(QStringLiteral("CP_CARI_KOD"), kod);
        satirEkle(db, QStringLiteral("CARIPER"), personelKolonlari(), p);
    }
    db.exec(QStringLiteral("DELETE FROM CARIBANKA WHERE CARI_KOD=:K"), kodBind);
    int sonNo = 0;
    for (QVariantMap b : k.bankalar) {
        b.insert(QStringLiteral("CARI_KOD"), kod);
        if (b.value(QStringLiteral("CB_NO")).toInt() <= sonNo)
            b.insert(QStringLiteral("CB_NO"), sonNo + 1);
        sonNo = b.value(QStringLiteral("CB_NO")).toInt();
        satirEkle(db, QStringLiteral("CARIBANKA"), bankaKolonlari(), b);
    }
    db.exec(QStringLiteral("DELETE FROM CARIPK WHERE CARI_KOD=:K"), kodBind);
    for (QVariantMap p : k.postaKutulari) {
        p.insert(QStringLiteral("CARI_KOD"), kod);
        if (p.value(QStringLiteral("ID")).isNull())
            p.remove(QStringLiteral("ID"));
        satirEkle(db, QStringLiteral("CARIPK"), postaKutusuKolonlari(), p);
    }
    tx.commit();
    return kod;
}

std::optional<QString> SonCariKodu(const Db& db, const QString& onek)
{
    Query q(db, QStringLiteral("SELECT MAX(CARI_KOD) AS NEW_KOD FROM CARI WHERE CARI_KOD LIKE :ANA_KOD ESCAPE '\\'"));
    q.bind(QStringLiteral("ANA_KOD"), Dialect::escapeLike(onek) + QLatin1Char('%')).exec();
    if (q.next() && !q.isNull(QStringLiteral("NEW_KOD")))
        return q.str(QStringLiteral("NEW_KOD"));
    return std::nullopt;
}

std::optional<QString> NumarayiKullananCari(const Db& db, const QString& numara, const QString& kod)
{
    if (numara.trimmed().isEmpty())
        return std::nullopt;
    Query q(db, QStringLiteral("SELECT CARI_KOD FROM CARI WHERE (VN=:vno OR KIMLIKNO=:vno) AND (CARI_KOD<>:kodu) "
                               "ORDER BY CARI_KOD"));
    q.bind(QStringLiteral("vno"), numara.trimmed()).bind(QStringLiteral("kodu"), kod).exec();
    if (q.next())
        return q.str(QStringLiteral("CARI_KOD"));
    return std::nullopt;
}

QString KimlikNoKullanilmisText(const QString& kod)
{
    return QStringLiteral("Bu kimlik numarası ") + kod + QStringLiteral(" kodlu cari kayıtta kullanılmış..");
}

QString VergiNoKullanilmisText(const QString& kod)
{
    return QStringLiteral("Bu vergi numarası ") + kod + QStringLiteral(" kodlu cari kayıtta kullanılmış..");
}

std::optional<QString> MerkezBayiKullanan(const Db& db, const QString& bayiKod, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT FIRMA_ADI FROM CARI WHERE MERKEZ_BAYI=:MERKEZ_BAYI AND CARI_KOD<>:K"));
    q.bind(QStringLiteral("MERKEZ_BAYI"), bayiKod).bind(QStringLiteral("K"), kod).exec();
    if (q.next())
        return q.str(QStringLiteral("FIRMA_ADI"));
    return std::nullopt;
}

QString MerkezBayiSoruText(const QString& firmaAdi)
{
    return QStringLiteral("Bu Kod [\"") + firmaAdi
        + QStringLiteral("\"] adlı Caride zaten kullanılmaktadır. Yine de atamak istiyor musunuz?");
}

QString AlanKoduOneki(const Db& db, const QString& sehir)
{
    Query q(db, QStringLiteral("SELECT ALANKODU FROM SEHIR WHERE SEHIR=:S"));
    q.bind(QStringLiteral("S"), sehir).exec();
    QString kod = q.next() ? q.str(QStringLiteral("ALANKODU")).trimmed() : QString();
    if (kod.startsWith(QLatin1Char('0')))
        kod.remove(0, 1);
    const QString onek = QLatin1Char('(') + kod.leftJustified(3, QLatin1Char(' ')) + QLatin1Char(')');
    return onek == QLatin1String("(   )") ? QString() : onek;
}

QString TelefonaAlanKodu(const QString& onek, const QString& telefon)
{
    if (onek.isEmpty())
        return telefon;
    return onek + telefon.mid(5, 13);
}

std::optional<QString> CariSilKontrol(const Db& db, const QString& kod)
{
    // Every table that names an account; those of subsystems not installed are skipped.
    static const QList<QPair<const char*, const char*>> referanslar = {
        {"CARIHRK", "CARI_KOD"}, {"ISEMRI", "CARI_KOD"}, {"CSKART", "CARIKOD"},  {"CSBORAYR", "CARIKOD"},
        {"ALIS", "CARIKOD"},     {"SATIS", "CARIKOD"},   {"SERFAT", "CARI_KOD"}, {"BANKHRKA", "CARI_KOD"},
        {"DEPOHRK", "CARIKOD"},  {"FISGA", "KOD"}};
    const Dialect& d = db.dialect();
    for (const auto& [tablo, kolon] : referanslar) {
        const QString t = QLatin1String(tablo), c = QLatin1String(kolon);
        if (!d.tableExists(db, t) || !d.columnExists(db, t, c))
            continue;
        if (varMi(db, QStringLiteral("SELECT 1 FROM %1 WHERE %2=:K").arg(t, c), kod))
            return CariHareketVarText();
    }
    return std::nullopt;
}

void CariSil(const Db& db, const QString& kod)
{
    Transaction tx(db);
    if (const auto m = CariSilKontrol(db, kod))
        throw CariKartHatasi(*m, MsgIcon::Information);
    const QVariantMap b{{QStringLiteral("K"), kod}};
    db.exec(QStringLiteral("DELETE FROM CARIPER WHERE CP_CARI_KOD=:K"), b);
    db.exec(QStringLiteral("DELETE FROM CARIBANKA WHERE CARI_KOD=:K"), b);
    db.exec(QStringLiteral("DELETE FROM CARIPK WHERE CARI_KOD=:K"), b);
    db.exec(QStringLiteral("DELETE FROM CARI WHERE CARI_KOD=:K"), b);
    tx.commit();
}

QString QtMaskesi(const QString& orijinal)
{
    const QString govde = orijinal.section(QLatin1Char(';'), 0, 0);
    const QString bos = orijinal.section(QLatin1Char(';'), 2, 2);
    QString out;
    for (int i = 0; i < govde.size(); ++i) {
        const QChar c = govde.at(i);
        if (c == QLatin1Char('\\') && i + 1 < govde.size()) {
            out += QLatin1Char('\\');
            out += govde.at(++i);
        } else if (c == QLatin1Char('!')) {
            continue;
        } else if (c == QLatin1Char('0')) {
            out += QLatin1Char('9'); // required digit
        } else if (c == QLatin1Char('9')) {
            out += QLatin1Char('0'); // optional digit
        } else if (QStringLiteral("AaNnXxDdHhBb#[]{}<>").contains(c)) {
            out += QLatin1Char('\\');
            out += c;
        } else {
            out += c;
        }
    }
    return out + QLatin1Char(';') + (bos.isEmpty() ? QStringLiteral("_") : bos.left(1));
}

bool MaskeLiteralSaklar(const QString& orijinal)
{
    const QString s = orijinal.section(QLatin1Char(';'), 1, 1);
    return s.isEmpty() ? true : s != QLatin1String("0");
}

bool MaskeTamam(const QString& orijinal, const QString& deger)
{
    const QList<MaskeKonumu> konumlar = maskeKonumlari(orijinal);
    const bool literaller = MaskeLiteralSaklar(orijinal);
    int j = 0;
    for (const MaskeKonumu& k : konumlar) {
        if (k.tur == MaskeKonumu::Literal) {
            if (literaller)
                ++j;
            continue;
        }
        const QChar c = j < deger.size() ? deger.at(j) : QChar(QLatin1Char(' '));
        ++j;
        if (k.tur == MaskeKonumu::Zorunlu && !c.isDigit())
            return false;
    }
    return true;
}

QString MaskeliDeger(const QString& orijinal, const QString& gosterilen)
{
    const QList<MaskeKonumu> konumlar = maskeKonumlari(orijinal);
    const QString bos = orijinal.section(QLatin1Char(';'), 2, 2);
    const QChar bosKarakter = bos.isEmpty() ? QChar(QLatin1Char('_')) : bos.at(0);
    const bool literaller = MaskeLiteralSaklar(orijinal);
    QString out;
    bool rakamVar = false;
    for (int i = 0; i < konumlar.size(); ++i) {
        QChar c = i < gosterilen.size() ? gosterilen.at(i) : QChar(QLatin1Char(' '));
        if (konumlar.at(i).tur == MaskeKonumu::Literal) {
            if (literaller)
                out += konumlar.at(i).karakter;
            continue;
        }
        if (c == bosKarakter)
            c = QLatin1Char(' ');
        rakamVar = rakamVar || c.isDigit();
        out += c;
    }
    if (!rakamVar)
        return {};
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}

const QList<QPair<QString, QString>>& TahsilSekilleri()
{
    static const QList<QPair<QString, QString>> l = {
        {QString(), QString()},
        {QStringLiteral("Nakit"), QStringLiteral("N")},
        {QStringLiteral("Havale"), QStringLiteral("H")},
        {QStringLiteral("Çek"), QStringLiteral("C")},
        {QStringLiteral("Senet"), QStringLiteral("S")},
        {QStringLiteral("Kredi Kartı"), QStringLiteral("K")}};
    return l;
}

const QStringList& Meslekler()
{
    static const QStringList l = {QString(),
                                  QStringLiteral("AŞÇI"),
                                  QStringLiteral("DOKTOR"),
                                  QStringLiteral("ECZACI"),
                                  QStringLiteral("EMEKLİ"),
                                  QStringLiteral("EV K."),
                                  QStringLiteral("GARSON"),
                                  QStringLiteral("HEMŞİRE"),
                                  QStringLiteral("HİZMETLİ"),
                                  QStringLiteral("İŞÇİ"),
                                  QStringLiteral("MÜHENDİS"),
                                  QStringLiteral("OYUNCU"),
                                  QStringLiteral("ÖĞERTİM GÖREVLİSİ"),
                                  QStringLiteral("ÖĞRETMEN"),
                                  QStringLiteral("SANATÇI"),
                                  QStringLiteral("SERBEST MESLEK"),
                                  QStringLiteral("SPİKER"),
                                  QStringLiteral("ŞARKICI"),
                                  QStringLiteral("TÜCCAR"),
                                  QStringLiteral("YAPIMCI"),
                                  QStringLiteral("YÖNETMEN")};
    return l;
}

} // namespace tornaly::accounts
