// The window's hot keys (FormKeyDown): the window sees every key before the control
// that has the focus.
#include "shell/TFrmPrincipal.h"

#include "shell/WebAddresses.h"

#include "common/Messages.h"
#include "common/widgets/FocusChain.h"
#include "localstore/TDM.h"
#include "platform/Platform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QUrl>
#include <QUrlQuery>

namespace zx {

namespace {
bool ctrlShift(const QKeyEvent *e, int key)
{
    const Qt::KeyboardModifiers m = e->modifiers();
    return e->key() == key && m.testFlag(Qt::ControlModifier) && m.testFlag(Qt::ShiftModifier);
}
bool ctrl(const QKeyEvent *e, int key)
{
    return e->key() == key && e->modifiers().testFlag(Qt::ControlModifier);
}
bool alt(const QKeyEvent *e, int key)
{
    return e->key() == key && e->modifiers().testFlag(Qt::AltModifier);
}
bool plain(const QKeyEvent *e, int key)
{
    return e->key() == key
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
}
// Lists and trees keep their arrows and Enter.
bool listHasFocus()
{
    return qobject_cast<QAbstractItemView *>(QApplication::focusWidget()) != nullptr;
}
} // namespace

bool TFrmPrincipal::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        // Once per key press: at the control that receives it, inside this window.
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        if (w == target && w->window() == this && FormKeyDown(static_cast<QKeyEvent *>(event)))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TFrmPrincipal::FormKeyDown(QKeyEvent *e)
{
    bool handled = false;
    const auto hook = [&](HotKey k) {
        if (const ShellHooks::Action *a = m_hooks.key(k)) {
            (*a)();
            handled = true;
        }
    };

    if (alt(e, Qt::Key_T))
        hook(HotKey::AltT);
    if (ctrl(e, Qt::Key_A))
        hook(HotKey::CtrlA);
    if (ctrl(e, Qt::Key_R))
        hook(HotKey::CtrlR);
    if (ctrl(e, Qt::Key_S))
        hook(HotKey::CtrlS);
    if (ctrl(e, Qt::Key_F5))
        hook(HotKey::CtrlF5);
    if (ctrl(e, Qt::Key_F6))
        hook(HotKey::CtrlF6);
    if (e->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if ((enter || e->key() == Qt::Key_Down)
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !listHasFocus()) {
        moveFocus(this, true);
        handled = true;
    }
    if (e->key() == Qt::Key_Up && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && !listHasFocus()) {
        moveFocus(this, false);
        handled = true;
    }
    if (plain(e, Qt::Key_F7))
        hook(HotKey::F7);
    if (ctrlShift(e, Qt::Key_B))
        hook(HotKey::CtrlShiftB);
    if (ctrlShift(e, Qt::Key_C)) {
        imprimeContrato();
        handled = true;
    }
    if (ctrlShift(e, Qt::Key_E)) {
        Platform::dialogs().message(
            kCaption, QStringLiteral("Opção desabilitada!!!"), MsgIcon::Information, MsgButton::Ok);
        handled = true;
    }
    if (ctrlShift(e, Qt::Key_M)) {
        Platform::dialogs().message(
            kCaption, m_dm.pastaDados(), MsgIcon::Information, MsgButton::Ok);
        handled = true;
    }
    if (ctrlShift(e, Qt::Key_U)) {
        Platform::dialogs().message(
            kCaption, m_state.servicePageUrl, MsgIcon::Information, MsgButton::Ok);
        handled = true;
    }
    if (ctrlShift(e, Qt::Key_L))
        hook(HotKey::CtrlShiftL);
    if (plain(e, Qt::Key_F11))
        hook(HotKey::F11);
    return handled;
}

void TFrmPrincipal::imprimeContrato()
{
    QString inicio = Platform::clock().today().toString(QStringLiteral("dd/MM/yyyy"));
    if (!Platform::dialogs().input(QStringLiteral("Impressão do Contrato"),
            QStringLiteral("Informe o início do contrato"), inicio))
        return;
    QUrl url(web::kContractPage);
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("CNPJ_FORNE"), m_state.stationCnpj);
    q.addQueryItem(QStringLiteral("DATA_CONTR"), inicio.trimmed());
    url.setQuery(q);
    Platform::desktop().openUrl(url.toString(QUrl::FullyEncoded));
}

} // namespace zx
