#pragma once

namespace zx {

class TFrmPrincipal;

// Builds the business pages into the window and joins their start-up, shutdown and
// key steps (called once by the window's constructor). A new page is one call here.
void composePages(TFrmPrincipal &frame);

} // namespace zx
