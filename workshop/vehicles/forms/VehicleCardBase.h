#pragma once
#include "db/Database.h"
#include "workshop/vehicles/forms/FieldPanel.h"

#include <QDialog>
#include <QVariantMap>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// The cards of the catalogue: a title panel, captioned fields and the
// buttons "&Sakla" and "&Vazgeç". "&Sakla" on a card with no change does
// nothing; a refused save keeps the card open with what was typed.
class VehicleCardBase : public QDialog {
    Q_OBJECT
public:
    VehicleCardBase(SessionContext& ctx, const QString& caption, const QString& title, QWidget* parent = nullptr);

    FieldPanel* Panel = nullptr;
    QLabel* PanelBaslik = nullptr;
    QPushButton* BtnSakla = nullptr;
    QPushButton* BtnVazgec = nullptr;

    // Loads the row (new: empty or preset) and remembers its key.
    void open(const QVariantMap& row, bool isNew);
    bool isNew() const { return m_new; }
    QVariantMap& row() { return m_row; }
    // The key the card was saved under; empty unless "&Sakla" succeeded.
    QString result() const { return m_result; }
    // A change not typed into a field (a drop-down, a picker).
    void markModified() { m_extraModified = true; }

public slots:
    void BtnSaklaClick();

protected:
    // Writes the row; false when refused (the message is shown).
    virtual bool save(QVariantMap& row) = 0;
    virtual QString keyColumn() const = 0;
    // Reads the controls that are no fields into the row.
    virtual void collect(QVariantMap&) {}
    QVBoxLayout* Body = nullptr;
    SessionContext& m_ctx;
    Db m_db;
    QVariantMap m_row;
    bool m_new = false;
    bool m_extraModified = false;
    QString m_result;
};

} // namespace tornaly::workshop
