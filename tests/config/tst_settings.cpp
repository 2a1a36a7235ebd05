#include "common/core/Cp1252.h"
#include "config/CripLocal.h"
#include "config/ParamFornecedor.h"
#include "config/StationSettings.h"
#include "helper_files.h"
#include "platform/fakes/FakePlatform.h"

#include <QFile>
#include <QTest>
#include <functional>

using namespace zx;

namespace {
using configtest::readAll;
using configtest::writeAll;

using Getter = std::function<QVariant(const StationSettings &)>;
const QHash<QString, Getter> &getters()
{
    static const QHash<QString, Getter> g = {
        { "PORTA", [](const StationSettings &s) { return QVariant(s.porta()); } },
        { "TIPO", [](const StationSettings &s) { return QVariant(s.tipo()); } },
        { "QTDCOP", [](const StationSettings &s) { return QVariant(s.qtdCop()); } },
        { "VISUAL", [](const StationSettings &s) { return QVariant(s.visual()); } },
        { "LINAVANC", [](const StationSettings &s) { return QVariant(s.linAvanc()); } },
        { "TEMPLIMIT", [](const StationSettings &s) { return QVariant(s.tempLimit()); } },
        { "PARCELAR", [](const StationSettings &s) { return QVariant(s.parcelar()); } },
        { "REL_EXCEL", [](const StationSettings &s) { return QVariant(s.relExcel()); } },
        { "PROXY_UTIL", [](const StationSettings &s) { return QVariant(s.proxyUtil()); } },
        { "PROXY_AUTBAS", [](const StationSettings &s) { return QVariant(s.proxyAutBas()); } },
        { "PROXY_SERV", [](const StationSettings &s) { return QVariant(s.proxyServ()); } },
        { "PROXY_PORT", [](const StationSettings &s) { return QVariant(s.proxyPort()); } },
        { "PROXY_USER", [](const StationSettings &s) { return QVariant(s.proxyUser()); } },
        { "PROXY_PASS", [](const StationSettings &s) { return QVariant(s.proxyPass()); } },
        { "CODIGO", [](const StationSettings &s) { return QVariant(s.codigo()); } },
        { "NUM_LOCK", [](const StationSettings &s) { return QVariant(s.numLock()); } },
        { "PATHREMESS", [](const StationSettings &s) { return QVariant(s.pathRemess()); } },
        { "PARC_CREDI_FIEL", [](const StationSettings &s) { return QVariant(s.parcCrediFiel()); } },
        { "INSTI_FIEL", [](const StationSettings &s) { return QVariant(s.instiFiel()); } },
        { "VALOR_MENSA", [](const StationSettings &s) { return QVariant(s.valorMensa()); } },
        { "TIPPESQ", [](const StationSettings &s) { return QVariant(s.tipPesq()); } },
        { "TIPPESQ2", [](const StationSettings &s) { return QVariant(s.tipPesq2()); } },
        { "OPCRELFC", [](const StationSettings &s) { return QVariant(s.opcRelFc()); } },
        { "IDSEG", [](const StationSettings &s) { return QVariant(s.idSeg()); } },
        { "IDMUNIC", [](const StationSettings &s) { return QVariant(s.idMunic()); } },
        { "PATHINTEGRACAO", [](const StationSettings &s) { return QVariant(s.pathIntegracao()); } },
        { "VERSBX", [](const StationSettings &s) { return QVariant(s.versBx()); } },
    };
    return g;
}

// Which file and section a key lives in.
QString fileOf(const QString &key, QString &section)
{
    static const QStringList sistemaCfg = { "NUM_LOCK", "PATHREMESS" };
    static const QStringList configCfg = { "PARC_CREDI_FIEL", "INSTI_FIEL", "VALOR_MENSA",
        "TIPPESQ", "TIPPESQ2", "OPCRELFC", "IDSEG", "IDMUNIC", "PATHINTEGRACAO", "VERSBX" };
    section = configCfg.contains(key) ? QStringLiteral("CONFIG") : QStringLiteral("SISTEMA");
    return configCfg.contains(key) || sistemaCfg.contains(key) ? StationSettings::installFilePath()
                                                               : StationSettings::stationFilePath();
}
} // namespace

class TstSettings : public QObject {
    Q_OBJECT
private slots:
    void everyKeyHasItsDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("stored"); // empty: no files at all
        QTest::addColumn<QVariant>("expected");
        const QList<std::pair<QString, QVariant>> defaults = {
            { "PORTA", "LPT1" },
            { "TIPO", 0 },
            { "QTDCOP", 2 },
            { "VISUAL", false },
            { "LINAVANC", 5 },
            { "TEMPLIMIT", 60 },
            { "PARCELAR", false },
            { "REL_EXCEL", false },
            { "PROXY_UTIL", false },
            { "PROXY_AUTBAS", false },
            { "PROXY_SERV", "" },
            { "PROXY_PORT", "" },
            { "PROXY_USER", "" },
            { "PROXY_PASS", "" },
            { "CODIGO", 1 },
            { "NUM_LOCK", true },
            { "PATHREMESS", "" },
            { "PARC_CREDI_FIEL", false },
            { "INSTI_FIEL", false },
            { "VALOR_MENSA", "0" },
            { "TIPPESQ", 0 },
            { "TIPPESQ2", 0 },
            { "OPCRELFC", 0 },
            { "IDSEG", 9 },
            { "IDMUNIC", 0 },
            { "PATHINTEGRACAO", "" },
            { "VERSBX", "" },
        };
        for (const auto &[key, value] : defaults)
            QTest::newRow(qPrintable(key + " missing")) << key << QByteArray() << value;
        // Unreadable numbers fall back to the default; odd flags read as off.
        const QList<std::tuple<QString, QByteArray, QVariant>> odd = {
            { "TIPO", "x", 0 },
            { "TIPO", "7", 0 },
            { "QTDCOP", "dois", 2 },
            { "LINAVANC", "", 5 },
            { "TEMPLIMIT", "1,5", 60 },
            { "TEMPLIMIT", "10", 10 },
            { "CODIGO", "0", 1 },
            { "CODIGO", "4", 1 },
            { "CODIGO", "3", 3 },
            { "PORTA", "", "LPT1" },
            { "VISUAL", "2", false },
            { "VISUAL", "1", true },
            { "NUM_LOCK", "2", false },
            { "NUM_LOCK", "", false },
            { "NUM_LOCK", "1", true },
            { "TIPPESQ", "?", 0 },
            { "IDSEG", "lixo", 9 },
        };
        for (const auto &[key, stored, value] : odd)
            QTest::newRow(qPrintable(key + "=" + QString::fromLatin1(stored)))
                << key << (stored.isEmpty() ? QByteArray("\x01") : stored) << value;
    }
    void everyKeyHasItsDefault()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, stored);
        QFETCH(QVariant, expected);
        FakePlatform fp;
        if (!stored.isEmpty()) {
            QString section;
            const QString file = fileOf(key, section);
            const QByteArray value = stored == "\x01" ? QByteArray() : stored;
            writeAll(
                file, "[" + section.toLatin1() + "]\r\n" + key.toLatin1() + "=" + value + "\r\n");
        }
        StationSettings s;
        QCOMPARE(getters().value(key)(s), expected);
    }

    void settersStoreWhatGettersRead()
    {
        FakePlatform fp;
        StationSettings s;
        QVERIFY(s.setPorta("/dev/lp0") && s.setTipo(2) && s.setQtdCop("3") && s.setVisual(true)
            && s.setLinAvanc("7") && s.setTempLimit("90") && s.setParcelar(true)
            && s.setRelExcel(true) && s.setProxyUtil(true) && s.setProxyAutBas(true)
            && s.setProxyServ("proxy.local") && s.setProxyPort("3128") && s.setProxyUser("joão")
            && s.setProxyPass(" s3nha ") && s.setCodigo(3));
        QVERIFY(s.setNumLock(false) && s.setPathRemess("/tmp/rem") && s.setParcCrediFiel(true)
            && s.setInstiFiel(true) && s.setValorMensa("12,34") && s.setTipPesq(2)
            && s.setTipPesq2(1) && s.setOpcRelFc(3) && s.setIdSeg("12") && s.setIdMunic("300")
            && s.setPathIntegracao("/tmp/int.txt") && s.setVersBx("3.0.1.7"));
        StationSettings r; // a fresh reader of the same files
        QCOMPARE(r.porta(), QStringLiteral("/dev/lp0"));
        QCOMPARE(r.tipo(), 2);
        QCOMPARE(r.qtdCop(), 3);
        QVERIFY(r.visual() && r.parcelar() && r.relExcel() && r.proxyUtil() && r.proxyAutBas());
        QCOMPARE(r.linAvanc(), 7);
        QCOMPARE(r.tempLimit(), 90);
        QCOMPARE(r.proxyServ(), QStringLiteral("proxy.local"));
        QCOMPARE(r.proxyPort(), QStringLiteral("3128"));
        QCOMPARE(r.proxyUser(), QStringLiteral("joão"));
        QCOMPARE(r.proxyPass(), QStringLiteral(" s3nha "));
        QCOMPARE(r.codigo(), 3);
        QVERIFY(!r.numLock());
        QCOMPARE(r.pathRemess(), QStringLiteral("/tmp/rem"));
        QVERIFY(r.parcCrediFiel() && r.instiFiel());
        QCOMPARE(r.valorMensa(), QStringLiteral("12,34"));
        QCOMPARE(r.tipPesq(), 2);
        QCOMPARE(r.tipPesq2(), 1);
        QCOMPARE(r.opcRelFc(), 3);
        QCOMPARE(r.idSeg(), 12);
        QCOMPARE(r.idMunic(), 300 % 256); // the program keeps the code as one byte
        QCOMPARE(r.pathIntegracao(), QStringLiteral("/tmp/int.txt"));
        QCOMPARE(r.versBx(), QStringLiteral("3.0.1.7"));

        // Flags as "1"/"2"; scrambled keys are not in clear.
        const QByteArray kv = readAll(StationSettings::stationFilePath());
        QVERIFY(kv.contains("VISUAL=1\r\n"));
        QVERIFY(!kv.contains("jo\xE3o"));
        QVERIFY(kv.contains(QByteArray("PROXY_USER=" + cripLocalBytes("jo\xE3o") + "\r\n")));
        QVERIFY(readAll(StationSettings::installFilePath()).contains("NUM_LOCK=2\r\n"));
        QVERIFY(!readAll(StationSettings::installFilePath()).contains("IDSEG=12"));
    }

    void defaultsWrittenBackWhenAsked()
    {
        FakePlatform fp;
        StationSettings s;
        QCOMPARE(s.portaGravandoPadrao(), QStringLiteral("LPT1"));
        QCOMPARE(s.codigoGravandoPadrao(), 1);
        QCOMPARE(s.idSegGravandoPadrao(), 9);
        QCOMPARE(s.pathIntegracaoGravandoPadrao(), QString());
        QCOMPARE(readAll(StationSettings::stationFilePath()),
            QByteArray("[SISTEMA]\r\nPORTA=LPT1\r\nCODIGO=1\r\n"));
        QCOMPARE(readAll(StationSettings::installFilePath()),
            "[CONFIG]\r\nIDSEG=" + cripLocalBytes("9") + "\r\nPATHINTEGRACAO=\r\n");

        // Present values stay as they are.
        writeAll(StationSettings::stationFilePath(), "[SISTEMA]\r\nPORTA=COM2\r\nCODIGO=2\r\n");
        writeAll(StationSettings::installFilePath(), "[CONFIG]\r\nIDSEG=\r\n");
        QCOMPARE(s.portaGravandoPadrao(), QStringLiteral("COM2"));
        QCOMPARE(s.codigoGravandoPadrao(), 2);
        QCOMPARE(s.idSegGravandoPadrao(), 9); // present but empty: decoded with the default
        QCOMPARE(readAll(StationSettings::installFilePath()), QByteArray("[CONFIG]\r\nIDSEG=\r\n"));

        writeAll(StationSettings::stationFilePath(), "[SISTEMA]\r\nPORTA=\r\nCODIGO=0\r\n");
        QCOMPARE(s.portaGravandoPadrao(), QStringLiteral("LPT1"));
        QCOMPARE(s.codigoGravandoPadrao(), 1);
        QCOMPARE(readAll(StationSettings::stationFilePath()),
            QByteArray("[SISTEMA]\r\nPORTA=LPT1\r\nCODIGO=1\r\n"));
    }

    void codesKeptModulo256_data()
    {
        QTest::addColumn<QString>("clear");
        QTest::addColumn<int>("code");
        QTest::newRow("9") << "9" << 9;
        QTest::newRow("255") << "255" << 255;
        QTest::newRow("256") << "256" << 0;
        QTest::newRow("3550308") << "3550308" << (3550308 & 0xFF);
        QTest::newRow("-1") << "-1" << 255;
        QTest::newRow("blanks") << " 12 " << 12;
    }
    void codesKeptModulo256()
    {
        QFETCH(QString, clear);
        QFETCH(int, code);
        FakePlatform fp;
        StationSettings s;
        QVERIFY(s.setIdSeg(clear) && s.setIdMunic(clear));
        QCOMPARE(s.idSeg(), code);
        QCOMPARE(s.idMunic(), code);
    }

    void cripLocalRoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            QCOMPARE(decripLocalBytes(cripLocalBytes(one)), one);
            all.append(char(b));
        }
        QCOMPARE(decripLocalBytes(cripLocalBytes(all)), all);
        const QString text = QStringLiteral("Açúcar & €uro 123");
        QCOMPARE(decripLocal(cripLocal(text)), text);
        // The stored form of the segment default, as other stations hold it.
        QCOMPARE(cripLocalBytes("9"), QByteArray("2"));
    }

    void scrambledTextHoldsNoLineBreakOrNul()
    {
        // Every text byte (all but the control characters 0x00-0x1F) scrambles to a
        // byte that is not NUL, CR or LF, so a scrambled value is one INI line.
        for (int b = 0x20; b < 256; ++b) {
            const char c = cripLocalBytes(QByteArray(1, char(b))).at(0);
            QVERIFY2(c != '\0' && c != '\r' && c != '\n', qPrintable(QString::number(b, 16)));
        }
        // Scrambled values survive the station file: all text bytes in one value, and
        // alone each byte that scrambles to a blank or a quote (which the file would
        // otherwise lose at either end of a value).
        FakePlatform fp;
        StationSettings s;
        QByteArray text;
        QStringList risky;
        for (int b = 0x20; b < 256; ++b) {
            text.append(char(b));
            const char c = cripLocalBytes(QByteArray(1, char(b))).at(0);
            if (c == ' ' || c == '\t' || c == '"' || c == '\'')
                risky << cp1252::decode(QByteArray(1, char(b)));
        }
        QVERIFY(!risky.isEmpty());
        for (const QString &t : risky + QStringList { cp1252::decode(text) }) {
            QVERIFY(s.setProxyPass(t));
            QCOMPARE(s.proxyPass(), t);
        }
    }

    void merchantReplyApplied_data()
    {
        QTest::addColumn<QString>("segme");
        QTest::addColumn<QString>("parce");
        QTest::addColumn<QString>("munic");
        QTest::addColumn<int>("segmento");
        QTest::addColumn<QByteArray>("parcelar");
        QTest::addColumn<int>("municipio");
        QTest::addColumn<bool>("idsegWritten");
        QTest::newRow("one installment") << "9"
                                         << "1"
                                         << "0" << 9 << QByteArray("2") << 0 << false;
        QTest::newRow("installments missing") << ""
                                              << ""
                                              << "" << 9 << QByteArray("2") << 0 << false;
        QTest::newRow("unreadable") << " "
                                    << "x"
                                    << "0" << 9 << QByteArray("2") << 0 << false;
        QTest::newRow("six") << "9"
                             << "6"
                             << "0" << 9 << QByteArray("1") << 0 << false;
        QTest::newRow("two") << "9"
                             << "2"
                             << "0" << 9 << QByteArray("1") << 0 << false;
        QTest::newRow("new segment") << "4"
                                     << "1"
                                     << "0" << 4 << QByteArray("2") << 0 << true;
        QTest::newRow("municipality") << "9"
                                      << "1"
                                      << "77" << 9 << QByteArray("2") << 77 << false;
    }
    void merchantReplyApplied()
    {
        QFETCH(QString, segme);
        QFETCH(QString, parce);
        QFETCH(QString, munic);
        QFETCH(int, segmento);
        QFETCH(QByteArray, parcelar);
        QFETCH(int, municipio);
        QFETCH(bool, idsegWritten);
        FakePlatform fp;
        StationSettings s;
        CodigosEstacao codes { s.idSegGravandoPadrao(), s.idMunic() };
        const QByteArray cfgBefore = readAll(StationSettings::installFilePath());
        QVERIFY(aplicaParamFornecedor(s, { segme, parce, munic }, codes));
        QCOMPARE(codes.segmento, segmento);
        QCOMPARE(codes.municipio, municipio);
        QCOMPARE(s.idSeg(), segmento);
        QCOMPARE(s.idMunic(), municipio);
        QVERIFY(readAll(StationSettings::stationFilePath())
                    .contains(QByteArray("PARCELAR=" + parcelar + "\r\n")));
        const QByteArray cfgAfter = readAll(StationSettings::installFilePath());
        QCOMPARE(
            cfgAfter.contains(QByteArray("IDSEG=" + cripLocalBytes("9") + "\r\n")), !idsegWritten);
        if (!idsegWritten && municipio == 0)
            QCOMPARE(cfgAfter, cfgBefore); // nothing in configura.ini was touched
    }

    void merchantReplyReportsWriteFailure()
    {
        FakePlatform fp;
        // A station file in a folder that does not exist cannot be written.
        StationSettings s(fp.root() + "/nada/kv.ini", StationSettings::installFilePath());
        CodigosEstacao codes;
        QVERIFY(!aplicaParamFornecedor(s, { "5", "3", "0" }, codes));
        QCOMPARE(codes.segmento, 5); // what was written before the failure stays
        QCOMPARE(s.idSeg(), 5);
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
