#pragma once
#include "personnel/Personel.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace tornaly {

struct SessionContext;

// "Personel Kayıtları": one personnel card with its trainings and photo.
class TFormpersonSakla : public QDialog {
    Q_OBJECT
public:
    // Mode 0 edits the card of `kod`; mode 1 makes a new card, a copy of
    // `kod`'s card when it is not empty.
    TFormpersonSakla(SessionContext& ctx, const QString& kod, int mode, QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;
    QPushButton* BtnKapat = nullptr;
    QPushButton* BtnResimYukle = nullptr;
    QPushButton* BtnResimSil = nullptr;
    QPushButton* BtnDokuman = nullptr;
    QLabel* DBImage1 = nullptr;
    QTableWidget* GridEgitim = nullptr;
    QPushButton* BtnEgitimEkle = nullptr;
    QPushButton* BtnEgitimSil = nullptr;
    // "Özgeçmiş Bilgileri" (stored cards only): one grid per section 10, 20, 30, 40.
    QHash<int, QTableWidget*> GridOzgecmis;

    // The widget that edits a column of ISCIUSTA.
    QWidget* alan(const QString& kolon) const { return m_alanlar.value(kolon); }
    void setAlan(const QString& kolon, const QVariant& deger);
    QVariant alanDegeri(const QString& kolon) const;
    // The code of the card the window shows (the result of the card routine).
    QString kod() const { return m_kod; }
    bool duzenleniyor() const { return m_yeni || m_degisti; }

public slots:
    void BtnSaklaClick();
    void BtnVazgecClick();
    void BtnKapatClick();
    void BtnResimYukleClick();
    void BtnResimSilClick();
    void BtnDokumanClick();
    void BtnEgitimEkleClick();
    void BtnEgitimSilClick();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void kur();
    void kartiGoster(const TPersonelKart& kart);
    void egitimleriGoster(const QList<TPerEgitim>& satirlar);
    QList<TPerEgitim> egitimler() const;
    void fotoGoster(const QByteArray& jpeg);
    void ozgecmisKur();
    void ozgecmisSatiriEkle(const TPerCV& c);
    TOzgecmisKaydi ozgecmis() const;
    QList<qint64> m_silinenOzgecmis;
    void kurallariUygula();
    void degisti();

    SessionContext& m_ctx;
    Db m_db;
    QHash<QString, QWidget*> m_alanlar;
    QString m_kod;
    bool m_yeni = false;
    bool m_degisti = false;
    bool m_yukleniyor = false;
    bool m_kapatilabilir = false;
    std::optional<QByteArray> m_foto; // pending photo change
};

// Opens the card modally; gives back the code of the card shown at the end.
QString PersonelKartGir(SessionContext& ctx, const QString& kod, int mode, QWidget* parent = nullptr);

} // namespace tornaly
