#include "dm/DatMLis.h"
#include "context/SessionContext.h"
#include "dm/DATA1.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QWidget>

namespace tornaly {

namespace {

// The group heading a menu row hangs under: the top-level entries (the
// modules and the report groups) sit at the top; every other row hangs under
// the nearest heading (an id ending in 0) below it, and the headings under
// their module.
int parentOf(int id)
{
    static const QList<int> top = {10, 20, 30, 40, 45, 50, 70, 80, 90, 91, 1010, 1120, 1230, 1370, 9999};
    if (top.contains(id))
        return 0;
    if (id >= 1000)
        return id < 1120 ? 1010 : id < 1230 ? 1120 : id < 1370 ? 1230 : 1370;
    if (id % 10 != 0) {
        for (int p = id - id % 10; p >= id - id % 100; p -= 10)
            for (const auto& c : MenuBasliklari())
                if (c.first == p)
                    return p;
    }
    switch (id / 100) {
    case 1: case 3: return 30;
    case 2: return 20;
    case 4: return id < 450 ? 40 : 45;
    case 5: return 50;
    case 7: return 70;
    case 8: return id == 820 ? 10 : 80;
    default: return 0;
    }
}

bool inMenu(int id) { return (id >= 2 && id <= 999) || id == 9999; }
bool inList(int id) { return (id >= 1001 && id <= 1999) || id == 9999; }

void setCaption(QList<TMenuSatiri>& table, int id, const QString& text)
{
    for (TMenuSatiri& r : table)
        if (r.ID == id) {
            r.TANIMW = text;
            return;
        }
}

} // namespace

const QList<QPair<int, QString>>& MenuBasliklari()
{
    static const QList<QPair<int, QString>> captions = {
        {10, QStringLiteral("İkinci El Araç Yönetimi")},
        {20, QStringLiteral("Araç Yönetimi")},
        {30, QStringLiteral("Stok Yönetimi")},
        {40, QStringLiteral("Alış Fatura İşlemleri")},
        {45, QStringLiteral("Satış Fatura İşlemleri")},
        {50, QStringLiteral("Servis Yönetimi")},
        {70, QStringLiteral("Finans")},
        {80, QStringLiteral("Personel")},
        {90, QStringLiteral("Liste Raporlar")},
        {91, QStringLiteral("Sistem Yönetimi")},
        {100, QStringLiteral("Ana Kayıtlar")},
        {110, QStringLiteral("Alış İşlemleri")},
        {120, QStringLiteral("Satış İşlemleri")},
        {150, QStringLiteral("Depo Tanımları")},
        {151, QStringLiteral("Stok Grup")},
        {152, QStringLiteral("Ambalaj Tanımları")},
        {153, QStringLiteral("Stok Resimleri")},
        {200, QStringLiteral("Ana Kayıtlar")},
        {201, QStringLiteral("Araç Kartları")},
        {202, QStringLiteral("Marka")},
        {203, QStringLiteral("Tip Tanımları")},
        {204, QStringLiteral("Model Tanımları")},
        {205, QStringLiteral("Renk Tanımları")},
        {206, QStringLiteral("Aksesuar Tanımları")},
        {210, QStringLiteral("Kesin Araç Siparişi")},
        {211, QStringLiteral("Araç Alış")},
        {212, QStringLiteral("Araç Stok")},
        {220, QStringLiteral("Satış İşlemleri")},
        {221, QStringLiteral("Araç Stok")},
        {222, QStringLiteral("Potansiyel Müşteri")},
        {223, QStringLiteral("Müşteri Siparişi")},
        {224, QStringLiteral("Araç Satış")},
        {225, QStringLiteral("Beyanname")},
        {226, QStringLiteral("Satış Faturası")},
        {227, QStringLiteral("Müşteri Bilgi Formu")},
        {228, QStringLiteral("Araç Ruhsat")},
        {300, QStringLiteral("Ana Kayıtlar")},
        {350, QStringLiteral("Hareketler")},
        {351, QStringLiteral("Depo Stokları")},
        {352, QStringLiteral("Stok Fişleri")},
        {353, QStringLiteral("Stok Kayıtları")},
        {410, QStringLiteral("Ana Kayıtlar")},
        {420, QStringLiteral("Hareketler")},
        {421, QStringLiteral("Alış İşlemleri")},
        {422, QStringLiteral("Verilen Sipariş")},
        {450, QStringLiteral("Ana Kayıtlar")},
        {460, QStringLiteral("Hareketler")},
        {461, QStringLiteral("Teklif İşlemleri")},
        {462, QStringLiteral("Alınan Sipariş")},
        {463, QStringLiteral("Satış İşlemleri")},
        {510, QStringLiteral("Ana Kayıtlar")},
        {511, QStringLiteral("Hasar Kodları")},
        {512, QStringLiteral("İşcilik Kodları")},
        {520, QStringLiteral("Hareketler")},
        {521, QStringLiteral("Araç Ruhsat")},
        {522, QStringLiteral("Ekspertiz kayıtları")},
        {523, QStringLiteral("Garanti Talep")},
        {524, QStringLiteral("Teklif")},
        {525, QStringLiteral("Bakım paketleri")},
        {550, QStringLiteral("İş emirleri")},
        {551, QStringLiteral("Randevu Kayıtları")},
        {552, QStringLiteral("İş emri Kayıtları")},
        {553, QStringLiteral("İş emri açma")},
        {554, QStringLiteral("Yedek parça")},
        {555, QStringLiteral("İş emri kapama")},
        {556, QStringLiteral("İş emri fatura")},
        {590, QStringLiteral("Pdks")},
        {591, QStringLiteral("Pdks Günlük Dosya Bilgileri")},
        {592, QStringLiteral("Pdks Bilgilerine Bak")},
        {593, QStringLiteral("Personel Çalışma Grafiği")},
        {700, QStringLiteral("Ana Kayıtlar")},
        {710, QStringLiteral("Cari Kayıtları")},
        {711, QStringLiteral("Banka")},
        {712, QStringLiteral("Kasa")},
        {713, QStringLiteral("Döviz Kurları")},
        {714, QStringLiteral("Ödeme Tahsilat Planı")},
        {715, QStringLiteral("Cari Grup Tanımları")},
        {716, QStringLiteral("Hizmet / İşçilik")},
        {717, QStringLiteral("Genel Gider Raporu Tanımları")},
        {730, QStringLiteral("Çek / Senet İşlemleri")},
        {731, QStringLiteral("Çek/ Senet Kartı")},
        {732, QStringLiteral("Çek/ Senet Bordroları")},
        {740, QStringLiteral("Hareketler")},
        {741, QStringLiteral("Cari Hareket Girişleri")},
        {742, QStringLiteral("Banka Hareketleri")},
        {744, QStringLiteral("Fiş Giriş")},
        {745, QStringLiteral("Kasa İşlemleri")},
        {799, QStringLiteral("Genel Muhasebe")},
        {800, QStringLiteral("Personel Kartları")},
        {820, QStringLiteral("2.El")},
        {1010, QStringLiteral("Servis Raporları")},
        {1020, QStringLiteral("İş Emirleri Listesi")},
        {1030, QStringLiteral("Servis İşemri Faturaları")},
        {1040, QStringLiteral("Servisteki Araçlar Listesi")},
        {1050, QStringLiteral("Araçların Serviste Kalış Süreleri")},
        {1060, QStringLiteral("Hasar Listeleri")},
        {1070, QStringLiteral("Araç Sigorta Raporu")},
        {1080, QStringLiteral("Servis Rapor (Tarihe Göre)")},
        {1090, QStringLiteral("Satış Fat.Banko-İşemri")},
        {1100, QStringLiteral("Tahmini Geliş Zamanı/Ortalama Bakım Km")},
        {1110, QStringLiteral("Yapılan İşçilikler Listesi")},
        {1120, QStringLiteral("Yedek Parça Raporları")},
        {1130, QStringLiteral("Yedek Parça Tüketim")},
        {1140, QStringLiteral("Yedek Parça Alış Faturaları Listesi")},
        {1150, QStringLiteral("Yedek Parça Stok Hareketleri")},
        {1160, QStringLiteral("Yedek Parça Stok Bilgileri")},
        {1170, QStringLiteral("En Çok Kullanılan Yedek Parçalar")},
        {1180, QStringLiteral("Bekleyen Parça (Backorder) Listesi")},
        {1190, QStringLiteral("Parça Bekleyen İşemirleri")},
        {1200, QStringLiteral("Maliyet Analiz")},
        {1210, QStringLiteral("Envanter Raporu")},
        {1220, QStringLiteral("Satış Fatura Maliyet")},
        {1230, QStringLiteral("Finans Raporları")},
        {1240, QStringLiteral("Cari Hesap Listesi")},
        {1250, QStringLiteral("Cari Hareketler Listesi")},
        {1260, QStringLiteral("Borç Kapama Rapor")},
        {1270, QStringLiteral("Kasa Raporu")},
        {1280, QStringLiteral("Kasa Ekstresi")},
        {1290, QStringLiteral("Kasa Fişleri Raporu")},
        {1300, QStringLiteral("Çek Senet Kartları Listesi")},
        {1310, QStringLiteral("Çek Senet Bordroları Listesi")},
        {1320, QStringLiteral("Banka Hareketleri Listesi")},
        {1330, QStringLiteral("Gelir-Gider Tablosu")},
        {1340, QStringLiteral("Ayrıntılı Finansal Rapor")},
        {1350, QStringLiteral("Mizan Raporu")},
        {1360, QStringLiteral("Genel Gider Raporu")},
        {1370, QStringLiteral("CRM")},
        {1380, QStringLiteral("Servis Anket Raporu")},
        {1390, QStringLiteral("Müşteri Şikayetleri Raporu")},
        {1400, QStringLiteral("Personel Listesi")},
        {1410, QStringLiteral("Personel Bilgileri")},
        {1420, QStringLiteral("Genel Değerlendirme Raporları")},
        {1430, QStringLiteral("Aylık Y.P. Fatura Toplamları")},
        {1440, QStringLiteral("Aylık İşemri Yoğunluğu")},
        {1450, QStringLiteral("Aylık Servis - Yedek Parça Raporu")},
        {9999, QStringLiteral("Çıkış")},
    };
    return captions;
}

TMenuTablolari::TMenuTablolari()
{
    for (const auto& c : MenuBasliklari()) {
        TMenuSatiri r;
        r.ID = c.first;
        r.PARENT = parentOf(c.first);
        r.TANIM = c.second;
        if (inMenu(c.first))
            dxMenu << r;
        if (inList(c.first))
            dxMenuList << r;
    }
}

void TMenuTablolari::SetMenuItems(int ProgramNo)
{
    if (ProgramNo == 1)
        dxMenu.removeIf([](const TMenuSatiri& r) { return r.MODUL == 2; });
    for (const auto& c : MenuBasliklari())
        SetMenuItem(c.first, QCoreApplication::translate("TDM1", c.second.toUtf8().constData()));
}

void TMenuTablolari::SetMenuItem(int MenuId, const QString& MenuText)
{
    if (inMenu(MenuId))
        setCaption(dxMenu, MenuId, MenuText);
    if (inList(MenuId))
        setCaption(dxMenuList, MenuId, MenuText);
}

TDatM::TDatM(SessionContext& ctx) : m_ctx(ctx) {}

void TDatM::DatMCreate()
{
    Query q(m_ctx.Database1, QStringLiteral("SELECT EADI, URET_BKOD, DIST_BKOD, TED_BKOD, URET_CKOD, DIST_CKOD, "
                                            "TED_CKOD FROM FIRKIM"));
    q.exec();
    const bool row = q.next();
    const auto s = [&](const char* c) { return row ? q.str(QString::fromLatin1(c)) : QString(); };
    FirmaKodlariniAl(m_ctx, s);
    GridDesign2Ini = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("GridDesign2.ini"));
}

QString CheckGroupToBits(const QList<bool>& items)
{
    QString text;
    for (bool on : items)
        text += on ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

void CheckGroupToBits(const QWidget* group, QString& text)
{
    QList<bool> items;
    if (group)
        for (const QCheckBox* box : group->findChildren<QCheckBox*>())
            items << box->isChecked();
    text = CheckGroupToBits(items);
}

void RaporCalismaTablosu(const Db& db, const QString& table, const QString& columns)
{
    if (!Dialect::isPlainIdentifier(table))
        throw DbError(DbError::Kind::Other, QStringLiteral("Geçersiz tablo adı: %1").arg(table));
    // Names cannot be bound; the table name was checked and the columns are the program's own text.
    db.exec(QStringLiteral("CREATE TEMPORARY TABLE IF NOT EXISTS %1 (%2)").arg(table, columns));
    db.exec(QStringLiteral("DELETE FROM %1").arg(table));
}

QString CaprazBaslik(const QString& caption)
{
    return caption.size() == 1 ? QLatin1Char(' ') + caption : caption;
}

} // namespace tornaly
