// Movable global memory blocks, as DIBs are passed around on Windows.
#pragma once

#include "platform/win/wintypes.h"

struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;

// Returns a new block of dwBytes, or nullptr when memory is short.
HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes);
// Returns the block's address and counts the lock; nullptr for a null handle.
void* GlobalLock(HGLOBAL hMem);
// Drops one lock; returns TRUE while the block is still locked.
BOOL GlobalUnlock(HGLOBAL hMem);
// Frees the block; returns nullptr on success, the handle on failure.
HGLOBAL GlobalFree(HGLOBAL hMem);
std::size_t GlobalSize(HGLOBAL hMem);

// Test hook: makes the next n allocations fail (0 turns failures off).
void GlobalAllocFailNext(int n);
