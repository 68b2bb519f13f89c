#pragma once

// A subsystem reaching sideways into another: LayerCheck must refuse it.
#include "macro/MacroScript.h"
