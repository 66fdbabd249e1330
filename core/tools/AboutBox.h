#pragma once
#include <QDialog>

class QLabel;

namespace tornaly {

// "Program Hakkında": what the program is and who makes it.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    static QString firstWebAddress();
    static QString secondWebAddress();

public slots:
    void WebAddress1Click();
    void WebAddress2Click();

private:
    QLabel* m_web1 = nullptr;
    QLabel* m_web2 = nullptr;
};

// Creates the about box, shows it modally and frees it.
void ShowAboutBox(QWidget* parent = nullptr);

} // namespace tornaly
