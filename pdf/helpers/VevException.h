// The exception the PDF engine's text helpers raise.
#pragma once

#include "platform/rtl/Exceptions.h"

WENDREL_DECLARE_EXCEPTION(EVevException, Exception);
