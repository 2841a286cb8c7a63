#include "orifice.h"

namespace pyrelon {

void FlowBtn_Click(Window&) {}

}  // namespace pyrelon
