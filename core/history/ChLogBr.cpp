#include "history/ChLogBr.h"
#include "history/ChangeLogSchema.h"

#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "export/TableExport.h"
#include "sql/SqlHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly {

namespace {

QStringList master(const QString& cols, const QString& from, const QString& key)
{
    return {QStringLiteral("SELECT LOG_STATE, LOG_DATE, LOG_USER, ") + cols, QStringLiteral("FROM ") + from,
            QStringLiteral("WHERE %1=:%1").arg(key), QString(), QStringLiteral("ORDER BY LOG_DATE DESC")};
}

QString lines(const QString& cols, const QString& fromWhere)
{
    return QStringLiteral("SELECT LOG_STATE, LOG_DATE, LOG_USER, %1\n%2\nORDER BY LOG_DATE DESC").arg(cols, fromWhere);
}

QStringList caps(std::initializer_list<const char*> rest)
{
    QStringList c{QStringLiteral("İşlem Tipi"), QStringLiteral("İşlem Trh."), QStringLiteral("Kullanıcı")};
    for (const char* s : rest)
        c << QString::fromUtf8(s);
    return c;
}

const QList<ChangeLogKind>& kinds()
{
    static const QList<ChangeLogKind> list = [] {
        QList<ChangeLogKind> k;
        k.append({QStringLiteral("ALIS"), QStringLiteral("Alışların Geçmiş Listesi"), QStringLiteral("CLOG_ALIS"),
                  QStringLiteral("ALIS_NO"),
                  master(QStringLiteral("ALIS_NO, FATARIH, SAAT, FATIRSNO, CARIKOD, FIS_NO, BRUTTUT, KDVTUT, YUZDE, "
                                        "INR_YUZD, NETTUT"),
                         QStringLiteral("CLOG_ALIS"), QStringLiteral("ALIS_NO")),
                  lines(QStringLiteral("ALIS_NO, SIRANO, STOK_KODU, STOK_ADI, KDV, FIYAT_DOVIZ, DOVIZ_KODU, FIYAT_TL, MIKTAR"),
                        QStringLiteral("FROM CLOG_ALISAYR\nWHERE ALIS_NO=:ALIS_NO")),
                  {QStringLiteral("CLOG_ALIS"), QStringLiteral("CLOG_ALISAYR")},
                  caps({"Alış No", "Fatura Trh.", "Saat", "Fatura No", "Cari Kodu", "Muh.Fiş No", "Brüt Tut.",
                        "Kdv Tut.", "İsk.", "İsk. Tut.", "Net Tut."}),
                  caps({"Alış No", "Sıra", "Stok Kodu", "Stok Adı", "Kdv", "Fiyat", "Döviz", "Fiyat TL", "Miktar"})});
        k.append({QStringLiteral("SATIS"), QStringLiteral("Satışların Geçmiş Listesi"), QStringLiteral("CLOG_SATIS"),
                  QStringLiteral("SATIS_NO"),
                  master(QStringLiteral("SATIS_NO, FATARIH, SAAT, FATIRSNO, CARIKOD, FIS_NO, BRUTTUT, KDVTUT, YUZDE, "
                                        "INR_YUZD, NETTUT"),
                         QStringLiteral("CLOG_SATIS"), QStringLiteral("SATIS_NO")),
                  lines(QStringLiteral("SATIS_NO, SIRANO, STOK_KODU, STOK_ADI, KDV, MIKTAR, FIYAT, (MIKTAR*FIYAT) AS TUTAR"),
                        QStringLiteral("FROM CLOG_SATISAYR\nWHERE SATIS_NO=:SATIS_NO")),
                  {QStringLiteral("CLOG_SATIS"), QStringLiteral("CLOG_SATISAYR")},
                  caps({"Satış No", "Fatura Trh.", "Saat", "Fatura No", "Cari Kodu", "Muh.Fiş No", "Brüt Tut.",
                        "Kdv Tut.", "İsk.", "İsk. Tut.", "Net Tut."}),
                  caps({"Satış No", "Sıra", "Stok Kodu", "Stok Adı", "Kdv", "Miktar", "Fiyat", "Tutar"})});
        k.append({QStringLiteral("ISEMRI"), QStringLiteral("İşemri Geçmiş Listesi"), QStringLiteral("CLOG_ISEMRI"),
                  QStringLiteral("IS_EMRI_NO"),
                  master(QStringLiteral("IS_EMRI_NO, ARAC_GIRIS_TRH, TAHMINI_TES_TRH, KAPANDI, CARI_KOD, PLAKA_NO, "
                                        "SASI_NO, DEPO_YAP"),
                         QStringLiteral("CLOG_ISEMRI"), QStringLiteral("IS_EMRI_NO")),
                  lines(QStringLiteral("ISEMRI_NO, STOK_KOD_NO, YEDEK_P_ADI, KDV, TESLIM_MIKTAR, STOK_FIYATI"),
                        QStringLiteral("FROM CLOG_ISEAYRIN\nWHERE ISEMRI_NO=:IS_EMRI_NO")),
                  {QStringLiteral("CLOG_ISEMRI"), QStringLiteral("CLOG_ISEAYRIN"), QStringLiteral("CLOG_ISCILIK")},
                  caps({"İşemri No", "Araç Giriş Trh.", "Tahmini Teslim Trh.", "Kapandı", "Cari Kodu", "Plaka No",
                        "Şasi No", "Depo Yap."}),
                  caps({"İşemri No", "Stok Kodu", "Yedek Parça Adı", "Kdv", "Teslim Miktarı", "Stok Fiyatı"})});
        k.append({QStringLiteral("SERFAT"), QStringLiteral("İşemri Fatura Geçmiş Listesi"), QStringLiteral("CLOG_SERFAT"),
                  QStringLiteral("SATIS_NO"),
                  master(QStringLiteral("SATIS_NO, FAT_NO, FAT_TUR, IS_EMRI_NO, TARIH, SAAT, CARI_KOD, CARI_AD, "
                                        "TOPLAM_TUTAR, GARANTI_TUTAR, KDV_TUTARI, FIS_NO, INDIRIM, NET_TUTAR"),
                         QStringLiteral("CLOG_SERFAT"), QStringLiteral("SATIS_NO")),
                  lines(QStringLiteral("SATIS_NO, SIRA, PARCA_ISCILIK, PI_KOD, PI_AD, MIKTAR, BIRIM_FIYAT, KDV"),
                        QStringLiteral("FROM CLOG_SERFATDT\nWHERE SATIS_NO=:SATIS_NO")),
                  {QStringLiteral("CLOG_SERFAT"), QStringLiteral("CLOG_SERFATDT")},
                  caps({"Satış No", "Fatura No", "Fatura Türü", "İşemri No", "Tarih", "Saat", "Cari Kodu", "Cari Adı",
                        "Toplam Tut.", "Garanti Tut.", "Kdv Tut.", "Muh.Fiş No", "İndirim", "Net Tut."}),
                  caps({"Satış No", "Sıra", "Parça/İşçilik", "Kodu", "Adı", "Miktar", "Birim Fiyat", "Kdv"})});
        ChangeLogKind ver{QStringLiteral("VERSIPMA"), QStringLiteral("Verilen Sipariş Geçmiş Listesi"),
                          QStringLiteral("CLOG_VERSIPMA"), QStringLiteral("SIPARIS_NO"),
                          master(QStringLiteral("SIP_NO_MAL, SIPARIS_NO, SIPARIS_TRH, SIPARIS_TURU, CARI_KODU, "
                                                "CARI.FIRMA_ADI, TOPLAM_TUTAR, NET_TUTAR, KDV_TUTAR, GENEL_TOPLAM"),
                                 QStringLiteral("CLOG_VERSIPMA LEFT JOIN CARI ON CARI.CARI_KOD=CLOG_VERSIPMA.CARI_KODU"),
                                 QStringLiteral("SIPARIS_NO")),
                          lines(QStringLiteral("SIP_NO, SIRA_NO, STOK_KODU, STOK_ADI, SIP_MIK, GELEN_MIK, BACK_ORDER, "
                                               "BRM_FYT, SIP_TUTAR, IS_EMRI_NO, ACIKLAMA"),
                                QStringLiteral("FROM CLOG_VERSIPDE\nWHERE SIP_NO=:SIPARIS_NO")),
                          {QStringLiteral("CLOG_VERSIPMA"), QStringLiteral("CLOG_VERSIPDE")},
                          caps({"Mal Sipariş No", "Sipariş No", "Sipariş Trh.", "Sipariş Türü", "Cari Kodu", "Cari Adı",
                                "Toplam Tut.", "Net Tut.", "Kdv Tut.", "Genel Toplam"}),
                          caps({"Sipariş No", "Sıra", "Stok Kodu", "Stok Adı", "Sipariş Mik.", "Gelen Mik.", "Back Order",
                                "Birim Fiyat", "Sipariş Tut.", "İşemri No", "Açıklama"})};
        k.append(ver);
        k.append({QStringLiteral("STOK"), QStringLiteral("Stok Geçmiş Listesi"), QStringLiteral("CLOG_STOK"),
                  QStringLiteral("STOK_NO"),
                  master(QStringLiteral("STOK_NO, STOK_KOD_NO, STOK_ADI_TR, STOK_ADI_ING, BIRIMI, BARKOD, FYT_TRH, KDV, "
                                        "SAT_FYT_TL, ALIS_FYT_TL, SAT_FYT_USD, ALIS_FYT_USD, SAT_FYT_DOVIZ, "
                                        "ALIS_FYT_DOVIZ, FYT_KUR, KAR_ORAN, ESKI_PART_NO, YENI_KOD, YENI_KOD_SON, PAY, "
                                        "ORJ, RAF_YERI, GRUP_NO"),
                         QStringLiteral("CLOG_STOK"), QStringLiteral("STOK_NO")),
                  {}, {QStringLiteral("CLOG_STOK")},
                  caps({"Stok No", "Stok Kodu", "Stok Adı", "Stok Adı (İng.)", "Birimi", "Barkod", "Fiyat Trh.", "Kdv",
                        "Satış Fyt. TL", "Alış Fyt. TL", "Satış Fyt. USD", "Alış Fyt. USD", "Satış Fyt. Döviz",
                        "Alış Fyt. Döviz", "Fiyat Kuru", "Kar Oranı", "Eski Parça No", "Yeni Kod", "Son Yeni Kod", "Pay",
                        "Orj.", "Raf Yeri", "Grup No"}),
                  {}});
        k.append({QStringLiteral("CARI"), QStringLiteral("Cari Geçmiş Listesi"), QStringLiteral("CLOG_CARI"),
                  QStringLiteral("CARI_KOD"),
                  master(QStringLiteral("CARI_KOD, FIRMA_ADI, YETKILI_ADI, TEL1, FAKS, TEL3, CARI_GRP_KOD"),
                         QStringLiteral("CLOG_CARI"), QStringLiteral("CARI_KOD")),
                  {}, {QStringLiteral("CLOG_CARI")},
                  caps({"Cari Kodu", "Cari Adı", "Yetkili", "Telefon 1", "Faks", "GSM 1", "Cari Grup"}), {}});
        k.append({QStringLiteral("BANKHRK"), QStringLiteral("Banka Hareketi Geçmiş Listesi"),
                  QStringLiteral("CLOG_BANKHRK"), QStringLiteral("HRK_NO"),
                  master(QStringLiteral("HRK_NO, TARIH, BORC, ALACAK, TIP, FIS_NO"), QStringLiteral("CLOG_BANKHRK"),
                         QStringLiteral("HRK_NO")),
                  QStringLiteral("SELECT A.LOG_STATE, A.LOG_DATE, A.LOG_USER, SIRANO, A.BANKA_KOD, B.BANKA_ADI, "
                                 "A.HESAP_NO, A.CARI_KOD, A.ALACAK, A.BORC, A.BORC_USD, A.BORC_DVZ, A.ALACAK_USD, "
                                 "A.ALACAK_DVZ, A.DOVIZ_KODU, A.PARA_BAZ, A.TL_KURDEGER, A.TL_USDEGER, A.ACIKLAMA, "
                                 "A.KASAKOD\nFROM CLOG_BANKHRKA A, BANKA B\n"
                                 "WHERE (A.HRK_NO=:HRK_NO) AND (A.BANKA_KOD=B.BANKA_KOD)\nORDER BY A.LOG_DATE DESC"),
                  {QStringLiteral("CLOG_BANKHRK"), QStringLiteral("CLOG_BANKHRKA")},
                  caps({"Hareket No", "Tarih", "Borç", "Alacak", "Tip", "Muh.Fiş No"}),
                  caps({"Sıra", "Banka Kodu", "Banka Adı", "Hesap No", "Cari Kodu", "Alacak", "Borç", "Borç USD",
                        "Borç Döviz", "Alacak USD", "Alacak Döviz", "Döviz", "Para Baz", "TL Kur Değeri",
                        "USD Kur Değeri", "Açıklama", "Kasa Kodu"})});
        k.append({QStringLiteral("STKFIS"), QStringLiteral("Stok Fişleri Geçmiş Listesi"), QStringLiteral("CLOG_FISTK"),
                  QStringLiteral("HRKNO"),
                  master(QStringLiteral("HRKNO, TIP, TARIH, BRUTTUT, ACIKLAMA1, CIKDEPO, GIRDEPO, KULLANICI, "
                                        "PERSON_KOD, FIS_NO"),
                         QStringLiteral("CLOG_FISTK"), QStringLiteral("HRKNO")),
                  lines(QStringLiteral("HRKNO, SIRANO, STOK_KOD_NO, STOK_ADI, MIKTAR, FIYAT, KDV"),
                        QStringLiteral("FROM CLOG_FISTKAYR\nWHERE HRKNO=:HRKNO")),
                  {QStringLiteral("CLOG_FISTK"), QStringLiteral("CLOG_FISTKAYR")},
                  caps({"Hareket No", "Tip", "Tarih", "Brüt Tut.", "Açıklama", "Çıkış Depo", "Giriş Depo", "Kullanıcı",
                        "Personel Kodu", "Muh.Fiş No"}),
                  caps({"Hareket No", "Sıra", "Stok Kodu", "Stok Adı", "Miktar", "Fiyat", "Kdv"})});
        k.append({QStringLiteral("CSBORDRO"), QStringLiteral("Çek/Senet Bordroları Geçmiş Listesi"),
                  QStringLiteral("CLOG_CSBORDRO"), QStringLiteral("BORDRONO"),
                  master(QStringLiteral("BORDRONO, B_TUR, B_CARIKOD, BORDROTRH, ORTVADE, TUTAR_T, ACIKLAMA, FIS_NO"),
                         QStringLiteral("CLOG_CSBORDRO"), QStringLiteral("BORDRONO")),
                  lines(QStringLiteral("PORTFOYNO, VADETARIH, KESIDEYER, TUTAR, TUTAR_USD, TUTAR_DOVIZ, DOVIZ_KOD, "
                                       "MASRAF, KASAKOD, MUH_KOD, CARIKOD, BANK_KOD, HESAP_NO, CIRO_CKOD"),
                        QStringLiteral("FROM CLOG_CSBORAYR\nWHERE PORTFOYNO=:BORDRONO")),
                  {QStringLiteral("CLOG_CSBORDRO"), QStringLiteral("CLOG_CSBORAYR")},
                  caps({"Bordro No", "Bordro Türü", "Cari Kodu", "Bordro Trh.", "Ort. Vade", "Tutar", "Açıklama",
                        "Muh.Fiş No"}),
                  caps({"Portföy No", "Vade Trh.", "Keşide Yeri", "Tutar", "Tutar USD", "Tutar Döviz", "Döviz", "Masraf",
                        "Kasa Kodu", "Muh. Kodu", "Cari Kodu", "Banka Kodu", "Hesap No", "Ciro Cari Kodu"})});
        k.append({QStringLiteral("ISCIUSTA"), QStringLiteral("Personel Kartları Geçmiş Listesi"),
                  QStringLiteral("CLOG_ISCIUSTA"), QStringLiteral("ISCI_KOD"),
                  master(QStringLiteral("ISCI_KOD, ISCI_ADI, ISCI_TIP, IS_BAS_TRH, IS_TEC_YIL, AYRILIS_TRH, REFERANSI, "
                                        "CALISTIGI_YERLER, BOLUMU, MEZUNIYET, MEDENI_DURUM, ESKI_KURSLAR, COCUK, GOREVI, "
                                        "DYER, DTAR, TEL1, TEL2, ADRES1, SEMT, IL, GRUBU, CIHAZ_ID, CINSIYET, BEDEN_NO, "
                                        "AYAKKABI_NO, TCKIMLIK_NO, VKIMLIK_NO, KANGRUBU, EMAIL"),
                         QStringLiteral("CLOG_ISCIUSTA"), QStringLiteral("ISCI_KOD")),
                  {}, {QStringLiteral("CLOG_ISCIUSTA")},
                  caps({"Personel Kodu", "Personel Adı", "Tipi", "İşe Başlama Trh.", "Tecrübe (Yıl)", "Ayrılış Trh.",
                        "Referansı", "Çalıştığı Yerler", "Bölümü", "Mezuniyet", "Medeni Durum", "Eski Kurslar", "Çocuk",
                        "Görevi", "Doğum Yeri", "Doğum Trh.", "Telefon 1", "Telefon 2", "Adres", "Semt", "İl", "Grubu",
                        "Cihaz No", "Cinsiyet", "Beden No", "Ayakkabı No", "TC Kimlik No", "Vergi Kimlik No",
                        "Kan Grubu", "E-Posta"}),
                  {}});
        return k;
    }();
    return list;
}

// Shows LOG_STATE as its text.
class LogModel : public BoundQueryModel {
public:
    using BoundQueryModel::BoundQueryModel;
    QVariant data(const QModelIndex& idx, int role) const override
    {
        if (role == Qt::DisplayRole && idx.column() == columnOf(QStringLiteral("LOG_STATE")))
            return LogStateText(BoundQueryModel::data(idx, Qt::EditRole).toInt());
        return BoundQueryModel::data(idx, role);
    }
};

bool emptyKey(const QVariant& v)
{
    const QString s = v.toString().trimmed();
    return v.isNull() || s.isEmpty() || s == QLatin1String("0");
}

} // namespace

const ChangeLogKind* FindChangeLogKind(const QString& keyType)
{
    for (const auto& k : kinds())
        if (k.keyType == keyType)
            return &k;
    return nullptr;
}

QString LogStateText(int state)
{
    switch (state) {
    case 0: return QStringLiteral("Yeni");
    case 1: return QStringLiteral("Değiştirildi");
    case 2: return QStringLiteral("Silindi");
    default: return QString::number(state);
    }
}

TFormChLogBr::TFormChLogBr(const SessionContext& ctx, const ChangeLogKind& kind, QWidget* parent)
    : TFormListeBr(ctx.Database1, parent), scr_id(kind.keyType), m_ctx(ctx), m_kind(kind)
{
    setObjectName(QStringLiteral("FormChLogBr"));
    setWindowTitle(kind.caption);
    delete TableBr;
    TableBr = new LogModel(this);
    dbgridbr->setModel(TableBr);
    TableBr->setCaptions(kind.masterCaptions);
    TableBrSql.lines = kind.masterLines;

    auto* lay = static_cast<QVBoxLayout*>(layout());
    QAyr = new LogModel(this);
    QAyr->setCaptions(kind.lineCaptions);
    GridAyr = new QTableView(this);
    GridAyr->setObjectName(QStringLiteral("GridAyr"));
    GridAyr->setModel(QAyr);
    GridAyr->setVisible(!kind.lineQuery.isEmpty());
    lay->insertWidget(2, GridAyr, 1);
    Qiscillik = new LogModel(this);
    GridIscilik = new QTableView(this);
    GridIscilik->setObjectName(QStringLiteral("GridIscilik"));
    GridIscilik->setModel(Qiscillik);
    GridIscilik->setVisible(kind.keyField == QLatin1String("IS_EMRI_NO"));
    lay->insertWidget(3, GridIscilik, 1);

    auto* row = new QHBoxLayout;
    cxButton1 = new QPushButton(QStringLiteral("Tüm Değişiklikleri Gör"), this);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    BtnDeleteAll = new QPushButton(QStringLiteral("Kayıt Geçmişini Sil"), this);
    BtnDeleteAll->setObjectName(QStringLiteral("BtnDeleteAll"));
    BtnDeleteAll->hide();
    row->addWidget(cxButton1);
    row->addWidget(BtnDeleteAll);
    row->addStretch();
    lay->insertLayout(4, row);
    if (!kind.lineQuery.isEmpty()) {
        // With a line history, "Yazdır" and "Excele Aktar" drop down: the list or its lines.
        auto* printMenu = new QMenu(btnPrint);
        printMenu->addAction(btnPrint->text(), this, Guarded([this] { btnPrintClick(); }));
        DetayYazdir = printMenu->addAction(QStringLiteral("Detay Yazdır"), this,
                                           Guarded([this] { printGrid(GridAyr); }));
        DetayYazdir->setObjectName(QStringLiteral("DetayYazdir"));
        btnPrint->setMenu(printMenu);
        auto* exportMenu = new QMenu(btnExport);
        exportMenu->addAction(btnExport->text(), this, Guarded([this] { btnExportClick(); }));
        DetayAktar = exportMenu->addAction(QStringLiteral("Detay Aktar"), this, Guarded([this] { DetayAktarClick(); }));
        DetayAktar->setObjectName(QStringLiteral("DetayAktar"));
        btnExport->setMenu(exportMenu);
    }
    connect(cxButton1, &QPushButton::clicked, this, Guarded(this, &TFormChLogBr::cxButton1Click));
    connect(BtnDeleteAll, &QPushButton::clicked, this, Guarded(this, &TFormChLogBr::BtnDeleteAllClick));
    connect(dbgridbr, &QTableView::clicked, this, Guarded([this] { openLines(); }));
    connect(dbgridbr->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded([this] { openLines(); }));
}

void TFormChLogBr::setKeyValue(const QVariant& value)
{
    if (emptyKey(value)) {
        TableBrSql.lines[2] = QStringLiteral("WHERE 1=1");
        TableBrSql.binds.clear();
    } else {
        TableBrSql.binds.insert(m_kind.keyField, value);
    }
}

void TFormChLogBr::openLines()
{
    Guard([this] { openLineQueries(); });
}

void TFormChLogBr::openLineQueries()
{
    if (m_kind.lineQuery.isEmpty())
        return;
    // The line history follows the current history row's columns of the same name.
    QVariantMap binds;
    for (const QString& p : Query::placeholderNames(m_kind.lineQuery))
        binds.insert(p, currentValue(p).isValid() ? currentValue(p)
                                                  : currentValue(m_kind.keyField));
    QAyr->setStatement(m_ctx.Database1, m_kind.lineQuery, binds);
    QAyr->open();
    if (GridIscilik->isVisible() || m_kind.keyField == QLatin1String("IS_EMRI_NO")) {
        Qiscillik->setStatement(m_ctx.Database1,
                                QStringLiteral("SELECT LOG_STATE, LOG_DATE, LOG_USER, ISEMRI_NO, ARIZA_KODU, ARIZA_ADI, A_T, "
                                               "QTY, SURE, KDV, ISCILIK_B_FIYATI, TOPLAM, FIILISURE, EXP, ONARAN_KISI, "
                                               "BOLUM_KODU, ARIZA\nFROM CLOG_ISCILIK\nWHERE ISEMRI_NO=:ISEMRI_NO\n"
                                               "ORDER BY LOG_DATE DESC"),
                                {{QStringLiteral("ISEMRI_NO"), currentValue(m_kind.keyField)}});
        Qiscillik->setCaptions({QStringLiteral("İşlem Tipi"), QStringLiteral("İşlem Trh."), QStringLiteral("Kullanıcı"),
                                QStringLiteral("İşemri No"), QStringLiteral("Arıza Kodu"), QStringLiteral("Arıza Adı"),
                                QStringLiteral("A/T"), QStringLiteral("Adet"), QStringLiteral("Süre"), QStringLiteral("Kdv"),
                                QStringLiteral("İşçilik B.Fiyatı"), QStringLiteral("Toplam"), QStringLiteral("Fiili Süre"),
                                QStringLiteral("Exp"), QStringLiteral("Onaran Kişi"), QStringLiteral("Bölüm Kodu"),
                                QStringLiteral("Arıza")});
        Qiscillik->open();
    }
}

void TFormChLogBr::DetayAktarClick()
{
    Guard([this] { GridExport(QStringLiteral("E"), GridAyr, true); });
}

void TFormChLogBr::cxButton1Click()
{
    TableBr->close();
    TableBrSql.lines[2] = QStringLiteral("WHERE 1=1");
    TableBrSql.binds.remove(m_kind.keyField);
    if (!Guard([this] { openTable(); }))
        return;
    if (TableBr->rowCount() > 0)
        dbgridbr->setCurrentIndex(TableBr->index(0, 0));
    BtnDeleteAll->setVisible(m_ctx.AktifKullanici.u_type == QLatin1String("A"));
}

void TFormChLogBr::BtnDeleteAllClick()
{
    if (m_ctx.AktifKullanici.u_type != QLatin1String("A"))
        return;
    if (AskYesNoCancel(QStringLiteral("Tüm kayıt geçmişi silinecektir. Devam etmek istiyor musunuz?")) != MsgYes)
        return;
    const bool emptied = Guard([this] { ClearChangeLogTables(m_ctx.Database1, m_kind.truncateTables); });
    tablerefresh();
    openLines();
    if (emptied)
        ShowInfo(QStringLiteral("Kayıt geçmişi silindi!"));
}

TFormChLogBr* ShowChangeLog(const SessionContext& ctx, const QString& keyType, const QVariant& keyValue)
{
    const QString type = ctx.AktifKullanici.u_type;
    if (type != QLatin1String("A") && type != QLatin1String("S")) {
        ShowWarning(QStringLiteral("Yetkiniz yok!"));
        return nullptr;
    }
    const ChangeLogKind* kind = FindChangeLogKind(keyType);
    // The table tested is the one the kind reads (stock slips read CLOG_FISTK).
    const QString tested = kind ? kind->masterTable : QStringLiteral("CLOG_") + keyType;
    if (!Dialect::isPlainIdentifier(tested) || !ctx.Database1.dialect().tableExists(ctx.Database1, tested)) {
        ShowWarning(QStringLiteral("Kayıt geçmişini aktif etmek için. Veri tabanı güncelleme modülünde "
                                   "\"Kayıt geçmişi tablolarını aç\" ı işaretleyip güncelleme yapınız!"));
        return nullptr;
    }
    if (!kind)
        return nullptr;
    auto* f = new TFormChLogBr(ctx, *kind);
    f->setKeyValue(keyValue);
    f->setkeyfield(kind->keyField);
    f->disablebuttons();
    f->btnPrint->show();
    f->btnExport->show();
    f->createform(false, false, true, true, false);
    f->setkeyfield(kind->keyField);
    f->openLines();
    return f;
}

} // namespace tornaly
