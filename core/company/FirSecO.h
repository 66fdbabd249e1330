#pragma once
#include "company/FirmaKatalog.h"
#include "connection/ConnectionModule.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace tornaly {

struct SessionContext;

// "Firma Seçimi": the company and working year of the session.
class TFormFirmaSec : public QDialog {
    Q_OBJECT
public:
    TFormFirmaSec(TConnectionSettings& settings, TDbParamLists& lists, SessionContext& ctx,
                  QWidget* parent = nullptr);
    ~TFormFirmaSec() override;

    // Reads the settings, connects to the catalogue and fills the lists, then
    // shows the dialog modally. Accepted means the session names a company.
    int run();
    // True when the catalogue could not be reached twice: the program ends.
    bool applicationTerminated() const { return m_terminated; }

    QComboBox* DBLookupComboBF;
    QComboBox* DBLookupComboBY;
    QPushButton* BtnTamam;
    QPushButton* BtnIptal;
    // Says why the company list is empty, when it is.
    QLabel* LblBosListe;

public slots:
    bool FormShow();
    void BtnTamamClick();
    // Asks for the server settings; false when the user chose "Vazgeç".
    bool InputDatabaseParams();
    // Ctrl+Alt+Backspace: offer the hidden companies too.
    void ShowHiddenCompanies();
    void CompanyChanged();

    // What happens after "Vazgeç" on the settings dialog.
    static QString AyarlarGirilmediMetni();
    static QString BosFirmaListesiMetni();

private:
    void fillCompanies(bool includeHidden);
    void closeCatalogue();

    TConnectionSettings& m_settings;
    TDbParamLists& m_lists;
    SessionContext& m_ctx;
    QString m_connectionName;
    QList<TFirmaYili> m_years;
    bool m_terminated = false;
};

} // namespace tornaly
