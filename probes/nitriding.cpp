#include "nitriding.h"

namespace pyrelon {

void NkBtn_Click(Window&) {}

}  // namespace pyrelon
