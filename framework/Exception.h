#pragma once
// Framework exceptions, thrown by pointer and ended with Delete(). The program catches them
// only in its one guarded section; the window procedure catches whatever escapes a handler.
#include "Object.h"

class CException : public CObject {
    DECLARE_RUNTIME_CLASS(CException)
public:
    void Delete() { delete this; }
    virtual const char* What() const { return "framework exception"; }
};

class CMemoryException : public CException {
    DECLARE_RUNTIME_CLASS(CMemoryException)
public:
    const char* What() const override { return "out of memory"; }
};

class CResourceException : public CException {
    DECLARE_RUNTIME_CLASS(CResourceException)
public:
    const char* What() const override { return "resource failure"; }
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
