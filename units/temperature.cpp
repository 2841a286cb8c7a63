#include "temperature.h"

namespace pyrelon {

void GradiCmb_Click(Window&) {}
void TempBtn_Click(Window&) {}

}  // namespace pyrelon
