#include "dm/DATA1.h"
#include "backup/DatabaseBackup.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "db/udbconn.h"
#include "dm/Klasorler.h"
#include "history/ChangeLogSchema.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QFileInfo>
#include <QHostInfo>
#include <QStorageInfo>

namespace tornaly {

namespace {

VehicleReminderWriter& reminderWriter()
{
    static VehicleReminderWriter w;
    return w;
}

} // namespace

TDiskDurumu MeasureStorage(const Db& db)
{
    TDiskDurumu d;
    if (db.backend() == Backend::SQLite) {
        const QStorageInfo volume(QFileInfo(db.profile().filePath).absolutePath());
        if (volume.isValid() && volume.isReady()) {
            d.dataFreeMb = volume.bytesAvailable() / (1024 * 1024);
            d.dataDrive = volume.rootPath();
        }
        return d;
    }
    // A PostgreSQL server keeps one write-ahead log for all its databases,
    // on its own machine: neither it nor the server's disks can be measured
    // from here, so nothing is reported as measured.
    return d;
}

void DiskUyarilari(const TDiskDurumu& d, const QString& sunucuTamAdi)
{
    const QString low = QStringLiteral(": Sürücüsündeki Boş Disk Alanı 500 MB ın altına düşmüştür. "
                                       "Lütfen Gerekli Önlemleri Alınız!");
    const QString sep = QStringLiteral("\\\\");
    if (d.logFreeMb > 0 && d.logFreeMb < 500)
        ShowWarning(sunucuTamAdi + sep + d.logDrive + low);
    else if (d.dataFreeMb > 0 && d.dataFreeMb < 500)
        ShowWarning(sunucuTamAdi + sep + d.dataDrive + low);
    if (d.logFileKb > 99999)
        ShowInfo(sunucuTamAdi + sep + d.logPath + QLatin1Char('\n')
                 + QStringLiteral("Yolunda bulunan log dosya boyutu 100 MB aşmış. Temizlemek için") + QLatin1Char('\n')
                 + QStringLiteral("Bakım Destek / Veri Düzenleme altındaki \"Veri Tabanı Log Dosyasını Temizle\" yi "
                                  "Tıklayınız."));
}

void SetVehicleReminderWriter(VehicleReminderWriter writer) { reminderWriter() = std::move(writer); }

int RunVehicleReminders(const Db& db, const QDateTime& now)
{
    const VehicleReminderWriter& w = reminderWriter();
    return w ? w(db, now) : 0;
}

namespace {
TDM1*& currentDataModule();
}

TDM1::TDM1(SessionContext& ctx, const TConnectionSettings& settings, const TDbParamLists& lists, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_settings(settings), m_lists(lists)
{
    setObjectName(QStringLiteral("DM1"));
    BoundQueryModel** models[] = {&QMarka, &TModel, &QDoviz, &QKur, &QSatisPer, &QModelKod,
                                  &QSehir, &TPersonel, &QOdemeTip, &QDepo, &QCariozel, &QCari};
    for (BoundQueryModel** m : models)
        *m = new BoundQueryModel(this);
}

TDM1::~TDM1()
{
    if (currentDataModule() == this)
        currentDataModule() = nullptr;
}

void TDM1::openCompanyDatabase()
{
    Db db = DBConn().openDatabase1();
    ApplyMigrations(db, DatabaseKind::Company);
    m_ctx.Database1 = db;
    // The history user belongs to the connection: a reopened one is told again.
    if (!m_ctx.AktifKullanici.login.isEmpty())
        SetChangeLogUser(db, m_ctx.AktifKullanici.login);
    if (db.backend() == Backend::SQLite) {
        m_ctx.VeritabaniAdi = QFileInfo(db.profile().filePath).completeBaseName();
        m_ctx.SunucuTamAdi = QHostInfo::localHostName();
    } else {
        Query q(db, QStringLiteral("SELECT current_database() AS DBNAME, "
                                   "COALESCE(host(inet_server_addr()), '') AS SUNUCU"));
        q.exec();
        if (q.next()) {
            m_ctx.VeritabaniAdi = q.str(QStringLiteral("DBNAME"));
            m_ctx.SunucuTamAdi = q.str(QStringLiteral("SUNUCU"));
        }
        if (m_ctx.SunucuTamAdi.isEmpty())
            m_ctx.SunucuTamAdi = db.profile().host.startsWith(QLatin1Char('/')) ? QHostInfo::localHostName()
                                                                                : db.profile().host;
    }
    SonYedek = SonYedekTarihi(db);
    getfirmaparams();
    getMuhasebeParam();
    getParams();
}

bool TDM1::DM1Create()
{
    m_open = false;
    m_ctx.BazTarih = QDate(2000, 1, 1);
    SetupMoneyFormats(m_ctx);
    ApplyConnectionParams(DBConn(), m_settings, m_lists, m_ctx.AktifKullanici.login, m_ctx.UretBKod);
    KlasorleriKur();

    try {
        openCompanyDatabase();
    } catch (const DbError& e) {
        m_ctx.Database1 = Db();
        Db::close(TDBConn::Database1Name);
        ShowError(QStringLiteral("Hata :") + e.text());
        return false;
    }

    if (m_ctx.VeritabaniAdi.right(4) != m_ctx.CalismaYili) {
        ShowError(QStringLiteral("Hata: Firma yılı ile veritabanı ismi uyumsuz!"));
        m_ctx.Database1 = Db();
        Db::close(TDBConn::Database1Name);
        return false;
    }

    try {
        openLookups();
        try {
            DiskUyarilari(MeasureStorage(m_ctx.Database1), m_ctx.SunucuTamAdi);
        } catch (const DbError&) {
            // Sizes that cannot be read give no warning.
        }
        RunVehicleReminders(m_ctx.Database1, ServerNow(m_ctx.Database1));
        RepIsemriTip.clear();
        RepIsemriTipChk.clear();
        // Work-order types come with the workshop's tables.
        if (m_ctx.Database1.dialect().tableExists(m_ctx.Database1, QStringLiteral("ISEMRITIP"))) {
            FillComboFromSql(RepIsemriTipChk, m_ctx.Database1,
                             QStringLiteral("SELECT ISEMRI_TIP, ISEMRI_TIP_ADI FROM ISEMRITIP"));
            for (const auto& [tip, adi] : std::as_const(RepIsemriTipChk))
                RepIsemriTip << tip + QLatin1Char('=') + adi;
        }
        m_ctx.MarkaBayiModu = m_ctx.MarkaBayiModu2 = m_ctx.MarkaBayiModu3 = false;
        m_ctx.SunucuTarihi = ServerNow(m_ctx.Database1);
    } catch (const DbError& e) {
        ShowError(e.text());
        m_ctx.Database1 = Db();
        Db::close(TDBConn::Database1Name);
        return false;
    }
    m_open = true;
    // The module whose look-ups the program shows: card forms refresh them through TanimlariYenile.
    currentDataModule() = this;
    return true;
}

namespace {
QString personelSql()
{
    return QStringLiteral("SELECT ISCI_KOD ,ISCI_ADI ,ISCI_TIP ,IS_BAS_TRH ,AYRILIS_TRH ,BOLUMU ,GOREVI ,GRUBU "
                          ",CIHAZ_ID ,EMAIL ,TEL1 ,TEL2 ,LISTE_SIRA, "
                          "CASE WHEN AYRILIS_TRH > :AYRILIS THEN 1 ELSE 0 END AS AYRILDI "
                          "FROM ISCIUSTA ORDER BY ISCI_ADI");
}
QVariantMap personelBinds()
{
    return {{QStringLiteral("AYRILIS"), QDateTime(QDate(1900, 4, 9), QTime(0, 0))}};
}
QString cariSql() { return QStringLiteral("SELECT CARI_KOD,FIRMA_ADI,ACIKLAMA\nFROM CARI\nORDER BY CARI_KOD"); }

TDM1*& currentDataModule()
{
    static TDM1* dm = nullptr;
    return dm;
}
} // namespace

void TDM1::TanimlariYenile(const QString& name)
{
    const Db db = m_ctx.Database1;
    if (!db.isValid())
        return;
    auto reopen = [&](BoundQueryModel* model, const QString& table, const QString& sql, const QVariantMap& binds) {
        if (!db.dialect().tableExists(db, table))
            return;
        model->close();
        model->setStatement(db, sql, binds);
        model->open();
    };
    if (name.isEmpty() || name == QLatin1String("CARI"))
        reopen(QCari, QStringLiteral("CARI"), cariSql(), {});
    if (name.isEmpty() || name == QLatin1String("ISCIUSTA"))
        reopen(TPersonel, QStringLiteral("ISCIUSTA"), personelSql(), personelBinds());
}

TDM1* TDM1::current() { return currentDataModule(); }

void TanimlariYenile(const QString& name)
{
    if (TDM1* dm = TDM1::current())
        dm->TanimlariYenile(name);
}

void TDM1::openLookups()
{
    const Db db = m_ctx.Database1;
    const Dialect& d = db.dialect();
    struct Liste {
        BoundQueryModel* model;
        const char* table;
        QString sql;
        QVariantMap binds;
    };
    QString depoSql = QStringLiteral("SELECT DEPO_KODU, DEPO_ADI FROM DEPO\n");
    QVariantMap depoBinds;
    if (!m_ctx.ServisDepoKodu.isEmpty()) {
        depoSql += QStringLiteral("WHERE DEPO_KODU<>:SERVIS");
        depoBinds.insert(QStringLiteral("SERVIS"), m_ctx.ServisDepoKodu);
    } else {
        depoSql += QStringLiteral(" ");
    }
    depoSql += QStringLiteral("\nORDER BY SIRA");
    const Liste listeler[] = {
        {QMarka, "MARKALAR", QStringLiteral("SELECT MARKA_KOD FROM MARKALAR ORDER BY MARKA_KOD"), {}},
        {TModel, "MODEL",
         QStringLiteral("SELECT ARC_MODEL_KODU, ARC_MODEL_ADI, MARKA, MODEL, "
                        "CASE WHEN SIP_VERILEBILIR <> 0 THEN 1 ELSE 0 END AS SIP, "
                        "CASE WHEN POQ_VER <> 0 THEN 1 ELSE 0 END AS POQ "
                        "FROM MODEL ORDER BY MARKA, MODEL, ARC_MODEL_ADI"),
         {}},
        {QDoviz, "DOVIZ", QStringLiteral("SELECT * FROM DOVIZ"), {}},
        {QKur, "KURDEGER",
         QStringLiteral("SELECT * FROM KURDEGER WHERE DOVIZ_KODU IN ('USD', 'EUR', 'EURO') "
                        "ORDER BY TARIH DESC LIMIT 1"),
         {}},
        {QSatisPer, "ISCIUSTA",
         QStringLiteral("SELECT ISCI_KOD, ISCI_ADI FROM ISCIUSTA WHERE BOLUMU IN ('S', 'H') "
                        "OR (GRUBU = 'A' AND ISCI_TIP = 'M') ORDER BY ISCI_ADI"),
         {}},
        {QModelKod, "MODELKOD", QStringLiteral("SELECT * FROM MODELKOD"), {}},
        {QSehir, "SEHIR", QStringLiteral("SELECT * FROM SEHIR ORDER BY SEHIR"), {}},
        {TPersonel, "ISCIUSTA", personelSql(), personelBinds()},
        {QCari, "CARI", cariSql(), {}},
        {QOdemeTip, "ODEPLAN", QStringLiteral("SELECT ODE_KOD, ADI, ODE_TIP, HESAP_NO FROM ODEPLAN ORDER BY ODE_KOD"), {}},
        {QDepo, "DEPO", depoSql, depoBinds},
        {QCariozel, "CARIG", QStringLiteral("SELECT CG_NO, CG_KOD FROM CARIG ORDER BY CG_NO, CG_KOD"), {}},
    };
    for (const Liste& l : listeler) {
        // A list whose table belongs to a subsystem not in this database stays empty.
        if (!d.tableExists(db, QString::fromLatin1(l.table))) {
            l.model->close();
            continue;
        }
        l.model->setStatement(db, l.sql, l.binds);
        l.model->open();
    }
}

void FirmaKodlariniAl(SessionContext& ctx, const std::function<QString(const char*)>& column)
{
    ctx.FirmaEAdi = column("EADI");
    ctx.UretBKod = column("URET_BKOD");
    ctx.DistBKod = column("DIST_BKOD");
    ctx.TedBKod = column("TED_BKOD");
    ctx.UretCKod = column("URET_CKOD");
    ctx.DistCKod = column("DIST_CKOD");
    ctx.TedCKod = column("TED_CKOD");
}

void TDM1::getfirmaparams()
{
    Query q(m_ctx.Database1, QStringLiteral("SELECT * FROM FIRKIM"));
    q.exec();
    const bool row = q.next();
    auto s = [&](const char* c) { return row ? q.str(QString::fromLatin1(c)) : QString(); };
    FirmaKodlariniAl(m_ctx, s);
    const QString yerel = s("YEREL_PARA").trimmed();
    if (yerel.isEmpty()) {
        m_ctx.YerelPara = QStringLiteral("TL");
        m_ctx.YerelKurus = QStringLiteral("KR");
    } else {
        m_ctx.YerelPara = yerel.left(5);
        m_ctx.YerelKurus = s("YEREL_KURUS").trimmed().left(5);
    }
    bool ok = false;
    const int claim = s("CLAIM_KOD").trimmed().toInt(&ok);
    m_ctx.ClaimKodNo = ok ? claim : 0;

    TFirma = TFirmaKaydi();
    TFirma.KOD = s("URET_BKOD");
    TFirma.FIRMA_ADI = s("EADI");
    TFirma.UNVAN = s("OZEL1");
    TFirma.ADRES1 = s("ADR1");
    TFirma.ADRES2 = s("ADR2");
    TFirma.ADRES3 = s("ADR3");
    TFirma.TEL1 = s("TLF");
    TFirma.TEL2 = s("TLF2");
    TFirma.FAX = s("FAX");
    TFirma.VD = s("VERGIDAIRE");
    TFirma.VN = s("VERGINO");
    TFirma.TED_BKOD = s("TED_BKOD");
    TFirma.KISA_ADI = s("MESULAD");
    TFirma.TAM_FIRMA_ADI = (s("EADI") + QLatin1Char(' ') + s("OZEL1")).trimmed();
    TFirma.TAM_ADRES = (s("ADR1") + QLatin1Char(' ') + s("ADR2")).trimmed() + QLatin1Char(' ') + s("ADR3")
                     + QStringLiteral(" /") + s("ILI");
    TFirma.MAIL = s("MAIL");
    TFirma.WEB = s("WEB");
    m_ctx.EkKontrolModu = false;
}

void TDM1::getMuhasebeParam()
{
    // A database without the accounting tables has no ledger to lock and
    // keeps the accounting defaults.
    const Db& db = m_ctx.Database1;
    if (!db.dialect().tableExists(db, QStringLiteral("PARAMUH"))
        && !db.dialect().tableExists(db, QStringLiteral("PARAMETRE"))) {
        m_ctx.KilitTarihi = QDate();
        return;
    }
    try {
        Query q(m_ctx.Database1, QStringLiteral("SELECT KILIT_TRH FROM PARAMUH"));
        q.exec();
        m_ctx.KilitTarihi = q.next() && !q.isNull(QStringLiteral("KILIT_TRH")) ? q.date(QStringLiteral("KILIT_TRH"))
                                                                                : QDate();
    } catch (const DbError&) {
        // A lock date that cannot be read locks the whole working year.
        const int year = m_ctx.CalismaYiliNo > 0 ? m_ctx.CalismaYiliNo : m_ctx.CalismaYili.toInt();
        m_ctx.KilitTarihi = QDate(year + 1, 1, 1);
    }

    Query q(m_ctx.Database1, QStringLiteral("SELECT * FROM PARAMETRE"));
    q.exec();
    const bool row = q.next();
    auto s = [&](const char* c) { return row ? q.str(QString::fromLatin1(c)) : QString(); };
    auto n = [&](const char* c) { return row ? q.num(QString::fromLatin1(c)) : 0.0; };
    auto hane = [&](const char* c) { return std::max(0, int(n(c))); };
    m_ctx.HspKdvKod = s("HSP_KDV_KOD");
    m_ctx.IndirKdvKod = s("INDIR_KDV_KOD");
    m_ctx.DfKdv = n("DF_KDV");
    m_ctx.MuavinHane = hane("MUAVIN_HANE");
    m_ctx.TaliHane = hane("TALI_HANE");
    m_ctx.DetayHane = hane("DETAY_HANE");
    m_ctx.HesapSeviye = s("SEVIYE").left(1);
    m_ctx.AlfaDurum = s("ALFADURUM").left(1);
    m_ctx.HesapAyrac = s("AYRAC").left(1);
}

void TDM1::getParams()
{
    Query q(m_ctx.Database1, QStringLiteral("SELECT *\nFROM PARAMET"));
    q.exec();
    const bool row = q.next();
    auto s = [&](const char* c) { return row ? q.str(QString::fromLatin1(c)) : QString(); };
    auto n = [&](const char* c) { return row ? q.num(QString::fromLatin1(c)) : 0.0; };
    auto i = [&](const char* c) { return int(n(c)); };
    m_ctx.DovizliBky = i("DOVIZLI_BKY");
    m_ctx.ClaimPrcIsk = n("CLAIM_PRC_ISK");
    m_ctx.ClaimIscIsk = n("CLAIM_ISC_ISK");
    m_ctx.StokIskonto = n("STOK_ISKONTO");
    m_ctx.AcilIskonto = n("ACIL_ISKONTO");
    m_ctx.FatKilitTrh = row && !q.isNull(QStringLiteral("FAT_KILIT_TRH")) ? q.date(QStringLiteral("FAT_KILIT_TRH"))
                                                                            : QDate();
    m_ctx.CariMsgVar = s("CARIMSGVAR");
    m_ctx.SatSipAciklama = i("SATSIP_ACIKLAMA");
    m_ctx.ModulSevk = i("MODUL_SEVK");
    m_ctx.FatYuvarTip = s("FATYUVARTIP");
    m_ctx.NegatifStok = i("NEGATIF_STOK") == 1;
    m_ctx.AktifKullanici.ft_isk_tip = i("FTISKTIP");
    m_ctx.AktifKullanici.maliyet_uyari = i("MALIYET_UYARI");
    m_ctx.IscMark = s("ISC_MARK");
}

} // namespace tornaly
