// The road of one sale against a live zentrix-server: authorization, refusals, the
// pending-sale check at the next start, reversal by number, balance and Alt+T.
#include "helper_server.h"

#include "TestSupport.h"

#include "common/widgets/TInsCarac.h"
#include "service/TFrmEnvUser.h"

#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "common/core/Cp1252.h"
#include "merchant/CardPage.h"
#include "merchant/ReceiptReports.h"
#include "merchant/ReceiptText.h"
#include "merchant/CardPageComposer.h"
#include "merchant/SaleJournal.h"
#include "merchant/TwcCartao.h"
#include "platform/fakes/FakePlatform.h"
#include "printing/ReportPreview.h"
#include "printing/TextDocument.h"
#include "service/ServiceSettings.h"
#include "service/Twc.h"
#include "shell/TFrmPrincipal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace zx;
using namespace zxe2e;

namespace {

const QString kQuestion = QStringLiteral(
    "Foram localizadas autorizações abortadas antes do fechamento.\rGostaria de fazer uma correção agora?");

// The holder types the password (Enter alone: no password yet).
// Types keys into the protected entry the way a person does: the window active, one
// key at a time, the entry's noise of the previous key delivered first.
void typeInto(QDialog &d, QWidget *target, Qt::Key k)
{
    auto *ins = d.findChild<TInsCarac *>();
    if (ins)
        QTest::qWaitFor([&] { return !ins->injetando(); }, 1000);
    QTest::keyClick(target, k);
    QCoreApplication::processEvents();
}

// The holder types the password (Enter alone: no password yet).
std::function<int(QDialog &)> typesPassword(const QString &digits)
{
    return [digits](QDialog &d) {
        QTest::qWaitForWindowActive(&d);
        auto *box = d.findChild<QLineEdit *>("TxtSenha");
        box->setFocus();
        for (QChar c : digits)
            typeInto(d, box, Qt::Key(Qt::Key_0 + c.digitValue()));
        // The sixth digit closes the prompt; fewer (none) need Enter.
        if (digits.size() < TFrmEnvUser::kMaxDigitos)
            typeInto(d, box, Qt::Key_Return);
        return d.result();
    };
}

// The web user of the demo merchant.
int typesWebUser(QDialog &d)
{
    QTest::qWaitForWindowActive(&d);
    d.findChild<QLineEdit *>("edtUsuario")->setText(Demo::merchantUser());
    auto *senha = d.findChild<QLineEdit *>("edtSenha");
    senha->setFocus();
    for (QChar c : Demo::merchantUserPassword())
        if (c.isDigit())
            typeInto(d, senha, Qt::Key(Qt::Key_0 + c.digitValue()));
        else
            QTest::keyClicks(senha, QString(c));
    d.findChild<QPushButton *>("BitBtn1")->click();
    return d.result();
}

struct Row {
    QString solic, situa, autor, carta, valor, matri, cnpj, data, venci, hora;
};

QList<Row> vendaRows(TDM &dm)
{
    QList<Row> out;
    DbfTable &t = dm.CDSVenda;
    t.close();
    if (!t.open())
        return out;
    for (t.first(); !t.eof(); t.next())
        out.append({t.asString("SOLIC_VEND"), t.asString("SITUA_VEND"), t.asString("AUTOR_VEND"),
                    t.asString("CARTA_VEND"), t.asString("VALOR_VEND"), t.asString("MATRI_VEND"),
                    t.asString("CNPJ_INSTI"), t.asString("DATA_VENDA"), t.asString("VENCI_VEND"),
                    t.asString("HORA_VENDA")});
    t.close();
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int count(const QStringList &lines, const QString &needle)
{
    int n = 0;
    for (const QString &l : lines)
        n += l.contains(needle);
    return n;
}

} // namespace

class TstSale : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> fp;
    std::unique_ptr<ServerProcess> srv;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TFrmPrincipal> frame;
    CardPage *page = nullptr;

    // A fresh station and server; `pending` runs before the window starts.
    void startServer()
    {
        srv = std::make_unique<ServerProcess>();
        QString why;
        QVERIFY2(srv->start(&why), qPrintable(why));
        ServiceSettings::setBaseOverride(srv->base());
    }
    void startStation(int segment = 1)
    {
        QString why;
        QVERIFY2(prepareStation(*fp, srv ? srv->base() : QStringLiteral("http://127.0.0.1:9/"), segment, &why),
                 qPrintable(why));
        if (srv)
            ServiceSettings::setBaseOverride(srv->base());
        dm = std::make_unique<TDM>();
    }
    // The main window as the program opens it; an amount argument starts integration mode.
    void openWindow(const QString &argument = {})
    {
        Twc::instance().cnpjEstac.clear();
        QStringList args{QStringLiteral("zentrix")};
        if (!argument.isEmpty())
            args << argument;
        frame = std::make_unique<TFrmPrincipal>(*dm, args);
        page = frame->findChild<CardPage *>();
        if (!page)
            page = composeCardPage(*frame);
        QVERIFY(page);
        frame->show();
        QTRY_VERIFY(frame->startupFinished());
        QApplication::setActiveWindow(frame.get());
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }
    void closeWindow()
    {
        if (frame)
            frame->close();
        frame.reset();
        page = nullptr;
    }
    QLineEdit *card() { return zxtest::byName<QLineEdit>(frame.get(), QStringLiteral("EdtNrCartao")); }
    QLineEdit *amount() { return zxtest::byName<QLineEdit>(frame.get(), QStringLiteral("EdtValor")); }
    QPushButton *validar() { return zxtest::byName<QPushButton>(frame.get(), QStringLiteral("BtnValidar")); }
    QStringList memo()
    {
        return zxtest::byName<QPlainTextEdit>(frame.get(), QStringLiteral("MemRetorno"))->toPlainText().split(QLatin1Char('\n'));
    }
    void sell(const QString &cardNumber, const QString &value, const QString &password)
    {
        frame->activatePage(TFrmPrincipal::Page::Autorizar);
        card()->setText(cardNumber);
        amount()->setText(value);
        fp->dialogs->formHandlers.push_back(typesPassword(password));
        validar()->click();
    }

private slots:
    void init()
    {
        fp = std::make_unique<FakePlatform>();
        fp->clock->current = QDateTime::currentDateTime();
        fp->keys->deliver = true;
    }
    void cleanup()
    {
        closeWindow();
        dm.reset();
        srv.reset();
        ServiceSettings::setBaseOverride({});
        fp.reset();
    }

    void authorizedSale()
    {
        startServer();
        startStation();
        openWindow();
        sell(Demo::card(), QStringLiteral("1034,5"), Demo::cardPassword());

        const QList<Row> rows = vendaRows(*dm);
        QCOMPARE(rows.size(), 1);
        const Row r = rows.first();
        QCOMPARE(r.situa, QStringLiteral("A"));
        QCOMPARE(r.autor.size(), 12);
        QCOMPARE(r.carta, Demo::card());
        QCOMPARE(r.valor, QStringLiteral("1.034,50"));
        QVERIFY(!r.matri.isEmpty());
        QVERIFY(!r.cnpj.isEmpty());
        const auto holder = diario::funcionario(*dm, r.cnpj, r.matri);
        QVERIFY(holder);
        QCOMPARE(holder->first, QStringLiteral("ANA PAULA FERREIRA"));
        DbfTable &inst = dm->CDSInsti;
        QVERIFY(inst.open());
        QVERIFY(inst.locate("CNPJ_INSTI", r.cnpj));
        QVERIFY(!inst.asString("DESCR_INST").isEmpty());
        inst.close();
        QVERIFY(diario::cartaoConhecido(*dm, Demo::card()));

        const QStringList expected = {QStringLiteral("Mensagem de Retorno: AUTORIZACAO CONCEDIDA"),
                                      QString(),
                                      QString(),
                                      QStringLiteral("Aut.Nr: ") + r.autor,
                                      QStringLiteral("Func..: ANA PAULA FERREIRA"),
                                      QStringLiteral("Dep...: ") + holder->second,
                                      QStringLiteral("Cartao: ") + Demo::card(),
                                      QStringLiteral("Data..: ") + QDate::currentDate().toString("dd/MM/yyyy"),
                                      QStringLiteral("Hora..: ") + r.hora,
                                      QStringLiteral("Valor.: 1.034,50")};
        QCOMPARE(memo(), expected);
        auto *imprimir = zxtest::byName<QPushButton>(frame.get(), QStringLiteral("BtnImprimir"));
        QVERIFY(imprimir->isEnabled());
        QCOMPARE(frame->focusWidget(), imprimir);
        QVERIFY(card()->text().isEmpty());
        QVERIFY(amount()->text().isEmpty());
        QCOMPARE(page->ultimaAutorizacao(), r.autor);
        // The confirmation asked once, with the amount as shown.
        QVERIFY(fp->dialogs->texts().contains(QStringLiteral("Confirma a autorização de R$: 1.034,50?")));
    }

    void refusedAndDuplicate()
    {
        startServer();
        startStation();
        openWindow();
        // Above the limit: refused by the server.
        sell(Demo::cardNoPassword(), QStringLiteral("99999,00"), QString());
        QList<Row> rows = vendaRows(*dm);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).situa, QStringLiteral("R"));
        const ShownMessage m = fp->dialogs->messages.last();
        QCOMPARE(m.text, QStringLiteral("SALDO INSUFICIENTE!"));
        QCOMPARE(m.icon, MsgIcon::Warning);
        QVERIFY(!zxtest::byName<QPushButton>(frame.get(), QStringLiteral("BtnImprimir"))->isEnabled());

        // The same sale twice: the second is the duplicate.
        sell(Demo::card(), QStringLiteral("12,00"), Demo::cardPassword());
        const QString first = page->ultimaAutorizacao();
        QVERIFY(!first.isEmpty());
        sell(Demo::card(), QStringLiteral("12,00"), Demo::cardPassword());
        rows = vendaRows(*dm);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(2).situa, QStringLiteral("R"));
        const QStringList lines = memo();
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.at(0).startsWith(QStringLiteral("Mensagem de Retorno: VENDA EM DUPLICIDADE")));
        QCOMPARE(lines.at(2), QStringLiteral("Aut.Nr: ") + first);
        QCOMPARE(lines.at(4), QStringLiteral("Obs...: Não pode existir duas Autorizações no mesmo valor para o "
                                             "mesmo cartão no Estabelecimento."));
        QVERIFY(page->ultimaAutorizacao().isEmpty());
    }

    void refusedBeforeSending_data()
    {
        QTest::addColumn<QString>("cardText");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("cancelPrompt");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("memoLine");
        QTest::newRow("blank card") << QString() << "10,00" << false << "Cartão Inválido!!!"
                                    << "Erro na Validação do Cartão...";
        QTest::newRow("zero amount") << Demo::card() << "0,00" << false << "Valor Inválido!!!"
                                     << "Erro na Validação do Valor...";
        QTest::newRow("blank amount") << Demo::card() << "" << false << "Valor Inválido!!!"
                                      << "Erro na Validação do Valor...";
        QTest::newRow("prompt cancelled") << Demo::card() << "10,00" << true << "" << "";
    }
    void refusedBeforeSending()
    {
        QFETCH(QString, cardText);
        QFETCH(QString, value);
        QFETCH(bool, cancelPrompt);
        QFETCH(QString, shown);
        QFETCH(QString, memoLine);
        startServer();
        startStation();
        openWindow();
        const int calls = count(srv->log(), QStringLiteral("getAutoriz"));
        frame->activatePage(TFrmPrincipal::Page::Autorizar);
        card()->setText(cardText);
        amount()->setText(value);
        fp->dialogs->messages.clear();
        int prompts = 0;
        fp->dialogs->formHandlers.push_back([&](QDialog &) {
            ++prompts;
            return QDialog::Rejected;
        });
        validar()->click();
        QCOMPARE(prompts, cancelPrompt ? 1 : 0);
        if (!cancelPrompt)
            fp->dialogs->formHandlers.clear();
        QVERIFY(vendaRows(*dm).isEmpty());
        QCOMPARE(fp->dialogs->texts(), shown.isEmpty() ? QStringList() : QStringList{shown});
        if (!shown.isEmpty()) {
            QCOMPARE(fp->dialogs->messages.first().icon, MsgIcon::Error);
            QCOMPARE(memo(), QStringList{memoLine});
        }
        QCOMPARE(count(srv->log(), QStringLiteral("getAutoriz")), calls);
        QVERIFY(validar()->isEnabled());
    }

    void serverDownThenReversedAtNextStart()
    {
        startServer();
        startStation();
        openWindow();
        srv->stop();
        sell(Demo::card(), QStringLiteral("40,00"), Demo::cardPassword());
        QList<Row> rows = vendaRows(*dm);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).situa, QStringLiteral("P"));
        QVERIFY(fp->dialogs->texts().contains(
            QStringLiteral("Erro ao tentar acessar. Verifique a conexão com a Internet!!!")));
        // The mark of the request in flight is gone.
        QVERIFY(!diario::emVoo(*dm, {QString(), rows.at(0).carta, rows.at(0).data, rows.at(0).valor, "P"}));

        // Closing offers the correction; "No" keeps the row for the next start.
        fp->dialogs->messages.clear();
        fp->dialogs->answers.push_back(MsgButton::No);
        closeWindow();
        QCOMPARE(fp->dialogs->texts(), QStringList{kQuestion});
        QCOMPARE(vendaRows(*dm).at(0).situa, QStringLiteral("P"));

        startServer();
        fp->dialogs->messages.clear();
        openWindow();
        QCOMPARE(count(fp->dialogs->texts(), kQuestion), 1);
        QCOMPARE(vendaRows(*dm).at(0).situa, QStringLiteral("C"));
        const QStringList log = srv->log();
        QCOMPARE(count(log, QStringLiteral("CancAutoriz")), 1);
    }

    void pendingRowsAtStart()
    {
        startServer();
        startStation();
        // An authorized sale whose answer was lost (sent straight through the service)
        // beside an earlier authorized sale of the same card: only the lost one goes back.
        Twc &wc = Twc::instance();
        wc.cnpjEstac = Demo::merchantCnpj();
        QString reply;
        QVERIFY(getVenda(wc, wc.getIDWebMD5(), Demo::cardPassword(), reply, "0", 1, Money::parse("20,00").value(),
                         Demo::card()));
        QVERIFY(getVenda(wc, wc.getIDWebMD5(), Demo::cardPassword(), reply, "0", 1, Money::parse("30,00").value(),
                         Demo::card()));
        QCOMPARE(serverSales(srv->databasePath(), "A", Demo::card()), 2);
        const QString today = fp->clock->current.date().toString("dd/MM/yyyy");
        diario::gravaPendente(*dm, {Demo::card(), today, "10:00:00", "30,00", "0", 1});
        diario::gravaPendente(*dm, {Demo::cardNoPassword(), today, "10:01:00", "5,00", "0", 1});
        diario::gravaPendente(*dm, {Demo::card(), today, "10:02:00", "7,00", "0", 1});
        // The 7,00 sale was in flight when this station's last run ended: its own mark
        // stayed behind and must not keep the sale from being reversed.
        QVERIFY(diario::marcaEmVoo(*dm, Demo::card(), today, "7,00"));
        // A fourth row another station is sending right now.
        diario::gravaPendente(*dm, {Demo::card(), today, "10:03:00", "8,00", "0", 1});
        DbfTable &u = dm->CDSUltSolic;
        QVERIFY(u.open());
        QVERIFY(u.append());
        u.setAsString("NUMER_IP", "192.168.0.99");
        u.setAsString("CARTAO", Demo::card());
        u.setAsString("DATA", today);
        u.setAsString("VALOR", "8,00");
        QVERIFY(u.post());
        u.close();

        openWindow();
        QCOMPARE(count(fp->dialogs->texts(), kQuestion), 1);
        const QList<Row> rows = vendaRows(*dm);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(0).situa, QStringLiteral("C"));
        QCOMPARE(rows.at(1).situa, QStringLiteral("C"));
        QCOMPARE(rows.at(2).situa, QStringLiteral("C"));
        QCOMPARE(rows.at(3).situa, QStringLiteral("P"));
        const QStringList log = srv->log();
        QCOMPARE(count(log, QStringLiteral("CancAutoriz")), 3);
        QCOMPARE(count(log, QStringLiteral("EXTORNADA COM SUCESSO")), 1);
        // The server reversed the 30,00 sale only; the 20,00 one stands.
        QCOMPARE(serverSales(srv->databasePath(), "A", Demo::card()), 1);
        QCOMPARE(serverSales(srv->databasePath(), "C", Demo::card()), 1);
    }

    // A request that never reached the server, then a successful retry of the same sale:
    // the check settles the lost row locally and sends nothing, since a reversal by card,
    // day and amount would cancel the retry.
    void lostRequestThenRetryKeepsRetry()
    {
        startServer();
        startStation();
        openWindow();
        const QString today = fp->clock->current.date().toString("dd/MM/yyyy");
        QVERIFY(diario::gravaPendente(*dm, {Demo::card(), today, "10:00:00", "25,00", "0", 1}) > 0);
        sell(Demo::card(), QStringLiteral("25,00"), Demo::cardPassword());
        QVERIFY(!page->ultimaAutorizacao().isEmpty());
        fp->dialogs->messages.clear();
        fp->dialogs->answers.push_back(MsgButton::Yes);
        closeWindow();
        QCOMPARE(fp->dialogs->texts(), QStringList{kQuestion});
        const QList<Row> rows = vendaRows(*dm);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).situa, QStringLiteral("C"));
        QCOMPARE(rows.at(1).situa, QStringLiteral("A"));
        QCOMPARE(count(srv->log(), QStringLiteral("CancAutoriz")), 0);
        QCOMPARE(serverSales(srv->databasePath(), "A", Demo::card()), 1);
        QCOMPARE(serverSales(srv->databasePath(), "C", Demo::card()), 0);
    }

    // "&Imprimir" after an authorized sale, in each printing kind of the station: the
    // text receipt straight to the port (a file here), the two page layouts through
    // the report preview.
    void printReceipt_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::newRow("text to the port") << 0;
        QTest::newRow("Gráfica 1") << 1;
        QTest::newRow("Gráfica 2") << 2;
    }
    void printReceipt()
    {
        QFETCH(int, tipo);
        startServer();
        startStation();
        const QString port = fp->root() + "/recibo.prn";
        StationSettings st;
        QVERIFY(st.setPorta(port));
        QVERIFY(st.setTipo(tipo));
        openWindow();
        sell(Demo::card(), QStringLiteral("1034,5"), Demo::cardPassword());
        const QString number = page->ultimaAutorizacao();
        QVERIFY(!number.isEmpty());
        auto *imprimir = zxtest::byName<QPushButton>(frame.get(), QStringLiteral("BtnImprimir"));
        QCOMPARE(frame->focusWidget(), imprimir);

        int pages = 0;
        QStringList texts;
        const QString pdf = fp->root() + "/recibo.pdf";
        fp->dialogs->messages.clear();
        fp->dialogs->modalForms.clear();
        fp->dialogs->formHandlers.push_back([&](QDialog &d) {
            if (auto *p = qobject_cast<ReportPreview *>(&d)) {
                pages = p->document().pageCount();
                texts = p->document().allTexts();
                p->document().savePdf(pdf);
            }
            return int(QDialog::Accepted);
        });
        imprimir->click();
        QVERIFY(!imprimir->isEnabled());
        QVERIFY(fp->dialogs->messages.isEmpty());

        if (tipo == 0) {
            QVERIFY(fp->dialogs->modalForms.isEmpty());
            fp->dialogs->formHandlers.clear();
            const QByteArray bytes = readAll(port);
            // The receipt of the journal row: two copies, ESC ! 4 before each line,
            // accents removed, CR LF, five feed lines and no form feed.
            const std::optional<ReceiptSale> sale = diario::vendaParaRecibo(*dm, number);
            QVERIFY(sale);
            QByteArray expected;
            for (const QString &l : ReceiptText::lines(*sale, 2, false, 5))
                expected += QByteArray("\x1b!\x04") + cp1252::encode(removeAcento(l).left(60)) + "\r\n";
            QCOMPARE(bytes, expected);
            const QList<QByteArray> lines = bytes.split('\n');
            const auto has = [&](const QByteArray &text) {
                return int(std::count(lines.begin(), lines.end(), QByteArray("\x1b!\x04") + text + '\r'));
            };
            QCOMPARE(has("Autorizacao: " + number.toLatin1()), 2);
            QCOMPARE(has("Cartao: 607 000 100 1"), 2);
            QCOMPARE(has("Valor.: 1.034,50"), 2);
            QCOMPARE(has("Nome..: ANA PAULA FERREIRA"), 2);
            QCOMPARE(has("Empresa:          " + QByteArray("1 Via - Estabelecimento").rightJustified(30)), 1);
            QCOMPARE(has("Empresa:          " + QByteArray("2 Via - Usuario").rightJustified(30)), 1);
            QCOMPARE(bytes.count("Assinatura"), 1); // the signature block on the first copy only
            QVERIFY(bytes.endsWith(QByteArray("\x1b!\x04\r\n").repeated(6)));
            QVERIFY(!bytes.contains('\f'));
        } else {
            QVERIFY(!QFile::exists(port));
            QCOMPARE(fp->dialogs->modalForms, QStringList{QStringLiteral("ReportPreview")});
            QCOMPARE(pages, 1);
            // Both copies carry the sale.
            for (const QString &f : {number, QStringLiteral("ANA PAULA FERREIRA"), QStringLiteral("607 000 100 1"),
                                     QStringLiteral("1.034,50")})
                QVERIFY2(texts.count(f) >= 2, qPrintable(f + " in " + texts.join('|')));
            QVERIFY(readAll(pdf).startsWith("%PDF-"));
            QCOMPARE(QFile::exists(ReceiptReports::copiesFilePath()), tipo == 2);
        }
        QCOMPARE(frame->focusWidget(), card());
    }

    // Started by a point-of-sale program: an authorized sale writes its receipt to the
    // integration file and ends the program.
    void integrationAuthorized()
    {
        startServer();
        startStation();
        const QString file = fp->root() + "/retorno.txt";
        const QString port = fp->root() + "/recibo.prn";
        StationSettings st;
        QVERIFY(st.setPathIntegracao(file));
        QVERIFY(st.setPorta(port));
        openWindow(QStringLiteral("2590"));
        QVERIFY(frame->state().integrationMode);
        QCOMPARE(amount()->text(), QStringLiteral("25,90"));
        card()->setText(Demo::card());
        fp->dialogs->formHandlers.push_back(typesPassword(Demo::cardPassword()));
        validar()->click();
        const QList<Row> rows = vendaRows(*dm);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).situa, QStringLiteral("A"));
        QTRY_VERIFY(!frame->isVisible());
        QCOMPARE(frame->state().integrationResult, QLatin1Char('1'));
        QVERIFY(!QFile::exists(port));

        const QByteArray bytes = readAll(file);
        QVERIFY(bytes.endsWith("\r\n"));
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeLast(); // after the last CR LF
        QCOMPARE(lines.first(), QByteArray("1 AUTORIZACAO CONCEDIDA NR " + rows.at(0).autor.toLatin1()).leftJustified(48) + '\r');
        for (const QByteArray &l : lines)
            QCOMPARE(l.size(), 49);
        // The receipt of the row, no feed lines, nothing about a refusal.
        const std::optional<ReceiptSale> sale = diario::vendaParaRecibo(*dm, rows.at(0).autor);
        QVERIFY(sale);
        const QStringList receipt = ReceiptText::lines(*sale, 2, false, 0);
        QCOMPARE(lines.size(), receipt.size() + 1);
        for (qsizetype i = 0; i < receipt.size(); ++i)
            QCOMPARE(lines.at(i + 1), cp1252::encode(ReceiptText::padded(receipt.at(i))) + '\r');
        QVERIFY(bytes.contains("Nome..: ANA PAULA FERREIRA"));
        QVERIFY(bytes.contains("Valor.: 25,90"));
        QVERIFY(!bytes.contains("NAO AUTORIZADA"));
    }

    // "Consultar dados do cartão" on the balance page: the holder's and employer's data.
    void cardData()
    {
        startServer();
        startStation();
        openWindow();
        frame->activatePage(TFrmPrincipal::Page::Saldo);
        card()->setText(Demo::card());
        auto *link = zxtest::byName<QLabel>(frame.get(), QStringLiteral("LblConsDadCart"));
        QVERIFY(link->isVisible());
        fp->dialogs->messages.clear();
        QTest::mouseClick(link, Qt::LeftButton);
        const QStringList lines = memo();
        QVERIFY2(lines.size() == 12, qPrintable(lines.join('\n')));
        QCOMPARE(lines.at(0), QStringLiteral("            - C O N S U L T A -"));
        QCOMPARE(lines.at(2), QStringLiteral("Usuário....: ANA PAULA FERREIRA"));
        QVERIFY(lines.at(5).startsWith(QStringLiteral("Liberação..: dia ")));
        QVERIFY(lines.at(7).size() > QStringLiteral("Empresa....: ").size());
        QVERIFY(lines.at(8).startsWith(QStringLiteral("Endereço...: ")));
        QCOMPARE(page->ultimoCartao(), card()->text());
        QVERIFY(fp->dialogs->messages.isEmpty());
    }

    void reversalByNumber()
    {
        startServer();
        startStation();
        openWindow();
        sell(Demo::card(), QStringLiteral("55,00"), Demo::cardPassword());
        const QString number = page->ultimaAutorizacao();
        QVERIFY(!number.isEmpty());
        frame->activatePage(TFrmPrincipal::Page::Extorno);
        auto *aut = zxtest::byName<QLineEdit>(frame.get(), QStringLiteral("EdtAutoriz"));
        aut->setText(QString::number(number.toLongLong()));
        fp->dialogs->formHandlers.push_back(typesWebUser);
        validar()->click();
        QCOMPARE(vendaRows(*dm).at(0).situa, QStringLiteral("C"));
        QCOMPARE(memo(), QStringList{QStringLiteral("Mensagem de Retorno: AUTORIZACAO ") + number
                                     + QStringLiteral(" EXTORNADA COM SUCESSO")});
        QVERIFY(aut->text().isEmpty());
        QCOMPARE(serverSales(srv->databasePath(), "C", Demo::card()), 1);
    }

    // Started by a point-of-sale program with the amount in cents: a refused sale
    // writes the refusal to the integration file and ends the program.
    void integrationRefusal()
    {
        startServer();
        startStation();
        const QString file = fp->root() + "/retorno.txt";
        QVERIFY(StationSettings().setPathIntegracao(file));
        openWindow(QStringLiteral("1000"));
        QVERIFY(frame->state().integrationMode);
        QCOMPARE(amount()->text(), QStringLiteral("10,00"));
        QCOMPARE(frame->state().integrationPath, file);
        card()->setText(Demo::card());
        fp->dialogs->formHandlers.push_back(typesPassword("111111"));
        validar()->click();
        QCOMPARE(vendaRows(*dm).at(0).situa, QStringLiteral("R"));
        QTRY_VERIFY(!frame->isVisible());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray first = f.readLine();
        QCOMPARE(first.trimmed(), QByteArray("2 NAO AUTORIZADA"));
        QCOMPARE(first.size(), 48 + 2);
        QCOMPARE(frame->state().integrationResult, QLatin1Char('2'));
    }

    void balanceThenAltT()
    {
        startServer();
        startStation();
        openWindow();
        frame->activatePage(TFrmPrincipal::Page::Saldo);
        card()->setText(Demo::card());
        fp->dialogs->formHandlers.push_back(typesPassword(Demo::cardPassword()));
        validar()->click();
        const QStringList lines = memo();
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines.at(0), QStringLiteral("Cartão.....: 607 000 100 1"));
        QCOMPARE(lines.at(1), QStringLiteral("Funcionário: ANA PAULA FERREIRA"));
        // Limit 1.500,00 less the demo's 84,90 and 215,40.
        QCOMPARE(lines.at(6), QStringLiteral("SALDO ATUAL: 1.199,70"));
        QVERIFY(lines.at(8).startsWith(QStringLiteral("Observação.: O limite e a movimentação")));
        QVERIFY(zxtest::byName<QLabel>(frame.get(), QStringLiteral("lblUtilAut"))->isVisible());
        QVERIFY(!zxtest::byName<QLabel>(frame.get(), QStringLiteral("LblConsDadCart"))->isVisible());
        QVERIFY(card()->text().isEmpty());

        QApplication::setActiveWindow(frame.get());
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame->focusWidget() ? frame->focusWidget() : frame.get(), Qt::Key_T, Qt::AltModifier);
        QCOMPARE(frame->activeCardPage(), TFrmPrincipal::Page::Autorizar);
        QCOMPARE(card()->text(), Demo::card());
        auto *parc = zxtest::byName<QLineEdit>(frame.get(), QStringLiteral("edtQtdParc"));
        QTRY_COMPARE(frame->focusWidget(), parc);
        // The field's "1" is selected, so the instalments typed replace it.
        QTest::keyClick(parc, Qt::Key_2);
        QCOMPARE(parc->text(), QStringLiteral("2"));
    }
};

QTEST_MAIN(TstSale)
#include "tst_sale.moc"
