#pragma once
#include "db/Database.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableView;

namespace tornaly {

class BoundQueryModel;

// "Kullanıcı Bilgileri": the users by login and name. Passwords are never listed.
class TFormPass : public QDialog {
    Q_OBJECT
public:
    explicit TFormPass(const Db& db, QWidget* parent = nullptr);

    QLineEdit* EditFiltre;
    QPushButton* BtnTemizle;
    QTableView* Grid;
    BoundQueryModel* model() const { return m_model; }

public slots:
    void FiltreUygula();
    void TemizleClick();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    Db m_db;
    BoundQueryModel* m_model;
};

} // namespace tornaly
