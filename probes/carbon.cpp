#include "carbon.h"

namespace pyrelon {

void CarbonBtn_Click(Window&) {}

}  // namespace pyrelon
