#include "shell/Programa.h"

#include "shell/TFrmPrincipal.h"
#include "shell/Versao.h"

#include "localstore/TDM.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zx {

namespace {
// A file of the folder whatever the case of its name, as on Windows.
QString findInFolder(const QString &folder, const QString &name)
{
    const QString exact = QDir(folder).filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    for (const QString &entry : QDir(folder).entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(entry);
    return {};
}
} // namespace

Programa::Programa() = default;
Programa::~Programa() = default;

QStringList Programa::argumentos(const QStringList &commandLine)
{
    QStringList out;
    for (int i = 0; i < commandLine.size(); ++i) {
        const QString &a = commandLine.at(i);
        if (i > 0 && (a == QLatin1String("--root") || a == QLatin1String("--home"))) {
            ++i; // and its value
            continue;
        }
        out << a;
    }
    return out;
}

QString Programa::chaveInstancia()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    // Window class and title, kept to the characters a local socket name allows.
    QString key = QStringLiteral("TFrmPrincipal-") + TFrmPrincipal::tituloJanela()
        + QLatin1Char('-') + user;
    for (QChar &c : key)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-')))
            c = QLatin1Char('_');
    return key;
}

bool Programa::inicia(const QStringList &commandLine, const QString &programPath)
{
    if (outraInstancia())
        return false;
    if (entregaAtualizador(commandLine, programPath))
        return false;
    m_dm = std::make_unique<TDM>();
    m_janela = std::make_unique<TFrmPrincipal>(*m_dm, argumentos(commandLine));
    m_janela->setWindowTitle(TFrmPrincipal::tituloJanela());
    Platform::singleInstance().setMainWindow(m_janela.get());
    return true;
}

bool Programa::outraInstancia()
{
    const QString key = chaveInstancia();
    if (Platform::singleInstance().acquire(key))
        return false;
    Platform::dialogs().message(QStringLiteral("TQB Soluções"),
        QStringLiteral("O Aplicativo Zentrix já esta aberto!!!"), MsgIcon::Warning, MsgButton::Ok);
    Platform::singleInstance().raiseRunning(key);
    return true;
}

bool Programa::entregaAtualizador(const QStringList &commandLine, const QString &programPath)
{
    const QString folder = Platform::paths().programFolder();
    if (findInFolder(folder, kPacote).isEmpty())
        return false;
    // Without arguments the last one is the program's own path.
    const QString last = commandLine.isEmpty() ? programPath : commandLine.last();
    if (last.trimmed() == kForcar)
        return false;
    const QString local = findInFolder(folder, kAtualizador);
    const QString full = QFileInfo(programPath).absoluteFilePath();
    Platform::processes().startDetached(
        local.isEmpty() ? kAtualizador : local, { full, full }, folder, true);
    return true;
}

void Programa::instalaArquivos(const QString &executableFolder)
{
    for (const QString &name : { QStringLiteral("conf1.dat"), QStringLiteral("conf2.dat") }) {
        const QString target = Platform::paths().inProgram(name);
        const QString source = QDir(executableFolder).filePath(name);
        if (!QFileInfo::exists(target) && QFileInfo::exists(source)
            && QDir(executableFolder) != QDir(Platform::paths().programFolder()))
            QFile::copy(source, target);
    }
}

} // namespace zx
