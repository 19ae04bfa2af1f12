// framework/Object.cpp
#include "Object.h"

const CRuntimeClass CObject::classCObject = { "CObject", 0xFFFF, nullptr, nullptr };

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBase) const
{
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
        if (p == pBase)
            return true;
    return false;
}
