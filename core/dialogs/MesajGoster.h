#pragma once
#include <QDialog>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace tornaly {

// "Mesaj Panosu": a long text with both scroll bars and "&Kapat".
class TFormMesajGoster : public QDialog {
    Q_OBJECT
public:
    explicit TFormMesajGoster(QWidget* parent = nullptr);
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BtnKapat = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

// Shows a text modally. Tests replace the window with a recorder.
void ShowTextPanel(const QString& text);
void ShowTextPanel2(const QString& text);
void SetTextPanelHook(std::function<void(const QString&)> hook);

// A double-click on a memo copies all its text to the clipboard.
void CopyMemoText(QPlainTextEdit* memo);

} // namespace tornaly
