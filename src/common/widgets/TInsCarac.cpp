#include "common/widgets/TInsCarac.h"

#include "common/Messages.h"
#include "common/core/IniPeek.h"
#include "common/widgets/FocusChain.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>

namespace zx {

namespace {
const QString kFiller = QStringLiteral("l");
// Bounds the memory of injected keys when an injector delivers nothing.
constexpr qsizetype kMaxPendentes = 1024;

bool isDigitKey(const QKeyEvent *k)
{
    return k->key() >= Qt::Key_0 && k->key() <= Qt::Key_9;
}
TInsCarac::Teclado kindOf(const QKeyEvent *k)
{
    return (k->modifiers() & Qt::KeypadModifier) ? TInsCarac::Teclado::Numerico
                                                 : TInsCarac::Teclado::Linha;
}
} // namespace

TInsCarac::TInsCarac(QWidget *form)
    : QObject(form)
    , m_form(form)
{
    setObjectName(QStringLiteral("InsCarac"));
    m_numLock = funcao::iniPeek(Platform::paths().inProgram(QStringLiteral("configura.ini")),
                    QStringLiteral("SISTEMA"), QStringLiteral("NUM_LOCK"), QStringLiteral("1"))
        == QLatin1String("1");
    m_timer.setInterval(1);
    m_timer.setSingleShot(true); // its only work is the one tick that ends a burst
    connect(&m_timer, &QTimer::timeout, this, [this] { m_injetando = false; });
    qApp->installEventFilter(this);
    m_timer.start();
    m_fator = QRandomGenerator::global()->bounded(2, 11);
    m_valor.clear();
    keepNumLock();
    burst(Teclado::Numerico);
    hint();
}

TInsCarac::~TInsCarac() = default;

void TInsCarac::setLblRodape(QLabel *label)
{
    m_rodape = label;
    hint();
}

void TInsCarac::setLBlAux(QLabel *label)
{
    m_aux = label;
}

void TInsCarac::setTxtSenha(QLineEdit *edit)
{
    m_senha = edit;
}

bool TInsCarac::inForm(const QObject *o) const
{
    if (!m_form || !o || !o->isWidgetType())
        return false;
    const auto *w = static_cast<const QWidget *>(o);
    return w == m_form || m_form->isAncestorOf(w);
}

bool TInsCarac::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        // Noise is dropped wherever it lands, even after the burst's flag is gone.
        if (isNoise(watched, key))
            return true;
        if (!inForm(watched))
            break;
        if (event->type() == QEvent::KeyRelease) {
            if (key->key() == Qt::Key_NumLock) // some systems switch it on release
                keepNumLock();
            return watched == m_senha && keyUp(key);
        }
        return keyDown(key);
    }
    case QEvent::Show:
        if (watched == m_form)
            formShown();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool TInsCarac::isNoise(const QObject *watched, const QKeyEvent *key)
{
    // Keys from the keyboard come from the window system; injected ones never do.
    if (key->spontaneous())
        return false;
    const bool keypad = key->modifiers() & Qt::KeypadModifier;
    const bool press = key->type() == QEvent::KeyPress;
    for (qsizetype i = 0; i < m_pendentes.size(); ++i) {
        const Pendente &p = m_pendentes.at(i);
        if (p.key == key->key() && p.keypad == keypad && p.press == press) {
            m_pendentes.removeAt(i);
            return true;
        }
    }
    // A synthetic digit reaching the form within a burst is noise even if it was not
    // recorded.
    return m_injetando && isDigitKey(key) && inForm(watched);
}

void TInsCarac::formShown()
{
    if (!m_aux) {
        m_aux = new QLabel(m_form);
        m_aux->setObjectName(QStringLiteral("LBlAux"));
    }
    if (m_rodape) {
        QPalette p = m_rodape->palette();
        p.setColor(QPalette::WindowText, m_aux->palette().color(QPalette::WindowText));
        m_rodape->setPalette(p);
    }
    m_aux->clear();
    if (m_mxLeng <= 0)
        m_mxLeng = 50;
    if (m_senha) {
        m_aux->hide();
        m_senha->setReadOnly(true);
        // Each digit shows as a round dot, whatever the filler character is.
        m_senha->setEchoMode(QLineEdit::Password);
    }
    hint();
}

bool TInsCarac::keyUp(QKeyEvent *key)
{
    if (!isDigitKey(key))
        return false;
    const Teclado kind = kindOf(key);
    if (m_teclado == Teclado::Nenhum) {
        m_teclado = kind;
    } else if (kind != m_teclado) {
        Platform::dialogs().message(kCaption,
            QStringLiteral("Não poderá ser utilizado dois teclados alternadamente..."),
            MsgIcon::Error, MsgButton::Ok);
        reset();
        return true;
    }
    m_valor += QChar(u'0' + (key->key() - Qt::Key_0));
    showDigits();
    burst(kind);
    QApplication::beep();
    if (m_valor.size() >= maxDigits()) {
        m_fator /= 2;
        burst(kind);
        finish(true);
    } else {
        hint();
    }
    return true;
}

bool TInsCarac::keyDown(QKeyEvent *key)
{
    const int k = key->key();
    const bool keypad = key->modifiers() & Qt::KeypadModifier;
    if (k == Qt::Key_NumLock) {
        keepNumLock();
        return false;
    }
    if (k == Qt::Key_Minus && keypad) {
        reset();
        return true;
    }
    const bool enter = k == Qt::Key_Return || k == Qt::Key_Enter;
    if (m_mudaEnter && (enter || k == Qt::Key_Down || k == Qt::Key_Up)) {
        if (enter)
            emit enterPressionado(QApplication::focusWidget());
        moveFocus(m_form, k != Qt::Key_Up);
        return true;
    }
    const bool clears = k == Qt::Key_Escape || k == Qt::Key_Delete || k == Qt::Key_Backspace
        || (enter && !m_mudaEnter);
    if (!clears)
        return false;
    if (!m_valor.isEmpty()) {
        reset();
        return true;
    }
    if (k == Qt::Key_Escape) {
        finish(false);
        return true;
    }
    if (enter) {
        m_valor = QStringLiteral("SS");
        finish(true);
        return true;
    }
    return false; // Delete or Backspace with nothing typed: the control's own work
}

void TInsCarac::burst(Teclado kind)
{
    const bool keypad = kind != Teclado::Linha;
    m_injetando = true;
    m_timer.stop();
    auto *rng = QRandomGenerator::global();
    const int n = rng->bounded(1, qMax(1, 3 * m_fator) + 1);
    KeyInjector &keys = Platform::keys();
    for (int i = 0; i < n; ++i) {
        const int d = rng->bounded(10);
        const int key = Qt::Key_0 + d;
        m_pendentes.append({ key, keypad, true });
        m_pendentes.append({ key, keypad, false });
        keys.injectKey(key, QString(QChar(u'0' + d)), keypad);
    }
    if (m_pendentes.size() > kMaxPendentes)
        m_pendentes.remove(0, m_pendentes.size() - kMaxPendentes);
    m_timer.start();
}

void TInsCarac::reset()
{
    m_valor.clear();
    showDigits();
    burst(m_teclado);
    m_teclado = Teclado::Nenhum;
    hint();
    keepNumLock();
}

void TInsCarac::showDigits()
{
    const QString filler = kFiller.repeated(m_valor.size());
    if (m_aux)
        m_aux->setText(filler);
    if (m_senha) {
        m_senha->setText(filler);
        m_senha->setCursorPosition(int(filler.size()));
    }
}

void TInsCarac::hint()
{
    if (!m_rodape)
        return;
    m_rodape->setText(m_valor.isEmpty()
            ? QStringLiteral("pressione ESC para Cancelar a solicitação")
            : QStringLiteral("ESC - Limpar a senha"));
}

void TInsCarac::keepNumLock()
{
    if (m_numLock && !Platform::keys().numLockOn())
        Platform::keys().setNumLock(true);
}

void TInsCarac::finish(bool accepted)
{
    if (!m_form)
        return;
    if (auto *dialog = qobject_cast<QDialog *>(m_form.data()))
        dialog->done(accepted ? QDialog::Accepted : QDialog::Rejected);
    else
        m_form->close();
}

} // namespace zx
