#pragma once
// The bounded copy of a notification-area tip.
#include <windows.h>
#include <cstddef>

// Copies at most maxLength - 1 bytes of source (null: empty) into dest, which holds destSize
// bytes, never splitting a double-byte character of codePage, and zero-fills the rest of dest.
// Returns the number of bytes copied.
size_t CopyTipText(char* dest, size_t destSize, const char* source, size_t maxLength, UINT codePage);
