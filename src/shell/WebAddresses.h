#pragma once
// The network's fixed web addresses: its site and the legacy pages the statement and
// report pages open.
#include <QString>

namespace zx::web {

inline const QString kSite = QStringLiteral("https://www.zentrix.com.br");
// The service page of the production network; a build whose service page differs
// warns "Versão de Teste" at start.
inline const QString kProductionServicePage = QStringLiteral("https://servicos.zentrix.com.br/");
inline const QString kServicePage = kProductionServicePage;
inline const QString kConsultationPage = QStringLiteral("https://consulta.zentrix.com.br/");
// Contract print (Ctrl+Shift+C), with the query keys CNPJ_FORNE and DATA_CONTR.
inline const QString kContractPage = QStringLiteral("https://www.zentrix.com.br/contrato.aspx");

} // namespace zx::web
