#include "connection/DialogRunner.h"

#include <QDialog>

namespace tornaly {

namespace {
ModalRunner& runner()
{
    static ModalRunner r;
    return r;
}
} // namespace

int RunModal(QDialog& dialog)
{
    if (runner())
        return runner()(dialog);
    return dialog.exec();
}

ModalRunner SetModalRunner(ModalRunner r)
{
    ModalRunner old = std::move(runner());
    runner() = std::move(r);
    return old;
}

} // namespace tornaly
