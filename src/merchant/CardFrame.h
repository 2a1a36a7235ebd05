#pragma once
// What the card page needs of the main window: its state and hooks, the data module,
// the controls the three card pages share (card bar, reply memo, status line) and a
// few of its operations. The shell fills it (see CardPageComposer.h); tests fill it
// with a plain window of their own.
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace zx {

class ShellHooks;
class TDM;
class Twc;
struct MainState;

enum class CardPageKind { Autorizar, Extorno, Saldo };

struct CardFrame {
    QWidget *window = nullptr; // closed by "&Fechar" and at the end of an integration run
    MainState *state = nullptr;
    ShellHooks *hooks = nullptr;
    TDM *dm = nullptr;
    Twc *wc = nullptr; // the service client (the program's one when null)

    QWidget *tabCartao = nullptr;
    QWidget *tabAutorizar = nullptr;
    QWidget *tabExtorno = nullptr;
    QWidget *tabSaldo = nullptr;

    QLineEdit *edtNrCartao = nullptr;
    QPushButton *btnValidar = nullptr;
    QPushButton *btnFechar = nullptr;
    QPlainTextEdit *memRetorno = nullptr;
    QLabel *lblStatus = nullptr;

    // Puts content under a card page (below the card bar).
    std::function<void(CardPageKind, QWidget *)> setPageContent;
    // A button shown in the card bar before "&Fechar" while that page is active.
    std::function<void(CardPageKind, QPushButton *)> addCardBarButton;
    // "&Validar" runs this with the active page.
    std::function<void(std::function<void(CardPageKind)>)> setValidarAction;
    std::function<CardPageKind()> activeCardPage;
    std::function<void(CardPageKind)> activatePage;
    // Paints the status panels (network colours when true) and hands the colour to the
    // service client.
    std::function<void(bool)> aplicaCores;
    // The no-connection report (status, memo lines, the error box when asked).
    std::function<void(bool)> msgSemConexao;
    // Writes the integration file (integration mode only).
    std::function<void(const QString &)> gravaIntegracao;
    // The station HTTP client's read time-out, in seconds.
    std::function<int()> tempoLimite;
};

} // namespace zx
