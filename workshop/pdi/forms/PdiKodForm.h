#pragma once
#include "workshop/pdi/PdiKodlari.h"
#include "workshop/vehicles/forms/VehicleCardBase.h"
#include "workshop/vehicles/forms/VehicleListBase.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tornaly::workshop {

// The list of one PDI code table, also its picker ("&Seç" in mode 1 only).
// The error codes and the error places share it; their description says
// what differs (captions, messages, the incremental search).
class TFormPdiKodBr : public VehicleListBase {
    Q_OBJECT
public:
    TFormPdiKodBr(SessionContext& ctx, const PdiKodTablosu& tablo, int mode, QWidget* parent = nullptr);

    QComboBox* CmbAlan = nullptr;   // "Aramak İstenilen"
    QLineEdit* EdAranan = nullptr;  // "Aranan Değer"
    QLabel* LblAranan = nullptr;    // the incremental search text
    const QString& aramaMetni() const { return m_arama; }

    void tablo(const QString& goTo = {});
public slots:
    void BtnYeniClick() override;
    void BtnDuzenleClick() override;
    void BtnSilClick() override;
    void AraClick();

protected:
    QString keyColumn() const override { return m_tablo.kodKolonu; }
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void artimliAra(const QString& metin);
    bool enYakin(const QString& metin);
    const PdiKodTablosu& m_tablo;
    QString m_arama;
};

// The error-code list ("PDI HATA KOD KAYITLARI") and the error-place list
// ("PDI HATA YERİ KAYITLARI").
class TFormHataPDIBr : public TFormPdiKodBr {
    Q_OBJECT
public:
    TFormHataPDIBr(SessionContext& ctx, int mode, QWidget* parent = nullptr)
        : TFormPdiKodBr(ctx, PdiHataKodlari(), mode, parent) { setObjectName(QStringLiteral("FormHataPDIBr")); }
};
class TFormHataYeriBr : public TFormPdiKodBr {
    Q_OBJECT
public:
    TFormHataYeriBr(SessionContext& ctx, int mode, QWidget* parent = nullptr)
        : TFormPdiKodBr(ctx, PdiHataYerleri(), mode, parent) { setObjectName(QStringLiteral("FormHataYeriBr")); }
};

// The card of one code: the code and its name, "&Kaydet" and "&Vazgeç".
class TFormPdiKodKart : public VehicleCardBase {
    Q_OBJECT
public:
    TFormPdiKodKart(SessionContext& ctx, const PdiKodTablosu& tablo, QWidget* parent = nullptr);

protected:
    bool save(QVariantMap& row) override;
    QString keyColumn() const override { return m_tablo.kodKolonu; }

private:
    const PdiKodTablosu& m_tablo;
};

// The cards "PDI HATA KODLARI KAYIT KARTI" and "PDI HATA YERİ KAYIT KARTI".
class TFormHataPdi : public TFormPdiKodKart {
    Q_OBJECT
public:
    explicit TFormHataPdi(SessionContext& ctx, QWidget* parent = nullptr) : TFormPdiKodKart(ctx, PdiHataKodlari(), parent) {}
};
class TFormHataYerPdi : public TFormPdiKodKart {
    Q_OBJECT
public:
    explicit TFormHataYerPdi(SessionContext& ctx, QWidget* parent = nullptr)
        : TFormPdiKodKart(ctx, PdiHataYerleri(), parent) {}
};

// The pickers: the chosen code (mode 1), empty when cancelled.
QString SelectHataPdi(SessionContext& ctx, int mode, QWidget* parent = nullptr);
QString SelectHataYerPdi(SessionContext& ctx, int mode, QWidget* parent = nullptr);
// The cards: the code saved, empty when cancelled.
QString EditHataPdi(SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);
QString EditHataYerPdi(SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent = nullptr);

} // namespace tornaly::workshop
