#include "Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares its symbol where it is used: this must stay in the global namespace.
static void InitAllResources() {
#ifdef VITALOG_HAS_IMAGES_QRC
    Q_INIT_RESOURCE(images);
#endif
#ifdef VITALOG_HAS_DB_QRC
    Q_INIT_RESOURCE(db);
#endif
#ifdef VITALOG_HAS_HELP_QRC
    Q_INIT_RESOURCE(help);
#endif
}

namespace vitalog {

void InitResources() {
    static const bool done = (InitAllResources(), true);
    (void)done;
}

} // namespace vitalog
