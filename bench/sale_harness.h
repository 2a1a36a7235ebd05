#pragma once
// What the sale benchmarks share: a zentrix-server of their own on a loopback port,
// the demo merchant station in a folder, and the card page in a plain window with the
// real journal and service client (dialogs answered by the recording fake).
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "merchant/CardFrame.h"
#include "merchant/CardPage.h"
#include "service/ServiceSettings.h"
#include "shell/MainState.h"
#include "shell/ShellHooks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <memory>

namespace salebench {

// Starts `bin` on 127.0.0.1:0 with a database at dbPath; the port, or 0.
inline quint16 startServer(QProcess &p, const QString &bin, const QString &dbPath)
{
    p.setProgram(bin);
    p.setArguments({"--db", dbPath, "--listen", "127.0.0.1:0", "--seed", "demo"});
    p.start();
    if (!p.waitForStarted(10000))
        return 0;
    QByteArray out;
    static const QRegularExpression re(QStringLiteral("listening [^\\s]*:(\\d+)"));
    for (int i = 0; i < 200; ++i) {
        p.waitForReadyRead(100);
        out += p.readAllStandardOutput();
        const auto m = re.match(QString::fromLatin1(out));
        if (m.hasMatch())
            return quint16(m.captured(1).toUInt());
    }
    return 0;
}

// Station settings and company row (segment 10: no password prompt for sales).
inline bool prepareStation(zx::TDM &dm, const QString &cnpj)
{
    zx::StationSettings s;
    if (!s.setCodigo(1) || !s.setParcelar(true) || !s.setIdSeg("10") || !s.setIdMunic("1"))
        return false;
    if (!dm.criaTabelas() || !dm.registraEstacao())
        return false;
    zx::DbfTable &p = dm.CDSParamet;
    p.close();
    if (!p.open())
        return false;
    p.first();
    bool ok = true;
    if (p.eof())
        ok = p.append() && p.setAsString("CNPJ_FORNE", cnpj) && p.post();
    p.close();
    return ok;
}

// The card page in a window of its own.
struct Station {
    zx::MainState state;
    zx::ShellHooks hooks;
    std::unique_ptr<QWidget> window;
    QLineEdit *card = nullptr;
    QPushButton *validar = nullptr;
    QPlainTextEdit *memo = nullptr;
    QLabel *status = nullptr;
    zx::CardPage *page = nullptr;

    Station(zx::TDM &dm, const QString &cnpj)
    {
        state.stationCnpj = cnpj;
        state.segmentCode = 10;
        state.installmentsEnabled = true;
        state.startDate = QDate::currentDate();
        window = std::make_unique<QWidget>();
        auto *l = new QVBoxLayout(window.get());
        card = new QLineEdit;
        card->setObjectName("EdtNrCartao");
        validar = new QPushButton("&Validar");
        memo = new QPlainTextEdit;
        status = new QLabel;
        auto *aut = new QWidget, *ext = new QWidget, *sal = new QWidget, *tab = new QWidget;
        for (QWidget *w : {aut, ext, sal})
            new QVBoxLayout(w);
        new QVBoxLayout(tab);
        for (QWidget *w : {static_cast<QWidget *>(card), static_cast<QWidget *>(validar), static_cast<QWidget *>(memo),
                           static_cast<QWidget *>(status), aut, ext, sal, tab})
            l->addWidget(w);
        zx::CardFrame f;
        f.window = window.get();
        f.state = &state;
        f.hooks = &hooks;
        f.dm = &dm;
        f.tabCartao = tab;
        f.tabAutorizar = aut;
        f.tabExtorno = ext;
        f.tabSaldo = sal;
        f.edtNrCartao = card;
        f.btnValidar = validar;
        f.memRetorno = memo;
        f.lblStatus = status;
        f.setPageContent = [aut, ext, sal](zx::CardPageKind k, QWidget *w) {
            (k == zx::CardPageKind::Autorizar ? aut : k == zx::CardPageKind::Extorno ? ext : sal)->layout()->addWidget(w);
        };
        f.addCardBarButton = [l](zx::CardPageKind, QPushButton *b) { l->addWidget(b); };
        f.setValidarAction = [](std::function<void(zx::CardPageKind)>) {};
        f.activeCardPage = [] { return zx::CardPageKind::Autorizar; };
        f.activatePage = [](zx::CardPageKind) {};
        f.aplicaCores = [](bool) {};
        f.msgSemConexao = [this](bool) { status->setText("sem conexao"); };
        f.gravaIntegracao = [](const QString &) {};
        f.tempoLimite = [] { return 60; };
        page = new zx::CardPage(f, window.get());
    }

    // One sale through "&Validar"; true when authorized.
    bool sell(const QString &cardNumber, const QString &amount)
    {
        card->setText(cardNumber);
        page->edtValor()->setText(amount);
        page->BtnValidarClick(zx::CardPageKind::Autorizar);
        return !page->ultimaAutorizacao().isEmpty() && page->ultimaAutorizacao() != "0";
    }
};

} // namespace salebench
