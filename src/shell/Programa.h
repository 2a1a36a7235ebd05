#pragma once
// The program entry short of the message loop: one running program per user desktop,
// the hand-over to the updater when an update package waits, then the data module and
// the main window.
#include <QString>
#include <QStringList>
#include <memory>

namespace zx {

class TDM;
class TFrmPrincipal;

class Programa {
public:
    // Last argument that starts the program although an update package waits.
    static inline const QString kForcar = QStringLiteral("FORÇAR");
    static inline const QString kPacote = QStringLiteral("Zentrix.zip");
    static inline const QString kAtualizador = QStringLiteral("Atualiza.exe");

    Programa();
    ~Programa();

    // The command line the window works with: the program path first, then the
    // arguments, without the station-path options (--root DIR, --home DIR).
    static QStringList argumentos(const QStringList &commandLine);
    // Identifies the running window: its class and title, per user.
    static QString chaveInstancia();

    // Runs the entry with the command line (program path first). False when this
    // start ends here: another instance was brought to the front, or the updater was
    // started. Otherwise the data module and the main window exist, the window not
    // yet shown.
    bool inicia(const QStringList &commandLine, const QString &programPath);

    TFrmPrincipal *janela() const { return m_janela.get(); }
    TDM *dm() const { return m_dm.get(); }

    // Copies the message files shipped beside the executable into the program
    // folder when it has none (the program folder is apart from the executable's
    // off Windows).
    static void instalaArquivos(const QString &executableFolder);

private:
    bool outraInstancia();
    bool entregaAtualizador(const QStringList &commandLine, const QString &programPath);

    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TFrmPrincipal> m_janela;
};

} // namespace zx
