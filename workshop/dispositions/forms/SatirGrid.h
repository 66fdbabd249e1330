#pragma once
#include <QTableWidget>
#include <QVariantMap>
#include <functional>

namespace tornaly::workshop {

// A grid over lines held in memory (a work order's parts or labour lines).
// Columns name a field or a computed value; typed cells are handed to
// `duzenlendi` (row, field, text) and the caller redraws the row.
class SatirGrid : public QTableWidget {
    Q_OBJECT
public:
    // Tables of columns give only the leading members; each has a default so
    // that the rest may be left out.
    struct Kolon {
        QString alan{};
        QString baslik{};
        bool duzenlenir = false;
        bool para = false;
        std::function<QVariant(const QVariantMap&)> hesap{}; // computed columns
    };
    explicit SatirGrid(QWidget* parent = nullptr);
    void setKolonlar(const QList<Kolon>& k);
    void setDuzenlenir(const QString& alan, bool on);
    void setSatirlar(const QList<QVariantMap>& satirlar);
    void satirYenile(int row, const QVariantMap& satir);
    int kolon(const QString& alan) const;
    QList<int> seciliSatirlar() const;
    std::function<void(int, const QString&, const QString&)> duzenlendi;

private:
    QList<Kolon> m_kolonlar;
    bool m_dolduruluyor = false;
};

} // namespace tornaly::workshop
