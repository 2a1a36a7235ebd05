#include "shell/CompanyChoice.h"

#include "localstore/TDM.h"
#include "service/protocol/RecordList.h"
#include "service/protocol/TextRules.h"

#include <QFile>
#include <QSet>

namespace zx::empresas {

namespace {
const QString kCnpj = QStringLiteral("CNPJ_PESSO");
const QString kApelido = QStringLiteral("APELI_PESS");
const QString kNome = QStringLiteral("FANTA_PESS");
const QString kTipo = QStringLiteral("TIPO_INSTI");

bool setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}
} // namespace

QString tipoTexto(const QString &tipo)
{
    if (tipo == QLatin1String("3"))
        return QStringLiteral("ALIMENTAÇÃO");
    if (tipo == QLatin1String("4"))
        return QStringLiteral("FIDELIDADE");
    return QStringLiteral("CONSIGNAÇÃO");
}

QString tipoDeTexto(const QString &texto)
{
    if (texto.contains(QLatin1String("ALIMENTA")))
        return QStringLiteral("3");
    if (texto.contains(QLatin1String("FIDEL")))
        return QStringLiteral("4");
    return QStringLiteral("2");
}

int importaConfInsti(TDM &dm, const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return setError(error, f.errorString()), -1;
    QByteArray text;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine();
        if (!line.trimmed().isEmpty())
            text += line;
    }
    protocol::TblTemp rows;
    QString why;
    if (!protocol::setTblTempXMLSt(text, rows, &why))
        return setError(error, why), -1;

    DbfTable &t = dm.CDSMultiInsti;
    t.close();
    t.clearFilter();
    if (!t.open())
        return setError(error, t.lastError()), -1;
    QSet<QString> known;
    for (t.first(); !t.eof(); t.next())
        known.insert(t.asString(kCnpj));
    int added = 0;
    for (const protocol::TRegist &r : rows) {
        const QString cnpj = protocol::vlrRegByName(r, QStringLiteral("CNPJ_PESSO")).trimmed();
        if (cnpj.isEmpty() || known.contains(cnpj))
            continue;
        const QString nome
            = protocol::restoreAmpersands(protocol::vlrRegByName(r, QStringLiteral("FANTA_PESSO")));
        const QString tipo = protocol::vlrRegByName(r, QStringLiteral("TIPO_INSTI")).trimmed();
        if (!(t.append() && t.setAsString(kCnpj, cnpj) && t.setAsString(kNome, nome)
                && t.setAsString(kApelido, nome) && (tipo.isEmpty() || t.setAsString(kTipo, tipo))
                && t.post())) {
            setError(error, t.lastError());
            t.cancel();
            t.close();
            return -1;
        }
        known.insert(cnpj);
        ++added;
    }
    t.close();
    return added;
}

QList<EmpresaVinculada> lista(TDM &dm, QString *error)
{
    QList<EmpresaVinculada> out;
    DbfTable &t = dm.CDSMultiInsti;
    t.close();
    t.clearFilter();
    if (!t.open()) {
        setError(error, t.lastError());
        return out;
    }
    for (t.first(); !t.eof(); t.next())
        out.append(
            { t.asString(kCnpj), t.asString(kApelido), t.asString(kNome), t.asString(kTipo) });
    t.close();
    return out;
}

} // namespace zx::empresas
