#include "MaximalFolder.h"

#include <cstdio>
#include <cstring>

#include <QCoreApplication>

// tarn_make_folder --maximal DIR | --tiny DIR: writes a benchmark folder for trying the
// editor or tarnctl by hand.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3 ||
        (std::strcmp(argv[1], "--maximal") != 0 && std::strcmp(argv[1], "--tiny") != 0)) {
        std::fputs("usage: tarn_make_folder --maximal DIR | --tiny DIR\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "--maximal") == 0)
        tarn::bench::writeMaximalFolder(folder);
    else
        tarn::bench::writeTinyFolder(folder);
    return 0;
}
