#pragma once
#include <QString>

class QApplication;
class QWidget;

namespace tornaly {

// Turkish for the whole program: the default locale, Qt's own texts
// ("Tamam"/"İptal", the calendar) and Enter in dialogs. The program and the
// test programs call it once after the application object exists.
void ArayuzuHazirla(QApplication& app);

// Loads Qt's Turkish translation from `klasor` (Qt's translations folder when
// empty); false when the file is not there.
bool QtCevirisiniYukle(QApplication& app, const QString& klasor = {});

// Enter in a dialog does what the focused field does, never a button the
// clerk did not choose: a dialog's push buttons lose the "auto default" that
// made the first of them fire on Enter in any line edit. A button a form
// names as default with setDefault(true) stays so, and Enter on a focused
// button still presses it. ArayuzuHazirla applies it to every dialog shown.
void VarsayilanDugmeleriKapat(QWidget* dialog);

} // namespace tornaly
