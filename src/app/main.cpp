#include <QApplication>
#include <QHashSeed>
#include <QThread>

#include "app/startup.h"

int main(int argc, char** argv) {
    // A saved plan has the bytes the command-line tool writes for the same order: Qt orders a
    // PDF's font objects by hash, so every process seeds its hashes alike.
    QHashSeed::setDeterministicGlobalSeed();
    QApplication app(argc, argv);
    return stowbel::RunProgram(app,
                               [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); });
}
