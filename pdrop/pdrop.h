// pdrop: pressure change of a gas, oil and water stream through one pipe
// segment, with the classic correlations of production and pipeline
// engineering. Include this header for the whole engine API.
#pragma once

#include "pdrop/core/FlowRegime.h"
#include "pdrop/core/PressData.h"
#include "pdrop/core/PressDrop.h"
#include "pdrop/correlations/BeggsBrill.h"
#include "pdrop/correlations/Fanning.h"
#include "pdrop/correlations/Gray.h"
#include "pdrop/correlations/HagedornBrown.h"
#include "pdrop/correlations/PanEastern.h"
#include "pdrop/correlations/Panhandle.h"
#include "pdrop/correlations/Weymouth.h"
#include "pdrop/fluid/Prop.h"
#include "pdrop/fluid/blackoil/BlackOilFluid.h"
#include "pdrop/fluid/blackoil/StreamFluid.h"
#include "pdrop/loading/Coleman.h"
#include "pdrop/loading/LiquidLift.h"
#include "pdrop/loading/Turner.h"
#include "pdrop/platform/DiagSheet.h"
#include "pdrop/platform/Message.h"
#include "pdrop/platform/NotSet.h"
#include "pdrop/platform/Object.h"
#include "pdrop/shell/Version.h"
#include "pdrop/traverse/Traverse.h"
