#include "pdrop/core/FlowRegime.h"

#include "pdrop/core/PressDrop.h"

namespace pdrop {

std::string CFlowRegime::GetCodeName() const {
  return IsCode() ? CPressDrop::GetCodeName(static_cast<int>(m_nCode)) : std::string();
}

}  // namespace pdrop
