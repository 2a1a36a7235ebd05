#pragma once
// The main data module: the station's local tables and the operations on the store.
// One instance for the whole run, created by the program before its main window.
// Tables stay closed; each user opens the one it needs, works and closes it again.
#include "localstore/DbfTable.h"
#include "localstore/TTQBTabela.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace zx {

class TDM {
public:
    // Rows of VENDA at which the journal counts as full (emptied at close).
    static constexpr int kVendaCheia = 1000;

    enum class LimpezaVenda {
        NaoCheia, // fewer than kVendaCheia rows: kept
        ComPendente, // full but a row is still "P": kept
        EmUso, // another program has the file open: kept for the next close
        Limpa, // full and clean: emptied
        Erro // could not be read or written (ultimoErro)
    };

    // Program folder from the station paths, station IP from the host.
    TDM();
    TDM(const QString &programFolder, const QString &ipLocal);
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    // The module alive now (the most recently created), or nullptr.
    static TDM *instance();

    // One table per file of the data folder.
    DbfTable CDSFunci; // FUNCIONARIO.DBF
    DbfTable CDSInsti; // INSTITUICAO.DBF
    DbfTable CDSParamet; // PARAMETRO.DBF
    DbfTable CDSSequencial; // SEQUENCIAL.DBF
    DbfTable CDSVenda; // VENDA.DBF (SOLIC_VEND numbered before post)
    DbfTable CDSUltSolic; // ULT_SOLIC.DBF
    DbfTable CDSCartaoOK; // CT_OK.DBF
    DbfTable CDSIDEnviar; // IDENVIAR.DBF
    DbfTable CDSFood; // FAT_ALIM.DBF
    DbfTable CDSItemFood; // ITEM_ALIM.DBF
    DbfTable CDSMultiInsti; // MULTI_INSTI.DBF (TIPO_INSTI "2" on insert)
    DbfTable CDSParametBoleto; // PARAMETRO.DBF again, for the bank-slip form

    // Station state held by the module.
    QChar letraDrive; // first character of the program folder
    QString nomeEmpresa; // the station's company name, as the shell reads it

    QString programFolder() const { return m_programFolder; }
    // The station's IPv4 address, taken once at creation; keys its ULT_SOLIC row.
    QString ipLocal() const { return m_ipLocal; }

    // The program folder + "Dados", without a trailing separator (an existing folder
    // of another letter case is used as it is).
    QString pastaDados() const;

    // Creates the data folder and every missing table, and upgrades VENDA. Called at
    // every start. False when a table could not be created or checked (ultimoErro);
    // relatorio, when given, receives one line per table.
    bool criaTabelas(QStringList *relatorio = nullptr);
    // Creates one empty table (replacing a file of that name in any letter case).
    bool criaTabela(const TTQBTabela &tabela);
    // Opens an existing table and re-creates it empty when a described column is
    // missing. False when it cannot be opened or re-created. recriada tells which.
    bool confereTabela(const TTQBTabela &tabela, bool *recriada = nullptr);

    // The next local sale number (1 for the first sale of a new store). Safe across
    // programs sharing the folder. On failure shows "Erro ao gerar o código!!!" and
    // returns 0.
    qint64 proximoSequencial();

    // Event handlers of the tables (installed by the constructor).
    // A new VENDA row gets SOLIC_VEND := proximoSequencial(); edits keep their number.
    // False (the row is not stored) when no number could be given.
    bool CDSVendaBeforePost(DbfTable &tabela);
    // A new MULTI_INSTI row gets TIPO_INSTI "2".
    void CDSMultiInstiAfterInsert(DbfTable &tabela);

    // Gives the station its ULT_SOLIC row (NUMER_IP = ipLocal) when it has none.
    bool registraEstacao();

    // Housekeeping at close: empties VENDA when it holds kVendaCheia rows or more and
    // none is pending ("P"). The pending-sale check runs before this, elsewhere.
    LimpezaVenda limpaVendaCheia();

    QString ultimoErro() const { return m_erro; }

private:
    QList<DbfTable *> tabelas();
    bool falha(const QString &texto);
    qint64 maiorSolicitacao();

    QString m_programFolder;
    QString m_ipLocal;
    QString m_erro;
};

} // namespace zx
