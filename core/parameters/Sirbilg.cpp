#include "parameters/Sirbilg.h"
#include "util/Utf8.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "messages/Messages.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly {

namespace {

using text::S;

struct Satir {
    const char* kolon;
    const char* baslik;
    int uzunluk;
};

const Satir kSatirlar[] = {
    {"EADI", "ŞİRKET ADI", 35},
    {"OZEL1", "", 50},
    {"ADI", "ŞİRKET SAHİBİNİN ADI SOYADI", 36},
    {"MESULAD", "MESUL MÜDÜR  ADI SOYADI", 36},
    {"ADR1", "ŞİRKET ADRESİ", 45},
    {"ADR2", "", 45},
    {"ADR3", "SEMT/İLÇE/İl", 45},
    {"VERGINO", "VERGİ NO", 17},
    {"VERGIDAIRE", "VERGİ DAİRESİ", 25},
    {"TLF", "TELEFON 1", 25},
    {"TLF2", "TELEFON 2", 25},
    {"FAX", "FAKS", 25},
    {"MAIL", "EMAIL", 100},
    {"WEB", "WEB", 100},
    {"XXX", "TAV. Vergi Dairesi İli", 25},
    {"URET_BKOD", "ÜRETİCİ BAYİ KODU", 22},
    {"DIST_BKOD", "DİSTRİBÜTÖR  BAYİ KODU", 22},
    {"TED_BKOD", "TEDARİKÇİ BAYİ KODU", 22},
    {"DIST_CKOD", "DİSTRİBÜTÖR KODU", 22},
    {"TED_CKOD", "TEDARİKÇİ KODU", 22},
};

} // namespace

TEczBilgiForm::TEczBilgiForm(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("EczBilgiForm"));
    setWindowTitle(S("ŞİRKET BİLGİLERİ"));
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const Satir& s : kSatirlar) {
        auto* e = new QLineEdit(this);
        e->setObjectName(S("DBEdit") + S(s.kolon));
        e->setMaxLength(s.uzunluk);
        m_alanlar.insert(S(s.kolon), e);
        form->addRow(S(s.baslik), e);
    }
    DBCheckBoxACE = new QCheckBox(S("SENKRONİZASYON YAP"), this);
    DBCheckBoxACE->setObjectName(S("DBCheckBoxACE"));
    DBCheckBoxACE->setAttribute(Qt::WA_TransparentForMouseEvents);
    DBCheckBoxACE->setFocusPolicy(Qt::NoFocus);
    DBCheckBoxACE->setContextMenuPolicy(Qt::ActionsContextMenu);
    form->addRow(QString(), DBCheckBoxACE);

    // The switch for sending data to the central server is kept off the
    // visible controls; its two keys work on the whole window.
    auto* sync = new QAction(S("sync"), this);
    sync->setObjectName(S("sync"));
    sync->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F12));
    addAction(sync);
    auto* nonSync = new QAction(S("non sync"), this);
    nonSync->setObjectName(S("nonsync"));
    nonSync->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F12));
    addAction(nonSync);
    connect(sync, &QAction::triggered, this, Guarded(this, &TEczBilgiForm::syncClick));
    connect(nonSync, &QAction::triggered, this, Guarded(this, &TEczBilgiForm::nonSyncClick));

    DBImage1 = new QLabel(this);
    DBImage1->setObjectName(S("DBImage1"));
    DBImage1->setFixedSize(220, 160);
    DBImage1->setFrameShape(QFrame::StyledPanel);
    DBImage1->setAlignment(Qt::AlignCenter);
    BtnYukle = new QPushButton(S("Yükle"), this);
    BtnYukle->setObjectName(S("BtnYukle"));
    BtnTemizle = new QPushButton(S("Temizle"), this);
    BtnTemizle->setObjectName(S("BtnTemizle"));
    auto* logo = new QVBoxLayout;
    logo->addWidget(new QLabel(S("Firma Logosu"), this));
    logo->addWidget(DBImage1);
    auto* logoBtn = new QHBoxLayout;
    logoBtn->addWidget(BtnYukle);
    logoBtn->addWidget(BtnTemizle);
    logo->addLayout(logoBtn);
    logo->addStretch();

    BtnSakla = new QPushButton(S("&Sakla"), this);
    BtnSakla->setObjectName(S("BtnSakla"));
    BtnVazgec = new QPushButton(S("&Vazgeç"), this);
    BtnVazgec->setObjectName(S("BtnVazgec"));
    auto* butonlar = new QHBoxLayout;
    butonlar->addStretch();
    butonlar->addWidget(BtnSakla);
    butonlar->addWidget(BtnVazgec);

    auto* ust = new QHBoxLayout;
    ust->addLayout(form, 1);
    ust->addLayout(logo);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addLayout(butonlar);
    resize(760, 600);

    connect(BtnYukle, &QPushButton::clicked, this, Guarded(this, &TEczBilgiForm::BtnYukleClick));
    connect(BtnTemizle, &QPushButton::clicked, this, Guarded(this, &TEczBilgiForm::BtnTemizleClick));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TEczBilgiForm::BtnSaklaClick));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded(this, &TEczBilgiForm::BtnVazgecClick));

    const QVariantMap firkim = FirmaBilgileriOku(m_db);
    for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it)
        it.value()->setText(firkim.value(it.key()).toString());
    DBCheckBoxACE->setChecked(firkim.value(S("ACE")).toString() == QLatin1String("1"));
    logoGoster(FirmaLogosuOku(m_db));
}

void TEczBilgiForm::logoGoster(const QByteArray& resim)
{
    QPixmap p;
    if (!resim.isEmpty() && p.loadFromData(resim))
        DBImage1->setPixmap(p.scaled(DBImage1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        DBImage1->clear();
}

void TEczBilgiForm::BtnYukleClick()
{
    const QString dosya = Messages().askOpenFile(S("Firma Logosu"),
                                                 S("Resim Dosyası (*.gif *.jpg *.jpeg *.png *.bmp)"));
    if (dosya.isEmpty())
        return;
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly)) {
        ShowError(S("Resim dosyası okunamadı: %1").arg(dosya));
        return;
    }
    const QByteArray resim = f.readAll();
    QPixmap p;
    if (!p.loadFromData(resim)) {
        ShowError(S("Seçilen dosya bir resim değil."));
        return;
    }
    m_logo = resim;
    logoGoster(resim);
}

void TEczBilgiForm::BtnTemizleClick()
{
    m_logo = QByteArray();
    logoGoster({});
}

void TEczBilgiForm::BtnSaklaClick()
{
    Guard([&] {
        WaitCursor wait;
        QVariantMap firkim;
        for (auto it = m_alanlar.cbegin(); it != m_alanlar.cend(); ++it)
            firkim.insert(it.key(), it.value()->text().trimmed());
        firkim.insert(S("ACE"), DBCheckBoxACE->isChecked() ? S("1") : S("0"));
        FirmaBilgileriKaydet(m_db, firkim, m_logo);
        accept();
    });
}

void TEczBilgiForm::BtnVazgecClick() { reject(); }

void TEczBilgiForm::syncClick()
{
    if (DBCheckBoxACE->isChecked())
        return;
    if (AskYesNoCancel(S("Merkeze Veri Gönderme Firması Olarak Ayarlamak istiyor musunuz?")) == MsgYes)
        DBCheckBoxACE->setChecked(true);
}

void TEczBilgiForm::nonSyncClick()
{
    if (AskYesNoCancel(S("Merkeze Veri Göndermeyi iptal etmek İstiyor musunuz?")) == MsgYes)
        DBCheckBoxACE->setChecked(false);
}

} // namespace tornaly
