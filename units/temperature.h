#pragma once

#include "../app/window.h"

namespace pyrelon {

void GradiCmb_Click(Window& window);
void TempBtn_Click(Window& window);

}  // namespace pyrelon
