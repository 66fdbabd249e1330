#pragma once
#include "reports/menu/ReportRegistry.h"

#include <QDialog>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;

namespace tornaly::reports {

// A group of the report menu and the texts of its reports.
struct ReportMenuGroup {
    QString text;
    int image = 0;
    QStringList reports;
};
// The menu's tree, in its order.
const QList<ReportMenuGroup>& ReportMenuTree();

// The text of the node that opens the SMS form (only for users with the right).
inline const QString SmsNodeText = QStringLiteral("Sms Modülü");

// The report menu: a tree of report groups; a double-click on a report
// opens it through the registry.
class TFormListe : public QDialog {
    Q_OBJECT
public:
    explicit TFormListe(SessionContext& ctx, QWidget* parent = nullptr);
    ~TFormListe() override;

    QTreeWidget* tvListe = nullptr;
    QPushButton* bbtnKapat = nullptr;
    // The "MARKA" value of the form's stored settings.
    QString Marka;
    // Enables the report nodes whose report is installed, disables the rest.
    void refreshNodes();

public slots:
    void tvListeDblClick();
    void bbtnKapatClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    SessionContext& m_ctx;
    bool m_loaded = false; // the stored settings were read, so they are written back
};

// Runs the entry of a node text as a double-click does; false when nothing ran.
bool RunReportEntry(SessionContext& ctx, QWidget* menu, const QString& text);

// The main window's "Liste Ve Raporlar": a new menu form, shown modeless.
TFormListe* ListeVeRaporlarGoster(SessionContext& ctx, QWidget* mainWindow);

} // namespace tornaly::reports
