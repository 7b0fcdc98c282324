// talewick: the colouring book on the real display.
#include <cstdio>
#include <cstring>

#include "app/CColoringApp.h"
#include "platform/backend/sdl/SdlBackend.h"

int main(int argc, char** argv) {
    bool windowed = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--windowed") == 0) windowed = true;
    }
    SdlBackend backend(windowed);
    if (!backend.IsReady()) {
        std::fprintf(stderr, "talewick: no display: %s\n", backend.Error().c_str());
        return 1;
    }
    SetBackend(&backend);
    const int status = AfxWinMain(theApp);
    SetBackend(nullptr);
    return status;
}
