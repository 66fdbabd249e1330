#include "accounts/vouchers/CariHark.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"

#include "accounts/cards/BrCari.h"
#include "accounts/cash/KasaBr.h"
#include "accounts/ledger/CariHrkTurleri.h"
#include "accounts/plans/OdePlanBr.h"
#include "accounts/ui/ListeModeli.h"
#include "accounts/vouchers/CariHrkExcel.h"
#include "accounts/vouchers/CariHrkYazdir.h"
#include "dialogs/MesajGoster.h"
#include "report/RaporCikti.h"
#include "company/Kilit.h"
#include "counters/Counters.h"
#include "db/DbError.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {

const QStringList& kolonBasliklari()
{
    static const QStringList l = {QStringLiteral("Cari Kod"), QStringLiteral("Firma Adı"), QStringLiteral("Borç"),
                                  QStringLiteral("Borç USD"), QStringLiteral("Borç Döviz"), QStringLiteral("Alacak"),
                                  QStringLiteral("Alacak USD"), QStringLiteral("Alacak Döviz"), QStringLiteral("H.Baz"),
                                  QStringLiteral("Döviz"), QStringLiteral("Kasa Kodu"), QStringLiteral("USD Kuru"),
                                  QStringLiteral("Döviz Kuru"), QStringLiteral("Ödeme Planı"), QStringLiteral("Belge No"),
                                  QStringLiteral("Vade Tarihi"), QStringLiteral("Açıklama"), QStringLiteral("Sıra No")};
    return l;
}

QString tutarMetni(const QVariant& v)
{
    return v.isNull() || !v.isValid() ? QString() : FormatMoney(v.toDouble(), QStringLiteral(",0.00"));
}

QString kurMetni(double v)
{
    return v > 0 ? FormatMoney(v, QStringLiteral(",0.0000")) : QString();
}

QString bazMetni(QChar baz)
{
    return ParaBazBasligi(QString(baz));
}

QChar bazHarfi(const QString& metin)
{
    if (metin == QLatin1String("USD"))
        return QLatin1Char('U');
    if (metin == QStringLiteral("DÖVİZ"))
        return QLatin1Char('D');
    return QLatin1Char('T');
}

bool borcKolonu(int k)
{
    return k == TFormCariHarek::K_BORC || k == TFormCariHarek::K_BORC_USD || k == TFormCariHarek::K_BORC_DVZ;
}

bool alacakKolonu(int k)
{
    return k == TFormCariHarek::K_ALACAK || k == TFormCariHarek::K_ALACAK_USD || k == TFormCariHarek::K_ALACAK_DVZ;
}

bool pozitifMi(const QVariant& v)
{
    return v.isValid() && !v.isNull() && v.toDouble() > 0;
}

QString hesapAdi(const Db& db, const QString& kod)
{
    return SqlLookup(db, QStringLiteral("SELECT FIRMA_ADI FROM CARI WHERE CARI_KOD=:K"), kod).toString();
}

} // namespace

TFormCariHarek::TFormCariHarek(const SessionContext& ctx, const CariHrkFisi& fis, const QString& kilitTipi,
                               const QString& cariKod, const QString& cariAd, QWidget* parent)
    : QDialog(parent), KILITLETIP(kilitTipi), m_ctx(ctx), m_db(ctx.Database1), m_fis(fis), m_secilenKod(cariKod),
      m_secilenAd(cariAd)
{
    setObjectName(QStringLiteral("FormCariHarek"));
    setWindowTitle(QStringLiteral("Cari Hareketler Girişi"));
    const bool nakit = m_fis.TIP == QLatin1String("N");
    if (nakit && m_db.dialect().tableExists(m_db, QStringLiteral("PARAFAT")))
        m_defKasa = SqlLookup(m_db, QStringLiteral("SELECT DEF_KASA FROM PARAFAT")).toString();

    auto* ust = new QGridLayout;
    const bool tahsilat = KILITLETIP == QLatin1String("B") || (KILITLETIP.isEmpty() && m_fis.ALACAK > 0);
    LblTipi = new QLabel(CariHrkTurBasligi(CariHrkEkrani::FisBasligi, m_fis.TIP.isEmpty() ? QChar() : m_fis.TIP.at(0),
                                           {}, tahsilat),
                         this);
    LblTipi->setObjectName(QStringLiteral("LblTipi"));
    QFont f = LblTipi->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    LblTipi->setFont(f);
    ust->addWidget(new QLabel(QStringLiteral("Tipi"), this), 0, 0);
    ust->addWidget(LblTipi, 0, 1);
    EditTarih = new TTarihEdit(m_fis.TARIH, this);
    EditTarih->setObjectName(QStringLiteral("TARIH"));
    EditTarih->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    EditTarih->setCalendarPopup(true);
    ust->addWidget(new QLabel(QStringLiteral("İşlem Tarihi"), this), 1, 0);
    ust->addWidget(EditTarih, 1, 1);
    LblFisNo = new QLabel(pozitifMi(m_fis.FIS_NO) ? QString::number(qint64(m_fis.FIS_NO.toDouble())) : QString(), this);
    LblFisNo->setObjectName(QStringLiteral("FIS_NO"));
    ust->addWidget(new QLabel(QStringLiteral("Muh. Fiş No"), this), 0, 2);
    ust->addWidget(LblFisNo, 0, 3);
    LblCariNo = new QLabel(QString::number(qint64(m_fis.CARI_NO)), this);
    LblCariNo->setObjectName(QStringLiteral("CARI_NO"));
    ust->addWidget(new QLabel(QStringLiteral("Hrk.Ref.No"), this), 1, 2);
    ust->addWidget(LblCariNo, 1, 3);
    LblBelgeNo = new QLabel(QStringLiteral("Makbuz No"), this);
    EditBelgeNo = new QLineEdit(m_fis.BELGE_NO, this);
    EditBelgeNo->setObjectName(QStringLiteral("BELGE_NO"));
    EditBelgeNo->setMaxLength(10);
    LblBelgeNo->setVisible(nakit);
    EditBelgeNo->setVisible(nakit);
    ust->addWidget(LblBelgeNo, 2, 0);
    ust->addWidget(EditBelgeNo, 2, 1);
    LblToplamBorc = new QLabel(this);
    LblToplamBorcUsd = new QLabel(this);
    LblToplamAlacak = new QLabel(this);
    LblToplamAlacakUsd = new QLabel(this);
    const QList<QPair<QString, QLabel*>> toplamlar = {{QStringLiteral("Toplam Borç"), LblToplamBorc},
                                                      {QStringLiteral("Toplam Borç USD"), LblToplamBorcUsd},
                                                      {QStringLiteral("Toplam Alacak"), LblToplamAlacak},
                                                      {QStringLiteral("Toplam Alacak USD"), LblToplamAlacakUsd}};
    for (int i = 0; i < toplamlar.size(); ++i) {
        ust->addWidget(new QLabel(toplamlar.at(i).first, this), i, 4);
        toplamlar.at(i).second->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        toplamlar.at(i).second->setMinimumWidth(110);
        ust->addWidget(toplamlar.at(i).second, i, 5);
    }
    LblSecilenCari = new QLabel(QStringLiteral("Seçilen Cari : ") + cariKod + QStringLiteral(" ") + cariAd, this);
    LblSecilenCari->setObjectName(QStringLiteral("LblSecilenCari"));
    LblSecilenCari->setVisible(!cariKod.isEmpty());
    ust->addWidget(LblSecilenCari, 3, 0, 1, 2);
    EditKodAra = new QLineEdit(this);
    EditKodAra->setObjectName(QStringLiteral("EditKodAra"));
    ust->addWidget(new QLabel(QStringLiteral("Kod Ara"), this), 3, 2);
    ust->addWidget(EditKodAra, 3, 3);
    connect(EditKodAra, &QLineEdit::returnPressed, this, Guarded(this, &TFormCariHarek::EditKodAraEnter));

    cxGrid = new QTableWidget(0, K_SAYI, this);
    cxGrid->setObjectName(QStringLiteral("cxGrid"));
    cxGrid->setHorizontalHeaderLabels(kolonBasliklari());
    cxGrid->verticalHeader()->hide();
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    const bool dovizli = ctx.DovizliBky == 1;
    cxGrid->setColumnHidden(K_ODE_KOD, nakit);
    cxGrid->setColumnHidden(K_KASAKOD, !nakit);
    for (int k : {K_BORC, K_BORC_USD, K_BORC_DVZ})
        cxGrid->setColumnHidden(k, KILITLETIP == QLatin1String("B"));
    for (int k : {K_ALACAK, K_ALACAK_USD, K_ALACAK_DVZ})
        cxGrid->setColumnHidden(k, KILITLETIP == QLatin1String("A"));
    Q_UNUSED(dovizli);
    connect(cxGrid, &QTableWidget::cellChanged, this, Guarded([this](int r, int c) {
        if (m_yukleniyor)
            return;
        const QString t = cxGrid->item(r, c) ? cxGrid->item(r, c)->text() : QString();
        if (!hucreYaz(r, Kolon(c), t))
            satirGoster(r);
    }));
    connect(cxGrid, &QTableWidget::cellDoubleClicked, this, Guarded(this, &TFormCariHarek::cxGridCellDoubleClicked));
    connect(cxGrid, &QTableWidget::currentCellChanged, this, Guarded([this](int r, int, int eskiR, int) {
        if (eskiR >= 0 && eskiR != r && eskiR < m_fis.satirlar.size())
            satirHesapla(eskiR);
        bakiyeGoster();
    }));

    auto* bakiye = new QHBoxLayout;
    LblKalanBaslik = new QLabel(QStringLiteral("KALAN"), this);
    LblKalan = new QLabel(this);
    LblKalan->setObjectName(QStringLiteral("KALAN"));
    bakiye->addStretch();
    bakiye->addWidget(LblKalanBaslik);
    bakiye->addWidget(LblKalan);

    BtnSatirEkle = Dugme(this, "BtnSatirEkle", QStringLiteral("Satır Ekle"));
    BtnSatirSil = Dugme(this, "BtnSatirSil", QStringLiteral("Satır Sil"));
    BtnSakla = Dugme(this, "BtnSakla", QStringLiteral("&Sakla"));
    BtnVazgec = Dugme(this, "BtnVazgec", QStringLiteral("&Vazgeç"));
    BtnMakbuzYaz = Dugme(this, "BtnMakbuzYaz", QStringLiteral("Makbuz Yaz"));
    BtnMakbuzYaz->setVisible(nakit);
    BtnExceldenAl = Dugme(this, "BtnExceldenAl", QStringLiteral("Excelden Al"));
    for (QPushButton* b : {BtnSatirEkle, BtnSatirSil, BtnSakla, BtnVazgec, BtnMakbuzYaz, BtnExceldenAl})
        b->setAutoDefault(false);
    connect(BtnMakbuzYaz, &QPushButton::clicked, this, Guarded(this, &TFormCariHarek::BtnMakbuzYazClick));
    connect(BtnExceldenAl, &QPushButton::clicked, this, Guarded(this, &TFormCariHarek::BtnExceldenAlClick));
    connect(EditTarih, &QDateEdit::dateChanged, this, Guarded([this] { m_degisti = true; }));
    connect(EditBelgeNo, &QLineEdit::textEdited, this, Guarded([this] { m_degisti = true; }));
    connect(BtnSatirEkle, &QPushButton::clicked, this, Guarded([this] {
        const int r = satirEkle();
        cxGrid->setCurrentCell(r, K_CARI_KOD);
    }));
    connect(BtnSatirSil, &QPushButton::clicked, this, Guarded([this] { satirSil(cxGrid->currentRow()); }));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormCariHarek::BtnSaklaClick));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded(this, &TFormCariHarek::BtnVazgecClick));
    auto* dugmeler = new QHBoxLayout;
    dugmeler->addWidget(BtnSatirEkle);
    dugmeler->addWidget(BtnSatirSil);
    dugmeler->addWidget(BtnExceldenAl);
    dugmeler->addWidget(BtnMakbuzYaz);
    dugmeler->addStretch();
    dugmeler->addWidget(BtnSakla);
    dugmeler->addWidget(BtnVazgec);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addWidget(cxGrid, 1);
    lay->addLayout(bakiye);
    lay->addLayout(dugmeler);
    tumunuGoster();
    // A voucher not saved yet is being edited from the start.
    m_degisti = !CariHrkFisOku(m_db, m_fis.CARI_NO).has_value();
    resize(1320, 560);
}

int TFormCariHarek::satirEkle(const QString& cariKod)
{
    CariHrkFisSatiri s;
    int son = 0;
    for (const CariHrkFisSatiri& x : m_fis.satirlar)
        son = qMax(son, x.SIRANO);
    s.SIRANO = son + 1;
    s.PARA_BAZ = QLatin1Char('T');
    s.CARI_KOD = !cariKod.isEmpty() ? cariKod : !m_secilenKod.isEmpty() ? m_secilenKod : m_sonCari;
    if (m_fis.TIP == QLatin1String("N"))
        s.KASAKOD = m_defKasa;
    const QString dvz = s.CARI_KOD.isEmpty()
        ? QString()
        : SqlLookup(m_db, QStringLiteral("SELECT DOVIZ FROM CARI WHERE CARI_KOD=:K"), s.CARI_KOD).toString();
    s.DOVIZ_KODU = dvz.isEmpty() ? m_ctx.YerelPara : dvz;
    m_fis.satirlar << s;
    m_degisti = true;
    m_yukleniyor = true;
    cxGrid->insertRow(cxGrid->rowCount());
    m_yukleniyor = false;
    satirGoster(int(m_fis.satirlar.size()) - 1);
    return int(m_fis.satirlar.size()) - 1;
}

bool TFormCariHarek::hucreYaz(int row, Kolon kolon, const QString& text)
{
    if (row < 0 || row >= m_fis.satirlar.size())
        return false;
    CariHrkFisSatiri& s = m_fis.satirlar[row];
    auto tutar = [&](QVariant& hedef) {
        const QString t = text.trimmed();
        if (t.isEmpty()) {
            hedef = QVariant();
            return true;
        }
        double v = 0;
        if (!ParseMoney(t, &v)) {
            ShowWarning(QStringLiteral("Geçersiz tutar: ") + t);
            return false;
        }
        hedef = v;
        return true;
    };
    // One side per line: while the other side holds an amount, this side takes nothing.
    if (borcKolonu(kolon) && s.alacakli() && !text.trimmed().isEmpty()) {
        QApplication::beep();
        return false;
    }
    if (alacakKolonu(kolon) && (pozitifMi(s.BORC) || pozitifMi(s.BORC_USD) || pozitifMi(s.BORC_DVZ))
        && !text.trimmed().isEmpty()) {
        QApplication::beep();
        return false;
    }
    bool ok = true;
    switch (kolon) {
    case K_CARI_KOD:
        s.CARI_KOD = text.trimmed();
        break;
    case K_BORC: ok = tutar(s.BORC); break;
    case K_BORC_USD: ok = tutar(s.BORC_USD); break;
    case K_BORC_DVZ: ok = tutar(s.BORC_DVZ); break;
    case K_ALACAK: ok = tutar(s.ALACAK); break;
    case K_ALACAK_USD: ok = tutar(s.ALACAK_USD); break;
    case K_ALACAK_DVZ: ok = tutar(s.ALACAK_DVZ); break;
    case K_PARA_BAZ: s.PARA_BAZ = bazHarfi(text.trimmed()); break;
    case K_DVZ_KOD: s.DOVIZ_KODU = text.trimmed().toUpper(); break;
    case K_TL_USDEGER:
    case K_TL_KURDEGER: {
        QVariant v;
        ok = tutar(v);
        if (ok)
            (kolon == K_TL_USDEGER ? s.TL_USDEGER : s.TL_KURDEGER) = v.toDouble();
        break;
    }
    case K_BELGE_NO: s.BELGE_NO = text; break;
    case K_ACIKLAMA: s.ACIKLAMA = text; break;
    case K_VADE_TRH: {
        const QString t = text.trimmed();
        if (t.isEmpty() || t.count(QLatin1Char(' ')) + t.count(QLatin1Char('.')) == t.size()) {
            s.VADE_TRH = QDate();
            break;
        }
        const QDate d = QDate::fromString(t, QStringLiteral("dd.MM.yyyy"));
        if (!d.isValid()) {
            QApplication::beep();
            ok = false;
            break;
        }
        s.VADE_TRH = d;
        break;
    }
    default: ok = false; break;
    }
    if (ok) {
        m_degisti = true;
        m_yukleniyor = true;
        satirGoster(row);
        m_yukleniyor = false;
        toplamlariGoster();
    }
    return ok;
}

void TFormCariHarek::satirSil(int row)
{
    if (row < 0 || row >= m_fis.satirlar.size())
        return;
    m_fis.satirlar.removeAt(row);
    m_degisti = true;
    // A voucher not saved yet numbers its lines again; a saved one keeps them.
    if (CariHrkFisOku(m_db, m_fis.CARI_NO) == std::nullopt)
        for (int i = 0; i < m_fis.satirlar.size(); ++i)
            m_fis.satirlar[i].SIRANO = i + 1;
    tumunuGoster();
}

void TFormCariHarek::satirHesapla(int row)
{
    CariHrkFisSatiri& s = m_fis.satirlar[row];
    if (s.CARI_KOD.isEmpty())
        return;
    m_fis.TARIH = EditTarih->date();
    try {
        const int vade = SqlLookup(m_db, QStringLiteral("SELECT VADEGUN FROM CARI WHERE CARI_KOD=:K"), s.CARI_KOD).toInt();
        CariHrkSatirHesapla(m_ctx, m_db, m_fis, s, vade);
    } catch (const CariHrkFisHatasi& e) {
        ShowWarning(e.text());
    }
    m_sonCari = s.CARI_KOD;
    m_yukleniyor = true;
    satirGoster(row);
    m_yukleniyor = false;
    toplamlariGoster();
}

void TFormCariHarek::satirGoster(int row)
{
    const bool eski = m_yukleniyor;
    m_yukleniyor = true;
    const CariHrkFisSatiri& s = m_fis.satirlar.at(row);
    const QStringList degerler = {s.CARI_KOD,
                                  hesapAdi(m_db, s.CARI_KOD),
                                  tutarMetni(s.BORC),
                                  tutarMetni(s.BORC_USD),
                                  tutarMetni(s.BORC_DVZ),
                                  tutarMetni(s.ALACAK),
                                  tutarMetni(s.ALACAK_USD),
                                  tutarMetni(s.ALACAK_DVZ),
                                  bazMetni(s.PARA_BAZ),
                                  s.DOVIZ_KODU,
                                  s.KASAKOD,
                                  kurMetni(s.TL_USDEGER),
                                  kurMetni(s.TL_KURDEGER),
                                  s.ODE_KOD,
                                  s.BELGE_NO,
                                  TarihYazi(s.VADE_TRH),
                                  s.ACIKLAMA,
                                  QString::number(s.SIRANO)};
    for (int c = 0; c < K_SAYI; ++c) {
        auto* it = new QTableWidgetItem(degerler.at(c));
        if (c == K_CARI_KOD || c == K_CARI_AD || c == K_KASAKOD || c == K_ODE_KOD || c == K_SIRANO)
            it->setFlags(it->flags() & ~Qt::ItemIsEditable);
        if ((c >= K_BORC && c <= K_ALACAK_DVZ) || c == K_TL_USDEGER || c == K_TL_KURDEGER || c == K_SIRANO)
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cxGrid->setItem(row, c, it);
    }
    m_yukleniyor = eski;
}

void TFormCariHarek::tumunuGoster()
{
    m_yukleniyor = true;
    cxGrid->setRowCount(int(m_fis.satirlar.size()));
    for (int r = 0; r < m_fis.satirlar.size(); ++r)
        satirGoster(r);
    m_yukleniyor = false;
    cxGrid->resizeColumnsToContents();
    cxGrid->horizontalHeader()->setSectionResizeMode(K_ACIKLAMA, QHeaderView::Stretch);
    toplamlariGoster();
    bakiyeGoster();
}

void TFormCariHarek::toplamlariGoster()
{
    m_fis.toplamlariHesapla();
    LblToplamBorc->setText(TutarYazi(m_fis.BORC));
    LblToplamBorcUsd->setText(TutarYazi(m_fis.BORC_USD));
    LblToplamAlacak->setText(TutarYazi(m_fis.ALACAK));
    LblToplamAlacakUsd->setText(TutarYazi(m_fis.ALACAK_USD));
}

void TFormCariHarek::bakiyeGoster()
{
    const int r = cxGrid->currentRow();
    const QString kod = r >= 0 && r < m_fis.satirlar.size() ? m_fis.satirlar.at(r).CARI_KOD : QString();
    const CariToplamlari t = kod.isEmpty() ? CariToplamlari{} : CariToplamlariOku(m_db, kod);
    LblKalanBaslik->setText(t.kalanBasligi());
    LblKalan->setText(TutarYazi(t.kalan()));
}

bool TFormCariHarek::kaydet()
{
    m_fis.TARIH = EditTarih->date();
    m_fis.BELGE_NO = EditBelgeNo->text();
    try {
        // A counter or row another workstation holds: asked after the rollback, then saved again.
        RetryAfterAsking(m_db, [&] { A_KODU = CariHrkFisKaydet(m_ctx, m_db, m_fis); });
    } catch (const CariHrkFisHatasi& e) {
        if (e.text().startsWith(QStringLiteral("Uyarı:")))
            Messages().show(MsgIcon::Error, e.text(), MsgOk, MsgOk, windowTitle());
        else if (e.text() == QLatin1String("Kasa Kodu Seçilmelidir !"))
            Messages().show(MsgIcon::Warning, e.text(), MsgCancel, MsgCancel, windowTitle());
        else if (!e.text().isEmpty())
            ShowWarning(e.text());
        cxGrid->setFocus();
        return false;
    }
    LblCariNo->setText(QString::number(qint64(m_fis.CARI_NO)));
    tumunuGoster();
    m_degisti = false;
    return true;
}

void TFormCariHarek::BtnSaklaClick()
{
    if (!kaydet())
        return;
    CariHrkMuhasebeyeAktar(m_ctx, m_db, m_fis);
    if (AskYesNo(QStringLiteral("Kayıt saklandı. Şimdi çıkmak istiyor musunuz?")))
        accept();
    else
        BtnSakla->setEnabled(false);
}

void TFormCariHarek::BtnVazgecClick()
{
    if (AskYesNoCancel(QStringLiteral("Değişikliği iptal etmek istiyor musunuz?")) == MsgYes)
        reject();
}

void TFormCariHarek::cxGridCellDoubleClicked(int row, int col)
{
    if (row < 0 || row >= m_fis.satirlar.size())
        return;
    CariHrkFisSatiri& s = m_fis.satirlar[row];
    if (col == K_CARI_KOD || col == K_CARI_AD) {
        const QString kod = CariSec(m_ctx, 1, this);
        if (kod.isEmpty())
            return;
        s.CARI_KOD = kod;
        const QString dvz = SqlLookup(m_db, QStringLiteral("SELECT DOVIZ FROM CARI WHERE CARI_KOD=:K"), kod).toString();
        s.DOVIZ_KODU = dvz.isEmpty() ? m_ctx.YerelPara : dvz;
        const QString baslik = CariHrkTurBasligi(CariHrkEkrani::FisBasligi,
                                                 m_fis.TIP.isEmpty() ? QChar() : m_fis.TIP.at(0), {},
                                                 KILITLETIP == QLatin1String("B"));
        s.ACIKLAMA = (s.ACIKLAMA + QLatin1Char(' ') + kod + QLatin1Char('-') + hesapAdi(m_db, kod) +
                      QStringLiteral(" Carinin ") + baslik + QStringLiteral(" İşlemi."))
                         .trimmed();
    } else if (col == K_KASAKOD) {
        const QString kasa = KasaSec(m_ctx, 1, this);
        if (kasa.isEmpty())
            return;
        s.KASAKOD = kasa;
    } else if (col == K_ODE_KOD) {
        const TOdeParam p = OdePlanSec(m_ctx, 1, this);
        if (p.Kodu.isEmpty())
            return;
        s.ODE_KOD = p.Kodu;
    } else {
        return;
    }
    m_degisti = true;
    satirGoster(row);
    bakiyeGoster();
}

void TFormCariHarek::EditKodAraEnter()
{
    for (int r = 0; r < m_fis.satirlar.size(); ++r)
        if (m_fis.satirlar.at(r).CARI_KOD == EditKodAra->text().trimmed()) {
            cxGrid->setCurrentCell(r, K_CARI_KOD);
            return;
        }
}

void TFormCariHarek::BtnMakbuzYazClick()
{
    if (m_fis.TIP != QLatin1String("N") || m_fis.satirlar.isEmpty())
        return;
    if (m_degisti) {
        ShowWarning(MakbuzOnceSaklaText());
        return;
    }
    const int r = qBound(0, cxGrid->currentRow(), int(m_fis.satirlar.size()) - 1);
    report::Report makbuz = CariMakbuzRaporu(m_ctx, m_db, m_fis, r);
    report::RaporCikti(m_db, makbuz, QStringLiteral("CariHark"), report::OutputPreview);
}

void TFormCariHarek::BtnExceldenAlClick()
{
    const QString dosya = Messages().askOpenFile(QStringLiteral("Excelden Al"),
                                                 QStringLiteral("Excel Belgesi (*.xlsx *.xls)"));
    if (dosya.isEmpty())
        return;
    SheetTable sayfa;
    try {
        sayfa = ReadSpreadsheet(dosya);
    } catch (const SpreadsheetError& e) {
        ShowWarning(e.text());
        return;
    }
    if (!AskYesNo(CariHrkExcelSorusu()) || !CariHrkExcelKullanilabilir(sayfa))
        return;
    exceldenAl(sayfa);
}

void TFormCariHarek::exceldenAl(const SheetTable& sayfa)
{
    const CariHrkExcelSonucu sonuc = CariHrkExceldenSatirlar(m_ctx, m_db, sayfa);
    cxGrid->setUpdatesEnabled(false);
    for (const CariHrkFisSatiri& yeni : sonuc.satirlar) {
        const int r = satirEkle(yeni.CARI_KOD);
        CariHrkFisSatiri& s = m_fis.satirlar[r];
        const int sira = s.SIRANO;
        const QString kasa = s.KASAKOD;
        s = yeni;
        s.SIRANO = sira;
        s.KASAKOD = kasa;
        satirHesapla(r);
    }
    cxGrid->setUpdatesEnabled(true);
    tumunuGoster();
    if (!sonuc.reddedilen.isEmpty())
        ShowTextPanel(AktarilamayanText() + QLatin1Char('\n') + sonuc.reddedilen.join(QLatin1Char('\n')));
}

bool CariHrkAcilabilir(const SessionContext& ctx, const CariHrkFisi& fis, bool yeni)
{
    const QString& hak = ctx.AktifKullanici.diger09;
    if (yeni)
        return RightAdds(hak);
    if (!RightChanges(hak))
        return false;
    return !IsDateLocked(ctx, true, fis.TARIH);
}

double CariHrkGir(const SessionContext& ctx, const QString& tip, const QString& kilitTipi, const QString& cariKod,
                  const QString& cariAd, double cariNo, QWidget* parent)
{
    const Db& db = ctx.Database1;
    CariHrkFisi fis;
    bool yeni = true;
    if (cariNo > 0) {
        const auto f = CariHrkFisOku(db, cariNo);
        if (!f)
            return 0;
        fis = *f;
        yeni = false;
    } else {
        fis.TIP = tip;
        fis.TARIH = ServerToday(db);
    }
    if (!CariHrkAcilabilir(ctx, fis, yeni))
        return 0;
    if (yeni)
        fis.CARI_NO = double(TakeCounterNumber(db, QStringLiteral("NEWCARI")));
    TFormCariHarek f(ctx, fis, kilitTipi, cariKod, cariAd, parent);
    return f.exec() == QDialog::Accepted ? f.A_KODU : 0;
}

double CariHrkFaturaOdeme(const SessionContext& ctx, const QString& refTip, const QString& tip,
                          const QString& kilitTipi, double tutar, const QString& cariAd, const QString& kasaKod,
                          const QString& cariKod, const QString& belgeNo, double refNo, QWidget* parent)
{
    const Db& db = ctx.Database1;
    CariHrkFisi fis = FaturaOdemeFisiHazirla(ctx, db, refTip, tip, kilitTipi, tutar, kasaKod, cariKod, belgeNo, refNo);
    const bool yeni = fis.CARI_NO <= 0;
    if (!CariHrkAcilabilir(ctx, fis, yeni))
        return 0;
    if (yeni)
        fis.CARI_NO = double(TakeCounterNumber(db, QStringLiteral("NEWCARI")));
    TFormCariHarek f(ctx, fis, kilitTipi, cariKod, cariAd, parent);
    return f.exec() == QDialog::Accepted ? f.A_KODU : 0;
}

} // namespace tornaly::accounts
