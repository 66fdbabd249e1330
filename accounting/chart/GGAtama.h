#pragma once
#include "db/Database.h"

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QTableWidget;

namespace tornaly { struct SessionContext; }

namespace tornaly::accounting {

struct GelirGiderTuru {
    QString GGKOD, GGACIKLAMA, GGSEVIYE;
    bool detay() const { return GGSEVIYE == QLatin1String("D"); }
};

QList<GelirGiderTuru> GelirGiderTurleri(const Db& db);
QStringList GelirGiderHesaplari(const Db& db, const QString& ggKod);
// Adds an account to a type; an account the type already lists is not added
// again. Returns false when nothing was added.
bool GelirGiderHesabiEkle(const Db& db, const QString& ggKod, const QString& muhKod, QChar seviye);
void GelirGiderHesabiSil(const Db& db, const QString& ggKod, const QString& muhKod);

// "FormGGAtama": the ledger accounts of each income and expense type; only
// detail types (level D) take accounts.
class TFormGGAtama : public QDialog {
    Q_OBJECT
public:
    explicit TFormGGAtama(const SessionContext& ctx, QWidget* parent = nullptr);

    QTableWidget* GridTurler = nullptr;
    QTableWidget* GridHesaplar = nullptr;
    QPushButton *BtnEkle = nullptr, *BtnSil = nullptr, *BtnKapat = nullptr;

public slots:
    void BtnEkleClick();
    void BtnSilClick();
    void turDegisti();

private:
    QString seciliTur() const;
    void hesaplariGoster();

    const SessionContext& m_ctx;
    QList<GelirGiderTuru> m_turler;
};

void GGAtamaAc(const SessionContext& ctx, QWidget* parent = nullptr);

} // namespace tornaly::accounting
