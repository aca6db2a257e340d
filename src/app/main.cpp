#include "main_window/Form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    main_window::Form1 form;
    form.show();
    return QApplication::exec();
}
