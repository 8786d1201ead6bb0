#include "pdrop/platform/Object.h"

#include <cstring>

namespace pdrop {

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
    if (c == base) return true;
  }
  return false;
}

const CRuntimeClass* CObject::GetThisClass() {
  static const CRuntimeClass cls{"CObject", nullptr};
  return &cls;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
  return cls != nullptr && GetRuntimeClass()->IsDerivedFrom(cls);
}

}  // namespace pdrop
