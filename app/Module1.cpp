#include "Module1.h"

#include "mFrm_Main.h"

#include "platform/Icons.h"

#include <QApplication>
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
    // The page picture stands for the program in every window's frame.
    QApplication::setWindowIcon(Icons::icon(QStringLiteral("PageSetup")));
    form->show();
}

mFrm_Main *MainForm()
{
    return g_mainForm.data();
}

} // namespace Module1
