// A file under forms/ is a form whatever its classes are.
void kur(Liste* l)
{
    QObject::connect(l->ara, &QLineEdit::returnPressed, l, [l] { l->ara(); });
    QObject::connect(l->kapat, &QPushButton::clicked, l, &QWidget::close); // unguarded: ui only
}
