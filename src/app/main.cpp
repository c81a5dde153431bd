#include <QApplication>
#include <QThread>

#include "app/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return stowbel::RunProgram(app,
                               [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); });
}
