#pragma once

#include "../app/window.h"

namespace pyrelon {

void PresCmb_Click(Window& window);
void PresBtn_Click(Window& window);

}  // namespace pyrelon
