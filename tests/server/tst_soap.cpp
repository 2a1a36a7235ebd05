// The server as any SOAP client meets it: faults for what it cannot or will not answer,
// bounded unpacking and request size, its WSDL, concurrent clients, and the binary
// staying up whatever arrives.
#include "DocDigits.h"
#include "common/core/Identifiers.h"
#include "helper_server.h"
#include "service/protocol/ClientIdentity.h"
#include "service/protocol/Packing.h"
#include "service/protocol/ServiceCatalog.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QXmlStreamReader>
#include <QtTest>

using namespace zx;

namespace {

const QString kNs = QStringLiteral("http://tempuri.org/");

QByteArray envelope(const QString &op, const QList<soap::SoapArg> &args)
{
    return soap::writeRequest(kNs, op, args);
}

QByteArray sqlEnvelope(const QDate &today, const QByteArray &packedSql)
{
    return envelope("getDSXML2",
        { { "id", soap::XsdType::Base64Binary, protocol::getZip(protocol::getIDWeb(today)) },
            { "sql", soap::XsdType::Base64Binary, packedSql },
            { "dotNet", soap::XsdType::Boolean, false } });
}

} // namespace

class TstSoap : public QObject {
    Q_OBJECT
    const server::DemoFacts &f = server::demoFacts();

private slots:
    void faults_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("reason");
        const QDate day(2024, 6, 14);
        QTest::newRow("not XML") << "kv1" << QByteArray("hello") << ""
                                 << "soap:Client"
                                 << "inválida";
        QTest::newRow("XML, not an envelope")
            << "kv1" << QByteArray("<?xml version='1.0'?><a/>") << ""
            << "soap:Client"
            << "inválida";
        QTest::newRow("DTD entity expansion")
            << "kv1"
            << QByteArray(
                   "<?xml version='1.0'?><!DOCTYPE x [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b "
                   "'&a;&a;&a;&a;&a;'>]>"
                   "<soap:Envelope "
                   "xmlns:soap='http://schemas.xmlsoap.org/soap/envelope/'><soap:Body>"
                   "<getResp xmlns='http://tempuri.org/'>&b;</getResp></soap:Body></soap:Envelope>")
            << ""
            << "soap:Client"
            << "inválida";
        QTest::newRow("unknown operation") << "kv1" << envelope("dropAll", {}) << ""
                                           << "soap:Client"
                                           << "desconhecida";
        QTest::newRow("operation of another service") << "kv1" << envelope("getDatHor", {}) << ""
                                                      << "soap:Client"
                                                      << "desconhecida";
        QTest::newRow("other namespace")
            << "kv1" << soap::writeRequest("http://example.org/", "getResp", {}) << ""
            << "soap:Client"
            << "Namespace";
        QTest::newRow("SOAPAction of another operation")
            << "kv1" << envelope("getResp", {}) << kNs + "getAutoriz"
            << "soap:Client"
            << "SOAPAction";
        QTest::newRow("declared, not served (kv2)")
            << "kv2"
            << envelope("getRelAut",
                   { { "idCliente", soap::XsdType::Base64Binary, QByteArray() },
                       { "prmCons", soap::XsdType::Base64Binary, QByteArray() } })
            << ""
            << "soap:Server"
            << "não atendida";
        QTest::newRow("declared, not served (kv3)")
            << "kv3"
            << envelope("altStatCart",
                   { { "idCliente", soap::XsdType::String, "x" },
                       { "prmAlt", soap::XsdType::String, "y" } })
            << ""
            << "soap:Server"
            << "não atendida";
        QTest::newRow("missing parameter")
            << "kv3"
            << envelope("execSQL2", { { "id", soap::XsdType::Base64Binary, QByteArray("x") } })
            << ""
            << "soap:Client"
            << "ausente";
        QTest::newRow("not base64")
            << "kv3"
            << QByteArray(
                   "<?xml version='1.0'?><soap:Envelope "
                   "xmlns:soap='http://schemas.xmlsoap.org/soap/envelope/'>"
                   "<soap:Body><getDSXML2 "
                   "xmlns='http://tempuri.org/'><id>***</id><sql>AA==</sql><dotNet>false</dotNet>"
                   "</getDSXML2></soap:Body></soap:Envelope>")
            << ""
            << "soap:Client"
            << "inválido";
        QTest::newRow("not a zlib stream")
            << "kv3" << sqlEnvelope(day, QByteArray("select 1")) << ""
            << "soap:Client"
            << "Pacote inválido";
        QTest::newRow("truncated zlib stream")
            << "kv3" << sqlEnvelope(day, protocol::getZip("select 1 from KV_PESSOA").chopped(3))
            << ""
            << "soap:Client"
            << "Pacote inválido";
        // 64 MB of one letter packs into some 64 KB: refused past the inflate bound.
        QTest::newRow("zlib bomb")
            << "kv3" << sqlEnvelope(day, protocol::zlibDeflate(QByteArray(64 * 1024 * 1024, 'A')))
            << ""
            << "soap:Client"
            << "Pacote inválido";
    }
    void faults()
    {
        QFETCH(QString, service);
        QFETCH(QByteArray, body);
        QFETCH(QString, action);
        QFETCH(QString, code);
        QFETCH(QString, reason);
        zxtest::DemoServer d;
        const auto out = d.raw(service, body, action);
        QCOMPARE(out.httpStatus, 500);
        const auto r = soap::readResponse(out.body, kNs, "getResp", soap::XsdType::String);
        QCOMPARE(int(r.kind), int(soap::SoapResponse::Fault));
        QCOMPARE(r.fault.code, code);
        QVERIFY2(r.fault.string.contains(reason), qPrintable(r.fault.string));
    }

    void demoIdentifiersCarryCheckDigits()
    {
        zxtest::DemoServer d;
        QSqlQuery q(d.store().db());
        QVERIFY(
            q.exec("select CNPJ_PESSO from KV_PESSOA union select CPF_FUNCI from KV_FUNCIONARIO "
                   "union select CPF_COMPL from KV_DADCOMP union select CPFID_COMPL from "
                   "KV_DADCOMP where CPFID_COMPL <> ''"));
        int n = 0;
        while (q.next()) {
            ++n;
            QVERIFY2(funcao::isValid(funcao::checkCnpjCpf(q.value(0).toString())),
                qPrintable(q.value(0).toString()));
        }
        QVERIFY(n > 25);
    }

    // --- the binary ----------------------------------------------------------------

    void wsdlDescribesEveryOperation()
    {
        zxtest::ServerProcess srv;
        QVERIFY2(srv.started(), "zentrix-server did not print its port");
        for (const auto &service : protocol::ServiceCatalog::services()) {
            const auto r = zxtest::http(srv.base() + service.name + ".asmx?wsdl", {}, {}, false);
            QCOMPARE(r.status, 200);
            QXmlStreamReader xml(r.body);
            QStringList operations, actions;
            QString location;
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (xml.name() == u"operation" && xml.attributes().hasAttribute("soapAction"))
                    actions << xml.attributes().value("soapAction").toString();
                else if (xml.name() == u"operation"
                    && xml.namespaceUri() == u"http://schemas.xmlsoap.org/wsdl/")
                    operations << xml.attributes().value("name").toString();
                else if (xml.name() == u"address")
                    location = xml.attributes().value("location").toString();
            }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            QCOMPARE(location, srv.base() + service.name + ".asmx");
            for (const auto &op : service.operations) {
                QVERIFY2(operations.contains(op.name), qPrintable(service.name + "." + op.name));
                QVERIFY(actions.contains(kNs + op.name));
            }
        }
        QCOMPARE(zxtest::http(srv.base() + "nothing.asmx?wsdl", {}, {}, false).status, 404);
    }

    void foreignSoapToolFromTheWsdl()
    {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        zxtest::ServerProcess srv;
        QVERIFY(srv.started());
        QProcess p;
        p.start(python,
            { QStringLiteral(ZX_SOURCE_DIR "/tests/server/wsdl_client.py"), srv.base(),
                f.merchantCnpj });
        QVERIFY(p.waitForFinished(60000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput())
            + QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(p.exitCode() == 0, qPrintable(out));
        QVERIFY(out.contains("MERCADO BOA COMPRA"));
    }

    // Eight stations selling at once: every sale answered, every number distinct, the
    // accumulated value the sum of them all.
    void eightConcurrentClients()
    {
        zxtest::ServerProcess srv;
        QVERIFY(srv.started());
        constexpr int kClients = 8, kEach = 6;
        const QDate today = QDate::currentDate();
        QList<QNetworkAccessManager *> nams;
        QList<QNetworkReply *> replies;
        QHash<QNetworkReply *, int> index;
        for (int c = 0; c < kClients; ++c) {
            auto *nam = new QNetworkAccessManager(this);
            nams << nam;
            for (int i = 0; i < kEach; ++i) {
                // distinct amounts: no duplicate-sale answers
                const QString amount
                    = QStringLiteral("1,%1").arg(c * kEach + i + 10, 2, 10, QLatin1Char('0'));
                const QString req = zxtest::record({ "NUMER_CARTA", "SEMD5_FUNCI", "VALOR_VENDA",
                                                       "PARCE_VENDA", "CNPJ_FORNE", "DATA_VENDA" },
                    { f.card.number, f.card.password, amount, "1", f.merchantCnpj,
                        today.toString("dd/MM/yyyy") });
                QNetworkRequest r { QUrl(srv.base() + "kv1.asmx") };
                r.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(soap::kContentType));
                r.setRawHeader("SOAPAction", QByteArray("\"http://tempuri.org/getAutoriz\""));
                QNetworkReply *reply = nam->post(r,
                    envelope("getAutoriz",
                        { { "idCliente", soap::XsdType::Base64Binary,
                              protocol::identityArgument(
                                  protocol::IdentityForm::HashPacked, today) },
                            { "prmAutor", soap::XsdType::Base64Binary, protocol::getZip(req) } }));
                replies << reply;
                index.insert(reply, c * kEach + i);
            }
        }
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(replies.cbegin(), replies.cend(),
                                     [](QNetworkReply *r) { return r->isFinished(); }),
            60000);
        QSet<QString> numbers;
        for (QNetworkReply *r : replies) {
            const auto resp
                = soap::readResponse(r->readAll(), kNs, "getAutoriz", soap::XsdType::Base64Binary);
            QVERIFY2(resp.ok(), qPrintable(r->errorString()));
            const auto row = zxtest::firstRow(*protocol::getUnzip(resp.value.toByteArray()));
            QVERIFY2(
                row.value("MENSA_RETOR").startsWith("ID000"), qPrintable(row.value("MENSA_RETOR")));
            numbers.insert(row.value("AUTOR_VENDA"));
        }
        QCOMPARE(numbers.size(), kClients * kEach);
        qDeleteAll(nams);
        // 300,30 used before; 48 sales of 1,10 .. 1,57
        const auto bal = zxtest::http(srv.base() + "kv1.asmx",
            envelope("getResCart",
                { { "idCliente", soap::XsdType::Base64Binary,
                      protocol::identityArgument(protocol::IdentityForm::HashPacked, today) },
                    { "prmSaldo", soap::XsdType::Base64Binary,
                        protocol::getZip(
                            zxtest::record({ "NUMER_CARTA", "SEMD5_FUNCI", "CNPJ_FORNE" },
                                { f.card.number, f.card.password, f.merchantCnpj })) } }),
            kNs + "getResCart");
        const auto resp
            = soap::readResponse(bal.body, kNs, "getResCart", soap::XsdType::Base64Binary);
        QVERIFY(resp.ok());
        QCOMPARE(
            zxtest::firstRow(*protocol::getUnzip(resp.value.toByteArray())).value("ACUMU_FUNCI"),
            QStringLiteral("364,38"));
    }

    // A request past the size bound is cut off; junk on the socket is dropped; the
    // server keeps answering, and logs one line per call.
    void survivesWhatArrives()
    {
        zxtest::ServerProcess srv;
        QVERIFY(srv.started());
        const auto big = zxtest::http(
            srv.base() + "kv3.asmx", QByteArray(12 * 1024 * 1024, 'x'), kNs + "getDSXML2");
        QVERIFY2(big.status == 0, qPrintable(QString::number(big.status)));

        for (int round = 0; round < 20; ++round) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, srv.port());
            QVERIFY(s.waitForConnected(5000));
            QByteArray junk(int(QRandomGenerator::global()->bounded(1, 4096)), Qt::Uninitialized);
            for (char &c : junk)
                c = char(QRandomGenerator::global()->bounded(256));
            if (round % 2)
                junk.prepend("POST /kv1.asmx HTTP/1.1\r\nContent-Length: 99999999999\r\n\r\n");
            s.write(junk);
            s.waitForBytesWritten(2000);
            s.waitForReadyRead(200);
            s.abort();
        }
        const auto alive
            = zxtest::http(srv.base() + "kv1.asmx", envelope("getResp", {}), kNs + "getResp");
        QCOMPARE(alive.status, 200);
        QVERIFY(alive.body.contains("CONEXAO OK"));
        QTRY_VERIFY_WITH_TIMEOUT(srv.stderrText().contains(" kv1.getResp 200 "), 5000);
    }
};

QTEST_GUILESS_MAIN(TstSoap)
#include "tst_soap.moc"
