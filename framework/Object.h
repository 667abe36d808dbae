#pragma once
// Run-time class records and the root of the class tree.
#include <windows.h>

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
            if (c == base) return true;
        return false;
    }
};

#define RUNTIME_CLASS(Class) (&Class::class##Class)

// In a class body: the class has a run-time class record of its own.
#define DECLARE_RUNTIME_CLASS(Class)                                                              \
public:                                                                                           \
    static const CRuntimeClass class##Class;                                                      \
    const CRuntimeClass* GetRuntimeClass() const override;

// In one source file: the record, named after the class, with its base class's record.
#define IMPLEMENT_RUNTIME_CLASS(Class, Base)                                                      \
    constinit const CRuntimeClass Class::class##Class{#Class, RUNTIME_CLASS(Base)};               \
    const CRuntimeClass* Class::GetRuntimeClass() const { return RUNTIME_CLASS(Class); }

class CObject {
public:
    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    bool IsKindOf(const CRuntimeClass* c) const { return GetRuntimeClass()->IsDerivedFrom(c); }

protected:
    CObject() = default;
};
