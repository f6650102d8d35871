// Static texts: a label that shows a text and takes no input; clicks pass through it.
#pragma once

#include <memory>

#include "platform/ui/wnd.h"

class ControlState;

class CStatic : public CWnd {};

std::unique_ptr<ControlState> MakeStaticState();
