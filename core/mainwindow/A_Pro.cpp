#include "mainwindow/A_Pro.h"
#include "CoreEntry.h"
#include "backup/UBackup.h"
#include "currency/dovizk.h"
#include "context/SessionContext.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/HelpPage.h"
#include "guard/FormGuard.h"
#include "mainwindow/SeparatePrograms.h"
#include "mainwindow/TileControl.h"
#include "messages/Messages.h"
#include "settings/Settings.h"
#include "startup/Session.h"
#include "tools/AboutBox.h"
#include "util/FormHelpers.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace tornaly {

namespace {

const QString kSettingsFile = QStringLiteral("Kalvesa");
const QString kStartupSection = QStringLiteral("STARTUP");
const QString kGridSwitchKey = QStringLiteral("IzgaraKolonAyarlariniSakla1.Checked");

// The face of each tile: colour and symbol.
struct TileLook {
    const char* id;
    QRgb colour;
    const char* glyph;
};
const TileLook kTileLooks[] = {
    {"TileStokKayitlari", 0x00897b, "▤"},      {"TileStokFisleri", 0x2e7d32, "⇄"},
    {"TileCariKayitlari", 0x0277bd, "☰"},      {"TileAlisIslemleri", 0x6a1b9a, "↓"},
    {"TileSatisIslemleri", 0xad1457, "↑"},     {"TileIsemirleri", 0xd84315, "☷"},
    {"TileIsemriAc", 0xef6c00, "✚"},          {"TileIsemriYedekParca", 0xf9a825, "⚙"},
    {"TileIsemriKapat", 0xc62828, "✔"},       {"TileIsemriFatura", 0x8e24aa, "₺"},
    {"TileHasar", 0xb71c1c, "⚠"},             {"TileAracRuhsat", 0x5d4037, "✎"},
    {"TileIscilikKodlari", 0x00838f, "⚒"},    {"TileBakimPaketleri", 0x558b2f, "❖"},
    {"TileCariKayitlari2", 0x1565c0, "☰"},     {"TileCariHareketleri", 0x283593, "⇅"},
    {"TileBankaKayitlari", 0x00695c, "⌂"},    {"TileBankaHareketleri", 0x00796b, "⇆"},
    {"TileKasaIslemleri", 0x2e7d32, "▣"},     {"TileFisGirisleri", 0x4527a0, "✍"},
    {"TileCekSenetKarti", 0x6d4c41, "✉"},     {"TileCekSenetBordrolari", 0x795548, "☲"},
    {"TileDovizKurlari", 0xc49000, "€"},      {"TileListeVeRaporlar", 0x37474f, "▥"},
    {"TileSistemYonetimi", 0x455a64, "⚙"},
};

struct ButtonLook {
    const char* id;
    QRgb colour;
};
const ButtonLook kButtonLooks[] = {
    {"BtnDovizKurlari", 0xc49000}, {"BtnAlinanSiparis", 0x6a1b9a}, {"BtnHakkinda", 0x546e7a},
    {"BtnCikis", 0xb71c1c},        {"BtnYardim", 0x0277bd},        {"BtnRandevu", 0x00897b},
    {"BtnPDI", 0x2e7d32},          {"BtnCalismaKarti", 0xef6c00},  {"BtnMuhasebe", 0x283593},
    {"BtnCekSenet", 0x6d4c41},     {"BtnBarkodEtiketi", 0x37474f},
};

template <class Look, size_t N>
const Look* findLook(const Look (&looks)[N], const QString& id)
{
    for (const Look& l : looks)
        if (id == QLatin1String(l.id))
            return &l;
    return nullptr;
}

bool needsTarget(Way way)
{
    switch (way) {
    case Way::Routine:
    case Way::Single:
    case Way::ModalOwned:
    case Way::Kept:
    case Way::CreatedOnce:
    case Way::NewModeless: return true;
    default: return false;
    }
}

QString colourButtonStyle(const QColor& c)
{
    return QStringLiteral(
               "QPushButton { background: %1; color: white; border: none; border-radius: 3px;"
               " padding: 6px 12px; font-weight: bold; }"
               "QPushButton:hover { background: %2; }"
               "QPushButton:pressed { background: %3; }"
               "QPushButton:disabled { background: #c5ccd3; color: #eef1f4; }"
               "QPushButton:focus { outline: none; border: 1px solid #ffffff; }")
        .arg(c.name(), c.lighter(115).name(), c.darker(120).name());
}

} // namespace

TAnaForm::TAnaForm(SessionContext& ctx, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_relogin([](SessionContext& c) { return ChangeCompany(c); })
{
    setObjectName(QStringLiteral("AnaForm"));
    setWindowTitle(QStringLiteral("OTOMOTİV SERVİS YAZILIMI"));
    if (!Targets().isRegistered(QString::fromLatin1(entry::TAboutBox)))
        RegisterForm(QString::fromLatin1(entry::TAboutBox),
                     [](const OpenRequest& r) { return new TAboutBox(r.owner); });
    if (!Targets().isRegistered(QString::fromLatin1(entry::TFormDoviz)))
        RegisterForm(QString::fromLatin1(entry::TFormDoviz),
                     [](const OpenRequest& r) { return new TFormDoviz(*r.ctx, r.owner); });
    if (!Targets().isRegistered(QString::fromLatin1(entry::ShowBackupForm)))
        RegisterBackupEntryPoints();
    core::RegisterEntryPoints();

    buildMenus();
    buildTiles();
    buildButtons();
    buildStatusStrip();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(dxTileControl1, 1);
    layout->addWidget(m_buttonStrip);
    setCentralWidget(central);
    resize(1280, 760);

    connect(&Targets(), &TargetRegistry::changed, this, Guarded(this, &TAnaForm::applyStates));
    FormCreate();
    applyStates();
}

TAnaForm::~TAnaForm()
{
    // Single-instance forms belong to the program, not to this window.
    for (auto& form : m_kept)
        if (form && form->parent() != this)
            delete form.data();
}

void TAnaForm::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuDef& m : MainMenus()) {
        QMenu* menu = bar->addMenu(m.caption);
        menu->setObjectName(m.id);
        menu->menuAction()->setObjectName(m.id);
        menu->menuAction()->setVisible(!m.hidden);
        m_menus.insert(m.id, menu);
    }
    for (const Command& c : MainCommands()) {
        QAction* action = nullptr;
        if (c.place == Place::Menu) {
            action = m_menus.value(c.menu)->addAction(c.caption);
        } else if (c.place == Place::MenuBar) {
            action = bar->addAction(c.caption);
        } else {
            continue;
        }
        action->setObjectName(c.id);
        if (!c.shortcut.isEmpty())
            action->setShortcut(QKeySequence(c.shortcut));
        if (c.way == Way::GridSwitch) {
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::toggled, this, Guarded(this, &TAnaForm::IzgaraKolonAyarlariniSakla1Click));
        } else {
            const QString id = c.id;
            connect(action, &QAction::triggered, this, Guarded([this, id] { triggerCommand(id); }));
        }
        m_actions.insert(c.id, action);
    }
}

void TAnaForm::buildTiles()
{
    dxTileControl1 = new TileControl(QStringLiteral("Otomotiv Servis Yazılımı"), this);
    dxTileControl1->setObjectName(QStringLiteral("dxTileControl1"));
    for (const QString& caption : TileGroupCaptions())
        dxTileControl1->addGroup(caption);
    for (const Command& c : MainCommands()) {
        if (c.place != Place::Tile)
            continue;
        const TileLook* look = findLook(kTileLooks, c.id);
        TileItem* tile = dxTileControl1->addTile(c.group, c.id, c.caption,
                                                 QColor(look ? look->colour : 0x455a64),
                                                 look ? QString::fromUtf8(look->glyph) : QString());
        const QString id = c.id;
        connect(tile, &QAbstractButton::clicked, this, Guarded([this, id] { triggerCommand(id); }));
        m_buttons.insert(c.id, tile);
    }
}

void TAnaForm::buildButtons()
{
    m_buttonStrip = new QWidget(this);
    m_buttonStrip->setObjectName(QStringLiteral("ColourButtons"));
    m_buttonStrip->setAttribute(Qt::WA_StyledBackground, true);
    m_buttonStrip->setStyleSheet(QStringLiteral(
        "#ColourButtons { background: #e9edf2; border-top: 1px solid #c9d1da; }"));
    auto* row = new QHBoxLayout(m_buttonStrip);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(8);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* column = new QVBoxLayout(Panel2);
    Panel2->hide();

    for (const Command& c : MainCommands()) {
        if (c.place != Place::ColourButton && c.place != Place::LeftPanel)
            continue;
        auto* button = new QPushButton(c.caption, c.place == Place::LeftPanel ? Panel2 : m_buttonStrip);
        button->setObjectName(c.id);
        button->setFocusPolicy(Qt::TabFocus);
        if (c.place == Place::ColourButton) {
            const ButtonLook* look = findLook(kButtonLooks, c.id);
            button->setStyleSheet(colourButtonStyle(QColor(look ? look->colour : 0x455a64)));
            button->setCursor(Qt::PointingHandCursor);
            button->setMinimumHeight(34);
            row->addWidget(button);
        } else {
            column->addWidget(button);
        }
        const QString id = c.id;
        connect(button, &QPushButton::clicked, this, Guarded([this, id] { triggerCommand(id); }));
        m_buttons.insert(c.id, button);
    }
    row->addStretch();
}

void TAnaForm::buildStatusStrip()
{
    QStatusBar* strip = statusBar();
    strip->setObjectName(QStringLiteral("Panel1"));
    strip->setSizeGripEnabled(false);
    strip->setStyleSheet(QStringLiteral("QStatusBar { background: #16324f; color: #e6edf4; }"
                                        "QStatusBar QLabel { color: #e6edf4; padding: 2px 10px; }"
                                        "QStatusBar::item { border: none; }"));
    lblKullanici = new QLabel(strip);
    lblKullanici->setObjectName(QStringLiteral("lblKullanici"));
    LabelF = new QLabel(strip);
    LabelF->setObjectName(QStringLiteral("LabelF"));
    Label5 = new QLabel(QStringLiteral("Versiyon 7.2.2 - 15.12.2010"), strip);
    Label5->setObjectName(QStringLiteral("Label5"));
    auto* separator = new QLabel(QStringLiteral("|"), strip);
    strip->addWidget(lblKullanici);
    strip->addWidget(separator);
    strip->addWidget(LabelF, 1);
    strip->addPermanentWidget(Label5);
}

void TAnaForm::FormCreate()
{
    const QString stored = ReadSetting(kSettingsFile, kStartupSection, kGridSwitchKey);
    const bool gridSwitch = stored.isEmpty() || stored == QLatin1String("1");
    if (QAction* a = m_actions.value(QStringLiteral("IzgaraKolonAyarlariniSakla1"))) {
        const QSignalBlocker block(a);
        a->setChecked(gridSwitch);
    }
    SetIzgaraAyarSakla(gridSwitch);
    lblKullanici->setText(QStringLiteral("Kullanıcı : ") + m_ctx.AktifKullanici.login);
}

void TAnaForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAnaForm::FormShow()
{
    if (QMenu* finance = m_menus.value(QStringLiteral("FinansIslemleri1")))
        finance->setTitle(QStringLiteral("Ön Muhasebe"));
    user_view();
    SetCapsLock(true);
    const t_user& u = m_ctx.AktifKullanici;
    if ((u.diger16 == QLatin1String("R") || u.diger16 == QLatin1String("T"))
        && Targets().isRegistered(QString::fromLatin1(entry::AramaSorguGoster))) {
        // After the window is on screen: the list may open a modal window of its own.
        QTimer::singleShot(0, this, Guarded([this] {
            OpenRequest r;
            r.target = QString::fromLatin1(entry::AramaSorguGoster);
            r.ctx = &m_ctx;
            r.owner = this;
            r.mode = 1;
            r.key = QStringLiteral("S");
            if (RoutineOpener open = Targets().routine(r.target))
                open(r);
        }));
    }
    LabelF->setText(m_ctx.FirmaAdi + QStringLiteral(" - ") + m_ctx.CalismaYili);
}

void TAnaForm::user_view() { applyStates(); }

bool TAnaForm::targetAvailable(const Command& c) const
{
    return !needsTarget(c.way) || Targets().isRegistered(c.target);
}

bool TAnaForm::isCommandEnabled(const QString& id) const
{
    const Command* c = FindCommand(id);
    if (!c || !targetAvailable(*c))
        return false;
    // Tiles are never disabled by rights: they test them when clicked.
    return c->place == Place::Tile || c->enable.passes(m_ctx.AktifKullanici);
}

bool TAnaForm::isCommandVisible(const QString& id) const
{
    const Command* c = FindCommand(id);
    if (!c || c->hidden || c->place == Place::LeftPanel)
        return false;
    if (!c->visible.passes(m_ctx.AktifKullanici))
        return false;
    if (c->place == Place::Menu) {
        for (const MenuDef& m : MainMenus())
            if (m.id == c->menu && m.hidden)
                return false;
    }
    return true;
}

bool TAnaForm::isMenuEnabled(const QString& id) const
{
    for (const MenuDef& m : MainMenus())
        if (m.id == id)
            return m.enable.passes(m_ctx.AktifKullanici);
    return false;
}

void TAnaForm::applyStates()
{
    const t_user& u = m_ctx.AktifKullanici;
    for (const Command& c : MainCommands()) {
        const bool enabled = isCommandEnabled(c.id);
        const bool shown = !c.hidden && c.visible.passes(u);
        if (QAction* a = m_actions.value(c.id)) {
            a->setEnabled(enabled);
            a->setVisible(shown);
        } else if (QAbstractButton* b = m_buttons.value(c.id)) {
            b->setEnabled(enabled);
            if (c.place != Place::Tile)
                b->setVisible(shown);
            b->setToolTip(targetAvailable(c) ? QString()
                                             : QStringLiteral("Bu modül bu kurulumda yüklü değil."));
        }
    }
    for (const MenuDef& m : MainMenus())
        if (QMenu* menu = m_menus.value(m.id))
            menu->menuAction()->setEnabled(m.enable.passes(u));
}

void TAnaForm::triggerCommand(const QString& id)
{
    const Command* c = FindCommand(id);
    if (!c || !isCommandEnabled(id))
        return;
    runCommand(*c);
}

void TAnaForm::runCommand(const Command& c)
{
    // A module that fails while opening reports it; the main window stays.
    Guard([&] { dispatch(c); });
}

void TAnaForm::dispatch(const Command& c)
{
    if (!c.run.passes(m_ctx.AktifKullanici)) {
        if (!c.silent)
            ShowWarning(NoRightText());
        return;
    }
    switch (c.way) {
    case Way::Relogin: YeniOturum1Click(); return;
    case Way::GridSwitch:
        if (QAction* a = m_actions.value(c.id))
            a->toggle();
        return;
    case Way::Help: OpenHelpContents(); return;
    case Way::Exit: close(); return;
    case Way::Program: StartSeparateProgram(m_ctx, c.target); return;
    default: openTarget(c); return;
    }
}

OpenRequest TAnaForm::requestFor(const Command& c)
{
    OpenRequest r;
    r.target = c.target;
    r.ctx = &m_ctx;
    r.owner = this;
    r.mode = c.mode;
    r.key = c.key;
    r.codeType = c.codeType;
    if (c.today)
        r.day = QDate::currentDate();
    return r;
}

QWidget* TAnaForm::createForm(const Command& c, QWidget* parent)
{
    FormFactory factory = Targets().form(c.target);
    if (!factory)
        return nullptr;
    OpenRequest r = requestFor(c);
    r.owner = parent;
    QWidget* form = factory(r);
    if (form && !form->isWindow())
        form->setWindowFlag(Qt::Window, true);
    return form;
}

void TAnaForm::showModal(QWidget* form)
{
    if (auto* dialog = qobject_cast<QDialog*>(form)) {
        dialog->exec();
        return;
    }
    form->setWindowModality(Qt::ApplicationModal);
    BringForward(form);
}

void TAnaForm::openTarget(const Command& c)
{
    // A module that registered a routine opens itself in its own way.
    if (RoutineOpener routine = Targets().routine(c.target)) {
        routine(requestFor(c));
        return;
    }
    switch (c.way) {
    case Way::Routine: {
        // A form registered in place of a routine: shown modally and freed, as unit routines do.
        std::unique_ptr<QWidget> form(createForm(c, this));
        if (form)
            showModal(form.get());
        return;
    }
    case Way::Single: {
        QWidget* form = EnsureForm(c.formName, [&] { return createForm(c, this); });
        if (form)
            m_kept.insert(c.formName, form);
        BringForward(form);
        return;
    }
    case Way::ModalOwned: {
        if (QPointer<QWidget> previous = m_owned.value(c.target))
            previous->deleteLater();
        QWidget* form = createForm(c, this);
        m_owned.insert(c.target, form);
        if (form)
            showModal(form);
        return;
    }
    case Way::Kept: {
        QPointer<QWidget> form = m_kept.value(c.target);
        if (!form) {
            form = createForm(c, this);
            m_kept.insert(c.target, form);
        }
        if (form)
            showModal(form);
        return;
    }
    case Way::CreatedOnce: {
        QPointer<QWidget> form = m_kept.value(c.target);
        if (!form) {
            form = createForm(c, this);
            if (form)
                form->setObjectName(c.formName);
            m_kept.insert(c.target, form);
        }
        BringForward(form);
        return;
    }
    case Way::NewModeless: {
        QWidget* form = createForm(c, this);
        if (form) {
            form->setAttribute(Qt::WA_DeleteOnClose, true);
            BringForward(form);
        }
        return;
    }
    default: return;
    }
}

void TAnaForm::closeOtherWindows()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (w != this && w->isVisible())
            w->close();
}

void TAnaForm::YeniOturum1Click()
{
    if (!m_relogin || !m_relogin(m_ctx))
        return;
    closeOtherWindows();
    // Forms kept for the run belong to the old company: the next use makes them anew.
    for (auto it = m_kept.begin(); it != m_kept.end(); ++it)
        if (it.value())
            it.value()->deleteLater();
    m_kept.clear();
    FormCreate();
    FormShow();
}

void TAnaForm::IzgaraKolonAyarlariniSakla1Click(bool checked)
{
    SetIzgaraAyarSakla(checked);
    WriteSetting(kSettingsFile, kStartupSection, kGridSwitchKey, checked ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace tornaly
