#pragma once
#include "workshop/dispositions/Dispoz.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace tornaly {
struct SessionContext;
}

namespace tornaly::workshop {

// The chosen mechanic and the summed actual time of the readings taken.
struct TypePDKS {
    QString per_kod;
    double zaman = 0;
};

// "Cihazdan Okunan Çalışma Saatleri": the work readings of a work order per
// person, from which a labour line takes its actual time.
class TFormBakCihazdanGelen : public QDialog {
    Q_OBJECT
public:
    TFormBakCihazdanGelen(SessionContext& ctx, DispozBelgesi& belge, int iscilikIdx, QWidget* parent = nullptr);

    void kisiDegisti();
    void SecClick();
    TypePDKS sonuc() const { return m_sonuc; }

    QLabel* LblIscilik = nullptr;
    QTableWidget* GridPersonel = nullptr;
    QTableWidget* GridOkuma = nullptr;

private:
    SessionContext& m_ctx;
    DispozBelgesi& m_belge;
    int m_idx;
    QString m_usta;
    TypePDKS m_sonuc;
};

// Opens the picker for the labour line `iscilikIdx` of the document; the
// chosen readings wait in the document until its save writes them.
TypePDKS ShowCihazdanGelen(SessionContext& ctx, DispozBelgesi& belge, int iscilikIdx, QWidget* parent = nullptr);

} // namespace tornaly::workshop
