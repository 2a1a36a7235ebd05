#include "shell/PageComposition.h"

#include "shell/ServiceWiring.h"
#include "shell/TFrmPrincipal.h"

#include "merchant/CardPageComposer.h"
#include "service/Twc.h"

namespace zx {

// Each business folder adds its page here: construct it with what it needs from the
// frame (state(), dm(), hooks(), the card bar), put it on its page with
// setPageContent() or addNestedPage(), and register its start-up, shutdown and key
// steps in hooks(). The configuration page is the frame's own (tabConfig).
void composePages(TFrmPrincipal &frame)
{
    composeServiceClient(frame, Twc::instance());
    composeCardPage(frame);
}

} // namespace zx
