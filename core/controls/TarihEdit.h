#pragma once
#include <QDateEdit>

namespace tornaly {

// The date field of every form: typed as gg.aa.yyyy, Turkish month and day
// names, and a calendar that opens on the field's date or, when the field is
// blank, on today. A blank-able field shows nothing for its minimum date
// (1900-01-01), which its form reads as "no date".
class TTarihEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TTarihEdit(QWidget* parent = nullptr);
    TTarihEdit(QDate date, QWidget* parent = nullptr);

    // Blank shows as an empty box and reads as an invalid QDate through tarih().
    void setBosOlabilir(bool on);
    // A field with a blank marker (special value text) is blank at its minimum.
    bool bos() const { return !specialValueText().isEmpty() && date() == minimumDate(); }
    QDate tarih() const { return bos() ? QDate() : date(); }
    void setTarih(const QDate& d);  // an invalid date blanks a blank-able field
    void temizle() { setTarih({}); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void kur();
    bool m_sonRakam = false;
};

} // namespace tornaly
