// The mathematical value functions, as the evaluator may call them directly.
#pragma once
#include "engine/commands.h"

namespace kav {

using PureFunction = double (*)(double);

// The function behind a value-function handler that takes one number, can
// neither fail nor touch anything else, and leaves F(x) in the result register;
// nullptr for every other handler.
PureFunction pureFunctionOf(Handler h);

}  // namespace kav
