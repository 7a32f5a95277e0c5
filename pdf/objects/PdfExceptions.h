// The PDF engine's exceptions: a call in the wrong state carries the operation's name,
// a bad argument a description of it.
#pragma once

#include "platform/rtl/Exceptions.h"

WENDREL_DECLARE_EXCEPTION(EPdfInvalidValue, Exception);
WENDREL_DECLARE_EXCEPTION(EPdfInvalidOperation, Exception);
