#include "platform/qt/frame_host.h"

namespace {
CFrameHost* s_host = nullptr;
}

CFrameHost* AfxGetFrameHost() {
    return s_host;
}
void AfxSetFrameHost(CFrameHost* host) {
    s_host = host;
}
