#pragma once

namespace zx {

class TFrmPrincipal;
class Twc;

// Joins the service client to the window: the values the window hands it, the
// configuration page's server steps, the start-up steps that ask the server (merchant
// settings, company list), Ctrl+Shift+B, F11 and the update download after a newer
// version was announced.
void composeServiceClient(TFrmPrincipal &frame, Twc &wc);

} // namespace zx
