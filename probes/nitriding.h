#pragma once

#include "../app/window.h"

namespace pyrelon {

void NkBtn_Click(Window& window);

}  // namespace pyrelon
