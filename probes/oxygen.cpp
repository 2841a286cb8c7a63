#include "oxygen.h"

namespace pyrelon {

void OxygenBtn_Click(Window&) {}

}  // namespace pyrelon
