#pragma once

#include "../app/window.h"

namespace pyrelon {

void FlowBtn_Click(Window& window);

}  // namespace pyrelon
