#include "service/protocol/ServiceCatalog.h"
#include "service/protocol/SoapCodec.h"

#include <QTest>
#include <QTimeZone>
#include <cmath>

using namespace zx::soap;
using zx::protocol::IdentityForm;
using zx::protocol::Packing;
using zx::protocol::ServiceCatalog;

Q_DECLARE_METATYPE(zx::soap::XsdType)

namespace {

const QString kNs = QString::fromLatin1(kDefaultNamespace);

QByteArray envelope(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
           "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
           "<soap:Body>"
        + body + "</soap:Body></soap:Envelope>";
}

} // namespace

class TstSoapCodec : public QObject {
    Q_OBJECT
private slots:
    void requestEnvelope()
    {
        const QByteArray env = writeRequest(kNs, "execSQL2",
            { { "id", XsdType::Base64Binary, QByteArray("\x78\xDA\x01") },
                { "sql", XsdType::String, QStringLiteral("a\r\nb") } });
        QCOMPARE(env,
            QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                       "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                       "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>"
                       "<execSQL2 xmlns=\"http://tempuri.org/\"><id>eNoB</id>"
                       "<sql>a&#13;\nb</sql></execSQL2></soap:Body></soap:Envelope>\n"));
        QCOMPARE(soapAction(kNs, "getAutoriz"), QStringLiteral("http://tempuri.org/getAutoriz"));
    }

    void requestRoundTrip_data()
    {
        QTest::addColumn<XsdType>("type");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("expected");
        const QString recordList
            = QStringLiteral("<?xml version='1.0' standalone='yes'?>\r\n<DATASET>\r\n<REGISTRO>\r\n"
                             "<NOME>Ação & Cia</NOME>\r\n</REGISTRO>\r\n</DATASET>\r\n");
        QTest::newRow("record list text")
            << XsdType::String << QVariant(recordList) << QVariant(recordList);
        QTest::newRow("empty string")
            << XsdType::String << QVariant(QString()) << QVariant(QString());
        QTest::newRow("outside XML 1.0") << XsdType::String << QVariant(QStringLiteral("a\x01z"))
                                         << QVariant(QStringLiteral("a?z"));
        QTest::newRow("astral character")
            << XsdType::String << QVariant(QString::fromUtf8("\xF0\x9F\x98\x80"))
            << QVariant(QString::fromUtf8("\xF0\x9F\x98\x80"));
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        QTest::newRow("bytes") << XsdType::Base64Binary << QVariant(bytes) << QVariant(bytes);
        QTest::newRow("true") << XsdType::Boolean << QVariant(true) << QVariant(true);
        QTest::newRow("false") << XsdType::Boolean << QVariant(false) << QVariant(false);
        QTest::newRow("int") << XsdType::Int << QVariant(-2147483647) << QVariant(-2147483647);
        QTest::newRow("double") << XsdType::Double << QVariant(1234.5678) << QVariant(1234.5678);
        QTest::newRow("tiny double") << XsdType::Double << QVariant(1e-300) << QVariant(1e-300);
        const QDateTime utc(QDate(2024, 3, 5), QTime(13, 4, 5, 6), Qt::UTC);
        QTest::newRow("dateTime") << XsdType::DateTime << QVariant(utc) << QVariant(utc);
        const QDateTime offset(QDate(2024, 3, 5), QTime(10, 4, 5), QTimeZone(-3 * 3600));
        QTest::newRow("dateTime with offset")
            << XsdType::DateTime << QVariant(offset) << QVariant(offset);
    }
    void requestRoundTrip()
    {
        QFETCH(XsdType, type);
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        const QByteArray env
            = writeRequest(kNs, "op", { { "p", type, value }, { "q", XsdType::Int, 7 } });
        QString error;
        const auto req = readRequest(env, &error);
        QVERIFY2(req.has_value(), qPrintable(error));
        QCOMPARE(req->ns, kNs);
        QCOMPARE(req->operation, QStringLiteral("op"));
        QCOMPARE(req->parts.size(), 2);
        QVERIFY(req->part("p"));
        const auto v = decodeValue(type, req->part("p")->text, &error);
        QVERIFY2(v.has_value(), qPrintable(error));
        QCOMPARE(*v, expected);
        QCOMPARE(decodeValue(XsdType::Int, req->part("q")->text).value_or(QVariant()), QVariant(7));
    }

    void responseRoundTrip_data()
    {
        QTest::addColumn<XsdType>("type");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("string") << XsdType::String << QVariant(QStringLiteral("SUCESSO\r\n<&>"));
        QTest::newRow("bytes") << XsdType::Base64Binary
                               << QVariant(QByteArray("\x78\xDA\0\xFF", 4));
        QTest::newRow("nil bytes") << XsdType::Base64Binary << QVariant();
        QTest::newRow("bool") << XsdType::Boolean << QVariant(true);
        QTest::newRow("int") << XsdType::Int << QVariant(41);
        QTest::newRow("no result") << XsdType::None << QVariant();
    }
    void responseRoundTrip()
    {
        QFETCH(XsdType, type);
        QFETCH(QVariant, value);
        const SoapResponse r
            = readResponse(writeResponse(kNs, "getDSXML2", type, value), kNs, "getDSXML2", type);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.value, value);
    }

    void doubleSpecials()
    {
        QCOMPARE(encodeValue(XsdType::Double, std::numeric_limits<double>::infinity()),
            QStringLiteral("INF"));
        QVERIFY(std::isnan(decodeValue(XsdType::Double, "NaN")->toDouble()));
        QCOMPARE(decodeValue(XsdType::Double, " -INF ")->toDouble(),
            -std::numeric_limits<double>::infinity());
        QCOMPARE(decodeValue(XsdType::Double, "1,5"), std::nullopt);
    }

    void faults_data()
    {
        QTest::addColumn<QByteArray>("envelope");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("string");
        QTest::addColumn<QString>("detail");
        QTest::newRow("written here")
            << writeFault({ "soap:Client", "Parâmetro inválido", "", "id" }) << "soap:Client"
            << "Parâmetro inválido"
            << "id";
        QTest::newRow("server framework style")
            << envelope("<soap:Fault><faultcode>soap:Server</faultcode>"
                        "<faultstring>Server was unable to process request. ---&gt; boom"
                        "</faultstring><detail><e>x</e><f>y</f></detail></soap:Fault>")
            << "soap:Server"
            << "Server was unable to process request. ---> boom"
            << "xy";
    }
    void faults()
    {
        QFETCH(QByteArray, envelope);
        QFETCH(QString, code);
        QFETCH(QString, string);
        QFETCH(QString, detail);
        const SoapResponse r = readResponse(envelope, kNs, "getAutoriz", XsdType::Base64Binary);
        QCOMPARE(r.kind, SoapResponse::Fault);
        QCOMPARE(r.fault.code, code);
        QCOMPARE(r.fault.string, string);
        QCOMPARE(r.fault.detail, detail);
    }

    void invalidResponses_data()
    {
        QTest::addColumn<QByteArray>("envelope");
        QTest::addColumn<XsdType>("type");
        const QByteArray ok = "<execSQL2Response xmlns=\"http://tempuri.org/\">"
                              "<execSQL2Result>true</execSQL2Result></execSQL2Response>";
        QTest::newRow("empty") << QByteArray() << XsdType::Boolean;
        QTest::newRow("html error page")
            << QByteArray("<html><body>502 Bad Gateway</body></html>") << XsdType::Boolean;
        QTest::newRow("truncated") << envelope(ok).left(120) << XsdType::Boolean;
        QTest::newRow("SOAP 1.2") << QByteArray(
            "<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\">"
            "<e:Body>"
            + ok + "</e:Body></e:Envelope>")
                                  << XsdType::Boolean;
        QTest::newRow("no body") << QByteArray(
            "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
            "</soap:Envelope>") << XsdType::Boolean;
        QTest::newRow("empty body") << envelope("") << XsdType::Boolean;
        QTest::newRow("other operation")
            << envelope("<execSQLResponse xmlns=\"http://tempuri.org/\"><execSQLResult>true"
                        "</execSQLResult></execSQLResponse>")
            << XsdType::Boolean;
        QTest::newRow("other namespace")
            << envelope("<execSQL2Response xmlns=\"http://example.org/\"><execSQL2Result>true"
                        "</execSQL2Result></execSQL2Response>")
            << XsdType::Boolean;
        QTest::newRow("missing boolean result")
            << envelope("<execSQL2Response xmlns=\"http://tempuri.org/\"/>") << XsdType::Boolean;
        QTest::newRow("not a boolean")
            << envelope("<execSQL2Response xmlns=\"http://tempuri.org/\"><execSQL2Result>yes"
                        "</execSQL2Result></execSQL2Response>")
            << XsdType::Boolean;
        QTest::newRow("bad base64")
            << envelope("<execSQL2Response xmlns=\"http://tempuri.org/\"><execSQL2Result>eN*B"
                        "</execSQL2Result></execSQL2Response>")
            << XsdType::Base64Binary;
        QTest::newRow("two body elements") << envelope(ok + ok) << XsdType::Boolean;
        QTest::newRow("DTD") << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a 'b'>]>")
                + envelope(ok).mid(38)
                             << XsdType::Boolean;
    }
    void invalidResponses()
    {
        QFETCH(QByteArray, envelope);
        QFETCH(XsdType, type);
        const SoapResponse r = readResponse(envelope, kNs, "execSQL2", type);
        QCOMPARE(r.kind, SoapResponse::Invalid);
        QVERIFY(!r.error.isEmpty());
        QVERIFY(r.value.isNull());
        // The well-formed one of the table's family is read, so the refusals are not blanket.
        QVERIFY(readResponse(::envelope("<execSQL2Response xmlns=\"http://tempuri.org/\">"
                                        "<execSQL2Result>true</execSQL2Result></execSQL2Response>"),
            kNs, "execSQL2", XsdType::Boolean)
                    .ok());
    }

    void invalidRequests()
    {
        QString error;
        QVERIFY(!readRequest("not xml", &error));
        QVERIFY(
            !readRequest(envelope("<op xmlns=\"urn:a\"><p xmlns=\"urn:b\">1</p></op>"), &error));
        QVERIFY(!readRequest(envelope("<op xmlns=\"urn:a\"><p><nested/></p></op>"), &error));
        QVERIFY(!readRequest(envelope("<op xmlns=\"urn:a\"/><op xmlns=\"urn:a\"/>"), &error));
        // Headers are skipped, unqualified parts accepted.
        const auto req = readRequest(
            "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
            "<soap:Header><h>1</h></soap:Header><soap:Body><op xmlns=\"urn:a\">"
            "<a:p xmlns:a=\"urn:a\">1</a:p><q xmlns=\"\" xmlns:i=\"http://www.w3.org/2001/"
            "XMLSchema-instance\" i:nil=\"true\"/></op></soap:Body></soap:Envelope>",
            &error);
        QVERIFY2(req.has_value(), qPrintable(error));
        QCOMPARE(req->parts.size(), 2);
        QCOMPARE(req->parts.at(0).text, QStringLiteral("1"));
        QVERIFY(req->parts.at(1).nil);
    }

    void catalogue()
    {
        QStringList names;
        for (const auto &s : ServiceCatalog::services())
            names << s.name;
        QCOMPARE(names, (QStringList { "servico", "kv1", "kv1_F", "kv2", "kv3", "kv3_F" }));
        QCOMPARE(ServiceCatalog::endpoint("http://h/ws/", "kv1_F"),
            QStringLiteral("http://h/ws/kv1_F.asmx"));

        int count = 0;
        for (const auto &s : ServiceCatalog::services()) {
            QCOMPARE(ServiceCatalog::service(s.name), &s);
            for (const auto &o : s.operations) {
                ++count;
                const QString where = s.name + "." + o.name;
                QCOMPARE(o.service, s.name);
                QCOMPARE(ServiceCatalog::operation(s.name, o.name), &o);
                bool hasBytes = o.result == XsdType::Base64Binary;
                for (const auto &p : o.params)
                    hasBytes = hasBytes || p.type == XsdType::Base64Binary;
                QVERIFY2(o.packs() == hasBytes, qPrintable(where));
                // The identity is the first parameter, carried in the type its form says.
                switch (o.identity) {
                case IdentityForm::None:
                    break;
                case IdentityForm::WebIdPacked:
                case IdentityForm::HashPacked:
                case IdentityForm::HashExternal:
                    QVERIFY2(o.params.value(0).type == XsdType::Base64Binary, qPrintable(where));
                    QVERIFY2(o.params.value(0).name.startsWith("id"), qPrintable(where));
                    break;
                case IdentityForm::HashText:
                case IdentityForm::WebIdText:
                    QVERIFY2(o.params.value(0).type == XsdType::String, qPrintable(where));
                    QVERIFY2(o.params.value(0).name.startsWith("id"), qPrintable(where));
                    break;
                }
                QVERIFY2(o.params.isEmpty() || o.params.at(0).name.startsWith("id")
                        || o.identity == IdentityForm::None,
                    qPrintable(where));
            }
        }
        QCOMPARE(count, 2 + 4 + 4 + 16 + 22 + 2);

        const auto *sql = ServiceCatalog::operation("kv3", "getDSXML2");
        QVERIFY(sql);
        QCOMPARE(sql->params.size(), 3);
        QCOMPARE(sql->params.at(2).name, QStringLiteral("dotNet"));
        QCOMPARE(sql->params.at(2).type, XsdType::Boolean);
        QCOMPARE(sql->identity, IdentityForm::WebIdPacked);
        QCOMPARE(ServiceCatalog::operation("kv2", "getCodCPTFol")->packing, Packing::External);
        QCOMPARE(ServiceCatalog::operation("kv3", "getUserOk")->identity, IdentityForm::HashText);
        QCOMPARE(ServiceCatalog::operation("servico", "getUltMatr")->result, XsdType::Int);
        QCOMPARE(ServiceCatalog::operation("servico", "dispFechDiar")->result, XsdType::None);
        QCOMPARE(ServiceCatalog::operation("kv3_F", "getIndicDiret")->identity, IdentityForm::None);
        QVERIFY(ServiceCatalog::operation("kv1_F", "getAutoriz")->used);
        QVERIFY(!ServiceCatalog::operation("kv3", "getTtDebFc"));
        QVERIFY(!ServiceCatalog::operation("kv2", "getTtDebFc")->used);
    }
};

QTEST_GUILESS_MAIN(TstSoapCodec)
#include "tst_soapcodec.moc"
