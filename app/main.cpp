#include <QApplication>
#include <csignal>
#include <cstring>

#include "app/Quadrell.h"

int main(int argc, char* argv[]) {
    // Under a file-size limit a write that crosses it then fails with EFBIG
    // and is reported like any other, rather than ending the program with its
    // designs and a half-written temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    // After "--" every argument is a file name: the toolkit must not take one
    // for an option of its own.
    int end = argc > 0 ? 1 : 0;
    while (end < argc && std::strcmp(argv[end], "--") != 0) ++end;
    int toolkitArgc = end;
    QApplication qtApplication(toolkitArgc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    for (int i = end; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    CQuadrellApp application;
    if (!application.InitInstance(arguments)) return 1;
    return qtApplication.exec();
}
