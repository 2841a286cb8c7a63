#include "lambda.h"

namespace pyrelon {

void OxiBtn_Click(Window&) {}

}  // namespace pyrelon
