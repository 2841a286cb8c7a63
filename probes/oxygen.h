#pragma once

#include "../app/window.h"

namespace pyrelon {

void OxygenBtn_Click(Window& window);

}  // namespace pyrelon
