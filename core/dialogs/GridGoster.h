#pragma once
#include <QDialog>
#include <QPointer>

class QAbstractItemModel;
class QPushButton;
class QTableView;

namespace tornaly {

// A grid over any data set, one window for the whole program.
class TFormGridGoster : public QDialog {
    Q_OBJECT
public:
    explicit TFormGridGoster(QWidget* parent = nullptr);
    QTableView* cxGrid = nullptr;
    QPushButton* BtnKapat = nullptr;
};
extern QPointer<TFormGridGoster> FormGridGoster;

// Shows (or rebinds the open window to) a model with a caption, non-modally.
TFormGridGoster* ShowDataGrid(QAbstractItemModel* model, const QString& caption);

} // namespace tornaly
