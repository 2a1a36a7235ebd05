#include "localstore/TDM.h"

#include "localstore/LocalTables.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace zx {

namespace {
TDM *g_instance = nullptr;

const QString kSequencialCampo = QStringLiteral("ULTIM_SEQU");
const QString kSolicitacao = QStringLiteral("SOLIC_VEND");
} // namespace

TDM::TDM()
    : TDM(Platform::paths().programFolder(), Platform::hostInfo().firstIPv4())
{
}

TDM::TDM(const QString &programFolder, const QString &ipLocal)
    : m_programFolder(programFolder)
{
    letraDrive = programFolder.isEmpty() ? QChar() : programFolder.at(0);
    const QString pasta = pastaDados();
    const QList<TTQBTabela> descricoes = localtables::all();
    const QList<DbfTable *> lista = tabelas();
    for (int i = 0; i < descricoes.size(); ++i) {
        lista.at(i)->setFolder(pasta);
        lista.at(i)->setFileName(descricoes.at(i).nome);
    }
    CDSParametBoleto.setFolder(pasta);
    CDSParametBoleto.setFileName(localtables::parametro().nome);
    CDSVenda.beforePost = [this](DbfTable &t) { return CDSVendaBeforePost(t); };
    CDSMultiInsti.afterInsert = [this](DbfTable &t) { CDSMultiInstiAfterInsert(t); };
    m_ipLocal = ipLocal;
    g_instance = this;
}

TDM::~TDM()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TDM *TDM::instance()
{
    return g_instance;
}

// In the order of the table descriptions.
QList<DbfTable *> TDM::tabelas()
{
    return { &CDSFunci, &CDSInsti, &CDSParamet, &CDSSequencial, &CDSVenda, &CDSUltSolic,
        &CDSCartaoOK, &CDSIDEnviar, &CDSFood, &CDSItemFood, &CDSMultiInsti };
}

bool TDM::falha(const QString &texto)
{
    m_erro = texto;
    return false;
}

QString TDM::pastaDados() const
{
    const QString nome = QStringLiteral("Dados");
    const QDir programa(m_programFolder);
    if (!QFileInfo(programa.filePath(nome)).isDir()) {
        const QStringList pastas = programa.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &p : pastas)
            if (p.compare(nome, Qt::CaseInsensitive) == 0)
                return programa.filePath(p);
    }
    return programa.filePath(nome);
}

bool TDM::criaTabela(const TTQBTabela &tabela)
{
    DbfTable nova(pastaDados(), tabela.nome);
    if (!nova.create(tabela.dbfFields()))
        return falha(nova.lastError());
    return true;
}

bool TDM::confereTabela(const TTQBTabela &tabela, bool *recriada)
{
    if (recriada)
        *recriada = false;
    DbfTable existente(pastaDados(), tabela.nome);
    if (!existente.open())
        return falha(existente.lastError());
    bool completa = true;
    for (const TTQBField &c : tabela.campos)
        completa = completa && existente.hasField(c.nome);
    existente.close();
    if (completa)
        return true;
    if (!existente.remove())
        return falha(existente.lastError());
    if (recriada)
        *recriada = true;
    return criaTabela(tabela);
}

bool TDM::criaTabelas(QStringList *relatorio)
{
    m_erro.clear();
    for (DbfTable *t : tabelas())
        t->close();
    CDSParametBoleto.close();

    const QString pasta = pastaDados();
    if (!QFileInfo(pasta).isDir() && !QDir().mkdir(pasta))
        return falha(QStringLiteral("Não foi possível criar a pasta %1")
                         .arg(QDir::toNativeSeparators(pasta)));

    bool ok = true;
    const auto note = [relatorio](const QString &nome, const QString &o_que) {
        if (relatorio)
            *relatorio << nome + QStringLiteral(": ") + o_que;
    };
    const auto criaSeFaltar = [&](const TTQBTabela &t) {
        if (!DbfTable::findFile(pasta, t.nome).isEmpty()) {
            note(t.nome, QStringLiteral("mantida"));
            return;
        }
        QString erro;
        // Another station sharing the folder may create it at the same moment.
        if (DbfTable::create(QDir(pasta).filePath(t.nome), t.dbfFields(),
                DbfTable::CreateMode::OnlyIfMissing, &erro)) {
            note(t.nome, QStringLiteral("criada"));
        } else {
            note(t.nome, QStringLiteral("ERRO: ") + erro);
            ok = falha(erro);
        }
    };

    criaSeFaltar(localtables::funcionario());
    criaSeFaltar(localtables::instituicao());
    criaSeFaltar(localtables::parametro());
    criaSeFaltar(localtables::sequencial());

    // VENDA of the layout before the check value column is dropped outright.
    const TTQBTabela &venda = localtables::venda();
    bool recriada = false;
    if (CDSVenda.open() && !CDSVenda.hasField(QStringLiteral("COMD5_VEND"))) {
        CDSVenda.close();
        if (CDSVenda.remove())
            recriada = true;
    }
    CDSVenda.close();
    if (CDSVenda.exists()) {
        bool refeita = false;
        if (confereTabela(venda, &refeita))
            note(venda.nome,
                refeita ? QStringLiteral("recriada (layout antigo)") : QStringLiteral("mantida"));
        else {
            note(venda.nome, QStringLiteral("ERRO: ") + m_erro);
            ok = false;
        }
    } else if (criaTabela(venda)) {
        note(venda.nome,
            recriada ? QStringLiteral("recriada (layout antigo)") : QStringLiteral("criada"));
    } else {
        note(venda.nome, QStringLiteral("ERRO: ") + m_erro);
        ok = false;
    }

    criaSeFaltar(localtables::ultSolic());
    criaSeFaltar(localtables::ctOk());
    criaSeFaltar(localtables::idEnviar());
    criaSeFaltar(localtables::fatAlim());
    criaSeFaltar(localtables::itemAlim());
    criaSeFaltar(localtables::multiInsti());
    return ok;
}

// Largest number already in VENDA: a sequence that had to start over (its file lost
// or emptied) continues from there, so numbers never repeat in the journal.
qint64 TDM::maiorSolicitacao()
{
    DbfTable venda(pastaDados(), localtables::venda().nome);
    qint64 maior = 0;
    if (!venda.open(DbfTable::OpenMode::ReadOnly))
        return 0;
    for (venda.first(); !venda.eof(); venda.next())
        maior = qMax(maior, venda.asInteger(kSolicitacao));
    return maior;
}

qint64 TDM::proximoSequencial()
{
    const auto erro = [this](const QString &motivo) -> qint64 {
        m_erro = motivo;
        CDSSequencial.close();
        Platform::dialogs().message(QStringLiteral("Aviso do Sistema"),
            QStringLiteral("Erro ao gerar o código!!!"), MsgIcon::Error);
        return 0;
    };

    CDSSequencial.close();
    if (!CDSSequencial.open())
        return erro(CDSSequencial.lastError());
    {
        // Under the table lock, so that two stations never both start the sequence.
        DbfTable::TableLock trava = CDSSequencial.lockTable();
        if (!trava || !CDSSequencial.refresh())
            return erro(CDSSequencial.lastError());
        if (CDSSequencial.isEmpty()) {
            if (!CDSSequencial.append()
                || !CDSSequencial.setAsString(QStringLiteral("TABEL_SEQU"), QStringLiteral("VENDA"))
                || !CDSSequencial.setAsInteger(kSequencialCampo, maiorSolicitacao())
                || !CDSSequencial.post())
                return erro(CDSSequencial.lastError());
        }
    }
    // The row lock of edit() makes read, add and write one step across stations.
    if (!CDSSequencial.first() || !CDSSequencial.edit())
        return erro(CDSSequencial.lastError());
    bool ok = false;
    const qint64 ultimo = CDSSequencial.asInteger(kSequencialCampo, &ok);
    if (!ok || ultimo < 0 || ultimo == std::numeric_limits<qint64>::max()) {
        CDSSequencial.cancel();
        return erro(QStringLiteral("Valor inválido em %1: '%2'")
                        .arg(kSequencialCampo, CDSSequencial.asString(kSequencialCampo)));
    }
    if (!CDSSequencial.setAsInteger(kSequencialCampo, ultimo + 1) || !CDSSequencial.post())
        return erro(CDSSequencial.lastError());
    CDSSequencial.close();
    return ultimo + 1;
}

bool TDM::CDSVendaBeforePost(DbfTable &tabela)
{
    if (tabela.state() != DbfTable::State::Insert)
        return true;
    const qint64 numero = proximoSequencial();
    return numero > 0 && tabela.setAsInteger(kSolicitacao, numero);
}

void TDM::CDSMultiInstiAfterInsert(DbfTable &tabela)
{
    tabela.setAsString(QStringLiteral("TIPO_INSTI"), QStringLiteral("2"));
}

bool TDM::registraEstacao()
{
    const QString campo = QStringLiteral("NUMER_IP");
    CDSUltSolic.close();
    if (!CDSUltSolic.open())
        return falha(CDSUltSolic.lastError());
    bool ok = true;
    {
        DbfTable::TableLock trava = CDSUltSolic.lockTable();
        if (!trava || !CDSUltSolic.refresh())
            ok = falha(CDSUltSolic.lastError());
        else if (!CDSUltSolic.locate(campo, m_ipLocal)
            && !(CDSUltSolic.append() && CDSUltSolic.setAsString(campo, m_ipLocal)
                && CDSUltSolic.post()))
            ok = falha(CDSUltSolic.lastError());
    }
    CDSUltSolic.close();
    return ok;
}

TDM::LimpezaVenda TDM::limpaVendaCheia()
{
    CDSVenda.close();
    DbfTable venda(pastaDados(), localtables::venda().nome);
    LimpezaVenda motivo = LimpezaVenda::NaoCheia;
    // The check runs with the file held exclusively: no station can add a pending
    // sale between the look and the emptying.
    const auto podeLimpar = [&motivo](DbfTable &t) {
        if (t.physicalCount() < kVendaCheia)
            return false;
        t.setFilter(QStringLiteral("SITUA_VEND"), QStringLiteral("P"));
        if (!t.isEmpty()) {
            motivo = LimpezaVenda::ComPendente;
            return false;
        }
        return true;
    };
    switch (venda.emptyIfUnused(podeLimpar)) {
    case DbfTable::EmptyResult::Emptied:
        return LimpezaVenda::Limpa;
    case DbfTable::EmptyResult::Kept:
        return motivo;
    case DbfTable::EmptyResult::InUse:
        return LimpezaVenda::EmUso;
    case DbfTable::EmptyResult::Failed:
        break;
    }
    m_erro = venda.lastError();
    return LimpezaVenda::Erro;
}

} // namespace zx
