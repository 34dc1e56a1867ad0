#include "oracle/globalmem.h"

#include <cstdlib>
#include <cstring>
#include <new>

struct GlobalBlock {
    void* data;
    std::size_t size;
    int locks;
};

namespace {
int g_failNext = 0;
}

void GlobalAllocFailNext(int n) {
    g_failNext = n;
}

HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes) {
    if (g_failNext > 0) {
        --g_failNext;
        return nullptr;
    }
    void* data = (uFlags & GMEM_ZEROINIT) ? std::calloc(dwBytes ? dwBytes : 1, 1)
                                          : std::malloc(dwBytes ? dwBytes : 1);
    if (!data)
        return nullptr;
    auto* block = new (std::nothrow) GlobalBlock{data, dwBytes, 0};
    if (!block) {
        std::free(data);
        return nullptr;
    }
    return block;
}

void* GlobalLock(HGLOBAL hMem) {
    if (!hMem)
        return nullptr;
    ++hMem->locks;
    return hMem->data;
}

BOOL GlobalUnlock(HGLOBAL hMem) {
    if (!hMem || hMem->locks == 0)
        return FALSE;
    --hMem->locks;
    return hMem->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    if (!hMem)
        return nullptr;
    std::free(hMem->data);
    delete hMem;
    return nullptr;
}

std::size_t GlobalSize(HGLOBAL hMem) {
    return hMem ? hMem->size : 0;
}
