#pragma once

#include "../app/window.h"

namespace pyrelon {

void OxiBtn_Click(Window& window);

}  // namespace pyrelon
