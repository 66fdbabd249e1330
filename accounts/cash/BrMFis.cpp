#include "accounts/cash/BrMFis.h"

#include "accounts/bank/BankaTablo.h"
#include "accounts/cash/MFis.h"
#include "accounts/ui/AramaKutulari.h"
#include "accounts/ui/ListeModeli.h"
#include "context/User.h"
#include "controls/TarihEdit.h"
#include "db/Dialect.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

TFormMFisBr::TFormMFisBr(const SessionContext& ctx, int mode, const QString& cariKod, const QString& cariAd,
                         QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_mode(mode), m_cariKod(cariKod), m_cariAd(cariAd)
{
    setObjectName(QStringLiteral("FormMFisBr"));
    setWindowTitle(QStringLiteral("KASA FİŞİ GİRİŞLERİ"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurFiltre());
    auto* bol = new QSplitter(Qt::Vertical, this);
    GridFis = BankaTablosu(bol, "GridFis",
                           {QStringLiteral("H.No"), QStringLiteral("Tarih"), QStringLiteral("Tip"),
                            QStringLiteral("Borç"), QStringLiteral("Alacak"), QStringLiteral("Muh.Fiş No"),
                            QStringLiteral("Açıklama")});
    GridSatir = BankaTablosu(bol, "GridSatir",
                             {QStringLiteral("S.No"), QStringLiteral("Tip"), QStringLiteral("Kod"),
                              QStringLiteral("Açıklama 1"), QStringLiteral("Belge No / Açıklama 2"),
                              QStringLiteral("Borç"), QStringLiteral("Alacak"), QStringLiteral("Borç $"),
                              QStringLiteral("Borç Döviz"), QStringLiteral("Alacak $"), QStringLiteral("Alacak Döviz"),
                              QStringLiteral("Para Baz"), QStringLiteral("Döviz"), QStringLiteral("Kur Baz"),
                              QStringLiteral("Döviz Kuru")});
    bol->addWidget(GridFis);
    bol->addWidget(GridSatir);
    lay->addWidget(AramaKutulari(this, GridFis, {{"EditAraHrkNo", QStringLiteral("Aranan Hrk. No"), 0},
                                    {"EditAraFisNo", QStringLiteral("Muh.&Ref.No"), 5},
                                    {"EditAraTarih", QStringLiteral("Aranan Tarih"), 1, AramaAlani::Tarih}}));
    lay->addWidget(bol, 1);
    LblSayi = new QLabel(this);
    LblSayi->setObjectName(QStringLiteral("LblSayi"));
    lay->addWidget(LblSayi);
    lay->addLayout(kurDugmeler());
    connect(GridFis, &QTableWidget::itemSelectionChanged, this, Guarded([this] { satirlariYukle(); }));
    connect(GridFis, &QTableWidget::cellDoubleClicked, this, Guarded([this] {
                if (m_mode == 1)
                    BtnSecClick();
                else if (BtnDegistir->isEnabled())
                    BtnDegistirClick();
            }));
    listeyiAc();
    resize(1000, 640);
}

QWidget* TFormMFisBr::kurFiltre()
{
    auto* g = new QGroupBox(QStringLiteral("Filtre"), this);
    auto* l = new QGridLayout(g);
    LblSecilenCari = new QLabel(m_cariKod.isEmpty() ? QString()
                                                    : QStringLiteral("Seçilen Cari :") + m_cariKod + QStringLiteral(" ") +
                                                          m_cariAd,
                                g);
    LblSecilenCari->setObjectName(QStringLiteral("LblSecilenCari"));
    EditKod = new QLineEdit(m_cariKod, g);
    EditKod->setObjectName(QStringLiteral("EditKod"));
    auto* t1 = new TTarihEdit(g);
    t1->setObjectName(QStringLiteral("EditTarih1"));
    t1->setBosOlabilir(true);
    t1->temizle();
    auto* t2 = new TTarihEdit(g);
    t2->setObjectName(QStringLiteral("EditTarih2"));
    t2->setBosOlabilir(true);
    t2->temizle();
    EditTarih1 = t1;
    EditTarih2 = t2;
    CbSiralama = new QComboBox(g);
    CbSiralama->setObjectName(QStringLiteral("CbSiralama"));
    CbSiralama->addItems({QStringLiteral("Tarih"), QStringLiteral("Hrk.No"), QStringLiteral("T.Borç"),
                          QStringLiteral("T.Alacak"), QStringLiteral("M.Fiş No")});
    BtnFiltrele = Dugme(g, "BtnFiltrele", QStringLiteral("Filtrele"));
    BtnFiltreKaldir = Dugme(g, "BtnFiltreKaldir", QStringLiteral("Filtreyi Kaldır"));
    l->addWidget(LblSecilenCari, 0, 0, 1, 2);
    l->addWidget(new QLabel(QStringLiteral("Kod"), g), 1, 0);
    l->addWidget(EditKod, 1, 1);
    l->addWidget(new QLabel(QStringLiteral("Hareket Tarihleri"), g), 1, 2);
    l->addWidget(EditTarih1, 1, 3);
    l->addWidget(EditTarih2, 1, 4);
    l->addWidget(new QLabel(QStringLiteral("Sıralama Değiş"), g), 1, 5);
    l->addWidget(CbSiralama, 1, 6);
    l->addWidget(BtnFiltrele, 1, 7);
    l->addWidget(BtnFiltreKaldir, 1, 8);
    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded([this] {
                m_kodFiltresi = EditKod->text().trimmed();
                listeyiAc(hrkNo());
            }));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded([this] {
                m_kodFiltresi.clear();
                static_cast<TTarihEdit*>(EditTarih1)->temizle();
                static_cast<TTarihEdit*>(EditTarih2)->temizle();
                listeyiAc(hrkNo());
            }));
    connect(CbSiralama, &QComboBox::currentIndexChanged, this, Guarded([this] { listeyiAc(hrkNo()); }));
    return g;
}

QLayout* TFormMFisBr::kurDugmeler()
{
    const QString& hak = m_ctx.AktifKullanici.diger21;
    auto* l = new QHBoxLayout;
    BtnYeni = Dugme(this, "BtnYeni", QStringLiteral("Yeni Kayıt"));
    MenuYeni = new QMenu(BtnYeni);
    MenuYeni->setObjectName(QStringLiteral("MenuYeni"));
    for (const auto& [baslik, tip] : {std::pair{"Tahsilat", "N"}, std::pair{"Ödeme", "M"},
                                      std::pair{"Mahsup Fişi", "V"}, std::pair{"Peşin Alış", "A"}}) {
        QAction* a = MenuYeni->addAction(QString::fromUtf8(baslik));
        a->setObjectName(QStringLiteral("Yeni") + QLatin1String(tip));
        const QString t = QLatin1String(tip);
        connect(a, &QAction::triggered, this, Guarded([this, t] { YeniClick(t); }));
    }
    BtnYeni->setMenu(MenuYeni);
    BtnYeni->setEnabled(RightAdds(hak));
    BtnDegistir = Dugme(this, "BtnDegistir", QStringLiteral("&Değiştir"));
    BtnDegistir->setEnabled(RightChanges(hak));
    BtnSil = Dugme(this, "BtnSil", QStringLiteral("Kayıt Sil"));
    BtnSil->setEnabled(RightDeletes(hak));
    BtnSec = Dugme(this, "BtnSec", QStringLiteral("&Seç"));
    BtnSec->setVisible(m_mode == 1);
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("Kapat"));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded(this, &TFormMFisBr::BtnDegistirClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormMFisBr::BtnSilClick));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormMFisBr::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    for (QPushButton* b : {BtnYeni, BtnDegistir, BtnSil, BtnSec})
        l->addWidget(b);
    l->addStretch();
    l->addWidget(BtnKapat);
    return l;
}

void TFormMFisBr::listeyiAc(double konum)
{
    static const char* siralar[] = {"TARIH", "HRK_NO", "BORC", "ALACAK", "FIS_NO"};
    QString kosul;
    QVariantMap b;
    const auto ekle = [&](const QString& k) { kosul += (kosul.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + k; };
    if (!m_kodFiltresi.isEmpty()) {
        ekle(QStringLiteral("HRK_NO IN (SELECT HRK_NO FROM FISGA WHERE KOD LIKE :KOD ESCAPE '\\')"));
        b.insert(QStringLiteral("KOD"), Dialect::escapeLike(m_kodFiltresi) + QLatin1Char('%'));
    }
    if (const QDate d = static_cast<TTarihEdit*>(EditTarih1)->tarih(); d.isValid()) {
        ekle(QStringLiteral("TARIH>=:T1"));
        b.insert(QStringLiteral("T1"), d.startOfDay());
    }
    if (const QDate d = static_cast<TTarihEdit*>(EditTarih2)->tarih(); d.isValid()) {
        ekle(QStringLiteral("TARIH<:T2"));
        b.insert(QStringLiteral("T2"), d.addDays(1).startOfDay());
    }
    Query q(m_db, QStringLiteral("SELECT HRK_NO, TARIH, TIP, BORC, ALACAK, FIS_NO, ACIKLAMA FROM FISG") + kosul +
                      QStringLiteral(" ORDER BY ") + QLatin1String(siralar[qBound(0, CbSiralama->currentIndex(), 4)]) +
                      QStringLiteral(", HRK_NO"));
    q.bindAll(b).exec();
    m_nolar.clear();
    m_tipler.clear();
    const QSignalBlocker bl(GridFis);
    GridFis->setRowCount(0);
    int secili = -1;
    while (q.next()) {
        const int r = GridFis->rowCount();
        GridFis->insertRow(r);
        const double no = q.num(QStringLiteral("HRK_NO"));
        m_nolar << no;
        m_tipler << q.str(QStringLiteral("TIP"));
        BankaHucre(GridFis, r, 0, FormatMoney(no, QStringLiteral("#,#")), true);
        BankaHucre(GridFis, r, 1, TarihYazi(q.date(QStringLiteral("TARIH"))));
        BankaHucre(GridFis, r, 2, MahsupFisTipMetni(q.str(QStringLiteral("TIP")), false));
        BankaHucre(GridFis, r, 3, FormatMoney(q.num(QStringLiteral("BORC")), QStringLiteral(",0.00")), true);
        BankaHucre(GridFis, r, 4, FormatMoney(q.num(QStringLiteral("ALACAK")), QStringLiteral(",0.00")), true);
        BankaHucre(GridFis, r, 5, DisplayText(q.value(QStringLiteral("FIS_NO")), true), true);
        BankaHucre(GridFis, r, 6, q.str(QStringLiteral("ACIKLAMA")));
        if (no == konum)
            secili = r;
    }
    if (secili < 0 && !m_nolar.isEmpty())
        secili = 0;
    if (secili >= 0)
        GridFis->selectRow(secili);
    KolonlariAyarla(GridFis);
    LblSayi->setText(QStringLiteral("Listedeki Kayıt Sayısı: ") + FormatMoney(m_nolar.size(), QStringLiteral("#,#")));
    satirlariYukle();
}

void TFormMFisBr::satirlariYukle()
{
    GridSatir->setRowCount(0);
    const auto fis = hrkNo() > 0 ? MahsupFisOku(m_db, hrkNo()) : std::nullopt;
    if (!fis)
        return;
    for (const MahsupSatiri& s : fis->satirlar) {
        const int r = GridSatir->rowCount();
        GridSatir->insertRow(r);
        int c = 0;
        BankaHucre(GridSatir, r, c++, QString::number(s.SIRA_NO), true);
        BankaHucre(GridSatir, r, c++, MahsupSatirTipMetni(s.TIP));
        BankaHucre(GridSatir, r, c++, s.KOD);
        BankaHucre(GridSatir, r, c++, s.ACIKLAMA1);
        BankaHucre(GridSatir, r, c++, s.ACIKLAMA2);
        for (double v : {s.BORC, s.ALACAK, s.BORC_USD, s.BORC_DVZ, s.ALACAK_USD, s.ALACAK_DVZ})
            BankaHucre(GridSatir, r, c++, FormatMoney(v, QStringLiteral(",0.00")), true);
        BankaHucre(GridSatir, r, c++, QString(s.PARA_BAZ));
        BankaHucre(GridSatir, r, c++, s.DOVIZ_CINS);
        BankaHucre(GridSatir, r, c++, FormatMoney(s.KUR_BAZ, QStringLiteral(",0.######")), true);
        BankaHucre(GridSatir, r, c++, FormatMoney(s.KUR_DVZ, QStringLiteral(",0.######")), true);
    }
    KolonlariAyarla(GridSatir);
}

double TFormMFisBr::hrkNo() const
{
    const int r = GridFis->currentRow();
    return r >= 0 && r < m_nolar.size() ? m_nolar[r] : 0;
}

int TFormMFisBr::satirSayisi() const
{
    return int(m_nolar.size());
}

void TFormMFisBr::YeniClick(const QString& tip)
{
    listeyiAc(MahsupFisiGir(m_ctx, tip, m_cariKod, m_cariAd, -1, this));
}

void TFormMFisBr::BtnDegistirClick()
{
    const int r = GridFis->currentRow();
    if (r < 0 || r >= m_nolar.size())
        return;
    MahsupFisiGir(m_ctx, m_tipler[r], m_cariKod, m_cariAd, m_nolar[r], this);
    listeyiAc(m_nolar[r]);
}

void TFormMFisBr::BtnSilClick()
{
    const double no = hrkNo();
    if (no <= 0)
        return;
    const auto f = MahsupFisOku(m_db, no);
    // Posted means a voucher number above 0.
    if (f && f->FIS_NO.toDouble() > 0) {
        ShowWarning(QStringLiteral("Bu Hareketin Muhasebe Kayıt Fişi Var. Silinemez."));
        return;
    }
    if (AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    MahsupFisSil(m_ctx, m_db, no);
    listeyiAc();
}

void TFormMFisBr::BtnSecClick()
{
    if (hrkNo() <= 0)
        return;
    secim = hrkNo();
    accept();
}

double MFisSec(const SessionContext& ctx, int mode, const QString& cariKod, const QString& cariAd, QWidget* parent)
{
    TFormMFisBr f(ctx, mode, cariKod, cariAd, parent);
    return f.exec() == QDialog::Accepted ? f.secim : -1;
}

} // namespace tornaly::accounts
