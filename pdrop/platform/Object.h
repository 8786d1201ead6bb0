// A minimal object base with run-time class names: enough for a host (and the
// tests) to ask which class the factory made, and whether it derives from
// another.
#pragma once

namespace pdrop {

struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;

  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
 public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  static const CRuntimeClass* GetThisClass();
  bool IsKindOf(const CRuntimeClass* cls) const;
};

}  // namespace pdrop

// Declares the run-time class of a class derived from CObject.
#define PDROP_DECLARE_DYNAMIC(class_name)              \
 public:                                               \
  static const ::pdrop::CRuntimeClass* GetThisClass(); \
  const ::pdrop::CRuntimeClass* GetRuntimeClass() const override;

// Defines it, naming the base class; used once in the class's source file.
#define PDROP_IMPLEMENT_DYNAMIC(class_name, base_name)                               \
  const ::pdrop::CRuntimeClass* class_name::GetThisClass() {                         \
    static const ::pdrop::CRuntimeClass cls{#class_name, base_name::GetThisClass()}; \
    return &cls;                                                                     \
  }                                                                                  \
  const ::pdrop::CRuntimeClass* class_name::GetRuntimeClass() const { return GetThisClass(); }

#define PDROP_RUNTIME_CLASS(class_name) (class_name::GetThisClass())
