// The error the HTML reader raises when the input ends inside a comment or declaration.
#pragma once

#include "platform/rtl/Exceptions.h"

WENDREL_DECLARE_EXCEPTION(EParseError, Exception);
