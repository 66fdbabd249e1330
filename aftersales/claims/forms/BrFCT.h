#pragma once
#include "context/SessionContext.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly {
class BoundQueryModel;
}

namespace tornaly::aftersales {

// "HASAR KODLARI": the claim codes of one type.
class TFormFctBr : public QDialog {
    Q_OBJECT
public:
    TFormFctBr(SessionContext& ctx, int tip, QWidget* parent = nullptr);

    QTableView* Grid = nullptr;
    QLineEdit* EdKod = nullptr;
    QLineEdit* EdAd = nullptr;
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDegistir = nullptr;
    QPushButton* BtnSil = nullptr;
    QPushButton* BtnKapat = nullptr;

    int rowCount() const;
    QString currentKod() const;

public slots:
    void BtnYeniClick();
    void BtnDegistirClick();
    void BtnSilClick();
    void EdKodChange();
    void EdAdChange();

private:
    void ac(const QString& gidilecek = {});
    bool kart(bool yeni);
    SessionContext& m_ctx;
    int m_tip;
    BoundQueryModel* m_model = nullptr;
};

// "Hasar Kodları": one code's card. Returns the saved code, empty when cancelled.
QString HasarKodKartGir(SessionContext& ctx, int tip, const QString& kod, const QString& ad, bool yeni,
                        QWidget* parent = nullptr);

// Shows the list of one code type without waiting; it frees itself when closed.
void HasarKodSec(SessionContext& ctx, int tip, QWidget* parent = nullptr);

} // namespace tornaly::aftersales
