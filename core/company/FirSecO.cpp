#include "company/FirSecO.h"
#include "guard/FormGuard.h"
#include "connection/DialogRunner.h"
#include "connection/VeriTabLogin.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "messages/Messages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QUuid>
#include <QVBoxLayout>

namespace tornaly {

TFormFirmaSec::TFormFirmaSec(TConnectionSettings& settings, TDbParamLists& lists, SessionContext& ctx,
                             QWidget* parent)
    : QDialog(parent), m_settings(settings), m_lists(lists), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormFirmaSec"));
    setWindowTitle(QStringLiteral("Firma Seçimi"));
    m_connectionName = QStringLiteral("FirmaSec_") + QUuid::createUuid().toString(QUuid::Id128);
    DBLookupComboBF = new QComboBox(this);
    DBLookupComboBF->setObjectName(QStringLiteral("DBLookupComboBF"));
    DBLookupComboBY = new QComboBox(this);
    DBLookupComboBY->setObjectName(QStringLiteral("DBLookupComboBY"));
    // Company names are long; keep them readable in full.
    DBLookupComboBF->setMinimumWidth(260);
    DBLookupComboBF->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Oturuma Açılan Firma"), DBLookupComboBF);
    form->addRow(QStringLiteral("Çalışılacak Yıl"), DBLookupComboBY);
    BtnTamam = new QPushButton(QStringLiteral("Tamam"), this);
    BtnTamam->setObjectName(QStringLiteral("BtnTamam"));
    BtnTamam->setDefault(true);
    BtnIptal = new QPushButton(QStringLiteral("İptal"), this);
    BtnIptal->setObjectName(QStringLiteral("BtnIptal"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnTamam);
    buttons->addWidget(BtnIptal);
    LblBosListe = new QLabel(this);
    LblBosListe->setObjectName(QStringLiteral("LblBosListe"));
    LblBosListe->setWordWrap(true);
    LblBosListe->setText(BosFirmaListesiMetni());
    LblBosListe->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(LblBosListe);
    layout->addLayout(buttons);

    connect(BtnTamam, &QPushButton::clicked, this, Guarded(this, &TFormFirmaSec::BtnTamamClick));
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(DBLookupComboBF, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormFirmaSec::CompanyChanged));
    auto* hidden = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Backspace), this);
    connect(hidden, &QShortcut::activated, this, Guarded(this, &TFormFirmaSec::ShowHiddenCompanies));
}

TFormFirmaSec::~TFormFirmaSec() { closeCatalogue(); }

void TFormFirmaSec::closeCatalogue() { Db::close(m_connectionName); }

int TFormFirmaSec::run()
{
    if (!FormShow()) {
        closeCatalogue();
        return QDialog::Rejected;
    }
    const int result = RunModal(*this);
    closeCatalogue();
    return result;
}

QString TFormFirmaSec::AyarlarGirilmediMetni()
{
    return QStringLiteral("Sunucu bağlantı ayarları girilmedi, bu yüzden firma listesi okunamıyor.\n"
                          "Program şimdi kapanacak; bir sonraki açılışta ayarlar yeniden sorulacaktır.");
}

QString TFormFirmaSec::BosFirmaListesiMetni()
{
    return QStringLiteral("Bu sunucunun firma kataloğunda tanımlı firma yok, bu yüzden oturum açılamaz.\n"
                          "Sistem yöneticinizin firmayı ve çalışma yılını tanımlaması gerekir; "
                          "başka bir sunucuya bağlanmak için programı kapatıp ayarları değiştiriniz.");
}

bool TFormFirmaSec::InputDatabaseParams()
{
    TDonPara result;
    Backend backend = m_settings.Surucu;
    SunucuAyarlariSor(1, m_settings.DbKullaniciAdi, {}, m_settings, result, &backend);
    if (result.KodStr != QLatin1String("1"))
        return false;
    m_settings.Surucu = backend;
    m_settings.SunucuAdi = result.str1;
    m_settings.DbKullaniciAdi = result.IlkStr;
    m_settings.DbSifre = result.SonStr;
    if (!WriteServerSettings(m_settings))
        ShowWarning(QStringLiteral("Veritabanı şifresi saklanamadı: bir sonraki açılışta yeniden sorulacak."));
    return true;
}

bool TFormFirmaSec::FormShow()
{
    ReadConnectionSettings(m_settings);
    if (m_settings.SunucuAdi.isEmpty() && !InputDatabaseParams()) {
        ShowInfo(AyarlarGirilmediMetni());
        m_terminated = true;
        return false;
    }

    for (int attempt = 1;; ++attempt) {
        m_lists.FirmalarDbParams = MakeDbParams(m_settings, FirmalarVeritabani);
        try {
            Db::close(m_connectionName);
            Db catalogue = Db::open(ProfileFromParams(m_lists.FirmalarDbParams), m_connectionName);
            ApplyMigrations(catalogue, DatabaseKind::Catalogue);
            break;
        } catch (const DbError& e) {
            Db::close(m_connectionName);
            ShowError(QStringLiteral("Sunucu Bağlantı Hatası :") + e.text());
            if (attempt >= 2) {
                m_terminated = true;
                return false;
            }
            if (!InputDatabaseParams()) {
                ShowInfo(AyarlarGirilmediMetni());
                m_terminated = true;
                return false;
            }
        }
    }

    try {
        fillCompanies(false);
    } catch (const DbError& e) {
        ShowError(QStringLiteral("Hata :") + e.text());
        m_terminated = true;
        return false;
    }
    return true;
}

void TFormFirmaSec::fillCompanies(bool includeHidden)
{
    const QStringList names = TFirmaKatalog(Db::attach(m_connectionName)).companies(includeHidden);
    {
        const QSignalBlocker block(DBLookupComboBF);
        DBLookupComboBF->clear();
        DBLookupComboBF->addItems(names);
    }
    BtnTamam->setEnabled(!names.isEmpty());
    LblBosListe->setVisible(names.isEmpty());
    if (names.isEmpty()) {
        DBLookupComboBY->clear();
        m_years.clear();
        return;
    }
    const QString company = RememberedCompany();
    const int at = names.indexOf(company);
    {
        const QSignalBlocker block(DBLookupComboBF);
        DBLookupComboBF->setCurrentIndex(at >= 0 ? at : 0);
    }
    CompanyChanged();
    const QString year = RememberedYear();
    for (int i = 0; i < m_years.size(); ++i)
        if (m_years.at(i).YILI == year)
            DBLookupComboBY->setCurrentIndex(i);
}

void TFormFirmaSec::CompanyChanged()
{
    const Db catalogue = Db::attach(m_connectionName);
    m_years = catalogue.isValid() ? TFirmaKatalog(catalogue).years(DBLookupComboBF->currentText())
                                  : QList<TFirmaYili>();
    DBLookupComboBY->clear();
    for (const TFirmaYili& row : std::as_const(m_years))
        DBLookupComboBY->addItem(row.YILI);
    // A company opens on its latest year.
    DBLookupComboBY->setCurrentIndex(int(m_years.size()) - 1);
}

void TFormFirmaSec::ShowHiddenCompanies()
{
    fillCompanies(true);
}

void TFormFirmaSec::BtnTamamClick()
{
    const int i = DBLookupComboBY->currentIndex();
    if (i < 0 || i >= m_years.size())
        return;
    switch (ApplyCompanyChoice(m_years.at(i), m_settings, m_ctx, m_lists)) {
    case FirmaSecimSonucu::YearNotNumber:
        ShowError(QStringLiteral("'%1' geçerli bir yıl değil.").arg(m_years.at(i).YILI));
        return;
    case FirmaSecimSonucu::NoDatabase:
        Messages().show(MsgIcon::None, QStringLiteral(" Database Adı Tanımlanmamış."), MsgOk, MsgOk, {});
        reject();
        return;
    case FirmaSecimSonucu::Ok:
        accept();
        return;
    }
}

} // namespace tornaly
