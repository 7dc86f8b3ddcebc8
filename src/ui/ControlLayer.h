#pragma once

// The control layer and the forms sit above the domain: records, catalogue,
// emulator database and services know nothing of controls. The domain
// library is compiled with CORVANE_DOMAIN defined, so that an include of
// this layer from domain code stops the build here.
#ifdef CORVANE_DOMAIN
#error "domain code must not include the control layer (ui/): hand plain data to the forms instead"
#endif
