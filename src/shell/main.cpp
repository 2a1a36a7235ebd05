#include "shell/Programa.h"
#include "shell/TFrmPrincipal.h"

#include "platform/Platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrix"));
    zx::Platform::install(zx::Platform::real(QApplication::arguments()));
    zx::Platform::paths().ensureExist();

    zx::Programa programa;
    if (!programa.inicia(QApplication::arguments(), QApplication::applicationFilePath()))
        return 0;
    zx::Programa::instalaArquivos(QApplication::applicationDirPath());
    programa.janela()->show();
    // The start-up may end the program (company list closed, console run).
    if (!programa.janela()->isVisible())
        return 0;
    return app.exec();
}
