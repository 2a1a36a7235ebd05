// The data module: creating and upgrading the store, sale numbers, table events and
// the journal housekeeping at close.
#include "helper_dbf.h"

#include "localstore/LocalTables.h"
#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using zx::DbfTable;
using zx::TDM;

class TstTdm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyProgramFolderGetsEveryTable_data();
    void emptyProgramFolderGetsEveryTable();
    void stationStateFromThePlatform();
    void vendaUpgrade_data();
    void vendaUpgrade();
    void otherTablesAreNeverUpgraded();
    void saleNumbers();
    void saleNumbersContinueAfterLosingTheSequence();
    void sequenceFailureStoresNoRow();
    void multiInstiDefaultsToPayroll();
    void stationRowRegisteredOnce();
    void vendaHousekeeping_data();
    void vendaHousekeeping();

private:
    QString dados() const { return m_fp->programFolder() + QStringLiteral("/Dados"); }
    // Appends one sale through the module (SOLIC_VEND from the sequence).
    qint64 appendSale(TDM &dm, const QString &situacao = QStringLiteral("P"));
    static QString layout(const DbfTable &t);

    zx::FakePlatform *m_fp = nullptr;
};

void TstTdm::init()
{
    m_fp = new zx::FakePlatform;
    m_fp->hostInfo->ipv4 = QStringLiteral("10.1.2.3");
}

void TstTdm::cleanup()
{
    delete m_fp;
}

QString TstTdm::layout(const DbfTable &t)
{
    QStringList cols;
    for (const zx::DbfField &f : t.fields())
        cols << QStringLiteral("%1 %2%3").arg(f.name, QChar::fromLatin1(f.type)).arg(f.length);
    return cols.join(QStringLiteral(", "));
}

qint64 TstTdm::appendSale(TDM &dm, const QString &situacao)
{
    DbfTable &v = dm.CDSVenda;
    if (!v.isOpen() && !v.open())
        return -1;
    if (!v.append() || !v.setAsString(QStringLiteral("SITUA_VEND"), situacao)
        || !v.setAsString(QStringLiteral("CARTA_VEND"), QStringLiteral("0000000123")) || !v.post())
        return -1;
    return v.asInteger(QStringLiteral("SOLIC_VEND"));
}

void TstTdm::emptyProgramFolderGetsEveryTable_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("columns");

    // Whole-number columns are numeric, 20 wide (a signed 64-bit number).
    QTest::newRow("FUNCIONARIO")
        << "FUNCIONARIO.DBF"
        << "MATRI_FUNC C30, CNPJ_INSTI C30, DESCR_FUNC C80, DEPEN_FUNC C80";
    QTest::newRow("INSTITUICAO") << "INSTITUICAO.DBF"
                                 << "CNPJ_INSTI C30, DESCR_INST C80";
    QTest::newRow("PARAMETRO")
        << "PARAMETRO.DBF"
        << "CNPJ_FORNE C30, DESCR_FORN C80, FANTA_FORN C80, APLIC_ABER C1, APLIC_CONE C1, "
           "LINHA_AVAN N20, QTDE_COPIA N20, VISUA_AUTO C1, ENDER_FORN C200, FONE_FORNE C30, "
           "VERSA_BANC C10";
    QTest::newRow("SEQUENCIAL") << "SEQUENCIAL.DBF"
                                << "TABEL_SEQU C20, ULTIM_SEQU N20";
    QTest::newRow("VENDA") << "VENDA.DBF"
                           << "SOLIC_VEND N20, AUTOR_VEND C30, MATRI_VEND C30, CNPJ_INSTI C30, "
                              "DATA_VENDA C15, HORA_VENDA C15, SITUA_VEND C30, VALOR_VEND C30, "
                              "CARTA_VEND C30, VENCI_VEND C15, FUNCI_VEND C30, PARCE_VEND N20, "
                              "COMD5_VEND C15";
    QTest::newRow("ULT_SOLIC") << "ULT_SOLIC.DBF"
                               << "NUMER_IP C20, CARTAO C15, DATA C15, VALOR C15";
    QTest::newRow("CT_OK") << "CT_OK.DBF"
                           << "NUM_CART C14";
    QTest::newRow("IDENVIAR") << "IDENVIAR.DBF"
                              << "CNPJ C14, CPF C14, OBS C100";
    QTest::newRow("FAT_ALIM") << "FAT_ALIM.DBF"
                              << "CHAVE_FOOD C15, DTHOR_FOOD C40, SITUA_FOOD C10";
    QTest::newRow("ITEM_ALIM") << "ITEM_ALIM.DBF"
                               << "CHAVE_FOOD C15, CPF_ITFOOD C20, DESCR_FUNC C50, VALOR_ITFO C15, "
                                  "CONFI_CART C1";
    QTest::newRow("MULTI_INSTI") << "MULTI_INSTI.DBF"
                                 << "CNPJ_PESSO C14, APELI_PESS C60, FANTA_PESS C60, TIPO_INSTI C1";
}

void TstTdm::emptyProgramFolderGetsEveryTable()
{
    QFETCH(QString, file);
    QFETCH(QString, columns);
    QDir(dados()).removeRecursively();
    TDM dm;
    QVERIFY2(dm.criaTabelas(), qPrintable(dm.ultimoErro()));
    QCOMPARE(dm.pastaDados(), dados());
    QCOMPARE(QDir(dados()).entryList(QDir::Files).size(), 11);

    DbfTable t(dados(), file);
    QCOMPARE(QFileInfo(t.path()).fileName(), file);
    QVERIFY2(t.open(), qPrintable(t.lastError()));
    QCOMPARE(layout(t), columns);
    QCOMPARE(t.physicalCount(), 0);
    QCOMPARE(t.header().version, quint8(0x03));
    QCOMPARE(t.header().languageDriver, quint8(0x03));
    t.close();

    // An independent dBase reader sees the same columns.
    const QString dbfdump = QStandardPaths::findExecutable(QStringLiteral("dbfdump"));
    if (!dbfdump.isEmpty()) {
        QProcess p;
        p.start(dbfdump, { QStringLiteral("-h"), t.path() });
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        const QString described = QString::fromLatin1(p.readAllStandardOutput());
        QCOMPARE(described.count(QStringLiteral("Field ")), columns.count(QLatin1Char(',')) + 1);
        for (const zx::DbfField &f : t.fields())
            QVERIFY2(described.contains(
                         QStringLiteral("Title=`%1', Width=%2,").arg(f.name).arg(f.length)),
                qPrintable(described));
    }
    QVERIFY(t.open());

    // A second start keeps what is there.
    QVERIFY(t.append());
    QVERIFY(t.post());
    t.close();
    QVERIFY(dm.criaTabelas());
    QVERIFY(t.open());
    QCOMPARE(t.physicalCount(), 1);
}

void TstTdm::stationStateFromThePlatform()
{
    TDM dm;
    QCOMPARE(TDM::instance(), &dm);
    QCOMPARE(dm.ipLocal(), QStringLiteral("10.1.2.3"));
    QCOMPARE(dm.programFolder(), m_fp->programFolder());
    QCOMPARE(dm.letraDrive, m_fp->programFolder().at(0));
    QVERIFY(!dm.pastaDados().endsWith(QLatin1Char('/')));
    QCOMPARE(dm.CDSVenda.folder(), dm.pastaDados());
    QCOMPARE(dm.CDSMultiInsti.fileName(), QStringLiteral("MULTI_INSTI.DBF"));
    QCOMPARE(dm.CDSParametBoleto.fileName(), QStringLiteral("PARAMETRO.DBF"));
}

void TstTdm::vendaUpgrade_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("dropColumns");
    QTest::addColumn<QStringList>("extraColumns");
    QTest::addColumn<bool>("rowsKept");

    QTest::newRow("older layout without COMD5_VEND")
        << "VENDA.DBF" << QStringList { "COMD5_VEND" } << QStringList {} << false;
    QTest::newRow("only FUNCI_VEND missing")
        << "VENDA.DBF" << QStringList { "FUNCI_VEND" } << QStringList {} << false;
    QTest::newRow("current layout") << "VENDA.DBF" << QStringList {} << QStringList {} << true;
    QTest::newRow("current layout plus a column")
        << "VENDA.DBF" << QStringList {} << QStringList { "EXTRA" } << true;
    QTest::newRow("current layout, lower-case name")
        << "venda.dbf" << QStringList {} << QStringList {} << true;
    QTest::newRow("older layout, mixed-case name")
        << "Venda.Dbf" << QStringList { "COMD5_VEND" } << QStringList {} << false;
}

void TstTdm::vendaUpgrade()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, dropColumns);
    QFETCH(QStringList, extraColumns);
    QFETCH(bool, rowsKept);

    QVERIFY(QDir().mkpath(dados()));
    QList<lstest::Col> cols;
    for (const zx::TTQBField &c : zx::localtables::venda().campos)
        if (!dropColumns.contains(c.nome))
            cols << lstest::Col { c.nome, c.tipo == zx::TFieldType::ftLargeint ? 'N' : 'C',
                c.tamanho ? c.tamanho : 20 };
    for (const QString &c : extraColumns)
        cols << lstest::Col { c, 'C', 5 };
    QList<QStringList> rows { QStringList { QStringLiteral("7"), QStringLiteral("123") } };
    lstest::writeFile(dados() + QLatin1Char('/') + fileName, lstest::dbfBytes(cols, rows));

    TDM dm;
    QVERIFY2(dm.criaTabelas(), qPrintable(dm.ultimoErro()));
    QCOMPARE(lstest::countCaseVariants(dados(), QStringLiteral("VENDA.DBF")), 1);
    DbfTable v(dados(), QStringLiteral("VENDA.DBF"));
    QVERIFY(v.open());
    QCOMPARE(v.physicalCount(), rowsKept ? 1 : 0);
    for (const zx::TTQBField &c : zx::localtables::venda().campos)
        QVERIFY2(v.hasField(c.nome), qPrintable(c.nome));
    // A table that is re-created gets the name new files get.
    QCOMPARE(QFileInfo(v.path()).fileName(), rowsKept ? fileName : QStringLiteral("VENDA.DBF"));
}

void TstTdm::otherTablesAreNeverUpgraded()
{
    QVERIFY(QDir().mkpath(dados()));
    lstest::writeFile(dados() + QStringLiteral("/CT_OK.DBF"),
        lstest::dbfBytes(
            { { QStringLiteral("OUTRO"), 'C', 3 } }, { QStringList { QStringLiteral("abc") } }));
    TDM dm;
    QVERIFY(dm.criaTabelas());
    DbfTable t(dados(), QStringLiteral("CT_OK.DBF"));
    QVERIFY(t.open());
    QCOMPARE(t.fieldNames(), QStringList { QStringLiteral("OUTRO") });
    QCOMPARE(t.physicalCount(), 1);
}

void TstTdm::saleNumbers()
{
    TDM dm;
    QVERIFY(dm.criaTabelas());
    QCOMPARE(appendSale(dm), qint64(1));
    QCOMPARE(appendSale(dm), qint64(2));

    // Editing keeps the number.
    QVERIFY(dm.CDSVenda.first());
    QVERIFY(dm.CDSVenda.edit());
    QVERIFY(dm.CDSVenda.setAsString(QStringLiteral("SITUA_VEND"), QStringLiteral("A")));
    QVERIFY(dm.CDSVenda.post());
    QCOMPARE(dm.CDSVenda.asInteger(QStringLiteral("SOLIC_VEND")), qint64(1));
    dm.CDSVenda.close();

    // Deleting VENDA.DBF does not restart the numbering.
    QVERIFY(QFile::remove(dados() + QStringLiteral("/VENDA.DBF")));
    QVERIFY(dm.criaTabelas());
    QCOMPARE(appendSale(dm), qint64(3));
    dm.CDSVenda.close();
    DbfTable s(dados(), QStringLiteral("SEQUENCIAL.DBF"));
    QVERIFY(s.open());
    QCOMPARE(s.recordCount(), 1);
    QCOMPARE(s.asString(QStringLiteral("TABEL_SEQU")), QStringLiteral("VENDA"));
    QCOMPARE(s.asInteger(QStringLiteral("ULTIM_SEQU")), qint64(3));
    QVERIFY(m_fp->dialogs->messages.isEmpty());
}

void TstTdm::saleNumbersContinueAfterLosingTheSequence()
{
    TDM dm;
    QVERIFY(dm.criaTabelas());
    for (int i = 0; i < 3; ++i)
        appendSale(dm);
    dm.CDSVenda.close();
    QVERIFY(QFile::remove(dados() + QStringLiteral("/SEQUENCIAL.DBF")));
    QVERIFY(dm.criaTabelas());
    QCOMPARE(dm.proximoSequencial(), qint64(4));
}

void TstTdm::sequenceFailureStoresNoRow()
{
    TDM dm;
    QVERIFY(dm.criaTabelas());
    lstest::writeFile(dados() + QStringLiteral("/SEQUENCIAL.DBF"), QByteArray("lixo"));
    QCOMPARE(dm.proximoSequencial(), qint64(0));
    QCOMPARE(m_fp->dialogs->messages.size(), 1);
    QCOMPARE(m_fp->dialogs->messages.at(0).caption, QStringLiteral("Aviso do Sistema"));
    QCOMPARE(m_fp->dialogs->messages.at(0).text, QStringLiteral("Erro ao gerar o código!!!"));
    QCOMPARE(m_fp->dialogs->messages.at(0).icon, zx::MsgIcon::Error);

    // A sale without a number of its own is not journalled.
    QCOMPARE(appendSale(dm), qint64(-1));
    dm.CDSVenda.cancel();
    dm.CDSVenda.close();
    DbfTable v(dados(), QStringLiteral("VENDA.DBF"));
    QVERIFY(v.open());
    QCOMPARE(v.physicalCount(), 0);
}

void TstTdm::multiInstiDefaultsToPayroll()
{
    TDM dm;
    QVERIFY(dm.criaTabelas());
    DbfTable &m = dm.CDSMultiInsti;
    QVERIFY(m.open());
    QVERIFY(m.append());
    QVERIFY(m.setAsString(QStringLiteral("CNPJ_PESSO"), QStringLiteral("11222333000181")));
    QVERIFY(m.post());
    QVERIFY(m.append());
    QVERIFY(m.setAsString(QStringLiteral("TIPO_INSTI"), QStringLiteral("4")));
    QVERIFY(m.post());
    m.close();
    QVERIFY(m.open());
    QCOMPARE(m.asString(QStringLiteral("TIPO_INSTI")), QStringLiteral("2"));
    QVERIFY(m.next());
    QCOMPARE(m.asString(QStringLiteral("TIPO_INSTI")), QStringLiteral("4"));
}

void TstTdm::stationRowRegisteredOnce()
{
    TDM dm;
    QVERIFY(dm.criaTabelas());
    QVERIFY(dm.registraEstacao());
    QVERIFY(dm.registraEstacao());
    TDM other(m_fp->programFolder(), QStringLiteral("10.9.9.9"));
    QVERIFY(other.registraEstacao());
    DbfTable u(dados(), QStringLiteral("ULT_SOLIC.DBF"));
    QVERIFY(u.open());
    QStringList ips;
    for (u.first(); !u.eof(); u.next())
        ips << u.asString(QStringLiteral("NUMER_IP"));
    QCOMPARE(ips, (QStringList { QStringLiteral("10.1.2.3"), QStringLiteral("10.9.9.9") }));
}

void TstTdm::vendaHousekeeping_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pendingAt"); // -1: none
    QTest::addColumn<bool>("heldOpen");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("rowsAfter");

    QTest::newRow("999 rows") << 999 << -1 << false << int(TDM::LimpezaVenda::NaoCheia) << 999;
    QTest::newRow("1000 rows, none pending")
        << 1000 << -1 << false << int(TDM::LimpezaVenda::Limpa) << 0;
    QTest::newRow("1000 rows, last one pending")
        << 1000 << 999 << false << int(TDM::LimpezaVenda::ComPendente) << 1000;
    QTest::newRow("1000 rows, open at another station")
        << 1000 << -1 << true << int(TDM::LimpezaVenda::EmUso) << 1000;
}

void TstTdm::vendaHousekeeping()
{
    QFETCH(int, rows);
    QFETCH(int, pendingAt);
    QFETCH(bool, heldOpen);
    QFETCH(int, result);
    QFETCH(int, rowsAfter);

    TDM dm;
    QVERIFY(dm.criaTabelas());
    QList<lstest::Col> cols;
    for (const zx::TTQBField &c : zx::localtables::venda().campos)
        cols << lstest::Col { c.nome, c.tipo == zx::TFieldType::ftLargeint ? 'N' : 'C',
            c.tamanho ? c.tamanho : 20 };
    QList<QStringList> data;
    for (int i = 0; i < rows; ++i)
        data << QStringList { QString::number(i + 1), QString::number(5000 + i), QString(),
            QString(), QStringLiteral("11/12/2026"), QStringLiteral("10:00:00"),
            i == pendingAt ? QStringLiteral("P") : QStringLiteral("A") };
    lstest::writeFile(dados() + QStringLiteral("/VENDA.DBF"), lstest::dbfBytes(cols, data));

    DbfTable elsewhere(dados(), QStringLiteral("VENDA.DBF"));
    if (heldOpen)
        QVERIFY(elsewhere.open());
    QVERIFY(dm.CDSVenda.open()); // the module's own table is closed first
    QCOMPARE(int(dm.limpaVendaCheia()), result);
    QVERIFY(!dm.CDSVenda.isOpen());
    elsewhere.close();

    DbfTable v(dados(), QStringLiteral("VENDA.DBF"));
    QVERIFY(v.open());
    QCOMPARE(v.physicalCount(), rowsAfter);
    v.close();
    QVERIFY(appendSale(dm) > 0); // the journal takes sales again at once
}

QTEST_GUILESS_MAIN(TstTdm)
#include "tst_tdm.moc"
