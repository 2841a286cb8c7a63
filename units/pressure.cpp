#include "pressure.h"

namespace pyrelon {

void PresCmb_Click(Window&) {}
void PresBtn_Click(Window&) {}

}  // namespace pyrelon
