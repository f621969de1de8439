#include "pictures/Resources.h"

#include <QtGlobal>

static void InitVemoMlitResources() { Q_INIT_RESOURCE(VemoMlit); }

void InitAppResources() {
    static bool done = false;
    if (done) return;
    done = true;
    InitVemoMlitResources();
}
