#include <QApplication>
#include <csignal>

#include "app/Quadrell.h"

int main(int argc, char* argv[]) {
    // Under a file-size limit a write that crosses it then fails with EFBIG
    // and is reported like any other, rather than ending the program with its
    // designs and a half-written temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qtApplication(argc, argv);
    CQuadrellApp application;
    if (!application.InitInstance(QApplication::arguments().mid(1))) return 1;
    return qtApplication.exec();
}
