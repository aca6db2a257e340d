#include "app/CommandLine.h"
#include "main_window/Form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (!app::CommandLine::wantsWindow(argc, argv))
        return app::CommandLine::run(argc, argv);
    QApplication application(argc, argv);
    main_window::Form1 form;
    form.show();
    return QApplication::exec();
}
