// Not a form: a model's own wiring is not checked.
class SatirModeli : public QAbstractTableModel {
};

void SatirModeli::bagla() { connect(kaynak, &Kaynak::degisti, this, &SatirModeli::yenile); }
