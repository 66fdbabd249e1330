#pragma once
#include "db/Database.h"
#include "maintenance/VeriOnarim.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tornaly {

struct SessionContext;
struct t_user;

// One command of the system management window: a menu entry, perhaps also a
// button of the left panel. It either runs here, or opens what another
// module registered under `hedef` (disabled while that module is absent).
struct TBakimKomutu {
    QString menu;        // object name of the menu
    QString ad;          // object name of the entry
    QString baslik;
    QString buton;       // caption of its left-panel button, empty when none
    QString hedef;       // registered target; empty: runs here
    bool gizli = false;
    // Disabled by user_view when this says no.
    std::function<bool(const t_user&)> hak;
};
const QList<TBakimKomutu>& BakimKomutlari();

// "Kalvesa Sistem Yönetimi": set-up and maintenance tools.
class TBakimForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TBakimForm(SessionContext& ctx, QWidget* parent = nullptr);

    QAction* komut(const QString& ad) const { return m_komutlar.value(ad); }
    QPushButton* buton(const QString& ad) const { return m_butonlar.value(ad); }
    QMenu* menu(const QString& ad) const { return m_menuler.value(ad); }
    QPlainTextEdit* MemoVersiyon = nullptr;
    QWidget* PanelVersiyon = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    // Runs a command as its menu entry does (tests and the panel buttons).
    void calistir(const QString& ad);

public slots:
    void user_view();
    void FormCreate();
    void VersiyonlaraBakClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void kur();
    void durumlariUygula();
    void yerel(const QString& ad);
    bool evetMi(const QString& soru);
    void sonucGoster(const QString& tamam, const TOnarimSonucu& sonuc);

    SessionContext& m_ctx;
    Db m_db;
    QHash<QString, QAction*> m_komutlar;
    QHash<QString, QPushButton*> m_butonlar;
    QHash<QString, QMenu*> m_menuler;
};

// A new window each time (the tile "Sistem Yönetimi"), shown modeless.
TBakimForm* BakimFormAc(SessionContext& ctx, QWidget* owner);

} // namespace tornaly
