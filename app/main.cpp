#include <QApplication>

#include "app/Quadrell.h"

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    CQuadrellApp application;
    if (!application.InitInstance(QApplication::arguments().mid(1))) return 1;
    return qtApplication.exec();
}
