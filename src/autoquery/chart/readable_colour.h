// The chart's readable colours are the platform's, which the windows share.
#pragma once

#include "platform/readable_colour.h"

namespace tarvel::autoquery::chart {

using platform::contrastRatio;
using platform::isDarkBackground;
using platform::kLineContrast;
using platform::kTextContrast;
using platform::readableCounterpart;
using platform::relativeLuminance;

}  // namespace tarvel::autoquery::chart
