#pragma once
// Where an element lives: the container's record of its changed properties, the sink its events
// go to, and the container whose sibling windows it is ordered among. Each may be missing (an
// element made on its own, a child before its parent places it); what is missing is not told.

#include "framework/ChangeRecorder.h"
#include "framework/ControlContainer.h"
#include "framework/EventSink.h"

namespace bw {

struct ElementSite {
    ChangeRecorder* changes = nullptr;
    EventSink* events = nullptr;
    ControlContainer* container = nullptr;
};

} // namespace bw
