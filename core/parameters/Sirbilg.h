#pragma once
#include "parameters/Parametreler.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tornaly {

struct SessionContext;

// "ŞİRKET BİLGİLERİ": the company record and its logo.
class TEczBilgiForm : public QDialog {
    Q_OBJECT
public:
    explicit TEczBilgiForm(SessionContext& ctx, QWidget* parent = nullptr);

    QLineEdit* alan(const QString& kolon) const { return m_alanlar.value(kolon); }
    QCheckBox* DBCheckBoxACE = nullptr;  // "SENKRONİZASYON YAP"
    QLabel* DBImage1 = nullptr;
    QPushButton* BtnYukle = nullptr;
    QPushButton* BtnTemizle = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;

public slots:
    void BtnYukleClick();
    void BtnTemizleClick();
    void BtnSaklaClick();
    void BtnVazgecClick();
    void syncClick();
    void nonSyncClick();

private:
    void logoGoster(const QByteArray& resim);
    SessionContext& m_ctx;
    Db m_db;
    QHash<QString, QLineEdit*> m_alanlar;
    std::optional<QByteArray> m_logo; // pending change of the logo
};

} // namespace tornaly
