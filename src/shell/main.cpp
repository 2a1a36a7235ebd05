#include "platform/Platform.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrix"));
    zx::Platform::install(zx::Platform::real(QApplication::arguments()));
    zx::Platform::paths().ensureExist();

    QMainWindow w;
    w.setObjectName(QStringLiteral("FrmPrincipal"));
    w.setWindowTitle(QStringLiteral("ZENTrix"));
    w.resize(800, 600);
    w.show();
    return app.exec();
}
