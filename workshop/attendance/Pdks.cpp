#include "workshop/attendance/Pdks.h"

#include <algorithm>

namespace tornaly::workshop::pdks {

namespace {


// The characters of 1-based positions [from, to]; what lies past the end is empty.
QString alan(const QString& satir, int from, int to)
{
    if (from > satir.size())
        return {};
    return satir.mid(from - 1, to - from + 1);
}

// Day, month, hour and minute: the digits among the characters; a field past
// the end of the line is 0, one without a digit does not convert.
bool rakamlar(const QString& s, int& out)
{
    if (s.isEmpty()) {
        out = 0;
        return true;
    }
    QString d;
    for (QChar c : s)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            d += c;
    if (d.isEmpty())
        return false;
    out = d.toInt();
    return true;
}

QString sagdanKirp(QString s)
{
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    return s;
}

} // namespace

int KayitNoCevir(const QString& alanMetni, bool* ok)
{
    int i = 0;
    while (i < alanMetni.size() && alanMetni[i] == QLatin1Char(' '))
        ++i;
    const QString rest = alanMetni.mid(i);
    bool good = !rest.isEmpty();
    for (int j = 0; good && j < rest.size(); ++j) {
        const QChar c = rest[j];
        const bool sign = j == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-')) && rest.size() > 1;
        if (!sign && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            good = false;
    }
    int v = 0;
    if (good)
        v = rest.toInt(&good);
    if (ok)
        *ok = good;
    return good ? v : 0;
}

CihazSatiri CihazSatiriOku(const QString& satir, const QDateTime& simdi)
{
    CihazSatiri s;
    bool ok = false;
    s.SIRANO = KayitNoCevir(alan(satir, 1, 7), &ok);
    s.siraGecersiz = !ok;
    // The company server compared texts without their trailing blanks; here they are dropped on reading.
    s.CIHAZ_ID = sagdanKirp(alan(satir, 9, 22));
    int gun = 0, ay = 0, saat = 0, dakika = 0;
    bool cevrildi = rakamlar(alan(satir, 24, 25), gun) && rakamlar(alan(satir, 27, 28), ay)
                    && rakamlar(alan(satir, 33, 34), saat) && rakamlar(alan(satir, 36, 37), dakika);
    bool yilOk = false;
    const int yil = KayitNoCevir(QStringLiteral("20") + alan(satir, 30, 31), &yilOk);
    cevrildi = cevrildi && yilOk;
    const QDate tarih = cevrildi ? QDate(yil, ay, gun) : QDate();
    if (cevrildi && tarih.isValid() && saat < 24 && dakika < 60) {
        s.TARIH = tarih;
        s.SAAT = QDateTime(tarih, QTime(saat, dakika));
    } else {
        s.tarihGecersiz = true;
        s.TARIH = simdi.date();
        s.SAAT = QDateTime(simdi.date(), QTime(simdi.time().hour(), simdi.time().minute()));
    }
    s.TIPKOD = alan(satir, 39, 39).trimmed();
    if (s.TIPKOD.isEmpty())
        s.TIPKOD = QStringLiteral("C");
    // Work-order numbers have seven characters: the field runs to position 46
    // when the line holds it, so that a reading names its work order whole.
    s.IENO = sagdanKirp(alan(satir, 40, 46));
    if (s.IENO.trimmed().isEmpty())
        s.IENO = QStringLiteral("C");
    return s;
}

QString OkumaTipiAdi(const QString& t)
{
    if (t == QLatin1String("G"))
        return U("Giriş");
    if (t == QLatin1String("C"))
        return U("Çıkış");
    if (t == QLatin1String("I"))
        return U("İş Emri");
    if (t == QLatin1String("M"))
        return U("Mazeret");
    return t;
}

const QList<QPair<QString, QString>>& MazeretKodlari()
{
    static const QList<QPair<QString, QString>> kodlar{
        {U("001"), U("Atölye İşleri")}, {U("002"), U("Boş Zaman")},     {U("003"), U("Yardım")},
        {U("004"), U("İş Tekrarı")},    {U("005"), U("İzin")},          {U("006"), U("Eğitim")},
        {U("007"), U("Hastalık")},      {U("008"), U("Diğer")},         {U("009"), U("Parça Bekleme")},
        {U("010"), U("Ücretli İzin")},  {U("011"), U("PDI Çalışılan")}, {U("012"), U("Dahili İşler")},
        {U("013"), U("Yol Yardımı")}};
    return kodlar;
}

QString IsTipiAdi(const QString& t)
{
    static const QList<QPair<QString, QString>> tipler{
        {U("M"), U("Müşteri İşleri")}, {U("W1"), U("Atölye İşleri")},  {U("W2"), U("Boş Zaman")},
        {U("W3"), U("Yardım")},        {U("W4"), U("İş Tekrarı")},     {U("W5"), U("İzin")},
        {U("W6"), U("Eğitim")},        {U("W7"), U("Hastalık")},       {U("W8"), U("Vekalet")},
        {U("W9"), U("Parça Bekleme")}, {U("W10"), U("Ücretli İzin")},  {U("W11"), U("PDI Çalışılan")},
        {U("W12"), U("Dahili İşler")}, {U("W13"), U("Yol Yardımı")},   {U("I"), U("İş Emri")},
        {U("GA"), U("Garanti")},       {U("C"), U("Giriş-Çıkış")},     {U("G"), U("Giriş-Çıkış")},
        {U("WW2"), U("Ek Mesai")}};
    for (const auto& p : tipler)
        if (p.first == t)
            return p.second;
    for (const auto& p : MazeretKodlari())
        if (p.first == t)
            return p.second;
    return t;
}

double FiiliSure(const QDateTime& bas, const QDateTime& bit)
{
    const qint64 dakika = (bas.secsTo(bit) / 60) % (24 * 60);
    return double(dakika * 100 / 60);
}

void IsTipiBelirle(Aralik& a)
{
    a.isTipKoru = false;
    if (a.TIPKOD == QLatin1String("M")) {
        a.IS_TIP = QStringLiteral("W0");
        bool ok = false;
        const int kod = a.IENO.trimmed().toInt(&ok);
        if (ok && a.IENO.trimmed().size() == 3 && kod >= 1 && kod <= 10)
            a.IS_TIP = QStringLiteral("W%1").arg(kod);
    } else if (a.TIPKOD == QLatin1String("C")) {
        a.IS_TIP = QStringLiteral("C");
    } else if (a.TIPKOD == QLatin1String("I")) {
        a.IS_TIP = QStringLiteral("I");
        a.isTipKoru = true;
    } else {
        a.IS_TIP.clear();
        a.isTipKoru = true;
    }
}

namespace {

void sirala(QList<Okuma>& o)
{
    std::stable_sort(o.begin(), o.end(), [](const Okuma& a, const Okuma& b) {
        return a.SAAT != b.SAAT ? a.SAAT < b.SAAT : a.SIRANO < b.SIRANO;
    });
}

Aralik aralik(const QString& tip, const QString& ieno, const QDateTime& bas, int basNo, const QDateTime& bit,
              int sonNo, int anahtar)
{
    Aralik a;
    a.TIPKOD = tip;
    a.IENO = ieno;
    a.SAATBAS = bas;
    a.SIRANO_BAS = basNo;
    a.SAATBIT = bit;
    a.SIRANO_SON = sonNo;
    a.ESLEME_NO = anahtar;
    a.FIILISURE = FiiliSure(bas, bit);
    IsTipiBelirle(a);
    return a;
}

bool girisCikis(const Okuma& o) { return o.TIPKOD == QLatin1String("C"); }

void varlikAraliklari(const QList<Okuma>& o, QList<Aralik>& out)
{
    const QString C = QStringLiteral("C");
    const Okuma& ilk = o.first();
    const Okuma& son = o.last();
    QList<const Okuma*> cler;
    for (const Okuma& r : o)
        if (girisCikis(r))
            cler << &r;
    const qsizetype g = cler.size();
    if (g == 0) {
        out << aralik(C, C, ilk.SAAT, -1, son.SAAT, -1, -1);
    } else if (g == 1) {
        const Okuma& c = *cler.first();
        if (c.SAAT == ilk.SAAT)
            out << aralik(C, C, c.SAAT, c.SIRANO, son.SAAT, -1, c.SIRANO);
        else
            out << aralik(C, C, ilk.SAAT, -1, c.SAAT, c.SIRANO, c.SIRANO);
    } else if (g == 2) {
        out << aralik(C, C, cler[0]->SAAT, cler[0]->SIRANO, cler[1]->SAAT, cler[1]->SIRANO, cler[0]->SIRANO);
    } else {
        // The day's first and last readings by time decide whether it begins
        // and ends with an entry/exit reading.
        const bool basliyor = girisCikis(ilk);
        const bool bitiyor = girisCikis(son);
        const Okuma* acik = basliyor ? nullptr : &ilk;
        int n = basliyor ? 0 : 1;
        for (const Okuma* r : cler) {
            if (n % 2 == 1)
                out << aralik(C, C, acik->SAAT, acik->SIRANO, r->SAAT, r->SIRANO, acik->SIRANO);
            acik = r;
            ++n;
        }
        if (!bitiyor)
            out << aralik(C, C, acik->SAAT, acik->SIRANO, son.SAAT, son.SIRANO, acik->SIRANO);
    }
}

void isAraliklari(const QList<Okuma>& o, QList<Aralik>& out)
{
    const Okuma& son = o.last();
    for (qsizetype i = 0; i < o.size();) {
        const Okuma& r = o[i];
        if (girisCikis(r)) {
            ++i;
            continue;
        }
        const Okuma& s = i + 1 < o.size() ? o[i + 1] : r;
        const bool kapanis = s.IENO == r.IENO && s.TIPKOD == r.TIPKOD;
        Aralik a = s.SAAT != r.SAAT ? aralik(r.TIPKOD, r.IENO, r.SAAT, r.SIRANO, s.SAAT, s.SIRANO, r.SIRANO)
                                    : aralik(r.TIPKOD, r.IENO, r.SAAT, r.SIRANO, son.SAAT, -1, r.SIRANO);
        out << a;
        // A closing reading of the same work is used up by the interval it closes.
        i += (kapanis && s.SAAT != r.SAAT) ? 2 : 1;
    }
}

} // namespace

QList<Aralik> BasBitZamanHesapla(QList<Okuma> okumalar, bool varlik)
{
    QList<Aralik> out;
    if (okumalar.isEmpty())
        return out;
    sirala(okumalar);
    if (varlik)
        varlikAraliklari(okumalar, out);
    isAraliklari(okumalar, out);
    return out;
}

bool VarlikAraligiYapilir(const QDate& gun, QTime mesaiBitis, const QDateTime& dosyaZamani)
{
    if (!mesaiBitis.isValid())
        mesaiBitis = QTime(18, 0);
    return QDateTime(gun, mesaiBitis) < dosyaZamani;
}

QList<Aralik> ElleGirilenleriEsle(QList<Okuma> okumalar)
{
    QList<Aralik> out;
    if (okumalar.isEmpty())
        return out;
    sirala(okumalar);
    const Okuma& son = okumalar.last();
    for (qsizetype i = 0; i < okumalar.size(); ++i) {
        const Okuma& r = okumalar[i];
        if (r.TIPKOD == QLatin1String("G") || r.TIPKOD == QLatin1String("C"))
            continue;
        const bool sonuncu = i + 1 == okumalar.size();
        Aralik a = sonuncu ? aralik(r.TIPKOD, r.IENO, r.SAAT, r.SIRANO, son.SAAT, -1, r.SIRANO)
                           : aralik(r.TIPKOD, r.IENO, r.SAAT, r.SIRANO, okumalar[i + 1].SAAT,
                                    okumalar[i + 1].SIRANO, r.SIRANO);
        // "Hesapla" leaves the work type as it is.
        a.IS_TIP.clear();
        a.isTipKoru = true;
        out << a;
    }
    return out;
}

bool IsEmriGerekir(const QString& t)
{
    for (const char* k : {"I", "WW2", "004", "009", "013"})
        if (t == QLatin1String(k))
            return true;
    return false;
}

QDateTime ElleBitis(const QDateTime& bas, const QTime& bitSaat)
{
    QDateTime bit(bas.date(), bitSaat);
    if (bit < bas)
        bit = bit.addDays(1);
    return bit;
}

double ElleFiiliSure(const QDateTime& bas, const QDateTime& bit)
{
    return double(bas.msecsTo(bit)) / 3600000.0 * 100.0;
}

} // namespace tornaly::workshop::pdks
