#include "Object.h"
#include "Exception.h"

constinit const CRuntimeClass CObject::classCObject{"CObject", nullptr};
const CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

IMPLEMENT_RUNTIME_CLASS(CException, CObject)
IMPLEMENT_RUNTIME_CLASS(CMemoryException, CException)
IMPLEMENT_RUNTIME_CLASS(CResourceException, CException)

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowResourceException() { throw new CResourceException; }
