#pragma once
#include "sqlconsole/SqlKapisi.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace tornaly {

struct SessionContext;

// "SQL Kapısı": an administrator's statements on the company database.
class TFormSQL : public QDialog {
    Q_OBJECT
public:
    // Throws DbError when the user is not an administrator.
    explicit TFormSQL(SessionContext& ctx, QWidget* parent = nullptr);
    ~TFormSQL() override;

    QPlainTextEdit* Memo1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    QPushButton* BtnSorguAc = nullptr;       // "Sorgu &Aç"
    QPushButton* BtnSorguCalistir = nullptr; // "S&orgu Çalıştır"
    QPushButton* BtnOnayla = nullptr;        // "İşlemi &Onayla"
    QPushButton* BtnGeriAl = nullptr;        // "İşlemi &Geri Al"
    QPushButton* BtnYukle = nullptr;         // "Sorgu &Yükle"
    QPushButton* BtnSakla = nullptr;         // "Sorgu &Sakla"
    QPushButton* BtnRaporSakla = nullptr;    // "&Raporu Sakla"
    QLabel* LblDurum = nullptr;
    TSqlKapisi& kapi() { return *m_kapi; }

public slots:
    void BtnSorguAcClick();
    void BtnSorguCalistirClick();
    void BtnOnaylaClick();
    void BtnGeriAlClick();
    void BtnYukleClick();
    void BtnSaklaClick();
    void BtnRaporSaklaClick();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void durumGoster(const QString& metin);
    std::unique_ptr<TSqlKapisi> m_kapi;
    QStandardItemModel* m_model = nullptr;
};

} // namespace tornaly
