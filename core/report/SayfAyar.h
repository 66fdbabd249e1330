#pragma once
#include "db/Database.h"
#include "report/PageSetup.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace tornaly::report {

// The row a page-setup dialog edits: the stored one, or a new one with A4,
// the given direction and the report's own margins (not stored until saved).
PageSetupValues PageSetupForEdit(const Db& db, const QString& formName, const QString& reportName, int bottom,
                                 int top, int left, int right, const QString& direction);
// Stores the row (insert or update) in one transaction.
void SavePageSetup(const Db& db, const PageSetupValues& values);
// Width x length a page name sets; false for "Kullanıcı Tanımlasın" and unknown names.
bool PageNameSize(const QString& pageName, int* width, int* length);

class TFormSayfaAyarla : public QDialog {
    Q_OBJECT
public:
    TFormSayfaAyarla(const Db& db, const PageSetupValues& values, const QString& captionText,
                     const QString& heading, QWidget* parent = nullptr);

    PageSetupValues values() const;

public slots:
    void BtnSaklaClick();
    void BtnVazgecClick();
    void CmbSayfaChange();
    void RgYonClick();

private:
    Db m_db;
    PageSetupValues m_values;
    QComboBox* m_page = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_length = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QSpinBox* m_left = nullptr;
    QSpinBox* m_right = nullptr;
    QSpinBox* m_top = nullptr;
    QSpinBox* m_bottom = nullptr;
    QLabel* m_picture = nullptr;
};

// Edits the stored page setup of one report; returns whether it was saved.
bool ShowPageSetup(const Db& db, const QString& formName, const QString& reportName, const QString& captionText,
                   int bottom, int top, int left, int right, const QString& direction, const QString& heading);

} // namespace tornaly::report
