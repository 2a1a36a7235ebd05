#pragma once
// The catalogue of banded layouts, each a description (bands, texts, fields,
// run-time labels) that the engine lays out.
#include "printing/ReportLayout.h"

namespace zx::layouts {

// Sale receipt on a Windows printer: two copies side by side on one A4 page, labels
// only. Run-time labels carry the suffix of their copy (1 left, 2 right):
//   lblInstituicao, lblAutorizacao, lblDataHora, lblRazao, lblFantasia, lblNome,
//   lblDependente, lblCartaoCap, lblCartao, lblData, lblHora, lblValor, lblParcelas,
//   memDeclaracao, and the elements lblVia, lblReimpressao, linAssinatura,
//   lblAssinatura, lblRG that the writer shows or hides.
ReportLayout rptAutoriz();

// Sale receipt, one band per line of the copies file (pipeline TxtGrafMatric, field
// InfdaVia, shown as the copy caption). The same labels without a suffix.
ReportLayout rptGrafMatric();

} // namespace zx::layouts
