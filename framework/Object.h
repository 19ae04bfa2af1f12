// framework/Object.h
// Run-time class records, so the document template can create classes by record.
#pragma once
#include <windows.h>

class CObject;

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();   // null: not creatable by record
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* pBase) const;
};

class CObject
{
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)

#define DECLARE_DYNAMIC(theClass) \
public: \
    static const CRuntimeClass class##theClass; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(theClass) \
    DECLARE_DYNAMIC(theClass) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(theClass, baseClass, schema, pfnNew) \
    const CRuntimeClass theClass::class##theClass = { #theClass, schema, pfnNew, RUNTIME_CLASS(baseClass) }; \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }

#define IMPLEMENT_DYNAMIC(theClass, baseClass) \
    IMPLEMENT_RUNTIMECLASS(theClass, baseClass, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(theClass, baseClass) \
    CObject* theClass::CreateObject() { return new theClass; } \
    IMPLEMENT_RUNTIMECLASS(theClass, baseClass, 0xFFFF, theClass::CreateObject)
