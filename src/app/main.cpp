// The configuration tool for Velmaron devices: one main window, driven by its poll timer.

#include "app/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmaron::Form1 form;
    form.show();
    return application.exec();
}
