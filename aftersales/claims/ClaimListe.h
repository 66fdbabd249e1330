#pragma once
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <vector>

namespace tornaly::aftersales {

// The criteria of the claim list ("GARANTİ TALEP LİSTESİ").
struct ClaimListeFiltre {
    enum Durum { Tumu, Onaylandi, Red, OnayBekliyor, Gonderilmedi };
    enum Fatura { FaturaTumu, Faturalanmayanlar, Faturalananlar };
    Durum durum = Tumu;
    Fatura fatura = FaturaTumu;
    bool teslimTarihi = false; // "Teslim Trh" in place of "Tamir Trh"
    QDate trh1{}, trh2{};      // inclusive bounds; an empty one adds no condition
};

// The list's statement: the filter line, then the search line, each with its
// values bound.
class ClaimListeSorgu {
public:
    void filtrele(const ClaimListeFiltre& f); // drops the search
    void filtreKaldir();
    void araClaimNo(const QString& text);     // "&Talep No"; text that is not a number finds nothing
    void araIsemri(const QString& text);      // "İş&emri No"

    QString sql() const;
    QVariantMap binds() const;

    static QStringList captions();

private:
    QString m_filtre, m_arama;
    QVariantMap m_filtreBinds, m_aramaBinds;
};

// The claims of a work order (the choice dialog).
std::vector<double> IsemriClaimleri(const Db& db, const QString& isemri);

} // namespace tornaly::aftersales
