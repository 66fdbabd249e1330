#pragma once
#include "mainwindow/Commands.h"
#include "mainwindow/Targets.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;

namespace tornaly {

struct SessionContext;
class TileControl;

// The program's main window: tiles, main menu and colour buttons, each
// opening a module the user's rights allow.
class TAnaForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TAnaForm(SessionContext& ctx, QWidget* parent = nullptr);
    ~TAnaForm() override;

    // The change of login and company; ChangeCompany unless a test puts its own.
    using ReloginRoutine = std::function<bool(SessionContext&)>;
    void setReloginRoutine(ReloginRoutine routine) { m_relogin = std::move(routine); }

    SessionContext& context() { return m_ctx; }
    QAction* menuAction(const QString& id) const { return m_actions.value(id); }
    QMenu* menu(const QString& id) const { return m_menus.value(id); }
    QAbstractButton* commandButton(const QString& id) const { return m_buttons.value(id); }
    bool isCommandEnabled(const QString& id) const;
    bool isCommandVisible(const QString& id) const;
    // A hidden menu's action reads as disabled in Qt; this is the state user_view gives it.
    bool isMenuEnabled(const QString& id) const;
    // Runs a command as a click on its tile, item or button does (nothing when disabled).
    void triggerCommand(const QString& id);

public slots:
    void FormCreate();
    void FormShow();
    void user_view();
    void YeniOturum1Click();
    void IzgaraKolonAyarlariniSakla1Click(bool checked);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildTiles();
    void buildButtons();
    void buildStatusStrip();
    void applyStates();
    bool targetAvailable(const Command& c) const;
    void runCommand(const Command& c);
    void dispatch(const Command& c);
    void openTarget(const Command& c);
    OpenRequest requestFor(const Command& c);
    QWidget* createForm(const Command& c, QWidget* parent);
    void showModal(QWidget* form);
    void closeOtherWindows();

    SessionContext& m_ctx;
    ReloginRoutine m_relogin;
    TileControl* dxTileControl1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* m_buttonStrip = nullptr;
    QLabel* lblKullanici = nullptr;
    QLabel* LabelF = nullptr;
    QLabel* Label5 = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAbstractButton*> m_buttons;
    QHash<QString, QPointer<QWidget>> m_kept;   // forms kept for the whole run, by target
    QHash<QString, QPointer<QWidget>> m_owned;  // the last modal instance, by target
};

} // namespace tornaly
