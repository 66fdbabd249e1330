#pragma once
#include "context/SessionContext.h"
#include "stock/common/KodListeFormu.h"

#include <QString>

class QCheckBox;
class QComboBox;

namespace tornaly::stock {

// Stock groups ("GRUP KAYITLARI").
class TFormGrupBr : public KodListeFormu {
    Q_OBJECT
public:
    TFormGrupBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    QPushButton* BtnYeni = nullptr;
    QPushButton* BtnDuzenle = nullptr;
    QPushButton* BtnSil = nullptr;
    QComboBox* AramaAlani = nullptr; // "Aramak İstenilen"
public slots:
    void BtnYeniClick();
    void BtnDuzenleClick();
    void BtnSilClick();
};
// Returns the picked group code; empty without a pick.
QString GrupSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
// The group card ("ÜRÜN GRUBU ADI KAYIT KARTI"); the saved code, empty on cancel.
QString GrupKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);

// Subgroups ("Stok Alt Grup").
class TFormAltGrupBr : public KodListeFormu {
    Q_OBJECT
public:
    TFormAltGrupBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
public slots:
    void BtnYeniClick();
    void BtnDuzenleClick();
    void BtnSilClick();
};
void AltGrupSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
void AltGrupKarti(const SessionContext& ctx, const QString& grup, const QString& kod, bool yeni,
                  QWidget* parent = nullptr);

// Vehicle brands ("ARAÇ MARKA KAYITLARI").
class TFormMarkaBr : public KodListeFormu {
    Q_OBJECT
public:
    TFormMarkaBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
public slots:
    void BtnYeniClick();
    void BtnDegistirClick();
    void BtnSilClick();
};
QString MarkaSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
QString MarkaKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);

// Warehouses ("DEPO KAYITLARI"): name and location are edited in the grid.
class TFormDepoBr : public KodListeFormu {
    Q_OBJECT
public:
    TFormDepoBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    // Stores an edited cell; the refusal is shown and the list reread.
    void hucreYaz(const QString& kod, const QString& ad, const QString& yer);
};
// The picked warehouse; AnaDepoKodu ("1") without a pick.
QString DepoSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);

// Packaging kinds ("AMBALAJ KAYITLARI").
class TFormAmbalajBr : public KodListeFormu {
    Q_OBJECT
public:
    TFormAmbalajBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
public slots:
    void BtnYeniClick();
    void BtnDuzenleClick();
    void BtnSilClick();
};
QString AmbalajSec(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
QString EditAmbalaj(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);

// The selection record of the accessory picker.
struct TypeSec {
    int Durum = 0;
    double Kod = 0;
    QString KodNo, Ad, Tip;
    double FiyatAT = 0, FiyatST = 0, FiyatAU = 0, FiyatSU = 0, FiyatAD = 0, FiyatSD = 0;
    QString Doviz;
    double KDV = 0;
    QString s1, s2;
    QDateTime d1, d2;
    double f1 = 0, f2 = 0;
};

// Vehicle accessories ("ARAÇ AKSESUAR KAYITLARI").
class TFormAksesuarBr : public KodListeFormu {
    Q_OBJECT
public:
    TFormAksesuarBr(const SessionContext& ctx, int mode, QWidget* parent = nullptr);
    void ara(const QString& metin);
public slots:
    void BtnYeniClick();
    void BtnDegistirClick();
    void BtnSilClick();
};
void AksesuarSec(const SessionContext& ctx, int mode, TypeSec& sonuc, QWidget* parent = nullptr);
QString EditAksesuar(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);

} // namespace tornaly::stock
