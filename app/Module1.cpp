#include "Module1.h"

#include "mFrm_Main.h"

#include <QPointer>

namespace {
QPointer<mFrm_Main> g_mainForm;
}

namespace Module1 {

void Main()
{
    auto *form = new mFrm_Main;
    form->setAttribute(Qt::WA_DeleteOnClose);
    g_mainForm = form;
    form->show();
}

mFrm_Main *MainForm()
{
    return g_mainForm.data();
}

} // namespace Module1
