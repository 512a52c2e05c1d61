#include <QApplication>

#include "workbench/Dialogs.h"
#include "workbench/Fonts.h"
#include "workbench/TFormMain.h"
#include "workbench/ToolButtonPictures.h"

int main(int argc, char** argv) {
    // On X11 (also under XWayland) windows can be placed and activated as the workbench needs.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    MapClassicFonts();
    QApplication::setWindowIcon(ProgramIcon());
    QtDialogs dialogs;
    TFormMain form(dialogs);
    form.StartUp(QApplication::arguments().mid(1));
    form.show();
    return QApplication::exec();
}
