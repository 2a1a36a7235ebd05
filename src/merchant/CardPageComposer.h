#pragma once
// Joins the card page to the main window: one call from the window's page composition,
//     composeCardPage(frame);
// Written as a template over the window type so that this folder, which sits below
// the window's, needs none of its code at link time.
#include "merchant/CardFrame.h"
#include "merchant/CardPage.h"

#include "config/StationHttpClient.h"

#include <QLineEdit>
#include <QPushButton>
#include <QPlainTextEdit>

namespace zx {

template <typename Frame> CardPage *composeCardPage(Frame &f)
{
    using P = typename Frame::Page;
    auto page = [](CardPageKind k) {
        return k == CardPageKind::Extorno ? P::Extorno : k == CardPageKind::Saldo ? P::Saldo : P::Autorizar;
    };
    auto kind = [](P p) {
        return p == P::Extorno ? CardPageKind::Extorno : p == P::Saldo ? CardPageKind::Saldo : CardPageKind::Autorizar;
    };
    CardFrame c;
    c.window = &f;
    c.state = &f.state();
    c.hooks = &f.hooks();
    c.dm = &f.dm();
    c.tabCartao = f.page(P::Cartao);
    c.tabAutorizar = f.page(P::Autorizar);
    c.tabExtorno = f.page(P::Extorno);
    c.tabSaldo = f.page(P::Saldo);
    c.edtNrCartao = f.cardNumberField();
    c.btnValidar = f.validarButton();
    c.btnFechar = f.window()->template findChild<QPushButton *>(QStringLiteral("BtnFechar"));
    c.memRetorno = f.memRetorno();
    c.lblStatus = f.lblStatus();
    c.setPageContent = [&f, page](CardPageKind k, QWidget *w) { f.setPageContent(page(k), w); };
    c.addCardBarButton = [&f, page](CardPageKind k, QPushButton *b) { f.addCardBarButton(page(k), b); };
    c.setValidarAction = [&f, kind](std::function<void(CardPageKind)> a) {
        f.setValidarAction([a, kind](P p) { a(kind(p)); });
    };
    c.activeCardPage = [&f, kind] { return kind(f.activeCardPage()); };
    c.activatePage = [&f, page](CardPageKind k) { f.activatePage(page(k)); };
    c.aplicaCores = [&f](bool rede) { f.aplicaCores(rede); };
    c.msgSemConexao = [&f](bool dialogo) { f.msgSemConexao(dialogo); };
    c.gravaIntegracao = [&f](const QString &linha) { f.gravaIntegracao(linha); };
    c.tempoLimite = [&f] { return f.httpClient().readTimeout() / 1000; };
    return new CardPage(c, &f);
}

} // namespace zx
