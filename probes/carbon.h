#pragma once

#include "../app/window.h"

namespace pyrelon {

void CarbonBtn_Click(Window& window);

}  // namespace pyrelon
