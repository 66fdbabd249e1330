#pragma once
#include "report/ReportEngine.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QToolButton;

namespace tornaly::report {

// The print preview: pages at a chosen zoom, page navigation, printing and
// export from the preview.
class TFormOnizleme : public QDialog {
    Q_OBJECT
public:
    explicit TFormOnizleme(Document doc, QWidget* parent = nullptr);

    int currentPage() const { return m_page; } // 0-based
    double zoom() const { return m_zoom; }
    const Document& document() const { return m_doc; }

public slots:
    void BtnIlkClick();
    void BtnOncekiClick();
    void BtnSonrakiClick();
    void BtnSonClick();
    void BtnYakinlasClick();
    void BtnUzaklasClick();
    void BtnSigdirClick();
    void BtnYazdirClick();
    // Export by output name ("Word", "Excel", "Text", "PDF", "HTML", "XML").
    QString exportAs(const QString& output);

private:
    void showPage();
    void setZoom(double z);

    Document m_doc;
    int m_page = 0;
    double m_zoom = 1.0;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_pageLabel = nullptr;
};

// Shows the preview modally.
void ShowReportPreview(const Document& doc, QWidget* parent = nullptr);

} // namespace tornaly::report
