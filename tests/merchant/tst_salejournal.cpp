// The journal writes of a sale (pending row, in-flight mark, reply copied into the
// holder and institution caches, reversal marking) and the page's behaviour when the
// server cannot be reached.
#include "localstore/TDM.h"
#include "merchant/CardPage.h"
#include "merchant/SaleJournal.h"
#include "platform/fakes/FakePlatform.h"
#include "service/ServiceSettings.h"
#include "service/Twc.h"
#include "shell/MainState.h"
#include "shell/ShellHooks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace zx;

namespace {

protocol::TRegist reply(const QString &nome, const QString &dep, const QString &inst)
{
    return {{"MENSA_RETOR", "AUTOR_VENDA", "FUNCI_VENDA", "SITUA_VENDA", "COMD5_SALDO", "DATA_VENDA", "VENCI_VENDA",
             "HORA_VENDA", "MATRI_FUNCI", "CNPJ_INSTI", "PARCE_VENDA", "DESCR_FUNCI", "DEPEN_FUNCI", "DESCR_INSTI"},
            {"ID000AUTORIZACAO CONCEDIDA", "000000001001", "0", "A", "1", "11/12/2026", "10/01/2027", "10:00:01",
             "318554217", "11222333000181", "1", nome, dep, inst}};
}

// The card page in a plain window (no main window needed).
struct Page {
    MainState state;
    ShellHooks hooks;
    QWidget window;
    QLineEdit *card = new QLineEdit;
    QPushButton *validar = new QPushButton;
    QPlainTextEdit *memo = new QPlainTextEdit;
    QLabel *status = new QLabel;
    std::unique_ptr<CardPage> page;
    explicit Page(TDM &dm)
    {
        auto *l = new QVBoxLayout(&window);
        for (QWidget *w : {static_cast<QWidget *>(card), static_cast<QWidget *>(validar),
                           static_cast<QWidget *>(memo), static_cast<QWidget *>(status)})
            l->addWidget(w);
        CardFrame f;
        f.window = &window;
        f.state = &state;
        f.hooks = &hooks;
        f.dm = &dm;
        f.edtNrCartao = card;
        f.btnValidar = validar;
        f.memRetorno = memo;
        f.lblStatus = status;
        f.setPageContent = [l](CardPageKind, QWidget *w) { l->addWidget(w); };
        f.addCardBarButton = [l](CardPageKind, QPushButton *b) { l->addWidget(b); };
        f.activeCardPage = [] { return CardPageKind::Autorizar; };
        f.msgSemConexao = [this](bool) { memo->appendPlainText("sem conexao"); };
        f.tempoLimite = [] { return 60; };
        page = std::make_unique<CardPage>(f);
    }
};

} // namespace

class TstSaleJournal : public QObject {
    Q_OBJECT
private slots:
    void pendingRowAndMark()
    {
        FakePlatform fp;
        TDM dm;
        QVERIFY(dm.criaTabelas());
        QVERIFY(dm.registraEstacao());
        const qint64 n = diario::gravaPendente(dm, {"6070001001", "11/12/2026", "10:00:00", "1.234,50", "0", 3});
        QVERIFY(n > 0);
        const auto v = diario::venda(dm, n);
        QVERIFY(v);
        QCOMPARE(v->situacao, QStringLiteral("P"));
        QCOMPARE(v->valor, QStringLiteral("1.234,50"));
        QVERIFY(diario::primeiraPendenteComCartao(dm));

        const TParamVend sale{QString(), "6070001001", "11/12/2026", "1.234,50", "P"};
        QVERIFY(diario::marcaEmVoo(dm, sale.cartao, sale.data, sale.valor));
        QCOMPARE(diario::marcaDaEstacao(dm), QStringLiteral("6070001001|11/12/2026|1.234,50"));
        // The station's own mark is never "another station sending it".
        QVERIFY(!diario::emVoo(dm, sale));
        QVERIFY(diario::limpaMarca(dm));
        QCOMPARE(diario::marcaDaEstacao(dm), QStringLiteral("||"));
        // Another station's mark keeps the sale out of the check.
        QVERIFY(dm.CDSUltSolic.open());
        QVERIFY(dm.CDSUltSolic.append());
        dm.CDSUltSolic.setAsString("NUMER_IP", "192.168.0.99");
        dm.CDSUltSolic.setAsString("CARTAO", sale.cartao);
        dm.CDSUltSolic.setAsString("DATA", sale.data);
        dm.CDSUltSolic.setAsString("VALOR", sale.valor);
        QVERIFY(dm.CDSUltSolic.post());
        dm.CDSUltSolic.close();
        QVERIFY(diario::emVoo(dm, sale));
        // The station keeps one row.
        QVERIFY(dm.CDSUltSolic.open());
        QCOMPARE(dm.CDSUltSolic.recordCount(), 2);
        dm.CDSUltSolic.close();
    }

    void replyCopied()
    {
        FakePlatform fp;
        TDM dm;
        QVERIFY(dm.criaTabelas());
        const qint64 n = diario::gravaPendente(dm, {"6070001001", "11/12/2026", "09:59:00", "10,00", "0", 0});
        QVERIFY(diario::gravaRetornoVenda(dm, n, reply("ANA", "", "METALURGICA")));
        auto v = diario::venda(dm, n);
        QCOMPARE(v->situacao, QStringLiteral("A"));
        QCOMPARE(v->autorizacao, QStringLiteral("000000001001"));
        QCOMPARE(diario::funcionario(dm, "11222333000181", "318554217")->first, QStringLiteral("ANA"));

        // A second sale of the same holder with a new name updates the cached row.
        const qint64 m = diario::gravaPendente(dm, {"6070001001", "11/12/2026", "10:05:00", "11,00", "0", 1});
        QVERIFY(diario::gravaRetornoVenda(dm, m, reply("ANA PAULA", "JOAO", "METALURGICA SA")));
        QCOMPARE(diario::funcionario(dm, "11222333000181", "318554217")->first, QStringLiteral("ANA PAULA"));
        QCOMPARE(diario::funcionario(dm, "11222333000181", "318554217")->second, QStringLiteral("JOAO"));
        QVERIFY(dm.CDSFunci.open());
        QCOMPARE(dm.CDSFunci.recordCount(), 1);
        dm.CDSFunci.close();
        QVERIFY(dm.CDSInsti.open());
        QCOMPARE(dm.CDSInsti.recordCount(), 1);
        QVERIFY(dm.CDSInsti.locate("CNPJ_INSTI", "11222333000181"));
        QCOMPARE(dm.CDSInsti.asString("DESCR_INST"), QStringLiteral("METALURGICA SA"));
        dm.CDSInsti.close();

        const auto r = diario::vendaParaRecibo(dm, "000000001001");
        QVERIFY(r);
        QCOMPARE(r->funcionario, QStringLiteral("ANA PAULA"));
        QVERIFY(!diario::vendaParaRecibo(dm, "999"));

        // Marking "C" finds the row by card, date, amount and situation.
        bool achou = false;
        QVERIFY(diario::marcaCancelada(dm, *diario::porAutorizacao(dm, "000000001001"), &achou));
        QVERIFY(achou);
        QCOMPARE(diario::venda(dm, n)->situacao, QStringLiteral("C"));
    }

    void knownCards()
    {
        FakePlatform fp;
        TDM dm;
        QVERIFY(dm.criaTabelas());
        QVERIFY(!diario::cartaoConhecido(dm, "607.000.1001"));
        QVERIFY(diario::adicionaCartaoConhecido(dm, "607.000.1001"));
        QVERIFY(diario::adicionaCartaoConhecido(dm, "6070001001"));
        QVERIFY(diario::cartaoConhecido(dm, "6070001001"));
        QVERIFY(dm.CDSCartaoOK.open());
        QCOMPARE(dm.CDSCartaoOK.recordCount(), 1);
        QCOMPARE(dm.CDSCartaoOK.asString("NUM_CART"), QStringLiteral("6070001001"));
        dm.CDSCartaoOK.close();
    }

    // A reversal that never reached the server leaves the pending row as it was: the
    // sale may still stand on the server.
    void unreachableServerKeepsPending()
    {
        FakePlatform fp;
        ServiceSettings::setBaseOverride("http://127.0.0.1:9/");
        TDM dm;
        QVERIFY(dm.criaTabelas());
        const qint64 n = diario::gravaPendente(dm, {"6070001001", "11/12/2026", "10:00:00", "10,00", "0", 1});
        Page p(dm);
        p.page->verifSolicPend();
        QCOMPARE(fp.dialogs->messages.first().text,
                 QStringLiteral("Foram localizadas autorizações abortadas antes do fechamento.\rGostaria de fazer uma "
                                "correção agora?"));
        QCOMPARE(diario::venda(dm, n)->situacao, QStringLiteral("P"));
        QCOMPARE(p.status->text(), QString());
        ServiceSettings::setBaseOverride({});
    }

    // A pending sale with an authorized twin (same card, day and amount) never became a
    // sale on the server, which refuses duplicates: reversing it by card, day and amount
    // would cancel the twin. It is settled locally; a refused or other-day twin proves
    // nothing and the row goes to the server as before (unreachable here: stays "P").
    void pendingWithAuthorizedTwinSettledLocally()
    {
        FakePlatform fp;
        ServiceSettings::setBaseOverride("http://127.0.0.1:9/");
        TDM dm;
        QVERIFY(dm.criaTabelas());
        const auto sale = [&](const QString &dia, const QString &valor, const char *situa) {
            const qint64 n = diario::gravaPendente(dm, {"6070001001", dia, "10:00:00", valor, "0", 1});
            if (qstrcmp(situa, "P") != 0)
                diario::situacao(dm, n, situa);
            return n;
        };
        const qint64 twin = sale("11/12/2026", "10,00", "P");
        sale("11/12/2026", "10,00", "A");
        const qint64 refused = sale("11/12/2026", "20,00", "P");
        sale("11/12/2026", "20,00", "R");
        const qint64 otherDay = sale("11/12/2026", "30,00", "P");
        sale("10/12/2026", "30,00", "A");
        QVERIFY(diario::temAutorizadaIgual(dm, *diario::venda(dm, twin)));
        QVERIFY(!diario::temAutorizadaIgual(dm, *diario::venda(dm, refused)));

        Page p(dm);
        p.page->verifSolicPend();
        QCOMPARE(diario::venda(dm, twin)->situacao, QStringLiteral("C"));
        QCOMPARE(diario::venda(dm, refused)->situacao, QStringLiteral("P"));
        QCOMPARE(diario::venda(dm, otherDay)->situacao, QStringLiteral("P"));
        const QString memo = p.memo->toPlainText();
        QVERIFY2(memo.contains(QStringLiteral("6070001001 de 11/12/2026 no valor de 10,00")), qPrintable(memo));
        QCOMPARE(memo.count(QStringLiteral("cancelada só localmente")), 1);
        // The next check offers nothing for it.
        QCOMPARE(diario::pendentes(dm).size(), 2);
        ServiceSettings::setBaseOverride({});
    }

    void segmentRules()
    {
        FakePlatform fp;
        ServiceSettings::setBaseOverride("http://127.0.0.1:9/");
        TDM dm;
        QVERIFY(dm.criaTabelas());
        Page p(dm);
        p.state.segmentCode = 12;
        // The server date was fetched today already.
        p.state.serverDateFetched = true;
        p.state.startDate = fp.clock->today();
        p.card->setText("6070001001");
        p.page->edtValor()->setText("10,00");
        int prompts = 0;
        fp.dialogs->defaultFormHandler = [&](QDialog &) {
            ++prompts;
            return QDialog::Rejected;
        };
        p.page->BtnValidarClick(CardPageKind::Autorizar);
        // No prompt, no confirmation, nothing sent: the monthly debit is not here yet.
        QCOMPARE(prompts, 0);
        QCOMPARE(fp.dialogs->messages.size(), 1);
        QVERIFY(fp.dialogs->messages.first().text.startsWith(QStringLiteral("O débito mensal do Cartão Fidelidade")));
        QVERIFY(diario::pendentes(dm).isEmpty());

        // Segment 10: the balance still asks for the password.
        p.state.segmentCode = 10;
        p.card->setText("6070001001");
        p.page->BtnValidarClick(CardPageKind::Saldo);
        QCOMPARE(prompts, 1);
        ServiceSettings::setBaseOverride({});
    }
};

QTEST_MAIN(TstSaleJournal)
#include "tst_salejournal.moc"
